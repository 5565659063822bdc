#include "sortarrow.h"

SortArrow ComputeSortArrow(const platform::Rect& rect, platform::Size mExtent, int margin,
                           bool vertical, bool ascending) {
    constexpr int kOffset = 2;
    SortArrow arrow;
    int side = mExtent.cy - 2 * kOffset;
    if (side >= rect.Height()) side = rect.Height() - 2 * kOffset;
    if (side + rect.left >= rect.right + 2 * margin) return arrow;
    arrow.fits = true;
    arrow.side = side;
    arrow.base = rect.bottom - kOffset - side;
    arrow.left = vertical ? (rect.right + rect.left - side) / 2 : rect.right - side;
    const int l = arrow.left;
    const int b = arrow.base;
    const int s = side;
    using platform::Point;
    if (ascending) {
        arrow.light = {Point(l + 1, b + s + 1), Point(l + s / 2 + 1, b + 1),
                       Point(l + s + 1, b + s + 1), Point(l + 1, b + s + 1)};
        arrow.shadow = {Point(l, b + s), Point(l + s / 2, b), Point(l + s, b + s), Point(l, b + s)};
    } else {
        arrow.light = {Point(l + 1, b + 1), Point(l + s / 2 + 1, b + s + 1),
                       Point(l + s + 1, b + 1), Point(l + 1, b + 1)};
        arrow.shadow = {Point(l, b), Point(l + s / 2, b + s), Point(l + s, b), Point(l, b)};
    }
    return arrow;
}
