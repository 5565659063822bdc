// Resource and control ids of the editor's bitmaps, menus, dialogs and
// controls, sorted by value.
#pragma once

// The channel list's row images: expanded, collapsed, leaf.
#define IDB_CHANNEL_IMAGES 158

// The in-place combo box that a channel-list cell opens.
#define IDC_COMBOINLISTVIEW 4661
