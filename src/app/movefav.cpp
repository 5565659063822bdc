#include "movefav.h"

#include "dialogs/ddx.h"
#include "editordialogs.h"
#include "resource.h"

using namespace platform;

CMoveFav::CMoveFav(Window* parent) : DialogBase(IDD_MOVE_FAV, parent) {}

void CMoveFav::CreateControls() {
    CreateFromTemplate(MoveFavDialogTemplate(), {{IDC_EDIT_MOVE_NUMBER, &m_edit}});
}

void CMoveFav::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_MOVE_NUMBER, m_edit);
}
