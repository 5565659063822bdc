// A main window with the two panes as the editor's main window has them: a
// splitter with the satellite and transponder tree in pane (0,0) and the
// channel-list pane in pane (0,1), the tree's host and the channel list's
// selection source, and the frame's command routing with the active view:
// the Print action (Ctrl+P, QKeySequence::Print) sends 57607 to the pane that
// last had the focus.
#pragma once

#include "window/commandrouter.h"
#include "networkselection.h"
#include "networktp.h"
#include "networktphost.h"
#include "supervw.h"

#include <QMainWindow>

#include <memory>

class QSplitter;

class PaneWindow : public QMainWindow, public NetworkTpHost, public INetworkSelectionSource {
  public:
    PaneWindow();
    ~PaneWindow() override;

    // Shows the window, waits until it is active and builds the tree from
    // the database (the channel list shows the root); false when the window
    // did not become active.
    bool ShowActive();
    // The tree's selection set to a transponder row of a satellite slot, and
    // the channel list rebuilt for it, as a click in the tree does.
    void SelectTransponder(uint8_t slot, uint16_t row);

    void RefreshChannelList(int flag) override;
    void RebuildChannelList(int flag) override;
    NetworkSelection GetNetworkSelection() const override;

    CNetworkTp* tree = nullptr;
    std::unique_ptr<CSuperVw> view;
    QSplitter* splitter = nullptr;
    platform::CommandRouter router;
};
