#include "pleasewait.h"

#include "editordialogs.h"
#include "resource.h"

#include <cassert>

using namespace platform;

CPleaseWait::CPleaseWait(Window* parent)
    : DialogBase(IDD_PLEASE_WAIT_NEW, parent), m_pParent(parent), m_nID(IDD_PLEASE_WAIT_NEW) {
    assert(parent);
}

BOOL CPleaseWait::Create() {
    return DialogBase::Create(m_nID, m_pParent);
}

void CPleaseWait::CreateControls() {
    CreateFromTemplate(NewFileWaitDialogTemplate());
}

// Never fails.
void CPleaseWait::OnCancel() {
    DestroyWindow();
}

// The window is gone: the object goes with it.
void CPleaseWait::PostNcDestroy() {
    delete this;
}
