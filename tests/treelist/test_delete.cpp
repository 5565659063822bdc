// Deleting rows and nodes, cloning subtrees, and clearing the control.
#include "treefixture.h"

namespace {

class DeleteTest : public TreeListTest {
  protected:
    // R { a { a1, a2 }, b, c } with R and a expanded; then S, a root.
    void SetUp() override {
        TreeListTest::SetUp();
        r = Root("R");
        a = Child(r, "a");
        a1 = Child(a, "a1");
        a2 = Child(a, "a2");
        b = Child(r, "b");
        c = Child(r, "c");
        s = Root("S");
        grid->Expand(r, 0);
        grid->Expand(a, 1);
    }
    Node *r, *a, *a1, *a2, *b, *c, *s;
};

TEST_F(DeleteTest, ExpandedMiddleNodeTakesItsSubtreeRowsAndSelectsTheNextRow) {
    ASSERT_EQ(Rows(), (std::vector<Node*>{r, a, a1, a2, b, c, s}));
    grid->DeleteItemEx(a, 1);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, b, c, s}));
    EXPECT_EQ(Children(r), (std::vector<Node*>{b, c}));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1}));
    EXPECT_TRUE(RowFocused(1));
    AssertMirror();
}

TEST_F(DeleteTest, LastRowSelectsTheNewLastRow) {
    grid->SelectAllRows(FALSE);
    grid->DeleteItemRows(s, 6);
    EXPECT_EQ(RowCount(), 6);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5}));
    EXPECT_TRUE(RowFocused(5));
    EXPECT_EQ(grid->GetSelectedItem(), 5);
    EXPECT_EQ(grid->GetRootItem(1), nullptr);
    AssertMirror();
}

TEST_F(DeleteTest, RowZeroLeavesNothingSelected) {
    grid->DeleteItemRows(r, 0);
    EXPECT_EQ(Rows(), (std::vector<Node*>{s}));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    EXPECT_EQ(grid->GetRootItem(0), s);
    AssertMirror();
}

TEST_F(DeleteTest, NodeAndChildDeletesTakeTheRowsOfWhatTheyDelete) {
    EXPECT_TRUE(grid->DeleteNode(a1));
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, a2, b, c, s}));
    AssertMirror();
    grid->DeleteChildren(r);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, s}));
    EXPECT_FALSE(grid->IsCollapsed(r));
    EXPECT_EQ(grid->GetChildCount(r), 0);
    AssertMirror();
    grid->DeleteRootItem(r);
    EXPECT_EQ(Rows(), (std::vector<Node*>{s}));
    AssertMirror();
}

TEST_F(DeleteTest, CloneCopiesTheSubtreeAndRefusesItsOwnInside) {
    EXPECT_TRUE(grid->CloneSubtree(r, a)); // r is expanded: the copy gets its row
    ASSERT_EQ(grid->GetChildCount(r), 4);
    Node* copy = Children(r).back();
    EXPECT_EQ(grid->GetData(copy)->GetItemText(), "a");
    EXPECT_EQ(grid->GetChildCount(copy), 2);
    EXPECT_EQ(grid->GetData(Children(copy)[1])->GetItemText(), "a2");
    EXPECT_EQ(RowNode(6), copy);
    AssertMirror();

    const auto before = Rows();
    EXPECT_FALSE(grid->CloneSubtree(a1, a));
    EXPECT_FALSE(grid->CloneSubtree(a, a));
    EXPECT_FALSE(grid->CloneSubtree(nullptr, a));
    expectedAssertions = 2;
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(grid->GetChildCount(a1), 0);
    EXPECT_EQ(grid->GetChildCount(a), 2);
    AssertMirror();
}

TEST_F(DeleteTest, CloneWithoutACopyingOwnerAssertsAndInsertsEmptyRows) {
    CSuperGridCtrl plain;
    Node* root = plain.InsertRootItem(nullptr);
    Node* x = plain.InsertItem(root, Info("x"), FALSE);
    EXPECT_TRUE(plain.CloneSubtree(root, x));
    expectedAssertions = 1;
    ASSERT_EQ(plain.GetChildCount(root), 2);
    platform::POSITION pos = plain.GetChildTailPosition(root);
    Node* copy = plain.GetPrevChild(root, pos);
    ASSERT_NE(plain.GetData(copy), nullptr);
    EXPECT_EQ(plain.GetData(copy)->GetItemText(), "");
    EXPECT_EQ(plain.GetNextChild(root, pos), x);
}

TEST_F(DeleteTest, DeleteAllAndTheDestructorFreeEveryNodeOnce) {
    Root("T");
    grid->DeleteAll();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(grid->GetRootItem(0), nullptr);
    AssertMirror();
    // A full tree left to the destructor (the sanitizer build checks the frees).
    Node* x = Root("X");
    for (int i = 0; i < 3; ++i)
        Child(Child(x, "c"), "g");
    grid->UpdateData(x, Info("X2"), TRUE);
    int last = 0;
    grid->ExpandAll(x, last);
    EXPECT_EQ(RowCount(), 7);
    AssertMirror();
}

} // namespace
