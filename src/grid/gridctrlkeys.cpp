// The keyboard: navigation keys move the focus cell (Shift extends the
// selection), Ctrl combinations reach the clipboard commands, F2 and typed
// characters open the editor; also the cursor over dividers and the font.
#include "gridctrl.h"

#include "window/cursor.h"
#include "base/keys.h"
#include "base/trace.h"

using namespace platform;

namespace {
bool IsDown(int vk) {
    return GetKeyState(vk) < 0;
}
} // namespace

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsValid(m_idCurrentCell)) {
        ScrollWindow::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    CCellID next = m_idCurrentCell;
    BOOL bChangeLine = FALSE;
    BOOL bHorzScrollAction = FALSE;
    BOOL bVertScrollAction = FALSE;
    const bool ctrl = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);

    if (ctrl) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            break;
        case 'X':
            OnEditCut();
            break;
        case VK_INSERT:
        case 'C':
            OnEditCopy();
            break;
        case 'V':
            OnEditPaste();
            break;
        default:
            break;
        }
    }
    if (shift && nChar == VK_INSERT) OnEditPaste();

    const int lastRow = GetRowCount() - 1;
    const int lastCol = GetColumnCount() - 1;
    const bool tab = nChar == VK_TAB;

    // The first shown row (column) from `from` on in steps of `step`, not
    // past `limit`; -1 when every one on the way is hidden.
    auto shownRow = [this](int from, int step, int limit) {
        for (int row = from; step > 0 ? row <= limit : row >= limit; row += step)
            if (GetRowHeight(row) > 0) return row;
        return -1;
    };
    auto shownCol = [this](int from, int step, int limit) {
        for (int col = from; step > 0 ? col <= limit : col >= limit; col += step)
            if (GetColumnWidth(col) > 0) return col;
        return -1;
    };

    if (nChar == VK_DOWN) {
        if (const int row = shownRow(next.row + 1, 1, lastRow); row >= 0) next.row = row;
    } else if (nChar == VK_UP) {
        if (const int row = shownRow(next.row - 1, -1, m_nFixedRows); row >= 0) next.row = row;
    } else if (nChar == VK_RIGHT || (tab && !shift)) {
        if (const int col = shownCol(next.col + 1, 1, lastCol); col >= 0) {
            next.col = col;
        } else if (tab) {
            // On to the first shown cell of the next shown row; in the last
            // shown row the focus stays.
            const int row = shownRow(next.row + 1, 1, lastRow);
            const int first = shownCol(m_nFixedCols, 1, lastCol);
            if (row >= 0 && first >= 0) {
                next = CCellID(row, first);
                bChangeLine = TRUE;
            }
        }
    } else if (nChar == VK_LEFT || (tab && shift)) {
        if (const int col = shownCol(next.col - 1, -1, m_nFixedCols); col >= 0) {
            next.col = col;
        } else if (tab) {
            // Back to the last shown cell of the shown row above; in the
            // first shown row the focus stays.
            const int row = shownRow(next.row - 1, -1, m_nFixedRows);
            const int last = shownCol(lastCol, -1, m_nFixedCols);
            if (row >= 0 && last >= 0) {
                next = CCellID(row, last);
                bChangeLine = TRUE;
            }
        }
    } else if (nChar == VK_PRIOR || nChar == VK_NEXT) {
        const bool down = nChar == VK_NEXT;
        const CCellID before = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
        bVertScrollAction = TRUE;
        const CCellID after = GetTopleftNonFixedCell();
        const int moved = after.row - before.row;
        next.row += moved;
        if (down) {
            if (moved == 0 || next.row > lastRow) next.row = lastRow;
        } else {
            if (moved == 0 || next.row < m_nFixedRows) next.row = m_nFixedRows;
        }
    } else if (nChar == VK_END) {
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            bVertScrollAction = TRUE;
            next.row = lastRow;
        }
        SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
        bHorzScrollAction = TRUE;
        next.col = lastCol;
        while (next.col > m_nFixedCols + 1 && GetColumnWidth(next.col) <= 0)
            --next.col;
        while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) <= 0)
            --next.row;
    } else if (nChar == VK_HOME) {
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            bVertScrollAction = TRUE;
            next.row = m_nFixedRows;
        }
        SendMessage(WM_HSCROLL, SB_TOP, 0);
        bHorzScrollAction = TRUE;
        next.col = m_nFixedCols;
        while (next.col < lastCol && GetColumnWidth(next.col) <= 0)
            ++next.col;
        while (next.row < lastRow && GetRowHeight(next.row) <= 0)
            ++next.row;
    } else if (nChar == VK_F2) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, Point(-1, -1), VK_LBUTTON);
    } else {
        ScrollWindow::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    if (next != m_idCurrentCell) {
        if (m_MouseMode == MOUSE_NOTHING) {
            m_PrevSelectedCellMap.clear();
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            if (!shift || tab) m_SelectionStartCell = next;
            SendMessageToParent(next.row, next.col, static_cast<int>(LVN_ITEMCHANGING));
            OnSelecting(next);
            SendMessageToParent(next.row, next.col, static_cast<int>(LVN_ITEMCHANGED));
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next)) {
            if (tab && bChangeLine) {
                if (shift) {
                    SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                    SetScrollPos32(SB_HORZ, m_nHScrollMax);
                } else {
                    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                    SetScrollPos32(SB_HORZ, 0);
                }
            } else if (tab) {
                SendMessage(WM_HSCROLL, shift ? SB_LINEUP : SB_LINEDOWN, 0);
            } else if (nChar == VK_LEFT) {
                SendMessage(WM_HSCROLL, SB_LINEUP, 0);
            } else if (nChar == VK_RIGHT) {
                SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
            } else if (nChar == VK_UP) {
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            } else if (nChar == VK_DOWN) {
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            }
            EnsureVisible(next);
            Invalidate();
        }
        EnsureVisible(next);
        if (bHorzScrollAction) SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
        if (bVertScrollAction) SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

void CGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    ScrollWindow::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(nChar == VK_TAB && m_bHandleTabKey))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, Point(-1, -1), nChar);
    ScrollWindow::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wCharCode, LPARAM) {
    const UINT nChar = static_cast<UINT>(wCharCode);
    if (!IsDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE)
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, Point(-1, -1), nChar);
    return 0;
}

BOOL CGridCtrl::OnSetCursor(Window* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest != HTCLIENT) return ScrollWindow::OnSetCursor(pWnd, nHitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        SetCursor(LoadStandardCursor(IDC_SIZENS));
        TRACE(" over row divide.");
        return TRUE;
    case MOUSE_OVER_COL_DIVIDE:
        SetCursor(LoadStandardCursor(IDC_SIZEWE));
        return TRUE;
    case MOUSE_DRAGGING:
        return TRUE;
    default:
        break;
    }
    if (!m_bVirtualMode) {
        Point pt;
        GetCursorPos(&pt);
        ScreenToClient(&pt);
        const CCellID cell = GetCellFromPt(pt);
        if (IsValid(cell)) {
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) return pCell->OnSetCursor();
        }
    }
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return TRUE;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM lParam) {
    const LRESULT result = ScrollWindow::OnSetFont(hFont, lParam);
    auto* pFont = reinterpret_cast<Font*>(hFont);
    LOGFONT lf;
    if (pFont && pFont->GetLogFont(&lf)) {
        GetDefaultCell(FALSE, FALSE)->SetFont(&lf);
        GetDefaultCell(TRUE, FALSE)->SetFont(&lf);
        GetDefaultCell(FALSE, TRUE)->SetFont(&lf);
        GetDefaultCell(TRUE, TRUE)->SetFont(&lf);
        Refresh();
    }
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(GetDefaultCell(FALSE, FALSE)->GetFontObject());
}
