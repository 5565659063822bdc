#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

// A label beside each field, a row every 18 units; the angle shares its row
// with the east/west list; OK and Cancel at the bottom right.
const DialogTemplate& NetworkDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_EDIT_NETWORK,
        "Edit Network",
        214,
        196,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Satellite Name", IDC_STATIC, 8, 10, 64, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_NETWORK_NAME, 76, 8, 130, 13, kField},
            {DialogItemClass::Static, "LNB Frequency", IDC_STATIC, 8, 28, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_LNB_FREQ, 76, 26, 130, 13, kDropList},
            {DialogItemClass::Static, "DiSEqC", IDC_STATIC, 8, 46, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_DISEQC, 76, 44, 130, 13, kDropList},
            {DialogItemClass::Static, "22Khz Tone", IDC_STATIC, 8, 64, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_TONE_22K, 76, 62, 130, 13, kDropList},
            {DialogItemClass::Static, "LNB Power", IDC_STATIC, 8, 82, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_LNB_POWER, 76, 80, 130, 13, kDropList},
            {DialogItemClass::Static, "Network Search", IDC_STATIC, 8, 100, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_SEARCH, 76, 98, 130, 13, kDropList},
            {DialogItemClass::Static, "FTA Only", IDC_STATIC, 8, 118, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_FTA_ONLY, 76, 116, 130, 13, kDropList},
            {DialogItemClass::Static, "PID Filter", IDC_STATIC, 8, 136, 64, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_PID_FILTER, 76, 134, 130, 13, kDropList},
            {DialogItemClass::Static, "Angle", IDC_STATIC, 8, 154, 64, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_NETWORK_ANGLE, 76, 152, 60, 13, kField},
            {DialogItemClass::ComboBox, "", IDC_NETWORK_EAST_WEST, 142, 152, 64, 13, kDropList},
            {DialogItemClass::Button, "OK", IDOK, 92, 176, 54, 14, kDefaultPush},
            {DialogItemClass::Button, "Cancel", IDCANCEL, 152, 176, 54, 14, kPush},
        },
    };
    return dialog;
}
