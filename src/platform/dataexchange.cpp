#include "dataexchange.h"

#include "controlid.h"
#include "frameworktext.h"
#include "messagebox.h"
#include "trace.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <new>

namespace platform {

namespace {
bool IsEdit(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}
} // namespace

QWidget* DataExchange::PrepareCtrl(int id) {
    QWidget* control = FindControl(m_container, id);
    if (!control) TRACE("Data exchange: no control with id %d", id);
    m_lastControl = control;
    m_lastIsEdit = false;
    return control;
}

QWidget* DataExchange::PrepareEditCtrl(int id) {
    QWidget* control = PrepareCtrl(id);
    m_lastIsEdit = IsEdit(control);
    return control;
}

void DataExchange::Fail(const QString& message) {
    if (m_failed) return;
    m_failed = true;
    MessageBox(message, QString(), MB_ICONEXCLAMATION, m_container);
    if (!m_lastControl) return;
    m_lastControl->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(m_lastControl))
        edit->selectAll();
    else if (auto* text = qobject_cast<QTextEdit*>(m_lastControl))
        text->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_lastControl))
        plain->selectAll();
}

bool RunDataExchange(QWidget* container, bool saveAndValidate,
                     const std::function<void(DataExchange*)>& doDataExchange) {
    DataExchange dx(container, saveAndValidate);
    try {
        doDataExchange(&dx);
    } catch (const std::bad_alloc&) {
        MessageBox(GetFrameworkText(FrameworkText::OutOfMemory), QString(), MB_ICONEXCLAMATION,
                   container);
        return false;
    }
    return !dx.Failed();
}

} // namespace platform
