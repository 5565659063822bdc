// Resource, control and command ids of the editor's menus, dialogs, icons and
// bitmaps, in order of value. Menus of different windows may reuse a value:
// the transfer dialog's Option items share theirs with two tree commands, and
// each reaches only its own window.
#pragma once

#define IDD_STBDOWNLOAD_DIALOG 102 // the transfer dialog
#define IDR_MAINFRAME 128          // the editor's icon
#define IDR_STBDOWNLOAD_MENU 129   // the transfer dialog's menu
#define IDR_NETWORK_POPUP 132      // the tree's pop-up menu
#define IDB_NETWORK_TREE 167       // the tree's images

#define IDC_COMBO_PORT 1000
#define IDC_COMBO_KIND 1001
#define IDC_PROGRESS 1002
#define IDC_STATIC_INFO 1003
#define IDC_COMBO_DIRECTION 1004
#define IDC_STATIC_STATUS 1005
#define IDC_COMBO_BAUD 1006

#define ID_EDIT_NETWORK 32773
#define ID_ADD_NETWORK 32774
#define ID_DELETE_NETWORK 32775
#define ID_EDIT_TRANSPORT 32776
#define ID_ADD_TRANSPORT 32777
#define ID_OPTION_CLEAR_CHANNEL_LIST 32777
#define ID_DELETE_TRANSPORT 32778
#define ID_OPTION_KEEP_CHANNEL_LIST 32778
#define ID_ADD_CHANNEL_TREE 32780
#define ID_CHANNEL_INFORMATION 32802
#define ID_INPUT_MOVE_POSITION 32804

#define ID_COM_CONNECT 57671
#define ID_COM_DISCONNECT 57672
#define ID_FILE_LOAD 57673
#define ID_COM_ABORT 57674

#define IDB_CHANNEL_IMAGES 158   // the channel list's row images
#define IDC_COMBOINLISTVIEW 4661 // a channel-list cell's in-place combo box
