// The focus cell and the selection: moving the focus with its headings,
// setting, extending and clearing a selected block, and select-all.
#include "gridctrl.h"

#include "window/cursor.h"
#include "draw/dc.h"
#include "base/trace.h"

#include <algorithm>

using namespace platform;

// ---- focus

void CGridCtrl::RedrawFixedOfColumn(int nCol) {
    for (int row = 0; row < m_nFixedRows; ++row)
        RedrawCell(row, nCol);
}

void CGridCtrl::RedrawFixedOfRow(int nRow) {
    for (int col = 0; col < m_nFixedCols; ++col)
        RedrawCell(nRow, col);
}

CCellID CGridCtrl::SetFocusCell(CCellID cell) {
    if (cell == m_idCurrentCell) return m_idCurrentCell;
    const CCellID previous = m_idCurrentCell;
    if (cell.row != -1 && cell.row < m_nFixedRows) cell.row = m_nFixedRows;
    if (cell.col != -1 && cell.col < m_nFixedCols) cell.col = m_nFixedCols;
    m_idCurrentCell = cell;

    // In virtual mode the owner reports the focus bit itself (GetCell).
    if (IsValid(previous)) {
        if (!m_bVirtualMode && GetCell(previous.row, previous.col))
            SetItemState(previous.row, previous.col,
                         GetItemState(previous.row, previous.col) & ~CELL_FOCUSED);
        RedrawCell(previous);
        if (m_bTrackFocusCell) {
            if (previous.col != m_idCurrentCell.col) RedrawFixedOfColumn(previous.col);
            if (previous.row != m_idCurrentCell.row) RedrawFixedOfRow(previous.row);
        }
    }
    if (IsValid(m_idCurrentCell)) {
        const CCellID focus = m_idCurrentCell;
        if (!m_bVirtualMode && GetCell(focus.row, focus.col))
            SetItemState(focus.row, focus.col, GetItemState(focus.row, focus.col) | CELL_FOCUSED);
        RedrawCell(focus);
        if (m_bTrackFocusCell) {
            if (previous.col != focus.col) RedrawFixedOfColumn(focus.col);
            if (previous.row != focus.row) RedrawFixedOfRow(focus.row);
        }
    }
    return previous;
}

// ---- the selected block

void CGridCtrl::RepaintSelectionChange(int nRow, int nCol, bool bForce, Dc* pDC) {
    if (bForce && pDC)
        RedrawCell(nRow, nCol, pDC);
    else
        InvalidateCellRect(nRow, nCol);
}

namespace {
// The selected bit of a cell as the grid sets it: in virtual mode only the
// selection map holds it, so the owner need not be asked for the state.
UINT WithSelected(UINT state, bool selected) {
    return selected ? state | CELL_SELECTED : state & ~CELL_SELECTED;
}
} // namespace

void CGridCtrl::SetSelectedRange(const CCellSpan& range, BOOL bForceRepaint, BOOL bSelectCells) {
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 BOOL bForceRepaint, BOOL bSelectCells) {
    if (!m_bEnableSelection) return;
    WaitCursor wait;
    Dc* pDC = bForceRepaint ? GetDC() : nullptr;
    const bool force = bForceRepaint != FALSE;
    CCellSpan visible;
    if (IsWindow()) visible = GetVisibleNonFixedCellRange();

    // Bounds inside the fixed band start at the first non-fixed row or column.
    if (nMinRow >= 0 && nMinRow < m_nFixedRows) nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows) nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols) nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols) nMaxCol = m_nFixedCols;
    const CCellSpan block(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const bool allBoundsSet = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;

    auto stateOf = [this](int row, int col) {
        return m_bVirtualMode ? UINT{0} : GetItemState(row, col);
    };

    if (bSelectCells) {
        // Clearing changes the map: walk a copy of it.
        const SelectionMap selected = m_SelectedCellMap;
        for (const auto& [key, cell] : selected) {
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(key);
                continue;
            }
            SetItemState(cell.row, cell.col, WithSelected(stateOf(cell.row, cell.col), false));
            if (!block.InRange(cell) && visible.InRange(cell))
                RepaintSelectionChange(cell.row, cell.col, force, pDC);
        }
        // A Ctrl-click adds the new block to what was selected before.
        if (!(m_bListMode && m_bSingleRowSelection) && allBoundsSet) {
            const SelectionMap previous = m_PrevSelectedCellMap;
            for (const auto& [key, cell] : previous) {
                if (!IsValid(cell)) continue;
                SetItemState(cell.row, cell.col, WithSelected(stateOf(cell.row, cell.col), true));
                if (visible.InRange(cell)) RepaintSelectionChange(cell.row, cell.col, force, pDC);
            }
        }
    }

    if (allBoundsSet && nMaxRow < GetRowCount() && nMaxCol < GetColumnCount() &&
        nMinRow <= nMaxRow && nMinCol <= nMaxCol) {
        const bool select = bSelectCells != FALSE;
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                if ((IsCellSelected(row, col) != FALSE) == select) continue;
                SetItemState(row, col, WithSelected(stateOf(row, col), select));
                if (visible.InRange(row, col)) RepaintSelectionChange(row, col, force, pDC);
            }
    }
    if (pDC) ReleaseDC(pDC);
}

void CGridCtrl::SelectAllCells() {
    if (!m_bEnableSelection) return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, GetColumnCount() - 1);
}

void CGridCtrl::SelectColumns(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.col < m_nFixedCols) return;
    const int lastRow = GetRowCount() - 1;
    if (m_bSingleColSelection)
        SetSelectedRange(m_nFixedRows, currentCell.col, lastRow, currentCell.col, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), lastRow,
                         std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw,
                         bSelectCells);
}

void CGridCtrl::SelectRows(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < m_nFixedRows) return;
    const int lastCol = GetColumnCount() - 1;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, lastCol, bForceRedraw,
                         bSelectCells);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), lastCol, bForceRedraw,
                         bSelectCells);
}

void CGridCtrl::SelectCells(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
    if (!m_bEnableSelection || !IsValid(currentCell) || currentCell.row < m_nFixedRows ||
        currentCell.col < m_nFixedCols)
        return;
    const CCellID start = m_SelectionStartCell;
    SetSelectedRange(std::min(start.row, currentCell.row), std::min(start.col, currentCell.col),
                     std::max(start.row, currentCell.row), std::max(start.col, currentCell.col),
                     bForceRedraw, bSelectCells);
}

void CGridCtrl::OnSelecting(const CCellID& currentCell) {
    if (!m_bEnableSelection) return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(currentCell, FALSE, TRUE);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(currentCell, FALSE, TRUE);
        SendMessageToParent(currentCell.row, currentCell.col, static_cast<int>(LVN_COLUMNCLICK));
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(currentCell, FALSE, TRUE);
        SendMessageToParent(currentCell.row, currentCell.col, static_cast<int>(LVN_COLUMNCLICK));
        break;
    default:
        break;
    }
}

void CGridCtrl::ResetSelectedRange() {
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
    SetFocusCell(-1, -1);
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<int>(GRIDN_SELRESET));
}

CCellSpan CGridCtrl::GetSelectedCellRange() const {
    CCellSpan range(GetRowCount(), GetColumnCount(), -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridCtrl::OnEditSelectAll() {
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col,
                        static_cast<int>(LVN_ITEMCHANGING));
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col,
                        static_cast<int>(LVN_ITEMCHANGED));
}
