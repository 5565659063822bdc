// The report list as a window: where its rows and cells are, what a point
// hits, scrolling, row states and their notifications, painting.
#include "list_fixture.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

constexpr DWORD kOwnerDraw = LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;
constexpr UINT SF = LVIS_SELECTED | LVIS_FOCUSED;

TEST(ListControlTest, RowsAreMeasuredByTheOwnerAtCreationAndWithANewFont) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    EXPECT_EQ(f.list.measured, 1);
    EXPECT_EQ(f.list.GetRowHeight(), 16);
    f.list.rowHeight = 21;
    Font font(FontDesc{});
    f.list.SetFont(&font);
    EXPECT_EQ(f.list.measured, 2);
    f.Columns({100});
    f.Rows(2);
    Rect r;
    ASSERT_TRUE(f.list.GetItemRect(1, &r, LVIR_BOUNDS));
    EXPECT_EQ(r.Height(), 21);
    EXPECT_EQ(r.top, f.HeaderHeight() + 21);
}

// Columns 150, 120 and 100 wide in a 300 x 200 list of 30 rows, 16 pixels
// high; even rows indented once, odd rows twice; icons 16 wide.
class ListGeometryControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(f.active);
        ASSERT_TRUE(f.created);
        f.Columns({150, 120, 100});
        f.Rows(30, [](int r) { return 1 + r % 2; });
        h = f.HeaderHeight();
        ASSERT_GT(h, 0);
    }
    ListFixture f{kOwnerDraw, 300, 200};
    int h = 0;
};

TEST_F(ListGeometryControlTest, RowPartsAndCellsWhereverTheListIsScrolled) {
    struct Case {
        const char* name;
        Size scroll; // pixels right, rows down
        int row;
        int slot; // rows below the header band
        // x edges: bounds, icon, label, cell 1, cell 2
        int boundsL, boundsR, iconL, iconR, labelL, labelR, cell1L, cell1R, cell2L, cell2R;
    } cases[] = {
        {"indent 1", {0, 0}, 0, 0, 0, 370, 16, 32, 32, 150, 150, 270, 270, 370},
        {"indent 2", {0, 0}, 1, 1, 0, 370, 32, 48, 48, 150, 150, 270, 270, 370},
        {"scrolled 30 px", {30, 0}, 2, 2, -30, 340, -14, 2, 2, 120, 120, 240, 240, 340},
        {"scrolled 3 rows", {0, 3}, 4, 1, 0, 370, 16, 32, 32, 150, 150, 270, 270, 370},
        {"scrolled 3 rows, above the page",
         {0, 3},
         1,
         -2,
         0,
         370,
         32,
         48,
         48,
         150,
         150,
         270,
         270,
         370},
    };
    for (const auto& c : cases) {
        f.list.Scroll(c.scroll);
        const int top = h + c.slot * 16;
        Rect r;
        ASSERT_TRUE(f.list.GetItemRect(c.row, &r, LVIR_BOUNDS)) << c.name;
        EXPECT_EQ(r, Rect(c.boundsL, top, c.boundsR, top + 16)) << c.name;
        f.list.GetItemRect(c.row, &r, LVIR_ICON);
        EXPECT_EQ(r, Rect(c.iconL, top, c.iconR, top + 16)) << c.name;
        f.list.GetItemRect(c.row, &r, LVIR_LABEL);
        EXPECT_EQ(r, Rect(c.labelL, top, c.labelR, top + 16)) << c.name;
        f.list.GetSubItemRect(c.row, 0, LVIR_BOUNDS, r);
        EXPECT_EQ(r, Rect(c.boundsL, top, c.boundsR, top + 16)) << c.name << ": column 0";
        f.list.GetSubItemRect(c.row, 1, LVIR_BOUNDS, r);
        EXPECT_EQ(r, Rect(c.cell1L, top, c.cell1R, top + 16)) << c.name;
        f.list.GetSubItemRect(c.row, 2, LVIR_LABEL, r);
        EXPECT_EQ(r, Rect(c.cell2L, top, c.cell2R, top + 16)) << c.name;
        // The header's sections stay over their cells.
        Rect section;
        f.list.GetHeaderCtrl()->GetItemRect(1, &section);
        EXPECT_EQ(section.left, c.cell1L) << c.name;
        EXPECT_EQ(section.right, c.cell1R) << c.name;
        // Back to the start for the next case.
        f.list.Scroll(Size(-c.scroll.cx, -c.scroll.cy));
        EXPECT_EQ(f.list.GetTopIndex(), 0);
    }
}

TEST_F(ListGeometryControlTest, PagesScrollLimitsAndMakingRowsVisible) {
    Rect client;
    f.list.GetClientRect(&client);
    const int perPage = (client.Height() - h) / 16;
    EXPECT_EQ(f.list.GetCountPerPage(), perPage);
    // Scrolling stops at the last full page and at the right end of the columns.
    f.list.Scroll(Size(1000, 1000));
    EXPECT_EQ(f.list.GetTopIndex(), 30 - perPage);
    Rect r;
    f.list.GetItemRect(0, &r, LVIR_BOUNDS);
    EXPECT_EQ(r.right, client.right);
    f.list.Scroll(Size(-1000, -1000));
    EXPECT_EQ(f.list.GetTopIndex(), 0);

    EXPECT_TRUE(f.list.EnsureVisible(20, FALSE));
    EXPECT_EQ(f.list.GetTopIndex(), 20 - perPage + 1) << "the row becomes the page's last";
    EXPECT_TRUE(f.list.EnsureVisible(2, FALSE));
    EXPECT_EQ(f.list.GetTopIndex(), 2) << "the row becomes the page's first";
    EXPECT_TRUE(f.list.EnsureVisible(2 + perPage - 1, FALSE));
    EXPECT_EQ(f.list.GetTopIndex(), 2) << "shown: no scroll";
    EXPECT_FALSE(f.list.EnsureVisible(30, TRUE));
    EXPECT_FALSE(f.list.EnsureVisible(-1, TRUE));
    EXPECT_EQ(f.list.GetTopIndex(), 2);
}

TEST_F(ListGeometryControlTest, HitsWhenScrolled) {
    struct Case {
        const char* name;
        Size scroll;
        Point p; // y below the header band
        int row, column;
    } cases[] = {
        {"column 0", {0, 0}, {10, 5}, 0, 0},
        {"scrolled 30 px, column 1", {30, 0}, {125, 20}, 1, 1},
        {"scrolled 30 px, column 0 end", {30, 0}, {119, 20}, 1, 0},
        {"scrolled 3 rows", {0, 3}, {200, 33}, 5, 1},
    };
    for (const auto& c : cases) {
        f.list.Scroll(c.scroll);
        LVHITTESTINFO info;
        info.pt = Point(c.p.x, h + c.p.y);
        EXPECT_EQ(f.list.SubItemHitTest(&info), c.row) << c.name;
        EXPECT_EQ(info.iItem, c.row) << c.name;
        EXPECT_EQ(info.iSubItem, c.column) << c.name;
        EXPECT_EQ(info.flags, LVHT_ONITEM) << c.name;
        f.list.Scroll(Size(-c.scroll.cx, -c.scroll.cy));
    }
}

TEST(ListControlTest, HitsPerColumnAndAroundTheRows) {
    // Five rows in columns 100, 80 and 60 wide: the rows end above the
    // bottom and the columns left of the right edge.
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80, 60});
    f.Rows(5);
    const int h = f.HeaderHeight();
    ASSERT_GT(h, 0);
    struct Case {
        const char* name;
        Point p;
        UINT flags;
        int row, column;
    } cases[] = {
        {"column 0", {50, h + 8}, LVHT_ONITEM, 0, 0},
        {"column 0, in the indent", {3, h + 8}, LVHT_ONITEM, 0, 0},
        {"column 1", {150, h + 24}, LVHT_ONITEM, 1, 1},
        {"column 2, last pixel", {239, h + 79}, LVHT_ONITEM, 4, 2},
        {"header band", {50, h - 1}, LVHT_NOWHERE, -1, -1},
        {"below the rows", {50, h + 80}, LVHT_NOWHERE, -1, -1},
        {"right of the columns", {240, h + 8}, LVHT_NOWHERE, -1, -1},
        {"above the client", {50, -1}, LVHT_ABOVE, -1, -1},
        {"left of the client", {-1, h + 8}, LVHT_TOLEFT, -1, -1},
    };
    for (const auto& c : cases) {
        LVHITTESTINFO info;
        info.pt = c.p;
        EXPECT_EQ(f.list.SubItemHitTest(&info), c.row) << c.name;
        EXPECT_EQ(info.flags, c.flags) << c.name;
        EXPECT_EQ(info.iItem, c.row) << c.name;
        EXPECT_EQ(info.iSubItem, c.column) << c.name;
    }
}

TEST(ListControlTest, BadRowsAndColumnsAnswerFalseMinusOneOrEmpty) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(3);
    f.Forget();
    LVCOLUMN col;
    col.mask = LVCF_WIDTH;
    EXPECT_TRUE(f.list.GetColumn(1, &col));
    EXPECT_EQ(col.cx, 80);
    EXPECT_FALSE(f.list.GetColumn(2, &col));
    EXPECT_FALSE(f.list.GetColumn(-1, &col));
    EXPECT_EQ(f.list.GetColumnWidth(2), 0);
    for (int row : {-1, 3}) {
        EXPECT_EQ(f.list.GetItemText(row, 0), "") << row;
        EXPECT_FALSE(f.list.SetItemText(row, 0, "x")) << row;
        EXPECT_FALSE(f.list.DeleteItem(row)) << row;
        EXPECT_FALSE(f.list.SetItemData(row, 5)) << row;
        EXPECT_EQ(f.list.GetItemData(row), 0u) << row;
        EXPECT_FALSE(f.list.EnsureVisible(row, FALSE)) << row;
        Rect r(1, 2, 3, 4);
        EXPECT_FALSE(f.list.GetItemRect(row, &r, LVIR_BOUNDS)) << row;
        EXPECT_EQ(r, Rect(1, 2, 3, 4)) << row;
    }
    EXPECT_FALSE(f.list.SetItemState(3, SF, SF));
    EXPECT_EQ(f.list.GetItemText(0, 2), "");
    EXPECT_FALSE(f.list.SetItemText(0, 2, "x"));
    Rect r;
    EXPECT_FALSE(f.list.GetSubItemRect(0, 2, LVIR_BOUNDS, r));
    EXPECT_FALSE(f.list.GetItemRect(0, &r, 7));

    // Texts are cut at the caller's buffer and terminated.
    char buffer[3] = {'x', 'x', 'x'};
    EXPECT_EQ(f.list.GetItemText(1, 1, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "r1");
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = 2;
    item.iSubItem = 1;
    char small[2] = {'x', 'x'};
    item.pszText = small;
    item.cchTextMax = sizeof small;
    EXPECT_TRUE(f.list.GetItem(&item));
    EXPECT_STREQ(small, "r");
    EXPECT_EQ(f.list.GetItemCount(), 3);
    EXPECT_TRUE(f.owner.notices.empty());
}

TEST(ListControlTest, ItemFieldsAndPointerSizedData) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    int anchor = 0;
    const LPARAM data = reinterpret_cast<LPARAM>(&anchor);
    const int row =
        f.list.InsertItem(LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE, 5, "only", 0, 0, 3, data);
    EXPECT_EQ(row, 0) << "past the end appends";
    LVITEM item;
    item.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE;
    item.stateMask = 0xFFFF;
    item.iItem = 0;
    ASSERT_TRUE(f.list.GetItem(&item));
    EXPECT_EQ(item.lParam, data);
    EXPECT_EQ(reinterpret_cast<int*>(f.list.GetItemData(0)), &anchor);
    EXPECT_EQ(item.iImage, 3);
    EXPECT_EQ(item.iIndent, 0);
    EXPECT_EQ(item.state, 0u);
    EXPECT_TRUE(f.list.SetItem(0, 0, LVIF_INDENT, nullptr, 0, 0, 0, 0, 2));
    EXPECT_EQ(f.list.GetItemText(0, 0), "only");
    item.mask = LVIF_INDENT;
    f.list.GetItem(&item);
    EXPECT_EQ(item.iIndent, 2);
    EXPECT_FALSE(f.list.GetCheck(0));
    EXPECT_TRUE(f.list.SetCheck(0, TRUE));
    EXPECT_TRUE(f.list.GetCheck(0));
}

TEST(ListControlTest, StatesAndTheirNotifications) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100});
    f.Rows(6);
    f.Forget();

    // Row -1 selects every row; each one is reported with its old and new state.
    EXPECT_TRUE(f.list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(f.list.GetSelectedCount(), 6u);
    ASSERT_EQ(f.owner.Changes().size(), 6u);
    EXPECT_EQ(f.owner.Changes()[5].item, 5);
    EXPECT_EQ(f.owner.Changes()[5].oldState, 0u);
    EXPECT_EQ(f.owner.Changes()[5].newState, LVIS_SELECTED);
    f.list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(f.list.GetSelectedCount(), 0u);

    // The focus moves: one row holds it.
    f.list.SetItemState(1, SF, SF);
    f.Forget();
    f.list.SetItemState(4, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_FOCUSED), 4);
    EXPECT_EQ(f.list.GetItemState(1, SF), LVIS_SELECTED);
    const auto changes = f.owner.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].item, 1);
    EXPECT_EQ(changes[0].newState, LVIS_SELECTED);
    EXPECT_EQ(changes[1].item, 4);
    EXPECT_EQ(changes[1].newState, LVIS_FOCUSED);

    // The same state again: nothing to report.
    f.Forget();
    f.list.SetItemState(4, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(f.owner.notices.empty());

    struct Case {
        int start;
        int flags;
        int expected;
    } next[] = {{-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, -1}, {2, LVNI_ALL, 3},
                {5, LVNI_ALL, -1},      {6, LVNI_ALL, -1},      {-1, LVNI_FOCUSED, 4}};
    for (const auto& c : next)
        EXPECT_EQ(f.list.GetNextItem(c.start, c.flags), c.expected) << c.start << "/" << c.flags;
}

TEST(ListControlTest, InvalidatingOneRowDrawsThatRowOnly) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(8);
    f.list.UpdateWindow();
    f.Forget();
    Rect r;
    ASSERT_TRUE(f.list.GetItemRect(5, &r, LVIR_BOUNDS));
    f.list.InvalidateRect(&r, TRUE);
    f.list.UpdateWindow();
    EXPECT_EQ(f.list.drawn, std::vector<int>{5});
}

TEST(ListControlTest, DrawItemHearsSelectionAndFocus) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100});
    f.Rows(3);
    f.list.SetFocus();
    f.list.SetItemState(1, SF, SF);
    f.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    f.Forget();
    f.list.Invalidate();
    f.list.UpdateWindow();
    ASSERT_EQ(f.list.drawn, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.list.drawnStates, (std::vector<UINT>{0, ODS_SELECTED | ODS_FOCUS, ODS_SELECTED}));
}

TEST(ListControlTest, GridLinesAreDrawnOverTheRows) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(4);
    const int h = f.HeaderHeight();
    const QRgb red = qRgb(255, 0, 0);
    const QRgb grid = ToQColor(GetSysColor(COLOR_BTNFACE)).rgb();
    ASSERT_NE(red, grid);
    struct Probe {
        const char* name;
        QPoint p;
        bool gridLines;
        QRgb expected;
    } probes[] = {
        {"inside row 1", {50, h + 20}, true, red},
        {"foot of row 1", {50, h + 31}, true, grid},
        {"right edge of column 0", {99, h + 20}, true, grid},
        {"right edge of column 1", {179, h + 20}, true, grid},
        {"foot of row 1, no grid", {50, h + 31}, false, red},
        {"column edge, no grid", {99, h + 20}, false, red},
    };
    for (const auto& c : probes) {
        f.list.SetExtendedStyle(c.gridLines ? LVS_EX_GRIDLINES : 0);
        f.list.Invalidate();
        f.list.UpdateWindow();
        const QImage shown = f.Client()->grab().toImage();
        EXPECT_EQ(shown.pixel(c.p), c.expected) << c.name;
    }
}

TEST(ListControlTest, TextRowsShowTheirSelection) {
    // A text list: the selected row is lit over its label, or over the whole
    // row with full-row selection.
    ListFixture f(LVS_REPORT | LVS_SHOWSELALWAYS, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(3, [](int) { return 0; });
    f.list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Rect label, cell;
    f.list.GetItemRect(1, &label, LVIR_LABEL);
    f.list.GetSubItemRect(1, 1, LVIR_BOUNDS, cell);
    const QRgb lit = ToQColor(GetSysColor(COLOR_HIGHLIGHT)).rgb();
    const QRgb window = ToQColor(GetSysColor(COLOR_WINDOW)).rgb();
    ASSERT_NE(lit, window);
    struct Probe {
        const char* name;
        DWORD exStyle;
        Point p;
        QRgb expected;
    } probes[] = {
        {"label end", 0, {label.right - 1, label.bottom - 1}, lit},
        {"cell 1", 0, {cell.right - 1, cell.bottom - 1}, window},
        {"cell 1, full row", LVS_EX_FULLROWSELECT, {cell.right - 1, cell.bottom - 1}, lit},
        {"row 0", LVS_EX_FULLROWSELECT, {label.right - 1, label.top - 1}, window},
    };
    for (const auto& c : probes) {
        f.list.SetExtendedStyle(c.exStyle);
        f.list.Invalidate();
        f.list.UpdateWindow();
        const QImage shown = f.Client()->grab().toImage();
        EXPECT_EQ(shown.pixel(c.p.ToQPoint()), c.expected) << c.name;
    }
}

TEST(ListControlTest, AnotherObjectTakesTheWindowOverWithItsRowsAndHeader) {
    // As a dialog's member list binds the dialog's list window.
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(30);
    const int h = f.HeaderHeight();
    TestList taker;
    ASSERT_TRUE(taker.SubclassWindow(&f.list));
    EXPECT_FALSE(f.list.IsWindow());
    EXPECT_EQ(taker.GetItemCount(), 30);
    EXPECT_EQ(taker.GetItemText(3, 1), "r3.1");
    EXPECT_EQ(taker.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(taker.GetRowHeight(), 16);
    Rect r;
    ASSERT_TRUE(taker.GetItemRect(1, &r, LVIR_BOUNDS));
    EXPECT_EQ(r, Rect(0, h + 16, 180, h + 32));

    // The bars, the paints and the notifications follow the window.
    auto* area = qobject_cast<QAbstractScrollArea*>(taker.GetWidget());
    ASSERT_NE(area, nullptr);
    area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(taker.vscrollCodes, std::vector<UINT>{SB_LINEDOWN});
    EXPECT_TRUE(f.list.vscrollCodes.empty());
    EXPECT_EQ(taker.GetTopIndex(), 1);
    f.Forget();
    taker.Invalidate();
    taker.UpdateWindow();
    EXPECT_FALSE(taker.drawn.empty());
    EXPECT_TRUE(f.list.drawn.empty());
    taker.SetItemState(2, SF, SF);
    ASSERT_EQ(f.owner.Changes().size(), 1u);
    EXPECT_EQ(f.owner.Changes()[0].item, 2);
}

TEST(ListControlTest, BarsAndWheelReachOnVScroll) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100});
    f.Rows(40);
    auto* area = qobject_cast<QAbstractScrollArea*>(f.list.GetWidget());
    ASSERT_NE(area, nullptr);
    QScrollBar* bar = area->verticalScrollBar();

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.list.vscrollCodes, std::vector<UINT>{SB_LINEDOWN});
    EXPECT_EQ(f.list.GetTopIndex(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f.list.GetTopIndex(), 1 + f.list.GetCountPerPage());

    // A handler that does not call the default keeps the list where it is.
    f.list.scrollDefault = false;
    f.list.vscrollCodes.clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(f.list.vscrollCodes, std::vector<UINT>{SB_LINEUP});
    EXPECT_EQ(f.list.GetTopIndex(), 1 + f.list.GetCountPerPage());
    EXPECT_EQ(bar->value(), f.list.GetTopIndex());

    // One notch down: the application's wheel lines, each a line down.
    f.list.scrollDefault = true;
    f.list.Scroll(Size(0, -100));
    f.list.vscrollCodes.clear();
    const QPoint at(50, 50);
    QWheelEvent wheel(at, f.Client()->mapToGlobal(at), QPoint(), QPoint(0, -WHEEL_DELTA),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.Client(), &wheel);
    const int lines = QApplication::wheelScrollLines();
    EXPECT_EQ(f.list.vscrollCodes, std::vector<UINT>(lines, SB_LINEDOWN));
    EXPECT_EQ(f.list.GetTopIndex(), lines);
}

} // namespace
} // namespace platform_test
