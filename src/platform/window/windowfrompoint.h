// The window under a point of the screen: the top-most shown window of the
// application there (a child before its parent), or null where none of the
// application's windows is.
#pragma once

#include "base/geometry.h"

namespace platform {

class Window;

Window* WindowFromPoint(Point screenPoint);

} // namespace platform
