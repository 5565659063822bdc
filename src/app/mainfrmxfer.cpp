// The main window's Communication commands: the transfer dialog in the
// command's mode and, after an upload of channel data, the date-file step.
#include "mainfrm.h"

#include "base/clock.h"
#include "dialogs/messagebox.h"
#include "networktp.h"
#include "quorvandelix.h"
#include "quorvandelixdoc.h"
#include "stbdownloaddlg.h"
#include "workfile.h"

#include <QFile>

#include <cstdio>

using namespace platform;

namespace {

// The longest system text the date-file step shows.
constexpr qsizetype kMaxSystemText = 255;

} // namespace

// The dialog belongs to the main window, the program's registered main
// window, which it hides while it is minimised.
int CMainFrame::RunTransfer(unsigned mode) {
    CSTBDownloadDlg dialog;
    return dialog.RunTransfer(nullptr, mode, nullptr);
}

void CMainFrame::OnUploadChannelData() {
    if (RunTransfer(XFER_UPLOAD_CHANNEL) == IDOK) OpenUploadDateFile();
}

void CMainFrame::OnDownloadChannelData() {
    RunTransfer(XFER_DOWNLOAD_CHANNEL);
}

void CMainFrame::OnDownloadProgram() {
    RunTransfer(XFER_DOWNLOAD_PROGRAM);
}

void CMainFrame::OnKeyDataUpload() {
    RunTransfer(XFER_UPLOAD_KEY);
}

void CMainFrame::OnKeyDataDownload() {
    RunTransfer(XFER_DOWNLOAD_KEY);
}

// The date file lies in the current directory and is never created, read
// or written. The reload starts from empty tables and views, so a failed
// validation leaves no list behind; with no working file open there is no
// list to reload. The reload goes back to the image as last written, so
// changes not saved are asked about first and Cancel leaves the window as it
// was; the list keeps its mark after the reload, as the image may hold moves
// that Channel Move wrote into it and no save has put in a file.
void CMainFrame::OpenUploadDateFile() {
    const SystemTime today = GetLocalTime();
    char name[64];
    std::snprintf(name, sizeof name, "Indata(%4d %02d %02d).dat", today.year, today.month,
                  today.day);
    QFile dateFile(QString::fromLatin1(name));
    if (!dateFile.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        MessageBox(dateFile.errorString().left(kMaxSystemText), QString(), MB_OK);
        return;
    }
    dateFile.close();
    if (!SaveModified()) return;
    SetCaption(QString::fromLatin1(UploadCaption(name)));
    if (!g_WorkFile.isOpen()) return;

    EmptyViews();
    if (m_pDoc->OpenDatabase() == 1) {
        SetLoaded(1);
        ShowLoadedList();
        return;
    }
    m_pDoc->CloseDatabase();
    SetLoaded(0);
    MessageBox("111111111111111111111111111111111111", kAppTitle, MB_OK);
    CloseWorkImageFile();
}
