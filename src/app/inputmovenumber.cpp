#include "inputmovenumber.h"

#include "editordialogs.h"
#include "resource.h"

using namespace platform;

CInputMoveNumber::CInputMoveNumber(Window* parent) : DialogBase(IDD_INPUT_MOVE_NUMBER, parent) {}

void CInputMoveNumber::CreateControls() {
    CreateFromTemplate(InputMoveNumberDialogTemplate());
}
