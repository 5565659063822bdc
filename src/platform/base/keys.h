// Keys between Qt and the editor's handlers: Qt key codes to virtual keys
// (the numeric keypad's '*', '+', '-' are VK_MULTIPLY, VK_ADD, VK_SUBTRACT;
// the main keyboard's are the keys that type them), the character a press
// types, and the up or down state of keys and buttons as the input event
// being handled leaves it.
#pragma once

#include "base/messages.h"

#include <QString>
#include <Qt>

class QEvent;
class QKeyEvent;

namespace platform {

// The virtual key of a Qt key; 0 for a key without one.
UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The Qt key that makes a virtual key, for messages made by code.
int QtKeyFromVirtualKey(UINT vk);
// Whether the virtual key is one of the keypad's.
bool IsKeypadVirtualKey(UINT vk);
// Whether a key press asks for the focused item's pop-up menu: the Menu key,
// or Shift+F10 (without Ctrl or Alt).
bool IsContextMenuKey(UINT vk, bool shift, bool ctrl, bool alt);

// The character a press types (WM_CHAR), 0 when it types none. Enter, Tab,
// Esc and Backspace type their control codes; Ctrl with a letter its code
// 1..26, Ctrl with any other key nothing.
UINT CharFromKeyEvent(const QKeyEvent* event);
// The character a key-down message translates to (a posted key has no Qt
// event to tell); 0 for a key that types none.
UINT CharFromVirtualKey(UINT vk, bool shift);
// The text a Qt key event carries for a character code.
QString TextFromChar(UINT ch);

// Down: negative; up: 0. Only these two answers: no toggle bit, so a test
// for "non-zero" means "held now".
SHORT GetKeyState(int vk);

// Follows the keys and buttons of each input event; the key router and the
// window hosts call it before the event's messages run.
void RecordInputState(const QEvent* event);
// For tests: forget every key and button held.
void ResetInputState();

} // namespace platform
