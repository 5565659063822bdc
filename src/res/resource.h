// Resource and command ids of the editor's menus, dialogs and bitmaps, in
// order of value.
#pragma once

#define IDB_CHANNEL_IMAGES 158 // the channel list's row images

#define IDC_COMBOINLISTVIEW 4661 // a channel-list cell's in-place combo box
