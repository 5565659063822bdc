// Dialog units: a template measures its controls in quarters of the font's
// average character width and eighths of its height.
#pragma once

#include "base/geometry.h"

class QFont;

namespace platform {

// The rectangle in pixels for the font. Never fails.
Rect DialogUnitsToPixels(const QFont& font, const Rect& dialogUnits);

} // namespace platform
