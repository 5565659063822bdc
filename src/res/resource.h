// Resource and control ids of the editor's menus, dialogs and icons.
#pragma once

// Icons.
#define IDR_MAINFRAME 128

// The transfer dialog (template 102) and its menu (129).
#define IDD_STBDOWNLOAD_DIALOG 102
#define IDR_STBDOWNLOAD_MENU 129

#define IDC_COMBO_PORT 1000
#define IDC_COMBO_KIND 1001
#define IDC_PROGRESS 1002
#define IDC_STATIC_INFO 1003
#define IDC_COMBO_DIRECTION 1004
#define IDC_STATIC_STATUS 1005
#define IDC_COMBO_BAUD 1006

#define ID_COM_CONNECT 57671
#define ID_COM_DISCONNECT 57672
#define ID_FILE_LOAD 57673
#define ID_COM_ABORT 57674

#define ID_OPTION_CLEAR_CHANNEL_LIST 32777
#define ID_OPTION_KEEP_CHANNEL_LIST 32778

// The tree's pop-up menu, its images and its commands.

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

#define IDB_CHANNEL_IMAGES 158 // the channel list's row images
#define IDC_COMBOINLISTVIEW 4661 // a channel-list cell's in-place combo box

#define IDR_CHANNEL_POPUP 163
#define ID_ADD_CHANNEL 32807
#define ID_DELETE_CHANNEL 32808
#define ID_DELETE_ALL 32822
#define ID_MOVE_CHANNEL 32846
