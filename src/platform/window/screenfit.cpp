#include "window/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Before the window manager has framed a window: room for a title bar and
// a thin border, as most desktops draw them.
constexpr QMargins kAssumedFrame(4, 28, 4, 4);

// The start of a span of length size inside [lo, hi), moved as little as
// possible from pos; a span longer than the range starts at lo.
int Clamp(int pos, int size, int lo, int hi) {
    return std::max(lo, std::min(pos, hi - size));
}

} // namespace

QRect FitToArea(const QRect& wanted, const QMargins& frame, const QRect& available) {
    if (available.isEmpty()) return wanted;
    const QRect outer = wanted.marginsAdded(frame);
    if (available.contains(outer)) return wanted;
    const int width = std::min(wanted.width(), available.width() - frame.left() - frame.right());
    const int height =
        std::min(wanted.height(), available.height() - frame.top() - frame.bottom());
    const int x = Clamp(wanted.x() - frame.left(), width + frame.left() + frame.right(),
                        available.left(), available.left() + available.width()) +
                  frame.left();
    const int y = Clamp(wanted.y() - frame.top(), height + frame.top() + frame.bottom(),
                        available.top(), available.top() + available.height()) +
                  frame.top();
    return QRect(x, y, std::max(width, 1), std::max(height, 1));
}

QMargins FrameMargins(const QWidget& window) {
    if (!window.isVisible()) return kAssumedFrame;
    const QRect client = window.geometry();
    const QRect outer = window.frameGeometry();
    return QMargins(client.left() - outer.left(), client.top() - outer.top(),
                    outer.right() - client.right(), outer.bottom() - client.bottom());
}

QRect AvailableArea(const QWidget& window, const QPoint& at) {
    QScreen* screen = window.isVisible() ? window.screen() : QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace platform
