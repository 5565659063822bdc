#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

// The list, the kind below it with the hint, the buttons beside the kind.
const DialogTemplate& ChannelMoveDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_ORDERING_CHANNEL,
        "Channel Move",
        214,
        214,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::ListView, "", IDC_ORDER_LIST, 7, 7, 200, 163,
             WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                 LVS_NOSORTHEADER},
            {DialogItemClass::Static, "TV/RADIO Selection", IDC_STATIC, 7, 180, 68, 10, kLabel},
            {DialogItemClass::ComboBox, "", IDC_ORDER_TV_RADIO, 78, 178, 62, 14,
             kDropList | CBS_SORT},
            {DialogItemClass::Static, "[ Click Target Location ]", IDC_ORDER_TARGET_HINT, 7, 198,
             133, 10, 0},
            {DialogItemClass::Button, "", IDOK, 150, 178, 57, 14, kDefaultPush},
            {DialogItemClass::Button, "", IDCANCEL, 150, 196, 57, 14, kPush},
        },
    };
    return dialog;
}
