// Where the sort arrow of a heading cell goes: a square triangle at the
// bottom right of the text rectangle (centred for vertical text), drawn as two
// closed outlines, a light one offset by a pixel and a shadow one.
#pragma once

#include "base/geometry.h"

#include <array>

struct SortArrow {
    bool fits = false;
    int left = 0;
    int base = 0; // top of the arrow's square
    int side = 0;
    // Closed outlines: the first point is repeated at the end.
    std::array<platform::Point, 4> light;
    std::array<platform::Point, 4> shadow;
};

// rect: the text rectangle (margins already taken off); mExtent: the size of
// "M" in the cell's font. The arrow does not fit when its side plus the left
// edge reaches right + 2 * margin; fits is then false and nothing else is set.
SortArrow ComputeSortArrow(const platform::Rect& rect, platform::Size mExtent, int margin,
                           bool vertical, bool ascending);
