#include "draw/brush.h"

#include "base/drawconstants.h"
#include "draw/syscolors.h"

namespace platform {

bool Brush::CreateSolidBrush(COLORREF color) {
    color_ = color;
    null_ = false;
    made_ = true;
    return true;
}

bool Brush::DeleteObject() {
    if (!made_) return false;
    made_ = false;
    return true;
}

Brush* GetStockBrush(int index) {
    static Brush white(RGB(255, 255, 255));
    static Brush light(RGB(192, 192, 192));
    static Brush gray(RGB(128, 128, 128));
    static Brush dark(RGB(64, 64, 64));
    static Brush black(RGB(0, 0, 0));
    static Brush none = [] {
        Brush b;
        b.made_ = true;
        b.null_ = true;
        return b;
    }();
    switch (index) {
    case WHITE_BRUSH:
        return &white;
    case LTGRAY_BRUSH:
        return &light;
    case GRAY_BRUSH:
        return &gray;
    case DKGRAY_BRUSH:
        return &dark;
    case BLACK_BRUSH:
        return &black;
    case NULL_BRUSH:
        return &none;
    default:
        return nullptr;
    }
}

} // namespace platform
