// The transfer dialog: the user picks a COM port, the kind of data and the
// direction (and, to send, a file), connects, and follows one transfer with
// the receiver at a time; several may follow one another. The dialog owns the
// serial link; the link's worker reads nothing of the dialog (the settings are
// a snapshot taken at Connect) and its notifications arrive queued on this
// thread, where they change the controls.
#pragma once

#include <cstdint>
#include <string>

#include "controls/button.h"
#include "com.h"
#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "window/icon.h"
#include "window/menu.h"
#include "controls/progressctrl.h"
#include "controls/statictext.h"
#include "transferowner.h"

class QEventLoop;

// What a Communication command asks the dialog to do; any other value
// behaves as XFER_DOWNLOAD_PROGRAM.
enum XferMode : unsigned {
    XFER_UPLOAD_CHANNEL = 1,
    XFER_DOWNLOAD_CHANNEL = 2,
    XFER_DOWNLOAD_PROGRAM = 4,
    XFER_UPLOAD_KEY = 5,
    XFER_DOWNLOAD_KEY = 6,
};

class CSTBDownloadDlg : public platform::DialogBase, public ITransferOwner {
  public:
    // Takes the program's command line, without one pair of enclosing
    // quotes, as the file to send.
    CSTBDownloadDlg();
    ~CSTBDownloadDlg() override;

    // Runs the dialog modally over parent in the given mode; IDOK or
    // IDCANCEL (-1 when the window could not be made).
    virtual int RunTransfer(platform::Window* parent, unsigned mode, void* source);

    // The link, for tests that shorten its waits or fix its clock.
    CCOM& Link() { return m_com; }
    platform::Menu& GetMenu() { return m_menu; }
    const std::string& TransferPath() const { return m_strFilePath; }
    const std::string& InfoText() const { return m_strInfo; }
    bool IsBusy() const { return m_bBusy; }

    // The idle (0) or busy (1) state of the controls; other values change
    // nothing.
    void ApplyTransferState(int state);

    // ITransferOwner: every call comes on the dialog's thread.
    TransferSettings TransferSettingsSnapshot() override;
    void SetTransferProgress(int percent) override;
    void SetTransferIdle() override;
    void HideTransferStatus() override;
    void ClearTransferPath() override;
    void ShowTransferMessage(const std::string& text, MessageIcon icon) override;
    void TransferEnded(TransferOutcome outcome, const std::string& path) override;
    void ReceiverAnswered() override;

  protected:
    void CreateControls() override;
    void DoDataExchange(platform::DataExchange* pDX) override;
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSize(platform::UINT type, int cx, int cy) override;
    void OnDestroy() override;
    platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;

  private:
    void OnConnect();
    void OnDisconnect();
    void OnAbort();
    void OnFileLoad();
    void OnKeepChannelList();
    void OnClearChannelList();
    void OnSelchangeDirection();
    void OnSelchangePort();
    platform::LRESULT OnUploadStart();
    platform::LRESULT OnTransferDone();

    void ShowFileInfo();
    // Checks a received file; a damaged one is told on the status line.
    void ShowReceivedCheck(const std::string& path);
    // Shows the info text and, under it, the device behind the chosen port.
    void ShowInfoText();
    void UpdateLoadCommand();
    bool DirectionIsUpload() const;
    // Runs this thread's events until the worker's end has arrived and its
    // thread has left, so that what it queued comes first; returns at once
    // when none runs.
    void PumpPendingMessages();
    // The closing steps of OK and Cancel: the port closed, the worker's end
    // awaited, the dialog ended with result.
    void CloseAndEnd(int result);
    bool OnDialogThread() const;
    // No worker runs and none has an end still to report.
    bool WorkerGone() const;

    CCOM m_com;
    std::int64_t m_lFileSize = 0;
    std::string m_strFilePath; // the file to send; empty when none
    unsigned m_nMode = 0;
    void* m_pSource = nullptr;
    platform::Window* m_pParent = nullptr;
    int m_nLastSizeType = 0;

    platform::ComboBox m_cbPort;
    platform::ComboBox m_cbBaud;
    platform::ComboBox m_cbKind;
    platform::ComboBox m_cbDirection;
    platform::Button m_btnConnect;
    platform::Button m_btnDisconnect;
    platform::Button m_btnAbort;
    platform::Button m_btnLoad;
    platform::ProgressCtrl m_progress;
    platform::Static m_stInfo;
    platform::Static m_stStatus;

    std::string m_strInfo;
    // After the port line: why the last Connect failed, or the wait for the
    // receiver; empty otherwise.
    std::string m_strPortState;
    // The info text before an upload named its receive file at Connect.
    std::string m_strInfoBeforeUpload;
    platform::HICON m_hIcon;
    platform::Menu m_menu;

    bool m_bBusy = false;
    bool m_bClosing = false;
    // Workers whose end has not arrived yet. Only the newest one's
    // notifications change the controls: a Connect right after a Disconnect
    // starts a new worker before the old one's last notifications arrive.
    int m_nWorkersPending = 0;
    TransferSettings m_settings; // the snapshot of the current Connect
    QEventLoop* m_pEndLoop = nullptr;
};

// Puts the dialog into its idle (0) or busy (1) state.
void SetTransferDialogBusy(CSTBDownloadDlg* dialog, int state);
