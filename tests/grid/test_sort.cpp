// Sorting rows: order, direction, what travels with a row, what stays, and
// that adversarial inputs neither overflow the stack nor go quadratic.
#include "support/gridfixture.h"

#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace grid_test;

namespace {

// A windowless grid with one fixed row and the texts in column 0 (row r
// gets texts[r - 1]); column 1 holds the original row number.
void Fill(CGridCtrl& grid, const std::vector<std::string>& texts) {
    grid.SetRowCount(static_cast<int>(texts.size()) + 1);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.SetItemText(row, 0, texts[i].c_str());
        grid.SetItemText(row, 1, std::to_string(row).c_str());
    }
}

std::vector<std::string> Column(const CGridCtrl& grid, int col) {
    std::vector<std::string> out;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r)
        out.push_back(grid.GetItemText(r, col));
    return out;
}

// Every cell knows where it is after the rows moved.
void ExpectCoordsInStep(CGridCtrl& grid) {
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c) {
            CGridCellBase* cell = grid.GetCell(r, c);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(grid.GetItemText(r, c), cell->GetText());
        }
}

int CountingCompare(LPARAM a, LPARAM b, LPARAM data) {
    ++*reinterpret_cast<long long*>(data);
    return CGridCtrl::CompareCellNumbers(a, b, 0);
}

int Inconsistent(LPARAM, LPARAM, LPARAM) {
    return std::rand() % 3 - 1;
}

} // namespace

struct OrderCase {
    const char* name;
    std::vector<std::string> input;
    bool numbers;
    BOOL ascending;
    std::vector<std::string> expected;
};

TEST(GridSort, OrdersRowsByTheColumn) {
    const OrderCase cases[] = {
        {"text puts 10 before 9", {"9", "10", "1"}, false, TRUE, {"1", "10", "9"}},
        {"numbers put 10 after 9", {"9", "10", "1"}, true, TRUE, {"1", "9", "10"}},
        {"descending text", {"b", "c", "a"}, false, FALSE, {"c", "b", "a"}},
        {"descending numbers", {"2", "-5", "30"}, true, FALSE, {"30", "2", "-5"}},
        {"bytes above 127 after ASCII",
         {"\xE9t\xE9", "zoo", "abc"},
         false,
         TRUE,
         {"abc", "zoo", "\xE9t\xE9"}},
        {"huge numbers saturate",
         {"99999999999999999999", "5", "-99999999999999999999"},
         true,
         TRUE,
         {"-99999999999999999999", "5", "99999999999999999999"}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Fill(grid, c.input);
        if (c.numbers) grid.SetCompareFunction(CGridCtrl::CompareCellNumbers);
        EXPECT_TRUE(grid.SortItems(0, c.ascending));
        EXPECT_EQ(Column(grid, 0), c.expected);
        EXPECT_EQ(grid.GetSortColumn(), 0);
        EXPECT_EQ(grid.GetSortAscending(), c.ascending);
        ExpectCoordsInStep(grid);
    }
}

// The number comparison reads the leading decimal number of each text as
// strtol does in the C locale, saturated at the long range.
TEST(GridSort, NumbersAreReadFromTheStartOfTheText) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"42", "41", 1},
        {" \t\n42", "42", 0},
        {"+5", "5", 0},
        {"-7", "-8", 1},
        {"12abc", "13", -1},
        {"abc", "0", 0},
        {"", "-", 0},
        {"- 5", "0", 0},
        {"0x1A", "0", 0},
        {"007", "7", 0},
        {"9223372036854775808", "9223372036854775807", 0},
        {"99999999999999999999", "9223372036854775806", 1},
        {"-9223372036854775808", "-9223372036854775807", -1},
        {"-99999999999999999999", "-9223372036854775808", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        CGridCell a, b;
        a.SetText(c.a);
        b.SetText(c.b);
        const auto cell = [](CGridCell& x) { return reinterpret_cast<LPARAM>(&x); };
        EXPECT_EQ(CGridCtrl::CompareCellNumbers(cell(a), cell(b), 0), c.expected);
        EXPECT_EQ(CGridCtrl::CompareCellNumbers(cell(b), cell(a), 0), -c.expected);
    }
}

TEST(GridSort, RowsTravelWholeWithTheirHeights) {
    CGridCtrl grid;
    Fill(grid, {"c", "a", "b"});
    grid.SetRowHeight(1, 31);
    grid.SetRowHeight(2, 12);
    grid.SetRowHeight(3, 0);
    const int fixedHeight = grid.GetRowHeight(0);
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(grid.GetRowHeight(0), fixedHeight);
    EXPECT_EQ(grid.GetRowHeight(1), 12);
    EXPECT_EQ(grid.GetRowHeight(2), 0);
    EXPECT_EQ(grid.GetRowHeight(3), 31);
    ExpectArraysInStep(grid);
}

TEST(GridSort, RefusalsMoveNothing) {
    struct Case {
        const char* name;
        int col, low, high;
    } cases[] = {
        {"column past the grid", 2, 1, -1}, {"negative column", -1, 1, -1},
        {"low below the rows", 0, -3, 2},   {"high past the rows", 0, 1, 9},
        {"low past high", 0, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Fill(grid, {"c", "b", "a"});
        EXPECT_FALSE(grid.QuickSortRows(CGridCtrl::CompareCellText, c.col, TRUE, 0, c.low, c.high));
        EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"c", "b", "a"}));
    }
}

TEST(GridSort, OneRowChangesOnlySortStateSelectionAndFocus) {
    WindowedGrid w(2, 2, 1, 0);
    w.grid.SetItemText(1, 0, "x");
    w.grid.SetFocusCell(1, 1);
    w.grid.SetSelectedRange(1, 0, 1, 1);
    w.owner.ClearRecords();
    EXPECT_FALSE(w.grid.SortTextItems(1, FALSE));
    EXPECT_EQ(w.grid.GetSortColumn(), 1);
    EXPECT_FALSE(w.grid.GetSortAscending());
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_FALSE(w.grid.IsValid(w.grid.GetFocusCell()));
    EXPECT_EQ(w.grid.GetItemText(1, 0), "x");
    // The reset runs once in each of the two entry points.
    EXPECT_EQ(w.owner.RecordsOf(static_cast<int>(GRIDN_SELRESET)).size(), 2u);
}

TEST(GridSort, VirtualModeMovesNothing) {
    CGridCtrl grid(5, 2, 1, 0);
    grid.SetVirtualMode(TRUE);
    EXPECT_FALSE(grid.SortTextItems(0, TRUE));
    EXPECT_FALSE(grid.QuickSortRows(CGridCtrl::CompareCellText, 0, TRUE, 0, 1, 4));
}

TEST(GridSort, InconsistentCompareStaysInsideTheGrid) {
    CGridCtrl grid;
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back(std::to_string(i % 7));
    Fill(grid, texts);
    std::srand(7);
    EXPECT_TRUE(grid.SortItemsBy(Inconsistent, 0, TRUE, 0));
    std::vector<std::string> after = Column(grid, 1);
    std::sort(after.begin(), after.end());
    std::vector<std::string> before;
    for (int r = 1; r <= 3000; ++r)
        before.push_back(std::to_string(r));
    std::sort(before.begin(), before.end());
    EXPECT_EQ(after, before); // a permutation: no row lost or doubled
    ExpectCoordsInStep(grid);
}

namespace {

// Runs body on a thread with a 256 KB stack.
void OnSmallStack(std::function<void()> body) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, &body), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

std::vector<long> Shape(const char* name, int n) {
    std::vector<long> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::string s = name;
        if (s == "sorted")
            v[i] = i;
        else if (s == "reversed")
            v[i] = n - i;
        else if (s == "all equal")
            v[i] = 5;
        else
            v[i] = i < n / 2 ? i : n - i; // organ pipe
    }
    return v;
}

} // namespace

TEST(GridSort, LargeAdversarialInputsSortOnASmallStack) {
    constexpr int kRows = 100000;
    for (const char* shape : {"sorted", "reversed", "all equal", "organ pipe"}) {
        SCOPED_TRACE(shape);
        CGridCtrl grid(kRows + 1, 1, 1, 0);
        const std::vector<long> values = Shape(shape, kRows);
        for (int i = 0; i < kRows; ++i)
            grid.SetItemText(i + 1, 0, std::to_string(values[i]).c_str());
        long long comparisons = 0;
        OnSmallStack([&] {
            grid.SortItemsBy(CountingCompare, 0, TRUE, reinterpret_cast<LPARAM>(&comparisons));
        });
        std::vector<long> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        bool ordered = true;
        for (int i = 0; i < kRows && ordered; ++i)
            ordered = std::atol(grid.GetItemText(i + 1, 0).c_str()) == sorted[i];
        EXPECT_TRUE(ordered);
        // Quadratic would be billions; n log n stays well under 100 per row.
        EXPECT_LT(comparisons, 100LL * kRows);
    }
}
