#include "mainfrm.h"

#include "base/appcommandline.h"
#include "cdlfile.h"
#include "channellistmenu.h"
#include "window/cmdui.h"
#include "dialogrunner.h"
#include "mainmenu.h"
#include "window/menubuilder.h"
#include "dialogs/messagebox.h"
#include "networktp.h"
#include "orderingchannel.h"
#include "dialogs/printjob.h"
#include "quorvandelixdoc.h"
#include "resource.h"
#include "supervw.h"
#include "base/text.h"
#include "base/trace.h"
#include "workfile.h"
#include "window/icon.h"
#include "window/mainwnd.h"
#include "window/screenfit.h"
#include "mainicon.h"
#include "toolbaricons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <cstdio>
#include <cstring>
#include <iterator>

using namespace platform;

int g_bFirstShow = 1;
char g_szStartDir[kStartDirSize] = "";
int CMainFrame::s_nPleaseWaitMs = 500;

namespace {

constexpr int kLevelTransponder = CNetworkTp::kLevelTransponder;
// The splitter's pane (0,1): the framework's first pane id plus one.
constexpr UINT kPaneRightId = 0xE900 + 1;
// Where the window asks to be and how big, as the original placed it.
constexpr QRect kFramePlacement(100, 50, 1095, 900);
// The tree's share of the window's width.
constexpr double kTreeShare = 0.25;

// The command line as a path: one pair of enclosing quotes removed, the
// rest kept whole however long it is.
std::string StripEnclosingQuotes(const std::string& line) {
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        return line.substr(1, line.size() - 2);
    return line;
}

} // namespace

// Both buffers keep their old contents when the new path does not fit: a
// cut path would name another directory.
int SetStartDirectory(const std::string& dir) {
    const std::string temp = dir + "/data.tmp";
    if (dir.size() >= kStartDirSize || temp.size() >= CDL_TEMP_PATH_SIZE) {
        MessageBox(FromLatin1("The start-up directory is too long:\n" + dir), kAppTitle,
                   MB_OK | MB_ICONSTOP);
        return 0;
    }
    std::memcpy(g_szStartDir, dir.c_str(), dir.size() + 1);
    std::memcpy(g_szTempPath, temp.c_str(), temp.size() + 1);
    return 1;
}

CMainFrame::CMainFrame(CQuorvandelixDoc* doc) : m_pDoc(doc) {
    m_szCmdLine = StripEnclosingQuotes(GetAppCommandLine());
    m_bLoaded = 0;
    m_bNewFile = 0;
    // The working files lie in the start-up directory; its path reaches the
    // file functions as the file system's bytes.
    m_bStartDirOk = SetStartDirectory(QFile::encodeName(QDir::currentPath()).toStdString()) != 0;
    // No list yet: the working file is closed and the list has no name.
    CloseWorkImageFile();
    g_szCurFileName[0] = '\0';
    m_deleteService = [](SvcHandle handle) { return SLM_DeleteService(handle); };
    MapCommands();
    // Dialogs without a parent of their own open over this window.
    SetMainWnd(this);
    // Every change that reaches the database marks the caption at once.
    DB_SetChangeHook([this] { RefreshCaption(); });
    setWindowIcon(LoadIcon(MainIconPixmap()));
}

CMainFrame::~CMainFrame() {
    DB_SetChangeHook(nullptr);
    if (GetMainWnd() == this) SetMainWnd(nullptr);
    CloseWorkImageFile();
    disconnect(qApp, nullptr, this, nullptr);
    m_pActiveView = nullptr;
    for (auto& [id, timer] : m_timers)
        timer->stop();
    // The panes outlive this object's own parts for a moment: they must not
    // call back into it.
    if (m_pTree) m_pTree->SetHost(nullptr);
    if (m_pView) {
        m_pView->SetSelectionChanged(nullptr);
        m_pView->GetGrid()->SetHost(nullptr);
        m_pView->GetGrid()->SetSelectionSource(nullptr);
    }
    // The pane's window goes before the splitter that holds its widget.
    if (m_pView && m_pView->IsWindow()) {
        m_pView->GetWidget()->setParent(nullptr);
        m_pView->DestroyWindow();
    }
}

bool CMainFrame::Create() {
    PreCreateWindow();
    if (OnCreate() == -1) return false;
    return OnCreateClient() != 0;
}

// The original's place and size where the screen has room for them; on a
// smaller screen the window is cut to the screen's free area.
void CMainFrame::PreCreateWindow() {
    setGeometry(FitToArea(kFramePlacement, FrameMargins(*this),
                          AvailableArea(*this, kFramePlacement.topLeft())));
    // The right button on the frame and its bars opens no menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

// Menu 128. The menu and the toolbar share one action per command.
void CMainFrame::BuildMenu() {
    for (const auto& [id, action] : FillMenuBar(*menuBar(), MainFrameMenu(), this)) {
        connect(action, &QAction::triggered, this, [this, id = id] { ExecuteCommand(id); });
        m_actions[id] = action;
    }
    for (QAction* top : menuBar()->actions())
        connect(top->menu(), &QMenu::aboutToShow, this, [this] { UpdateActions(); });
}

QMenu* CMainFrame::TopMenu(int index) const {
    const QList<QAction*> tops = menuBar()->actions();
    return index >= 0 && index < tops.size() ? tops[index]->menu() : nullptr;
}

int CMainFrame::OnCreate() {
    BuildMenu();
    // Toolbar 128.
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar128"));
    const unsigned buttons[] = {ID_NEW_FILE,
                                ID_LOAD_CHANNEL_DATA,
                                ID_SAVE_CHANNEL_DATA,
                                ID_UPLOAD_CHANNEL_DATA,
                                ID_DOWNLOAD_CHANNEL_DATA,
                                ID_DOWNLOAD_PROGRAM,
                                ID_ADD_CHANNEL,
                                ID_DELETE_CHANNEL,
                                ID_DELETE_ALL};
    // Toolbar 128's pictures, in the buttons' order: the style's own, and
    // drawn ones where the style's do not show well (toolbaricons.h).
    const QIcon pictures[] = {LoadIcon(NewFileToolPixmap()),
                              style()->standardIcon(QStyle::SP_DialogOpenButton),
                              style()->standardIcon(QStyle::SP_DialogSaveButton),
                              style()->standardIcon(QStyle::SP_ArrowLeft),
                              style()->standardIcon(QStyle::SP_ArrowRight),
                              style()->standardIcon(QStyle::SP_ComputerIcon),
                              style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                              LoadIcon(DeleteChannelToolPixmap()),
                              LoadIcon(DeleteAllToolPixmap())};
    static_assert(std::size(pictures) == std::size(buttons));
    for (size_t i = 0; i < std::size(buttons); ++i) {
        if (QAction* action = Action(buttons[i])) {
            action->setIcon(pictures[i]);
            m_wndToolBar->addAction(action);
        } else {
            Trace("Failed to create toolbar\n");
            return -1;
        }
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    // The message pane and the three lock-key panes, left empty.
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("statusbar%1").arg(AFX_IDW_STATUS_BAR));
    for (int pane = 0; pane < 3; ++pane)
        m_wndStatusBar->addPermanentWidget(new QLabel(m_wndStatusBar));
    setStatusBar(m_wndStatusBar);
    UpdateActions();
    return 0;
}

int CMainFrame::OnCreateClient() {
    const int width = frameGeometry().width();
    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->setChildrenCollapsible(false);
    m_pTree = new CNetworkTp(m_mainSplitter);
    m_pTree->SetHost(this);
    m_pView = std::make_unique<CSuperVw>();
    if (!m_pView->Create(WS_OVERLAPPED, Rect(0, 0, width - width / 4, height()), nullptr,
                         kPaneRightId)) {
        MessageBox("Error setting up splitter view", "ERROR", MB_OK | MB_ICONSTOP);
        return 0;
    }
    m_mainSplitter->addWidget(m_pView->GetWidget());
    m_pView->GetWidget()->show();
    m_pView->GetGrid()->SetSelectionSource(this);
    m_pView->GetGrid()->SetHost(this);
    m_pView->SetSelectionChanged([this] { UpdateActions(); });
    // Only the right pane takes what the window gains or loses later.
    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    SplitPanes(width);
    setCentralWidget(m_mainSplitter);
    m_pTree->OnInitialUpdate();
    // The pane that takes the focus becomes the active view; Ctrl+P sends the
    // print command to it (only the channel-list pane handles it).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !m_pTree || !m_pView) return;
        if (now == m_pTree || m_pTree->isAncestorOf(now))
            m_pActiveView = m_pTree;
        else if (QWidget* pane = m_pView->GetWidget(); pane == now || pane->isAncestorOf(now))
            m_pActiveView = m_pView.get();
    });
    AddPaneKeys();
    auto* print = new QAction(this);
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { ExecuteCommand(ID_FILE_PRINT); });
    addAction(print);
    setAcceptDrops(true);
    return 1;
}

CNetworkTp* CMainFrame::GetNetworkTp() const {
    if (!m_mainSplitter || m_mainSplitter->count() < 1) return nullptr;
    return qobject_cast<CNetworkTp*>(m_mainSplitter->widget(0));
}

CSuperVw* CMainFrame::GetSuperVw() const {
    if (!m_mainSplitter || m_mainSplitter->count() < 2) return nullptr;
    return dynamic_cast<CSuperVw*>(Window::FromWidget(m_mainSplitter->widget(1)));
}

CSuperGridCtrl* CMainFrame::ChannelList() const {
    CSuperVw* view = GetSuperVw();
    return view ? view->GetGrid() : nullptr;
}

QAction* CMainFrame::Action(unsigned id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetLoaded(int loaded) {
    m_bLoaded = loaded;
    UpdateActions();
}

// A command without a rule is enabled when something handles it.
void CMainFrame::UpdateActions() {
    for (auto& [id, action] : m_actions) {
        CmdUI ui(id);
        if (OnCmdMsg(id, 0, CommandCall::Update, &ui) && ui.EnableChanged())
            action->setEnabled(ui.IsEnabled());
        else
            action->setEnabled(OnCmdMsg(id, 0, CommandCall::Probe, nullptr));
    }
}

bool CMainFrame::OnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui) {
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id, code, call, ui)) return true;
    if (OwnCmdMsg(id, code, call, ui)) return true;
    return m_pApp && m_pApp->OnCmdMsg(id, code, call, ui);
}

void CMainFrame::MapCommands() {
    const auto loaded = [this](CmdUI& ui) { ui.Enable(m_bLoaded != 0); };
    const auto loadedWithRows = [this](CmdUI& ui) {
        CSuperGridCtrl* list = ChannelList();
        ui.Enable(m_bLoaded != 0 && list && list->GetSelectedCount() > 0);
    };
    const auto never = [](CmdUI& ui) { ui.Enable(false); };
    const auto leaveAsIs = [](CmdUI&) {};

    MapCommand(ID_ADD_CHANNEL, [this] { OnAddChannel(); });
    MapUpdateCommandUI(ID_ADD_CHANNEL, loaded);
    MapCommand(ID_DELETE_CHANNEL, [this] { OnDeleteChannel(); });
    MapUpdateCommandUI(ID_DELETE_CHANNEL, loadedWithRows);
    MapCommand(ID_DELETE_ALL, [this] { OnDeleteAll(); });
    MapUpdateCommandUI(ID_DELETE_ALL, loadedWithRows);
    MapCommand(ID_MOVE_CHANNEL, [this] { OnMoveChannel(); });
    MapUpdateCommandUI(ID_MOVE_CHANNEL, loaded);
    MapCommand(ID_APP_EXIT, [this] { close(); });

    MapCommand(ID_NEW_FILE, [this] { OnNewFile(); });
    MapCommand(ID_LOAD_CHANNEL_DATA, [this] { OnLoadChannelData(); });
    MapCommand(ID_SAVE_CHANNEL_DATA, [this] { OnSaveChannelData(); });
    MapCommand(ID_UPLOAD_CHANNEL_DATA, [this] { OnUploadChannelData(); });
    MapCommand(ID_DOWNLOAD_CHANNEL_DATA, [this] { OnDownloadChannelData(); });
    MapCommand(ID_DOWNLOAD_PROGRAM, [this] { OnDownloadProgram(); });
    MapCommand(ID_KEYDATA_UPLOAD, [this] { OnKeyDataUpload(); });
    MapCommand(ID_KEYDATA_DOWNLOAD, [this] { OnKeyDataDownload(); });
    MapUpdateCommandUI(ID_SAVE_CHANNEL_DATA, leaveAsIs);
    MapUpdateCommandUI(ID_DOWNLOAD_CHANNEL_DATA, leaveAsIs);

    // Commands of menus the program never loads.
    const auto notApplied = [](const char* caption) {
        return [caption] { MessageBox("This function is not applied.", caption, MB_OK); };
    };
    for (unsigned id :
         {ID_USER_PREFERENCE, ID_TIME_ADJUSTMENT, ID_PARENTAL_CONTROL, ID_LOAD_SATCODX})
        MapCommand(id, notApplied("Information"));
    MapCommand(ID_EDIT_FAVORITE, notApplied("Infomation"));
    MapUpdateCommandUI(ID_EDIT_FAVORITE, loaded);
    for (unsigned id :
         {ID_DOWNLOAD_SATCODX, ID_UNUSED_32803, ID_VIEW_TV_CHANNEL, ID_VIEW_RADIO_CHANNEL,
          ID_SORT_NORMAL, ID_SORT_ALPHABETICAL, ID_SORT_SATELLITE, ID_UNUSED_32826, ID_ADD_NETWORK,
          ID_DELETE_TRANSPORT, ID_ADD_CHANNEL_TREE})
        MapCommand(id, [] {});
    MapUpdateCommandUI(ID_VIEW_TV_CHANNEL, loaded);
    MapUpdateCommandUI(ID_VIEW_RADIO_CHANNEL, never);
    for (unsigned id : {ID_SORT_NORMAL, ID_SORT_ALPHABETICAL, ID_SORT_SATELLITE})
        MapUpdateCommandUI(id, loaded);
    MapUpdateCommandUI(ID_UNUSED_32826, never);
}

void CMainFrame::AddPaneKeys() {
    auto* other = new QAction(this);
    other->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6),
                         QKeySequence(Qt::CTRL | Qt::Key_Tab),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
    connect(other, &QAction::triggered, this, [this] { FocusOtherPane(); });
    addAction(other);
}

// Two panes: either key goes to the one that does not have the focus.
void CMainFrame::FocusOtherPane() {
    if (!m_pTree) return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == m_pTree || m_pTree->isAncestorOf(focus)))
        FocusChannelList();
    else
        m_pTree->setFocus(Qt::ShortcutFocusReason);
}

bool CMainFrame::FocusChannelList() {
    CSuperGridCtrl* list = ChannelList();
    if (!list || !list->IsWindow()) return false;
    list->SetFocus();
    return true;
}

void CMainFrame::SplitPanes(int width) {
    const int tree = static_cast<int>(width * kTreeShare);
    m_mainSplitter->setSizes({tree, width - tree});
}

// The window manager frames the window only after it is shown, and its frame
// may then not fit where the window was placed: until a frame has been seen
// the window is fitted again, each pane keeping its share.
void CMainFrame::FitFrameToScreen() {
    if (!m_bFitPending || !isVisible() || isMaximized() || isFullScreen()) return;
    const QMargins frame = FrameMargins(*this);
    if (!frame.isNull()) m_bFitPending = false;
    const QRect fitted = FitToArea(geometry(), frame, AvailableArea(*this, pos()));
    if (fitted == geometry()) return;
    setGeometry(fitted);
    if (m_mainSplitter) SplitPanes(fitted.width());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (SaveModified())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    OnShowWindow();
    FitFrameToScreen();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FitFrameToScreen();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitFrameToScreen();
}

// The command line's file opens once the window has been shown for the
// first time.
void CMainFrame::OnShowWindow() {
    if (g_bFirstShow != 1) return;
    g_bFirstShow = 0;
    if (!m_szCmdLine.empty()) SetTimer(kTimerOpenCmdLine, kOpenCmdLineDelayMs);
}

void CMainFrame::SetTimer(unsigned id, int elapseMs) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
    }
    timer->start(elapseMs);
}

void CMainFrame::KillTimer(unsigned id) {
    auto it = m_timers.find(id);
    if (it != m_timers.end()) it->second->stop();
}

bool CMainFrame::IsTimerActive(unsigned id) const {
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second->isActive();
}

void CMainFrame::OnTimer(unsigned id) {
    if (id == kTimerOpenCmdLine) {
        KillTimer(kTimerOpenCmdLine);
        OpenWorkFile(m_szCmdLine.c_str());
    } else if (id == kTimerCloseWait) {
        KillTimer(kTimerCloseWait);
        if (m_waitDlg.IsWindow()) m_waitDlg.SendMessage(WM_CLOSE);
    }
}

int CMainFrame::PleaseWait() {
    SetTimer(kTimerCloseWait, s_nPleaseWaitMs);
    return m_waitDlg.DoModal();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only local files are dropped files. Their paths are the file system's
// bytes as the URL carries them, percent-encoded: decoding to text first
// would lose a byte that is no UTF-8.
void CMainFrame::dropEvent(QDropEvent* event) {
    DropFiles drop;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            drop.paths.push_back(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                    .toStdString());
    const QPoint at = event->position().toPoint();
    drop.point = Point(at.x(), at.y());
    event->acceptProposedAction();
    if (!drop.paths.empty()) OnDropFiles(&drop);
}

void CMainFrame::OnAddChannel() {
    const CNetworkTp* tree = GetNetworkTp();
    if (!tree) return;
    if (RunEditChannel(this, 1, tree->m_select, tree->m_iNet, tree->m_iTp) != 0) RefreshList(TRUE);
}

// The tree list deletes the selected rows' services itself; the flag makes
// it leave the rebuild to this command.
void CMainFrame::OnDeleteChannel() {
    const CNetworkTp* tree = GetNetworkTp();
    CSuperGridCtrl* list = ChannelList();
    if (m_bLoaded && tree && list) {
        if (tree->m_select == kLevelTransponder) {
            list->SetDeleteByCommand(1);
            NMLVKEYDOWN key;
            key.hdr.hwndFrom = list->GetSafeHwnd();
            key.hdr.idFrom = static_cast<UINT_PTR>(list->GetDlgCtrlID());
            key.hdr.code = LVN_KEYDOWN;
            key.wVKey = VK_DELETE;
            LRESULT result = 0;
            list->OnKeydown(&key.hdr, &result);
        } else {
            MessageBox("Delete operation is only operate in Seleted TP.", "Infomation", MB_OK);
        }
    }
    RefreshList(TRUE);
}

// Deletes service 0 of the selected transponder until none is left. A
// delete that fails stops the loop: the lookup would give the same service
// again for ever.
void CMainFrame::OnDeleteAll() {
    if (!m_bLoaded) return;
    const CNetworkTp* tree = GetNetworkTp();
    if (tree && tree->m_select == kLevelTransponder) {
        const TpInfo key = tree->m_tpInfo;
        for (;;) {
            SvcHandle handle = SVC_HANDLE_INVALID;
            if (SLM_GetNthServiceHandleWithTpInfo(&key, 0, &handle) != 0) break;
            if (handle == SVC_HANDLE_INVALID) break;
            if (m_deleteService(handle) != 0) break;
        }
    }
    RefreshList(TRUE);
}

void CMainFrame::OnMoveChannel() {
    COrderingChannel dialog;
    dialog.DoModal();
    RefreshList(TRUE);
}

// The channel list's own row delete: row r is service r - 1 of the selected
// transponder, nothing while no transponder is selected.
BOOL CMainFrame::DeleteRowService(int row) {
    CSuperVw* view = GetSuperVw();
    return view ? view->GetGrid()->DeleteRowService(row) : FALSE;
}

void CMainFrame::RefreshList(BOOL bAll) {
    if (CSuperVw* view = GetSuperVw()) view->RefreshList(bAll);
    UpdateActions();
}

CommandTarget* CMainFrame::PopupMenuOwner() const {
    return const_cast<CMainFrame*>(this);
}

std::vector<PopupMenuItem> CMainFrame::PopupMenuItems() const {
    return ChannelListPopupMenu(kChannelListPopup);
}

void CMainFrame::RefreshChannelList(int flag) {
    RefreshList(flag);
}

void CMainFrame::RebuildChannelList(int flag) {
    RefreshList(flag);
}

NetworkSelection CMainFrame::GetNetworkSelection() const {
    NetworkSelection selection;
    if (const CNetworkTp* tree = GetNetworkTp()) {
        selection.m_select = tree->m_select;
        selection.m_iNet = tree->m_iNet;
        selection.m_tpInfo = tree->m_tpInfo;
    }
    return selection;
}
