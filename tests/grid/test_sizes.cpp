// Row and column sizes: their sums kept through every change, auto-size
// measured with the layer's own metrics, fitting to the client area, and
// scrolling a cell into view, compared with a line-by-line reference walk.
#include "gridfixture.h"

#include "gridctrl.h"
#include "gridsizearray.h"

#include "draw/dc.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <vector>

using namespace platform;
using grid_test::ExpectArraysInStep;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

TEST(GridSizeArray, TotalsFollowEveryChange) {
    GridSizeArray sizes;
    std::vector<unsigned> reference;
    const struct {
        const char* name;
        std::function<void()> change;
    } steps[] = {
        {"assign", [&] { sizes.Assign(6, 10), reference.assign(6, 10); }},
        {"set in the band", [&] { sizes.Set(1, 4), reference[1] = 4; }},
        {"set after it", [&] { sizes.Set(5, 30), reference[5] = 30; }},
        {"insert in the band", [&] { sizes.Insert(0, 7), reference.insert(reference.begin(), 7); }},
        {"erase in the band", [&] { sizes.Erase(1), reference.erase(reference.begin() + 1); }},
        {"push", [&] { sizes.PushBack(3), reference.push_back(3); }},
        {"grow", [&] { sizes.Resize(9, 2), reference.resize(9, 2); }},
        {"shrink into the band", [&] { sizes.Resize(2), reference.resize(2); }},
        {"swap across the band", [&] { sizes.Resize(5, 8), reference.resize(5, 8); }},
        {"swap", [&] { sizes.Swap(0, 4), std::swap(reference[0], reference[4]); }},
        {"clear", [&] { sizes.Clear(), reference.clear(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        ASSERT_EQ(sizes.size(), reference.size());
        EXPECT_EQ(sizes.Total(), std::accumulate(reference.begin(), reference.end(), 0LL));
        for (int fixed : {0, 1, 3, 20}) {
            const auto end = reference.begin() + std::min<std::ptrdiff_t>(fixed, reference.size());
            EXPECT_EQ(sizes.FixedTotal(fixed), std::accumulate(reference.begin(), end, 0LL))
                << fixed;
        }
    }
}

TEST(GridSizes, SettersRefuseNegativeSizesAndZeroHides) {
    TestGrid grid(3, 3, 1, 1);
    TakeTraces();
    EXPECT_FALSE(grid.SetColumnWidth(1, -1));
    EXPECT_FALSE(grid.SetRowHeight(1, -5));
    EXPECT_FALSE(grid.SetColumnWidth(3, 10));
    EXPECT_EQ(FailedAssertionCount(), 3);
    TakeTraces();
    const int width = grid.GetVirtualWidth();
    const int column = grid.GetColumnWidth(1);
    EXPECT_TRUE(grid.SetColumnWidth(1, 0));
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
    EXPECT_EQ(grid.GetVirtualWidth(), width - column);
    EXPECT_EQ(grid.GetColumnWidth(5), -1);
    TakeTraces();
}

TEST(GridSizes, SumsStayInStepThroughCountsInsertsAndDeletes) {
    WindowedGrid w(6, 6, 2, 2);
    w.grid.SetColumnWidth(1, 17);
    w.grid.SetRowHeight(0, 13);
    w.grid.InsertColumn("new", DT_LEFT, 3);
    w.grid.InsertRow("row", 4);
    w.grid.SetFixedColumnCount(3);
    w.grid.DeleteColumn(0);
    w.grid.SetFixedRowCount(1);
    w.grid.DeleteRow(0);
    w.grid.SetRowCount(9);
    w.grid.SetColumnCount(4);
    ExpectArraysInStep(w.grid);
    int fixedWidth = 0;
    for (int c = 0; c < w.grid.GetFixedColumnCount(); ++c)
        fixedWidth += w.grid.GetColumnWidth(c);
    int fixedHeight = 0;
    for (int r = 0; r < w.grid.GetFixedRowCount(); ++r)
        fixedHeight += w.grid.GetRowHeight(r);
    EXPECT_EQ(w.grid.GetFixedColumnWidth(), fixedWidth);
    EXPECT_EQ(w.grid.GetFixedRowHeight(), fixedHeight);
}

// The extent the cell at (row, col) measures to on the grid's own context.
Size ExtentOf(CGridCtrl& grid, int row, int col) {
    Dc* dc = grid.GetDC();
    const Size size = grid.GetCell(row, col)->GetCellExtent(dc);
    grid.ReleaseDC(dc);
    return size;
}

TEST(GridAutoSize, HeadingsOnlyLeavesTheDataRows) {
    WindowedGrid w(3, 2, 1, 1);
    w.grid.SetItemText(0, 1, "Head");
    w.grid.SetItemText(1, 1, "a much longer text in a data row");
    w.grid.SetRowHeight(1, 33);
    w.grid.SetRowHeight(2, 34);
    w.grid.AutoSize(GRID_AUTOSIZE_HEADER);
    EXPECT_EQ(w.grid.GetColumnWidth(1), ExtentOf(w.grid, 0, 1).cx);
    EXPECT_EQ(w.grid.GetRowHeight(0), ExtentOf(w.grid, 0, 1).cy);
    EXPECT_EQ(w.grid.GetRowHeight(1), 33);
    EXPECT_EQ(w.grid.GetRowHeight(2), 34);

    w.grid.AutoSize();
    EXPECT_EQ(w.grid.GetColumnWidth(1), ExtentOf(w.grid, 1, 1).cx);
    EXPECT_GT(w.grid.GetColumnWidth(1), ExtentOf(w.grid, 0, 1).cx);
    EXPECT_EQ(w.grid.GetRowHeight(1), ExtentOf(w.grid, 1, 1).cy);
}

TEST(GridAutoSize, HiddenRowsAndColumnsStayHidden) {
    WindowedGrid w(4, 4, 1, 1);
    w.grid.SetColumnWidth(2, 0);
    w.grid.SetRowHeight(3, 0);
    EXPECT_FALSE(w.grid.AutoSizeColumn(2));
    EXPECT_FALSE(w.grid.AutoSizeRow(3));
    EXPECT_TRUE(w.grid.AutoSizeColumn(1));
    const std::function<void()> operations[] = {
        [&] { w.grid.AutoSize(); },           [&] { w.grid.AutoSizeColumns(); },
        [&] { w.grid.AutoSizeRows(); },       [&] { w.grid.ExpandToFit(); },
        [&] { w.grid.ExpandColumnsToFit(); }, [&] { w.grid.ExpandLastColumn(); },
    };
    for (const auto& operation : operations) {
        operation();
        EXPECT_EQ(w.grid.GetColumnWidth(2), 0);
        EXPECT_EQ(w.grid.GetRowHeight(3), 0);
    }
    // Without a window there is nothing to measure with.
    TestGrid windowless(2, 2);
    EXPECT_FALSE(windowless.AutoSizeColumn(1));
    EXPECT_FALSE(windowless.AutoSizeRow(1));
}

TEST(GridAutoSize, VirtualModeBracketsTheMeasuringWithHints) {
    WindowedGrid w;
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(10);
    w.grid.SetColumnCount(3);
    w.grid.SetFixedRowCount(2);
    w.owner.ClearRecords();
    EXPECT_TRUE(w.grid.AutoSizeColumn(1));
    const auto hints = w.owner.RecordsOf(static_cast<int>(LVN_ODCACHEHINT));
    ASSERT_EQ(hints.size(), 2u);
    // Virtual mode measures the headings only.
    EXPECT_EQ(hints[0].range, CCellSpan(0, 1, 1, 1));
    EXPECT_EQ(hints[1].range, CCellSpan());
    EXPECT_EQ(w.owner.RecordsOf(static_cast<int>(LVN_GETDISPINFO)).size(), 2u);
}

TEST(GridFit, TheDifferenceIsSharedWithTheRestToTheFirstShownColumns) {
    // Widths are given relative to a client of width W: the first shown
    // column takes W + base so that the total is W + over.
    const struct {
        const char* name;
        std::vector<int> widths, expected;
    } cases[] = {
        {"7 px over 3 shown columns: +3, +2, +2", {-7 - 130, 0, 60, 70}, {-7 - 130 + 3, 0, 62, 72}},
        {"5 px under 2 shown columns: -3, -2", {5 - 100, 0, 0, 100}, {5 - 100 - 3, 0, 0, 98}},
        {"fits already", {-150, 100, 0, 50}, {-150, 100, 0, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowedGrid w(1, 4);
        Rect client;
        w.grid.GetClientRect(&client);
        for (int col = 0; col < 4; ++col)
            w.grid.SetColumnWidth(col, c.widths[static_cast<std::size_t>(col)] +
                                           (col == 0 ? client.Width() : 0));
        w.grid.ExpandColumnsToFit();
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(w.grid.GetColumnWidth(col),
                      c.expected[static_cast<std::size_t>(col)] + (col == 0 ? client.Width() : 0))
                << col;
        EXPECT_EQ(w.grid.GetVirtualWidth(), client.Width());
    }
}

TEST(GridFit, ExpandingWithoutTheFixedColumns) {
    WindowedGrid w(1, 3, 0, 1);
    w.grid.SetColumnWidth(0, 40);
    w.grid.SetColumnWidth(1, 50);
    w.grid.SetColumnWidth(2, 50);
    Rect client;
    w.grid.GetClientRect(&client);
    w.grid.ExpandColumnsToFit(FALSE);
    EXPECT_EQ(w.grid.GetColumnWidth(0), 40);
    EXPECT_EQ(w.grid.GetVirtualWidth(), client.Width());
}

TEST(GridFit, LastColumnTakesTheRoomLeft) {
    const struct {
        const char* name;
        std::vector<int> widths;
        bool grows;
    } cases[] = {
        {"only column 0 shown", {50, 0, 0}, false},
        {"the last shown column grows", {50, 40, 0}, true},
        {"no room left", {50, 400, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowedGrid w(1, 3);
        for (int col = 0; col < 3; ++col)
            w.grid.SetColumnWidth(col, c.widths[static_cast<std::size_t>(col)]);
        w.grid.ExpandLastColumn();
        Rect client;
        w.grid.GetClientRect(&client);
        EXPECT_EQ(w.grid.GetColumnWidth(0), c.widths[0]);
        EXPECT_EQ(w.grid.GetColumnWidth(2), 0);
        if (c.grows) {
            EXPECT_EQ(w.grid.GetVirtualWidth(), client.Width());
        } else {
            EXPECT_EQ(w.grid.GetColumnWidth(1), c.widths[1]);
        }
    }
}

TEST(GridFit, FillWindowWithCellsCoversTheClient) {
    WindowedGrid w;
    w.grid.FillWindowWithCells();
    Rect client;
    w.grid.GetClientRect(&client);
    const CGridDefaultCell* cell = w.grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(w.grid.GetColumnCount(), 300 / cell->GetWidth() + 1);
    EXPECT_EQ(w.grid.GetRowCount(), 200 / cell->GetHeight() + 1);
    EXPECT_EQ(w.grid.GetFixedRowCount(), 1);
    EXPECT_EQ(w.grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(w.grid.GetVirtualWidth(), client.Width());
    EXPECT_EQ(w.grid.GetVirtualHeight(), client.Height());
}

// ---- ensure visible against the line-by-line walk

// One line message per shown row or column between the view and the cell,
// then lines until the cell's far edges are in the client area.
void ReferenceEnsureVisible(CGridCtrl& grid, int row, int col) {
    const CCellSpan v = grid.GetVisibleNonFixedCellRange();
    auto width = [&](int c) {
        return c >= 0 && c < grid.GetColumnCount() ? grid.GetColumnWidth(c) : 0;
    };
    auto height = [&](int r) {
        return r >= 0 && r < grid.GetRowCount() ? grid.GetRowHeight(r) : 0;
    };
    for (int i = 0; i < col - v.GetMaxCol(); ++i)
        if (width(v.GetMaxCol() + 1 + i) > 0) grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    for (int i = 0; i < v.GetMinCol() - col; ++i)
        if (width(v.GetMinCol() - 1 - i) > 0) grid.SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    for (int i = 0; i < row - v.GetMaxRow(); ++i)
        if (height(v.GetMaxRow() + 1 + i) > 0) grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i < v.GetMinRow() - row; ++i)
        if (height(v.GetMinRow() - 1 - i) > 0) grid.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    Rect client;
    grid.GetClientRect(&client);
    Rect rect;
    if (!grid.GetCellRect(row, col, &rect)) return;
    while (rect.right > client.right && grid.GetFixedColumnWidth() < rect.left) {
        const int before = grid.GetScrollPos32(SB_HORZ);
        grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        if (grid.GetScrollPos32(SB_HORZ) == before || !grid.GetCellRect(row, col, &rect)) break;
    }
    while (rect.bottom > client.bottom && grid.GetFixedRowHeight() < rect.top) {
        const int before = grid.GetScrollPos32(SB_VERT);
        grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        if (grid.GetScrollPos32(SB_VERT) == before || !grid.GetCellRect(row, col, &rect)) break;
    }
}

// A grid with uneven sizes and a few hidden rows and columns.
struct UnevenGrid : WindowedGrid {
    UnevenGrid(int rows, int cols) : WindowedGrid(rows, cols, 1, 1) {
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, r % 7 == 5 ? 0 : 12 + (r * 7) % 19);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, c % 5 == 3 ? 0 : 25 + (c * 11) % 40);
    }
};

TEST(GridEnsureVisible, AShownCellScrollsNothing) {
    UnevenGrid w(100, 30);
    w.grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    const int h = w.grid.GetScrollPos32(SB_HORZ);
    const int v = w.grid.GetScrollPos32(SB_VERT);
    const CCellSpan shown = w.grid.GetUnobstructedNonFixedCellRange();
    w.grid.EnsureVisible(shown.GetMinRow() + 1, shown.GetMinCol() + 1);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_HORZ), h);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), v);
}

TEST(GridEnsureVisible, LandsWhereTheLineByLineWalkLands) {
    const struct {
        const char* name;
        int rows, cols;
        CCellID start; // cell brought into view first
        CCellID target;
    } cases[] = {
        {"down and right", 200, 40, CCellID(1, 1), CCellID(150, 25)},
        {"the last cell", 200, 40, CCellID(1, 1), CCellID(199, 39)},
        {"a hidden row and column", 200, 40, CCellID(1, 1), CCellID(103, 18)},
        {"back up and left", 200, 40, CCellID(199, 39), CCellID(7, 2)},
        {"back to the first", 200, 40, CCellID(120, 30), CCellID(1, 1)},
        {"small grid", 12, 8, CCellID(1, 1), CCellID(11, 7)},
        {"small grid back", 12, 8, CCellID(11, 7), CCellID(2, 1)},
        {"past the end", 50, 10, CCellID(1, 1), CCellID(80, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UnevenGrid fast(c.rows, c.cols);
        UnevenGrid walked(c.rows, c.cols);
        ReferenceEnsureVisible(fast.grid, c.start.row, c.start.col);
        ReferenceEnsureVisible(walked.grid, c.start.row, c.start.col);
        fast.grid.EnsureVisible(c.target.row, c.target.col);
        ReferenceEnsureVisible(walked.grid, c.target.row, c.target.col);
        EXPECT_EQ(fast.grid.GetScrollPos32(SB_HORZ), walked.grid.GetScrollPos32(SB_HORZ));
        EXPECT_EQ(fast.grid.GetScrollPos32(SB_VERT), walked.grid.GetScrollPos32(SB_VERT));
        EXPECT_EQ(fast.grid.GetTopleftNonFixedCell(), walked.grid.GetTopleftNonFixedCell());
    }
    TakeTraces();
}

TEST(GridEnsureVisible, TheFocusWindowKeepsTheFocus) {
    UnevenGrid w(100, 10);
    w.grid.SetFocus();
    w.grid.EnsureVisible(90, 1);
    EXPECT_EQ(platform::Window::GetFocus(), &w.grid);
    EXPECT_GT(w.grid.GetScrollPos32(SB_VERT), 0);
    // With drawing off nothing moves.
    w.grid.SetRedraw(FALSE);
    const int v = w.grid.GetScrollPos32(SB_VERT);
    w.grid.EnsureVisible(1, 1);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), v);
}

} // namespace
