// The tree list's focused cell and rectangular cell selection, the check
// boxes of rows and groups, column positions and the repaint of rows and
// cells.
#include "supergridctrl.h"

#include "controls/headercontrol.h"
#include "base/keys.h"
#include "base/trace.h"

#include <algorithm>
#include <vector>

using platform::POSITION;
using platform::Rect;

namespace {

// Check flags of a group row: bit 0 and bit 1 describe its children's checks;
// an ancestor of a changed row is marked "some children checked".
constexpr int kChildCheckBits = 0x3;
constexpr int kSomeChildrenChecked = 0x2;

bool Between(int value, int a, int b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

} // namespace

// ---------------------------------------------------------------------------
// Cell selection

BOOL CSuperGridCtrl::UpdateCellSelection() {
    const bool shift = platform::GetKeyState(platform::VK_SHIFT) < 0;
    if (shift || m_bMouseSelecting) {
        const int row = GetSelectedItem();
        const int column = m_CurSubItem;
        if (m_bCellSelection) {
            // Repaint what the rectangle covered and what it covers now.
            const int col1 = std::min({m_nAnchorColumn, m_nMovingColumn, column});
            const int col2 = std::max({m_nAnchorColumn, m_nMovingColumn, column});
            const int row1 = std::min({m_nAnchorRow, m_nMovingRow, row});
            const int row2 = std::max({m_nAnchorRow, m_nMovingRow, row});
            m_nMovingColumn = column;
            m_nMovingRow = row;
            InvalidateCellRect(col1, row1, col2, row2);
        } else {
            InvalidateCellRect(column, row, column, row);
        }
    } else if (m_bCellSelection) {
        m_bCellSelection = 0;
        m_bKeySelection = 0;
        InvalidateCellSelection();
    }
    return TRUE;
}

BOOL CSuperGridCtrl::IsCellInSelection(platform::Dc* /*dc*/, int row, int column, Rect* /*rect*/) {
    // The tree column is never part of a cell selection.
    return m_bCellSelection && column > 0 && Between(row, m_nAnchorRow, m_nMovingRow) &&
                   Between(column, m_nAnchorColumn, m_nMovingColumn)
               ? TRUE
               : FALSE;
}

void CSuperGridCtrl::BeginCellSelection() {
    if (m_bCellSelection) return;
    m_nAnchorColumn = m_nMovingColumn = m_CurSubItem;
    m_nAnchorRow = m_nMovingRow = GetSelectedItem();
    m_bCellSelection = 1;
    m_bKeySelection = m_CurSubItem == 0 ? 1 : 0;
}

BOOL CSuperGridCtrl::IsCellEditable() {
    const int row = GetSelectedItem();
    CTreeItem* node = row >= 0 ? RowNode(row) : nullptr;
    if (!node || ItemHasChildren(node) || m_CurSubItem == 0) return FALSE;
    CItemInfo::CONTROLTYPE type = CItemInfo::edit;
    if (const CItemInfo* info = GetData(node)) info->GetControlType(m_CurSubItem - 1, type);
    return type == CItemInfo::editNoButton ? FALSE : TRUE;
}

// ---------------------------------------------------------------------------
// Checks

void CSuperGridCtrl::ToggleSelectedChecks() {
    if (GetSelectedCount() == 0 || !(GetExtendedStyle() & platform::LVS_EX_CHECKBOXES)) return;
    if (GetSelectedCount() == 1) {
        const int row = GetSelectedItem();
        if (CTreeItem* node = row >= 0 ? RowNode(row) : nullptr)
            SetCheckRecursive(node, GetCheck(row) ? FALSE : TRUE, FALSE);
        return;
    }
    std::vector<int> rows;
    for (int r = GetNextItem(-1, platform::LVNI_SELECTED); r >= 0;
         r = GetNextItem(r, platform::LVNI_SELECTED))
        if (RowNode(r) && IsPlainRow(RowNode(r))) rows.push_back(r);
    if (rows.empty()) return;
    // A mixed selection becomes uniform first; a uniform one is toggled.
    const BOOL reference = GetCheck(rows.front());
    bool uniform = true;
    for (int r : rows)
        if (GetCheck(r) != reference) {
            uniform = false;
            SetCheckRecursive(RowNode(r), reference, FALSE);
        }
    if (!uniform) return;
    for (int r : rows)
        SetCheckRecursive(RowNode(r), reference ? FALSE : TRUE, FALSE);
}

void CSuperGridCtrl::SetItemCheck(int row, BOOL check) {
    ASSERT(row != -1);
    if (row == -1) return;
    if (CTreeItem* node = GetTreeItem(row)) SetCheckRecursive(node, check, FALSE);
}

void CSuperGridCtrl::SetCheckRecursive(CTreeItem* node, BOOL check, BOOL bNoParents) {
    ASSERT(node);
    CItemInfo* info = node ? GetData(node) : nullptr;
    if (!info) return;
    check = check ? TRUE : FALSE;
    const int row = NodeRow(node);
    if (IsPlainRow(node)) {
        if (info->GetCheck() == check) return;
        if (row >= 0) SetCheck(row, check);
        info->SetCheck(check);
        OnItemCheckChanged(node, check);
    } else {
        if (row >= 0) SetCheck(row, check);
        info->SetCheck(check);
        info->SetCheckFlags(info->GetCheckFlags() & ~kChildCheckBits);
        for (POSITION pos = GetChildHeadPosition(node); pos;)
            SetCheckRecursive(GetNextChild(node, pos), check, TRUE);
        // Ancestors of a group count as checked.
        check = TRUE;
    }
    if (bNoParents) return;
    const int flags = (info->GetCheckFlags() & ~kChildCheckBits) | kSomeChildrenChecked;
    for (CTreeItem* parent = GetParentItem(node); parent; parent = GetParentItem(parent)) {
        CItemInfo* parentInfo = GetData(parent);
        if (!parentInfo) continue;
        const int parentRow = NodeRow(parent);
        if (parentRow >= 0) SetCheck(parentRow, check);
        parentInfo->SetCheck(check);
        parentInfo->SetCheckFlags(flags);
    }
}

BOOL CSuperGridCtrl::IsPlainRow(CTreeItem* node) const {
    const CItemInfo* info = node ? GetData(node) : nullptr;
    return !info || info->GetKind() >= 0 ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Columns

int CSuperGridCtrl::IndexToOrder(int column) const {
    const platform::HeaderControl* header = GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    if (column < 0 || column >= count) return -1;
    std::vector<int> order(static_cast<std::size_t>(count));
    if (!header->GetOrderArray(order.data(), count)) return -1;
    const auto it = std::find(order.begin(), order.end(), column);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

void CSuperGridCtrl::MakeColumnVisible(int column) {
    if (column < 0) return;
    const platform::HeaderControl* header = GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    ASSERT(column < count);
    if (column >= count) return;
    // The column's left edge in client coordinates: the widths before it in
    // header order, from the left edge of the rows (or, without rows, of the
    // scrolled header).
    int x = 0;
    const int position = IndexToOrder(column);
    for (int order = 0; order < position; ++order)
        x += header->GetItemWidth(header->OrderToIndex(order));
    Rect row0;
    x += GetItemCount() > 0 && GetItemRect(0, &row0, platform::LVIR_BOUNDS) ? row0.left
                                                                            : -Geometry().scrollX;
    Rect client;
    GetClientRect(&client);
    const int width = header->GetItemWidth(column);
    if (x < 0)
        Scroll(platform::Size(x, 0));
    else if (x + width > client.Width())
        Scroll(platform::Size(x + width - client.Width(), 0));
    else
        return;
    Invalidate();
    UpdateWindow();
}

// ---------------------------------------------------------------------------
// Repaint

void CSuperGridCtrl::InvalidateRow(int row) {
    if (row == -1) return;
    Rect bounds;
    if (GetItemRect(row, &bounds, platform::LVIR_BOUNDS)) InvalidateRect(&bounds, TRUE);
    UpdateWindow();
}

void CSuperGridCtrl::InvalidateNodeRow(CTreeItem* node) {
    const int row = node ? GetItemIndex(node) : -1;
    if (row != -1) InvalidateRow(row);
}

void CSuperGridCtrl::InvalidateRows(int from, int to) {
    for (int row = std::min(from, to); row <= std::max(from, to); ++row) {
        Rect bounds;
        if (GetItemRect(row, &bounds, platform::LVIR_BOUNDS)) InvalidateRect(&bounds, FALSE);
    }
    UpdateWindow();
}

void CSuperGridCtrl::InvalidateCellRect(int col1, int row1, int col2, int row2) {
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row) {
        Rect first;
        Rect second;
        if (!GetSubItemRect(row, col1, platform::LVIR_BOUNDS, first) ||
            !GetSubItemRect(row, col2, platform::LVIR_BOUNDS, second))
            continue;
        Rect span;
        span.UnionRect(first, second);
        InvalidateRect(&span, FALSE);
    }
    UpdateWindow();
}

void CSuperGridCtrl::InvalidateCellSelection() {
    InvalidateCellRect(m_nAnchorColumn, m_nAnchorRow, m_nMovingColumn, m_nMovingRow);
}
