// The report list's own answer to the mouse and the keyboard, with real Qt
// events: which rows are selected and focused, what the owner hears, and in
// which order a key passes the hook, OnKeyDown, LVN_KEYDOWN and the default.
#include "list_fixture.h"

#include <gtest/gtest.h>

namespace platform_test {
namespace {

constexpr DWORD kOwnerDraw = LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;
constexpr UINT SF = LVIS_SELECTED | LVIS_FOCUSED;

// Row states as one letter per row: '.' none, 's' selected, 'f' focused,
// 'F' selected and focused.
std::string StatesOf(const ListControl& list) {
    std::string out;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        const UINT s = list.GetItemState(r, SF);
        out += s == SF ? 'F' : s == LVIS_SELECTED ? 's' : s == LVIS_FOCUSED ? 'f' : '.';
    }
    return out;
}

void SetStates(ListControl& list, const std::string& states) {
    for (int r = 0; r < static_cast<int>(states.size()); ++r) {
        const char c = states[r];
        UINT s = 0;
        if (c == 's' || c == 'F') s |= LVIS_SELECTED;
        if (c == 'f' || c == 'F') s |= LVIS_FOCUSED;
        list.SetItemState(r, s, SF);
    }
}

std::string ChangedRows(const std::vector<Notice>& changes) {
    std::string out;
    for (const Notice& n : changes)
        out += std::to_string(n.item);
    return out;
}

// Six rows in columns 100 and 80 wide, the list focused.
class ListInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(f.active);
        ASSERT_TRUE(f.created);
        f.Columns({100, 80});
        f.Rows(6);
        f.list.SetFocus();
        h = f.HeaderHeight();
    }
    // The middle of row's cell in column.
    QPoint At(int row, int column) const {
        Rect r;
        f.list.GetSubItemRect(row, column, LVIR_BOUNDS, r);
        if (column == 0) r.right = r.left + 100;
        return r.CenterPoint().ToQPoint();
    }
    ListFixture f{kOwnerDraw, 300, 200};
    int h = 0;
};

TEST_F(ListInputTest, Clicks) {
    enum Button { Left, Right };
    struct Case {
        const char* name;
        const char* before;
        int mark;
        Button button;
        int row; // -1: below the rows
        int column;
        Qt::KeyboardModifiers modifiers;
        const char* after;
        int markAfter;
        const char* changed; // rows the owner heard of, in order
    } cases[] = {
        {"a new row", ".F....", 1, Left, 3, 0, Qt::NoModifier, "...F..", 3, "13"},
        {"the same row", ".F....", 1, Left, 1, 0, Qt::NoModifier, ".F....", 1, ""},
        {"column 1 of a row", ".F....", 1, Left, 4, 1, Qt::NoModifier, "....F.", 4, "14"},
        {"Shift from the mark", ".F....", 1, Left, 4, 0, Qt::ShiftModifier, ".sssF.", 1, "1234"},
        {"Ctrl adds", ".F....", 1, Left, 4, 0, Qt::ControlModifier, ".s..F.", 4, "14"},
        {"Ctrl takes away", ".s..F.", 4, Left, 1, 0, Qt::ControlModifier, ".f..s.", 1, "41"},
        {"below the rows", ".sF...", 2, Left, -1, 0, Qt::NoModifier, "..f...", 2, "12"},
        {"right on an unselected row", ".F.s..", 1, Right, 4, 0, Qt::NoModifier, "....F.", 4,
         "134"},
        {"right on a selected row", ".F.s..", 1, Right, 3, 0, Qt::NoModifier, ".s.F..", 1, "13"},
    };
    for (const auto& c : cases) {
        SetStates(f.list, c.before);
        f.list.SetSelectionMark(c.mark);
        f.Forget();
        const QPoint p = c.row >= 0 ? At(c.row, c.column) : QPoint(50, h + 6 * 16 + 4);
        QTest::mouseClick(f.Client(), c.button == Left ? Qt::LeftButton : Qt::RightButton,
                          c.modifiers, p);
        EXPECT_EQ(StatesOf(f.list), c.after) << c.name;
        EXPECT_EQ(f.list.GetSelectionMark(), c.markAfter) << c.name;
        EXPECT_EQ(ChangedRows(f.owner.Changes()), c.changed) << c.name;
        // Every left click is told once, with the row under it, also when it
        // changed no state; a right click is not.
        const std::vector<Notice> clicks = f.owner.Of(NM_CLICK);
        if (c.button == Left) {
            ASSERT_EQ(clicks.size(), 1u) << c.name;
            EXPECT_EQ(clicks[0].item, c.row) << c.name;
            EXPECT_EQ(clicks[0].subItem, c.row >= 0 ? c.column : -1) << c.name;
        } else {
            EXPECT_TRUE(clicks.empty()) << c.name;
        }
    }
}

TEST_F(ListInputTest, TheClickedRowIsHeardSelectedAndFocused) {
    SetStates(f.list, "F.....");
    f.Forget();
    QTest::mouseClick(f.Client(), Qt::LeftButton, Qt::NoModifier, At(2, 0));
    const auto changes = f.owner.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].item, 0);
    EXPECT_EQ(changes[0].oldState, SF);
    EXPECT_EQ(changes[0].newState, 0u);
    EXPECT_EQ(changes[1].item, 2);
    EXPECT_EQ(changes[1].oldState, 0u);
    EXPECT_EQ(changes[1].newState, SF);
}

TEST_F(ListInputTest, AnOwnerThatRebuildsTheRowsHearsNoStaleRows) {
    // An owner that refills the list on every change it hears: the changes
    // still pending name rows that are gone, so they are not reported.
    SetStates(f.list, "...F..");
    f.list.SetSelectionMark(3);
    int rebuilds = 0;
    f.owner.onNotice = [&](const Notice& n) {
        if (n.code != LVN_ITEMCHANGED) return;
        ++rebuilds;
        f.list.DeleteAllItems();
        for (int r = 0; r < 6; ++r)
            f.list.InsertItem(r, "again");
    };
    f.Forget();
    QTest::mouseClick(f.Client(), Qt::LeftButton, Qt::NoModifier, At(1, 0));
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(ChangedRows(f.owner.Changes()), "3") << "row 3 lost its state; row 1 is gone";
    EXPECT_EQ(StatesOf(f.list), "......");
    EXPECT_EQ(f.list.GetSelectionMark(), -1);
}

TEST_F(ListInputTest, DoubleClickSelectsThenNotifies) {
    f.Forget();
    const QPoint p = At(2, 1);
    QTest::mouseDClick(f.Client(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(StatesOf(f.list), "..F...");
    ASSERT_FALSE(f.log.empty());
    EXPECT_EQ(f.log.back(), "NM_DBLCLK 2");
    EXPECT_EQ(f.log.front(), "LVN_ITEMCHANGED 2 3") << "the click came first";
    const Notice& dbl = f.owner.notices.back();
    EXPECT_EQ(dbl.subItem, 1);
    EXPECT_EQ(dbl.pt, Point(p));
}

TEST_F(ListInputTest, KeyOrder) {
    struct Case {
        const char* name;
        Qt::Key key;
        Log expected;
    } cases[] = {
        {"Delete", Qt::Key_Delete, {"hook 46", "OnKeyDown 46", "LVN_KEYDOWN 46", "OnKeyDown done"}},
        {"Down",
         Qt::Key_Down,
         {"hook 40", "OnKeyDown 40", "LVN_KEYDOWN 40", "LVN_ITEMCHANGED 1 0", "LVN_ITEMCHANGED 2 3",
          "OnKeyDown done"}},
    };
    for (const auto& c : cases) {
        SetStates(f.list, ".F....");
        f.list.SetSelectionMark(1);
        f.Forget();
        QTest::keyClick(f.list.GetWidget(), c.key);
        EXPECT_EQ(f.log, c.expected) << c.name;
    }
}

TEST_F(ListInputTest, NavigationKeys) {
    struct Case {
        const char* name;
        const char* before;
        int mark;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* after;
        int markAfter;
    } cases[] = {
        {"Down", "..F...", 2, Qt::Key_Down, Qt::NoModifier, "...F..", 3},
        {"Up", "..F...", 2, Qt::Key_Up, Qt::NoModifier, ".F....", 1},
        {"Up on the first row", "F.....", 0, Qt::Key_Up, Qt::NoModifier, "F.....", 0},
        {"Down on the last row", ".....F", 5, Qt::Key_Down, Qt::NoModifier, ".....F", 5},
        {"Home", "...F..", 3, Qt::Key_Home, Qt::NoModifier, "F.....", 0},
        {"End", "...F..", 3, Qt::Key_End, Qt::NoModifier, ".....F", 5},
        {"Shift+Down extends from the mark", "..F...", 2, Qt::Key_Down, Qt::ShiftModifier, "..sF..",
         2},
        {"Shift+End", "..F...", 2, Qt::Key_End, Qt::ShiftModifier, "..sssF", 2},
        {"Shift+Up over the mark", "..sF..", 2, Qt::Key_Up, Qt::ShiftModifier, "..F...", 2},
        {"Ctrl+Down moves the focus only", "..F...", 2, Qt::Key_Down, Qt::ControlModifier, "..sf..",
         2},
        {"Left does nothing", "..F...", 2, Qt::Key_Left, Qt::NoModifier, "..F...", 2},
        {"Right does nothing", "..F...", 2, Qt::Key_Right, Qt::NoModifier, "..F...", 2},
        {"Down without a focus", "......", -1, Qt::Key_Down, Qt::NoModifier, "F.....", 0},
    };
    for (const auto& c : cases) {
        SetStates(f.list, c.before);
        f.list.SetSelectionMark(c.mark);
        QTest::keyClick(f.list.GetWidget(), c.key, c.modifiers);
        EXPECT_EQ(StatesOf(f.list), c.after) << c.name;
        EXPECT_EQ(f.list.GetSelectionMark(), c.markAfter) << c.name;
    }
}

TEST_F(ListInputTest, PageDownScrollsTheFocusIntoView) {
    f.Rows(40);
    const int perPage = f.list.GetCountPerPage();
    ASSERT_GT(perPage, 2);
    SetStates(f.list, "F");
    QTest::keyClick(f.list.GetWidget(), Qt::Key_PageDown);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_FOCUSED), perPage - 1) << "to the page's last row";
    EXPECT_EQ(f.list.GetTopIndex(), 0);
    QTest::keyClick(f.list.GetWidget(), Qt::Key_PageDown);
    const int focus = f.list.GetNextItem(-1, LVNI_FOCUSED);
    EXPECT_EQ(focus, 2 * perPage - 2) << "then a page further";
    EXPECT_EQ(f.list.GetTopIndex(), focus - perPage + 1);
}

} // namespace
} // namespace platform_test
