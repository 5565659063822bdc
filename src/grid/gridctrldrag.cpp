// Cell text by drag and drop: dragging the selection out, and the drop
// target's side (enter, over, leave, drop) with the drop-highlighted cell.
#include "gridctrl.h"

#include "dnd/dataobject.h"
#include "base/keystate.h"

using namespace platform;

namespace {
DROPEFFECT EffectFor(DWORD dwKeyState) {
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
bool OffersText(const DataObject* pDataObject) {
    return pDataObject && pDataObject->IsDataAvailable(CF_TEXT);
}
} // namespace

void CGridCtrl::OnBeginDrag() {
    if (!m_bAllowDragAndDrop) return;
    std::unique_ptr<DataSource> pSource = CopySelectionToDataSource();
    if (!pSource) return;
    const CCellSpan Selection = GetSelectedCellRange();
    SendMessageToParent(Selection.GetTopLeft().row, Selection.GetTopLeft().col,
                        static_cast<int>(LVN_BEGINDRAG));
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    const auto alive = AliveToken();
    const DROPEFFECT dropEffect =
        pSource->DoDragDrop(this, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL);
    if (!*alive) return;
    if (dropEffect & DROPEFFECT_MOVE) CutSelectedText();
}

DROPEFFECT CGridCtrl::OnDragScroll(Window*, DWORD, Point) {
    return DROPEFFECT_NONE;
}

DROPEFFECT CGridCtrl::OnDragEnter(DataObject* pDataObject, DWORD dwKeyState, Point point) {
    if (!m_bAllowDragAndDrop || !OffersText(pDataObject)) return DROPEFFECT_NONE;
    m_LastDragOverCell = GetCellFromPt(point, FALSE);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell)) return DROPEFFECT_NONE;
    const CCellID cell = m_LastDragOverCell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CELL_DROPHILITED);
    RedrawCell(cell);
    return EffectFor(dwKeyState);
}

DROPEFFECT CGridCtrl::OnDragOver(DataObject* pDataObject, DWORD dwKeyState, Point point) {
    if (!m_bAllowDragAndDrop || !IsEditable() || !OffersText(pDataObject)) return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellID(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell)) return DROPEFFECT_NONE;

    if (cell != m_LastDragOverCell) {
        if (IsValid(m_LastDragOverCell)) {
            const CCellID old = m_LastDragOverCell;
            SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~CELL_DROPHILITED);
            RedrawCell(old);
        }
        m_LastDragOverCell = cell;
        // Near the top or bottom edge the grid scrolls by a line.
        if (!IsCellVisible(cell.row - 1, cell.col))
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        else if (!IsCellVisible(cell.row + 2, cell.col))
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CELL_DROPHILITED);
        RedrawCell(cell);
    }
    return EffectFor(dwKeyState);
}

void CGridCtrl::OnDragLeave() {
    const CCellID cell = m_LastDragOverCell;
    if (!IsValid(cell)) return;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CELL_DROPHILITED);
    RedrawCell(cell);
}

BOOL CGridCtrl::OnDrop(DataObject* pDataObject, DROPEFFECT, Point) {
    m_MouseMode = MOUSE_NOTHING;
    if (!m_bAllowDragAndDrop || !IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return FALSE;
    OnDragLeave();
    return PasteTextAtCell(m_LastDragOverCell, pDataObject, FALSE);
}
