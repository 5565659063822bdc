// Mouse messages posted to a window as real mouse events: they arrive later,
// in order, through the window's own mouse handling (the capture, the key
// and button state, the handlers), as the user's own clicks do. A double
// click is a WM_xBUTTONDBLCLK message.
#pragma once

#include "base/geometry.h"
#include "base/messages.h"

namespace platform {

class Window;

// message is WM_MOUSEMOVE or a button message (down, up, double click of
// the left, right or middle button); flags are MK_ bits; point is in the
// window's client coordinates. FALSE for another message or a window that
// does not exist.
BOOL PostMouseMessage(Window* window, UINT message, WPARAM flags, Point point);

} // namespace platform
