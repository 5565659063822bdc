// Sorting the non-fixed rows by one column: whole rows (cells and heights)
// change places; fixed rows never move.
#include "gridctrl.h"

#include <algorithm>
#include <climits>
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

// The number a text begins with as strtol reads it in base 10 in the C
// locale: blanks, a sign, then digits, saturated at the long range; 0 when
// no digit follows. Sorting calls it twice per comparison, so it stays a
// plain loop.
long LeadingNumber(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    const unsigned long limit =
        negative ? static_cast<unsigned long>(LONG_MAX) + 1 : static_cast<unsigned long>(LONG_MAX);
    // Past cutoff (or at it with a larger digit) the next digit overflows.
    const unsigned long cutoff = limit / 10;
    const unsigned long cutDigit = limit % 10;
    unsigned long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const auto digit = static_cast<unsigned long>(*text - '0');
        if (value > cutoff || (value == cutoff && digit > cutDigit))
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    if (!negative) return static_cast<long>(value);
    return value == limit ? LONG_MIN : -static_cast<long>(value);
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
    // Saturated at the long range instead of overflowing as atol may.
    const long nValue1 = LeadingNumber(pCell1->GetText());
    const long nValue2 = LeadingNumber(pCell2->GetText());
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
    SortKeys keys(static_cast<std::size_t>(high) + 1);
    for (int nRow = low; nRow <= high; ++nRow)
        keys[static_cast<std::size_t>(nRow)] = reinterpret_cast<LPARAM>(SortCell(nRow, nCol));
    SortRange(pfnCompare, bAscending, data, keys, low, high, PartitionBudget(high - low + 1));
    // The cells learn their new rows once, at the end.
    for (int nRow = low; nRow <= high; ++nRow)
        RenumberRow(nRow);
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

void CGridCtrl::SwapRows(int nRow1, int nRow2, SortKeys& keys) {
    const auto row1 = static_cast<std::size_t>(nRow1);
    const auto row2 = static_cast<std::size_t>(nRow2);
    std::swap(m_RowData[row1], m_RowData[row2]);
    std::swap(keys[row1], keys[row2]);
    m_arRowHeights.Swap(row1, row2);
}

// The partition as the grid always did it (middle pivot object, equal rows
// left alone), recursing into the smaller part and looping on the larger so
// the stack stays at log2(n) frames; a range that runs out of partition
// levels is merge sorted instead.
void CGridCtrl::SortRange(PFNLVCOMPARE fn, BOOL bAscending, LPARAM data, SortKeys& keys, int low,
                          int high, int budget) {
    auto cellAt = [&keys](int nRow) { return keys[static_cast<std::size_t>(nRow)]; };
    while (low < high) {
        if (budget <= 0) {
            MergeSortRows(fn, bAscending, data, keys, low, high);
            return;
        }
        --budget;
        const LPARAM pivot = cellAt((low + high) / 2);
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && Before(fn(cellAt(lo), pivot, data), bAscending))
                ++lo;
            while (hi > low && After(fn(cellAt(hi), pivot, data), bAscending))
                --hi;
            if (lo <= hi) {
                if (fn(cellAt(lo), cellAt(hi), data) != 0) SwapRows(lo, hi, keys);
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi) SortRange(fn, bAscending, data, keys, low, hi, budget);
            low = lo;
        } else {
            if (lo < high) SortRange(fn, bAscending, data, keys, lo, high, budget);
            high = hi;
        }
    }
}

// A stable bottom-up merge sort of rows low..high; any compare answers keep
// it inside the range and finite.
void CGridCtrl::MergeSortRows(PFNLVCOMPARE fn, BOOL bAscending, LPARAM data, SortKeys& keys,
                              int low, int high) {
    const std::size_t n = static_cast<std::size_t>(high - low + 1);
    std::vector<int> order(n);
    std::vector<int> scratch(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = low + static_cast<int>(i);
    auto cellAt = [&keys](int nRow) { return keys[static_cast<std::size_t>(nRow)]; };
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
    SortKeys cells(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto from = static_cast<std::size_t>(order[i]);
        rows[i] = std::move(m_RowData[from]);
        heights[i] = m_arRowHeights[from];
        cells[i] = keys[from];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto to = static_cast<std::size_t>(low) + i;
        m_RowData[to] = std::move(rows[i]);
        m_arRowHeights.Set(to, heights[i]);
        keys[to] = cells[i];
    }
}
