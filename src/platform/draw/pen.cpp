#include "draw/pen.h"

#include "base/drawconstants.h"

namespace platform {

bool Pen::CreatePen(int style, int width, COLORREF color) {
    style_ = style;
    width_ = width < 0 ? 0 : width;
    color_ = color;
    made_ = true;
    return true;
}

bool Pen::DeleteObject() {
    if (!made_) return false;
    made_ = false;
    return true;
}

Pen* GetStockPen(int index) {
    static Pen black(PS_SOLID, 0, RGB(0, 0, 0));
    static Pen white(PS_SOLID, 0, RGB(255, 255, 255));
    static Pen none(PS_NULL, 0, RGB(0, 0, 0));
    switch (index) {
    case BLACK_PEN:
        return &black;
    case WHITE_PEN:
        return &white;
    case NULL_PEN:
        return &none;
    default:
        return nullptr;
    }
}

} // namespace platform
