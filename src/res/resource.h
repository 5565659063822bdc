// Resource and control ids of the editor's menus, dialogs, icons and bitmaps.
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

// The channel list: its row images, its pop-up menu (163), the main window's
// channel commands and a cell's in-place combo box.
#define IDB_CHANNEL_IMAGES 158
#define IDR_CHANNEL_POPUP 163
#define ID_ADD_CHANNEL 32807
#define ID_DELETE_CHANNEL 32808
#define ID_DELETE_ALL 32822
#define ID_MOVE_CHANNEL 32846
#define IDC_COMBOINLISTVIEW 4661
