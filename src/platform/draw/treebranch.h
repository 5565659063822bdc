// The lines and the expand button in one indentation column of a tree row,
// laid out alike in the editor's two trees (the satellite tree and the tree
// list); each tree decides what a column holds and draws with its own pens.
// Lines run from the column's centre up to the row's top, down to its
// bottom and right to the column's right edge; a button is a box round the
// centre with a horizontal stroke (minus) and, for a closed node, a vertical
// one (plus), each reaching kBranchSignArm pixels either side of the centre.
// Every point below is a pixel drawn: runs include both their ends and go
// right or down, except a line right in a column whose right end lies left
// of its centre, which ends before it starts.
#pragma once

#include "base/geometry.h"

#include <vector>

namespace platform {

// What one indentation column of a row holds.
struct BranchCell {
    bool lineUp = false;    // from the top edge to the centre
    bool lineDown = false;  // from the centre to the bottom edge
    bool lineRight = false; // from the centre to the right edge
    bool button = false;    // the item has children
    bool expanded = false;  // the button shows a minus
};

// A straight run of pixels from one point to another, both drawn.
struct BranchRun {
    Point from;
    Point to;
    constexpr bool operator==(const BranchRun&) const = default;
};

// Where a column's lines end: its centre, and the last pixel row above and
// below and the last pixel column to the right that the lines reach.
struct BranchColumn {
    Point centre;
    int top = 0;
    int bottom = 0;
    int right = 0;
};

inline constexpr int kBranchSignArm = 2;

// The runs of the lines the cell asks for. The centre pixel belongs to the
// line down and the line right (the line up stops just above it); a line up
// and down is one run over the whole height, followed by the line right.
std::vector<BranchRun> BranchLines(const BranchColumn& column, const BranchCell& cell);

// The button's box, width x height pixels, half of each (rounded down)
// before the centre.
constexpr Rect BranchButtonBox(Point centre, int width, int height) {
    return Rect(Point(centre.x - width / 2, centre.y - height / 2), Size(width, height));
}
// The sign's strokes: the minus across, the plus's bar down.
constexpr BranchRun BranchMinusStroke(Point centre) {
    return {{centre.x - kBranchSignArm, centre.y}, {centre.x + kBranchSignArm, centre.y}};
}
constexpr BranchRun BranchPlusStroke(Point centre) {
    return {{centre.x, centre.y - kBranchSignArm}, {centre.x, centre.y + kBranchSignArm}};
}

} // namespace platform
