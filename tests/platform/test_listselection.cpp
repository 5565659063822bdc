#include "controls/listselection.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

// Row states as one letter per row: '.' none, 's' selected, 'f' focused,
// 'F' selected and focused.
ListRows RowsFrom(const std::string& states, int mark) {
    ListRows rows;
    for (std::size_t i = 0; i < states.size(); ++i) {
        ListRow r;
        rows.InsertItem(static_cast<int>(i), r);
        const char c = states[i];
        unsigned s = 0;
        if (c == 's' || c == 'F') s |= LVIS_SELECTED;
        if (c == 'f' || c == 'F') s |= LVIS_FOCUSED;
        rows.SetItemState(static_cast<int>(i), s, LVIS_SELECTED | LVIS_FOCUSED);
    }
    rows.SetSelectionMark(mark);
    return rows;
}

std::string StatesOf(const ListRows& rows) {
    std::string out;
    for (int r = 0; r < rows.GetItemCount(); ++r) {
        const unsigned s = rows.GetItemState(r, LVIS_SELECTED | LVIS_FOCUSED);
        out += s == (LVIS_SELECTED | LVIS_FOCUSED) ? 'F'
               : s == LVIS_SELECTED                ? 's'
               : s == LVIS_FOCUSED                 ? 'f'
                                                   : '.';
    }
    return out;
}

std::string ChangedRows(const ListStateChanges& changes) {
    std::string out;
    for (const auto& c : changes)
        out += std::to_string(c.row);
    return out;
}

enum class Button { Left, Right };

TEST(ListSelectionTest, Clicks) {
    struct Case {
        const char* name;
        const char* before;
        int mark;
        Button button;
        int row;
        bool shift, ctrl;
        const char* after;
        int markAfter;
        const char* changed; // rows reported, in order (the focus row last)
    } cases[] = {
        {"plain on a new row", ".F....", 1, Button::Left, 3, false, false, "...F..", 3, "13"},
        {"plain on the same row", ".F....", 1, Button::Left, 1, false, false, ".F....", 1, ""},
        {"plain on one of several", ".sF.s.", 2, Button::Left, 2, false, false, "..F...", 2, "14"},
        {"plain below the rows", ".sF...", 2, Button::Left, -1, false, false, "..f...", 2, "12"},
        {"Shift down from the mark", ".F....", 1, Button::Left, 4, true, false, ".sssF.", 1,
         "1234"},
        {"Shift up from the mark", "s..F..", 3, Button::Left, 1, true, false, ".Fss..", 3, "0231"},
        {"Shift without a mark", "......", -1, Button::Left, 2, true, false, "..F...", 2, "2"},
        {"Ctrl adds a row", ".F....", 1, Button::Left, 4, false, true, ".s..F.", 4, "14"},
        {"Ctrl removes a row", ".s..F.", 4, Button::Left, 1, false, true, ".f..s.", 1, "41"},
        {"Ctrl+Shift adds a range", "F.....", 0, Button::Left, 3, true, true, "sssF..", 0, "0123"},
        {"Shift below the rows", ".F....", 1, Button::Left, -1, true, false, ".F....", 1, ""},
        {"right on an unselected row", ".F.s..", 1, Button::Right, 4, false, false, "....F.", 4,
         "134"},
        {"right on a selected row", ".F.s..", 1, Button::Right, 3, false, false, ".s.F..", 1, "13"},
        {"right below the rows", ".F.s..", 1, Button::Right, -1, false, false, ".f....", 1, "13"},
    };
    for (const auto& c : cases) {
        ListRows rows = RowsFrom(c.before, c.mark);
        ListStateChanges changes;
        if (c.button == Button::Left)
            ClickSelect(rows, c.row, c.shift, c.ctrl, &changes);
        else
            RightClickSelect(rows, c.row, &changes);
        EXPECT_EQ(StatesOf(rows), c.after) << c.name;
        EXPECT_EQ(rows.GetSelectionMark(), c.markAfter) << c.name;
        EXPECT_EQ(ChangedRows(changes), c.changed) << c.name;
    }
}

TEST(ListSelectionTest, ChangesCarryTheOldAndNewState) {
    ListRows rows = RowsFrom(".F....", 1);
    ListStateChanges changes;
    ClickSelect(rows, 3, false, false, &changes);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].oldState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(changes[0].newState, 0u);
    EXPECT_EQ(changes[1].oldState, 0u);
    EXPECT_EQ(changes[1].newState, LVIS_SELECTED | LVIS_FOCUSED);
}

TEST(ListSelectionTest, KeyTargets) {
    // 30 rows, a page of 10 rows showing rows 5..14.
    struct Case {
        ListKey key;
        int focus;
        int expected;
    } cases[] = {
        {ListKey::Up, 7, 6},        {ListKey::Up, 0, 0},         {ListKey::Down, 7, 8},
        {ListKey::Down, 29, 29},    {ListKey::Home, 7, 0},       {ListKey::End, 7, 29},
        {ListKey::PageDown, 7, 14}, {ListKey::PageDown, 14, 23}, {ListKey::PageDown, 25, 29},
        {ListKey::PageUp, 9, 5},    {ListKey::PageUp, 5, 0},     {ListKey::Down, -1, 0},
        {ListKey::End, -1, 29},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyTargetRow(c.key, c.focus, 30, 5, 10), c.expected)
            << static_cast<int>(c.key) << " from " << c.focus;
    EXPECT_EQ(KeyTargetRow(ListKey::Down, -1, 0, 0, 10), -1);
}

TEST(ListSelectionTest, Keys) {
    struct Case {
        const char* name;
        const char* before;
        int mark;
        int target;
        bool shift, ctrl;
        const char* after;
        int markAfter;
    } cases[] = {
        {"plain", "..F...", 2, 3, false, false, "...F..", 3},
        {"Shift extends from the mark", "..F...", 2, 4, true, false, "..ssF.", 2},
        {"Shift back over the mark", "..ssF.", 2, 1, true, false, ".Fs...", 2},
        {"Ctrl moves the focus only", "..F...", 2, 4, false, true, "..s.f.", 2},
        {"bad target", "..F...", 2, 6, false, false, "..F...", 2},
    };
    for (const auto& c : cases) {
        ListRows rows = RowsFrom(c.before, c.mark);
        KeySelect(rows, c.target, c.shift, c.ctrl, nullptr);
        EXPECT_EQ(StatesOf(rows), c.after) << c.name;
        EXPECT_EQ(rows.GetSelectionMark(), c.markAfter) << c.name;
    }
}

} // namespace
