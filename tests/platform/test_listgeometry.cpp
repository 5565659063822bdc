#include "controls/listgeometry.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A 400 x 200 client, a 20 pixel header band, 16 pixel rows and icons, three
// columns 100, 80 and 60 wide, ten rows.
ListGeometry Layout(int scrollX = 0, int topIndex = 0) {
    ListGeometry g;
    g.client = {400, 200};
    g.headerHeight = 20;
    g.rowHeight = 16;
    g.iconWidth = 16;
    g.rowCount = 10;
    g.columnWidths = {100, 80, 60};
    g.scrollX = scrollX;
    g.topIndex = topIndex;
    return g;
}

TEST(ListGeometryTest, RowPartsAndCells) {
    struct Case {
        const char* name;
        int scrollX, topIndex, row, indent;
        Rect bounds, icon, label, cell1, cell2;
    } cases[] = {
        {"indent 1",
         0,
         0,
         0,
         1,
         {0, 20, 240, 36},
         {16, 20, 32, 36},
         {32, 20, 100, 36},
         {100, 20, 180, 36},
         {180, 20, 240, 36}},
        {"indent 2",
         0,
         0,
         2,
         2,
         {0, 52, 240, 68},
         {32, 52, 48, 68},
         {48, 52, 100, 68},
         {100, 52, 180, 68},
         {180, 52, 240, 68}},
        {"scrolled 30 px",
         30,
         0,
         1,
         1,
         {-30, 36, 210, 52},
         {-14, 36, 2, 52},
         {2, 36, 70, 52},
         {70, 36, 150, 52},
         {150, 36, 210, 52}},
        {"scrolled 3 rows",
         0,
         3,
         4,
         1,
         {0, 36, 240, 52},
         {16, 36, 32, 52},
         {32, 36, 100, 52},
         {100, 36, 180, 52},
         {180, 36, 240, 52}},
        {"above the top row",
         0,
         3,
         1,
         2,
         {0, -12, 240, 4},
         {32, -12, 48, 4},
         {48, -12, 100, 4},
         {100, -12, 180, 4},
         {180, -12, 240, 4}},
    };
    for (const auto& c : cases) {
        const ListGeometry g = Layout(c.scrollX, c.topIndex);
        Rect r;
        ASSERT_TRUE(g.ItemRect(c.row, c.indent, LVIR_BOUNDS, &r)) << c.name;
        EXPECT_EQ(r, c.bounds) << c.name;
        g.ItemRect(c.row, c.indent, LVIR_ICON, &r);
        EXPECT_EQ(r, c.icon) << c.name;
        g.ItemRect(c.row, c.indent, LVIR_LABEL, &r);
        EXPECT_EQ(r, c.label) << c.name;
        // Column 0 of a sub-item rectangle is the row itself.
        g.SubItemRect(c.row, 0, c.indent, LVIR_BOUNDS, &r);
        EXPECT_EQ(r, c.bounds) << c.name;
        g.SubItemRect(c.row, 1, c.indent, LVIR_BOUNDS, &r);
        EXPECT_EQ(r, c.cell1) << c.name;
        g.SubItemRect(c.row, 2, c.indent, LVIR_LABEL, &r);
        EXPECT_EQ(r, c.cell2) << c.name;
    }
}

TEST(ListGeometryTest, BadRowsColumnsAndCodesLeaveTheRectangle) {
    const ListGeometry g = Layout();
    const Rect untouched(1, 2, 3, 4);
    struct Case {
        int row, column, code;
    } cases[] = {{-1, 0, LVIR_BOUNDS},
                 {10, 0, LVIR_BOUNDS},
                 {0, 3, LVIR_BOUNDS},
                 {0, -1, LVIR_BOUNDS},
                 {0, 0, 4},
                 {0, 1, -1}};
    for (const auto& c : cases) {
        Rect r = untouched;
        EXPECT_FALSE(g.SubItemRect(c.row, c.column, 1, c.code, &r))
            << c.row << "," << c.column << "," << c.code;
        EXPECT_EQ(r, untouched);
    }
}

TEST(ListGeometryTest, HitsPerColumnAndAroundTheRows) {
    struct Case {
        const char* name;
        int scrollX, topIndex;
        Point p;
        bool ownerDraw;
        unsigned flags;
        int row, column;
    } cases[] = {
        {"owner-draw label", 0, 0, {50, 25}, true, LVHT_ONITEM, 0, 0},
        {"owner-draw indent", 0, 0, {5, 25}, true, LVHT_ONITEM, 0, 0},
        {"owner-draw column 1", 0, 0, {120, 40}, true, LVHT_ONITEM, 1, 1},
        {"owner-draw column 2 last pixel", 0, 0, {239, 179}, true, LVHT_ONITEM, 9, 2},
        {"text icon", 0, 0, {20, 25}, false, LVHT_ONITEMICON, 0, 0},
        {"text label", 0, 0, {99, 25}, false, LVHT_ONITEMLABEL, 0, 0},
        {"text indent", 0, 0, {5, 25}, false, LVHT_NOWHERE, -1, -1},
        {"text column 2", 0, 0, {200, 25}, false, LVHT_ONITEMLABEL, 0, 2},
        {"header band", 0, 0, {50, 19}, true, LVHT_NOWHERE, -1, -1},
        {"below the rows", 0, 0, {50, 180}, true, LVHT_NOWHERE, -1, -1},
        {"right of the columns", 0, 0, {240, 25}, true, LVHT_NOWHERE, -1, -1},
        {"above the client", 0, 0, {50, -1}, true, LVHT_ABOVE, -1, -1},
        {"below the client", 0, 0, {50, 200}, true, LVHT_BELOW, -1, -1},
        {"left of the client", 0, 0, {-1, 25}, true, LVHT_TOLEFT, -1, -1},
        {"right of the client", 0, 0, {400, 25}, true, LVHT_TORIGHT, -1, -1},
        {"scrolled 30 px", 30, 0, {75, 25}, true, LVHT_ONITEM, 0, 1},
        {"scrolled 30 px, column 0 end", 30, 0, {69, 25}, true, LVHT_ONITEM, 0, 0},
        {"scrolled 3 rows", 0, 3, {50, 25}, true, LVHT_ONITEM, 3, 0},
        {"scrolled 3 rows, below", 0, 3, {50, 132}, true, LVHT_NOWHERE, -1, -1},
    };
    for (const auto& c : cases) {
        const ListGeometry g = Layout(c.scrollX, c.topIndex);
        const ListHit hit = g.HitTest(c.p, c.ownerDraw, [](int) { return 1; });
        EXPECT_EQ(hit.flags, c.flags) << c.name;
        EXPECT_EQ(hit.row, c.row) << c.name;
        EXPECT_EQ(hit.column, c.column) << c.name;
    }
}

TEST(ListGeometryTest, PagesAndScrollLimits) {
    ListGeometry g = Layout();
    g.rowCount = 30;
    EXPECT_EQ(g.CountPerPage(), 11) << "180 pixels of rows hold 11 whole rows";
    EXPECT_EQ(g.MaxTopIndex(), 19);
    EXPECT_EQ(g.MaxScrollX(), 0);
    g.client.cx = 200;
    EXPECT_EQ(g.MaxScrollX(), 40);
    g.rowCount = 5;
    EXPECT_EQ(g.MaxTopIndex(), 0);
}

TEST(ListGeometryTest, MakingARowVisible) {
    struct Case {
        const char* name;
        int topIndex, row;
        bool partialOk;
        int expected;
    } cases[] = {
        {"shown", 0, 5, false, 0},
        {"last whole row", 0, 10, false, 0},
        {"in part, partial allowed", 0, 11, true, 0},
        {"in part, whole wanted", 0, 11, false, 1},
        {"far below", 0, 20, false, 10},
        {"last row", 0, 29, true, 19},
        {"above", 10, 3, false, 3},
        {"bad row", 0, 30, true, -1},
        {"negative row", 0, -1, true, -1},
    };
    for (const auto& c : cases) {
        ListGeometry g = Layout(0, c.topIndex);
        g.rowCount = 30;
        EXPECT_EQ(g.TopIndexShowing(c.row, c.partialOk), c.expected) << c.name;
    }
}

} // namespace
