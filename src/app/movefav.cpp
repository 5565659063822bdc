#include "movefav.h"

#include "controls/button.h"
#include "dialogs/ddx.h"
#include "resource.h"

using namespace platform;

CMoveFav::CMoveFav(Window* parent) : DialogBase(IDD_MOVE_FAV, parent) {}

void CMoveFav::CreateControls() {
    SetDialogSize(150, 60);
    SetWindowText("Dialog");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_edit.Create(child | WS_TABSTOP | WS_BORDER, MapDialogRect({10, 10, 140, 24}), this,
                  IDC_EDIT_MOVE_NUMBER);
    AddControl<Button>()->Create("OK", child | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                 MapDialogRect({20, 36, 70, 50}), this, IDOK);
    AddControl<Button>()->Create("Cancel", child | WS_TABSTOP, MapDialogRect({80, 36, 130, 50}),
                                 this, IDCANCEL);
}

void CMoveFav::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_MOVE_NUMBER, m_edit);
}
