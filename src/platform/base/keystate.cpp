#include "base/keystate.h"

namespace platform {

UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

DWORD DragKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    DWORD state = MouseKeyFlags(buttons, modifiers);
    if (modifiers & Qt::AltModifier) state |= MK_ALT;
    return state;
}

} // namespace platform
