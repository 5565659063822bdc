#include "controlid.h"

#include <QVariant>
#include <QWidget>

namespace platform {

namespace {
constexpr const char* kIdProperty = "platformControlId";
}

void SetControlId(QWidget* control, int id) {
    if (control) control->setProperty(kIdProperty, id);
}

int GetControlId(const QWidget* control) {
    return control ? control->property(kIdProperty).toInt() : 0;
}

QWidget* FindControl(const QWidget* container, int id) {
    if (!container || id == 0) return nullptr;
    for (QWidget* child : container->findChildren<QWidget*>())
        if (GetControlId(child) == id) return child;
    return nullptr;
}

} // namespace platform
