// The tree list's keyboard with real Qt key events: Enter, Tab, the arrows,
// Ctrl and Shift on the focused row and column, the cell selection that
// Shift builds, the keypad's '+', '-' and '*', Space on check boxes and F2.
#include "inputfixture.h"

#include "listeditctrl.h"

#include <QApplication>
#include <QTest>

namespace {

using Rows = std::vector<int>;

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

TEST_F(InputTest, KeysMoveTheFocusedCell) {
    constexpr int kLast = kRows - 1;
    struct Case {
        const char* name;
        std::vector<Stroke> keys;
        int startRow;
        int startColumn;
        int endRow;
        int endColumn;
        Rows selected;
    } cases[] = {
        {"Enter on the last row", {{Qt::Key_Return}}, kLast, 0, kLast, 0, {kLast}},
        {"Shift+Enter moves up", {{Qt::Key_Return, Qt::ShiftModifier}}, 5, 0, 4, 0, {4, 5}},
        {"Tab, Tab, Shift+Tab",
         {{Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Backtab, Qt::ShiftModifier}},
         5,
         0,
         5,
         1,
         {5}},
        {"Right on the last column", {{Qt::Key_Right}}, 5, 8, 5, 8, {5}},
        {"Left on the tree column", {{Qt::Key_Left}}, 5, 0, 5, 0, {5}},
        {"Ctrl with arrows",
         {{Qt::Key_Down, Qt::ControlModifier}, {Qt::Key_Right, Qt::ControlModifier}},
         5,
         3,
         5,
         3,
         {5}},
        {"Down", {{Qt::Key_Down}}, 5, 3, 6, 3, {6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid->EnsureVisible(c.startRow, FALSE);
        grid->MakeColumnVisible(c.startColumn);
        ClickCell(c.startRow, c.startColumn);
        ASSERT_EQ(grid->GetSelectedItem(), c.startRow);
        ASSERT_EQ(grid->CurSubItem(), c.startColumn);
        for (const Stroke& p : c.keys)
            Key(p.key, p.modifiers);
        EXPECT_EQ(grid->GetSelectedItem(), c.endRow);
        EXPECT_EQ(grid->CurSubItem(), c.endColumn);
        EXPECT_EQ(SelectedRows(), c.selected);
        EXPECT_EQ(platform::GetFocus(), grid.get()) << "Tab stays in the list";
    }
}

TEST_F(InputTest, ShiftWithArrowsSelectsCellsUntilAPlainMove) {
    ClickCell(5, 3);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->GetSelectedItem(), 7);
    EXPECT_EQ(grid->CurSubItem(), 3);
    EXPECT_EQ(SelectedRows(), (Rows{5, 6, 7}));
    // The rectangle runs from the clicked row's tree column to the focused
    // cell; the tree column itself is never in it.
    for (int row = 3; row <= 9; ++row)
        for (int column = 0; column < 9; ++column)
            EXPECT_EQ(grid->IsCellInSelection(nullptr, row, column, nullptr) != FALSE,
                      row >= 5 && row <= 7 && column >= 1 && column <= 3)
                << row << "," << column;

    Key(Qt::Key_Down);
    EXPECT_EQ(grid->GetSelectedItem(), 8);
    EXPECT_EQ(grid->CurSubItem(), 3);
    EXPECT_EQ(SelectedRows(), Rows{8});
    EXPECT_FALSE(grid->CellSelection());
    EXPECT_FALSE(grid->KeySelection());
    for (int row = 3; row <= 9; ++row)
        for (int column = 0; column < 9; ++column)
            EXPECT_FALSE(grid->IsCellInSelection(nullptr, row, column, nullptr));
}

TEST_F(InputTest, KeypadKeysExpandAndCollapse) {
    ClickCell(kP, 1);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows + 2);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_TRUE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows);
    Key(Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_FALSE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows + 2);
    const int top = grid->GetTopIndex();
    EXPECT_LE(top, kP + 2);
    EXPECT_GT(top + grid->GetCountPerPage(), kP + 2) << "the last row shown";
}

TEST_F(InputTest, MainKeyboardPlusAndStarDoNothing) {
    ClickCell(kP, 1);
    Key(Qt::Key_Plus);
    Key(Qt::Key_Asterisk);
    EXPECT_TRUE(grid->IsCollapsed(group));
    EXPECT_EQ(grid->GetItemCount(), kRows);
}

TEST_F(InputTest, StarOnAScrolledLeafOrVetoedKeepsTheTopRow) {
    struct Case {
        const char* name;
        int row;
        BOOL allow;
    } cases[] = {
        {"a leaf", 25, TRUE},
        {"a vetoed group", kP, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid->allowMultiply = c.allow;
        grid->EnsureVisible(0, FALSE);
        grid->EnsureVisible(c.row, FALSE);
        ClickCell(c.row, 1);
        const int top = grid->GetTopIndex();
        Key(Qt::Key_Asterisk, Qt::KeypadModifier);
        EXPECT_EQ(Entries("OnVkMultiply").size(), 1u);
        EXPECT_EQ(grid->GetTopIndex(), top);
        EXPECT_TRUE(grid->IsCollapsed(group));
        log.clear();
    }
}

TEST_F(InputTest, SpaceOnTheTreeColumnMakesChecksAlikeThenToggles) {
    grid->SetExtendedStyle(platform::LVS_EX_CHECKBOXES);
    grid->SetItemCheck(5, TRUE);
    grid->SetItemCheck(6, FALSE);
    ClickCell(5, 0);
    QTest::mouseClick(Client(), Qt::LeftButton, Qt::ShiftModifier, Cell(6, 0));
    ASSERT_EQ(SelectedRows(), (Rows{5, 6}));
    ASSERT_EQ(grid->CurSubItem(), 0);
    auto checks = [&] {
        std::vector<int> out;
        for (int row : {5, 6}) {
            out.push_back(grid->GetCheck(row));
            out.push_back(grid->GetData(grid->GetTreeItem(row))->GetCheck());
        }
        return out;
    };
    Key(Qt::Key_Space);
    EXPECT_EQ(checks(), (std::vector<int>{1, 1, 1, 1}));
    Key(Qt::Key_Space);
    EXPECT_EQ(checks(), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(InputTest, SpaceOnACellInvertsOnlyTheRowData) {
    grid->SetExtendedStyle(platform::LVS_EX_CHECKBOXES);
    ClickCell(5, 2);
    Key(Qt::Key_Space);
    EXPECT_EQ(grid->GetData(grid->GetTreeItem(5))->GetCheck(), 1);
    EXPECT_FALSE(grid->GetCheck(5));
}

TEST_F(InputTest, F2AsksTheHookWhichMayTakeIt) {
    ClickCell(5, 2);
    log.clear();
    Key(Qt::Key_F2);
    EXPECT_EQ(log, Log{"OnVkF2"});
    EXPECT_EQ(grid->GetEditBox(), nullptr); // the hook answered TRUE
    // Without the hook the control edits the focused cell.
    EXPECT_TRUE(grid->EditItemLabel());
    ASSERT_NE(grid->GetEditBox(), nullptr);
    EXPECT_EQ(grid->GetEditBox()->EditRow(), 5);
    EXPECT_EQ(grid->GetEditBox()->EditColumn(), 2);
}

} // namespace
