// Painting the grid: pixels at computed points of the client image (cells
// filled with their back colours, never glyphs), a cell class that logs its
// Draw calls, the owner's records in virtual mode, and single-cell repaints.
#include "gridfixture.h"

#include "gridctrl.h"

#include "draw/syscolors.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace platform;
using grid_test::Paint;
using grid_test::PixelAt;
using grid_test::SpyCell;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

constexpr COLORREF kLine = RGB(192, 192, 192);
constexpr COLORREF kCellBack = RGB(250, 240, 200);
constexpr COLORREF kOtherBack = RGB(20, 140, 60);

// Fixed row 0 (20 px) and column 0 (30 px); rows 1.. 25 px, columns 1.. 40 px,
// with cells in kCellBack.
struct SizedGrid : WindowedGrid {
    explicit SizedGrid(int rows = 4, int cols = 4) : WindowedGrid(rows, cols, 1, 1) {
        grid.SetRowHeight(0, 20);
        grid.SetColumnWidth(0, 30);
        for (int i = 1; i < rows; ++i)
            grid.SetRowHeight(i, 25);
        for (int i = 1; i < cols; ++i)
            grid.SetColumnWidth(i, 40);
        grid.GetDefaultCell(FALSE, FALSE)->SetBackClr(kCellBack);
    }
};

TEST(GridPaint, GridLineModesDrawBetweenTheScrolledCellsOnly) {
    // Column 1 covers x 30..69, row 1 covers y 20..44.
    const struct {
        int mode;
        COLORREF rightEdge, bottomEdge;
    } cases[] = {
        {GVL_NONE, kCellBack, kCellBack},
        {GVL_HORZ, kCellBack, kLine},
        {GVL_VERT, kLine, kCellBack},
        {GVL_BOTH, kLine, kLine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SizedGrid w;
        w.grid.SetGridLines(c.mode);
        const QImage image = Paint(w.grid);
        EXPECT_EQ(PixelAt(image, 69, 30), c.rightEdge);
        EXPECT_EQ(PixelAt(image, 50, 44), c.bottomEdge);
        EXPECT_EQ(PixelAt(image, 50, 30), kCellBack);
        // The headings get no lines from the grid.
        EXPECT_NE(PixelAt(image, 69, 10), kLine);
    }
}

TEST(GridPaint, AHiddenColumnLeavesNoGapAndNoLine) {
    SizedGrid w(4, 5);
    w.grid.SetColumnWidth(2, 0);
    for (int row = 1; row < 4; ++row)
        w.grid.SetItemBkColour(row, 3, kOtherBack);
    const QImage image = Paint(w.grid);
    // Column 3 starts right after column 1 (x 30..69).
    EXPECT_EQ(PixelAt(image, 68, 30), kCellBack);
    EXPECT_EQ(PixelAt(image, 69, 30), kLine);
    EXPECT_EQ(PixelAt(image, 70, 30), kOtherBack);
    EXPECT_EQ(PixelAt(image, 108, 30), kOtherBack);
    EXPECT_EQ(PixelAt(image, 109, 30), kLine);
    EXPECT_EQ(PixelAt(image, 110, 30), kCellBack);
}

TEST(GridPaint, DrawingOffPaintsNothingUntilItIsOnAgain) {
    SizedGrid w;
    w.grid.SetCellType(1, 1, SpyCell::Class());
    Paint(w.grid);
    SpyCell::Log().clear();
    w.grid.SetRedraw(FALSE);
    w.grid.SetItemBkColour(1, 1, kOtherBack);
    EXPECT_FALSE(w.grid.RedrawCell(1, 1));
    const QImage off = Paint(w.grid);
    EXPECT_NE(PixelAt(off, 50, 30), kOtherBack);
    EXPECT_NE(PixelAt(off, 69, 30), kLine);
    EXPECT_TRUE(SpyCell::Log().empty());
    w.grid.SetRedraw(TRUE);
    EXPECT_EQ(PixelAt(Paint(w.grid), 50, 30), kOtherBack);
    EXPECT_EQ(SpyCell::Log().size(), 1u);
    SpyCell::Log().clear();
}

// A grid of spy cells larger than the window.
struct SpyGrid : WindowedGrid {
    SpyGrid() {
        grid.SetDefaultCellType(SpyCell::Class());
        grid.SetRowCount(50);
        grid.SetColumnCount(20);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        Paint(grid);
        SpyCell::Log().clear();
    }
    ~SpyGrid() { SpyCell::Log().clear(); }
};

TEST(GridPaint, APaintDrawsEachCellOnceAndNoneOutsideTheClipBox) {
    SpyGrid w;
    CCellSpan visible = w.grid.GetVisibleNonFixedCellRange();
    Paint(w.grid);
    std::set<std::pair<int, int>> drawn;
    for (const auto& call : SpyCell::Log()) {
        EXPECT_TRUE(drawn.insert({call.row, call.col}).second) << call.row << "," << call.col;
        EXPECT_FALSE(call.erase);
        EXPECT_LE(call.row, visible.GetMaxRow());
        EXPECT_LE(call.col, visible.GetMaxCol());
    }
    const int rows = visible.GetMaxRow() - visible.GetMinRow() + 2;
    const int cols = visible.GetMaxCol() - visible.GetMinCol() + 2;
    EXPECT_EQ(drawn.size(), static_cast<std::size_t>(rows * cols));

    // A part of the window: only the cells that meet it, besides the corner,
    // which is drawn without a clip test.
    SpyCell::Log().clear();
    const Rect dirty(100, 50, 150, 80);
    w.grid.InvalidateRect(&dirty, FALSE);
    w.grid.UpdateWindow();
    ASSERT_FALSE(SpyCell::Log().empty());
    for (const auto& call : SpyCell::Log()) {
        if (call.row == 0 && call.col == 0) continue;
        SCOPED_TRACE(testing::Message() << call.row << "," << call.col);
        EXPECT_GE(call.rect.right, dirty.left);
        EXPECT_LT(call.rect.left, dirty.right);
        EXPECT_GE(call.rect.bottom, dirty.top);
        EXPECT_LT(call.rect.top, dirty.bottom);
    }
    bool traced = false;
    for (const TraceRecord& record : TakeTraces())
        traced = traced || record.text.rfind("Draw counter ticks: ", 0) == 0;
    EXPECT_TRUE(traced);
}

TEST(GridPaint, RedrawCellOnlyForCellsInView) {
    SpyGrid w;
    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    const CCellSpan visible = w.grid.GetVisibleNonFixedCellRange();
    ASSERT_EQ(visible.GetMinRow(), 2);
    EXPECT_FALSE(w.grid.RedrawCell(1, 1));                       // scrolled out above
    EXPECT_FALSE(w.grid.RedrawCell(visible.GetMaxRow() + 1, 1)); // below the window
    EXPECT_TRUE(SpyCell::Log().empty());
    EXPECT_TRUE(w.grid.RedrawCell(2, 1));
    EXPECT_TRUE(w.grid.RedrawCell(0, 1)); // its heading stays
    ASSERT_EQ(SpyCell::Log().size(), 2u);
    EXPECT_TRUE(SpyCell::Log()[0].erase);

    // A row partly in view fails for its columns out of view.
    SpyCell::Log().clear();
    EXPECT_FALSE(w.grid.RedrawRow(3));
    EXPECT_EQ(SpyCell::Log().size(), static_cast<std::size_t>(visible.GetMaxCol() + 1));
    EXPECT_FALSE(w.grid.RedrawCell(70, 1));
}

TEST(GridPaint, ARepaintedCellDrawsItsOwnGridLines) {
    SizedGrid w;
    Paint(w.grid);
    w.grid.SetItemBkColour(1, 1, kOtherBack);
    ASSERT_TRUE(w.grid.RedrawCell(1, 1));
    QImage* surface = w.grid.GetSurface();
    ASSERT_NE(surface, nullptr);
    const QImage image = surface->copy();
    w.grid.ReleaseSurface();
    EXPECT_EQ(PixelAt(image, 50, 30), kOtherBack);
    EXPECT_EQ(PixelAt(image, 69, 30), kLine);
    EXPECT_EQ(PixelAt(image, 50, 44), kLine);
}

TEST(GridVisibility, FixedPartlyShownAndScrolledOutCells) {
    SizedGrid w(20, 20);
    TestGrid windowless(20, 20, 1, 1);
    // The client is 300 x 200 less the bars: column 7 begins at 270, row 8 at 195.
    Rect client;
    w.grid.GetClientRect(&client);
    const int partRow = (client.bottom - 20) / 25 + 1;
    const int partCol = (client.right - 30) / 40 + 1;
    EXPECT_TRUE(w.grid.IsCellVisible(0, 0));
    EXPECT_TRUE(w.grid.IsCellVisible(partRow, partCol));
    EXPECT_FALSE(w.grid.IsCellVisible(partRow + 1, 1));
    EXPECT_FALSE(w.grid.IsCellVisible(1, partCol + 1));
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_FALSE(w.grid.IsCellVisible(1, 1));
    EXPECT_TRUE(w.grid.IsCellVisible(1, 0));
    EXPECT_TRUE(w.grid.IsCellVisible(0, 2));
    EXPECT_FALSE(w.grid.IsCellVisible(30, 1));
    EXPECT_FALSE(windowless.IsCellVisible(1, 1));
}

TEST(GridVirtualPaint, OneHintPairAndRequestsForTheVisibleCellsOnly) {
    WindowedGrid w;
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(1000);
    w.grid.SetColumnCount(30);
    w.grid.SetFixedRowCount(1);
    w.grid.SetFixedColumnCount(1);
    Paint(w.grid);
    const CCellSpan visible = w.grid.GetVisibleNonFixedCellRange();
    w.owner.ClearRecords();
    Paint(w.grid);

    const auto hints = w.owner.RecordsOf(static_cast<int>(LVN_ODCACHEHINT));
    ASSERT_EQ(hints.size(), 2u);
    EXPECT_EQ(hints[0].range, visible);
    EXPECT_EQ(hints[1].range, CCellSpan());
    std::set<std::pair<int, int>> asked;
    for (const auto& r : w.owner.RecordsOf(static_cast<int>(LVN_GETDISPINFO))) {
        EXPECT_TRUE(asked.insert({r.row, r.col}).second);
        EXPECT_TRUE(r.row == 0 || visible.InRange(r.row, std::max(r.col, 1)) ||
                    (r.col == 0 && r.row <= visible.GetMaxRow()))
            << r.row << "," << r.col;
    }
    EXPECT_EQ(asked.size(),
              static_cast<std::size_t>((visible.GetMaxRow() + 1) * (visible.GetMaxCol() + 1)));
}

} // namespace
