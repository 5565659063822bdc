// Where a report list puts its rows and cells. The client area holds the
// header band at the top and the rows below it; everything scrolls left by
// scrollX pixels, and row topIndex is the first one under the band:
//
//   row bounds  [-scrollX, -scrollX + sum of widths) x [headerHeight + (row - topIndex) *
//   rowHeight, + rowHeight) icon        [bounds.left + indent * iconWidth, + iconWidth) label [icon
//   right, right edge of column 0)
//
// Right and bottom edges are exclusive. Plain values, no Qt: the list control
// fills one from its scroll bars, header and image list whenever it asks.
#pragma once

#include "base/geometry.h"
#include "controls/listdefs.h"
#include "base/messages.h"

#include <functional>
#include <vector>

namespace platform {

struct ListHit {
    unsigned flags = LVHT_NOWHERE;
    int row = -1;
    int column = -1;
};

struct ListGeometry {
    Size client;                   // the whole client area, header band included
    int headerHeight = 0;          // 0 without a header
    int rowHeight = 1;             // at least 1
    int topIndex = 0;              // first row below the header band
    int scrollX = 0;               // pixels scrolled to the left
    int iconWidth = 0;             // small image width; 0 without a small image list
    int rowCount = 0;              //
    std::vector<int> columnWidths; // in display order (the header keeps index order)

    int TotalWidth() const;
    // Left edge of a column in client coordinates; for column == count, the
    // right edge of the last one. -scrollX for a bad column.
    int ColumnLeft(int column) const;
    // Rows wholly below the header band; at least 0.
    int CountPerPage() const;
    // Scroll limits: the last top index that still fills the page, and the
    // widest horizontal scroll.
    int MaxTopIndex() const;
    int MaxScrollX() const;

    // A part of a row (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS
    // from the icon to the label's end). False for a bad row or code; out
    // keeps its value then.
    bool ItemRect(int row, int indent, int code, Rect* out) const;
    // A cell: column 0 gives the row's part as ItemRect does; another column
    // gives the cell for LVIR_BOUNDS and LVIR_LABEL, its first icon width for
    // LVIR_ICON. False for a bad row, column or code.
    bool SubItemRect(int row, int column, int indent, int code, Rect* out) const;

    // The row under a client y, -1 in the header band, below the rows or
    // outside the client area.
    int RowAt(int y) const;
    // The column under a client x, -1 right of the last one.
    int ColumnAt(int x) const;

    // Which row and column a client point lies on. Outside the client area:
    // LVHT_ABOVE / BELOW / TOLEFT / TORIGHT; in the header band, below the
    // rows or right of the columns: LVHT_NOWHERE; these leave row and column
    // -1. On an owner-drawn row every cell is LVHT_ONITEM. On a text row,
    // column 0 is LVHT_ONITEMICON over the icon and LVHT_ONITEMLABEL over the
    // label (the indent before the icon is nowhere); other columns are
    // LVHT_ONITEMLABEL.
    ListHit HitTest(Point p, bool ownerDraw, const std::function<int(int row)>& indentOf) const;

    // The top index after making row visible: unchanged when the row is shown
    // whole (or, with partialOk, in part); else the row becomes the first or
    // the last row of the page. -1 for a bad row.
    int TopIndexShowing(int row, bool partialOk) const;
};

} // namespace platform
