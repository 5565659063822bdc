// Inserting nodes: where a new child goes among its siblings, and which rows
// it gets.
#include "itemtext.h"
#include "base/text.h"
#include "treefixture.h"

#include <algorithm>

#include <ostream>

namespace {

// Insert positions under a parent whose children are plain rows x, y (a) or
// x and the group rows b*, d* (b).
struct PositionCase {
    int nPos;
    std::vector<const char*> texts; // each one inserted into a fresh tree
    int indexPlain;                 // index among the siblings in (a)
    int indexGroups;                // in (b)
    bool assertion;
};

void PrintTo(const PositionCase& c, std::ostream* os) {
    *os << "nPos " << c.nPos << " \"" << c.texts.front() << "\"";
}

const PositionCase kPositionCases[] = {
    {0, {"c"}, 0, 0, false},
    {1, {"c"}, 2, 3, false},
    {2, {""}, 2, 3, false},
    {2, {"a"}, 2, 1, false},
    {2, {"c", "C", "B"}, 2, 2, false},
    {2, {"e"}, 2, 3, false},
    {3, {"c"}, 2, 1, false},
    {9, {"c"}, 2, 3, true},
    {-1, {"c"}, 2, 3, true},
};

class InsertPosition : public TreeListTest,
                       public ::testing::WithParamInterface<std::tuple<PositionCase, bool>> {};

TEST_P(InsertPosition, PlacesTheNewChild) {
    const auto& [c, bUpdate] = GetParam();
    for (bool groups : {false, true}) {
        for (const char* text : c.texts) {
            grid->DeleteAll();
            Node* root = Root("P");
            Child(root, "x");
            if (groups) {
                Child(root, "b", FALSE, CSuperGridCtrl::insertTail, -1);
                Child(root, "d", FALSE, CSuperGridCtrl::insertTail, -1);
            } else {
                Child(root, "y");
            }
            grid->Expand(root, 0);
            Node* added = Child(root, text, bUpdate, c.nPos);
            const auto siblings = Children(root);
            const auto at = std::find(siblings.begin(), siblings.end(), added) - siblings.begin();
            EXPECT_EQ(at, groups ? c.indexGroups : c.indexPlain)
                << (groups ? "(b) " : "(a) ") << '"' << text << '"';
            // With bUpdate the new child has its row at once; without, the
            // parent waits collapsed for its next Expand.
            EXPECT_EQ(grid->IsCollapsed(root), !bUpdate);
            AssertMirror();
            if (c.assertion) expectedAssertions++;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, InsertPosition,
                         ::testing::Combine(::testing::ValuesIn(kPositionCases),
                                            ::testing::Bool()));

TEST(TextOrder, FoldsAsciiCaseAndPairsLeadBytes) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"abc", "ABC", 0},
        {"a", "B", -1},
        {"Z", "a", 1},
        {"ab", "abc", -1},
        {"", "", 0},
        {"\xE9", "\xC9", 1},
        {"[", "a", -1}, // '[' sits between the cases
        {"\x81"
         "A",
         "\x81"
         "a",
         -1}, // the byte after a lead byte is not folded
        {"\x81",
         "\x81"
         "a",
         -1},
    };
    platform::SetLeadBytePredicate([](unsigned char b) { return b == 0x81; });
    for (const auto& c : cases) {
        const int r = treelist::CompareNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << '"' << c.a << "\" vs \"" << c.b << '"';
    }
    platform::SetLeadBytePredicate(nullptr);
    EXPECT_EQ(treelist::CompareNoCase("\x81"
                                      "A",
                                      "\x81"
                                      "a"),
              0);
}

TEST_F(TreeListTest, RootsAreAppendedAsRowsWithTheirTextsButNotTheirCheck) {
    CItemInfo* info = Info("Network", 0, {"one", "two"});
    info->SetCheck(1);
    Node* first = grid->InsertRootItem(info);
    Node* second = grid->InsertRootItem(nullptr);
    EXPECT_EQ(grid->GetIndent(first), 1);
    EXPECT_EQ(grid->GetParentItem(first), nullptr);
    EXPECT_EQ(RowText(0, 0), "Network");
    EXPECT_EQ(RowText(0, 2), "two");
    EXPECT_FALSE(grid->GetCheck(0));
    ASSERT_NE(grid->GetData(second), nullptr);
    EXPECT_EQ(grid->GetData(second)->GetItemText(), "");
    EXPECT_EQ(grid->GetRootIndex(second), 1);
    AssertMirror();
}

TEST_F(TreeListTest, ChildRowsCarryTextsCheckAndIndent) {
    Node* root = Root("P");
    grid->Expand(root, 0);
    CItemInfo* info = Info("1", 0, {"BBC", "101"});
    info->SetCheck(1);
    Node* child = grid->InsertItem(root, info, TRUE, CSuperGridCtrl::insertTail);
    Node* grandchild = Child(child, "g");
    EXPECT_EQ(grid->GetIndent(child), 2);
    EXPECT_EQ(grid->GetIndent(grandchild), 3);
    EXPECT_EQ(grid->GetParentItem(grandchild), child);
    ASSERT_EQ(RowCount(), 2);
    EXPECT_EQ(RowText(1, 0), "1");
    EXPECT_EQ(RowText(1, 1), "BBC");
    EXPECT_EQ(RowText(1, 2), "101");
    EXPECT_TRUE(grid->GetCheck(1));
    AssertMirror();
}

TEST_F(TreeListTest, InsertWithoutRowsUnderAShownParentThenExpandShowsEachChildOnce) {
    Node* root = Root("P");
    Child(root, "x");
    Child(root, "y");
    grid->Expand(root, 0);
    ASSERT_EQ(RowCount(), 3);
    Node* z = Child(root, "z", FALSE);
    EXPECT_TRUE(grid->IsCollapsed(root));
    AssertMirror();
    EXPECT_EQ(grid->Expand(root, 0), 3);
    EXPECT_EQ(RowCount(), 4);
    EXPECT_EQ(RowNode(3), z);
    AssertMirror();
}

TEST_F(TreeListTest, InsertWithRowsUnderACollapsedParentMakesNoRow) {
    Node* root = Root("P");
    Node* x = Child(root, "x");
    grid->Expand(root, 0);
    Child(x, "x1"); // x is collapsed now and shows no children
    Node* x2 = Child(x, "x2", TRUE);
    EXPECT_EQ(RowCount(), 2);
    EXPECT_EQ(grid->GetNodeRow(x2), -1);
    EXPECT_TRUE(grid->IsCollapsed(x));
    AssertMirror();

    // A parent that is expanded but itself hidden: no row either, and it is
    // marked collapsed so that its rows come with its next Expand.
    Node* y = Child(root, "y", TRUE);
    grid->Expand(y, grid->GetNodeRow(y));
    grid->Collapse(root);
    grid->SetCollapsed(y, FALSE);
    Node* y1 = Child(y, "y1", TRUE);
    EXPECT_EQ(grid->GetNodeRow(y1), -1);
    EXPECT_TRUE(grid->IsCollapsed(y));
    EXPECT_EQ(RowCount(), 1);
    AssertMirror();
}

} // namespace
