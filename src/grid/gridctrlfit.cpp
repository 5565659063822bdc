// Fitting the rows and columns to the client area, filling a window with
// cells, and scrolling a cell into view.
#include "gridctrl.h"

#include "controls/scrollinfo.h"
#include "base/trace.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

using namespace platform;

namespace {
// Spreads diff pixels over the shown sizes of sizes from first on: an equal
// share each (truncated toward zero), the remainder one pixel each to the
// first shown ones. A shown size never drops below 1 pixel, so it stays shown.
void SpreadOver(GridSizeArray& sizes, std::size_t first, int diff) {
    int shown = 0;
    for (std::size_t i = first; i < sizes.size(); ++i)
        if (sizes[i] != 0) ++shown;
    if (shown == 0) return;
    const int each = diff / shown;
    int rest = std::abs(diff) % shown;
    const int extra = diff > 0 ? 1 : -1;
    for (std::size_t i = first; i < sizes.size(); ++i) {
        if (sizes[i] == 0) continue;
        int size = static_cast<int>(sizes[i]) + each;
        if (rest > 0) {
            size += extra;
            --rest;
        }
        sizes.Set(i, static_cast<unsigned>(std::max(size, 1)));
    }
}
} // namespace

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed) {
    if (!IsWindow()) return;
    if (bExpandFixed ? GetColumnCount() <= 0 : GetColumnCount() <= GetFixedColumnCount()) return;
    EnableScrollBars(SB_HORZ, FALSE);
    Rect rect;
    GetClientRect(&rect);
    const std::size_t first = bExpandFixed ? 0 : static_cast<std::size_t>(GetFixedColumnCount());
    SpreadOver(m_arColWidths, first, rect.Width() - GetVirtualWidth());
    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(BOOL bExpandFixed) {
    if (!IsWindow()) return;
    if (bExpandFixed ? GetRowCount() <= 0 : GetRowCount() <= GetFixedRowCount()) return;
    EnableScrollBars(SB_VERT, FALSE);
    Rect rect;
    GetClientRect(&rect);
    const std::size_t first = bExpandFixed ? 0 : static_cast<std::size_t>(GetFixedRowCount());
    SpreadOver(m_arRowHeights, first, rect.Height() - GetVirtualHeight());
    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandToFit(BOOL bExpandFixed) {
    ExpandColumnsToFit(bExpandFixed);
    ExpandRowsToFit(bExpandFixed);
    // The vertical bar may have gone and left room.
    ExpandColumnsToFit(bExpandFixed);
    Refresh();
}

void CGridCtrl::ExpandLastColumn() {
    if (!IsWindow() || GetColumnCount() <= 0) return;
    int last = GetColumnCount() - 1;
    while (last >= 0 && GetColumnWidth(last) == 0)
        --last;
    if (last <= 0) return;
    EnableScrollBars(SB_HORZ, FALSE);
    Rect rect;
    GetClientRect(&rect);
    const int diff = rect.Width() - GetVirtualWidth();
    if (diff > 0) {
        m_arColWidths.Set(static_cast<std::size_t>(last),
                          static_cast<UINT>(GetColumnWidth(last) + diff));
        Refresh();
    }
    ResetScrollBars();
}

void CGridCtrl::FillWindowWithCells() {
    if (!IsWindow()) return;
    Rect rect;
    GetClientRect(&rect);
    const int width = std::max(GetDefaultCell(FALSE, FALSE)->GetWidth(), 1);
    const int height = std::max(GetDefaultCell(FALSE, FALSE)->GetHeight(), 1);
    SetColumnCount(rect.Width() / width + 1);
    SetRowCount(rect.Height() / height + 1);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
    ExpandToFit(TRUE);
}

// ---- ensure visible

int CGridCtrl::LineStepsPosition(int nBar, int nSteps, bool bForward) {
    // The position that nSteps SB_LINEDOWN (SB_LINEUP) messages reach: the
    // same step sizes, hidden-row skips and clamps as the scroll handler,
    // with the top-left row (column) followed as the position moves.
    const bool horz = nBar == SB_HORZ;
    const GridSizeArray& sizes = horz ? m_arColWidths : m_arRowHeights;
    const int fixedCount = horz ? m_nFixedCols : m_nFixedRows;
    const int count = horz ? m_nCols : m_nRows;
    const int scrollMax = horz ? m_nHScrollMax : m_nVScrollMax;
    auto sizeOf = [&sizes](int i) { return static_cast<int>(sizes[static_cast<std::size_t>(i)]); };

    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    int lowest = 0;
    int highest = 0;
    if (GetScrollInfo(nBar, &si)) {
        lowest = si.nMin;
        highest = std::max(si.nMin, si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0));
    }
    int pos = GetScrollPos32(nBar);
    // The first scrolled index and the sum of the sizes before it, as the
    // top-left cell is found from a position.
    int first = fixedCount;
    long long before = 0;
    while (before < pos && first < count - 1)
        before += sizeOf(first++);

    for (int step = 0; step < nSteps; ++step) {
        int next = pos;
        if (bForward) {
            if (pos >= scrollMax) break;
            int use = first;
            while (use < count - 1 && sizeOf(use) == 0)
                ++use;
            next = std::clamp(pos + sizeOf(use), lowest, highest);
        } else {
            if (pos <= 0 || first <= fixedCount) break;
            int use = first - 1;
            while (use > fixedCount && sizeOf(use) == 0)
                --use;
            next = std::clamp(std::max(0, pos - sizeOf(use)), lowest, highest);
        }
        if (next == pos) break;
        pos = next;
        while (before < pos && first < count - 1)
            before += sizeOf(first++);
        while (first > fixedCount && before - sizeOf(first - 1) >= pos)
            before -= sizeOf(--first);
    }
    return pos;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol) {
    if (!m_bAllowDraw) return;
    // The window with the focus gets it back, unless it went meanwhile.
    Window* pFocus = Window::GetFocus();
    QPointer<QWidget> focusWidget = pFocus ? pFocus->GetWidget() : nullptr;

    const CCellSpan visible = GetVisibleNonFixedCellRange();
    // The shown rows (columns) between the visible block and the cell, which
    // the line steps scroll by.
    auto shownBetween = [](int from, int to, auto sizeOf) {
        int shown = 0;
        for (int i = from; i <= to; ++i)
            if (sizeOf(i) > 0) ++shown;
        return shown;
    };
    auto widthOf = [this](int i) { return i >= 0 && i < m_nCols ? GetColumnWidth(i) : 0; };
    auto heightOf = [this](int i) { return i >= 0 && i < m_nRows ? GetRowHeight(i) : 0; };
    const int right = shownBetween(visible.GetMaxCol() + 1, nCol, widthOf);
    const int left = shownBetween(nCol, visible.GetMinCol() - 1, widthOf);
    const int down = shownBetween(visible.GetMaxRow() + 1, nRow, heightOf);
    const int up = shownBetween(nRow, visible.GetMinRow() - 1, heightOf);

    struct Move {
        int bar;
        int steps;
        bool forward;
    };
    bool moved = false;
    for (const Move move : {Move{SB_HORZ, right, true}, Move{SB_HORZ, left, false},
                            Move{SB_VERT, down, true}, Move{SB_VERT, up, false}}) {
        if (move.steps <= 0) continue;
        if (!moved) EndEditing();
        const int pos = LineStepsPosition(move.bar, move.steps, move.forward);
        if (pos == GetScrollPos32(move.bar)) continue;
        SetScrollPos32(move.bar, pos);
        moved = true;
    }
    if (moved) Invalidate();

    Rect rect;
    Rect client;
    GetClientRect(&client);
    // A cell that still sticks out goes on line by line; a step that no
    // longer moves (the end of the range) ends the walk.
    if (GetCellRect(nRow, nCol, &rect)) {
        while (rect.right > client.right && GetFixedColumnWidth() < rect.left) {
            const int before = GetScrollPos32(SB_HORZ);
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(nRow, nCol, &rect)) break;
        }
        while (rect.bottom > client.bottom && GetFixedRowHeight() < rect.top) {
            const int before = GetScrollPos32(SB_VERT);
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            if (GetScrollPos32(SB_VERT) == before || !GetCellRect(nRow, nCol, &rect)) break;
        }
    }
    if (focusWidget) {
        if (Window* pWindow = Window::FromWidget(focusWidget)) pWindow->SetFocus();
    }
}
