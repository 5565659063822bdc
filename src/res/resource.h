// Resource, control and command ids of the editor's menus, dialogs, icons and
// bitmaps: one plain list in order of value, so that ids added apart merge line by line.
#pragma once

// Dialogs, menus, icons and bitmaps.
#define IDD_ABOUTBOX 100
#define IDD_QUORVANDELIX_FORM 101  // the form view
#define IDD_STBDOWNLOAD_DIALOG 102 // the transfer dialog
#define IDR_MAINFRAME 128          // the main window's menu, the editor's icon
#define IDR_STBDOWNLOAD_MENU 129   // the transfer dialog's menu
#define IDR_NETWORK_POPUP 132      // the tree's pop-up menu
#define IDD_EDIT_NETWORK 133       // the satellite dialog
#define IDD_EDIT_TRANSPORT 134     // the transponder dialog
#define IDD_EDIT_CHANNEL 135       // "Add Channel"
#define IDD_PLEASE_WAIT_NEW 151
#define IDD_INPUT_MOVE_NUMBER 156
#define IDB_CHANNEL_IMAGES 158     // the channel list's row images
#define IDD_MOVE_FAV 161
#define IDD_DIRECT_MOVE2 162
#define IDR_CHANNEL_POPUP 163      // the channel list's pop-up menu
#define IDB_NETWORK_TREE 167       // the tree's images
#define IDD_ORDERING_CHANNEL 172   // "Channel Move"

// Controls; each dialog has its own, so one number may name controls of two dialogs.
#define IDC_COMBO_PORT 1000
#define IDC_GRID_PLACE 1000        // form view: the grid's place, and the grid
#define IDC_COMBO_KIND 1001
#define IDC_PROGRESS 1002
#define IDC_STATIC_INFO 1003
#define IDC_COMBO_DIRECTION 1004
#define IDC_NETWORK_NAME 1004
#define IDC_NETWORK_LNB_FREQ 1005
#define IDC_STATIC_STATUS 1005
#define IDC_COMBO_BAUD 1006
#define IDC_NETWORK_DISEQC 1006
#define IDC_TRANSPORT_FREQUENCY 1006
#define IDC_NETWORK_SEARCH 1007
#define IDC_TRANSPORT_SYMBOLRATE 1007
#define IDC_TRANSPORT_POLARITY 1008
#define IDC_TRANSPORT_SAT_NAME 1009
#define IDC_NETWORK_FTA_ONLY 1010
#define IDC_TRANSPORT_DEMODULATION 1010
#define IDC_FORM_SORT 1010         // form view: "SORT" list
#define IDC_TRANSPORT_CODE_RATE 1011
#define IDC_FORM_TV 1011           // form view: "TV" choice
#define IDC_CHANNEL_NAME 1012      // Add Channel: name edit
#define IDC_EDIT_MOVE_NUMBER 1012
#define IDC_TRANSPORT_PILOT 1012
#define IDC_FORM_RADIO 1012        // form view: "RADIO" choice
#define IDC_CHANNEL_VIDEO_PID 1013 // Add Channel: video PID edit
#define IDC_CHANNEL_PCR_PID 1014   // Add Channel: PCR PID edit
#define IDC_NETWORK_PID_FILTER 1014
#define IDC_CHANNEL_AUDIO_PID 1015 // Add Channel: audio PID edit
#define IDC_NETWORK_TONE_22K 1015
#define IDC_CHANNEL_NETWORK 1016   // Add Channel: satellite list
#define IDC_NETWORK_LNB_POWER 1016
#define IDC_CHANNEL_TP 1017        // Add Channel: transponder list
#define IDC_NETWORK_ANGLE 1018
#define IDC_NETWORK_EAST_WEST 1019
#define IDC_CHANNEL_COUNT 1031     // form view: "channel count"
#define IDC_CHANNEL_INFO 1032      // form view: "channel info"
#define IDC_STATIC_BUILDTIME 1061
#define IDC_ORDER_LIST 1082        // Channel Move: the services
#define IDC_ORDER_TV_RADIO 1084    // Channel Move: TV or radio
#define IDC_ORDER_TARGET_HINT 1085 // Channel Move: "[ Click Target Location ]"
#define IDC_COMBOINLISTVIEW 4661   // a channel-list cell's in-place combo box
#define IDC_FORM_ADD 32780         // form view: "ADD"
#define IDC_FORM_DELETE 32781      // form view: "DELETE"
#define IDC_FORM_FAV 40000         // form view: "FAV"

// Commands. Menus of different windows may share a value: the transfer dialog's
// Option items share theirs with two tree commands, and each reaches only its own window.
#define ID_LOAD_CHANNEL_DATA 32771
#define ID_EDIT_NETWORK 32773
#define ID_ADD_NETWORK 32774
#define ID_DELETE_NETWORK 32775
#define ID_EDIT_TRANSPORT 32776
#define ID_ADD_TRANSPORT 32777
#define ID_OPTION_CLEAR_CHANNEL_LIST 32777
#define ID_DELETE_TRANSPORT 32778
#define ID_OPTION_KEEP_CHANNEL_LIST 32778
#define ID_ADD_CHANNEL_TREE 32780
#define ID_SAVE_CHANNEL_DATA 32782
#define ID_USER_PREFERENCE 32783
#define ID_TIME_ADJUSTMENT 32785
#define ID_PARENTAL_CONTROL 32786
#define ID_UPLOAD_CHANNEL_DATA 32788
#define ID_DOWNLOAD_CHANNEL_DATA 32789
#define ID_DOWNLOAD_PROGRAM 32790
#define ID_NEW_FILE 32791
#define ID_LOAD_SATCODX 32792
#define ID_DOWNLOAD_SATCODX 32795
#define ID_CHANNEL_INFORMATION 32802
#define ID_UNUSED_32803 32803
#define ID_INPUT_MOVE_POSITION 32804
#define ID_VIEW_TV_CHANNEL 32805
#define ID_VIEW_RADIO_CHANNEL 32806
#define ID_ADD_CHANNEL 32807
#define ID_DELETE_CHANNEL 32808
#define ID_EDIT_FAVORITE 32809
#define ID_SORT_NORMAL 32810
#define ID_SORT_ALPHABETICAL 32811
#define ID_SORT_SATELLITE 32812
#define ID_DELETE_ALL 32822
#define ID_UNUSED_32826 32826
#define ID_KEYDATA_UPLOAD 32831
#define ID_KEYDATA_DOWNLOAD 32832
#define ID_MOVE_CHANNEL 32846
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_COM_CONNECT 57671
#define ID_COM_DISCONNECT 57672
#define ID_FILE_LOAD 57673
#define ID_COM_ABORT 57674
#define AFX_IDW_STATUS_BAR 59393

#define IDC_STATIC 0xFFFF          // labels
