#include "window/mousepost.h"

#include "window/window.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace platform {

namespace {

struct MouseKind {
    UINT message;
    QEvent::Type type;
    Qt::MouseButton button;
};

constexpr MouseKind kKinds[] = {
    {WM_MOUSEMOVE, QEvent::MouseMove, Qt::NoButton},
    {WM_LBUTTONDOWN, QEvent::MouseButtonPress, Qt::LeftButton},
    {WM_LBUTTONUP, QEvent::MouseButtonRelease, Qt::LeftButton},
    {WM_LBUTTONDBLCLK, QEvent::MouseButtonDblClick, Qt::LeftButton},
    {WM_RBUTTONDOWN, QEvent::MouseButtonPress, Qt::RightButton},
    {WM_RBUTTONUP, QEvent::MouseButtonRelease, Qt::RightButton},
    {WM_RBUTTONDBLCLK, QEvent::MouseButtonDblClick, Qt::RightButton},
    {WM_MBUTTONDOWN, QEvent::MouseButtonPress, Qt::MiddleButton},
    {WM_MBUTTONUP, QEvent::MouseButtonRelease, Qt::MiddleButton},
    {WM_MBUTTONDBLCLK, QEvent::MouseButtonDblClick, Qt::MiddleButton},
};

Qt::MouseButtons ButtonsFromFlags(WPARAM flags) {
    Qt::MouseButtons buttons;
    if (flags & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (flags & MK_RBUTTON) buttons |= Qt::RightButton;
    if (flags & MK_MBUTTON) buttons |= Qt::MiddleButton;
    return buttons;
}

Qt::KeyboardModifiers ModifiersFromFlags(WPARAM flags) {
    Qt::KeyboardModifiers modifiers;
    if (flags & MK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (flags & MK_CONTROL) modifiers |= Qt::ControlModifier;
    return modifiers;
}

} // namespace

BOOL PostMouseMessage(Window* window, UINT message, WPARAM flags, Point point) {
    if (!window || !window->IsWindow()) return FALSE;
    QWidget* client = window->GetClientWidget();
    if (!client) return FALSE;
    for (const MouseKind& kind : kKinds) {
        if (kind.message != message) continue;
        const QPointF local(point.x, point.y);
        const QPointF global = client->mapToGlobal(local);
        // A press or double click holds its own button, a release no longer.
        Qt::MouseButtons buttons = ButtonsFromFlags(flags);
        if (kind.type == QEvent::MouseButtonRelease)
            buttons &= ~kind.button;
        else
            buttons |= kind.button;
        // Qt deletes an event still queued for a widget that goes.
        QCoreApplication::postEvent(client,
                                    new QMouseEvent(kind.type, local, local, global, kind.button,
                                                    buttons, ModifiersFromFlags(flags)));
        return TRUE;
    }
    return FALSE;
}

} // namespace platform
