// How the report list paints: owner-drawn rows through WM_DRAWITEM to the
// owner, or text rows of its own; then the grid lines over them.
#include "controls/listcontrol.h"

#include "draw/dc.h"
#include "draw/font.h"
#include "draw/imagelist.h"
#include "controls/liststate.h"
#include "window/paintdc.h"
#include "draw/syscolors.h"

#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Text rows: the gap between a text and its cell's edges.
constexpr int kLabelMargin = 2;
constexpr int kCellMargin = 6;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

} // namespace

void ListControl::PaintRows() {
    PaintDc dc(this);
    const Rect update = dc.m_ps.rcPaint;
    if (update.IsRectEmpty()) return;
    if (IsOwnerDraw())
        PaintOwnerDrawRows(dc, update);
    else
        PaintTextRows(dc, update);
    if (State().exStyle & LVS_EX_GRIDLINES) PaintGridLines(dc);
}

void ListControl::PaintOwnerDrawRows(Dc& dc, const Rect& update) {
    const ListGeometry g = Geometry();
    const bool focused = GetFocus() == this;
    const bool showSelection = ShowsSelection();
    const unsigned generation = State().rowsGeneration;
    for (int row = g.topIndex; row < g.rowCount; ++row) {
        Rect bounds;
        g.ItemRect(row, State().rows.GetIndent(row), LVIR_BOUNDS, &bounds);
        if (bounds.top >= g.client.cy) break;
        Rect meet;
        if (!meet.IntersectRect(bounds, update)) continue;
        const unsigned state = State().rows.GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
        dis.itemID = static_cast<UINT>(row);
        dis.itemAction = ODA_DRAWENTIRE;
        if ((state & LVIS_SELECTED) && showSelection) dis.itemState |= ODS_SELECTED;
        if ((state & LVIS_FOCUSED) && focused) dis.itemState |= ODS_FOCUS;
        dis.hwndItem = this;
        dis.hDC = &dc;
        dis.rcItem = bounds;
        dis.itemData = static_cast<UINT_PTR>(State().rows.GetItemData(row));
        const int saved = dc.SaveDC();
        if (Window* owner = GetOwner())
            owner->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        else
            DrawItem(&dis);
        dc.RestoreDC(saved);
        // A drawer that changed the rows ends this paint; another follows.
        if (State().rowsGeneration != generation) return;
    }
}

void ListControl::PaintTextRows(Dc& dc, const Rect& update) {
    const ListGeometry g = Geometry();
    const bool focused = GetFocus() == this;
    const bool showSelection = ShowsSelection();
    const bool fullRow = (State().exStyle & LVS_EX_FULLROWSELECT) != 0;
    Font appFont;
    Font* font = GetFont();
    if (!font) {
        appFont.CreateFromQFont(GetWidget()->font());
        font = &appFont;
    }
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    const int columns = static_cast<int>(g.columnWidths.size());
    for (int row = g.topIndex; row < g.rowCount; ++row) {
        const int indent = State().rows.GetIndent(row);
        Rect bounds, icon, label;
        g.ItemRect(row, indent, LVIR_BOUNDS, &bounds);
        if (bounds.top >= g.client.cy) break;
        Rect meet;
        if (!meet.IntersectRect(Rect(0, bounds.top, g.client.cx, bounds.bottom), update)) continue;
        g.ItemRect(row, indent, LVIR_ICON, &icon);
        g.ItemRect(row, indent, LVIR_LABEL, &label);
        const unsigned state = State().rows.GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
        const bool selected = (state & LVIS_SELECTED) && showSelection;
        const Rect highlight =
            fullRow ? Rect(label.left, bounds.top, bounds.right, bounds.bottom) : label;
        if (selected) dc.FillSolidRect(highlight, GetSysColor(COLOR_HIGHLIGHT));
        if (State().smallImages && g.iconWidth > 0)
            State().smallImages->Draw(&dc, State().rows.GetImage(row), icon.TopLeft(),
                                      ILD_TRANSPARENT);
        for (int c = 0; c < columns; ++c) {
            Rect cell;
            g.SubItemRect(row, c, indent, LVIR_LABEL, &cell);
            const int margin = c == 0 ? kLabelMargin : kCellMargin;
            cell.DeflateRect(margin, 0);
            if (cell.IsRectEmpty()) continue;
            LVCOLUMN col;
            col.mask = LVCF_FMT;
            GetColumn(c, &col);
            const int justify = col.fmt & LVCFMT_JUSTIFYMASK;
            const UINT align = justify == LVCFMT_RIGHT    ? DT_RIGHT
                               : justify == LVCFMT_CENTER ? DT_CENTER
                                                          : DT_LEFT;
            const bool lit = selected && (c == 0 || fullRow);
            dc.SetTextColor(GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            dc.DrawText(State().rows.GetItemText(row, c), &cell, kTextFormat | align);
        }
        if ((state & LVIS_FOCUSED) && focused) dc.DrawFocusRect(highlight);
    }
}

void ListControl::PaintGridLines(Dc& dc) {
    const ListGeometry g = Geometry();
    const COLORREF color = GetSysColor(COLOR_BTNFACE);
    const int width = std::min(g.client.cx, g.TotalWidth() - g.scrollX);
    // One line at the foot of every row on the page, the rows that are not
    // there included, and one at the right edge of every column.
    for (int y = g.headerHeight + g.rowHeight - 1; y < g.client.cy; y += g.rowHeight)
        dc.FillSolidRect(Rect(0, y, g.client.cx, y + 1), color);
    for (int c = 1; c <= static_cast<int>(g.columnWidths.size()); ++c) {
        const int x = g.ColumnLeft(c) - 1;
        if (x >= 0 && x < width)
            dc.FillSolidRect(Rect(x, g.headerHeight, x + 1, g.client.cy), color);
    }
}

} // namespace platform
