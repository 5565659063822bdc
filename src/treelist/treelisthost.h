// What the tree list asks of the editor around it: whether a channel list is
// loaded, the delete of the service behind a row, the rebuild of the list,
// and the pop-up menu the right button shows with the window that receives
// its commands. The editor implements
// it and hands it to the control with CSuperGridCtrl::SetHost.
#pragma once

#include "treetypes.h"
#include "window/popupmenu.h"

#include <vector>

namespace platform {
class CommandTarget;
}

class ITreeListHost {
  public:
    virtual ~ITreeListHost() = default;

    // The main window's "list loaded" flag; clicks are ignored while it is FALSE.
    virtual BOOL IsLoaded() const = 0;
    // Deletes service row - 1 of the transponder selected in the tree; TRUE
    // when a service was deleted, FALSE when none was found.
    virtual BOOL DeleteRowService(int row) = 0;
    // Rebuilds the channel list (the pane's rebuild); bAll is passed along.
    virtual void RefreshList(BOOL bAll) = 0;
    // The main window: its update rules set the pop-up menu's items and the
    // chosen command is posted to it. No owner, no menu.
    virtual platform::CommandTarget* PopupMenuOwner() const = 0;
    // The items of the pop-up menu; a host without one shows none.
    virtual std::vector<platform::PopupMenuItem> PopupMenuItems() const { return {}; }
};
