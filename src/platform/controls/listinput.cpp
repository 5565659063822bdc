// The report list's own answer to messages: clicks, double clicks and
// navigation keys select rows, the scroll messages move the rows, the wheel
// scrolls through WM_VSCROLL, and the font measures the rows again.
#include "controls/listcontrol.h"

#include "draw/font.h"
#include "controls/headercontrol.h"
#include "base/keys.h"
#include "controls/listselection.h"
#include "controls/liststate.h"

#include <QApplication>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

bool NavigationKey(UINT vk, ListKey* key) {
    switch (vk) {
    case VK_UP:
        *key = ListKey::Up;
        return true;
    case VK_DOWN:
        *key = ListKey::Down;
        return true;
    case VK_PRIOR:
        *key = ListKey::PageUp;
        return true;
    case VK_NEXT:
        *key = ListKey::PageDown;
        return true;
    case VK_HOME:
        *key = ListKey::Home;
        return true;
    case VK_END:
        *key = ListKey::End;
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT ListControl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintRows();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        DefaultButtonDown(message, static_cast<UINT>(wParam),
                          Point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_KEYDOWN:
        DefaultKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        DefaultScroll(message == WM_VSCROLL, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        DefaultWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETFONT: {
        // The header takes the font too; owner-drawn rows are measured again.
        const LRESULT result = Window::DefWindowProc(message, wParam, lParam);
        HeaderControl* header = GetHeaderCtrl();
        if (header->IsWindow()) header->SetFont(reinterpret_cast<Font*>(wParam), FALSE);
        MeasureRows();
        LayoutHeader();
        UpdateScrollRanges();
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // Selected and focused rows look different with and without the focus.
        const LRESULT result = Window::DefWindowProc(message, wParam, lParam);
        for (int r = State().rows.GetNextItem(-1, LVNI_ALL); r >= 0;
             r = State().rows.GetNextItem(r, LVNI_ALL))
            if (State().rows.GetItemState(r, LVIS_SELECTED | LVIS_FOCUSED)) InvalidateRow(r);
        return result;
    }
    default:
        return Window::DefWindowProc(message, wParam, lParam);
    }
}

void ListControl::DefaultButtonDown(UINT message, UINT flags, Point point) {
    SetFocus();
    LVHITTESTINFO info;
    info.pt = point;
    HitTest(&info);
    const int row = info.iItem;
    ListStateChanges changes;
    if (message == WM_RBUTTONDOWN)
        RightClickSelect(State().rows, row, &changes);
    else
        ClickSelect(State().rows, row, (flags & MK_SHIFT) != 0, (flags & MK_CONTROL) != 0,
                    &changes);
    NotifyChanges(changes);
    if (message == WM_RBUTTONDOWN) return;
    LVHITTESTINFO sub;
    sub.pt = point;
    SubItemHitTest(&sub);
    NMITEMACTIVATE nm;
    nm.iItem = sub.iItem;
    nm.iSubItem = sub.iSubItem;
    nm.ptAction = point;
    nm.lParam = State().rows.GetItemData(sub.iItem);
    nm.uKeyFlags = flags;
    // A click is told as one, whether or not it changed the selection (a
    // click on the row already selected changes nothing there).
    SendNotify(message == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_CLICK, &nm.hdr);
}

void ListControl::DefaultKeyDown(UINT vk) {
    NMLVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    SendNotify(LVN_KEYDOWN, &nm.hdr);
    ListKey key;
    if (!NavigationKey(vk, &key)) return;
    const ListGeometry g = Geometry();
    const int focus = State().rows.GetNextItem(-1, LVNI_FOCUSED);
    const int target =
        KeyTargetRow(key, focus, State().rows.GetItemCount(), g.topIndex, g.CountPerPage());
    if (target < 0) return;
    ListStateChanges changes;
    KeySelect(State().rows, target, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
              &changes);
    EnsureVisible(target, FALSE);
    NotifyChanges(changes);
}

void ListControl::DefaultScroll(bool vertical, UINT code, UINT pos) {
    const ListGeometry g = Geometry();
    if (vertical) {
        const int page = std::max(1, g.CountPerPage());
        int top = g.topIndex;
        switch (code) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= page;
            break;
        case SB_PAGEDOWN:
            top += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            top = static_cast<int>(pos);
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = g.MaxTopIndex();
            break;
        default:
            return;
        }
        SetTopIndex(top);
        return;
    }
    int x = g.scrollX;
    switch (code) {
    case SB_LINELEFT:
        x -= State().lineWidth;
        break;
    case SB_LINERIGHT:
        x += State().lineWidth;
        break;
    case SB_PAGELEFT:
        x -= g.client.cx;
        break;
    case SB_PAGERIGHT:
        x += g.client.cx;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        x = static_cast<int>(pos);
        break;
    case SB_LEFT:
        x = 0;
        break;
    case SB_RIGHT:
        x = g.MaxScrollX();
        break;
    default:
        return;
    }
    SetScrollX(x);
}

void ListControl::DefaultWheel(short delta) {
    // Each notch scrolls the application's wheel lines, one WM_VSCROLL a line.
    State().wheelRemainder += delta;
    const int notches = State().wheelRemainder / WHEEL_DELTA;
    State().wheelRemainder -= notches * WHEEL_DELTA;
    const int lines = notches * QApplication::wheelScrollLines();
    const UINT code = lines > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < std::abs(lines); ++i)
        SendMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

} // namespace platform
