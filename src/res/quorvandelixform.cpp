#include "editordialogs.h"
#include "resource.h"

#include "controls/button.h"
#include "controls/statictext.h"

using namespace platform;

// In dialog units: the buttons and choices in a row above the texts, the
// grid's place below them.
const DialogTemplate& QuorvandelixFormTemplate() {
    static const DialogTemplate form{
        IDD_QUORVANDELIX_FORM,
        "",
        320,
        200,
        0,
        0,
        0,
        {
            {DialogItemClass::Static, "", IDC_GRID_PLACE, 7, 40, 306, 153, WS_VISIBLE},
            {DialogItemClass::Button, "ADD", IDC_FORM_ADD, 7, 7, 40, 14,
             BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Button, "DELETE", IDC_FORM_DELETE, 51, 7, 40, 14,
             BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Button, "FAV", IDC_FORM_FAV, 95, 7, 40, 14,
             BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Static, "SORT", IDC_STATIC, 225, 10, 20, 8, SS_LEFT | WS_VISIBLE},
            {DialogItemClass::ComboBox, "", IDC_FORM_SORT, 248, 7, 65, 12,
             CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Button, "TV", IDC_FORM_TV, 145, 9, 28, 10,
             BS_AUTORADIOBUTTON | WS_GROUP | WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Button, "RADIO", IDC_FORM_RADIO, 177, 9, 40, 10,
             BS_AUTORADIOBUTTON | WS_VISIBLE},
            {DialogItemClass::Static, "channel count", IDC_CHANNEL_COUNT, 7, 26, 100, 8,
             SS_LEFT | WS_VISIBLE},
            {DialogItemClass::Static, "channel info", IDC_CHANNEL_INFO, 113, 26, 200, 8,
             SS_LEFT | WS_VISIBLE},
        },
    };
    return form;
}
