// What the satellite and transponder tree needs of the main window it lives
// in: the channel-list pane beside it (the splitter's pane (0,1)). The main
// window implements it; a window without that pane does nothing.
#pragma once

class NetworkTpHost {
  public:
    virtual ~NetworkTpHost() = default;
    // CSuperVw::RefreshList of pane (0,1): the channel list shows the tree's
    // current selection again.
    virtual void RefreshChannelList(int flag) = 0;
    // CMySuperGrid::RebuildList of the pane's channel list, after an image
    // was opened.
    virtual void RebuildChannelList(int flag) = 0;
    // Gives the keyboard focus to the channel list beside the tree; false
    // when there is none.
    virtual bool FocusChannelList() { return false; }
};
