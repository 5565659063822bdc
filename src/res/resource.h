// Resource and control ids of the editor's dialogs, sorted by value. Control
// ids are per dialog: the same number may name controls of two dialogs.
#pragma once

// The satellite dialog (template 133) and the transponder dialog (134).
#define IDD_EDIT_NETWORK 133
#define IDD_EDIT_TRANSPORT 134

#define IDC_NETWORK_NAME 1004
#define IDC_NETWORK_LNB_FREQ 1005
#define IDC_NETWORK_DISEQC 1006
#define IDC_TRANSPORT_FREQUENCY 1006
#define IDC_NETWORK_SEARCH 1007
#define IDC_TRANSPORT_SYMBOLRATE 1007
#define IDC_TRANSPORT_POLARITY 1008
#define IDC_TRANSPORT_SAT_NAME 1009
#define IDC_NETWORK_FTA_ONLY 1010
#define IDC_TRANSPORT_DEMODULATION 1010
#define IDC_TRANSPORT_CODE_RATE 1011
#define IDC_TRANSPORT_PILOT 1012
#define IDC_NETWORK_PID_FILTER 1014
#define IDC_NETWORK_TONE_22K 1015
#define IDC_NETWORK_LNB_POWER 1016
#define IDC_NETWORK_ANGLE 1018
#define IDC_NETWORK_EAST_WEST 1019
#define IDC_STATIC 0xFFFF
