// The main window: menu 128, the toolbar, the status bar and a splitter with
// the satellite and transponder tree on the left and the channel-list pane
// on the right. It owns the "list loaded" flag, enables the editing commands
// by it, runs the channel commands of the Edit menu and shows the short
// "Please Wait" dialog after a load. It is the tree's and the tree list's
// host: both reach the channel-list pane and the flag through it.
#pragma once

#include "window/commandtarget.h"
#include "directmove2.h"
#include "window/dropfiles.h"
#include "networkselection.h"
#include "networktphost.h"
#include "slm.h"
#include "treelisthost.h"

#include <QByteArray>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CNetworkTp;
class CQuorvandelixDoc;
class CSuperGridCtrl;
class CSuperVw;
class QAction;
class QMenu;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolBar;

// 1 until the main window has been shown for the first time.
extern int g_bFirstShow;
// The directory current at start-up (the working files lie there).
constexpr size_t kStartDirSize = 513;
extern char g_szStartDir[kStartDirSize];

// Takes dir as the start-up directory and the working image path as dir
// joined with "data.tmp". A directory too long for either is refused with a
// message, and both keep what they held: 0. Else 1.
int SetStartDirectory(const std::string& dir);

class CMainFrame : public QMainWindow,
                   public platform::CommandTarget,
                   public ITreeListHost,
                   public NetworkTpHost,
                   public INetworkSelectionSource {
    Q_OBJECT

  public:
    // Timers of the main window.
    static constexpr unsigned kTimerOpenCmdLine = 2;
    static constexpr unsigned kTimerCloseWait = 3;
    static constexpr int kOpenCmdLineDelayMs = 100;
    // How long "Please Wait" stays after a load; settable for tests.
    static int s_nPleaseWaitMs;

    // Copies the program's command line (one pair of enclosing quotes
    // removed) and takes the current directory as the start-up directory.
    // doc, the program's one document, must outlive the window.
    explicit CMainFrame(CQuorvandelixDoc* doc);
    ~CMainFrame() override;

    // Creates the bars and the splitter with its two panes; false when the
    // window cannot be made (after a trace or a message).
    bool Create();
    // False when the start-up directory did not fit (the program ends).
    bool StartDirOk() const { return m_bStartDirOk; }

    CNetworkTp* GetNetworkTp() const;
    CSuperVw* GetSuperVw() const;
    CQuorvandelixDoc* GetActiveDocument() const { return m_pDoc; }

    // The application, whose commands come after the window's own.
    void SetApp(platform::CommandTarget* app) { m_pApp = app; }

    // Sets m_bLoaded and the commands' states.
    void SetLoaded(int loaded);
    // Runs every update rule on the menu's and the toolbar's actions.
    void UpdateActions();
    // The action of a command id; null when the window has none.
    QAction* Action(unsigned id) const;
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QMenu* TopMenu(int index) const;

    // Opens the file (file-system bytes) as the working image file, reads
    // the image from it and loads it. A file that does not open or cannot be
    // read, or an image that is no database, is told and leaves no list
    // loaded and the working file closed.
    virtual void OpenWorkFile(const char* path);
    // Starts timer 3 and shows "Please Wait" until it ends the dialog;
    // the dialog's result (IDOK when the timer closed it, -1 when it could
    // not be shown).
    int PleaseWait();

    void SetTimer(unsigned id, int elapseMs);
    void KillTimer(unsigned id);
    bool IsTimerActive(unsigned id) const;
    void OnTimer(unsigned id);

    // The file commands. Each tells its failure in a message box and leaves
    // the files on disk as they were (Save: the list's file keeps its old
    // contents).
    void OnNewFile();
    void OnLoadChannelData();
    void OnSaveChannelData();
    // The last of the dropped files is opened as a raw image.
    void OnDropFiles(platform::HDROP drop);

    // True while the loaded list has changes that no save has written.
    bool IsListModified() const;
    // When the list has such changes, asks "Save changes to <name>?": Yes
    // saves it by the road that opened it and answers true only when the
    // save succeeded; No answers true; Cancel answers false. True at once
    // without changes. New, Load, a drop, the window's close and the reload
    // after an upload ask first.
    bool SaveModified();
    // The window's caption: base, with "*" after it while the list has
    // changes not saved.
    void SetCaption(const QString& base);

    // The Communication commands: the transfer dialog in the command's mode.
    // An upload of channel data that ends with OK is followed by the
    // date-file step.
    void OnUploadChannelData();
    void OnDownloadChannelData();
    void OnDownloadProgram();
    void OnKeyDataUpload();
    void OnKeyDataDownload();

    // Channel commands.
    void OnAddChannel();
    void OnDeleteChannel();
    void OnDeleteAll();
    void OnMoveChannel();

    // Routes a command: the active view (the pane that last had the focus),
    // the window's own table, then the application.
    bool OnCmdMsg(unsigned id, unsigned code, platform::CommandCall call,
                  platform::CmdUI* ui) override;
    bool AutoMenuEnable() const override { return true; }

    // ITreeListHost
    platform::BOOL IsLoaded() const override { return m_bLoaded; }
    platform::BOOL DeleteRowService(int row) override;
    void RefreshList(platform::BOOL bAll) override;
    platform::CommandTarget* PopupMenuOwner() const override;
    // Menu 163.
    std::vector<platform::PopupMenuItem> PopupMenuItems() const override;
    // NetworkTpHost
    void RefreshChannelList(int flag) override;
    void RebuildChannelList(int flag) override;
    bool FocusChannelList() override;
    // INetworkSelectionSource: the tree's selection.
    NetworkSelection GetNetworkSelection() const override;

    // How Delete All deletes a service (a test makes it fail).
    std::function<SLM_RESULT(SvcHandle)> m_deleteService;

    std::string m_szCmdLine;
    QSplitter* m_mainSplitter = nullptr;
    int m_bLoaded = 0;
    int m_bNewFile = 0;
    CDirectMove2 m_waitDlg;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;

  protected:
    void PreCreateWindow();
    // -1 when a bar cannot be made.
    int OnCreate();
    // 0 after a message when the splitter or a pane cannot be made.
    int OnCreateClient();
    void OnShowWindow();
    void showEvent(QShowEvent* event) override;
    // File > Exit and the close box: the window closes only once
    // SaveModified lets it.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void MapCommands();
    // F6, Shift+F6, Ctrl+Tab and Ctrl+Shift+Tab: the keyboard focus goes to
    // the other pane.
    void AddPaneKeys();
    void FocusOtherPane();
    // The tree takes its share of width, the channel-list pane the rest.
    void SplitPanes(int width);
    // Cuts the shown window to the screen's free area once its frame is
    // known; nothing after that or while it is maximised.
    void FitFrameToScreen();
    // The first step of New, Load and a drop: no list is loaded any more,
    // the working file is closed and the views are empty.
    void CloseList();
    void EmptyViews();
    // The caption of an opened list, with the current list's file name.
    void SetListCaption();
    // The caption again, after the list changed or was saved.
    void RefreshCaption();
    // The list's file name as the user knows it: the container's, the raw
    // image's, "NewData.cdl" for a new list.
    QString ListDisplayName() const;
    // Save Channel Data after its question: the commit, then the road that
    // opened the list; true when the list is on disk. Failures are told.
    bool SaveList();
    // image, read from a working file or a container, becomes the loaded
    // list: 1. 0, after the message, when it is no database (no list is
    // loaded then and the working file is closed).
    int LoadImage(const QByteArray& image);
    // The end of a successful load: "Please Wait", then the tree and the
    // channel list rebuilt.
    void ShowLoadedList();
    // "File Open Fail! [path]", with the system's text for error on a line
    // of its own when it is not 0; no list stays loaded.
    void OpenFailed(const QByteArray& path, int error = 0);
    // The container at path, checked and unwrapped into image: true. False
    // after the reader's message, or "File Open Fail!" when the file cannot
    // be read; nothing is written either way.
    bool DecodeList(const QByteArray& path, QByteArray& image);
    // Save of a list that has a file, by the road that opened it: false
    // after "File Save Fail!".
    bool SaveOpenList(const QByteArray& image);
    // The image into the working copy "data.tmp"; false when it fails.
    bool WriteWorkingCopy(const QByteArray& image);
    // The image into the raw image file the list came from, replaced whole;
    // false after a message.
    bool SaveRawImage(const QByteArray& image);
    // The file a Save of the current list writes, as "File Save Fail!" names it.
    QByteArray SaveTarget() const;
    // Save of a new list under a name the user chooses; false after a
    // message or when the dialog was cancelled.
    bool SaveNewList(const QByteArray& image);
    // "File Save Fail! [path]".
    void SaveFailed(const QByteArray& path);
    // Runs the transfer dialog in a mode; its result.
    int RunTransfer(unsigned mode);
    // After an upload of channel data: today's date file must exist; then
    // the caption names it and the list is reloaded from the image in
    // memory.
    void OpenUploadDateFile();
    void BuildMenu();
    CSuperGridCtrl* ChannelList() const;

    // Which road opened the loaded list: Save writes it back by that road,
    // whatever the folder holds by then.
    enum class ListFile {
        None,      // no list, or one without a file of its own
        Container, // unwrapped from a ".cdl"; "data.tmp" is its working copy
        RawImage,  // a raw image from the command line, a drop or New
    };
    ListFile m_listFile = ListFile::None;
    // The raw image file the list came from (file-system bytes).
    QByteArray m_rawImagePath;

    QString m_captionBase;

    CQuorvandelixDoc* m_pDoc;
    platform::CommandTarget* m_pApp = nullptr;
    bool m_bStartDirOk = true;
    // Until the window system has framed the shown window.
    bool m_bFitPending = true;
    CNetworkTp* m_pTree = nullptr;
    std::unique_ptr<CSuperVw> m_pView;
    // The active view: the pane that last had the focus, none before either had it.
    platform::CommandTarget* m_pActiveView = nullptr;
    std::map<unsigned, QAction*> m_actions;
    std::map<unsigned, QTimer*> m_timers;
};
