#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

// The satellite and its transponder to choose, then the name and the three
// PIDs, each beside its label; OK and Cancel at the bottom right.
const DialogTemplate& ChannelDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_EDIT_CHANNEL,
        "Add Channel",
        200,
        136,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Nework", IDC_STATIC, 7, 9, 55, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_CHANNEL_NETWORK, 65, 7, 125, 14, kDropList},
            {DialogItemClass::Static, "TP. Frequency", IDC_STATIC, 7, 27, 55, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_CHANNEL_TP, 65, 25, 125, 14, kDropList},
            {DialogItemClass::Static, "Channel Name", IDC_STATIC, 7, 45, 55, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_CHANNEL_NAME, 65, 43, 125, 14, kField},
            {DialogItemClass::Static, "Video Pid", IDC_STATIC, 7, 63, 55, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_CHANNEL_VIDEO_PID, 65, 61, 125, 14, kField},
            {DialogItemClass::Static, "Audio Pid", IDC_STATIC, 7, 81, 55, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_CHANNEL_AUDIO_PID, 65, 79, 125, 14, kField},
            {DialogItemClass::Static, "PCR Pid", IDC_STATIC, 7, 99, 55, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_CHANNEL_PCR_PID, 65, 97, 125, 14, kField},
            {DialogItemClass::Button, "OK", IDOK, 80, 116, 50, 14, kDefaultPush},
            {DialogItemClass::Button, "Cancel", IDCANCEL, 140, 116, 50, 14, kPush},
        },
    };
    return dialog;
}
