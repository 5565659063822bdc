#include "treebranches.h"

#include <QAbstractItemModel>
#include <QPainter>

namespace {

constexpr int kButtonHalf = 4; // the box is 9 x 9 pixels around the centre
constexpr int kSignHalf = 2;

bool HasNextSibling(const QModelIndex& index) {
    return index.model()->rowCount(index.parent()) > index.row() + 1;
}

// Every other pixel, by the pixel's place, so that the dots of adjoining
// rows line up.
void DottedVertical(QPainter* painter, int x, int top, int bottom) {
    for (int y = top; y <= bottom; ++y)
        if (((x + y) & 1) == 0) painter->drawPoint(x, y);
}

void DottedHorizontal(QPainter* painter, int left, int right, int y) {
    for (int x = left; x <= right; ++x)
        if (((x + y) & 1) == 0) painter->drawPoint(x, y);
}

} // namespace

std::vector<BranchCell> BranchCells(const QModelIndex& index, bool withLines, bool withButtons) {
    std::vector<BranchCell> cells;
    if (!index.isValid()) return cells;
    BranchCell own;
    if (withLines) {
        // The first item of the top level has nothing above it.
        own.lineUp = index.parent().isValid() || index.row() > 0;
        own.lineDown = HasNextSibling(index);
        own.lineRight = true;
    }
    own.button = withButtons && index.model()->hasChildren(index);
    cells.push_back(own);
    for (QModelIndex ancestor = index.parent(); ancestor.isValid(); ancestor = ancestor.parent()) {
        BranchCell through;
        through.lineUp = through.lineDown = withLines && HasNextSibling(ancestor);
        cells.insert(cells.begin(), through);
    }
    return cells;
}

void PaintBranchCell(QPainter* painter, const QRect& cell, const BranchCell& parts,
                     const QColor& lineColour, const QColor& signColour, const QColor& background) {
    const QPoint centre = cell.center();
    painter->save();
    painter->setPen(lineColour);
    if (parts.lineUp) DottedVertical(painter, centre.x(), cell.top(), centre.y());
    if (parts.lineDown) DottedVertical(painter, centre.x(), centre.y(), cell.bottom());
    if (parts.lineRight) DottedHorizontal(painter, centre.x(), cell.right(), centre.y());
    if (parts.button) {
        const QRect box(centre.x() - kButtonHalf, centre.y() - kButtonHalf, 2 * kButtonHalf + 1,
                        2 * kButtonHalf + 1);
        painter->fillRect(box, background);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        painter->setPen(signColour);
        painter->drawLine(centre.x() - kSignHalf, centre.y(), centre.x() + kSignHalf, centre.y());
        if (!parts.expanded)
            painter->drawLine(centre.x(), centre.y() - kSignHalf, centre.x(),
                              centre.y() + kSignHalf);
    }
    painter->restore();
}
