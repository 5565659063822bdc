#include "window/deferreddelete.h"

#include "window/window.h"

#include <QCoreApplication>
#include <QObject>

namespace platform {

void DeleteWindowLater(Window* window) {
    if (!window) return;
    // A QObject child of the application deletes the window with itself:
    // by deleteLater normally, with the application at the latest.
    auto* carrier = new QObject(QCoreApplication::instance());
    QObject::connect(carrier, &QObject::destroyed, [window] { delete window; });
    carrier->deleteLater();
}

} // namespace platform
