#include "controls/progressctrl.h"

#include "window/windowhost.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {

BOOL ProgressCtrl::Create(DWORD style, const Rect& rect, Window* parent, UINT id) {
    return Window::Create(style, rect, parent, id);
}

QWidget* ProgressCtrl::CreateWidget(QWidget* parent) {
    auto* bar = new WindowHost<QProgressBar>(this, parent);
    bar->setTextVisible(false);
    bar->setRange(m_lower, m_upper);
    bar->setValue(m_lower);
    return bar;
}

QProgressBar* ProgressCtrl::Bar() const {
    return qobject_cast<QProgressBar*>(GetWidget());
}

void ProgressCtrl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = std::max(lower, upper);
    if (QProgressBar* bar = Bar()) {
        bar->setRange(m_lower, m_upper);
        bar->setValue(std::clamp(bar->value(), m_lower, m_upper));
    }
}

int ProgressCtrl::SetPos(int pos) {
    QProgressBar* bar = Bar();
    if (!bar) return 0;
    const int previous = bar->value();
    bar->setValue(std::clamp(pos, m_lower, m_upper));
    return previous;
}

int ProgressCtrl::GetPos() const {
    const QProgressBar* bar = Bar();
    return bar ? bar->value() : 0;
}

} // namespace platform
