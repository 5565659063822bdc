// System metrics, read from the application's style and screen.
#pragma once

namespace platform {

// SM_CXVSCROLL, SM_CYHSCROLL, SM_CYVSCROLL, SM_CXHSCROLL: the style's scroll
// bar extent; SM_CXSCREEN, SM_CYSCREEN: the primary screen; SM_CXBORDER,
// SM_CYBORDER and anything unknown: 0 (the widgets draw no extra border).
int GetSystemMetrics(int index);

// The longest time in milliseconds between two clicks that make a double click.
unsigned int GetDoubleClickTime();

} // namespace platform
