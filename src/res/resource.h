// Resource ids of the editor: dialog templates, their controls, commands.
// One plain list sorted by value, so that ids added on different branches
// merge line by line.
#pragma once

constexpr unsigned IDD_EDIT_CHANNEL = 135;       // "Add Channel"
constexpr unsigned IDD_ORDERING_CHANNEL = 172;   // "Channel Move"
constexpr unsigned IDC_CHANNEL_NAME = 1012;      // Add Channel: name edit
constexpr unsigned IDC_CHANNEL_VIDEO_PID = 1013; // Add Channel: video PID edit
constexpr unsigned IDC_CHANNEL_PCR_PID = 1014;   // Add Channel: PCR PID edit
constexpr unsigned IDC_CHANNEL_AUDIO_PID = 1015; // Add Channel: audio PID edit
constexpr unsigned IDC_CHANNEL_NETWORK = 1016;   // Add Channel: satellite list
constexpr unsigned IDC_CHANNEL_TP = 1017;        // Add Channel: transponder list
constexpr unsigned IDC_ORDER_LIST = 1082;        // Channel Move: the services
constexpr unsigned IDC_ORDER_TV_RADIO = 1084;    // Channel Move: TV or radio
constexpr unsigned IDC_ORDER_TARGET_HINT = 1085; // Channel Move: "[ Click Target Location ]"
