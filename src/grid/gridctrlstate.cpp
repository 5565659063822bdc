// Cell states by position: the selected-cell map that follows the selected
// bit, the modified flags of the cells and of the grid, the questions about a
// cell, the search for the next cell in a state, and list mode.
#include "gridctrl.h"

#include "base/trace.h"

using namespace platform;

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state) {
    // A position outside the grid never enters the selection.
    if (!IsValid(nRow, nCol)) {
        ASSERT(FALSE);
        return FALSE;
    }
    const bool wasSelected = IsCellSelected(nRow, nCol);
    const std::uint64_t key = SelectionKey(nRow, nCol);
    if (wasSelected && !(state & CELL_SELECTED))
        m_SelectedCellMap.erase(key);
    else if (!wasSelected && (state & CELL_SELECTED))
        m_SelectedCellMap[key] = CCellID(nRow, nCol);
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetState() : 0;
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol) {
    // A changed column may no longer be in order.
    if (nCol < 0 || nCol == GetSortColumn()) SetSortColumn(-1);
    if (nRow >= 0 && nCol >= 0) {
        if (bModified) {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | CELL_MODIFIED);
            m_bModified = TRUE;
        } else {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~CELL_MODIFIED);
        }
    } else {
        m_bModified = bModified;
    }
    if (!m_bModified) ClearAllModified();
}

// Every cell is looked at: a cell can be marked behind the grid's back (its
// own SetState, CopyAttributes, assignment), so no count of marked cells
// kept by the grid could be trusted to skip the walk. In virtual mode the
// owner keeps the cells.
void CGridCtrl::ClearAllModified() {
    if (m_bVirtualMode) return;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (const CGridCellBase* pCell = GetCell(row, col))
                if (pCell->GetState() & CELL_MODIFIED)
                    SetItemState(row, col, pCell->GetState() & ~CELL_MODIFIED);
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const {
    if (nRow < 0 || nCol < 0) return m_bModified;
    return (GetItemState(nRow, nCol) & CELL_MODIFIED) != 0;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const {
    return nRow < m_nFixedRows || nCol < m_nFixedCols;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const {
    return IsEditable() && !(GetItemState(nRow, nCol) & CELL_READONLY);
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const {
    if (!m_bEnableSelection) return FALSE;
    if (m_bVirtualMode) return m_SelectedCellMap.count(SelectionKey(nRow, nCol)) != 0;
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell && (pCell->GetState() & CELL_SELECTED) ? TRUE : FALSE;
}

CCellID CGridCtrl::GetNextItem(const CCellID& start, int nFlags) const {
    // The state bits asked for; "modified" asks for the modified state bit.
    UINT wanted =
        static_cast<UINT>(nFlags) & (GRID_NEXT_FOCUSED | GRID_NEXT_SELECTED |
                                     GRID_NEXT_DROPHILITED | GRID_NEXT_READONLY | GRID_NEXT_FIXED);
    if (nFlags & GRID_NEXT_MODIFIED) wanted |= CELL_MODIFIED;
    auto matches = [this, wanted](int row, int col) {
        const CGridCellBase* pCell = GetCell(row, col);
        return pCell && (pCell->GetState() & wanted) != 0;
    };
    const int lastRow = GetRowCount() - 1;
    const int lastCol = GetColumnCount() - 1;

    if ((nFlags & GRID_NEXT_ALL) == GRID_NEXT_ALL) {
        const int firstRow = start.row <= 0 ? m_nFixedRows : start.row;
        int col = start.col + 1;
        if (col <= 0) col = m_nFixedCols;
        for (int row = firstRow; row <= lastRow; ++row) {
            for (; col <= lastCol; ++col)
                if (matches(row, col)) return CCellID(row, col);
            col = m_nFixedCols;
        }
    } else if ((nFlags & GRID_NEXT_AREA) == GRID_NEXT_AREA) {
        const int firstRow = start.row <= 0 ? m_nFixedRows : start.row;
        const int firstCol = start.col + 1 <= 0 ? m_nFixedCols : start.col + 1;
        for (int row = firstRow; row <= lastRow; ++row)
            for (int col = firstCol; col <= lastCol; ++col)
                if (matches(row, col)) return CCellID(row, col);
    } else if (nFlags & GRID_NEXT_ABOVE) {
        for (int row = start.row - 1; row >= m_nFixedRows; --row)
            if (matches(row, start.col)) return CCellID(row, start.col);
    } else if (nFlags & GRID_NEXT_BELOW) {
        for (int row = start.row + 1; row <= lastRow; ++row)
            if (matches(row, start.col)) return CCellID(row, start.col);
    } else if (nFlags & GRID_NEXT_TOLEFT) {
        for (int col = start.col - 1; col >= m_nFixedCols; --col)
            if (matches(start.row, col)) return CCellID(start.row, col);
    } else if (nFlags & GRID_NEXT_TORIGHT) {
        for (int col = start.col + 1; col <= lastCol; ++col)
            if (matches(start.row, col)) return CCellID(start.row, col);
    }
    return CCellID(-1, -1);
}

void CGridCtrl::SetListMode(BOOL bEnableListMode) {
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedColumnSelection(FALSE);
    Refresh();
}
