#include "treebranches.h"

#include <QAbstractItemModel>
#include <QPainter>

using platform::BranchCell;
using platform::BranchRun;

namespace {

// The box is 9 x 9 pixels round the centre.
constexpr int kButtonSize = 9;

bool HasNextSibling(const QModelIndex& index) {
    return index.model()->rowCount(index.parent()) > index.row() + 1;
}

// Every other pixel, by the pixel's place, so that the dots of adjoining
// rows and of the runs meeting at the centre line up.
void DottedRun(QPainter* painter, const BranchRun& run) {
    for (int y = run.from.y; y <= run.to.y; ++y)
        for (int x = run.from.x; x <= run.to.x; ++x)
            if (((x + y) & 1) == 0) painter->drawPoint(x, y);
}

void SolidRun(QPainter* painter, const BranchRun& run) {
    painter->drawLine(run.from.ToQPoint(), run.to.ToQPoint());
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
    // Qt's rectangle names its last pixels: they are the ends of the lines.
    const platform::Point centre(cell.center());
    const platform::BranchColumn column{centre, cell.top(), cell.bottom(), cell.right()};
    painter->save();
    painter->setPen(lineColour);
    for (const BranchRun& run : platform::BranchLines(column, parts))
        DottedRun(painter, run);
    if (parts.button) {
        const QRect box = platform::BranchButtonBox(centre, kButtonSize, kButtonSize).ToQRect();
        painter->fillRect(box, background);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        painter->setPen(signColour);
        SolidRun(painter, platform::BranchMinusStroke(centre));
        if (!parts.expanded) SolidRun(painter, platform::BranchPlusStroke(centre));
    }
    painter->restore();
}
