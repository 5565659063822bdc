// Deleting a column, a row, or every non-fixed row at once.
#include "gridctrl.h"

#include "base/trace.h"

using namespace platform;

BOOL CGridCtrl::DeleteColumn(int nColumn) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    if (nColumn < 0 || nColumn >= GetColumnCount()) return FALSE;
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        // A row without cells fails the step before anything is taken away,
        // so that the rows keep one cell per column.
        for (int row = 0; row < m_nRows; ++row)
            if (row >= static_cast<int>(m_RowData.size()) ||
                !m_RowData[static_cast<std::size_t>(row)])
                return FALSE;
        const auto at = static_cast<std::ptrdiff_t>(nColumn);
        for (int row = 0; row < m_nRows; ++row) {
            DestroyCell(row, nColumn);
            GridRow& cells = *m_RowData[static_cast<std::size_t>(row)];
            cells.erase(cells.begin() + at);
        }
    }
    m_arColWidths.Erase(static_cast<std::size_t>(nColumn));
    --m_nCols;
    if (nColumn < m_nFixedCols) --m_nFixedCols;
    if (m_idCurrentCell.col == nColumn)
        m_idCurrentCell = CCellID(-1, -1);
    else if (m_idCurrentCell.col > nColumn)
        --m_idCurrentCell.col;
    m_idTopLeftCell.col = -1;
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}

BOOL CGridCtrl::RemoveRow(int nRow) {
    if (!m_bVirtualMode) {
        if (nRow >= static_cast<int>(m_RowData.size()) ||
            !m_RowData[static_cast<std::size_t>(nRow)])
            return FALSE;
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + static_cast<std::ptrdiff_t>(nRow));
    }
    m_arRowHeights.Erase(static_cast<std::size_t>(nRow));
    --m_nRows;
    if (nRow < m_nFixedRows) --m_nFixedRows;
    if (m_idCurrentCell.row == nRow)
        m_idCurrentCell = CCellID(-1, -1);
    else if (m_idCurrentCell.row > nRow)
        --m_idCurrentCell.row;
    m_idTopLeftCell.col = -1;
    return TRUE;
}

BOOL CGridCtrl::DeleteRow(int nRow) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    if (nRow < 0 || nRow >= GetRowCount()) return FALSE;
    ResetSelectedRange();
    if (!RemoveRow(nRow)) return FALSE;
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows() {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ResetSelectedRange();
    // From the last row up, so that each removal is at the end of the arrays.
    // A row without cells stays, as it would with DeleteRow.
    const int fixedRows = GetFixedRowCount();
    for (int row = GetRowCount() - 1; row >= fixedRows; --row)
        RemoveRow(row);
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}
