// The tree list's keyboard. Before the list sees a key, the control turns
// Enter into an up or down move and Tab into a column move, keeps Left and
// Right for the focused cell's column, starts a cell selection on Shift with a
// navigation key and swallows Ctrl with one; Space on the tree column toggles
// checks and F2 opens an editor. The list then reports every key it gets back
// to the control (LVN_KEYDOWN), which handles Space on a cell, Delete and the
// keypad's '*', '+' and '-' there.
#include "supergridctrl.h"

#include "window/cursor.h"
#include "controls/headercontrol.h"
#include "base/keys.h"
#include "base/trace.h"

#include <vector>

namespace {

constexpr UINT kSelectedFocused = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;

// The keys from Page Up to Down arrow (VK_PRIOR .. VK_DOWN): Page Up, Page
// Down, End, Home and the four arrows, the ones that move the focus and,
// with Shift, extend a cell selection.
bool IsPageHomeEndOrArrowKey(UINT vk) {
    return vk >= platform::VK_PRIOR && vk <= platform::VK_DOWN;
}

// The keys whose release leaves exactly one selected row: the vertical moves,
// not Left and Right, which only change the column.
bool IsRowMoveKey(UINT vk) {
    return IsPageHomeEndOrArrowKey(vk) && vk != platform::VK_LEFT && vk != platform::VK_RIGHT;
}

bool KeyHeld(UINT vk) {
    return platform::GetKeyState(static_cast<int>(vk)) < 0;
}

// Row 0 of the channel list is the transponder itself, not a service.
constexpr int kFirstServiceRow = 1;

} // namespace

BOOL CSuperGridCtrl::PreTranslateMessage(platform::MSG* msg) {
    if (!msg || msg->hwnd != this || platform::GetFocus() != this)
        return ListControl::PreTranslateMessage(msg);

    if (msg->message == platform::WM_KEYDOWN) {
        UINT vk = static_cast<UINT>(msg->wParam);
        if (platform::IsContextMenuKey(vk, KeyHeld(platform::VK_SHIFT),
                                       KeyHeld(platform::VK_CONTROL), false)) {
            OnContextMenuKey();
            return TRUE;
        }
        if (vk == platform::VK_SPACE && m_CurSubItem == 0) {
            ToggleSelectedChecks();
            return TRUE;
        }
        const bool shift = KeyHeld(platform::VK_SHIFT);
        const bool ctrl = KeyHeld(platform::VK_CONTROL);
        bool updateSelection = true;
        if (vk == platform::VK_RETURN) {
            vk = shift ? platform::VK_UP : platform::VK_DOWN;
        } else if (vk == platform::VK_TAB) {
            vk = shift ? platform::VK_LEFT : platform::VK_RIGHT;
            updateSelection = false;
        }
        msg->wParam = vk;

        if (IsPageHomeEndOrArrowKey(vk)) {
            if (shift) {
                m_bKeySelection = 1;
                m_bCellSelection = 1;
                InvalidateCellSelection();
            }
            if (ctrl) return TRUE;
        }
        const int row = GetSelectedItem();
        if (vk == platform::VK_LEFT && row >= 0 &&
            (!m_bCellSelection || !shift || m_bKeySelection || m_CurSubItem > 1))
            MoveCurrentColumn(-1, row, updateSelection);
        else if (vk == platform::VK_RIGHT && row >= 0 &&
                 (!m_bCellSelection || !shift || !m_bKeySelection))
            MoveCurrentColumn(+1, row, updateSelection);
        else if (vk == platform::VK_F2 && !OnVkF2() && EditItemLabel())
            return TRUE;
        return ListControl::PreTranslateMessage(msg);
    }

    if (msg->message == platform::WM_KEYUP && IsRowMoveKey(static_cast<UINT>(msg->wParam))) {
        const BOOL consumed = ListControl::PreTranslateMessage(msg);
        // A plain key move leaves only the row it moved to selected.
        const int row = GetSelectedItem();
        if (!m_bKeySelection && row >= 0) {
            SelectAllRows(FALSE);
            SetItemState(row, kSelectedFocused, kSelectedFocused);
        }
        UpdateCellSelection();
        return consumed;
    }
    return ListControl::PreTranslateMessage(msg);
}

void CSuperGridCtrl::MoveCurrentColumn(int step, int row, bool updateSelection) {
    const int last = GetColumnCount() - 1;
    const int column = m_CurSubItem + step;
    if (column < 0 || column > last) {
        // Already at the first or the last column: it stays there.
        m_CurSubItem = column < 0 ? 0 : std::max(0, last);
        return;
    }
    m_CurSubItem = column;
    if (const platform::HeaderControl* header = GetHeaderCtrl())
        MakeColumnVisible(header->OrderToIndex(m_CurSubItem));
    InvalidateRow(row);
    if (updateSelection) UpdateCellSelection();
}

void CSuperGridCtrl::OnKeydown(platform::NMHDR* header, platform::LRESULT* result) {
    if (result) *result = 0;
    if (!header) return;
    const UINT vk = reinterpret_cast<const platform::NMLVKEYDOWN*>(header)->wVKey;
    // A box open on a row commits into that row's service before any
    // service goes.
    if (vk == platform::VK_DELETE) EndOpenEditor();
    const int row = GetSelectedItem();
    CTreeItem* node = row >= 0 ? RowNode(row) : nullptr;
    if (vk == platform::VK_DELETE) {
        if (node) DeleteSelectedServices(row);
        // Whatever happened, the next Delete is a typed one again: a flag
        // left set would skip that one's rebuild.
        m_nDeleteByCommand = 0;
        return;
    }
    if (!node) return;
    switch (vk) {
    case platform::VK_SPACE:
        if (GetExtendedStyle() & platform::LVS_EX_CHECKBOXES) {
            if (CItemInfo* info = GetData(node)) info->SetCheck(info->GetCheck() ? 0 : 1);
        }
        break;
    case platform::VK_MULTIPLY:
        ExpandAllFromKey(node, row);
        break;
    case platform::VK_ADD:
        ExpandFromKey(node, row);
        break;
    case platform::VK_SUBTRACT:
        CollapseFromKey(node, row);
        break;
    default:
        break;
    }
}

void CSuperGridCtrl::DeleteSelectedServices(int focusedRow) {
    if (focusedRow < kFirstServiceRow) return;
    std::vector<int> rows;
    if (GetSelectedCount() == 1) {
        rows.push_back(focusedRow);
    } else {
        for (int r = GetNextItem(-1, platform::LVNI_SELECTED); r >= 0;
             r = GetNextItem(r, platform::LVNI_SELECTED))
            rows.push_back(r);
    }
    // Highest row first: a service deleted does not move the ones above it,
    // so the rows still left keep naming their services. The transponder's
    // own row has no service.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (*it >= kFirstServiceRow) HostDeleteRowService(*it);
    if (m_nDeleteByCommand == 0) HostRefreshList(TRUE);
}

void CSuperGridCtrl::ExpandAllFromKey(CTreeItem* node, int row) {
    const platform::WaitCursor wait;
    // A leaf, or a veto, leaves the row itself as the last one to show.
    int last = row;
    SetRedraw(FALSE);
    if (OnVkMultiply(node, row)) ExpandAll(node, last);
    SetRedraw(TRUE);
    if (last < row) last = row;
    InvalidateRows(row, last);
    EnsureVisible(last, FALSE);
}

void CSuperGridCtrl::ExpandFromKey(CTreeItem* node, int row) {
    const platform::WaitCursor wait;
    int last = row;
    if (OnVkAdd(node, row)) last = Expand(node, row);
    InvalidateRow(row);
    if (last >= 0) EnsureVisible(last, FALSE);
}

void CSuperGridCtrl::CollapseFromKey(CTreeItem* node, int row) {
    const platform::WaitCursor wait;
    if (OnVkSubtract(node, row)) Collapse(node);
    InvalidateRow(row);
}
