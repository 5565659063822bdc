#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_ABOUTBOX,
        "About Quorvandelix",
        235,
        55,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Static, "Varonek HD STB Channel Editor  Ver 0.2", IDC_STATIC, 40, 10,
             140, 8, kLabel},
            {DialogItemClass::Static, "Created Time : ", IDC_STATIC, 40, 25, 55, 8, kLabel},
            {DialogItemClass::Static, "", IDC_STATIC_BUILDTIME, 95, 25, 95, 8, kLabel},
            {DialogItemClass::Button, "OK", IDOK, 190, 7, 38, 14, kDefaultPush},
        },
    };
    return dialog;
}
