// Deleting columns and rows: counts, sizes, fixed bands, the focus, the
// owner's reset report, and the batch deletion of every non-fixed row.
#include "gridfixture.h"

#include "gridctrl.h"

#include "base/trace.h"

#include <gtest/gtest.h>

using namespace platform;
using grid_test::ExpectArraysInStep;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

constexpr int kSelReset = static_cast<int>(GRIDN_SELRESET);

TEST(GridDelete, FocusIsClearedWithOneResetReport) {
    const struct {
        const char* name;
        bool column;
        int index;
    } cases[] = {
        {"column left of the focus", true, 1},
        {"the focus column", true, 2},
        {"column right of the focus", true, 3},
        {"row above the focus", false, 1},
        {"the focus row", false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowedGrid w(5, 5, 1, 1);
        w.grid.SetFocusCell(2, 2);
        w.grid.SetSelectedRange(1, 1, 3, 3);
        w.owner.ClearRecords();
        ASSERT_TRUE(c.column ? w.grid.DeleteColumn(c.index) : w.grid.DeleteRow(c.index));
        EXPECT_EQ(w.grid.GetFocusCell(), CCellID(-1, -1));
        EXPECT_EQ(w.grid.GetSelectedCount(), 0);
        const auto resets = w.owner.RecordsOf(kSelReset);
        ASSERT_EQ(resets.size(), 1u);
        EXPECT_EQ(resets[0].row, -1);
        EXPECT_EQ(resets[0].col, -1);
        EXPECT_EQ(c.column ? w.grid.GetColumnCount() : w.grid.GetRowCount(), 4);
        EXPECT_TRUE(w.grid.GetModified());
        ExpectArraysInStep(w.grid);
    }
}

TEST(GridDelete, CellsSizesAndFixedBandsFollow) {
    TestGrid grid(4, 4, 2, 2);
    for (int i = 0; i < 4; ++i) {
        grid.SetColumnWidth(i, 10 + i);
        grid.SetRowHeight(i, 20 + i);
        grid.SetItemText(i, i, std::to_string(i).c_str());
    }
    ASSERT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetColumnWidth(1), 12);
    EXPECT_EQ(grid.GetItemText(2, 1), "2");
    EXPECT_EQ(grid.GetFixedColumnWidth(), 10);
    ASSERT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetRowHeight(0), 21);
    EXPECT_EQ(grid.GetFixedRowHeight(), 21);
    EXPECT_EQ(grid.GetVirtualHeight(), 21 + 22 + 23);
    ExpectArraysInStep(grid);

    EXPECT_FALSE(grid.DeleteColumn(3));
    EXPECT_FALSE(grid.DeleteColumn(-1));
    EXPECT_FALSE(grid.DeleteRow(3));
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetRowCount(), 3);
}

TEST(GridDelete, VirtualModeDeletesSizesOnly) {
    WindowedGrid w;
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(5);
    w.grid.SetColumnCount(3);
    w.grid.SetRowHeight(4, 40);
    ASSERT_TRUE(w.grid.DeleteRow(1));
    ASSERT_TRUE(w.grid.DeleteColumn(0));
    EXPECT_EQ(w.grid.GetRowCount(), 4);
    EXPECT_EQ(w.grid.GetColumnCount(), 2);
    EXPECT_EQ(w.grid.GetRowHeight(3), 40);
    EXPECT_EQ(w.grid.created, 0);
    ExpectArraysInStep(w.grid);
}

// A grid with varied heights, texts, marks and a selection.
void Fill(WindowedGrid& w) {
    for (int row = 0; row < w.grid.GetRowCount(); ++row) {
        w.grid.SetRowHeight(row, 10 + row);
        for (int col = 0; col < w.grid.GetColumnCount(); ++col)
            w.grid.SetItemText(row, col, (std::to_string(row) + "," + std::to_string(col)).c_str());
    }
    w.grid.SetSelectedRange(3, 1, 6, 2);
    w.grid.SetFocusCell(4, 2);
    w.grid.SetSortColumn(1);
}

TEST(GridDelete, NonFixedRowsGoAtOnceAsRowByRowWouldDo) {
    WindowedGrid batch(12, 3, 2, 1);
    WindowedGrid single(12, 3, 2, 1);
    Fill(batch);
    Fill(single);
    batch.owner.ClearRecords();
    single.owner.ClearRecords();

    ASSERT_TRUE(batch.grid.DeleteNonFixedRows());
    for (int row = single.grid.GetRowCount() - 1; row >= single.grid.GetFixedRowCount(); --row)
        ASSERT_TRUE(single.grid.DeleteRow(row));

    EXPECT_EQ(batch.owner.RecordsOf(kSelReset).size(), 1u);
    for (const TestGrid* grid : {&batch.grid, &single.grid}) {
        EXPECT_EQ(grid->GetRowCount(), 2);
        EXPECT_EQ(grid->GetFixedRowCount(), 2);
        EXPECT_EQ(grid->GetFocusCell(), CCellID(-1, -1));
        EXPECT_EQ(grid->GetSelectedCount(), 0);
        ExpectArraysInStep(*grid);
    }
    EXPECT_EQ(batch.grid.GetVirtualHeight(), single.grid.GetVirtualHeight());
    EXPECT_EQ(batch.grid.GetModified(), single.grid.GetModified());
    EXPECT_EQ(batch.grid.GetSortColumn(), single.grid.GetSortColumn());
    EXPECT_EQ(batch.grid.GetVScrollMax(), single.grid.GetVScrollMax());
    EXPECT_EQ(batch.grid.IsVisibleVScroll(), single.grid.IsVisibleVScroll());
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(batch.grid.GetRowHeight(row), single.grid.GetRowHeight(row));
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(batch.grid.GetItemText(row, col), single.grid.GetItemText(row, col));
            EXPECT_EQ(batch.grid.GetItemState(row, col), single.grid.GetItemState(row, col));
        }
    }
    EXPECT_EQ(batch.grid.GetItemText(1, 2), "1,2");
}

TEST(GridDelete, AllItemsEmptiesTheGrid) {
    WindowedGrid w(5, 5, 1, 1);
    w.grid.SetSelectedRange(1, 1, 2, 2);
    w.owner.ClearRecords();
    ASSERT_TRUE(w.grid.DeleteAllItems());
    EXPECT_EQ(w.grid.GetRowCount(), 0);
    EXPECT_EQ(w.grid.GetColumnCount(), 0);
    EXPECT_EQ(w.grid.GetFixedRowCount(), 0);
    EXPECT_EQ(w.grid.GetVirtualWidth(), 0);
    EXPECT_EQ(w.grid.GetFixedRowHeight(), 0);
    EXPECT_EQ(w.grid.GetSelectedCount(), 0);
    EXPECT_EQ(w.owner.RecordsOf(kSelReset).size(), 1u);
}

} // namespace
