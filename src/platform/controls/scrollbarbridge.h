// What the user does with a Qt scroll bar, told to a window as the scroll
// messages of the original platform. Each action on the bar is WM_HSCROLL or
// WM_VSCROLL with its scroll code and the bar's position; a thumb being
// dragged is SB_THUMBTRACK at the position it has reached, and letting it go
// is SB_THUMBPOSITION at that position, then SB_ENDSCROLL. Qt's own move of
// the slider is taken back at once: the bar moves only when the window sets
// its position. The list and the scroll window both hear their bars so.
#pragma once

#include "base/messages.h"

#include <functional>

class QObject;
class QScrollBar;

namespace platform {

struct ScrollBarBridge {
    // The window the messages go to, looked up at each action (another
    // object may have taken the window over); null: nobody hears them.
    std::function<Window*()> target;
    // Keeps the position a thumb drag has reached where the window reads it
    // (GetScrollInfo with SIF_TRACKPOS); empty when nobody reads it there.
    std::function<void(int)> keepTrackPos;
};

// Connects bar to the bridge for message (WM_HSCROLL or WM_VSCROLL); the
// connections end with context. Nothing for a null bar or context.
void BridgeScrollBar(QScrollBar* bar, UINT message, QObject* context, ScrollBarBridge bridge);

} // namespace platform
