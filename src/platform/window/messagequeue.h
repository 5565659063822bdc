// Posted messages: each runs later, in the order posted, when the event loop
// comes round. A message whose window was destroyed meanwhile is dropped.
// Key messages take the message loop's road: the hooks first, then the key
// translated to its character, then the window.
#pragma once

#include "base/messages.h"

namespace platform {

class MessageQueue {
  public:
    // FALSE when the window does not exist.
    static BOOL Post(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace platform
