#include "griddroptarget.h"

#include "gridctrl.h"

#include "base/trace.h"

using namespace platform;

namespace {
// One registration at a time in the whole program.
bool g_bRegistering = false;
} // namespace

CGridDropTarget::~CGridDropTarget() {
    CGridDropTarget::Revoke();
}

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl) {
    if (m_bRegistered || g_bRegistering) return FALSE;
    g_bRegistering = true;
    ASSERT(pGridCtrl != nullptr);
    if (!pGridCtrl) {
        g_bRegistering = false;
        return FALSE;
    }
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = DropTarget::Register(pGridCtrl);
    g_bRegistering = false;
    return m_bRegistered;
}

void CGridDropTarget::Revoke() {
    m_bRegistered = FALSE;
    DropTarget::Revoke();
}

bool CGridDropTarget::IsOwnWindow(Window* pWnd) const {
    ASSERT(m_pGridCtrl != nullptr);
    return m_pGridCtrl && pWnd && pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT CGridDropTarget::OnDragEnter(Window* pWnd, DataObject* pDataObject, DWORD dwKeyState,
                                        Point point) {
    if (!IsOwnWindow(pWnd)) return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(Window* pWnd, DataObject* pDataObject, DWORD dwKeyState,
                                       Point point) {
    TRACE("In CGridDropTarget::OnDragOver\n");
    if (!IsOwnWindow(pWnd)) return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CGridDropTarget::OnDrop(Window* pWnd, DataObject* pDataObject, DROPEFFECT dropEffect,
                             Point point) {
    TRACE("In CGridDropTarget::OnDrop\n");
    if (!IsOwnWindow(pWnd)) return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

void CGridDropTarget::OnDragLeave(Window* pWnd) {
    TRACE("In CGridDropTarget::OnDragLeave\n");
    if (IsOwnWindow(pWnd)) m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragScroll(Window* pWnd, DWORD dwKeyState, Point) {
    if (!IsOwnWindow(pWnd)) return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
