// The lines and buttons left of an item of the satellite tree, drawn as the
// native tree draws them: dotted lines join each item to its parent and to
// its siblings, and a small box with a plus or a minus marks an item that
// has children. Where they lie in a column is the platform's tree-branch
// layout, which the tree list shares.
#pragma once

#include "draw/treebranch.h"

#include <QColor>
#include <QModelIndex>
#include <QRect>

#include <vector>

class QPainter;

// The columns of an item's row, leftmost (the top level) first, ending with
// the item's own column. Lines only when withLines, buttons only when
// withButtons; the button shows a plus (the view knows whether the item is
// open and sets `expanded`).
std::vector<platform::BranchCell> BranchCells(const QModelIndex& index, bool withLines,
                                              bool withButtons);

// Draws one column into cell: lines in lineColour, the button's box in
// lineColour filled with background and its sign in signColour.
void PaintBranchCell(QPainter* painter, const QRect& cell, const platform::BranchCell& parts,
                     const QColor& lineColour, const QColor& signColour, const QColor& background);

// The colour of the lines and of the buttons' boxes.
inline QColor BranchLineColour() {
    return QColor(128, 128, 128);
}
