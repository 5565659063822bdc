// A drawing context for measuring text as the screen would: a small image at
// the screen's resolution.
#pragma once

#include "draw/dc.h"

namespace platform {

class ScreenDc : public Dc {
  public:
    ScreenDc();
};

} // namespace platform
