// Geometry and scrolling: the scroll bars' need, range and page, the visible
// block, cell origins and rectangles, hit tests and the scroll messages.
#include "gridfixture.h"

#include "gridctrl.h"

#include "draw/sysmetrics.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace platform;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

// Sets every width of a grid (fixed columns first) and every height.
void SetSizes(CGridCtrl& grid, std::vector<int> widths, std::vector<int> heights) {
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        grid.SetColumnWidth(c, widths[c]);
    for (int r = 0; r < static_cast<int>(heights.size()); ++r)
        grid.SetRowHeight(r, heights[r]);
}

Rect ClientOf(CGridCtrl& grid) {
    Rect client;
    grid.GetClientRect(&client);
    return client;
}

// The client area the grid would have with no bar shown.
Size FullClient(CGridCtrl& grid) {
    Rect client = ClientOf(grid);
    if (grid.IsVisibleVScroll()) client.right += GetSystemMetrics(SM_CXVSCROLL);
    if (grid.IsVisibleHScroll()) client.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return client.GetSize();
}

TEST(GridScrollBars, ShownOnlyWhenTheNonFixedCellsOverflow) {
    WindowedGrid w(3, 3, 1, 1);
    ASSERT_TRUE(w.grid.IsWindow());
    const Size full = FullClient(w.grid);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_GT(full.cx, 100);
    ASSERT_GT(full.cy, 100);

    struct Case {
        const char* name;
        std::vector<int> widths, heights;
        bool horz, vert;
        int hMax, hPage;
    };
    const int w0 = 40, h0 = 20;
    const int spareX = full.cx - w0; // beside the fixed column, with no bar
    const Case cases[] = {
        // No room beyond the fixed cells: the bars go, the range is left as it was.
        {"fixed cells fill the client", {full.cx, 5, 5}, {full.cy, 5, 5}, false, false, -1, -1},
        {"all cells fit", {w0, 10, 10}, {h0, 10, 10}, false, false, 0, 0},
        {"one pixel too wide",
         {w0, spareX / 2, spareX - spareX / 2 + 1},
         {h0, 10, 10},
         true,
         false,
         spareX,
         spareX},
        {"one pixel too high", {w0, 10, 10}, {h0, 50, full.cy - h0 - 50 + 1}, false, true, 0, 0},
        // A vertical bar takes room from the columns, which then overflow too.
        {"high and exactly wide",
         {w0, spareX - 10, 10},
         {h0, full.cy, 10},
         true,
         true,
         spareX - 1,
         spareX - bar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetSizes(w.grid, c.widths, c.heights);
        EXPECT_EQ(w.grid.IsVisibleHScroll() != FALSE, c.horz);
        EXPECT_EQ(w.grid.IsVisibleVScroll() != FALSE, c.vert);
        EXPECT_EQ(w.grid.IsScrollBarShown(SB_HORZ), c.horz);
        EXPECT_EQ(w.grid.IsScrollBarShown(SB_VERT), c.vert);
        EXPECT_EQ(w.grid.GetQtScrollBar(SB_HORZ)->isVisible(), c.horz);
        EXPECT_EQ(FullClient(w.grid), full);
        if (c.hMax < 0) continue;
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        ASSERT_TRUE(w.grid.GetScrollInfo(SB_HORZ, &si));
        EXPECT_EQ(w.grid.GetHScrollMax(), c.hMax);
        EXPECT_EQ(si.nMax, c.hMax);
        EXPECT_EQ(static_cast<int>(si.nPage), c.hPage);
        if (c.vert) {
            si.fMask = SIF_ALL;
            w.grid.GetScrollInfo(SB_VERT, &si);
            const int total = c.heights[1] + c.heights[2];
            EXPECT_EQ(si.nMax, total - 1);
            EXPECT_EQ(static_cast<int>(si.nPage),
                      full.cy - h0 - (c.horz ? GetSystemMetrics(SM_CYHSCROLL) : 0));
        }
    }
}

TEST(GridScrollBars, ComeBackAfterTheClientShrankToNothing) {
    WindowedGrid w(3, 3, 1, 1);
    SetSizes(w.grid, {100, 400, 400}, {60, 400, 400});
    ASSERT_TRUE(w.grid.IsVisibleHScroll());
    ASSERT_TRUE(w.grid.IsVisibleVScroll());
    // Not even the fixed cells fit: both bars go, and the record says so.
    w.grid.MoveWindow(0, 0, 90, 60);
    ASSERT_FALSE(ClientOf(w.grid).IsRectEmpty());
    EXPECT_FALSE(w.grid.IsVisibleHScroll());
    EXPECT_FALSE(w.grid.IsVisibleVScroll());
    EXPECT_FALSE(w.grid.IsScrollBarShown(SB_VERT));
    w.grid.MoveWindow(0, 0, 300, 200);
    EXPECT_TRUE(w.grid.IsVisibleHScroll());
    EXPECT_TRUE(w.grid.IsVisibleVScroll());
    EXPECT_TRUE(w.grid.IsScrollBarShown(SB_HORZ));
    EXPECT_TRUE(w.grid.GetQtScrollBar(SB_VERT)->isVisible());
}

TEST(GridScrollBars, EnableScrollBarsFollowsTheRecord) {
    // Without a window nothing resets the bars behind the test's back.
    TestGrid grid(2, 2);
    grid.EnableScrollBars(SB_BOTH, TRUE);
    EXPECT_TRUE(grid.IsVisibleHScroll());
    EXPECT_TRUE(grid.IsScrollBarShown(SB_VERT));
    grid.EnableScrollBars(SB_HORZ, FALSE);
    EXPECT_FALSE(grid.IsScrollBarShown(SB_HORZ));
    EXPECT_FALSE(grid.IsVisibleHScroll());
    EXPECT_TRUE(grid.IsVisibleVScroll());
}

// ---- hit tests, origins and rectangles on a windowless grid (no scrolling)

struct Hits : ::testing::Test {
    TestGrid grid{4, 4, 1, 1};
    void SetUp() override { SetSizes(grid, {30, 40, 50, 60}, {20, 25, 25, 25}); }
};

TEST_F(Hits, CellFromPointWithAndWithoutFixedCells) {
    const struct {
        Point p;
        BOOL allowFixed;
        CCellID expected;
    } cases[] = {
        {Point(0, 0), TRUE, CCellID(0, 0)},
        {Point(29, 19), TRUE, CCellID(0, 0)},
        {Point(30, 20), TRUE, CCellID(1, 1)},
        {Point(69, 44), TRUE, CCellID(1, 1)},
        {Point(70, 45), TRUE, CCellID(2, 2)},
        {Point(179, 94), TRUE, CCellID(3, 3)},
        {Point(180, 50), TRUE, CCellID(2, -1)}, // past the last column
        {Point(50, 95), TRUE, CCellID(-1, 1)},  // below the last row
        {Point(-1, 30), TRUE, CCellID(1, -1)},
        {Point(10, 50), FALSE, CCellID(2, -1)}, // fixed area, not permitted
        {Point(50, 10), FALSE, CCellID(-1, 1)},
        {Point(50, 30), FALSE, CCellID(1, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(grid.GetCellFromPt(c.p, c.allowFixed), c.expected) << c.p.x << "," << c.p.y;
}

TEST_F(Hits, DividersAnswerWithinThreePixels) {
    const struct {
        Point p;
        bool column, row;
    } cases[] = {
        {Point(67, 10), false, false}, // 3 short of column 1's right edge at 70
        {Point(68, 10), true, false},
        {Point(70, 10), true, false}, // column 2's left edge
        {Point(32, 10), true, false}, // 2 into column 1
        {Point(33, 10), false, false},
        {Point(1, 10), false, false},  // the left edge of column 0
                                       // never counts
        {Point(50, 30), false, false}, // below the fixed rows
        {Point(10, 43), false, true},
        {Point(10, 1), false, false},
        {Point(10, 22), false, true},
        {Point(10, 23), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(grid.MouseOverColumnResizeArea(c.p) != FALSE, c.column);
        EXPECT_EQ(grid.MouseOverRowResizeArea(c.p) != FALSE, c.row);
    }
}

TEST_F(Hits, RectanglesIncludeTheirRightAndBottomEdge) {
    Rect rect;
    ASSERT_TRUE(grid.GetCellRect(2, 2, &rect));
    EXPECT_EQ(rect, Rect(70, 45, 119, 69));
    ASSERT_TRUE(grid.GetCellRangeRect(CCellSpan(1, 1, 2, 3), &rect));
    EXPECT_EQ(rect, Rect(30, 20, 179, 69));
    EXPECT_FALSE(grid.GetCellRect(4, 0, &rect));
    EXPECT_FALSE(grid.GetCellRangeRect(CCellSpan(1, 1, 9, 9), &rect));
    EXPECT_EQ(grid.GetCellRange(), CCellSpan(0, 0, 3, 3));
    grid.GetCell(2, 2)->SetMargin(1);
    ASSERT_TRUE(grid.GetTextRect(2, 2, &rect));
    EXPECT_EQ(rect, Rect(70, 45, 119, 69)); // no image: the cell's own rectangle
}

TEST(GridValidity, CellsAndSpansInsideTheCounts) {
    TestGrid grid(3, 2);
    EXPECT_TRUE(grid.IsValid(2, 1));
    EXPECT_FALSE(grid.IsValid(3, 1));
    EXPECT_FALSE(grid.IsValid(-1, 0));
    EXPECT_TRUE(grid.IsValid(CCellSpan(0, 0, 2, 1)));
    EXPECT_FALSE(grid.IsValid(CCellSpan(1, 0, 0, 1)));
    EXPECT_FALSE(grid.IsValid(CCellSpan(0, 0, 3, 1)));
    EXPECT_FALSE(grid.IsValid(CCellSpan()));
    EXPECT_TRUE(CCellSpan(1, 1, 2, 2).InRange(CCellID(2, 1)));
    EXPECT_FALSE(CCellSpan(1, 1, 2, 2).InRange(0, 1));
}

// ---- scrolling

struct Scrolling : ::testing::Test {
    WindowedGrid w{4, 8, 1, 1};
    CGridCtrl& grid = w.grid;
    void SetUp() override {
        // Columns 2 and 3 hidden; far wider than the client.
        SetSizes(grid, {30, 50, 0, 0, 70, 80, 90, 100}, {20, 20, 20, 20});
        ASSERT_TRUE(grid.IsVisibleHScroll());
    }
    void Scroll(UINT code) { grid.SendMessage(WM_HSCROLL, MAKEWPARAM(code, 0)); }
};

TEST_F(Scrolling, LineRightMovesByTheFirstShownColumnSkippingHiddenOnes) {
    Scroll(SB_LINERIGHT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 50);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(1, 2));
    Scroll(SB_LINERIGHT); // from column 2 the hidden ones are skipped to column 4
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 120);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(1, 5));
    Scroll(SB_LINELEFT); // back past the hidden columns to column 4
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 50);
}

TEST_F(Scrolling, LineLeftAtTheStartDoesNothing) {
    Scroll(SB_LINELEFT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 0);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(1, 1));
}

TEST_F(Scrolling, AScrolledOutCellHasNoOriginItsFixedCellHas) {
    Scroll(SB_LINERIGHT);
    Point p;
    EXPECT_FALSE(grid.GetCellOrigin(2, 1, &p));
    ASSERT_TRUE(grid.GetCellOrigin(2, 0, &p));
    EXPECT_EQ(p, Point(0, 40));
    ASSERT_TRUE(grid.GetCellOrigin(0, 2, &p)); // the heading above the first shown column
    EXPECT_EQ(p, Point(30, 0));
    EXPECT_EQ(grid.GetCellFromPt(Point(35, 25)), CCellID(1, 4));
}

TEST_F(Scrolling, PagesHomeEndAndTheThumb) {
    const int page = ClientOf(grid).Width() - 30;
    const int max = grid.GetHScrollMax();
    SCROLLINFO si;
    si.fMask = SIF_PAGE;
    grid.GetScrollInfo(SB_HORZ, &si);
    const int lastPos = max - static_cast<int>(si.nPage) + 1;
    Scroll(SB_PAGERIGHT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), std::min(page, lastPos));
    Scroll(SB_PAGELEFT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 0);
    Scroll(SB_RIGHT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), lastPos);
    Scroll(SB_LEFT);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 0);
    // A thumb drag on the Qt bar arrives as a track position the grid takes.
    QScrollBar* bar = grid.GetQtScrollBar(SB_HORZ);
    bar->setSliderDown(true);
    bar->setSliderPosition(100);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 100);
    EXPECT_EQ(grid.GetTopleftNonFixedCell(), CCellID(1, 5));
    bar->setSliderDown(false);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 100);
    EXPECT_EQ(bar->value(), 100);
}

TEST_F(Scrolling, TheQtBarsButtonsScrollByAColumn) {
    QScrollBar* bar = grid.GetQtScrollBar(SB_HORZ);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.GetScrollPos32(SB_HORZ), 50);
    EXPECT_EQ(bar->value(), 50);
}

TEST_F(Scrolling, VisibleBlockStopsAtTheClientEdge) {
    Rect shown;
    const CCellSpan visible = grid.GetVisibleNonFixedCellRange(&shown);
    const Rect client = ClientOf(grid);
    EXPECT_EQ(visible.GetMinRow(), 1);
    EXPECT_EQ(visible.GetMinCol(), 1);
    EXPECT_EQ(visible.GetMaxRow(), 3);
    EXPECT_EQ(shown.bottom, 80);
    EXPECT_EQ(shown.right, client.right);
    // 30 + 50 + 0 + 0 + 70 + 80 + 90 = 320 pixels reach column 6.
    int right = 30;
    int lastCol = 1;
    for (int c = 1; c < 8 && right < client.right; ++c) {
        right += grid.GetColumnWidth(c);
        lastCol = c;
    }
    EXPECT_EQ(visible.GetMaxCol(), lastCol);
    const CCellSpan whole = grid.GetUnobstructedNonFixedCellRange();
    EXPECT_EQ(whole.GetMaxCol(), right > client.right ? lastCol - 1 : lastCol);
    EXPECT_EQ(whole.GetMaxRow(), 3);
}

} // namespace
