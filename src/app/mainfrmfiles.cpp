// The main window's file commands: New, Load and Save of a channel list, and a
// raw image opened from the command line or a drop. The flash image moves
// whole between the database and the working image file; the container
// moves between "data.tmp" and the list's ".cdl".
#include "mainfrm.h"

#include "cdlbytes.h"
#include "cdlfile.h"
#include "dialogs/filedialog.h"
#include "dialogs/messagebox.h"
#include "networktp.h"
#include "quorvandelix.h"
#include "quorvandelixdoc.h"
#include "savesteps.h"
#include "slm.h"
#include "supervw.h"
#include "base/text.h"
#include "workfile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace platform;

namespace {

// The folder of the current list's file; none for a new list, whose name
// has no folder yet.
QString CurrentListFolder() {
    const QFileInfo list(QFile::decodeName(QByteArray(g_szCurFileName)));
    return list.isAbsolute() ? list.absolutePath() : QString();
}

constexpr const char* kListFilter = "Channel List(*.cdl)|*.cdl||";
constexpr const char* kNewListName = "NewData.cdl";
constexpr const char* kTemplateName = "Default.dat";

// A file of the start-up directory.
QByteArray StartDirFile(const char* name) {
    return QByteArray(g_szStartDir) + '/' + name;
}

// A path as the user reads it in a message.
QString Shown(const QByteArray& path) {
    return QFile::decodeName(path);
}

// The working image files of the start-up directory: a list saved over one
// of them would be destroyed by the next save or New.
bool IsWorkingImageFile(const QByteArray& path) {
    return IsSameFile(path, g_szTempPath) || IsSameFile(path, StartDirFile(kTemplateName));
}

// Makes the image the whole new contents of "data.tmp" through the safe
// save: 0, or the system's error number (the file then keeps what it held).
int WriteTempImage(const QByteArray& image) {
    return SaveReplaceFile(QByteArray(g_szTempPath), image);
}

// The system's text for an error number, as the user reads it.
QString Reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

// ---- closing and opening ---------------------------------------------------

// The database is closed whether or not a list was loaded: an image that
// failed to load must not leave a list behind in the library.
void CMainFrame::CloseList() {
    m_pDoc->CloseDatabase();
    CloseWorkImageFile();
    m_listFile = ListFile::None;
    m_rawImagePath.clear();
    SetLoaded(0);
    EmptyViews();
}

void CMainFrame::EmptyViews() {
    if (CNetworkTp* tree = GetNetworkTp()) tree->Empty();
    if (CSuperVw* view = GetSuperVw()) view->EmptyList();
    UpdateActions();
}

void CMainFrame::SetListCaption() {
    const std::string bare = CurFileBareName().toStdString();
    SetCaption(QFile::decodeName(QByteArray::fromStdString(ListCaption(bare))));
}

void CMainFrame::SetCaption(const QString& base) {
    m_captionBase = base;
    RefreshCaption();
}

void CMainFrame::RefreshCaption() {
    setWindowTitle(IsListModified() ? m_captionBase + QLatin1Char('*') : m_captionBase);
}

bool CMainFrame::IsListModified() const {
    return m_bLoaded && m_pDoc->IsModified();
}

QString CMainFrame::ListDisplayName() const {
    if (!m_bNewFile && m_listFile == ListFile::RawImage)
        return Shown(m_rawImagePath.mid(m_rawImagePath.lastIndexOf('/') + 1));
    return Shown(CurFileBareName());
}

bool CMainFrame::SaveModified() {
    if (!IsListModified()) return true;
    const int answer = MessageBox(QStringLiteral("Save changes to %1?").arg(ListDisplayName()),
                                  kAppTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) return SaveList();
    return answer == IDNO;
}

void CMainFrame::OpenFailed(const QByteArray& path, int error) {
    CloseList();
    QString text = QStringLiteral("File Open Fail! [%1]").arg(Shown(path));
    if (error != 0) text += QLatin1Char('\n') + Reason(error);
    MessageBox(text, QStringLiteral("Error"), MB_OK);
}

int CMainFrame::LoadImage(const QByteArray& image) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.constData());
    if (m_pDoc->OpenDatabase(bytes, static_cast<std::size_t>(image.size())) == 1) {
        SetLoaded(1);
        return 1;
    }
    MessageBox("This File is not HD STB service data file!", "Error", MB_OK);
    CloseList();
    return 0;
}

void CMainFrame::ShowLoadedList() {
    // The folder of a list that loaded is where the next file dialog opens,
    // in this run and the next.
    SaveFileDialogSettings();
    PleaseWait();
    if (CNetworkTp* tree = GetNetworkTp()) tree->Refresh();
    UpdateActions();
}

// A file that opens but cannot be read counts as one that does not open.
void CMainFrame::OpenWorkFile(const char* path) {
    const QByteArray file(path ? path : "");
    CloseList();
    QByteArray image;
    if (!OpenWorkImageFile(file) || !ReadImageFile(g_WorkFile, DB_IMAGE_SIZE, image)) {
        OpenFailed(file);
        return;
    }
    SetListCaption();
    if (!LoadImage(image)) return;
    m_listFile = ListFile::RawImage;
    m_rawImagePath = file;
    ShowLoadedList();
}

// ---- New, Load, drops ------------------------------------------------------

void CMainFrame::OnNewFile() {
    if (!SaveModified()) return;
    CloseList();
    SetCurFileName(kNewListName);
    OpenWorkFile(StartDirFile(kTemplateName).constData());
    m_bNewFile = 1;
}

// Reads at most what the reader can consume; a file that is no container
// is told by the reader's checks.
bool CMainFrame::DecodeList(const QByteArray& path, QByteArray& image) {
    QByteArray container;
    // "data.tmp" holds the image the list is unwrapped into, not a container.
    if (IsSameFile(path, g_szTempPath) ||
        !ReadRegularFile(path, static_cast<qint64>(CDL_MAX_CONTAINER_SIZE), container)) {
        OpenFailed(path);
        return false;
    }
    std::vector<uint8_t> data;
    const CdlCheck check = CdlDecodeBytes(reinterpret_cast<const uint8_t*>(container.constData()),
                                          static_cast<std::size_t>(container.size()), data);
    if (!check.Passed()) {
        if (const char* message = CdlCheckMessage(check))
            MessageBox(message, kAppTitle, MB_OK);
        else
            OpenFailed(path);
        return false;
    }
    image =
        QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    return true;
}

// The list is closed only once a file has been chosen; a damaged container
// or an image that is no database writes no file: "data.tmp" is replaced
// only by an image that loaded.
void CMainFrame::OnLoadChannelData() {
    FileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                      FromUtf8(kListFilter), this);
    dialog.SetInitialFolder(CurrentListFolder());
    if (dialog.DoModal() != IDOK || !SaveModified()) return;
    CloseList();
    m_bNewFile = 0;
    const QByteArray chosen = QFile::encodeName(dialog.GetPathName());
    QByteArray image;
    if (!SetCurFileName(chosen)) {
        OpenFailed(chosen);
        return;
    }
    if (!DecodeList(chosen, image)) return;
    SetListCaption();
    if (!LoadImage(image)) return;
    // A working copy that cannot be written is told by its own name and the
    // system's reason, not blamed on the list; the old one stays whole.
    if (const int error = WriteTempImage(image); error != 0) {
        OpenFailed(g_szTempPath, error);
        return;
    }
    if (!OpenWorkImageFile(g_szTempPath)) {
        OpenFailed(g_szTempPath);
        return;
    }
    m_listFile = ListFile::Container;
    ShowLoadedList();
}

void CMainFrame::OnDropFiles(HDROP drop) {
    const UINT count = DragQueryFile(drop, kDragQueryCount, nullptr, 0);
    std::string path;
    if (count > 0) {
        const UINT length = DragQueryFile(drop, count - 1, nullptr, 0);
        path.resize(length + 1);
        DragQueryFile(drop, count - 1, path.data(), length + 1);
        path.resize(length);
    }
    DragFinish(drop);
    if (count == 0 || !SaveModified()) return;
    CloseList();
    OpenWorkFile(path.c_str());
}

// ---- Save ------------------------------------------------------------------

void CMainFrame::SaveFailed(const QByteArray& path) {
    MessageBox(QStringLiteral("File Save Fail! [%1]").arg(Shown(path)), QStringLiteral("Error"),
               MB_OK);
}

QByteArray CMainFrame::SaveTarget() const {
    if (m_bNewFile || m_listFile == ListFile::Container) return QByteArray(g_szCurFileName);
    return m_rawImagePath;
}

// The working copy "data.tmp" of a list that came in a container is written
// in place while it is the file the list opened. One that was removed or
// replaced since (a cleaner, another program) is made again, and the list
// keeps the new one open.
bool CMainFrame::WriteWorkingCopy(const QByteArray& image) {
    if (WorkFileIs(g_szTempPath)) return SaveWriteImage(g_WorkFile, image) && SaveFlush(g_WorkFile);
    return WriteTempImage(image) == 0 && OpenWorkImageFile(g_szTempPath);
}

// Saved by the road that opened the list, never by what the folder holds
// now: a list from a container is wrapped from the image in memory, so
// whatever lies in "data.tmp" at that moment cannot reach its file.
bool CMainFrame::SaveOpenList(const QByteArray& image) {
    switch (m_listFile) {
    case ListFile::Container:
        if (WriteWorkingCopy(image) && SaveWriteContainer(g_szCurFileName, image) == 0) return true;
        break;
    case ListFile::RawImage:
        return SaveRawImage(image);
    case ListFile::None:
        break;
    }
    SaveFailed(SaveTarget());
    return false;
}

// A raw image is replaced whole through the safe save, so that a write that
// fails part way leaves the old image; bytes a larger file holds past the
// image are carried over, as a write in place would have kept them.
bool CMainFrame::SaveRawImage(const QByteArray& image) {
    const QByteArray path = m_rawImagePath;
    QByteArray bytes = image;
    if (!g_WorkFile.isOpen() || !AppendFileTail(g_WorkFile, image.size(), bytes) ||
        SaveReplaceFile(path, bytes) != 0) {
        SaveFailed(path);
        return false;
    }
    if (!OpenWorkImageFile(path)) {
        // The image is saved; without a working file it cannot stay loaded.
        OpenFailed(path);
        return false;
    }
    return true;
}

// Until the container is written the list stays new: "Default.dat" stays
// its working file and the next Save asks for a name again.
bool CMainFrame::SaveNewList(const QByteArray& image) {
    FileDialog dialog(false, QStringLiteral("cdl"), QStringLiteral("newdata"),
                      OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                      FromUtf8(kListFilter), this);
    dialog.SetInitialFolder(CurrentListFolder());
    if (dialog.DoModal() != IDOK) return false;
    const QByteArray chosen = QFile::encodeName(dialog.GetPathName());
    if (static_cast<std::size_t>(chosen.size()) >= kCurFileNameSize || IsWorkingImageFile(chosen) ||
        WriteTempImage(image) != 0 || SaveWriteContainer(chosen.constData(), image) != 0) {
        SaveFailed(chosen);
        return false;
    }
    SetCurFileName(chosen);
    SaveFileDialogSettings();
    m_bNewFile = 0;
    if (!OpenWorkImageFile(g_szTempPath)) {
        // The list is saved; without a working file it cannot stay loaded.
        OpenFailed(g_szTempPath);
        return false;
    }
    m_listFile = ListFile::Container;
    SetListCaption();
    return true;
}

// With no list loaded there is nothing to commit: an empty database would
// be written over a list on disk.
void CMainFrame::OnSaveChannelData() {
    if (!m_bLoaded) {
        MessageBox("No channel list is loaded.", "Information", MB_OK);
        return;
    }
    if (MessageBox("Do you wnat to save current data.", "Save Data",
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    SaveList();
}

bool CMainFrame::SaveList() {
    QByteArray image(static_cast<qsizetype>(DB_IMAGE_SIZE), '\0');
    if (m_pDoc->SaveDatabase(reinterpret_cast<uint8_t*>(image.data()), DB_IMAGE_SIZE) != 1) {
        SaveFailed(SaveTarget());
        return false;
    }
    if (!(m_bNewFile ? SaveNewList(image) : SaveOpenList(image))) return false;
    m_pDoc->SetModifiedFlag(false);
    RefreshCaption();
    return true;
}
