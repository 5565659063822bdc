#include "inputmovenumber.h"

#include "controls/button.h"
#include "controls/edit.h"
#include "resource.h"

using namespace platform;

CInputMoveNumber::CInputMoveNumber(Window* parent) : DialogBase(IDD_INPUT_MOVE_NUMBER, parent) {}

void CInputMoveNumber::CreateControls() {
    SetDialogSize(150, 60);
    SetWindowText("Input number for moving");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    AddControl<Edit>()->Create(child | WS_TABSTOP | WS_BORDER, MapDialogRect({10, 10, 140, 24}),
                               this, IDC_EDIT_MOVE_NUMBER);
    AddControl<Button>()->Create("OK", child | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                 MapDialogRect({20, 36, 70, 50}), this, IDOK);
    AddControl<Button>()->Create("Cancel", child | WS_TABSTOP, MapDialogRect({80, 36, 130, 50}),
                                 this, IDCANCEL);
}
