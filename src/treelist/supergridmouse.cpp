// The tree list's mouse: a plain left click focuses a row and a column and
// holds the mouse so that a drag selects a range of rows, scrolling the list
// while the pointer is outside it; expand buttons and check boxes take their
// clicks first; a double click toggles a group row or opens a cell's editor;
// the right button shows the host's pop-up menu.
#include "supergridctrl.h"

#include "window/cursor.h"
#include "expandbutton.h"
#include "window/popupmenu.h"
#include "base/trace.h"

#include <algorithm>
#include <utility>
#include <vector>

using platform::LVHITTESTINFO;
using platform::Point;
using platform::Rect;

namespace {

// The auto-scroll timer of a row drag, its first period and the shortest one
// it speeds up to, in milliseconds.
constexpr platform::UINT_PTR kAutoScrollTimer = 2;
constexpr int kFirstScrollPeriod = 75;
constexpr int kScrollPeriodStep = 5;
constexpr int kFastestScrollPeriod = 20;
// Lines scrolled a tick: rows once the timer runs at its fastest, columns always.
constexpr int kFastRowLines = 2;
constexpr int kColumnLines = 3;

constexpr UINT kSelectedFocused = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;

} // namespace

void CSuperGridCtrl::ArmMouseSelection() {
    m_bMouseSelecting = 1;
    SetCapture();
    m_nScrollPeriod = kFirstScrollPeriod;
    SetTimer(kAutoScrollTimer, static_cast<UINT>(m_nScrollPeriod));
}

void CSuperGridCtrl::EndMouseSelection() {
    KillTimer(kAutoScrollTimer);
    m_bMouseSelecting = 0;
    if (platform::GetCapture() == this) platform::ReleaseCapture();
    // A click on a cell that did not move becomes the cell selection's end;
    // a drag over the tree column leaves the row it ended on as the mark.
    if (m_CurSubItem != 0 && m_nAnchorColumn == m_nMovingColumn && m_nAnchorRow == m_nMovingRow)
        UpdateCellSelection();
    else if (m_CurSubItem == 0 && m_nMovingRow >= 0)
        SetSelectionMark(m_nMovingRow);
}

void CSuperGridCtrl::OnLButtonDown(UINT flags, Point point) {
    // No list loaded: the click does nothing at all, not even the list's own.
    if (!HostIsLoaded()) return;
    SetFocus();
    LVHITTESTINFO hit;
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!OnItemLButtonDown(hit)) return;
    // A click below the rows or right of the columns has no cell: it stops
    // here rather than select "row -1", which would mean every row.
    if (!HitTestCheckAndButton(point, &hit) || hit.iItem < 0 || hit.iSubItem < 0) return;

    if (m_bCellSelection) {
        m_bCellSelection = 0;
        m_bKeySelection = 0;
        InvalidateCellSelection();
    }
    m_CurSubItem = 0;
    if (flags & (platform::MK_SHIFT | platform::MK_CONTROL)) {
        // The list extends or toggles its row selection itself.
        ListControl::OnLButtonDown(flags, point);
        return;
    }

    const int row = hit.iItem;
    m_nAnchorColumn = m_nMovingColumn = 0;
    m_nAnchorRow = m_nMovingRow = row;
    SelectAllRows(FALSE);
    SetItemState(row, kSelectedFocused, kSelectedFocused);
    SetSelectionMark(row);
    ArmMouseSelection();
    SelectAllRows(FALSE);
    m_CurSubItem = IndexToOrder(hit.iSubItem);
    if (const platform::HeaderControl* header = GetHeaderCtrl())
        MakeColumnVisible(header->OrderToIndex(m_CurSubItem));
    SetItemState(row, kSelectedFocused, kSelectedFocused);

    const auto alive = AliveToken();
    if (GetSelectedCount() > 0) m_bEditStarted = BeginCellEdit(flags, point, &hit) ? 1 : 0;
    // An editor may have rebuilt or closed the list.
    if (!*alive || !IsWindow()) return;
    InvalidateRow(row);
    if (m_bEditStarted) {
        UpdateCellSelection();
        return;
    }
    if (m_bCellSelection) UpdateCellSelection();
    m_bMouseSelecting = 1;
    UpdateCellSelection();
    ArmMouseSelection();
}

BOOL CSuperGridCtrl::HitTestCheckAndButton(Point point, LVHITTESTINFO* hit) {
    LVHITTESTINFO local;
    if (!hit) hit = &local;
    hit->pt = point;
    SubItemHitTest(hit);
    const int row = hit->iItem;
    if (row < 0) return TRUE;

    if (GetExtendedStyle() & platform::LVS_EX_CHECKBOXES) {
        // On an owner-drawn row the whole row is "on the item": the check box
        // is the strip between the icon's left edge and the label's.
        bool onCheckBox = false;
        if (hit->flags == platform::LVHT_ONITEM && (GetStyle() & platform::LVS_OWNERDRAWFIXED)) {
            Rect icon;
            Rect label;
            GetItemRect(row, &icon, platform::LVIR_ICON);
            GetItemRect(row, &label, platform::LVIR_LABEL);
            onCheckBox = point.x > icon.left && point.x < label.left;
        } else {
            onCheckBox = (hit->flags & platform::LVHT_ONITEMSTATEICON) != 0;
        }
        if (onCheckBox) SetItemCheck(row, GetCheck(row) ? FALSE : TRUE);
    }

    CTreeItem* node = RowNode(row);
    if (!node || !ItemHasChildren(node)) return TRUE;
    Rect bounds;
    GetItemRect(row, &bounds, platform::LVIR_BOUNDS);
    const CExpandButton button(this, nullptr, GetIndent(node), bounds);
    if (!button.HitTest(point)) return TRUE;
    return ToggleNode(node, row) ? FALSE : TRUE;
}

BOOL CSuperGridCtrl::ToggleNode(CTreeItem* node, int row) {
    bool toggled = false;
    int shown = row;
    SetRedraw(FALSE);
    if (IsCollapsed(node)) {
        if (OnBeforeExpand(node, row)) {
            shown = Expand(node, row);
            OnAfterExpand(node, row);
            toggled = true;
        }
    } else if (OnBeforeCollapse(node)) {
        Collapse(node);
        OnAfterCollapse(node);
        shown = GetItemIndex(node);
        toggled = true;
    }
    SetRedraw(TRUE);
    if (!toggled) return FALSE;
    InvalidateRow(row);
    if (shown >= 0) EnsureVisible(shown, FALSE);
    return TRUE;
}

void CSuperGridCtrl::OnMouseMove(UINT flags, Point point) {
    if (m_bMouseSelecting) {
        LVHITTESTINFO hit;
        hit.pt = point;
        SubItemHitTest(&hit);
        const int lo = std::min(m_nAnchorRow, hit.iItem);
        const int hi = std::max(m_nAnchorRow, hit.iItem);
        if (hit.iItem != m_nMovingRow) {
            m_nMovingRow = hit.iItem;
            // Off the rows the selection stays as it was.
            if (lo >= 0) {
                SelectAllRows(FALSE);
                SelectRows(TRUE, lo, hi);
                SetItemState(hit.iItem, kSelectedFocused, kSelectedFocused);
            }
        }
    }
    ListControl::OnMouseMove(flags, point);
}

void CSuperGridCtrl::OnLButtonUp(UINT flags, Point point) {
    if (m_bMouseSelecting) EndMouseSelection();
    ListControl::OnLButtonUp(flags, point);
}

void CSuperGridCtrl::OnTimer(platform::UINT_PTR id) {
    if (id != kAutoScrollTimer) {
        ListControl::OnTimer(id);
        return;
    }
    // The drag ended without telling the control (another window took the
    // mouse): the timer has nothing left to do.
    if (platform::GetCapture() != this) {
        KillTimer(kAutoScrollTimer);
        return;
    }
    m_nScrollPeriod = std::max(kFastestScrollPeriod, m_nScrollPeriod - kScrollPeriodStep);
    SetTimer(kAutoScrollTimer, static_cast<UINT>(m_nScrollPeriod));

    Point cursor;
    platform::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    Rect client;
    GetClientRect(&client);
    const int rowLines = m_nScrollPeriod == kFastestScrollPeriod ? kFastRowLines : 1;
    const auto alive = AliveToken();
    auto scroll = [&](UINT message, UINT code, int lines) {
        for (int i = 0; i < lines && *alive; ++i)
            SendMessage(message, platform::MAKEWPARAM(static_cast<platform::WORD>(code), 0), 0);
    };
    if (cursor.y < m_cyImage)
        scroll(platform::WM_VSCROLL, platform::SB_LINEUP, rowLines);
    else if (cursor.y > client.Height())
        scroll(platform::WM_VSCROLL, platform::SB_LINEDOWN, rowLines);
    if (cursor.x < 0)
        scroll(platform::WM_HSCROLL, platform::SB_LINELEFT, kColumnLines);
    else if (cursor.x > client.Width())
        scroll(platform::WM_HSCROLL, platform::SB_LINERIGHT, kColumnLines);
}

void CSuperGridCtrl::OnKillFocus(platform::Window* newWnd) {
    // Losing the focus ends a drag as a release would.
    if (m_bMouseSelecting) EndMouseSelection();
    ListControl::OnKillFocus(newWnd);
}

void CSuperGridCtrl::OnRButtonDown(UINT flags, Point point) {
    SetFocus();
    // The menu comes first; its command is posted to the main window and so
    // runs after the list's default below has selected the row clicked on.
    TrackHostPopupMenu(point);
    ListControl::OnRButtonDown(flags, point);
}

void CSuperGridCtrl::TrackHostPopupMenu(Point point) {
    platform::CommandTarget* owner = HostPopupMenuOwner();
    std::vector<platform::PopupMenuItem> items = HostPopupMenuItems();
    if (!owner || items.empty()) return;
    Point screen = point;
    ClientToScreen(&screen);
    platform::TrackPopupMenu(std::move(items), platform::TPM_RIGHTBUTTON, screen.x, screen.y, owner,
                             GetWidget());
}

// Where no row has the focus, the menu opens at the top left of the list.
void CSuperGridCtrl::OnContextMenuKey() {
    Point at(0, 0);
    const int row = GetNextItem(-1, platform::LVNI_FOCUSED);
    Rect bounds;
    if (row >= 0 && GetItemRect(row, &bounds, platform::LVIR_LABEL)) {
        Rect client;
        GetClientRect(&client);
        at = Point(std::clamp(bounds.left + bounds.Height() / 2, 0, std::max(0, client.right - 1)),
                   std::clamp((bounds.top + bounds.bottom) / 2, 0, std::max(0, client.bottom - 1)));
    }
    TrackHostPopupMenu(at);
}

void CSuperGridCtrl::OnDblclk(platform::NMHDR* header, platform::LRESULT* result) {
    if (result) *result = 0;
    if (!header) return;
    const auto* activate = reinterpret_cast<const platform::NMITEMACTIVATE*>(header);
    SetFocus();
    LVHITTESTINFO hit;
    hit.pt = activate->ptAction;
    SubItemHitTest(&hit);
    if (!OnItemLButtonDown(hit)) return;
    if (!HitTestCheckAndButton(activate->ptAction, &hit) || hit.iItem < 0) return;
    const int row = GetSelectedItem();
    if (row < 0) return;
    CTreeItem* node = RowNode(row);
    if (!node) return;
    if (ItemHasChildren(node)) {
        ToggleNode(node, row);
        return;
    }
    // The F2 key opens the cell's editor once the double click is over.
    if (hit.iSubItem > 0)
        PostMessage(platform::WM_KEYDOWN, platform::VK_F2, 0);
    else
        OnLeafDblClick(row);
}

void CSuperGridCtrl::OnBegindrag(platform::NMHDR* /*header*/, platform::LRESULT* result) {
    if (result) *result = 0;
}

BOOL CSuperGridCtrl::OnNotifyReflect(platform::NMHDR* header, platform::LRESULT* result) {
    if (header) {
        if (header->code == platform::NM_DBLCLK) {
            OnDblclk(header, result);
            return TRUE;
        }
        if (header->code == platform::LVN_KEYDOWN) {
            OnKeydown(header, result);
            return TRUE;
        }
        if (header->code == platform::LVN_ENDLABELEDIT) {
            OnEndlabeledit(header, result);
            return TRUE;
        }
        if (header->code == platform::LVN_BEGINDRAG) {
            OnBegindrag(header, result);
            return TRUE;
        }
    }
    return ListControl::OnNotifyReflect(header, result);
}
