// A pen: style (PS_ values), width and colour. Width 0 and 1 both draw one
// pixel wide whatever the mapping.
#pragma once

#include "base/colors.h"

namespace platform {

class Pen {
  public:
    Pen() = default;
    Pen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

    // Makes the pen; an unknown style is drawn solid. Never fails.
    bool CreatePen(int style, int width, COLORREF color);
    // Forgets the pen; false when there was none.
    bool DeleteObject();
    const void* GetSafeHandle() const { return made_ ? this : nullptr; }

    int Style() const { return style_; }
    int Width() const { return width_; }
    COLORREF Color() const { return color_; }

  private:
    bool made_ = false;
    int style_ = 0;
    int width_ = 1;
    COLORREF color_ = 0;
};

// The stock pens BLACK_PEN, WHITE_PEN and NULL_PEN; nullptr for another index.
Pen* GetStockPen(int index);

} // namespace platform
