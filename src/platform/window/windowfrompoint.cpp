#include "window/windowfrompoint.h"

#include "window/window.h"

#include <QApplication>
#include <QWidget>

namespace platform {

Window* WindowFromPoint(Point screenPoint) {
    const QWidget* widget = QApplication::widgetAt(screenPoint.x, screenPoint.y);
    return widget ? Window::FromWidgetOrAncestor(widget) : nullptr;
}

} // namespace platform
