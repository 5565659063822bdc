#include "window/icon.h"

#include "window/window.h"

#include <QPixmap>
#include <QWidget>

namespace platform {

HICON LoadIcon(const char* const* xpm) {
    if (!xpm) return HICON();
    const QPixmap picture(xpm);
    return picture.isNull() ? HICON() : HICON(picture);
}

HICON SetIcon(Window& window, const HICON& icon, BOOL) {
    QWidget* widget = window.GetWidget();
    if (!widget) return HICON();
    const HICON previous = widget->windowIcon();
    widget->setWindowIcon(icon);
    return previous;
}

} // namespace platform
