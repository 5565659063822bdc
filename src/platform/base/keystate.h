// The mouse-button and modifier flags (MK_) that mouse messages and drag
// callbacks carry, made from Qt's buttons and modifiers.
#pragma once

#include "base/messages.h"

#include <Qt>

namespace platform {

// Alt held, as drag callbacks report it (mouse messages do not carry it).
constexpr DWORD MK_ALT = 0x0020;

// Buttons and Shift / Ctrl, as a mouse message's wParam carries them.
UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The key state of a drag callback: the mouse flags and Alt.
DWORD DragKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

} // namespace platform
