// The mouse: presses, moves and releases select cells, rows and columns, size
// rows and columns, start edits and drags and sort on heading clicks; double
// clicks auto-size or edit; the right button reports; the wheel scrolls. The
// mouse mode carries a gesture from the press to the release.
#include "gridctrl.h"

#include "draw/bitmap.h"
#include "window/cursor.h"
#include "draw/dc.h"
#include "draw/imagelist.h"
#include "memdc.h"
#include "base/trace.h"

#include <algorithm>
#include <cstdlib>

using namespace platform;

namespace {

// Width of the tracking band that follows a divider while it is dragged.
constexpr int kTrackingBandWidth = 2;

void ShowCursor(int id) {
    SetCursor(LoadStandardCursor(id));
}

} // namespace

// The grid's message map has no entry for the right-button press: it gets
// the default handling only, and OnRButtonDown is not reached from here.
LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONDOWN) return DefWindowProc(message, wParam, lParam);
    return ScrollWindow::WindowProc(message, wParam, lParam);
}

// (0, 0) when the cell is not on screen.
Point CGridCtrl::GetPointClicked(int nRow, int nCol, const Point& point) {
    Point origin;
    if (!GetCellOrigin(nRow, nCol, &origin)) return Point(0, 0);
    return point - origin;
}

// FALSE for a missing cell or one out of view.
BOOL CGridCtrl::IsPointInTextArea(const CCellID& cell, const Point& point) {
    if (!IsValid(cell)) return FALSE;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    Rect rect;
    if (!pCell || !GetCellRect(cell, &rect) || !pCell->GetTextRect(&rect)) return FALSE;
    return rect.PtInRect(point);
}

// Nothing without a window context.
void CGridCtrl::InvertColumnBand(int x) {
    Rect client;
    GetClientRect(&client);
    if (Dc* pDC = GetDC()) {
        pDC->InvertRect(Rect(x, client.top, x + kTrackingBandWidth, client.bottom));
        ReleaseDC(pDC);
    }
}

void CGridCtrl::InvertRowBand(int y) {
    Rect client;
    GetClientRect(&client);
    if (Dc* pDC = GetDC()) {
        pDC->InvertRect(Rect(client.left, y, client.right, y + kTrackingBandWidth));
        ReleaseDC(pDC);
    }
}

// FALSE when the column has no origin on screen (scrolled out) or, with
// the divider press option off, every column left of the divider is hidden.
BOOL CGridCtrl::BeginColumnSizing(const Point& point) {
    const int range = m_nResizeCaptureRange;
    const int lastCol = GetColumnCount() - 1;
    // A last column narrower than the hit range: its right edge counts
    // as its own divider.
    Rect visible;
    GetVisibleNonFixedCellRange(&visible);
    if (GetColumnWidth(lastCol) < range && std::abs(point.x - visible.right) < range)
        m_LeftClickDownCell.col = lastCol;

    Point start;
    if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start)) return FALSE;
    if (!m_bColumnDividerPress) {
        // Hidden columns are skipped: the divider sizes the nearest shown one.
        const bool rightBorder = point.x - start.x >= range;
        if (!(rightBorder && m_LeftClickDownCell.col == lastCol)) {
            const int offset = rightBorder ? 0 : 1;
            while (m_LeftClickDownCell.col - offset >= 0 &&
                   GetColumnWidth(m_LeftClickDownCell.col - offset) == 0)
                --m_LeftClickDownCell.col;
            if (m_LeftClickDownCell.col - offset < 0) return FALSE;
        }
    }
    InvertColumnBand(point.x);
    // A press just right of a column's left edge sizes the column left of it.
    if (point.x - start.x < range &&
        (m_LeftClickDownCell.col != lastCol || GetColumnWidth(lastCol) >= range)) {
        --m_LeftClickDownCell.col;
        if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start)) {
            InvertColumnBand(point.x);
            return FALSE;
        }
    }
    // Qt cannot hold the pointer: the confinement is only recorded, and the
    // release sizes by the point where the button came up.
    Rect client;
    GetClientRect(&client);
    Rect clip(start.x + 1, client.top, start.x + 1 + client.Width() - GetFixedColumnWidth(),
              client.bottom);
    ClientToScreen(&clip);
    ClipCursor(&clip);
    return TRUE;
}

BOOL CGridCtrl::BeginRowSizing(const Point& point) {
    const int range = m_nResizeCaptureRange;
    const int lastRow = GetRowCount() - 1;
    Rect visible;
    GetVisibleNonFixedCellRange(&visible);
    if (GetRowHeight(lastRow) < range && std::abs(point.y - visible.bottom) < range)
        m_LeftClickDownCell.row = lastRow;

    Point start;
    if (!GetCellOrigin(m_LeftClickDownCell, &start)) return FALSE;
    if (!m_bRowDividerPress) {
        const bool bottomBorder = point.y - start.y >= range;
        if (!(bottomBorder && m_LeftClickDownCell.row == lastRow)) {
            const int offset = bottomBorder ? 0 : 1;
            while (m_LeftClickDownCell.row - offset >= 0 &&
                   GetRowHeight(m_LeftClickDownCell.row - offset) == 0)
                --m_LeftClickDownCell.row;
            if (m_LeftClickDownCell.row - offset < 0) return FALSE;
        }
    }
    InvertRowBand(point.y);
    if (point.y - start.y < range &&
        (m_LeftClickDownCell.row != lastRow || GetRowHeight(lastRow) >= range)) {
        --m_LeftClickDownCell.row;
        if (!GetCellOrigin(m_LeftClickDownCell.row, 0, &start)) {
            InvertRowBand(point.y);
            return FALSE;
        }
    }
    Rect client;
    GetClientRect(&client);
    Rect clip(client.left, start.y + 1, client.right,
              start.y + 1 + client.Height() - GetFixedRowHeight());
    ClientToScreen(&clip);
    ClipCursor(&clip);
    return TRUE;
}

// A press off the cells only records the press; a gesture that the owner
// ends by closing the grid stops where it is.
void CGridCtrl::OnLButtonDown(UINT nFlags, Point point) {
    const auto alive = AliveToken();
    SetFocus();
    if (!*alive) return;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell)) return;

    if (nFlags & MK_SHIFT) {
        if (!IsValid(m_SelectionStartCell)) m_SelectionStartCell = m_idCurrentCell;
    } else {
        m_SelectionStartCell = m_LeftClickDownCell;
    }

    EndEditing();
    // Ending the edit reports to the owner, which may change the grid.
    if (!*alive || !IsValid(m_LeftClickDownCell)) return;
    if (CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        pCell->OnClickDown(
            GetPointClicked(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));

    // A press on the focus cell's text edits it at the release.
    if (m_LeftClickDownCell == m_idCurrentCell && !(nFlags & MK_CONTROL) &&
        IsPointInTextArea(m_LeftClickDownCell, point) && IsCellEditable(m_LeftClickDownCell)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }

    if (IsCellSelected(m_LeftClickDownCell)) {
        if (nFlags & MK_CONTROL) {
            // Ctrl on a selected cell takes it out of the selection.
            SetFocusCell(m_LeftClickDownCell);
            if (GetListMode())
                SelectRows(m_LeftClickDownCell, TRUE, FALSE);
            else
                SelectCells(m_LeftClickDownCell, TRUE, FALSE);
            return;
        }
        if (m_bAllowDragAndDrop) m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (m_LeftClickDownCell.row < GetFixedRowCount() ||
            m_LeftClickDownCell.col < GetFixedColumnCount())
            SetFocusCell(-1, -1);
        else
            SetFocusCell(m_LeftClickDownCell);
    }

    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            ShowCursor(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            ShowCursor(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_MouseMode = BeginColumnSizing(point) ? MOUSE_SIZING_COL : MOUSE_NOTHING;
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_MouseMode = BeginRowSizing(point) ? MOUSE_SIZING_ROW : MOUSE_NOTHING;
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col,
                            static_cast<int>(LVN_ITEMCHANGING));
        if (!*alive) return;
        // With Ctrl the old selection stays and the new block is added to it.
        m_PrevSelectedCellMap.clear();
        if (nFlags & MK_CONTROL) m_PrevSelectedCellMap = m_SelectedCellMap;

        if (m_LeftClickDownCell.row < GetFixedRowCount()) {
            OnFixedRowClick(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < GetFixedColumnCount()) {
            OnFixedColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = GetListMode() ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(m_LeftClickDownCell);
            m_nTimerID = SetTimer(kSelectionTimerId, static_cast<UINT>(m_nTimerInterval));
        }
        if (!*alive) return;
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnFixedRowClick(CCellID& cell) {
    if (!IsValid(cell)) return;
    if (GetHeaderSort()) {
        WaitCursor wait;
        if (cell.col == GetSortColumn())
            SortItems(cell.col, !GetSortAscending());
        else
            SortItems(cell.col, TRUE);
        Invalidate();
    }
    if (GetFixedRowSelection()) {
        m_MouseMode = cell.col < GetFixedColumnCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell) {
    if (!IsValid(cell) || !GetFixedColumnSelection()) return;
    m_MouseMode = cell.row < GetFixedRowCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

// Moves outside the client area are left to the selection timer.
void CGridCtrl::OnMouseMove(UINT nFlags, Point point) {
    Rect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING) return;

    const bool buttonDown = (nFlags & MK_LBUTTON) != 0;
    if (!buttonDown || m_MouseMode == MOUSE_NOTHING) {
        // Hovering: the cursor shows whether a press would size.
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
                ShowCursor(IDC_SIZEWE);
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
                ShowCursor(IDC_SIZENS);
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
            }
        } else if (m_MouseMode != MOUSE_NOTHING) {
            ShowCursor(IDC_ARROW);
            m_MouseMode = MOUSE_NOTHING;
        }
        if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || m_bTitleTips)) {
            const CCellID cell = GetCellFromPt(point);
            if (IsValid(cell)) {
                if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) pCell->OnMouseOver();
            }
        }
        m_LastMousePoint = point;
        return;
    }

    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }
    // In list mode a press on a cell selects its row, and the first move
    // with the button down drags the selection instead of extending it. A
    // press on a row heading keeps extending the rows.
    if (m_MouseMode == MOUSE_SELECT_ROW && GetListMode() &&
        !IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        m_MouseMode = MOUSE_PREPARE_DRAG;

    const auto alive = AliveToken();
    switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW: {
        const CCellID cell = GetCellFromPt(point);
        if (!IsValid(cell)) return;
        if (cell != GetFocusCell()) {
            OnSelecting(cell);
            SetFocusCell(cell);
        }
        break;
    }
    case MOUSE_SIZING_COL:
        InvertColumnBand(m_LastMousePoint.x);
        InvertColumnBand(point.x);
        break;
    case MOUSE_SIZING_ROW:
        InvertRowBand(m_LastMousePoint.y);
        InvertRowBand(point.y);
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        OnBeginDrag();
        break;
    default:
        // Cells (mode 4): the selection timer extends the selection.
        break;
    }
    if (*alive) m_LastMousePoint = point;
}

// A size whose cell has no origin any more changes nothing (the mode stays
// until the next move).
void CGridCtrl::OnLButtonUp(UINT nFlags, Point point) {
    const auto alive = AliveToken();
    ScrollWindow::OnLButtonUp(nFlags, point);
    if (!*alive) return;
    m_bLMouseButtonDown = FALSE;
    ClipCursor(nullptr);
    const bool heldCapture = GetCapture() == this;
    if (heldCapture) {
        ReleaseCapture();
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }

    const CCellID focus = m_idCurrentCell;
    const Point pointClickedRel = GetPointClicked(focus.row, focus.col, point);
    const CCellID pressed = m_LeftClickDownCell;
    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(focus.row, focus.col, pointClickedRel, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG: {
        // Pressed in the selection and released without a drag.
        if (CGridCellBase* pCell = GetCell(focus.row, focus.col)) pCell->OnClick(pointClickedRel);
        SendMessageToParent(pressed.row, pressed.col, static_cast<int>(NM_CLICK));
        SendMessageToParent(pressed.row, pressed.col, static_cast<int>(LVN_ITEMCHANGING));
        if (!*alive) return;
        ResetSelectedRange();
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col,
                            static_cast<int>(LVN_ITEMCHANGED));
        break;
    }
    case MOUSE_SIZING_COL: {
        InvertColumnBand(m_LastMousePoint.x);
        if (point != m_LeftClickDownPoint && point != Point(0, 0)) {
            Point start;
            if (!GetCellOrigin(pressed, &start)) return;
            const int least = m_bAllowColHide ? 0 : 1;
            SetColumnWidth(pressed.col, std::max(point.x - start.x, least));
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    case MOUSE_SIZING_ROW: {
        InvertRowBand(m_LastMousePoint.y);
        if (point != m_LeftClickDownPoint && point != Point(0, 0)) {
            Point start;
            if (!GetCellOrigin(pressed, &start)) return;
            const int least = m_bAllowRowHide ? 0 : 1;
            SetRowHeight(pressed.row, std::max(point.y - start.y, least));
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    default:
        SendMessageToParent(focus.row, focus.col, static_cast<int>(LVN_ITEMCHANGED));
        if (!*alive) return;
        if (CGridCellBase* pCell = GetCell(focus.row, focus.col)) pCell->OnClick(pointClickedRel);
        SendMessageToParent(pressed.row, pressed.col, static_cast<int>(NM_CLICK));
        break;
    }
    if (!*alive) return;

    m_MouseMode = MOUSE_NOTHING;
    ShowCursor(IDC_ARROW);
    if (IsValid(pressed)) PostCommandToOwner(0);
    // The original platform reports a move when the capture goes: the
    // cursor and the mode follow a divider under the released button, so
    // that a second click there is a divider's double click.
    if (heldCapture && IsWindow()) OnMouseMove(nFlags & ~MK_LBUTTON, point);
}

// A double click off the cells passes nothing on.
void CGridCtrl::OnLButtonDblClk(UINT nFlags, Point point) {
    TRACE("CGridCtrl::OnLButtonDblClk\n");
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) return;
    const auto alive = AliveToken();

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        // Auto-sizes the nearest shown column left of the divider.
        Point start;
        if (!GetCellOrigin(0, cell.col, &start)) return;
        int col = cell.col;
        if (point.x - start.x < m_nResizeCaptureRange) --col;
        while (col >= 0 && GetColumnWidth(col) == 0)
            --col;
        if (col < 0) return;
        AutoSizeColumn(col, GetAutoSizeStyle(), TRUE);
        Invalidate();
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        Point start;
        if (!GetCellOrigin(cell, &start)) return;
        int row = cell.row;
        if (point.y - start.y < m_nResizeCaptureRange) --row;
        while (row >= 0 && GetRowHeight(row) == 0)
            --row;
        if (row < 0) return;
        AutoSizeRow(row, TRUE);
        Invalidate();
    } else if (m_MouseMode == MOUSE_NOTHING) {
        const Point pointClickedRel = GetPointClicked(cell.row, cell.col, point);
        const bool inText = IsPointInTextArea(cell, point);
        const bool nonFixed = !IsCellFixed(cell.row, cell.col);
        if ((nonFixed && IsValid(m_LeftClickDownCell) && inText) ||
            (GetListMode() && nonFixed && inText))
            OnEditCell(cell.row, cell.col, pointClickedRel, VK_LBUTTON);
        if (!*alive) return;
        if (IsValid(cell)) {
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
                pCell->OnDblClick(pointClickedRel);
            SendMessageToParent(cell.row, cell.col, static_cast<int>(NM_DBLCLK));
            if (!*alive) return;
        }
    }
    ScrollWindow::OnLButtonDblClk(nFlags, point);
}

// Not wired (WindowProc passes the press on): kept for derived grids.
void CGridCtrl::OnRButtonDown(UINT nFlags, Point point) {
    ScrollWindow::OnRButtonDown(nFlags, point);
    m_bRMouseButtonDown = TRUE;
}

// Off the cells the owner hears (-1, -1).
void CGridCtrl::OnRButtonUp(UINT nFlags, Point point) {
    const auto alive = AliveToken();
    ScrollWindow::OnRButtonUp(nFlags, point);
    if (!*alive) return;
    m_bRMouseButtonDown = FALSE;
    const CCellID cell = GetCellFromPt(point);
    EndEditing();
    if (!*alive) return;
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, static_cast<int>(NM_RCLICK));
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, GetFixedRowCount()), std::max(cell.col, GetFixedColumnCount()));
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) {
        pCell->OnRClick(GetPointClicked(cell.row, cell.col, point));
        if (IsValid(GetCellFromPt(point)))
            SendMessageToParent(cell.row, cell.col, static_cast<int>(NM_RCLICK));
    }
}

// The scroll messages are posted; wheel movement short of one message is
// kept for the next event in the same direction, so that the small steps of
// a touchpad add up instead of being lost.
BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, Point pt) {
    const bool pages = m_nRowsPerWheelNotch == -1;
    const int movement = pages ? zDelta : zDelta * m_nRowsPerWheelNotch;
    // A turn of the wheel forgets what was left over in the other direction.
    if ((movement < 0 && m_nWheelRemainder > 0) || (movement > 0 && m_nWheelRemainder < 0))
        m_nWheelRemainder = 0;
    m_nWheelRemainder += movement;
    const int n = m_nWheelRemainder / WHEEL_DELTA;
    m_nWheelRemainder -= n * WHEEL_DELTA;

    const UINT code = pages ? (n > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (n > 0 ? SB_LINEUP : SB_LINEDOWN);
    for (int i = 0; i < std::abs(n); ++i)
        PostMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    return ScrollWindow::OnMouseWheel(nFlags, zDelta, pt);
}

// The drag image of the focus cell: null on any failure, nothing kept.
std::unique_ptr<ImageList> CGridCtrl::CreateDragImage(Point* pHotSpot) {
    Dc* pDC = GetDC();
    if (!pDC) return nullptr;
    Rect rect;
    const CCellID cell = GetFocusCell();
    if (!GetCellRect(cell, &rect)) {
        ReleaseDC(pDC);
        return nullptr;
    }
    rect = Rect(0, 0, rect.Width(), rect.Height());
    if (pHotSpot) *pHotSpot = Point(rect.right, rect.bottom);

    auto pList = std::make_unique<ImageList>();
    if (!pList->Create(rect.Width(), rect.Height(), ILC_MASK, 1, 1)) {
        ReleaseDC(pDC);
        return nullptr;
    }
    Bitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height())) {
        ReleaseDC(pDC);
        return nullptr;
    }
    {
        MemDc memDC;
        memDC.SelectObject(&bitmap);
        memDC.SetWindowOrg(0, 0);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->Draw(&memDC, cell.row, cell.col, rect, FALSE);
    }
    ReleaseDC(pDC);
    pList->Add(&bitmap, GetDefaultCell(FALSE, FALSE)->GetBackClr());
    return pList;
}
