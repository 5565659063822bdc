#include "stbdownloaddlg.h"

#include <QCoreApplication>
#include <QWidget>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "base/clock.h"
#include "cdlbytes.h"
#include "comports.h"
#include "dialogs/ddx.h"
#include "dialogs/dialogtemplate.h"
#include "dialogs/filedialog.h"
#include "mainicon.h"
#include "dialogs/messagebox.h"
#include "base/appcommandline.h"
#include "resource.h"
#include "base/text.h"
#include "base/trace.h"
#include "transferdialog.h"

using namespace platform;

namespace {

constexpr UINT WM_UPLOAD_START = WM_USER + 1;
constexpr UINT WM_TRANSFER_DONE = WM_USER + 2;

constexpr int kPortCount = 50;
constexpr const char* kBaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
constexpr int kBaudDefault = 4; // 115200, the only rate the link runs at
constexpr const char* kKinds[] = {"ChannelData", "Program", "KeyData"};
constexpr const char* kDirections[] = {"Download", "Upload"};

// How long OK and Cancel wait for the worker's end at most. The worker sees
// the stop within about a second; past this bound the dialog ends anyway and
// the link joins its worker when the dialog goes.
constexpr int kWorkerEndBoundMs = 15000;
constexpr int kWorkerEndTickMs = 5;

struct ModePreset {
    unsigned mode;
    int kind;
    int direction;
    const char* caption;
};

constexpr ModePreset kPresets[] = {
    {XFER_UPLOAD_CHANNEL, XFER_KIND_CHANNEL, XFER_DIR_UPLOAD, "Upload Channel Data Sat->Pc"},
    {XFER_DOWNLOAD_CHANNEL, XFER_KIND_CHANNEL, XFER_DIR_DOWNLOAD, "Download Channel Data Pc->Sat"},
    {XFER_DOWNLOAD_PROGRAM, XFER_KIND_PROGRAM, XFER_DIR_DOWNLOAD, "Download Program Pc->Sat"},
    {XFER_UPLOAD_KEY, XFER_KIND_KEY, XFER_DIR_UPLOAD, "Upload Key Data Sat->PC"},
    {XFER_DOWNLOAD_KEY, XFER_KIND_KEY, XFER_DIR_DOWNLOAD, "Download Key Data Pc->Sat"},
};

// The preset of a mode; unknown modes take the program download's.
const ModePreset& PresetOf(unsigned mode) {
    for (const ModePreset& preset : kPresets)
        if (preset.mode == mode) return preset;
    return kPresets[2];
}

// The Load dialog's filter for a kind: its extension in either case.
const char* LoadFilterOf(int kind) {
    switch (kind) {
    case XFER_KIND_CHANNEL:
        return "*.CDL|*.CDL;*.cdl||";
    case XFER_KIND_KEY:
        return "*.KDL|*.KDL;*.kdl||";
    default:
        return "*.SDL|*.SDL;*.sdl||";
    }
}

// The command line as a path: one pair of enclosing quotes removed.
std::string PathFromCommandLine(const std::string& commandLine) {
    if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"')
        return commandLine.substr(1, commandLine.size() - 2);
    return commandLine;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// A received file, read into memory and checked as Load checks a list: the
// reader's text for the first check it fails ("File open Error(DG_CRC_ERROR)"),
// or "" when it passes or cannot be read back (memory, a vanished file: no
// verdict on the data).
std::string ReceivedFileDamage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::vector<uint8_t> container(CDL_MAX_CONTAINER_SIZE);
    file.read(reinterpret_cast<char*>(container.data()),
              static_cast<std::streamsize>(container.size()));
    container.resize(static_cast<size_t>(file.gcount()));
    std::vector<uint8_t> image;
    const CdlCheck check = CdlDecodeBytes(container.data(), container.size(), image);
    const char* text = CdlCheckMessage(check);
    return text ? text : std::string();
}

} // namespace

CSTBDownloadDlg::CSTBDownloadDlg() : DialogBase(IDD_STBDOWNLOAD_DIALOG) {
    m_strFilePath = PathFromCommandLine(GetAppCommandLine());
    m_hIcon = LoadIcon(MainIconPixmap());
    MapCommand(ID_COM_CONNECT, [this] { OnConnect(); });
    MapCommand(ID_COM_DISCONNECT, [this] { OnDisconnect(); });
    MapCommand(ID_COM_ABORT, [this] { OnAbort(); });
    MapCommand(ID_FILE_LOAD, [this] { OnFileLoad(); });
    MapCommand(ID_OPTION_KEEP_CHANNEL_LIST, [this] { OnKeepChannelList(); });
    MapCommand(ID_OPTION_CLEAR_CHANNEL_LIST, [this] { OnClearChannelList(); });
    MapCommand(
        IDC_COMBO_DIRECTION, [this] { OnSelchangeDirection(); }, CBN_SELCHANGE);
    MapCommand(
        IDC_COMBO_PORT, [this] { OnSelchangePort(); }, CBN_SELCHANGE);
}

// The link goes with the dialog: it stops its worker and waits for it.
CSTBDownloadDlg::~CSTBDownloadDlg() {
    m_com.ClosePortIfOpen();
}

int CSTBDownloadDlg::RunTransfer(Window* parent, unsigned mode, void* source) {
    m_pParent = parent;
    SetParentWnd(parent);
    m_nMode = mode;
    m_pSource = source;
    return DoModal();
}

// ---- template and data exchange --------------------------------------------

void CSTBDownloadDlg::CreateControls() {
    CreateFromTemplate(TransferDialogTemplate(), {
                                                     {IDC_COMBO_PORT, &m_cbPort},
                                                     {IDC_COMBO_BAUD, &m_cbBaud},
                                                     {IDC_COMBO_KIND, &m_cbKind},
                                                     {IDC_COMBO_DIRECTION, &m_cbDirection},
                                                     {ID_COM_CONNECT, &m_btnConnect},
                                                     {ID_COM_DISCONNECT, &m_btnDisconnect},
                                                     {ID_COM_ABORT, &m_btnAbort},
                                                     {ID_FILE_LOAD, &m_btnLoad},
                                                     {IDC_PROGRESS, &m_progress},
                                                     {IDC_STATIC_INFO, &m_stInfo},
                                                     {IDC_STATIC_STATUS, &m_stStatus},
                                                 });
    m_menu.Attach(this, TransferDialogMenu());
}

void CSTBDownloadDlg::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMBO_PORT, m_cbPort);
    DDX_Control(pDX, IDC_COMBO_BAUD, m_cbBaud);
    DDX_Control(pDX, IDC_COMBO_KIND, m_cbKind);
    DDX_Control(pDX, IDC_COMBO_DIRECTION, m_cbDirection);
    DDX_Control(pDX, ID_COM_CONNECT, m_btnConnect);
    DDX_Control(pDX, ID_COM_DISCONNECT, m_btnDisconnect);
    DDX_Control(pDX, ID_COM_ABORT, m_btnAbort);
    DDX_Control(pDX, ID_FILE_LOAD, m_btnLoad);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_STATIC_STATUS, m_stStatus);
    // Static 1003 only shows: the info text, and under it the device that
    // stands behind the chosen port.
    if (!pDX->m_bSaveAndValidate) {
        const int port = std::max(m_cbPort.GetCurSel(), 0) + 1;
        const std::string device = ComPortDevice(static_cast<unsigned>(port));
        std::string shown = m_strInfo + "\nCOM" + std::to_string(port) + ": ";
        shown += device.empty() ? std::string(COM_REASON_NO_PORT) : device;
        // Why the last Connect failed, or that the link waits for the
        // receiver's first frame.
        if (!device.empty() && !m_strPortState.empty()) shown += " - " + m_strPortState;
        DDX_Text(pDX, IDC_STATIC_INFO, shown);
    }
}

BOOL CSTBDownloadDlg::OnInitDialog() {
    DialogBase::OnInitDialog();
    SetIcon(*this, m_hIcon, TRUE);
    SetIcon(*this, m_hIcon, FALSE);

    for (int port = 1; port <= kPortCount; ++port)
        m_cbPort.AddString(("COM" + std::to_string(port)).c_str());
    m_cbPort.SetCurSel(0);
    for (const char* rate : kBaudRates)
        m_cbBaud.AddString(rate);
    m_cbBaud.SetCurSel(kBaudDefault);
    for (const char* kind : kKinds)
        m_cbKind.AddString(kind);
    for (const char* direction : kDirections)
        m_cbDirection.AddString(direction);

    const ModePreset& preset = PresetOf(m_nMode);
    m_cbKind.SetCurSel(preset.kind);
    m_cbDirection.SetCurSel(preset.direction);
    SetWindowText(preset.caption);

    m_com.SetOwnerDialog(this);
    m_menu.CheckMenuRadioItem(ID_OPTION_CLEAR_CHANNEL_LIST, ID_OPTION_KEEP_CHANNEL_LIST,
                              ID_OPTION_KEEP_CHANNEL_LIST);
    m_com.m_nListOption = 0;

    m_bBusy = false;
    m_bClosing = false;
    m_nLastSizeType = SIZE_RESTORED;
    ApplyTransferState(0);
    if (!m_strFilePath.empty()) ShowFileInfo();
    ShowInfoText();
    return TRUE;
}

LRESULT CSTBDownloadDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_UPLOAD_START) return OnUploadStart();
    if (message == WM_TRANSFER_DONE) return OnTransferDone();
    return DialogBase::WindowProc(message, wParam, lParam);
}

// ---- states ----------------------------------------------------------------

void SetTransferDialogBusy(CSTBDownloadDlg* dialog, int state) {
    if (dialog) dialog->ApplyTransferState(state);
}

void CSTBDownloadDlg::ApplyTransferState(int state) {
    if ((state != 0 && state != 1) || !IsWindow()) return;
    const bool busy = state == 1;
    m_bBusy = busy;
    if (!busy) m_progress.SetPos(0);
    m_btnAbort.EnableWindow(busy);
    m_btnDisconnect.EnableWindow(busy);
    for (Window* setting : {static_cast<Window*>(&m_cbPort), static_cast<Window*>(&m_cbBaud),
                            static_cast<Window*>(&m_btnConnect),
                            static_cast<Window*>(&m_cbDirection), static_cast<Window*>(&m_cbKind)})
        setting->EnableWindow(!busy);
    m_menu.EnableMenuItem(ID_OPTION_CLEAR_CHANNEL_LIST, busy ? MF_GRAYED : MF_ENABLED);
    m_menu.EnableMenuItem(ID_OPTION_KEEP_CHANNEL_LIST, busy ? MF_GRAYED : MF_ENABLED);
    UpdateLoadCommand();
}

// One rule for the Load button and File > Load: a file to send can be chosen
// exactly while the direction is Download and no transfer runs.
void CSTBDownloadDlg::UpdateLoadCommand() {
    const bool enable = !m_bBusy && !DirectionIsUpload();
    m_btnLoad.EnableWindow(enable);
    m_menu.EnableMenuItem(ID_FILE_LOAD, enable ? MF_ENABLED : MF_GRAYED);
}

bool CSTBDownloadDlg::DirectionIsUpload() const {
    return m_cbDirection.GetCurSel() == XFER_DIR_UPLOAD;
}

// ---- commands --------------------------------------------------------------

// Takes the settings, names the receive file of an upload and opens the port.
// Refuses an upload of the program; a port that does not open leaves the
// dialog idle after "OPEN ERROR", with the info text it had.
void CSTBDownloadDlg::OnConnect() {
    if (m_bClosing) return;
    const int kind = m_cbKind.GetCurSel();
    const bool upload = DirectionIsUpload();
    if (upload && kind != XFER_KIND_CHANNEL && kind != XFER_KIND_KEY) {
        MessageBox(FromUtf8(COM_TEXT_NO_PROGRAM_UPLOAD), FromUtf8(kAppTitle), MB_OK | MB_ICONSTOP,
                   GetWidget());
        return;
    }
    m_com.m_nPort = static_cast<unsigned char>(std::max(m_cbPort.GetCurSel(), 0) + 1);
    m_settings = TransferSettings{};
    m_settings.direction = upload ? XFER_DIR_UPLOAD : XFER_DIR_DOWNLOAD;
    m_settings.kind = kind;
    m_settings.transferPath = m_strFilePath;
    const std::string previousInfo = m_strInfo;
    m_strInfoBeforeUpload = m_strInfo;
    m_stStatus.ShowWindow(SW_HIDE);
    if (upload) OnUploadStart();

    // A worker whose end is still on its way (the dialog is idle already)
    // is told to stop: the new open waits for it.
    m_com.ClosePortIfOpen();

    if (m_com.OpenPort() == 1) {
        ++m_nWorkersPending;
        char waiting[64];
        std::snprintf(waiting, sizeof waiting, COM_TEXT_WAITING,
                      static_cast<unsigned>(m_com.m_nPort));
        m_strPortState = waiting;
        ShowInfoText();
        SetTransferDialogBusy(this, 1);
        return;
    }
    if (upload) m_strInfo = previousInfo;
    m_strPortState = m_com.LastOpenError();
    ShowInfoText();
    MessageBox(FromUtf8("OPEN ERROR"), FromUtf8("ERROR"), MB_OK, GetWidget());
}

// Tells the worker to stop and does not wait: its end returns the dialog to
// idle; a Connect meanwhile waits for it first.
void CSTBDownloadDlg::OnDisconnect() {
    if (m_com.ClosePort() != 1) return;
    m_btnDisconnect.EnableWindow(FALSE);
    m_btnAbort.EnableWindow(FALSE);
    m_btnConnect.EnableWindow(TRUE);
}

void CSTBDownloadDlg::OnAbort() {
    m_com.CancelTransfer();
}

// Chooses the file to send and shows its size; a file gone meanwhile clears
// the path and leaves the info text as it was. Cancel changes nothing.
void CSTBDownloadDlg::OnFileLoad() {
    if (m_bClosing || m_bBusy || DirectionIsUpload()) return;
    FileDialog dialog(true, QString(), FromLatin1(m_strFilePath),
                      OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                      FromUtf8(LoadFilterOf(m_cbKind.GetCurSel())), GetWidget());
    dialog.SetTitle(FromUtf8("File Open"));
    if (dialog.DoModal() != IDOK) return;
    m_strFilePath = ToLatin1(dialog.GetPathName());
    ShowFileInfo();
}

void CSTBDownloadDlg::OnKeepChannelList() {
    m_menu.CheckMenuRadioItem(ID_OPTION_CLEAR_CHANNEL_LIST, ID_OPTION_KEEP_CHANNEL_LIST,
                              ID_OPTION_KEEP_CHANNEL_LIST);
    m_com.m_nListOption = 1;
}

void CSTBDownloadDlg::OnClearChannelList() {
    m_menu.CheckMenuRadioItem(ID_OPTION_CLEAR_CHANNEL_LIST, ID_OPTION_KEEP_CHANNEL_LIST,
                              ID_OPTION_CLEAR_CHANNEL_LIST);
    m_com.m_nListOption = 0;
}

void CSTBDownloadDlg::OnSelchangeDirection() {
    UpdateLoadCommand();
}

void CSTBDownloadDlg::OnSelchangePort() {
    // What was said of the last port is not said of another.
    if (!m_com.IsOpen()) m_strPortState.clear();
    ShowInfoText();
}

// Names the file that receives an upload after the local time, in the
// current folder: the info text shows the name, the settings get the path.
LRESULT CSTBDownloadDlg::OnUploadStart() {
    const SystemTime now = GetLocalTime();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%4d%02d%02d_%02d%02d", now.year, now.month, now.day,
                  now.hour, now.minute);
    if (DirectionIsUpload()) {
        const int kind = m_cbKind.GetCurSel();
        std::string name;
        if (kind == XFER_KIND_CHANNEL) name = std::string("ChannlList(") + stamp + ").cdl";
        if (kind == XFER_KIND_KEY) name = std::string("KeyData(") + stamp + ").kdl";
        if (!name.empty()) {
            m_strInfo = name;
            std::error_code error;
            const std::filesystem::path folder = std::filesystem::current_path(error);
            m_settings.receivePath = error ? name : (folder / name).string();
        }
    }
    ShowInfoText();
    return 0;
}

LRESULT CSTBDownloadDlg::OnTransferDone() {
    CloseAndEnd(IDOK);
    return 0;
}

void CSTBDownloadDlg::OnOK() {
    CloseAndEnd(IDOK);
}

void CSTBDownloadDlg::OnCancel() {
    CloseAndEnd(IDCANCEL);
}

void CSTBDownloadDlg::CloseAndEnd(int result) {
    if (m_bClosing) return;
    m_bClosing = true;
    m_com.ClosePort();
    PumpPendingMessages();
    m_bClosing = false;
    EndDialog(result);
}

void CSTBDownloadDlg::PumpPendingMessages() {
    QCoreApplication::processEvents();
    if (WorkerGone()) return;
    QEventLoop loop;
    // The end's notification is the worker's last act on the dialog; its
    // thread leaves a moment later, which the tick sees.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [this, &loop] {
        if (WorkerGone()) loop.quit();
    });
    tick.start(kWorkerEndTickMs);
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    bound.start(kWorkerEndBoundMs);
    m_pEndLoop = &loop;
    loop.exec();
    m_pEndLoop = nullptr;
    if (!WorkerGone()) TRACE("Transfer dialog: the worker did not end in time");
}

bool CSTBDownloadDlg::WorkerGone() const {
    return m_nWorkersPending == 0 && !m_com.IsWorkerRunning();
}

// ---- file information ------------------------------------------------------

// "name  size Bytes" of the file to send; a file that cannot be read clears
// the path and keeps the info text.
void CSTBDownloadDlg::ShowFileInfo() {
    m_lFileSize = 0;
    std::error_code error;
    const std::filesystem::path path(m_strFilePath);
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    if (!regular || error || !std::ifstream(path, std::ios::binary)) {
        m_strFilePath.clear();
        return;
    }
    m_lFileSize = static_cast<std::int64_t>(size);
    m_strInfo = FileNameOf(m_strFilePath) + "  " + std::to_string(m_lFileSize) + " Bytes";
    ShowInfoText();
}

void CSTBDownloadDlg::ShowInfoText() {
    if (IsWindow()) UpdateData(FALSE);
}

// ---- window ----------------------------------------------------------------

// Minimising the dialog hides the window it belongs to (the main window);
// restoring shows it again.
void CSTBDownloadDlg::OnSize(UINT type, int cx, int cy) {
    DialogBase::OnSize(type, cx, cy);
    if (static_cast<int>(type) == m_nLastSizeType) return;
    m_nLastSizeType = static_cast<int>(type);
    QWidget* owner = OwnerWidget();
    if (!owner) return;
    if (type == SIZE_MINIMIZED) owner->hide();
    if (type == SIZE_RESTORED) owner->show();
}

void CSTBDownloadDlg::OnDestroy() {
    if (m_nLastSizeType == static_cast<int>(SIZE_MINIMIZED))
        if (QWidget* owner = OwnerWidget()) owner->show();
    m_nLastSizeType = SIZE_RESTORED;
    DialogBase::OnDestroy();
}

// ---- the link's notifications ----------------------------------------------

bool CSTBDownloadDlg::OnDialogThread() const {
    return QCoreApplication::instance() &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

TransferSettings CSTBDownloadDlg::TransferSettingsSnapshot() {
    ASSERT(OnDialogThread());
    return m_settings;
}

void CSTBDownloadDlg::SetTransferProgress(int percent) {
    ASSERT(OnDialogThread());
    if (m_nWorkersPending > 1 || !IsWindow()) return;
    m_progress.SetPos(percent);
}

void CSTBDownloadDlg::SetTransferIdle() {
    ASSERT(OnDialogThread());
    if (m_nWorkersPending > 1) return;
    SetTransferDialogBusy(this, 0);
}

void CSTBDownloadDlg::HideTransferStatus() {
    ASSERT(OnDialogThread());
    if (m_nWorkersPending > 1 || !IsWindow()) return;
    m_stStatus.ShowWindow(SW_HIDE);
}

void CSTBDownloadDlg::ClearTransferPath() {
    ASSERT(OnDialogThread());
    if (m_nWorkersPending > 1) return;
    m_strFilePath.clear();
}

void CSTBDownloadDlg::ShowTransferMessage(const std::string& text, MessageIcon icon) {
    ASSERT(OnDialogThread());
    MessageBox(FromLatin1(text), FromUtf8(kAppTitle),
               MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0),
               IsWindow() ? GetWidget() : nullptr);
}

// The last notification of a worker. The file it left (a "-2" name when the
// wanted one was taken, a ".part" of an upload cut short) becomes the info
// text; OK and Cancel stop waiting once no worker is left.
void CSTBDownloadDlg::ReceiverAnswered() {
    ASSERT(OnDialogThread());
    m_strPortState.clear();
    ShowInfoText();
}

void CSTBDownloadDlg::TransferEnded(TransferOutcome outcome, const std::string& path) {
    ASSERT(OnDialogThread());
    if (m_nWorkersPending <= 1 && IsWindow()) {
        m_strPortState.clear();
        ShowInfoText();
        if (outcome != TransferOutcome::None) {
            m_strInfo = FileNameOf(path);
            ShowInfoText();
        } else if (m_settings.direction == XFER_DIR_UPLOAD) {
            // No file was made: the name announced at Connect names nothing.
            m_strInfo = m_strInfoBeforeUpload;
            ShowInfoText();
        }
        if (outcome == TransferOutcome::FileMade) ShowReceivedCheck(path);
    }
    m_nWorkersPending = std::max(m_nWorkersPending - 1, 0);
    if (m_pEndLoop && WorkerGone()) m_pEndLoop->quit();
}

// Complete is not correct: a received list that does not decode says so on
// the status line and stays on disk as it came.
void CSTBDownloadDlg::ShowReceivedCheck(const std::string& path) {
    const std::string damage = ReceivedFileDamage(path);
    if (damage.empty()) return;
    m_stStatus.SetWindowText(("Received file is damaged: " + damage).c_str());
    m_stStatus.ShowWindow(SW_SHOW);
}
