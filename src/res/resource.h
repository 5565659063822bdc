// Resource and command ids of the editor's menus, dialogs and bitmaps, in
// order of value.
#pragma once

#define IDR_NETWORK_POPUP 132 // the tree's pop-up menu
#define IDB_NETWORK_TREE 167  // the tree's images

#define ID_EDIT_NETWORK 32773
#define ID_ADD_NETWORK 32774
#define ID_DELETE_NETWORK 32775
#define ID_EDIT_TRANSPORT 32776
#define ID_ADD_TRANSPORT 32777
#define ID_DELETE_TRANSPORT 32778
#define ID_ADD_CHANNEL_TREE 32780
#define ID_CHANNEL_INFORMATION 32802
#define ID_INPUT_MOVE_POSITION 32804
