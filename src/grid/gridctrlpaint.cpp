// Painting: the whole grid in four passes (corner, fixed columns, fixed rows,
// scrolled cells) limited to the clip box, the grid lines, repainting single
// cells, rows and columns at once, and which cells can be seen.
#include "gridctrl.h"

#include "draw/dc.h"
#include "draw/pen.h"
#include "base/perfcounter.h"
#include "base/trace.h"

#include <cstdint>

using namespace platform;

void CGridCtrl::OnDraw(Dc* pDC) {
    if (!m_bAllowDraw || !pDC) return;
    Rect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR_REGION) return;
    EraseBkgnd(pDC);
    const std::int64_t startTicks = QueryPerformanceCounter();

    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    const CCellID topLeft = GetTopleftNonFixedCell();
    Rect visRect;
    const CCellSpan visible = GetVisibleNonFixedCellRange(&visRect);
    if (m_bVirtualMode) SendCacheHintToParent(visible);

    // One pass: rows firstRow..lastRow from y = top, columns firstCol..lastCol
    // from x = left. Hidden rows and columns take no room; a clipped pass
    // stops at the first row (column) past the clip box and skips those
    // before it. Rectangles include their right and bottom edge.
    auto pass = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left,
                    bool clipped) {
        Rect rect;
        rect.bottom = top - 1;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0) continue;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + height - 1;
            if (clipped && rect.top >= clipRect.bottom) break;
            if (clipped && rect.bottom < clipRect.top) continue;
            rect.right = left - 1;
            for (int col = firstCol; col <= lastCol; ++col) {
                const int width = GetColumnWidth(col);
                if (width <= 0) continue;
                rect.left = rect.right + 1;
                rect.right = rect.left + width - 1;
                if (clipped && rect.left >= clipRect.right) break;
                if (clipped && rect.right < clipRect.left) continue;
                if (CGridCellBase* pCell = GetCell(row, col)) {
                    pCell->SetCoords(row, col);
                    pCell->Draw(pDC, row, col, rect, FALSE);
                }
            }
        }
    };
    const int fixedRows = GetFixedRowCount();
    const int fixedCols = GetFixedColumnCount();
    const int lastRow = visible.GetMaxRow();
    const int lastCol = visible.GetMaxCol();
    pass(0, fixedRows - 1, 0, 0, fixedCols - 1, 0, false);
    pass(topLeft.row, lastRow, fixedRowHeight, 0, fixedCols - 1, 0, true);
    pass(0, fixedRows - 1, 0, topLeft.col, lastCol, fixedColWidth, true);
    pass(topLeft.row, lastRow, fixedRowHeight, topLeft.col, lastCol, fixedColWidth, true);

    // Grid lines between the scrolled cells; the fixed cells draw their own edges.
    Pen pen(PS_SOLID, 0, m_crGridLineColour);
    pDC->SelectObject(&pen);
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        int x = fixedColWidth;
        for (int col = topLeft.col; col <= lastCol; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0) continue;
            x += width;
            pDC->MoveTo(x - 1, fixedRowHeight);
            pDC->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        int y = fixedRowHeight;
        for (int row = topLeft.row; row <= lastRow; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0) continue;
            y += height;
            pDC->MoveTo(fixedColWidth, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    pDC->SelectObject(GetStockPen(NULL_PEN));
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan());

    const std::int64_t endTicks = QueryPerformanceCounter();
    TRACE("Draw counter ticks: %d\n", static_cast<int>(static_cast<std::uint32_t>(endTicks) -
                                                       static_cast<std::uint32_t>(startTicks)));
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, Dc* pDC) {
    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol)) return FALSE;
    Rect rect;
    if (!GetCellRect(nRow, nCol, &rect)) return FALSE;

    Dc* pOwnDC = nullptr;
    if (!pDC) {
        pOwnDC = GetDC();
        if (!pOwnDC) {
            // The next paint draws it; the rectangle includes its edges.
            Rect dirty(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
            InvalidateRect(&dirty, TRUE);
            return TRUE;
        }
        pDC = pOwnDC;
    }

    BOOL bResult = FALSE;
    if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
        pCell->SetCoords(nRow, nCol);
        bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        if (!IsCellFixed(nRow, nCol)) {
            // The cell's own share of the grid lines: its bottom and right edge.
            Pen pen(PS_SOLID, 0, m_crGridLineColour);
            Pen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    }
    if (pOwnDC) ReleaseDC(pOwnDC);
    return bResult;
}

BOOL CGridCtrl::RedrawRow(int nRow) {
    Dc* pDC = GetDC();
    BOOL bResult = TRUE;
    for (int col = 0; col < GetColumnCount(); ++col)
        if (!RedrawCell(nRow, col, pDC)) bResult = FALSE;
    if (pDC) ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RedrawColumn(int nCol) {
    Dc* pDC = GetDC();
    BOOL bResult = TRUE;
    for (int row = 0; row < GetRowCount(); ++row)
        if (!RedrawCell(row, nCol, pDC)) bResult = FALSE;
    if (pDC) ReleaseDC(pDC);
    return bResult;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars) {
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = TRUE;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars) ResetScrollBars();
}

void CGridCtrl::Refresh() {
    if (IsWindow() && m_bAllowDraw) Invalidate(TRUE);
}

void CGridCtrl::SetGridLines(int nWhichLines) {
    m_nGridLines = nWhichLines;
    Refresh();
}

// ---- what can be seen

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) {
    if (!IsWindow() || !IsValid(nRow, nCol)) return FALSE;
    const bool fixedRow = nRow < GetFixedRowCount();
    const bool fixedCol = nCol < GetFixedColumnCount();
    CCellID topLeft(0, 0);
    if (!(fixedRow && fixedCol)) {
        topLeft = GetTopleftNonFixedCell();
        if ((!fixedCol && nCol < topLeft.col) || (!fixedRow && nRow < topLeft.row)) return FALSE;
    }
    Rect client;
    GetClientRect(&client);
    // Walks from the left (top) edge of the cell's band to the cell; a start
    // at or past the client edge is out of view.
    int x = fixedCol ? 0 : GetFixedColumnWidth();
    for (int col = fixedCol ? 0 : topLeft.col; col <= nCol; ++col) {
        if (x >= client.right) return FALSE;
        x += GetColumnWidth(col);
    }
    int y = fixedRow ? 0 : GetFixedRowHeight();
    for (int row = fixedRow ? 0 : topLeft.row; row <= nRow; ++row) {
        if (y >= client.bottom) return FALSE;
        y += GetRowHeight(row);
    }
    return TRUE;
}

BOOL CGridCtrl::InvalidateCellRect(int nRow, int nCol) {
    if (!IsWindow() || !m_bAllowDraw || !IsValid(nRow, nCol)) return FALSE;
    if (!IsCellVisible(nRow, nCol)) return FALSE;
    Rect rect;
    if (!GetCellRect(nRow, nCol, &rect)) return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateCellRange(const CCellSpan& cellRange) {
    ASSERT(IsValid(cellRange));
    if (!IsWindow() || !m_bAllowDraw) return FALSE;
    const CCellSpan visible = GetVisibleNonFixedCellRange().Intersect(cellRange);
    Rect rect;
    if (!visible.IsValid() || !GetCellRangeRect(visible, &rect)) return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}
