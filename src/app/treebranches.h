// The lines and buttons left of a tree item, drawn as the native tree draws
// them: dotted lines join each item to its parent and to its siblings, and a
// small box with a plus or a minus marks an item that has children.
#pragma once

#include <QColor>
#include <QModelIndex>
#include <QRect>

#include <vector>

class QPainter;

// What one indentation column of a row holds.
struct BranchCell {
    bool lineUp = false;    // from the top edge to the centre
    bool lineDown = false;  // from the centre to the bottom edge
    bool lineRight = false; // from the centre to the right edge
    bool button = false;    // the item has children
    bool expanded = false;  // the button shows a minus
};

// The columns of an item's row, leftmost (the top level) first, ending with
// the item's own column. Lines only when withLines, buttons only when
// withButtons; the button shows a plus (the view knows whether the item is
// open and sets `expanded`).
std::vector<BranchCell> BranchCells(const QModelIndex& index, bool withLines, bool withButtons);

// Draws one column into cell: lines in lineColour, the button's box in
// lineColour filled with background and its sign in signColour.
void PaintBranchCell(QPainter* painter, const QRect& cell, const BranchCell& parts,
                     const QColor& lineColour, const QColor& signColour, const QColor& background);

// The colour of the lines and of the buttons' boxes.
inline QColor BranchLineColour() {
    return QColor(128, 128, 128);
}
