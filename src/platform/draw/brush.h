// A brush: a solid colour, or the null brush that paints nothing.
#pragma once

#include "base/colors.h"

namespace platform {

class Brush {
  public:
    Brush() = default;
    explicit Brush(COLORREF color) { CreateSolidBrush(color); }

    // Makes a solid brush. Never fails.
    bool CreateSolidBrush(COLORREF color);
    // Forgets the brush; false when there was none.
    bool DeleteObject();
    const void* GetSafeHandle() const { return made_ ? this : nullptr; }

    // The null brush paints nothing (as does a brush never made).
    bool IsNull() const { return !made_ || null_; }
    COLORREF Color() const { return color_; }

  private:
    friend Brush* GetStockBrush(int index);
    bool made_ = false;
    bool null_ = false;
    COLORREF color_ = 0;
};

// The stock brushes WHITE_BRUSH ... BLACK_BRUSH and NULL_BRUSH; nullptr for
// another index.
Brush* GetStockBrush(int index);

} // namespace platform
