// The focus cell and the selection: where the focus lands and what it
// repaints, blocks set, added to and cleared, the select variants, the owner's
// reports, and selections in grids too large for a 16-bit row or column.
#include "gridfixture.h"

#include "gridctrl.h"

#include "base/trace.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace platform;
using grid_test::Paint;
using grid_test::SpyCell;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

std::set<std::pair<int, int>> DrawnCells() {
    std::set<std::pair<int, int>> cells;
    for (const auto& call : SpyCell::Log())
        cells.insert({call.row, call.col});
    return cells;
}

// A shown grid of spy cells, painted once, with an empty log.
struct SpyWindow : WindowedGrid {
    SpyWindow() {
        grid.SetDefaultCellType(SpyCell::Class());
        grid.SetRowCount(8);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        // Every cell in view.
        for (int row = 0; row < 8; ++row)
            grid.SetRowHeight(row, 20);
        for (int col = 0; col < 6; ++col)
            grid.SetColumnWidth(col, 40);
        Paint(grid);
        SpyCell::Log().clear();
    }
    ~SpyWindow() { SpyCell::Log().clear(); }
};

TEST(GridFocus, LandsOnTheFirstNonFixedRowAndColumn) {
    TestGrid grid(5, 5, 2, 1);
    EXPECT_EQ(grid.SetFocusCell(0, 3), CCellID(-1, -1));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 3));
    EXPECT_TRUE(grid.GetItemState(2, 3) & CELL_FOCUSED);
    EXPECT_EQ(grid.SetFocusCell(3, 0), CCellID(2, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 1));
    EXPECT_FALSE(grid.GetItemState(2, 3) & CELL_FOCUSED);
    EXPECT_TRUE(grid.GetItemState(3, 1) & CELL_FOCUSED);
}

TEST(GridFocus, ClearingRepaintsOnlyTheOldCellAndItsHeadings) {
    for (const BOOL track : {TRUE, FALSE}) {
        SCOPED_TRACE(track);
        SpyWindow w;
        w.grid.SetTrackFocusCell(track);
        w.grid.SetFocusCell(3, 2);
        SpyCell::Log().clear();
        w.grid.SetFocusCell(-1, -1);
        const std::set<std::pair<int, int>> expected =
            track ? std::set<std::pair<int, int>>{{3, 2}, {0, 2}, {3, 0}}
                  : std::set<std::pair<int, int>>{{3, 2}};
        EXPECT_EQ(DrawnCells(), expected);
        EXPECT_EQ(SpyCell::Log().size(), expected.size());
        EXPECT_FALSE(w.grid.GetItemState(3, 2) & CELL_FOCUSED);
    }
}

TEST(GridFocus, MovingAlongARowRepaintsOnlyTheColumnHeadings) {
    SpyWindow w;
    w.grid.SetFocusCell(3, 2);
    SpyCell::Log().clear();
    w.grid.SetFocusCell(3, 4);
    const std::set<std::pair<int, int>> expected{{3, 2}, {0, 2}, {3, 4}, {0, 4}};
    EXPECT_EQ(DrawnCells(), expected);
}

TEST(GridSelection, BlocksOutsideTheGridOrInvertedSelectNothing) {
    const struct {
        const char* name;
        CCellSpan block;
        int count;
    } cases[] = {
        {"inside", CCellSpan(1, 1, 2, 3), 6},
        {"fixed bounds move to the first non-fixed", CCellSpan(0, 0, 2, 1), 2},
        {"max row past the grid", CCellSpan(1, 1, 99, 2), 0},
        {"max column past the grid", CCellSpan(1, 1, 2, 9), 0},
        {"min row above max row", CCellSpan(3, 1, 2, 2), 0},
        {"min column right of max column", CCellSpan(1, 3, 2, 2), 0},
        {"none", CCellSpan(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(5, 5, 1, 1);
        grid.SetSelectedRange(4, 4, 4, 4);
        grid.SetSelectedRange(c.block);
        EXPECT_EQ(grid.GetSelectedCount(), c.count);
        EXPECT_FALSE(grid.IsCellSelected(4, 4));
    }
}

TEST(GridSelection, CtrlClickAddsToTheSelectionExceptInSingleRowListMode) {
    const struct {
        const char* name;
        BOOL listMode, singleRow;
        int count;
    } cases[] = {
        {"plain", FALSE, FALSE, 4},
        {"list mode", TRUE, FALSE, 4},
        {"single row alone", FALSE, TRUE, 4},
        {"list mode with single row", TRUE, TRUE, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(5, 5, 1, 1);
        grid.SetSelectionOptions(TRUE, c.listMode, c.singleRow);
        grid.SetSelectedRange(1, 1, 1, 2);
        grid.KeepSelectionForCtrlClick();
        grid.SetSelectedRange(3, 1, 3, 2);
        EXPECT_EQ(grid.GetSelectedCount(), c.count);
        EXPECT_TRUE(grid.IsCellSelected(3, 2));
        EXPECT_EQ(grid.IsCellSelected(1, 1), c.count == 4);
    }
}

TEST(GridSelection, DeselectingABlockKeepsTheRest) {
    TestGrid grid(5, 5, 1, 1);
    grid.SetSelectedRange(1, 1, 3, 3);
    grid.KeepSelectionForCtrlClick();
    grid.SetSelectedRange(2, 2, 2, 2, FALSE, FALSE);
    EXPECT_EQ(grid.GetSelectedCount(), 8);
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
}

TEST(GridSelection, ForcedRepaintsAtOnceOthersAtTheNextPaint) {
    SpyWindow w;
    w.grid.SetSelectedRange(1, 1, 2, 2, TRUE);
    const std::set<std::pair<int, int>> block{{1, 1}, {1, 2}, {2, 1}, {2, 2}};
    EXPECT_EQ(DrawnCells(), block);
    for (const auto& call : SpyCell::Log())
        EXPECT_TRUE(call.erase);

    SpyCell::Log().clear();
    w.grid.SetSelectedRange(3, 3, 3, 3);
    EXPECT_TRUE(SpyCell::Log().empty());
    w.grid.UpdateWindow();
    // The four cells cleared and the new one are painted again.
    const auto drawn = DrawnCells();
    EXPECT_TRUE(drawn.count({3, 3}));
    EXPECT_TRUE(drawn.count({1, 1}));
    EXPECT_FALSE(drawn.count({5, 5}));
}

TEST(GridSelection, ResetClearsEverythingAndTellsTheOwner) {
    WindowedGrid w(5, 5, 1, 1);
    w.grid.SetSelectedRange(1, 1, 3, 3);
    w.grid.SetFocusCell(2, 2);
    w.owner.ClearRecords();
    w.grid.ResetSelectedRange();
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(w.grid.GetSelectedCellRange(), CCellSpan(5, 5, -1, -1));
    const auto records = w.owner.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].code, static_cast<int>(GRIDN_SELRESET));
    EXPECT_EQ(records[0].row, -1);
}

TEST(GridSelection, SelectVariantsSpanFromTheStartCell) {
    const struct {
        const char* name;
        int variant; // 0 all, 1 columns, 2 rows, 3 cells
        CCellID cell;
        BOOL listMode, singleRow, singleCol;
        CCellSpan range;
        int count;
    } cases[] = {
        {"all", 0, CCellID(), FALSE, FALSE, FALSE, CCellSpan(1, 1, 5, 4), 20},
        {"columns", 1, CCellID(4, 3), FALSE, FALSE, FALSE, CCellSpan(1, 2, 5, 3), 10},
        {"single column", 1, CCellID(4, 3), FALSE, FALSE, TRUE, CCellSpan(1, 3, 5, 3), 5},
        {"rows", 2, CCellID(4, 3), FALSE, FALSE, FALSE, CCellSpan(2, 1, 4, 4), 12},
        {"list mode single row", 2, CCellID(4, 3), TRUE, TRUE, FALSE, CCellSpan(4, 1, 4, 4), 4},
        {"cells", 3, CCellID(4, 3), FALSE, FALSE, FALSE, CCellSpan(2, 2, 4, 3), 6},
        {"cells upward", 3, CCellID(1, 1), FALSE, FALSE, FALSE, CCellSpan(1, 1, 2, 2), 4},
        {"column in the fixed band", 1, CCellID(4, 0), FALSE, FALSE, FALSE, CCellSpan(6, 5, -1, -1),
         0},
        {"row in the fixed band", 2, CCellID(0, 3), FALSE, FALSE, FALSE, CCellSpan(6, 5, -1, -1),
         0},
        {"cell outside", 3, CCellID(9, 3), FALSE, FALSE, FALSE, CCellSpan(6, 5, -1, -1), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(6, 5, 1, 1);
        grid.SetSelectionOptions(TRUE, c.listMode, c.singleRow, c.singleCol);
        grid.SetSelectionStart(CCellID(2, 2));
        switch (c.variant) {
        case 0:
            grid.SelectAllCells();
            break;
        case 1:
            grid.SelectColumns(c.cell);
            break;
        case 2:
            grid.SelectRows(c.cell);
            break;
        default:
            grid.SelectCells(c.cell);
            break;
        }
        EXPECT_EQ(grid.GetSelectedCount(), c.count);
        EXPECT_EQ(grid.GetSelectedCellRange(), c.range);
    }
}

TEST(GridSelection, SelectingByMouseModeReportsRowsAndCells) {
    const struct {
        int mode;
        int count;
        bool reported;
    } cases[] = {
        {CGridCtrl::MOUSE_NOTHING, 0, false},     {CGridCtrl::MOUSE_SELECT_ALL, 16, false},
        {CGridCtrl::MOUSE_SELECT_COL, 8, false},  {CGridCtrl::MOUSE_SELECT_ROW, 4, true},
        {CGridCtrl::MOUSE_SELECT_CELLS, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        WindowedGrid w(5, 5, 1, 1);
        w.grid.baseSelecting = true;
        w.grid.SetSelectionStart(CCellID(3, 2));
        w.grid.SetMouseMode(c.mode);
        w.owner.ClearRecords();
        w.grid.OnSelecting(CCellID(3, 3));
        EXPECT_EQ(w.grid.GetSelectedCount(), c.count);
        const auto reports = w.owner.RecordsOf(static_cast<int>(LVN_COLUMNCLICK));
        ASSERT_EQ(reports.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(reports[0].col, 3);
        }
    }
}

TEST(GridSelection, SelectAllReportsAroundItEvenWithSelectionOff) {
    for (const BOOL enabled : {TRUE, FALSE}) {
        SCOPED_TRACE(enabled);
        WindowedGrid w(4, 4, 1, 1);
        w.grid.SetSelectionOptions(enabled);
        w.grid.SetLeftClickDownCell(CCellID(2, 1));
        w.grid.SetFocusCell(3, 3);
        w.owner.ClearRecords();
        w.grid.OnEditSelectAll();
        EXPECT_EQ(w.grid.GetSelectedCount(), enabled ? 9 : 0);
        const auto records = w.owner.Records();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].code, static_cast<int>(LVN_ITEMCHANGING));
        EXPECT_EQ(records[0].row, 2);
        EXPECT_EQ(records[0].col, 1);
        EXPECT_EQ(records[1].code, static_cast<int>(LVN_ITEMCHANGED));
        EXPECT_EQ(records[1].row, 3);
        EXPECT_EQ(records[1].col, 3);
    }
}

TEST(GridSelection, RowsAndColumnsBeyondSixteenBitsKeepTheirOwnEntries) {
    TestGrid grid;
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(70000);
    grid.SetColumnCount(3);
    grid.SetItemState(0, 1, CELL_SELECTED);
    grid.SetItemState(65536, 1, CELL_SELECTED);
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellSpan(0, 1, 65536, 1));
    grid.SetItemState(0, 1, 0);
    EXPECT_TRUE(grid.IsCellSelected(65536, 1));
    EXPECT_FALSE(grid.IsCellSelected(0, 1));

    grid.SetRowCount(2);
    grid.SetColumnCount(65540);
    grid.SetItemState(1, 40000, CELL_SELECTED);
    grid.SetItemState(1, 1, CELL_SELECTED);
    grid.SetItemState(1, 65537, CELL_SELECTED);
    EXPECT_EQ(grid.GetSelectedCount(), 3);
    EXPECT_TRUE(grid.IsCellSelected(1, 40000));
    EXPECT_FALSE(grid.IsCellSelected(0, 40000));
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellSpan(1, 1, 1, 65537));
    grid.SetSelectedRange(1, 40000, 1, 40001);
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CCellSpan(1, 40000, 1, 40001));
}

TEST(GridSelection, ListModeResetsTheSelectionAndTheSortColumn) {
    WindowedGrid w(4, 4, 1, 1);
    w.grid.SetSelectedRange(1, 1, 2, 2);
    w.grid.SetSortColumn(2);
    w.grid.SetFixedColumnSelection(TRUE);
    w.grid.SetListMode(TRUE);
    EXPECT_TRUE(w.grid.GetListMode());
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_EQ(w.grid.GetSortColumn(), -1);
    EXPECT_FALSE(w.grid.GetFixedColumnSelection());
}

} // namespace
