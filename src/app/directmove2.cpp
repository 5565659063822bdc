#include "directmove2.h"

#include "dialogs/messagebox.h"
#include "editordialogs.h"
#include "resource.h"

using namespace platform;

CDirectMove2::CDirectMove2(Window* parent) : DialogBase(IDD_DIRECT_MOVE2, parent) {}

void CDirectMove2::CreateControls() {
    CreateFromTemplate(PleaseWaitDialogTemplate());
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
