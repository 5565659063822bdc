// Sorting the non-fixed rows by one column: whole rows (cells and heights)
// change places; fixed rows never move.
#include "gridctrl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Whether the compare answer puts the first cell before the second.
bool Before(int answer, BOOL bAscending) {
    return bAscending ? answer < 0 : answer > 0;
}
// Whether the compare answer puts the first cell after the second.
bool After(int answer, BOOL bAscending) {
    return bAscending ? answer > 0 : answer < 0;
}

// The partition levels a range may take before the rest of it is merge
// sorted: 2 log2(n), which ordinary input never reaches.
int PartitionBudget(int nRows) {
    int levels = 0;
    for (unsigned n = static_cast<unsigned>(nRows); n > 1; n >>= 1)
        ++levels;
    return 2 * levels + 2;
}

} // namespace

int CGridCtrl::CompareCellText(LPARAM lParam1, LPARAM lParam2, LPARAM) {
    const auto* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!pCell1 || !pCell2) return 0;
    // strcmp compares as unsigned bytes, so Latin-1 letters sort after ASCII.
    return std::strcmp(pCell1->GetText(), pCell2->GetText());
}

int CGridCtrl::CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM) {
    const auto* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!pCell1 || !pCell2) return 0;
    // strtol saturates at the long range instead of overflowing as atol may.
    const long nValue1 = std::strtol(pCell1->GetText(), nullptr, 10);
    const long nValue2 = std::strtol(pCell2->GetText(), nullptr, 10);
    if (nValue1 < nValue2) return -1;
    if (nValue1 > nValue2) return 1;
    return 0;
}

void CGridCtrl::SetSortColumn(int nCol) {
    if (m_nSortColumn >= 0) InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0) InvalidateCellRect(0, nCol);
}

void CGridCtrl::PrepareSort(int nCol, BOOL bAscending) {
    EndEditing();
    SetSortColumn(nCol);
    m_bAscending = bAscending;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending, LPARAM data) {
    PrepareSort(nCol, bAscending);
    return SortItemsBy(CompareCellText, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data) {
    PrepareSort(nCol, bAscending);
    return SortItemsBy(m_pfnCompare ? m_pfnCompare : CompareCellText, nCol, bAscending, data);
}

// FALSE when the column is outside the grid (sort state set, nothing moved).
BOOL CGridCtrl::SortItemsBy(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data) {
    PrepareSort(nCol, bAscending);
    return QuickSortRows(pfnCompare, nCol, bAscending, data, GetFixedRowCount(), -1);
}

// FALSE, nothing moved: column or rows outside the grid, fewer than two
// rows, no compare function, or virtual mode (the owner keeps the rows).
BOOL CGridCtrl::QuickSortRows(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                              int low, int high) {
    if (nCol < 0 || nCol >= GetColumnCount()) return FALSE;
    if (high == -1) high = GetRowCount() - 1;
    if (low < 0 || high < 0 || low >= GetRowCount() || high >= GetRowCount()) return FALSE;
    if (low >= high) return FALSE;
    if (!pfnCompare || m_bVirtualMode) return FALSE;
    if (static_cast<int>(m_RowData.size()) < GetRowCount()) return FALSE;
    EndEditing();
    SortRange(pfnCompare, nCol, bAscending, data, low, high, PartitionBudget(high - low + 1));
    return TRUE;
}

CGridCellBase* CGridCtrl::SortCell(int nRow, int nCol) const {
    const GridRow* row = m_RowData[static_cast<std::size_t>(nRow)].get();
    if (!row || nCol >= static_cast<int>(row->size())) return nullptr;
    return (*row)[static_cast<std::size_t>(nCol)];
}

// Puts row nRow's cells at their new coordinates after a move.
void CGridCtrl::RenumberRow(int nRow) {
    GridRow* row = m_RowData[static_cast<std::size_t>(nRow)].get();
    if (!row) return;
    for (std::size_t k = 0; k < row->size(); ++k)
        if ((*row)[k]) (*row)[k]->SetCoords(nRow, static_cast<int>(k));
}

void CGridCtrl::SwapRows(int nRow1, int nRow2) {
    std::swap(m_RowData[static_cast<std::size_t>(nRow1)],
              m_RowData[static_cast<std::size_t>(nRow2)]);
    m_arRowHeights.Swap(static_cast<std::size_t>(nRow1), static_cast<std::size_t>(nRow2));
    RenumberRow(nRow1);
    RenumberRow(nRow2);
}

// The partition as the grid always did it (middle pivot object, equal rows
// left alone), recursing into the smaller part and looping on the larger so
// the stack stays at log2(n) frames; a range that runs out of partition
// levels is merge sorted instead.
void CGridCtrl::SortRange(PFNLVCOMPARE fn, int nCol, BOOL bAscending, LPARAM data, int low,
                          int high, int budget) {
    while (low < high) {
        if (budget <= 0) {
            MergeSortRows(fn, nCol, bAscending, data, low, high);
            return;
        }
        --budget;
        const auto pivot = reinterpret_cast<LPARAM>(SortCell((low + high) / 2, nCol));
        auto cellAt = [&](int nRow) { return reinterpret_cast<LPARAM>(SortCell(nRow, nCol)); };
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && Before(fn(cellAt(lo), pivot, data), bAscending))
                ++lo;
            while (hi > low && After(fn(cellAt(hi), pivot, data), bAscending))
                --hi;
            if (lo <= hi) {
                if (fn(cellAt(lo), cellAt(hi), data) != 0) SwapRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi) SortRange(fn, nCol, bAscending, data, low, hi, budget);
            low = lo;
        } else {
            if (lo < high) SortRange(fn, nCol, bAscending, data, lo, high, budget);
            high = hi;
        }
    }
}

// A stable bottom-up merge sort of rows low..high; any compare answers keep
// it inside the range and finite.
void CGridCtrl::MergeSortRows(PFNLVCOMPARE fn, int nCol, BOOL bAscending, LPARAM data, int low,
                              int high) {
    const std::size_t n = static_cast<std::size_t>(high - low + 1);
    std::vector<int> order(n);
    std::vector<int> scratch(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = low + static_cast<int>(i);
    auto cellAt = [&](int nRow) { return reinterpret_cast<LPARAM>(SortCell(nRow, nCol)); };
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t left = 0; left < n; left += 2 * width) {
            const std::size_t mid = std::min(left + width, n);
            const std::size_t right = std::min(left + 2 * width, n);
            std::size_t a = left, b = mid, out = left;
            while (a < mid && b < right)
                // Take from the right only when it sorts strictly before.
                scratch[out++] = Before(fn(cellAt(order[b]), cellAt(order[a]), data), bAscending)
                                     ? order[b++]
                                     : order[a++];
            while (a < mid)
                scratch[out++] = order[a++];
            while (b < right)
                scratch[out++] = order[b++];
        }
        order.swap(scratch);
    }
    std::vector<std::unique_ptr<GridRow>> rows(n);
    std::vector<unsigned> heights(n);
    for (std::size_t i = 0; i < n; ++i) {
        rows[i] = std::move(m_RowData[static_cast<std::size_t>(order[i])]);
        heights[i] = m_arRowHeights[static_cast<std::size_t>(order[i])];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const int nRow = low + static_cast<int>(i);
        m_RowData[static_cast<std::size_t>(nRow)] = std::move(rows[i]);
        m_arRowHeights.Set(static_cast<std::size_t>(nRow), heights[i]);
        RenumberRow(nRow);
    }
}
