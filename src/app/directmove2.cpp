#include "directmove2.h"

#include "controls/button.h"
#include "dialogs/messagebox.h"
#include "resource.h"
#include "controls/statictext.h"

using namespace platform;

namespace {
constexpr UINT kTextId = 0xFFFF; // a static text no code addresses
}

CDirectMove2::CDirectMove2(Window* parent) : DialogBase(IDD_DIRECT_MOVE2, parent) {}

// Template 162: the text and two buttons of no width, so that Enter and
// Escape still reach OK and Cancel.
void CDirectMove2::CreateControls() {
    SetDialogSize(179, 53);
    SetWindowText("Please Wait");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    AddControl<Static>()->Create("Please Wait", child | SS_CENTER, MapDialogRect({50, 20, 130, 30}),
                                 this, kTextId);
    AddControl<Button>()->Create("OK", child | BS_DEFPUSHBUTTON, MapDialogRect({0, 0, 0, 14}), this,
                                 IDOK);
    AddControl<Button>()->Create("Cancel", child, MapDialogRect({0, 16, 0, 30}), this, IDCANCEL);
}

BOOL CDirectMove2::OnInitDialog() {
    DialogBase::OnInitDialog();
    return TRUE;
}

// Never fails; the dialog stays open.
void CDirectMove2::OnCancel() {
    MessageBox("fdasfsda", kAppTitle, MB_OK);
}

void CDirectMove2::OnClose() {
    OnOK();
}
