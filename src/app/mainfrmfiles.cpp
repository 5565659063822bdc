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
#include <string>
#include <vector>

using namespace platform;

namespace {

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

// Writes the image into "data.tmp", created or truncated; false when any
// byte does not reach the file.
bool WriteTempImage(const QByteArray& image) {
    QFile temp(QFile::decodeName(g_szTempPath));
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const bool written = SaveWriteImage(temp, image) && SaveFlush(temp);
    temp.close();
    return written && temp.error() == QFileDevice::NoError;
}

} // namespace

// ---- closing and opening ---------------------------------------------------

// The database is closed whether or not a list was loaded: an image that
// failed to load must not leave a list behind in the library.
void CMainFrame::CloseList() {
    m_pDoc->CloseDatabase();
    CloseWorkImageFile();
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
    setWindowTitle(QFile::decodeName(QByteArray::fromStdString(ListCaption(bare))));
}

void CMainFrame::OpenFailed(const QByteArray& path) {
    CloseList();
    MessageBox(QStringLiteral("File Open Fail! [%1]").arg(Shown(path)), QStringLiteral("Error"),
               MB_OK);
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
    if (LoadImage(image)) ShowLoadedList();
}

// ---- New, Load, drops ------------------------------------------------------

void CMainFrame::OnNewFile() {
    CloseList();
    SetCurFileName(kNewListName);
    OpenWorkFile(StartDirFile(kTemplateName).constData());
    m_bNewFile = 1;
}

// Reads at most what the reader can consume; a file that is no container
// is told by the reader's checks.
bool CMainFrame::DecodeList(const QByteArray& path, QByteArray& image) {
    QFile file(QFile::decodeName(path));
    QByteArray container;
    // "data.tmp" holds the image the list is unwrapped into, not a container.
    if (IsSameFile(path, g_szTempPath) ||
        !ReadImageFile(file, static_cast<qint64>(CDL_MAX_CONTAINER_SIZE), container)) {
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
    if (dialog.DoModal() != IDOK) return;
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
    if (!WriteTempImage(image) || !OpenWorkImageFile(g_szTempPath)) {
        OpenFailed(chosen);
        return;
    }
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
    if (count == 0) return;
    CloseList();
    OpenWorkFile(path.c_str());
}

// ---- Save ------------------------------------------------------------------

void CMainFrame::SaveFailed(const QByteArray& path) {
    MessageBox(QStringLiteral("File Save Fail! [%1]").arg(Shown(path)), QStringLiteral("Error"),
               MB_OK);
}

// The image goes into the working file; only a list unwrapped into
// "data.tmp" has a container to rewrite (a raw image is its own file). The
// buffer is flushed before the writer reads "data.tmp".
bool CMainFrame::SaveOpenList(const QByteArray& image) {
    const bool container = WorkFileIs(g_szTempPath);
    const QByteArray target = container ? QByteArray(g_szCurFileName) : WorkFilePath();
    if (!g_WorkFile.isOpen() || !SaveWriteImage(g_WorkFile, image) || !SaveFlush(g_WorkFile) ||
        (container && SaveWriteContainer(g_szCurFileName) != 0)) {
        SaveFailed(target);
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
    if (dialog.DoModal() != IDOK) return false;
    const QByteArray chosen = QFile::encodeName(dialog.GetPathName());
    if (static_cast<std::size_t>(chosen.size()) >= kCurFileNameSize || IsWorkingImageFile(chosen) ||
        !WriteTempImage(image) || SaveWriteContainer(chosen.constData()) != 0) {
        SaveFailed(chosen);
        return false;
    }
    SetCurFileName(chosen);
    m_bNewFile = 0;
    if (!OpenWorkImageFile(g_szTempPath)) {
        // The list is saved; without a working file it cannot stay loaded.
        OpenFailed(g_szTempPath);
        return false;
    }
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
    QByteArray image(static_cast<qsizetype>(DB_IMAGE_SIZE), '\0');
    if (m_pDoc->SaveDatabase(reinterpret_cast<uint8_t*>(image.data()), DB_IMAGE_SIZE) != 1) {
        SaveFailed(m_bNewFile                 ? QByteArray(g_szCurFileName)
                   : WorkFileIs(g_szTempPath) ? QByteArray(g_szCurFileName)
                                              : WorkFilePath());
        return;
    }
    if (m_bNewFile)
        SaveNewList(image);
    else
        SaveOpenList(image);
}
