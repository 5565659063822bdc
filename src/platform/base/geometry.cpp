#include "base/geometry.h"

#include <algorithm>
#include <utility>

namespace platform {

QRect Rect::ToQRect() const {
    if (IsRectEmpty())
        return QRect(left, top, std::max(0, Width()), std::max(0, Height()));
    return QRect(left, top, Width(), Height());
}

void Rect::NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

bool Rect::IntersectRect(const Rect& a, const Rect& b) {
    Rect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom));
    if (a.IsRectEmpty() || b.IsRectEmpty() || r.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = r;
    return true;
}

bool Rect::UnionRect(const Rect& a, const Rect& b) {
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    if (a.IsRectEmpty()) {
        *this = b;
        return true;
    }
    if (b.IsRectEmpty()) {
        *this = a;
        return true;
    }
    *this = Rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
    return true;
}

} // namespace platform
