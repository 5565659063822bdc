// Where cells are: the top-left scrolled cell, the visible block, cell
// origins and rectangles (inclusive right and bottom), the cell under a
// point and the divider hit tests.
#include "gridctrl.h"

#include "base/trace.h"

#include <algorithm>

using namespace platform;

BOOL CGridCtrl::IsValid(int nRow, int nCol) const {
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CGridCtrl::IsValid(const CCellSpan& range) const {
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 &&
           range.GetMaxCol() >= 0 && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols &&
           range.GetMinRow() <= range.GetMaxRow() && range.GetMinCol() <= range.GetMaxCol();
}

CCellSpan CGridCtrl::GetCellRange() const {
    return CCellSpan(0, 0, m_nRows - 1, m_nCols - 1);
}

CCellID CGridCtrl::GetTopleftNonFixedCell(BOOL bForceRecalculation) {
    if (m_idTopLeftCell.IsValid() && !bForceRecalculation) return m_idTopLeftCell;
    const int vertScroll = GetScrollPos(SB_VERT);
    const int horzScroll = GetScrollPos(SB_HORZ);

    m_idTopLeftCell.col = m_nFixedCols;
    for (int right = 0; right < horzScroll && m_idTopLeftCell.col < m_nCols - 1;)
        right += GetColumnWidth(m_idTopLeftCell.col++);
    m_idTopLeftCell.row = m_nFixedRows;
    for (int top = 0; top < vertScroll && m_idTopLeftCell.row < m_nRows - 1;)
        top += GetRowHeight(m_idTopLeftCell.row++);
    return m_idTopLeftCell;
}

CCellSpan CGridCtrl::GetVisibleNonFixedCellRange(Rect* pRect, BOOL bForceRecalculation) {
    Rect client;
    GetClientRect(&client);
    const CCellID topLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    int right = GetFixedColumnWidth();
    int col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    if (pRect) *pRect = Rect(0, 0, right, bottom);
    return CCellSpan(topLeft.row, topLeft.col, std::min(row, m_nRows - 1),
                     std::min(col, m_nCols - 1));
}

CCellSpan CGridCtrl::GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation) {
    Rect client;
    GetClientRect(&client);
    const CCellID topLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) break;
    }
    int maxRow = std::min(row, m_nRows - 1);
    // The last row only partly shown does not count.
    if (maxRow > 0 && bottom > client.bottom) --maxRow;

    int right = GetFixedColumnWidth();
    int col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) break;
    }
    int maxCol = std::min(col, m_nCols - 1);
    if (maxCol > 0 && right > client.right) --maxCol;
    return CCellSpan(topLeft.row, topLeft.col, maxRow, maxCol);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, Point* p) {
    if (!p || !IsValid(nRow, nCol)) return FALSE;
    CCellID topLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows) topLeft = GetTopleftNonFixedCell();
    // Scrolled out above or to the left.
    if ((nRow >= m_nFixedRows && nRow < topLeft.row) ||
        (nCol >= m_nFixedCols && nCol < topLeft.col))
        return FALSE;

    p->x = 0;
    if (nCol < m_nFixedCols) {
        for (int i = 0; i < nCol; ++i)
            p->x += GetColumnWidth(i);
    } else {
        for (int i = 0; i < m_nFixedCols; ++i)
            p->x += GetColumnWidth(i);
        for (int i = topLeft.col; i < nCol; ++i)
            p->x += GetColumnWidth(i);
    }
    p->y = 0;
    if (nRow < m_nFixedRows) {
        for (int i = 0; i < nRow; ++i)
            p->y += GetRowHeight(i);
    } else {
        for (int i = 0; i < m_nFixedRows; ++i)
            p->y += GetRowHeight(i);
        for (int i = topLeft.row; i < nRow; ++i)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, Rect* pRect) {
    Point origin;
    if (!pRect || !GetCellOrigin(nRow, nCol, &origin)) return FALSE;
    *pRect = Rect(origin.x, origin.y, origin.x + GetColumnWidth(nCol) - 1,
                  origin.y + GetRowHeight(nRow) - 1);
    return TRUE;
}

BOOL CGridCtrl::GetTextRect(int nRow, int nCol, Rect* pRect) {
    if (!GetCellRect(nRow, nCol, pRect)) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    return pCell->GetTextRect(pRect);
}

BOOL CGridCtrl::GetCellRangeRect(const CCellSpan& cellRange, Rect* lpRect) {
    Point minOrigin, maxOrigin;
    if (!lpRect || !GetCellOrigin(cellRange.GetMinRow(), cellRange.GetMinCol(), &minOrigin) ||
        !GetCellOrigin(cellRange.GetMaxRow(), cellRange.GetMaxCol(), &maxOrigin))
        return FALSE;
    *lpRect =
        Rect(minOrigin.x, minOrigin.y, maxOrigin.x + GetColumnWidth(cellRange.GetMaxCol()) - 1,
             maxOrigin.y + GetRowHeight(cellRange.GetMaxRow()) - 1);
    return TRUE;
}

namespace {
// One axis of the hit test: the index whose span holds pos, -1 for none.
template <class SizeOf>
int HitIndex(int pos, bool allowFixed, int fixedCount, int fixedSize, int firstScrolled, int count,
             SizeOf sizeOf) {
    if (pos < 0 || (!allowFixed && pos < fixedSize)) return -1;
    if (pos < fixedSize) {
        int edge = 0;
        int i = 0;
        for (; i < fixedCount; ++i) {
            edge += sizeOf(i);
            if (edge > pos) break;
        }
        return i;
    }
    int edge = fixedSize;
    int i = firstScrolled;
    for (; i < count; ++i) {
        edge += sizeOf(i);
        if (edge > pos) break;
    }
    return i >= count ? -1 : i;
}
} // namespace

CCellID CGridCtrl::GetCellFromPt(Point point, BOOL bAllowFixedCellCheck) {
    CCellID cell;
    const CCellID topLeft = GetTopleftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(topLeft)) return cell;
    cell.col = HitIndex(point.x, bAllowFixedCellCheck, m_nFixedCols, GetFixedColumnWidth(),
                        topLeft.col, m_nCols, [this](int i) { return GetColumnWidth(i); });
    cell.row = HitIndex(point.y, bAllowFixedCellCheck, m_nFixedRows, GetFixedRowHeight(),
                        topLeft.row, m_nRows, [this](int i) { return GetRowHeight(i); });
    return cell;
}

BOOL CGridCtrl::MouseOverRowResizeArea(Point point) {
    if (point.x >= GetFixedColumnWidth()) return FALSE;
    const CCellID cell = GetCellFromPt(point);
    Point start;
    if (!GetCellOrigin(cell, &start)) return FALSE;
    const int endY = start.y + GetRowHeight(cell.row);
    return ((point.y - start.y < m_nResizeCaptureRange && cell.row != 0) ||
            endY - point.y < m_nResizeCaptureRange)
               ? TRUE
               : FALSE;
}

BOOL CGridCtrl::MouseOverColumnResizeArea(Point point) {
    if (point.y >= GetFixedRowHeight()) return FALSE;
    const CCellID cell = GetCellFromPt(point);
    Point start;
    if (!GetCellOrigin(cell, &start)) return FALSE;
    const int endX = start.x + GetColumnWidth(cell.col);
    return ((point.x - start.x < m_nResizeCaptureRange && cell.col != 0) ||
            endX - point.x < m_nResizeCaptureRange)
               ? TRUE
               : FALSE;
}
