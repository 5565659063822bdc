// The editing flow: starting an edit on a cell, ending it, and taking the
// editor's final text.
#include "gridctrl.h"

#include "base/trace.h"

using namespace platform;

// Each refusal (invalid or read-only cell, grid not editable, cell not
// shown, owner veto) returns and leaves the grid as it was.
void CGridCtrl::OnEditCell(int nRow, int nCol, Point point, UINT nChar) {
    m_TitleTip.Hide();
    Rect rect;
    if (!PrepareCellEdit(nRow, nCol, &rect)) return;
    if (SendMessageToParent(nRow, nCol, static_cast<int>(LVN_BEGINLABELEDIT)) < 0) return;
    // Only one editor per grid: an earlier one on another cell ends first.
    // The owner's answer to its end report may delete, insert or sort rows,
    // so the cell is looked up again afterwards, never kept across it.
    if (m_pEditingCell && m_pEditingCell != GetCell(nRow, nCol)) {
        const auto alive = AliveToken();
        EndEditing();
        if (!*alive || !PrepareCellEdit(nRow, nCol, &rect)) return;
    }
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return;
    const auto alive = AliveToken();
    pCell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
    if (!*alive) return;
    if (pCell->IsEditing() && GetCell(nRow, nCol) == pCell) {
        m_pEditingCell = pCell;
        m_idEditingCell = CCellID(nRow, nCol);
    }
}

// FALSE for a position outside the grid, a cell that may not be edited or
// one that cannot be brought into view.
BOOL CGridCtrl::PrepareCellEdit(int nRow, int nCol, Rect* pRect) {
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol)) return FALSE;
    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol)) return FALSE;
    return GetCellRect(nRow, nCol, pRect);
}

// Ends the open editor wherever it started; without one, the focus cell's.
void CGridCtrl::EndEditing() {
    if (m_pEditingCell) {
        m_pEditingCell->EndEdit();
        return;
    }
    const CCellID cell = GetFocusCell();
    if (!IsValid(cell)) return;
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) pCell->EndEdit();
}

// A rejected text (validation or owner veto) puts the old text back.
void CGridCtrl::OnEndEditCell(int nRow, int nCol, std::string str) {
    const std::string strOldText = GetItemText(nRow, nCol);
    SetItemText(nRow, nCol, str.c_str());
    if (ValidateEdit(nRow, nCol, str.c_str()) &&
        SendMessageToParent(nRow, nCol, static_cast<int>(LVN_ENDLABELEDIT)) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        SetItemText(nRow, nCol, strOldText.c_str());
    }
    if (CGridCellBase* pCell = GetCell(nRow, nCol)) pCell->OnEndEdit();
}

// TRUE without a cell (after an assertion).
BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str) {
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return TRUE;
    return pCell->ValidateEdit(str);
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader && wParam == IDC_INPLACE_CONTROL && pHeader->code == LVN_ENDLABELEDIT) {
        OnEndInPlaceEdit(pHeader, pResult);
        return TRUE;
    }
    return ScrollWindow::OnNotify(wParam, lParam, pResult);
}

// The text lands in the cell that was edited, or nowhere when that cell is
// no longer at the reported place; a Tab or navigation key moves on and
// opens the next editor.
void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pItem = reinterpret_cast<NMGRIDITEM*>(pNMHDR);
    if (pResult) *pResult = 0;
    CGridCellBase* pEdited = m_pEditingCell;
    m_pEditingCell = nullptr;
    m_idEditingCell = CCellID();
    // A grid that is going takes no text, but its cell stops editing.
    if (!IsWindow() || m_bClosing) {
        if (pEdited) pEdited->OnEndEdit();
        return;
    }
    const int nRow = pItem->item.row;
    const int nCol = pItem->item.col;
    CGridCellBase* pCell = IsValid(nRow, nCol) ? GetCell(nRow, nCol) : nullptr;
    if (pEdited && pEdited != pCell) {
        pEdited->OnEndEdit();
    } else if (pCell) {
        // The owner's answer to the end report may move the edited cell to
        // another row (or delete it, which forgets it here): wherever it is
        // now, it stops editing.
        m_pEndingCell = pEdited;
        const auto alive = AliveToken();
        OnEndEditCell(nRow, nCol, pItem->item.strText);
        if (!*alive) return;
        if (m_pEndingCell && m_pEndingCell->IsEditing()) m_pEndingCell->OnEndEdit();
        m_pEndingCell = nullptr;
    }
    const UINT nChar = static_cast<UINT>(pItem->item.lParam);
    if (nChar == VK_TAB || (nChar >= VK_PRIOR && nChar <= VK_DOWN)) {
        OnKeyDown(nChar, 0, 0);
        const CCellID next = GetFocusCell();
        OnEditCell(next.row, next.col, Point(-1, -1), nChar);
    }
}
