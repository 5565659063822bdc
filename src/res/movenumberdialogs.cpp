#include "dialogstyles.h"
#include "editordialogs.h"
#include "resource.h"

#include "dialogs/messagebox.h"

using namespace platform;
using namespace dialogstyles;

namespace {

// Dialogs 156 and 161 share their layout: a number, OK and Cancel.
DialogTemplate NumberDialog(UINT id, const char* caption) {
    return {
        id,
        caption,
        150,
        60,
        kFrame,
        0,
        0,
        {
            {DialogItemClass::Edit, "", IDC_EDIT_MOVE_NUMBER, 10, 10, 130, 14,
             WS_VISIBLE | WS_TABSTOP | WS_BORDER},
            {DialogItemClass::Button, "OK", IDOK, 20, 36, 50, 14, kDefaultPush},
            {DialogItemClass::Button, "Cancel", IDCANCEL, 80, 36, 50, 14, kPush},
        },
    };
}

} // namespace

const DialogTemplate& InputMoveNumberDialogTemplate() {
    static const DialogTemplate dialog =
        NumberDialog(IDD_INPUT_MOVE_NUMBER, "Input number for moving");
    return dialog;
}

const DialogTemplate& MoveFavDialogTemplate() {
    static const DialogTemplate dialog = NumberDialog(IDD_MOVE_FAV, "Dialog");
    return dialog;
}
