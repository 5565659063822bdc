#include "transferdialog.h"

#include "controls/button.h"
#include "resource.h"

using namespace platform;

namespace {

constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
// Commands of the menu that are no control's.
constexpr UINT kExit = 2; // the cancel command

} // namespace

const DialogTemplate& TransferDialogTemplate() {
    static const DialogTemplate dialog{
        IDD_STBDOWNLOAD_DIALOG,
        "Pravimonde",
        309,
        63,
        WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        WS_EX_APPWINDOW,
        IDR_STBDOWNLOAD_MENU,
        {
            {DialogItemClass::ComboBox, "", IDC_COMBO_PORT, 7, 4, 48, 12, kCombo},
            {DialogItemClass::ComboBox, "", IDC_COMBO_BAUD, 60, 4, 44, 12, kCombo},
            {DialogItemClass::ComboBox, "", IDC_COMBO_KIND, 109, 4, 60, 12, kCombo},
            {DialogItemClass::ComboBox, "", IDC_COMBO_DIRECTION, 174, 4, 50, 12, kCombo},
            {DialogItemClass::Button, "Connect", ID_COM_CONNECT, 7, 20, 50, 14, kPush},
            {DialogItemClass::Button, "Disconnect", ID_COM_DISCONNECT, 62, 20, 50, 14, kPush},
            {DialogItemClass::Button, "Abort", ID_COM_ABORT, 117, 20, 50, 14, kPush},
            {DialogItemClass::Button, "Load", ID_FILE_LOAD, 172, 20, 50, 14, kPush},
            {DialogItemClass::Progress, "", IDC_PROGRESS, 7, 38, 295, 7, WS_VISIBLE},
            {DialogItemClass::Static, "", IDC_STATIC_INFO, 7, 47, 295, 16, WS_VISIBLE},
            {DialogItemClass::Static, "Flash Write...", IDC_STATIC_STATUS, 230, 23, 72, 9, 0},
        },
    };
    return dialog;
}

const MenuTemplate& TransferDialogMenu() {
    static const MenuTemplate menu{
        IDR_STBDOWNLOAD_MENU,
        {
            {"File", 0, {{"Load", ID_FILE_LOAD, {}}, {"Exit", kExit, {}}}},
            {"Option",
             0,
             {{"Clear channel list", ID_OPTION_CLEAR_CHANNEL_LIST, {}},
              {"Keep channel list", ID_OPTION_KEEP_CHANNEL_LIST, {}}}},
        },
    };
    return menu;
}
