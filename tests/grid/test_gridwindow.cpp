// The grid window: starting values, creation, notifications to the owner,
// the background fill, dialog codes, system colours, capture and the timer,
// and the cells the owner supplies in virtual mode.
#include "gridfixture.h"

#include "gridctrl.h"

#include "window/cursor.h"
#include "base/keys.h"
#include "draw/syscolors.h"
#include "base/trace.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;
using grid_test::FakeOwner;
using grid_test::OwnerRecord;
using grid_test::Paint;
using grid_test::PixelAt;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

TEST(GridWindow, StartsWithItsCountsColoursAndOptions) {
    TestGrid grid(4, 3, 1, 2);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 2);
    // The count setters ran, and each marks the grid modified.
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(grid.GetGridBkColor(), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(grid.GetGridLineColor(), RGB(192, 192, 192));
    EXPECT_EQ(grid.GetGridLines(), GVL_BOTH);
    EXPECT_EQ(grid.GetRowsPerWheelNotch(), QApplication::wheelScrollLines());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(grid.GetSortColumn(), -1);
    const CGridDefaultCell* plain = grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(plain->GetTextClr(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(plain->GetBackClr(), GetSysColor(COLOR_WINDOW));
    for (auto [fixedRow, fixedCol] : {std::pair{TRUE, FALSE}, {FALSE, TRUE}, {TRUE, TRUE}}) {
        EXPECT_EQ(grid.GetDefaultCell(fixedRow, fixedCol)->GetBackClr(), GetSysColor(COLOR_3DFACE));
        EXPECT_EQ(grid.GetDefaultCell(fixedRow, fixedCol)->GetGrid(), &grid);
    }
    EXPECT_EQ(grid.GetCell(0, 0)->GetState(), CELL_FIXED | CELL_FIXEDROW | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetCell(1, 1)->GetState(), CELL_FIXED | CELL_FIXEDCOL);
    EXPECT_EQ(grid.GetCell(0, 2)->GetState(), CELL_FIXED | CELL_FIXEDROW);
    EXPECT_EQ(grid.GetCell(3, 2)->GetState(), 0u);
}

TEST(GridWindow, EmptyGridModifiedFlagStartsFalse) {
    TestGrid grid;
    EXPECT_FALSE(grid.GetModified());
    EXPECT_EQ(grid.GetItemData(0, 0), 0);
}

TEST(GridWindow, CreateSizesEveryRowAndColumnFromThePlainDefaultCell) {
    WindowedGrid w(3, 2, 1, 1);
    ASSERT_TRUE(w.owner.IsActive());
    ASSERT_TRUE(w.grid.IsWindow());
    const CGridDefaultCell* plain = w.grid.GetDefaultCell(FALSE, FALSE);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(w.grid.GetRowHeight(r), plain->GetHeight());
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(w.grid.GetColumnWidth(c), plain->GetWidth());
    EXPECT_TRUE(w.grid.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(w.grid.GetDlgCtrlID(), 1000);
}

TEST(GridWindow, NotificationsReachTheOwnerWithTheirRecords) {
    WindowedGrid w(3, 3);
    w.owner.answers[static_cast<int>(NM_CLICK)] = 17;
    EXPECT_EQ(w.grid.SendMessageToParent(2, 1, static_cast<int>(NM_CLICK)), 17);
    EXPECT_EQ(w.grid.SendMessageToParent(-1, -1, static_cast<int>(GRIDN_SELRESET)), 0);
    NMGRIDITEM item;
    item.item.row = 1;
    item.item.col = 2;
    item.item.lParam = 27;
    item.item.strText = "typed";
    w.grid.SendDisplayRequestToParent(&item);
    EXPECT_EQ(item.hdr.hwndFrom, &w.grid);
    EXPECT_EQ(item.hdr.code, LVN_GETDISPINFO);
    w.grid.SendCacheHintToParent(CCellSpan(1, 2, 3, 4));
    w.grid.GetCell(1, 1)->SendMessageToParent(1, 0, static_cast<int>(NM_DBLCLK));

    const std::vector<OwnerRecord>& records = w.owner.Records();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].code, -2);
    EXPECT_EQ(records[0].id, 1000);
    EXPECT_EQ(records[0].row, 2);
    EXPECT_EQ(records[0].col, 1);
    EXPECT_EQ(records[1].code, 1027);
    EXPECT_EQ(records[1].row, -1);
    EXPECT_EQ(records[2].code, -150);
    EXPECT_EQ(records[2].text, "typed");
    EXPECT_EQ(records[2].lParam, 27);
    EXPECT_EQ(records[3].code, -113);
    EXPECT_EQ(records[3].range, CCellSpan(1, 2, 3, 4));
    EXPECT_EQ(records[4].code, -3);
    EXPECT_EQ(records[4].row, 1);
    EXPECT_EQ(records[4].col, 0);
}

TEST(GridWindow, NothingIsSentWithoutAWindowOrAnOwner) {
    FakeOwner owner;
    TestGrid windowless(3, 3, 1, 1);
    windowless.SetOwner(&owner);
    NMGRIDITEM item;
    EXPECT_EQ(windowless.SendMessageToParent(1, 1, static_cast<int>(NM_CLICK)), 0);
    EXPECT_EQ(windowless.SendDisplayRequestToParent(&item), 0);
    EXPECT_EQ(windowless.SendCacheHintToParent(CCellSpan()), 0);
    windowless.ResetSelectedRange();
    EXPECT_TRUE(owner.Records().empty());

    // A top-level grid has no owner.
    TestGrid alone(2, 2);
    ASSERT_TRUE(alone.Window::Create(WS_OVERLAPPED, Rect(0, 0, 100, 100), nullptr, 5));
    EXPECT_EQ(alone.SendMessageToParent(1, 1, static_cast<int>(NM_CLICK)), 0);
}

TEST(GridWindow, AnEmptyGridPaintsOnlyTheGridBackground) {
    WindowedGrid w;
    ASSERT_TRUE(w.grid.IsWindow());
    Rect client;
    w.grid.GetClientRect(&client);
    const QImage image = Paint(w.grid);
    ASSERT_FALSE(image.isNull());
    const COLORREF back = GetSysColor(COLOR_3DSHADOW);
    for (Point p : {Point(0, 0), Point(client.right - 1, client.bottom - 1),
                    Point(client.right / 2, client.bottom / 2)})
        EXPECT_EQ(PixelAt(image, p.x, p.y), back) << p.x << "," << p.y;
}

TEST(GridWindow, BackgroundFillsHeadingsCellsAndTheRest) {
    WindowedGrid w(3, 3, 1, 1);
    w.grid.SetRowHeight(0, 20);
    w.grid.SetColumnWidth(0, 30);
    for (int i = 1; i < 3; ++i) {
        w.grid.SetRowHeight(i, 25);
        w.grid.SetColumnWidth(i, 40);
    }
    const QImage image = Paint(w.grid);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF back = GetSysColor(COLOR_3DSHADOW);
    const struct {
        Point at;
        COLORREF colour;
    } cases[] = {
        {Point(5, 5), face},                              // the corner
        {Point(5, 40), face},                             // fixed column
        {Point(60, 5), face},                             // fixed row
        {Point(60, 40), window},                          // the cells
        {Point(108, 68), window}, {Point(110, 40), back}, // right of the last column
        {Point(60, 70), back},                            // below the last row
    };
    for (const auto& c : cases)
        EXPECT_EQ(PixelAt(image, c.at.x, c.at.y), c.colour) << c.at.x << "," << c.at.y;
    // Drawn straight into the window the picture is the same.
    w.grid.SetDoubleBuffering(FALSE);
    EXPECT_EQ(Paint(w.grid), image);
}

TEST(GridWindow, DialogCodeWantsTabOnlyWithoutCtrl) {
    WindowedGrid w(2, 2);
    ResetInputState();
    EXPECT_EQ(w.grid.SendMessage(WM_GETDLGCODE), 0x83);
    QWidget* widget = w.grid.GetWidget();
    QTest::keyPress(widget, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(w.grid.SendMessage(WM_GETDLGCODE), 0x81);
    QTest::keyRelease(widget, Qt::Key_Control);
    EXPECT_EQ(w.grid.SendMessage(WM_GETDLGCODE), 0x83);
    w.grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(w.grid.SendMessage(WM_GETDLGCODE), 0x81);
}

// Changes the application palette for the test's length; the change
// reaches the windows as a posted event.
struct PaletteChange {
    QPalette saved = QApplication::palette();
    explicit PaletteChange(QPalette::ColorRole role, const QColor& colour) {
        QPalette changed = saved;
        changed.setColor(role, colour);
        QApplication::setPalette(changed);
        QApplication::processEvents();
    }
    ~PaletteChange() {
        QApplication::setPalette(saved);
        QApplication::processEvents();
    }
};

TEST(GridWindow, AnApplicationColourSurvivesAPaletteChangeASystemOneFollows) {
    WindowedGrid w(2, 2, 1, 1);
    CGridDefaultCell* plain = w.grid.GetDefaultCell(FALSE, FALSE);
    CGridDefaultCell* heading = w.grid.GetDefaultCell(TRUE, FALSE);
    plain->SetTextClr(RGB(1, 2, 3));
    heading->SetBackClr(RGB(4, 5, 6));
    const COLORREF oldText = GetSysColor(COLOR_WINDOWTEXT);
    {
        PaletteChange base(QPalette::Base, QColor(10, 20, 30));
        PaletteChange text(QPalette::Text, QColor(40, 50, 60));
        EXPECT_EQ(plain->GetBackClr(), RGB(10, 20, 30));
        EXPECT_EQ(plain->GetTextClr(), RGB(1, 2, 3));
        EXPECT_EQ(heading->GetTextClr(), RGB(40, 50, 60));
        EXPECT_EQ(heading->GetBackClr(), RGB(4, 5, 6));
    }
    EXPECT_EQ(heading->GetTextClr(), oldText);
}

TEST(GridWindow, TimerOfAnotherIdChangesNothing) {
    TakeTraces();
    WindowedGrid w(3, 3, 1, 1);
    w.grid.SendMessage(WM_TIMER, 99);
    EXPECT_EQ(FailedAssertionCount(), 1);
    TakeTraces();
}

TEST(GridWindow, TheSelectionTimerExtendsTheSelectionTowardsTheCursor) {
    WindowedGrid w(30, 3, 1, 1);
    for (int c = 0; c < 3; ++c)
        w.grid.SetColumnWidth(c, 40);
    for (int r = 0; r < 30; ++r)
        w.grid.SetRowHeight(r, 20);
    Rect client;
    w.grid.GetClientRect(&client);
    const struct {
        const char* name;
        Point cursor;          // client coordinates
        std::vector<Point> at; // where the selection is extended to
    } cases[] = {
        {"below", Point(60, client.bottom + 50), {Point(60, client.bottom)}},
        {"above the cells", Point(60, 2), {Point(60, 21)}},
        {"right and below",
         Point(client.right + 9, client.bottom + 9),
         {Point(client.right, client.bottom), Point(client.right, client.bottom)}},
        {"left of the cells", Point(2, 30), {Point(41, 30)}},
        {"inside", Point(60, 40), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point screen = c.cursor;
        w.grid.ClientToScreen(&screen);
        SetCursorPosSource([screen] { return screen; });
        w.grid.selecting.clear();
        w.grid.SendMessage(WM_TIMER, CGridCtrl::kSelectionTimerId);
        SetCursorPosSource({});
        std::vector<CCellID> expected;
        for (Point p : c.at)
            expected.push_back(w.grid.GetCellFromPt(p));
        EXPECT_EQ(w.grid.selecting, expected);
    }
}

TEST(GridWindow, CaptureLossEndsTheTimerAndADragButNotForItself) {
    WindowedGrid w(3, 3);
    w.grid.SetTimer(CGridCtrl::kSelectionTimerId, 25);
    w.grid.SetMouseMode(CGridCtrl::MOUSE_DRAGGING);
    // Reach the timer id the way the mouse handling stores it.
    w.grid.SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(&w.grid));
    EXPECT_EQ(w.grid.GetMouseMode(), CGridCtrl::MOUSE_DRAGGING);
    w.grid.SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(&w.owner));
    EXPECT_EQ(w.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

TEST(GridVirtualMode, TheOwnerFillsEachCellFromTheDefaultCell) {
    WindowedGrid w;
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(3);
    w.grid.SetColumnCount(3);
    w.grid.SetFixedRowCount(1);
    w.grid.SetFixedColumnCount(1);
    EXPECT_EQ(w.grid.created, 0);
    w.owner.display[{1, 2}] = {"one-two", 4, true};
    w.owner.ClearRecords();

    EXPECT_EQ(w.grid.GetItemText(1, 2), "one-two");
    EXPECT_EQ(w.grid.GetItemImage(1, 2), 4);
    EXPECT_EQ(w.grid.GetItemImage(2, 2), -1);
    EXPECT_EQ(w.grid.GetItemState(0, 0), CELL_FIXED | CELL_FIXEDROW | CELL_FIXEDCOL);
    EXPECT_EQ(w.grid.GetItemFormat(1, 1), w.grid.GetDefaultCell(FALSE, FALSE)->GetFormat());
    const auto requests = w.owner.RecordsOf(static_cast<int>(LVN_GETDISPINFO));
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].row, 1);
    EXPECT_EQ(requests[0].col, 2);

    // Setters refuse; the selection map still follows the state.
    EXPECT_FALSE(w.grid.SetItemText(1, 1, "x"));
    EXPECT_FALSE(w.grid.SetItemState(1, 1, CELL_SELECTED));
    EXPECT_TRUE(w.grid.IsCellSelected(1, 1));
    EXPECT_EQ(w.grid.GetItemState(1, 1), CELL_SELECTED);
    w.grid.SetFocusCell(2, 2);
    EXPECT_EQ(w.grid.GetItemState(2, 2), CELL_FOCUSED);
}

} // namespace
