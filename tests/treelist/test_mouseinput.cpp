// The tree list's mouse with real Qt events: which rows a click selects and
// which column it focuses, expand buttons, the loaded-list gate, row drags
// with their capture and auto-scroll timer, double clicks and the pop-up menu.
#include "inputfixture.h"

#include "window/cursor.h"
#include "resource.h"

#include <QApplication>
#include <QTest>

namespace {

using Rows = std::vector<int>;

TEST_F(InputTest, LeftClicks) {
    enum Target { L1Column1, PButton, BelowTheRows };
    struct Case {
        const char* name;
        BOOL loaded;
        Target target;
        BOOL allowExpand;
        Rows selected;
        int column; // current column after the click
        bool expanded;
        int beginCellEdits;
        bool held; // capture and timer 2 at 75 ms
    } cases[] = {
        {"no list loaded", FALSE, L1Column1, TRUE, {5}, 0, false, 0, false},
        {"a cell", TRUE, L1Column1, TRUE, {1}, 1, false, 1, true},
        // The selected row stays selected; P's children moved it to row 7.
        {"an expand button", TRUE, PButton, TRUE, {7}, 0, true, 0, false},
        {"a vetoed expand button", TRUE, PButton, FALSE, {kP}, 0, false, 1, true},
        {"below the rows", TRUE, BelowTheRows, TRUE, {0}, 0, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!grid->IsCollapsed(group)) grid->Collapse(group);
        if (c.target == BelowTheRows) grid->Collapse(root);
        const int start = c.target == BelowTheRows ? 0 : 5;
        grid->SelectAllRows(FALSE);
        grid->SetItemState(start, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                           platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
        grid->SetCurSubItem(0);
        other.SetFocus();
        ASSERT_EQ(platform::GetFocus(), &other);
        host.loaded = c.loaded;
        grid->allowExpand = c.allowExpand;
        log.clear();

        platform::Rect pRow;
        grid->GetItemRect(kP, &pRow, platform::LVIR_BOUNDS);
        const QPoint point = c.target == L1Column1 ? Cell(1, 1)
                             : c.target == PButton ? QPoint(24, pRow.top + 9)
                                                   : BelowRows();
        Press(point);
        EXPECT_EQ(SelectedRows(), c.selected);
        EXPECT_EQ(grid->CurSubItem(), c.column);
        EXPECT_EQ(!grid->IsCollapsed(group), c.expanded);
        EXPECT_EQ(Entries("BeginCellEdit").size(), static_cast<size_t>(c.beginCellEdits));
        EXPECT_EQ(Holds(), c.held);
        EXPECT_EQ(ScrollTimer(), c.held ? 75u : 0u);
        EXPECT_EQ(platform::GetFocus() == grid.get(), c.loaded == TRUE);
        Release(point);
        EXPECT_FALSE(Holds());
        EXPECT_EQ(ScrollTimer(), 0u);
        if (c.target == BelowTheRows) grid->Expand(root, 0);
    }
}

TEST_F(InputTest, DragSelectsRowsFromTheClickedOne) {
    platform::Rect client;
    grid->GetClientRect(&client);
    Press(Cell(2, 0));
    MoveTo(Cell(5, 0));
    EXPECT_EQ(SelectedRows(), (Rows{2, 3, 4, 5}));
    EXPECT_EQ(FocusedRow(), 5);
    MoveTo(Cell(1, 0));
    EXPECT_EQ(SelectedRows(), (Rows{1, 2}));
    MoveTo(QPoint(50, client.bottom + 10));
    EXPECT_EQ(SelectedRows(), (Rows{1, 2})) << "off the rows nothing changes";
    MoveTo(Cell(4, 0));
    Release(Cell(4, 0));
    EXPECT_EQ(SelectedRows(), (Rows{2, 3, 4}));
    EXPECT_EQ(grid->GetSelectionMark(), 4);
    EXPECT_FALSE(Holds());
    EXPECT_FALSE(grid->MouseSelecting());
}

TEST_F(InputTest, FocusLossEndsADrag) {
    Press(Cell(2, 0));
    ASSERT_TRUE(Holds());
    other.SetFocus();
    EXPECT_FALSE(Holds());
    EXPECT_EQ(ScrollTimer(), 0u);
    EXPECT_FALSE(grid->MouseSelecting());
    EXPECT_EQ(grid->GetSelectionMark(), 2);
}

TEST_F(InputTest, AutoScrollSpeedsUpBelowTheList) {
    platform::Rect client;
    grid->GetClientRect(&client);
    platform::Point below(50, client.bottom + 20);
    grid->ClientToScreen(&below);
    platform::SetCursorPosSource([&] { return below; });
    Press(Cell(2, 0));
    ASSERT_EQ(grid->GetTopIndex(), 0);
    for (int tick = 1; tick <= 10; ++tick) {
        ASSERT_TRUE(grid->FireTimer(2));
        EXPECT_EQ(ScrollTimer(), static_cast<unsigned>(75 - 5 * tick)) << "tick " << tick;
        EXPECT_EQ(grid->GetTopIndex(), tick) << "tick " << tick;
    }
    ASSERT_TRUE(grid->FireTimer(2));
    EXPECT_EQ(ScrollTimer(), 20u);
    EXPECT_EQ(grid->GetTopIndex(), 12) << "two lines a tick at the fastest period";
    ASSERT_TRUE(grid->FireTimer(2));
    EXPECT_EQ(ScrollTimer(), 20u);
    EXPECT_EQ(grid->GetTopIndex(), 14);
}

TEST_F(InputTest, AutoScrollRightOfTheList) {
    platform::Rect client;
    grid->GetClientRect(&client);
    platform::Point right(client.right + 20, client.top + 100);
    grid->ClientToScreen(&right);
    platform::SetCursorPosSource([&] { return right; });
    Press(Cell(2, 0));
    ASSERT_EQ(ScrollX(), 0);
    const int top = grid->GetTopIndex();
    ASSERT_TRUE(grid->FireTimer(2));
    EXPECT_EQ(ScrollX(), 3 * LineWidth());
    EXPECT_EQ(grid->GetTopIndex(), top) << "inside vertically: no row scroll";
}

TEST_F(InputTest, AutoScrollTimerStopsWithoutTheCapture) {
    Press(Cell(2, 0));
    platform::ReleaseCapture();
    EXPECT_TRUE(grid->FireTimer(2));
    EXPECT_EQ(ScrollTimer(), 0u);
    EXPECT_EQ(grid->GetTopIndex(), 0);
}

TEST_F(InputTest, DoubleClicks) {
    // A leaf's cell: F2 is posted and reaches the hooks from the event loop.
    QTest::mouseDClick(Client(), Qt::LeftButton, Qt::NoModifier, Cell(5, 3));
    EXPECT_TRUE(Entries("OnVkF2").empty());
    QApplication::processEvents();
    EXPECT_EQ(Entries("OnVkF2").size(), 1u);
    Release(Cell(5, 3));

    // A leaf's tree column: OnLeafDblClick alone.
    log.clear();
    QTest::mouseDClick(Client(), Qt::LeftButton, Qt::NoModifier, Cell(6, 0));
    QApplication::processEvents();
    EXPECT_EQ(Entries("OnLeafDblClick"), Log{"OnLeafDblClick 6"});
    EXPECT_TRUE(Entries("OnVkF2").empty());

    // A group toggles, both ways.
    QTest::mouseDClick(Client(), Qt::LeftButton, Qt::NoModifier, Cell(kP, 1));
    EXPECT_FALSE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows + 2);
    QTest::mouseDClick(Client(), Qt::LeftButton, Qt::NoModifier, Cell(kP, 1));
    EXPECT_TRUE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows);
}

TEST_F(InputTest, DoubleClickWithoutAFocusedSelectedRowDoesNothing) {
    platform::NMITEMACTIVATE activate;
    activate.ptAction = platform::Point(Cell(kP, 1).x(), Cell(kP, 1).y());
    grid->SelectAllRows(FALSE);
    platform::LRESULT result = 1;
    grid->OnDblclk(&activate.hdr, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(grid->IsCollapsed(group));
    QApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, RightClickShowsTheMenuThenSelectsTheRowThenRunsTheCommand) {
    grid->SetItemState(5, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                       platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    menuChoice = ID_DELETE_CHANNEL;
    const QPoint point = Cell(3, 1);
    const QPoint screen = Client()->mapToGlobal(point);
    QTest::mouseClick(Client(), Qt::RightButton, Qt::NoModifier, point);
    const std::string menu = "menu at " + std::to_string(screen.x()) + "," +
                             std::to_string(screen.y()) + " 32807 32808 32822 32846 selected 5";
    EXPECT_EQ(log, Log{menu});
    EXPECT_EQ(SelectedRows(), Rows{3});
    QApplication::processEvents();
    EXPECT_EQ(log, (Log{menu, "command 32808 selected 3"}));
}

TEST_F(InputTest, RightClickWithoutAnOwnerShowsNoMenu) {
    host.hasOwner = false;
    QTest::mouseClick(Client(), Qt::RightButton, Qt::NoModifier, Cell(3, 1));
    QApplication::processEvents();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(SelectedRows(), Rows{3});
}

} // namespace
