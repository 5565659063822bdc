#include "panewindow.h"

#include "dialogs/printjob.h"

#include <QAction>
#include <QKeySequence>
#include <QSplitter>
#include <QTest>

PaneWindow::PaneWindow() {
    resize(800, 500);
    splitter = new QSplitter(Qt::Horizontal, this);
    tree = new CNetworkTp(splitter);
    tree->SetHost(this);
    view = std::make_unique<CSuperVw>();
    view->Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 600, 500), nullptr, 0);
    splitter->addWidget(view->GetWidget());
    view->GetWidget()->show();
    view->m_grid.SetSelectionSource(this);
    splitter->setSizes({200, 600});
    setCentralWidget(splitter);
    tree->OnInitialUpdate();

    router.AddView(tree, tree);
    router.AddView(view.get(), view->GetWidget());
    QAction* print = router.Action(platform::ID_FILE_PRINT);
    print->setShortcut(QKeySequence::Print);
    addAction(print);
}

PaneWindow::~PaneWindow() {
    view->m_grid.SetSelectionSource(nullptr);
    tree->SetHost(nullptr);
}

bool PaneWindow::ShowActive() {
    show();
    activateWindow();
    if (!QTest::qWaitForWindowActive(this)) return false;
    tree->Refresh();
    return true;
}

void PaneWindow::SelectTransponder(uint8_t slot, uint16_t row) {
    tree->m_select = CNetworkTp::kLevelTransponder;
    tree->m_iNet = slot;
    tree->m_iTp = row;
    tree->UpdateGridList(CNetworkTp::kLevelTransponder, slot, row);
}

void PaneWindow::RefreshChannelList(int flag) {
    view->RefreshList(flag);
}

void PaneWindow::RebuildChannelList(int flag) {
    view->m_grid.RebuildList(flag);
}

NetworkSelection PaneWindow::GetNetworkSelection() const {
    NetworkSelection selection;
    selection.m_select = tree->m_select;
    selection.m_iNet = tree->m_iNet;
    selection.m_tpInfo = tree->m_tpInfo;
    return selection;
}
