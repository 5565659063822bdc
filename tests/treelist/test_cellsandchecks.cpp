// Column scrolling, the editability of the focused cell and the check
// propagation through group rows, on the input fixture's tree.
#include "inputfixture.h"

#include <QApplication>

namespace {

TEST_F(InputTest, MakeColumnVisibleScrollsJustEnough) {
    // A client area exactly 300 pixels wide.
    grid->MoveWindow(0, 0, 300, 300);
    platform::Rect client;
    grid->GetClientRect(&client);
    grid->MoveWindow(0, 0, 600 - client.Width(), 300);
    grid->GetClientRect(&client);
    ASSERT_EQ(client.Width(), 300);

    struct Case {
        bool rows;
        int scroll;
        int column;
        int after;
    } cases[] = {
        {true, 0, 1, 0},  {true, 0, 2, 50},  {true, 50, 1, 50},
        {true, 50, 0, 0}, {true, 0, 8, 500}, {false, 0, 2, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "scroll " << c.scroll << " column " << c.column
                                          << (c.rows ? "" : " without rows"));
        if (!c.rows) grid->DeleteAll();
        grid->Scroll(platform::Size(c.scroll - ScrollX(), 0));
        ASSERT_EQ(ScrollX(), c.scroll);
        grid->MakeColumnVisible(c.column);
        EXPECT_EQ(ScrollX(), c.after);
    }
}

TEST_F(InputTest, ColumnOrderIsTheIndex) {
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(grid->IndexToOrder(column), column);
    EXPECT_EQ(grid->IndexToOrder(9), -1);
    EXPECT_EQ(grid->IndexToOrder(-1), -1);
}

TEST_F(InputTest, FocusedCellEditable) {
    grid->GetData(grid->GetTreeItem(5))->SetControlType(CItemInfo::combobox, 5);
    grid->GetData(grid->GetTreeItem(5))->SetControlType(CItemInfo::editNoButton, 7);
    struct Case {
        int row; // -1: no focused selected row
        int column;
        BOOL editable;
    } cases[] = {
        {5, 0, FALSE}, {5, 1, TRUE}, {5, 6, TRUE}, {5, 8, FALSE}, {kP, 1, FALSE}, {-1, 1, FALSE},
    };
    for (const auto& c : cases) {
        grid->SelectAllRows(FALSE);
        if (c.row >= 0)
            grid->SetItemState(c.row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                               platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
        grid->SetCurSubItem(c.column);
        EXPECT_EQ(grid->IsCellEditable(), c.editable) << c.row << "," << c.column;
    }
}

TEST_F(InputTest, GroupChecksReachChildrenAndAncestors) {
    grid->SetExtendedStyle(platform::LVS_EX_CHECKBOXES);
    grid->Expand(group, kP);
    grid->GetData(group)->SetKind(-1);
    grid->GetData(group)->SetCheckFlags(0x1);
    grid->SetItemCheck(kP, TRUE);
    // The group and both children (rows 3 and 4) checked, the root marked.
    for (int row : {kP, 3, 4}) {
        EXPECT_TRUE(grid->GetCheck(row)) << row;
        EXPECT_EQ(grid->GetData(grid->GetTreeItem(row))->GetCheck(), 1) << row;
    }
    EXPECT_EQ(grid->GetData(group)->GetCheckFlags(), 0);
    EXPECT_TRUE(grid->GetCheck(0));
    EXPECT_EQ(grid->GetData(root)->GetCheckFlags(), 0x2);
    EXPECT_EQ(Entries("OnItemCheckChanged"),
              (Log{"OnItemCheckChanged 3 1", "OnItemCheckChanged 4 1"}));

    // A plain row already at the value changes nothing, not even its parents.
    grid->SetCheck(0, FALSE);
    log.clear();
    grid->SetItemCheck(3, TRUE);
    EXPECT_FALSE(grid->GetCheck(0));
    EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, SetItemCheckOfNoRowChangesNothing) {
    expectedAssertions = 1;
    grid->SetItemCheck(-1, TRUE);
    for (int row = 0; row < kRows; ++row)
        EXPECT_FALSE(grid->GetCheck(row)) << row;
    EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, CheckBoxClickTogglesTheRow) {
    grid->SetExtendedStyle(platform::LVS_EX_CHECKBOXES);
    platform::Rect icon;
    platform::Rect label;
    grid->GetItemRect(5, &icon, platform::LVIR_ICON);
    grid->GetItemRect(5, &label, platform::LVIR_LABEL);
    ASSERT_LT(icon.left + 1, label.left);
    const QPoint box(icon.left + 1, icon.CenterPoint().y);
    ClickCell(5, 1);
    EXPECT_FALSE(grid->GetCheck(5)) << "a click beside the box";
    Press(box);
    Release(box);
    EXPECT_TRUE(grid->GetCheck(5));
    Press(box);
    Release(box);
    EXPECT_FALSE(grid->GetCheck(5));
}

} // namespace
