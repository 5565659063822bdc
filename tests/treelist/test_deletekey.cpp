// The Delete key asks the host to delete the services behind the selected
// rows, highest row first, skipping the transponder's row 0, and has the list
// rebuilt unless the Delete Channel command sent it; the command's flag is
// cleared by every Delete. Also what the input does with no host, no rows,
// a rebuild in the middle of a drag and vetoing hooks.
#include "inputfixture.h"

#include "window/cursor.h"

#include <QApplication>
#include <QTest>

namespace {

constexpr UINT kSF = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;

TEST_F(InputTest, DeleteKeyAsksForTheSelectedRowsHighestFirst) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        int focused; // -1: none
        int flag;
        Log expected;
    } cases[] = {
        {"the transponder row", {0}, 0, 0, {}},
        {"two rows", {3, 5}, 5, 0, {"DeleteRowService 5", "DeleteRowService 3", "RefreshList 1"}},
        {"two rows by the command", {3, 5}, 5, 1, {"DeleteRowService 5", "DeleteRowService 3"}},
        {"row 0 among them", {0, 2}, 2, 0, {"DeleteRowService 2", "RefreshList 1"}},
        {"one row", {7}, 7, 0, {"DeleteRowService 7", "RefreshList 1"}},
        {"no focused row, by the command", {4}, -1, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetItemState(-1, 0, kSF);
        for (int row : c.selected)
            grid->SetItemState(row, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
        if (c.focused >= 0) grid->SetItemState(c.focused, kSF, kSF);
        grid->SetDeleteByCommand(c.flag);
        log.clear();
        Key(Qt::Key_Delete);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(grid->GetDeleteByCommand(), 0);
    }
}

TEST_F(InputTest, CommandsDirectDeleteThenATypedOneRebuilds) {
    // The command on row 0 deletes nothing; the flag it set must not make
    // the next typed Delete skip its rebuild.
    grid->SetItemState(0, kSF, kSF);
    grid->SetDeleteByCommand(1);
    platform::NMLVKEYDOWN key;
    key.wVKey = platform::VK_DELETE;
    platform::LRESULT result = 1;
    grid->OnKeydown(&key.hdr, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(grid->GetDeleteByCommand(), 0);

    ClickCell(2, 1);
    log.clear();
    Key(Qt::Key_Delete);
    EXPECT_EQ(log, (Log{"DeleteRowService 2", "RefreshList 1"}));
}

TEST_F(InputTest, WithoutAHostTheInputStillWorks) {
    grid->SetHost(nullptr);
    ClickCell(5, 1);
    EXPECT_EQ(grid->GetSelectedItem(), 5);
    QTest::mouseClick(Client(), Qt::RightButton, Qt::NoModifier, Cell(6, 1));
    Key(Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(Entries("menu").size(), 0u);
    EXPECT_EQ(Entries("DeleteRowService").size(), 0u);
    EXPECT_EQ(grid->GetSelectedItem(), 6);
}

TEST_F(InputTest, WithoutRowsKeysAndClicksDoNothing) {
    grid->DeleteAll();
    QTest::mouseClick(Client(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    QTest::mouseDClick(Client(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Right, Qt::Key_Space,
                        Qt::Key_Delete, Qt::Key_F2})
        Key(key);
    Key(Qt::Key_Asterisk, Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_FALSE(Holds());
    EXPECT_EQ(ScrollTimer(), 0u);
    EXPECT_EQ(grid->GetItemCount(), 0);
    EXPECT_TRUE(Entries("DeleteRowService").empty());
}

TEST_F(InputTest, RebuildInTheMiddleOfADrag) {
    platform::Rect client;
    grid->GetClientRect(&client);
    platform::Point below(50, client.bottom + 20);
    grid->ClientToScreen(&below);
    platform::SetCursorPosSource([&] { return below; });
    Press(Cell(10, 0));
    ASSERT_TRUE(Holds());
    grid->DeleteAll();
    grid->InsertRootItem(nullptr);
    MoveTo(Cell(0, 0));
    EXPECT_TRUE(grid->FireTimer(2));
    Release(Cell(0, 0));
    EXPECT_FALSE(Holds());
    EXPECT_EQ(ScrollTimer(), 0u);
    EXPECT_EQ(grid->GetItemCount(), 1);
}

TEST_F(InputTest, VetoingHooksLeaveNoCaptureOrTimer) {
    struct Vetoing : InputGrid {
        BOOL OnItemLButtonDown(platform::LVHITTESTINFO& /*hit*/) override { return FALSE; }
        BOOL OnBeforeCollapse(CTreeItem* /*node*/) override { return FALSE; }
        BOOL OnVkAdd(CTreeItem* /*node*/, int /*row*/) override { return FALSE; }
        BOOL OnVkSubtract(CTreeItem* /*node*/, int /*row*/) override { return FALSE; }
    };
    Vetoing vetoing;
    ASSERT_TRUE(vetoing.Create(platform::WS_CHILD | platform::WS_VISIBLE,
                               platform::Rect(0, 0, 600, 300), owner.get(), 258));
    vetoing.InsertColumn(0, "0", platform::LVCFMT_LEFT, 145);
    vetoing.InsertColumn(1, "1", platform::LVCFMT_LEFT, 130);
    Node* top = vetoing.InsertRootItem(nullptr);
    vetoing.InsertItem(top, nullptr);
    vetoing.Expand(top, 0);
    vetoing.SetItemState(0, kSF, kSF);
    vetoing.SetFocus();
    QWidget* client = vetoing.GetClientWidget();
    QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    QTest::keyClick(vetoing.GetWidget(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(vetoing.GetWidget(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_NE(platform::GetCapture(), &vetoing);
    EXPECT_EQ(vetoing.GetTimerPeriod(2), 0u);
    EXPECT_FALSE(vetoing.IsCollapsed(top));
    vetoing.DestroyWindow();
}

} // namespace
