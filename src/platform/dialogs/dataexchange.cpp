#include "dialogs/dataexchange.h"

#include "controls/edit.h"
#include "base/frameworktext.h"
#include "dialogs/messagebox.h"
#include "base/trace.h"
#include "window/window.h"

#include <new>

namespace platform {

Window* DataExchange::PrepareCtrl(int id) {
    Window* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!control) TRACE("Data exchange: no control with id %d", id);
    m_lastControl = control;
    m_lastIsEdit = false;
    return control;
}

Window* DataExchange::PrepareEditCtrl(int id) {
    Window* control = PrepareCtrl(id);
    m_lastIsEdit = dynamic_cast<Edit*>(control) != nullptr;
    return control;
}

void DataExchange::Fail(const QString& message) {
    if (m_failed) return;
    m_failed = true;
    MessageBox(message, QString(), MB_ICONEXCLAMATION,
               m_pDlgWnd ? m_pDlgWnd->GetWidget() : nullptr);
    if (!m_lastControl || !m_lastControl->IsWindow()) return;
    m_lastControl->SetFocus();
    if (m_lastIsEdit) static_cast<Edit*>(m_lastControl)->SetSel(0, -1);
}

bool RunDataExchange(Window* container, bool saveAndValidate,
                     const std::function<void(DataExchange*)>& doDataExchange) {
    DataExchange dx(container, saveAndValidate);
    try {
        doDataExchange(&dx);
    } catch (const std::bad_alloc&) {
        MessageBox(GetFrameworkText(FrameworkText::OutOfMemory), QString(), MB_ICONEXCLAMATION,
                   container ? container->GetWidget() : nullptr);
        return false;
    }
    return !dx.Failed();
}

} // namespace platform
