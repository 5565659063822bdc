// Control ids of the widgets inside a dialog or form: the number that the
// dialog's code uses to reach a control (the original's dialog item id).
#pragma once

class QWidget;

namespace platform {

void SetControlId(QWidget* control, int id);
// 0 when the widget has no id.
int GetControlId(const QWidget* control);
// The first descendant of container with this id, or null.
QWidget* FindControl(const QWidget* container, int id);

} // namespace platform
