#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

// A label beside each field, a row every 18 units, the satellite's name
// read-only; OK and Cancel at the bottom right.
const DialogTemplate& TransportDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_EDIT_TRANSPORT,
        "Edit Transport",
        200,
        166,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Satellite Name", IDC_STATIC, 8, 10, 58, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_TRANSPORT_SAT_NAME, 70, 8, 122, 13,
             kField | ES_READONLY},
            {DialogItemClass::Static, "Frequency", IDC_STATIC, 8, 28, 58, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_TRANSPORT_FREQUENCY, 70, 26, 122, 13, kField},
            {DialogItemClass::Static, "Symbolrate", IDC_STATIC, 8, 46, 58, 10, kLabel},
            {DialogItemClass::Edit, "", IDC_TRANSPORT_SYMBOLRATE, 70, 44, 122, 13, kField},
            {DialogItemClass::Static, "Polarity", IDC_STATIC, 8, 64, 58, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_TRANSPORT_POLARITY, 70, 62, 122, 13, kDropList},
            {DialogItemClass::Static, "Demodulation", IDC_STATIC, 8, 82, 58, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_TRANSPORT_DEMODULATION, 70, 80, 122, 13, kDropList},
            {DialogItemClass::Static, "Code Rate", IDC_STATIC, 8, 100, 58, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_TRANSPORT_CODE_RATE, 70, 98, 122, 13, kDropList},
            {DialogItemClass::Static, "Pilot", IDC_STATIC, 8, 118, 58, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_TRANSPORT_PILOT, 70, 116, 122, 13, kDropList},
            {DialogItemClass::Button, "OK", IDOK, 78, 140, 54, 14, kDefaultPush},
            {DialogItemClass::Button, "Cancel", IDCANCEL, 138, 140, 54, 14, kPush},
        },
    };
    return dialog;
}
