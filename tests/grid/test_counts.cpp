// Row and column counts, fixed counts and insertion: the counts, the size
// arrays, the cells and the selection stay in step, also when memory runs out.
#include "gridfixture.h"

#include "gridctrl.h"

#include "base/frameworktext.h"
#include "dialogs/messagebox.h"
#include "base/trace.h"

#include <gtest/gtest.h>

using namespace platform;
using grid_test::ExpectArraysInStep;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

struct Shape {
    int rows, cols, fixedRows, fixedCols;
};

void ExpectShape(const CGridCtrl& grid, Shape s) {
    EXPECT_EQ(grid.GetRowCount(), s.rows);
    EXPECT_EQ(grid.GetColumnCount(), s.cols);
    EXPECT_EQ(grid.GetFixedRowCount(), s.fixedRows);
    EXPECT_EQ(grid.GetFixedColumnCount(), s.fixedCols);
}

TEST(GridCounts, SettersKeepCountsArraysAndFixedCountsInStep) {
    struct Case {
        const char* name;
        Shape start;
        BOOL (CGridCtrl::*setter)(int);
        int value;
        BOOL result;
        Shape end;
    };
    const Case cases[] = {
        {"same row count", {4, 3, 1, 1}, &CGridCtrl::SetRowCount, 4, TRUE, {4, 3, 1, 1}},
        {"more rows", {4, 3, 1, 1}, &CGridCtrl::SetRowCount, 7, TRUE, {7, 3, 1, 1}},
        {"rows below the fixed rows", {4, 3, 2, 1}, &CGridCtrl::SetRowCount, 1, TRUE, {1, 3, 1, 1}},
        {"no rows", {4, 3, 2, 1}, &CGridCtrl::SetRowCount, 0, TRUE, {0, 3, 0, 1}},
        {"negative rows", {4, 3, 1, 1}, &CGridCtrl::SetRowCount, -1, FALSE, {4, 3, 1, 1}},
        {"columns below the fixed columns",
         {4, 3, 1, 2},
         &CGridCtrl::SetColumnCount,
         1,
         TRUE,
         {4, 1, 1, 1}},
        {"more columns", {4, 3, 1, 1}, &CGridCtrl::SetColumnCount, 5, TRUE, {4, 5, 1, 1}},
        {"negative columns", {4, 3, 1, 1}, &CGridCtrl::SetColumnCount, -3, FALSE, {4, 3, 1, 1}},
        {"fixed rows grow the grid",
         {1, 3, 0, 0},
         &CGridCtrl::SetFixedRowCount,
         2,
         TRUE,
         {2, 3, 2, 0}},
        {"fixed columns grow the grid",
         {2, 1, 0, 0},
         &CGridCtrl::SetFixedColumnCount,
         3,
         TRUE,
         {2, 3, 0, 3}},
        {"negative fixed rows",
         {2, 2, 1, 1},
         &CGridCtrl::SetFixedRowCount,
         -1,
         FALSE,
         {2, 2, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TakeTraces();
        TestGrid grid(c.start.rows, c.start.cols, c.start.fixedRows, c.start.fixedCols);
        grid.SetModified(FALSE);
        EXPECT_EQ((grid.*c.setter)(c.value), c.result);
        ExpectShape(grid, c.end);
        ExpectArraysInStep(grid);
        // Only a change marks the grid modified.
        const bool changed = c.result && (c.start.rows != c.end.rows || c.start.cols != c.end.cols);
        EXPECT_EQ(grid.GetModified() != FALSE, changed);
        EXPECT_EQ(FailedAssertionCount(), c.value < 0 ? 1 : 0);
    }
    TakeTraces();
}

TEST(GridCounts, NewCellsCarryTheFixedBitsOfTheirPlace) {
    TestGrid grid(2, 2, 1, 1);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetItemState(2, 0), CELL_FIXED | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(0, 2), CELL_FIXED | CELL_FIXEDROW);
    EXPECT_EQ(grid.GetItemState(2, 2), 0u);
    // New columns are as wide as the fixed-column default cell says.
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetDefaultCell(FALSE, TRUE)->GetWidth());
    EXPECT_EQ(grid.GetRowHeight(2), grid.GetDefaultCell(FALSE, FALSE)->GetHeight());
}

TEST(GridCounts, FixedBitsAndColoursMoveInAndOut) {
    TestGrid grid(4, 3, 1, 1);
    for (int c = 0; c < 3; ++c) {
        grid.SetItemBkColour(1, c, RGB(9, 9, 9));
        grid.SetItemFgColour(1, c, RGB(8, 8, 8));
    }
    ASSERT_TRUE(grid.SetFixedRowCount(2));
    EXPECT_EQ(grid.GetItemState(1, 0), CELL_FIXED | CELL_FIXEDROW | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(1, 2), CELL_FIXED | CELL_FIXEDROW);
    EXPECT_EQ(grid.GetItemBkColour(1, 2), CLR_DEFAULT);
    EXPECT_EQ(grid.GetItemFgColour(1, 0), CLR_DEFAULT);

    grid.SetItemBkColour(1, 0, RGB(7, 7, 7));
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    // In the fixed column the cell stays a fixed-column cell with its colour.
    EXPECT_EQ(grid.GetItemState(1, 0), CELL_FIXED | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetItemBkColour(1, 0), RGB(7, 7, 7));
    EXPECT_EQ(grid.GetItemState(1, 2), 0u);

    ASSERT_TRUE(grid.SetFixedColumnCount(2));
    EXPECT_EQ(grid.GetItemState(0, 1), CELL_FIXED | CELL_FIXEDROW | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(3, 1), CELL_FIXED | CELL_FIXEDCOL);
    ASSERT_TRUE(grid.SetFixedColumnCount(0));
    EXPECT_EQ(grid.GetItemState(0, 0), CELL_FIXED | CELL_FIXEDROW);
    EXPECT_EQ(grid.GetItemState(3, 1), 0u);
}

TEST(GridCounts, FocusInARemovedRowOrColumnIsCleared) {
    TestGrid grid(5, 5, 1, 1);
    grid.SetFocusCell(3, 3);
    ASSERT_EQ(grid.GetFocusCell(), CCellID(3, 3));
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 3));
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    grid.SetFocusCell(2, 2);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
}

TEST(GridCounts, RemovedCellsLeaveTheSelection) {
    TestGrid grid(5, 5, 1, 1);
    grid.SetItemState(4, 4, CELL_SELECTED);
    grid.SetItemState(2, 2, CELL_SELECTED);
    ASSERT_EQ(grid.GetSelectedCount(), 2);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST(GridCounts, VirtualModeMakesNoCellsAndDropsTheSelectionOfRemovedOnes) {
    TestGrid grid;
    grid.SetVirtualMode(TRUE);
    EXPECT_TRUE(grid.SetRowCount(6));
    EXPECT_TRUE(grid.SetColumnCount(4));
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.created, 0);
    ExpectArraysInStep(grid);
    grid.SetItemState(5, 3, CELL_SELECTED);
    grid.SetItemState(2, 1, CELL_SELECTED);
    ASSERT_EQ(grid.GetSelectedCount(), 2);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
    grid.SetColumnCount(1);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    // Growing back does not bring old selections back.
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    EXPECT_FALSE(grid.IsCellSelected(5, 3));
    EXPECT_EQ(grid.InsertRow("r", -1), 6);
    EXPECT_EQ(grid.InsertColumn("c", DT_LEFT, -1), 4);
    EXPECT_EQ(grid.created, 0);
    ExpectArraysInStep(grid);
}

// ---- insertion

TEST(GridInsert, ColumnPositions) {
    const struct {
        const char* name;
        int position;
        int result;
    } cases[] = {
        {"append with -1", -1, 4}, {"at the count appends", 4, 4},      {"in the middle", 2, 2},
        {"first non-fixed", 1, 1}, {"inside the fixed columns", 0, -1}, {"beyond the count", 5, -1},
        {"below -1", -2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TakeTraces();
        TestGrid grid(3, 4, 1, 1);
        for (int col = 0; col < 4; ++col)
            grid.SetItemText(1, col, std::to_string(col).c_str());
        EXPECT_EQ(grid.InsertColumn("head", DT_RIGHT, c.position), c.result);
        ExpectArraysInStep(grid);
        if (c.result < 0) {
            EXPECT_EQ(grid.GetColumnCount(), 4);
            EXPECT_EQ(FailedAssertionCount(), 1);
            continue;
        }
        EXPECT_EQ(grid.GetColumnCount(), 5);
        EXPECT_EQ(grid.GetItemText(0, c.result), "head");
        EXPECT_EQ(grid.GetItemText(1, c.result), "");
        EXPECT_EQ(grid.GetItemFormat(2, c.result), DT_RIGHT);
        EXPECT_EQ(grid.GetColumnWidth(c.result), grid.GetTextExtent(0, c.result, "head").cx);
        // The columns after it moved one to the right.
        EXPECT_EQ(grid.GetItemText(1, c.result == 4 ? 3 : c.result + 1),
                  std::to_string(c.result == 4 ? 3 : c.result));
    }
    TakeTraces();
}

TEST(GridInsert, RowPositions) {
    const struct {
        const char* name;
        int position;
        int result;
    } cases[] = {
        {"append with -1", -1, 3},
        {"in the middle", 2, 2},
        {"at the count is refused", 3, -1},
        {"inside the fixed rows", 0, -1},
        {"below -1", -2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TakeTraces();
        TestGrid grid(3, 2, 1, 1);
        grid.SetItemText(2, 1, "old row 2");
        EXPECT_EQ(grid.InsertRow("row", c.position), c.result);
        ExpectArraysInStep(grid);
        if (c.result < 0) {
            EXPECT_EQ(grid.GetRowCount(), 3);
            EXPECT_EQ(FailedAssertionCount(), 1);
            continue;
        }
        EXPECT_EQ(grid.GetRowCount(), 4);
        EXPECT_EQ(grid.GetItemText(c.result, 0), "row");
        EXPECT_EQ(grid.GetRowHeight(c.result), grid.GetTextExtent(c.result, 0, "row").cy);
        EXPECT_EQ(grid.GetItemText(c.result == 2 ? 3 : 2, 1), "old row 2");
    }
    TakeTraces();
}

TEST(GridInsert, IntoAnEmptyGridMakesTheFirstRowOrColumn) {
    TestGrid grid;
    EXPECT_EQ(grid.InsertColumn("A"), 0);
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 0), "A");
    TestGrid other;
    EXPECT_EQ(other.InsertRow("", 0), -1); // no row 0 to insert before
    EXPECT_EQ(other.InsertRow(""), 0);
    EXPECT_EQ(other.GetColumnCount(), 1);
    TestGrid rows(1, 0);
    EXPECT_EQ(rows.InsertRow("", -1), 1);
    EXPECT_EQ(rows.GetColumnCount(), 1);
    // An empty heading leaves the fixed-row default height.
    EXPECT_EQ(rows.GetRowHeight(1), rows.GetDefaultCell(TRUE, FALSE)->GetHeight());
    TakeTraces();
}

TEST(GridInsert, ResetsTheSelectionAndTheFocusWithOneReport) {
    WindowedGrid w(4, 4, 1, 1);
    w.grid.SetFocusCell(2, 2);
    w.grid.SetItemState(3, 3, CELL_SELECTED);
    w.owner.ClearRecords();
    EXPECT_EQ(w.grid.InsertColumn("x", DT_LEFT, 1), 1);
    EXPECT_EQ(w.grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_EQ(w.grid.GetItemState(2, 3), 0u); // the old focus cell, one column on
    const auto resets = w.owner.RecordsOf(static_cast<int>(GRIDN_SELRESET));
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(resets[0].row, -1);
    EXPECT_EQ(resets[0].col, -1);
    EXPECT_EQ(w.owner.Records().size(), 1u);
}

// ---- memory exhaustion

struct OutOfMemory : ::testing::Test {
    MessageBoxRecorder boxes;
    void ExpectOneMessage() {
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_EQ(boxes.Texts()[0], GetFrameworkText(FrameworkText::OutOfMemory));
    }
};

TEST_F(OutOfMemory, SetRowCountKeepsTheCompletedRows) {
    TestGrid grid(2, 3, 1, 1);
    grid.failAfter = grid.created + 7; // two more rows and one cell of a third
    EXPECT_FALSE(grid.SetRowCount(6));
    EXPECT_EQ(grid.GetRowCount(), 4);
    ExpectArraysInStep(grid);
    EXPECT_TRUE(grid.GetModified());
    ExpectOneMessage();
}

TEST_F(OutOfMemory, SetColumnCountKeepsTheCompletedColumns) {
    TestGrid grid(3, 2, 1, 1);
    grid.failAfter = grid.created + 7; // two more columns and one cell of a third
    EXPECT_FALSE(grid.SetColumnCount(6));
    EXPECT_EQ(grid.GetColumnCount(), 4);
    ExpectArraysInStep(grid);
    ExpectOneMessage();
    grid.failAfter = -1;
    EXPECT_TRUE(grid.SetColumnCount(5));
    ExpectArraysInStep(grid);
}

TEST_F(OutOfMemory, FixedCountsFailWithTheirGrowth) {
    TestGrid grid(1, 1);
    grid.failAfter = grid.created;
    EXPECT_FALSE(grid.SetFixedRowCount(3));
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetRowCount(), 1);
    ExpectArraysInStep(grid);
    ExpectOneMessage();
}

TEST_F(OutOfMemory, InsertionsLeaveTheGridAsItWas) {
    TestGrid grid(4, 3, 1, 1);
    grid.SetItemText(2, 1, "kept");
    grid.failAfter = grid.created + 2;
    EXPECT_EQ(grid.InsertColumn("c", DT_LEFT, 1), -1);
    ExpectShape(grid, {4, 3, 1, 1});
    ExpectArraysInStep(grid);
    EXPECT_EQ(grid.GetItemText(2, 1), "kept");
    ExpectOneMessage();

    boxes.Clear();
    grid.failAfter = grid.created + 1;
    EXPECT_EQ(grid.InsertRow("r", 2), -1);
    ExpectShape(grid, {4, 3, 1, 1});
    ExpectArraysInStep(grid);
    EXPECT_EQ(grid.GetItemText(2, 1), "kept");
    ExpectOneMessage();
}

} // namespace
