// Fitting a top-level window to the part of the screen that windows may use
// (the screen less its panels and docks).
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace platform {

// The client rectangle to give a window that asks for wanted (client
// co-ordinates, as setGeometry takes them) when its frame adds frame around
// it and windows may use available. A window whose frame fits is left as it
// asked; otherwise each side that does not fit is cut to what available
// leaves after the frame, and the window moves by as little as brings its
// frame inside. An empty available leaves wanted as it is.
QRect FitToArea(const QRect& wanted, const QMargins& frame, const QRect& available);

// The frame that the window system adds around the widget's client area:
// the one it has once it is shown, a typical title bar and border before.
QMargins FrameMargins(const QWidget& window);

// The area that windows may use on the screen the widget is on, or on the
// screen at the point given for a window not yet shown; empty without a
// screen.
QRect AvailableArea(const QWidget& window, const QPoint& at);

} // namespace platform
