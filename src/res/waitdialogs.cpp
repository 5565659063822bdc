#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

const DialogTemplate& NewFileWaitDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_PLEASE_WAIT_NEW,
        "New File",
        150,
        40,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Please Wait ......", IDC_STATIC, 20, 15, 110, 10, kLabel},
        },
    };
    return dialog;
}

// The text and two buttons of no width, so that Enter and Escape still reach
// OK and Cancel.
const DialogTemplate& PleaseWaitDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_DIRECT_MOVE2,
        "Please Wait",
        179,
        53,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Please Wait", IDC_STATIC, 50, 20, 80, 10,
             kLabel | SS_CENTER},
            {DialogItemClass::Button, "OK", IDOK, 0, 0, 0, 14, WS_VISIBLE | BS_DEFPUSHBUTTON},
            {DialogItemClass::Button, "Cancel", IDCANCEL, 0, 16, 0, 14, WS_VISIBLE},
        },
    };
    return dialog;
}
