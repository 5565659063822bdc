#include "controls/listgeometry.h"

#include <algorithm>
#include <numeric>

namespace platform {

int ListGeometry::TotalWidth() const {
    return std::accumulate(columnWidths.begin(), columnWidths.end(), 0);
}

int ListGeometry::ColumnLeft(int column) const {
    const int count = static_cast<int>(columnWidths.size());
    int x = -scrollX;
    if (column < 0 || column > count) return x;
    for (int c = 0; c < column; ++c)
        x += columnWidths[c];
    return x;
}

int ListGeometry::CountPerPage() const {
    return std::max(0, (client.cy - headerHeight) / std::max(1, rowHeight));
}

int ListGeometry::MaxTopIndex() const {
    return std::max(0, rowCount - CountPerPage());
}

int ListGeometry::MaxScrollX() const {
    return std::max(0, TotalWidth() - client.cx);
}

bool ListGeometry::ItemRect(int row, int indent, int code, Rect* out) const {
    if (row < 0 || row >= rowCount || !out) return false;
    const int top = headerHeight + (row - topIndex) * rowHeight;
    const Rect bounds(-scrollX, top, -scrollX + TotalWidth(), top + rowHeight);
    const int iconLeft = bounds.left + indent * iconWidth;
    const Rect icon(iconLeft, top, iconLeft + iconWidth, bounds.bottom);
    const int column0Right = columnWidths.empty() ? bounds.left : ColumnLeft(1);
    const Rect label(icon.right, top, column0Right, bounds.bottom);
    switch (code) {
    case LVIR_BOUNDS:
        *out = bounds;
        return true;
    case LVIR_ICON:
        *out = icon;
        return true;
    case LVIR_LABEL:
        *out = label;
        return true;
    case LVIR_SELECTBOUNDS:
        *out = Rect(icon.left, top, label.right, bounds.bottom);
        return true;
    default:
        return false;
    }
}

bool ListGeometry::SubItemRect(int row, int column, int indent, int code, Rect* out) const {
    if (column == 0) return ItemRect(row, indent, code, out);
    const int count = static_cast<int>(columnWidths.size());
    if (row < 0 || row >= rowCount || column < 0 || column >= count || !out) return false;
    const int top = headerHeight + (row - topIndex) * rowHeight;
    const int left = ColumnLeft(column);
    const Rect cell(left, top, left + columnWidths[column], top + rowHeight);
    switch (code) {
    case LVIR_BOUNDS:
    case LVIR_LABEL:
    case LVIR_SELECTBOUNDS:
        *out = cell;
        return true;
    case LVIR_ICON:
        *out = Rect(left, top, std::min(cell.right, left + iconWidth), cell.bottom);
        return true;
    default:
        return false;
    }
}

int ListGeometry::RowAt(int y) const {
    if (y < headerHeight || y >= client.cy) return -1;
    const int row = topIndex + (y - headerHeight) / std::max(1, rowHeight);
    return row < rowCount ? row : -1;
}

int ListGeometry::ColumnAt(int x) const {
    int left = -scrollX;
    for (int c = 0; c < static_cast<int>(columnWidths.size()); ++c) {
        const int right = left + columnWidths[c];
        if (x >= left && x < right) return c;
        left = right;
    }
    return -1;
}

ListHit ListGeometry::HitTest(Point p, bool ownerDraw,
                              const std::function<int(int row)>& indentOf) const {
    ListHit hit;
    unsigned outside = 0;
    if (p.y < 0) outside |= LVHT_ABOVE;
    if (p.y >= client.cy) outside |= LVHT_BELOW;
    if (p.x < 0) outside |= LVHT_TOLEFT;
    if (p.x >= client.cx) outside |= LVHT_TORIGHT;
    if (outside) {
        hit.flags = outside;
        return hit;
    }
    const int row = RowAt(p.y);
    const int column = ColumnAt(p.x);
    if (row < 0 || column < 0) return hit;
    unsigned flags = LVHT_ONITEMLABEL;
    if (ownerDraw) {
        flags = LVHT_ONITEM;
    } else if (column == 0) {
        Rect icon, label;
        const int indent = indentOf ? indentOf(row) : 0;
        ItemRect(row, indent, LVIR_ICON, &icon);
        ItemRect(row, indent, LVIR_LABEL, &label);
        if (icon.PtInRect(p))
            flags = LVHT_ONITEMICON;
        else if (!label.PtInRect(p))
            return hit;
    }
    hit.flags = flags;
    hit.row = row;
    hit.column = column;
    return hit;
}

int ListGeometry::TopIndexShowing(int row, bool partialOk) const {
    if (row < 0 || row >= rowCount) return -1;
    const int perPage = CountPerPage();
    const bool partShown = (client.cy - headerHeight) % std::max(1, rowHeight) > 0;
    if (row >= topIndex && row < topIndex + perPage) return topIndex;
    if (partialOk && partShown && row == topIndex + perPage) return topIndex;
    const int top = row < topIndex ? row : row - std::max(1, perPage) + 1;
    return std::clamp(top, 0, std::max(MaxTopIndex(), 0));
}

} // namespace platform
