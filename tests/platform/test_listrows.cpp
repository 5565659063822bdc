#include "controls/listrows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr unsigned SF = LVIS_SELECTED | LVIS_FOCUSED;

// Five rows "r0".."r4" in two columns, item data 100 + row.
ListRows FiveRows() {
    ListRows rows;
    rows.InsertColumn(0);
    rows.InsertColumn(1);
    for (int i = 0; i < 5; ++i) {
        ListRow r;
        r.texts = {std::string("r").append(std::to_string(i)),
                   std::string("s").append(std::to_string(i))};
        r.data = 100 + i;
        rows.InsertItem(i, r);
    }
    return rows;
}

std::vector<unsigned> States(const ListRows& rows) {
    std::vector<unsigned> s;
    for (int r = 0; r < rows.GetItemCount(); ++r)
        s.push_back(rows.GetItemState(r, 0xFFFF));
    return s;
}

TEST(ListRowsTest, InsertPlacesRowsAndFitsTexts) {
    ListRows rows = FiveRows();
    ListRow extra;
    extra.texts = {"x", "y", "dropped"};
    EXPECT_EQ(rows.InsertItem(2, extra), 2);
    EXPECT_EQ(rows.InsertItem(99, ListRow{}), 6) << "past the end appends";
    EXPECT_EQ(rows.InsertItem(-1, ListRow{}), -1);
    ASSERT_EQ(rows.GetItemCount(), 7);
    const char* expected[] = {"r0", "r1", "x", "r2", "r3", "r4", ""};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(rows.GetItemText(r, 0), expected[r]) << r;
    EXPECT_EQ(rows.GetRow(2)->texts.size(), 2u) << "a third text has no column";
    EXPECT_EQ(rows.GetItemText(2, 1), "y");
    EXPECT_EQ(rows.GetItemData(3), 102);
}

TEST(ListRowsTest, BadRowsAndColumnsChangeNothing) {
    ListRows rows = FiveRows();
    struct Case {
        int row, column;
    } bad[] = {{-1, 0}, {5, 0}, {0, -1}, {0, 2}, {-7, 9}};
    for (const auto& c : bad) {
        EXPECT_FALSE(rows.SetItemText(c.row, c.column, "bad")) << c.row << "," << c.column;
        EXPECT_EQ(rows.GetItemText(c.row, c.column), "") << c.row << "," << c.column;
    }
    for (int row : {-2, 5, 1000}) {
        EXPECT_FALSE(rows.SetItemState(row, SF, SF)) << row;
        EXPECT_FALSE(rows.SetItemData(row, 1)) << row;
        EXPECT_FALSE(rows.SetCheck(row, true)) << row;
        EXPECT_FALSE(rows.DeleteItem(row)) << row;
        EXPECT_EQ(rows.GetItemData(row), 0) << row;
        EXPECT_EQ(rows.GetIndent(row), -1) << row;
        EXPECT_EQ(rows.GetRow(row), nullptr) << row;
        EXPECT_EQ(rows.SetSelectionMark(row), -1) << row;
    }
    EXPECT_EQ(rows.GetSelectionMark(), -1);
    EXPECT_EQ(States(rows), std::vector<unsigned>(5, 0u));
    EXPECT_EQ(rows.GetItemCount(), 5);
}

TEST(ListRowsTest, FocusIsHeldByOneRow) {
    ListRows rows = FiveRows();
    ListStateChanges changes;
    rows.SetItemState(1, SF, SF, &changes);
    rows.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED, &changes);
    EXPECT_EQ(States(rows), (std::vector<unsigned>{0, LVIS_SELECTED, 0, LVIS_FOCUSED, 0}));
    // The row losing the focus is reported before the row taking it.
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[1].row, 1);
    EXPECT_EQ(changes[1].oldState, SF);
    EXPECT_EQ(changes[1].newState, LVIS_SELECTED);
    EXPECT_EQ(changes[2].row, 3);
    EXPECT_EQ(changes[2].newState, LVIS_FOCUSED);

    // Row -1: every row, but the focus is given to none.
    changes.clear();
    rows.SetItemState(-1, SF, SF, &changes);
    EXPECT_EQ(States(rows), (std::vector<unsigned>{LVIS_SELECTED, LVIS_SELECTED, LVIS_SELECTED, SF,
                                                   LVIS_SELECTED}));
    EXPECT_EQ(changes.size(), 4u) << "row 1 was selected already";
    EXPECT_EQ(rows.GetSelectedCount(), 5);
    rows.SetItemState(-1, 0, SF);
    EXPECT_EQ(States(rows), std::vector<unsigned>(5, 0u));
    EXPECT_EQ(rows.GetNextItem(-1, LVNI_FOCUSED), -1);

    // A row inserted focused takes the focus; the indices reported are the new ones.
    rows.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    changes.clear();
    ListRow focused;
    focused.state = LVIS_FOCUSED;
    rows.InsertItem(0, focused, &changes);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].row, 4);
    EXPECT_EQ(rows.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(rows.GetNextItem(0, LVNI_FOCUSED), -1);
}

TEST(ListRowsTest, SettingTheSameStateReportsNothing) {
    ListRows rows = FiveRows();
    rows.SetItemState(2, SF, SF);
    ListStateChanges changes;
    rows.SetItemState(2, SF, SF, &changes);
    rows.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED, &changes);
    rows.SetItemState(4, 0, LVIS_SELECTED, &changes);
    EXPECT_TRUE(changes.empty());
}

TEST(ListRowsTest, GetNextItemSearchesAfterTheStart) {
    ListRows rows = FiveRows();
    rows.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    rows.SetItemState(3, SF, SF);
    struct Case {
        int start;
        unsigned flags;
        int expected;
    } cases[] = {
        {-1, LVNI_ALL, 0},
        {2, LVNI_ALL, 3},
        {4, LVNI_ALL, -1},
        {5, LVNI_ALL, -1},
        {-2, LVNI_ALL, -1},
        {-1, LVNI_SELECTED, 1},
        {1, LVNI_SELECTED, 3},
        {3, LVNI_SELECTED, -1},
        {-1, LVNI_FOCUSED, 3},
        {-1, LVNI_FOCUSED | LVNI_SELECTED, 3},
        {0, LVNI_FOCUSED | LVNI_SELECTED, 3},
        {3, LVNI_FOCUSED, -1},
        {4, LVNI_SELECTED | LVNI_ABOVE, 3},
        {3, LVNI_SELECTED | LVNI_ABOVE, 1},
        {1, LVNI_SELECTED | LVNI_ABOVE, -1},
        {-1, LVNI_ABOVE, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows.GetNextItem(c.start, c.flags), c.expected)
            << "start " << c.start << " flags " << c.flags;
}

TEST(ListRowsTest, SelectionMarkMovesWithTheRows) {
    struct Case {
        const char* name;
        int mark;
        bool insert; // else delete
        int row;
        int expected;
    } cases[] = {
        {"insert above", 2, true, 0, 3},      {"insert at the mark", 2, true, 2, 3},
        {"insert below", 2, true, 3, 2},      {"delete above", 2, false, 1, 1},
        {"delete the mark", 2, false, 2, -1}, {"delete below", 2, false, 4, 2},
    };
    for (const auto& c : cases) {
        ListRows rows = FiveRows();
        EXPECT_EQ(rows.SetSelectionMark(c.mark), -1);
        if (c.insert)
            rows.InsertItem(c.row, ListRow{});
        else
            rows.DeleteItem(c.row);
        EXPECT_EQ(rows.GetSelectionMark(), c.expected) << c.name;
    }
    ListRows rows = FiveRows();
    rows.SetSelectionMark(4);
    rows.DeleteAllItems();
    EXPECT_EQ(rows.GetSelectionMark(), -1);
    EXPECT_EQ(rows.GetItemCount(), 0);
}

TEST(ListRowsTest, CheckLivesInTheStateImage) {
    ListRows rows = FiveRows();
    EXPECT_FALSE(rows.GetCheck(0));
    ListStateChanges changes;
    rows.SetItemState(0, SF, SF);
    EXPECT_TRUE(rows.SetCheck(0, true, &changes));
    EXPECT_TRUE(rows.GetCheck(0));
    EXPECT_EQ(rows.GetItemState(0, SF), SF) << "selection kept";
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newState, SF | INDEXTOSTATEIMAGEMASK(2));
    rows.SetCheck(0, false);
    EXPECT_FALSE(rows.GetCheck(0));
    EXPECT_EQ(rows.GetItemState(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
}

TEST(ListRowsTest, ColumnsShiftTheirTexts) {
    ListRows rows = FiveRows();
    EXPECT_EQ(rows.InsertColumn(1), 1);
    EXPECT_EQ(rows.InsertColumn(50), 3);
    EXPECT_EQ(rows.InsertColumn(-1), -1);
    EXPECT_EQ(rows.GetColumnCount(), 4);
    EXPECT_EQ(rows.GetItemText(2, 0), "r2");
    EXPECT_EQ(rows.GetItemText(2, 1), "");
    EXPECT_EQ(rows.GetItemText(2, 2), "s2");
    EXPECT_TRUE(rows.SetItemText(2, 3, "last"));
    EXPECT_TRUE(rows.DeleteColumn(1));
    EXPECT_FALSE(rows.DeleteColumn(3));
    EXPECT_EQ(rows.GetItemText(2, 1), "s2");
    EXPECT_EQ(rows.GetItemText(2, 2), "last");

    // Without columns a row still keeps its item text.
    ListRows bare;
    ListRow r;
    r.texts = {"only"};
    bare.InsertItem(0, r);
    EXPECT_EQ(bare.GetItemText(0, 0), "only");
    EXPECT_EQ(bare.GetItemText(0, 1), "");
}

} // namespace
