// The scroll bars: their range from the grid's size, shown only when needed,
// and the scroll messages, which move the view by whole rows and columns.
#include "gridctrl.h"

#include "draw/sysmetrics.h"
#include "base/trace.h"

#include <algorithm>
#include <functional>

using namespace platform;

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos) {
    SCROLLINFO si;
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!GetScrollInfo(nBar, &si)) return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw) {
    m_idTopLeftCell.row = -1;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(nBar, &si, bRedraw);
    return TRUE;
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable) {
    struct Bar {
        int id;
        DWORD shownBit;
    };
    for (const Bar bar : {Bar{SB_HORZ, kHorzBarShown}, Bar{SB_VERT, kVertBarShown}}) {
        if (nBar != bar.id && nBar != SB_BOTH) continue;
        const bool shown = (m_nBarState & bar.shownBit) != 0;
        if (shown == (bEnable != FALSE)) continue;
        if (bEnable)
            m_nBarState |= bar.shownBit;
        else
            m_nBarState &= ~bar.shownBit;
        ShowScrollBar(bar.id, bEnable);
    }
}

void CGridCtrl::ResetScrollBars() {
    m_idTopLeftCell.row = -1;
    if (!m_bAllowDraw || !IsWindow()) return;

    Rect rect;
    GetClientRect(&rect);
    if (rect.left == rect.right || rect.top == rect.bottom) return;

    // The room the shown bars take counts as client area.
    if (IsVisibleVScroll())
        rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
    if (IsVisibleHScroll())
        rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);

    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        // Through the record, so that the bars can come back later.
        EnableScrollBars(SB_BOTH, FALSE);
        return;
    }

    Rect visible(GetFixedColumnWidth(), GetFixedRowHeight(), rect.right, rect.bottom);
    const Rect virtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), GetVirtualWidth(),
                           GetVirtualHeight());
    if (visible.Height() < virtualRect.Height()) visible.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (visible.Width() < virtualRect.Width()) visible.bottom -= GetSystemMetrics(SM_CYHSCROLL);

    if (visible.Height() < virtualRect.Height()) {
        EnableScrollBars(SB_VERT, TRUE);
        m_nVScrollMax = virtualRect.Height() - 1;
    } else {
        EnableScrollBars(SB_VERT, FALSE);
        m_nVScrollMax = 0;
    }
    if (visible.Width() < virtualRect.Width()) {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHScrollMax = virtualRect.Width() - 1;
    } else {
        EnableScrollBars(SB_HORZ, FALSE);
        m_nHScrollMax = 0;
    }

    SCROLLINFO si;
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    si.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(visible.Width()) : 0;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.fMask |= SIF_DISABLENOSCROLL;
    si.nMax = m_nVScrollMax;
    si.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(visible.Height()) : 0;
    SetScrollInfo(SB_VERT, &si, TRUE);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, ScrollBar*) {
    ScrollBy(SB_HORZ, nSBCode);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, ScrollBar*) {
    ScrollBy(SB_VERT, nSBCode);
}

void CGridCtrl::ScrollBy(int nBar, UINT nSBCode) {
    EndEditing();
    m_TitleTip.Hide();

    // The axis: columns and widths across, rows and heights down.
    const bool horz = nBar == SB_HORZ;
    const std::function<int(int)> sizeOf = [this, horz](int i) {
        return horz ? GetColumnWidth(i) : GetRowHeight(i);
    };
    const int fixedCount = horz ? m_nFixedCols : m_nFixedRows;
    const int count = horz ? m_nCols : m_nRows;
    const int fixedSize = horz ? GetFixedColumnWidth() : GetFixedRowHeight();
    const int scrollMax = horz ? m_nHScrollMax : m_nVScrollMax;

    const int scrollPos = GetScrollPos32(nBar);
    const CCellID topLeft = GetTopleftNonFixedCell();
    const int first = horz ? topLeft.col : topLeft.row;
    Rect rect;
    GetClientRect(&rect);
    // The fixed band across the scroll direction does not move.
    Rect moving = rect;
    (horz ? moving.left : moving.top) = fixedSize;
    const int page = horz ? moving.Width() : moving.Height();

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < scrollMax) {
            int use = first;
            while (use < count - 1 && sizeOf(use) == 0)
                ++use;
            SetScrollPos32(nBar, scrollPos + sizeOf(use));
            if (GetScrollPos32(nBar) == scrollPos) break;
            InvalidateRect(&moving);
        }
        break;
    case SB_LINEUP:
        if (scrollPos > 0 && first > fixedCount) {
            int use = first - 1;
            while (use > fixedCount && sizeOf(use) == 0)
                --use;
            SetScrollPos32(nBar, std::max(0, scrollPos - sizeOf(use)));
            InvalidateRect(&moving);
        }
        break;
    case SB_PAGEDOWN:
        if (scrollPos < scrollMax) {
            SetScrollPos32(nBar, std::min(scrollMax, scrollPos + page));
            InvalidateRect(&moving);
        }
        break;
    case SB_PAGEUP:
        if (scrollPos > 0) {
            SetScrollPos32(nBar, std::max(0, scrollPos - page));
            InvalidateRect(&moving);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE));
        m_idTopLeftCell.row = -1;
        if (!(GetTopleftNonFixedCell() == topLeft)) InvalidateRect(&moving);
        break;
    }
    case SB_TOP:
        if (scrollPos > 0) {
            SetScrollPos32(nBar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (scrollPos < scrollMax) {
            SetScrollPos32(nBar, scrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}
