// Row heights and column widths: reading and setting them, their sums, and
// sizing rows and columns to their cells' contents.
#include "gridctrl.h"

#include "draw/dc.h"
#include "base/trace.h"

#include <algorithm>

using namespace platform;

int CGridCtrl::GetRowHeight(int nRow) const {
    const bool inRange =
        nRow >= 0 && nRow < m_nRows && nRow < static_cast<int>(m_arRowHeights.size());
    ASSERT(inRange);
    return inRange ? static_cast<int>(m_arRowHeights[static_cast<std::size_t>(nRow)]) : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const {
    const bool inRange =
        nCol >= 0 && nCol < m_nCols && nCol < static_cast<int>(m_arColWidths.size());
    ASSERT(inRange);
    return inRange ? static_cast<int>(m_arColWidths[static_cast<std::size_t>(nCol)]) : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height) {
    const bool ok = nRow >= 0 && nRow < m_nRows && height >= 0;
    ASSERT(ok);
    if (!ok) return FALSE;
    m_arRowHeights.Set(static_cast<std::size_t>(nRow), static_cast<UINT>(height));
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width) {
    const bool ok = nCol >= 0 && nCol < m_nCols && width >= 0;
    ASSERT(ok);
    if (!ok) return FALSE;
    m_arColWidths.Set(static_cast<std::size_t>(nCol), static_cast<UINT>(width));
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const {
    return static_cast<int>(m_arRowHeights.FixedTotal(m_nFixedRows));
}

int CGridCtrl::GetFixedColumnWidth() const {
    return static_cast<int>(m_arColWidths.FixedTotal(m_nFixedCols));
}

int CGridCtrl::GetVirtualWidth() const {
    return static_cast<int>(m_arColWidths.Total());
}

int CGridCtrl::GetVirtualHeight() const {
    return static_cast<int>(m_arRowHeights.Total());
}

// ---- auto-size

namespace {
// The rows an auto-size style measures: the headings (0x1), the rest (0x2).
struct RowRange {
    int first;
    int last;
};
RowRange RowsOfStyle(UINT style, int rows, int fixedRows) {
    return {(style & GRID_AUTOSIZE_HEADER) ? 0 : fixedRows,
            (style & GRID_AUTOSIZE_DATA) ? rows - 1 : fixedRows - 1};
}
} // namespace

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll) {
    ASSERT(nAutoSizeStyle <= GRID_AUTOSIZE_BOTH);
    if (nCol < 0 || nCol >= GetColumnCount()) {
        ASSERT(FALSE);
        return FALSE;
    }
    if (GetColumnWidth(nCol) <= 0) return FALSE;
    Dc* pDC = GetDC();
    if (!pDC) return FALSE;

    if (nAutoSizeStyle == 0) nAutoSizeStyle = GetAutoSizeStyle();
    const RowRange rows = RowsOfStyle(nAutoSizeStyle, GetRowCount(), GetFixedRowCount());
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan(rows.first, nCol, rows.last, nCol));
    // A missing cell counts as the one measured before it.
    Size size(0, 0);
    int widest = 0;
    for (int row = rows.first; row <= rows.last; ++row) {
        if (CGridCellBase* pCell = GetCell(row, nCol)) size = pCell->GetCellExtent(pDC);
        widest = std::max(widest, size.cx);
    }
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan());

    m_arColWidths.Set(static_cast<std::size_t>(nCol), static_cast<UINT>(widest));
    ReleaseDC(pDC);
    if (bResetScroll) ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll) {
    if (nRow < 0 || nRow >= GetRowCount()) {
        ASSERT(FALSE);
        return FALSE;
    }
    if (GetRowHeight(nRow) <= 0) return FALSE;
    Dc* pDC = GetDC();
    if (!pDC) return FALSE;

    const int lastCol = GetColumnCount() - 1;
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan(nRow, 0, nRow, lastCol));
    Size size(0, 0);
    int tallest = 0;
    for (int col = 0; col <= lastCol; ++col) {
        if (CGridCellBase* pCell = GetCell(nRow, col)) size = pCell->GetCellExtent(pDC);
        tallest = std::max(tallest, size.cy);
    }
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan());

    m_arRowHeights.Set(static_cast<std::size_t>(nRow), static_cast<UINT>(tallest));
    ReleaseDC(pDC);
    if (bResetScroll) ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle) {
    for (int col = 0; col < GetColumnCount(); ++col)
        if (GetColumnWidth(col) > 0) AutoSizeColumn(col, nAutoSizeStyle, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRows() {
    for (int row = 0; row < GetRowCount(); ++row)
        if (GetRowHeight(row) > 0) AutoSizeRow(row, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSize(UINT nAutoSizeStyle) {
    ASSERT(nAutoSizeStyle <= GRID_AUTOSIZE_BOTH);
    Dc* pDC = GetDC();
    if (!pDC) return;
    if (nAutoSizeStyle == 0) nAutoSizeStyle = GetAutoSizeStyle();
    const RowRange rows = RowsOfStyle(nAutoSizeStyle, GetRowCount(), GetFixedRowCount());
    const int cols = GetColumnCount();
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan(rows.first, 0, rows.last, cols - 1));

    // Shown rows start at 1 pixel and grow to their tallest cell; hidden
    // rows and columns stay hidden.
    for (int row = rows.first; row <= rows.last; ++row)
        if (GetRowHeight(row) > 0) m_arRowHeights.Set(static_cast<std::size_t>(row), 1);
    Size size(0, 0);
    for (int col = 0; col < cols; ++col) {
        if (GetColumnWidth(col) <= 0) continue;
        int width = 0;
        for (int row = rows.first; row <= rows.last; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0) continue;
            if (CGridCellBase* pCell = GetCell(row, col)) size = pCell->GetCellExtent(pDC);
            width = std::max(width, size.cx);
            if (size.cy > height)
                m_arRowHeights.Set(static_cast<std::size_t>(row), static_cast<UINT>(size.cy));
        }
        m_arColWidths.Set(static_cast<std::size_t>(col), static_cast<UINT>(width));
    }
    if (m_bVirtualMode) SendCacheHintToParent(CCellSpan());

    ReleaseDC(pDC);
    ResetScrollBars();
    Refresh();
}
