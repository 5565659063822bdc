// Expanding and collapsing: one level at a time, rows only for visible nodes.
#include "treefixture.h"

namespace {

class ExpandTest : public TreeListTest {
  protected:
    // R { a { a1 { a11 }, a2 }, b, c }, everything collapsed, only R has a row.
    void SetUp() override {
        TreeListTest::SetUp();
        r = Root("R");
        a = Child(r, "a");
        a1 = Child(a, "a1");
        a11 = Child(a1, "a11");
        a2 = Child(a, "a2");
        b = Child(r, "b");
        c = Child(r, "c");
    }
    Node *r, *a, *a1, *a11, *a2, *b, *c;
};

TEST_F(ExpandTest, ExpandShowsOneLevelAndASecondExpandInsertsNothing) {
    EXPECT_EQ(grid->Expand(r, 0), 3);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, b, c}));
    EXPECT_TRUE(grid->IsCollapsed(a));
    AssertMirror();
    EXPECT_EQ(grid->Expand(r, 0), 0);
    EXPECT_EQ(RowCount(), 4);
    AssertMirror();
    EXPECT_EQ(grid->Expand(b, 2), 2); // no children: nothing
    AssertMirror();
}

TEST_F(ExpandTest, CollapseOverTwoLevelsThenExpandShowsOneLevelAllCollapsed) {
    int last = -1;
    grid->ExpandAll(r, last);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, a1, a11, a2, b, c}));
    EXPECT_EQ(last, 3); // what the last Expand (of a1) inserted
    AssertMirror();
    grid->Collapse(r);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r}));
    for (Node* node : {r, a, a1})
        EXPECT_TRUE(grid->IsCollapsed(node));
    AssertMirror();
    grid->Collapse(r); // a collapsed node: nothing more to remove
    EXPECT_EQ(RowCount(), 1);
    grid->Expand(r, 0);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, b, c}));
    AssertMirror();
    grid->Expand(a, 1);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, a1, a2, b, c}));
    AssertMirror();
}

TEST_F(ExpandTest, CollapseOfAMiddleNodeKeepsTheRowsAroundIt) {
    int last = -1;
    grid->ExpandAll(r, last);
    grid->Collapse(a1);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, a1, a2, b, c}));
    AssertMirror();
    grid->Collapse(a);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, b, c}));
    AssertMirror();
    // Collapsing a hidden node sets the flags only.
    grid->Expand(a, 1);
    grid->Expand(a1, 2);
    grid->Collapse(r);
    grid->SetCollapsed(r, FALSE);
    grid->SetCollapsed(a, FALSE);
    grid->Collapse(r);
    EXPECT_EQ(RowCount(), 1);
    AssertMirror();
}

TEST_F(ExpandTest, ChildLinkedToAShownNodeDoesNotTakeItsSiblingsRowsWithItsCollapse) {
    // After the parent's Expand: a has a row, its new child has none.
    grid->Expand(r, 0);
    auto* extra = new Node;
    grid->AddChildTail(b, extra);
    EXPECT_TRUE(grid->ItemHasChildren(b));
    EXPECT_FALSE(grid->IsCollapsed(b));
    grid->Collapse(b);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, b, c}));
    EXPECT_TRUE(grid->IsCollapsed(b));
    AssertMirror();

    // Before the parent's Expand: the expand marks the child collapsed.
    grid->Collapse(r);
    grid->SetChildrenFlag(c, 0);
    grid->Expand(r, 0);
    EXPECT_TRUE(grid->IsCollapsed(c));
    grid->Collapse(c);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, b, c}));
    AssertMirror();
    // Expanding it shows the linked child (row data none: an empty row).
    EXPECT_EQ(grid->Expand(b, 2), 3);
    EXPECT_EQ(RowNode(3), extra);
    EXPECT_EQ(RowText(3, 0), "");
}

TEST_F(ExpandTest, ChildrenFlagCountsAsChildren) {
    Node* leaf = Child(b, "leaf");
    EXPECT_FALSE(grid->ItemHasChildren(leaf));
    grid->SetChildrenFlag(leaf, 0);
    EXPECT_TRUE(grid->ItemHasChildren(leaf));
    grid->SetChildrenFlag(leaf, -1);
    EXPECT_FALSE(grid->ItemHasChildren(leaf));
    // A child added while the parent is collapsed still counts.
    EXPECT_TRUE(grid->IsCollapsed(b));
    EXPECT_TRUE(grid->ItemHasChildren(b));
    EXPECT_EQ(grid->GetChildCount(b), 1);
}

TEST_F(ExpandTest, NodeRowsCountTheVisibleRowsBefore) {
    Node* second = Root("S");
    grid->Expand(r, 0);
    EXPECT_EQ(grid->GetNodeRow(second), 4);
    EXPECT_EQ(grid->GetNodeRow(a1), -1);
    EXPECT_EQ(grid->GetNodeRow(c), 3);
    AssertMirror();
    CSuperGridCtrl other;
    Node* foreign = other.InsertRootItem(nullptr);
    EXPECT_EQ(grid->GetNodeRow(foreign), -1);
}

TEST_F(ExpandTest, SelectNodeExpandsThePathAndSelectsTheRow) {
    Root("S");
    const int row = grid->SelectNode(a11);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(Rows(), (std::vector<Node*>{r, a, a1, a11, a2, b, c, grid->GetRootItem(1)}));
    EXPECT_TRUE(RowSelected(3));
    EXPECT_TRUE(RowFocused(3));
    EXPECT_EQ(grid->GetSelectedItem(), 3);
    AssertMirror();
    // Other rows keep their selection; the focus moves.
    EXPECT_EQ(grid->SelectNode(c), 6);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 6}));
    EXPECT_FALSE(RowFocused(3));
    // A root: its own row.
    EXPECT_EQ(grid->SelectNode(grid->GetRootItem(1)), 7);
    EXPECT_EQ(grid->SelectNode(r), 0);
    EXPECT_EQ(grid->GetSelectedItem(), 0);
}

TEST_F(ExpandTest, RefreshRowTextWritesOnlyTheNodesOwnRow) {
    grid->Expand(r, 0);
    grid->Expand(a, 1);
    grid->Collapse(a); // a1 keeps its stale index 2, now b's row
    ASSERT_EQ(grid->GetItemIndex(a1), 2);
    grid->GetData(a1)->SetItemText("changed");
    grid->RefreshRowText(a1);
    EXPECT_EQ(RowText(2, 0), "b");
    grid->UpdateData(b, Info("B", 0, {"s1"}), TRUE);
    EXPECT_EQ(RowText(2, 0), "B");
    EXPECT_EQ(RowText(2, 1), "s1");
    EXPECT_EQ(grid->GetData(b)->GetItemText(), "B");
    AssertMirror();
}

TEST_F(ExpandTest, WalksFollowPreOrder) {
    grid->Expand(r, 0);
    struct Case {
        Node* start;
        Node* current;
        BOOL visibleOnly;
        Node* next;
        Node* previous;
    } cases[] = {
        {r, r, TRUE, a, r},      {r, a, TRUE, b, r}, {r, a, FALSE, a1, r},
        {r, a11, FALSE, a2, a1}, {r, c, TRUE, c, b}, {a, a2, FALSE, a2, a11},
        {a, b, FALSE, b, b},   // not met: current itself
        {r, a1, TRUE, a1, a1}, // hidden: not met by a visible walk
    };
    for (const auto& k : cases) {
        EXPECT_EQ(grid->GetNextNode(k.start, k.current, TRUE, k.visibleOnly), k.next)
            << grid->GetData(k.current)->GetItemText();
        EXPECT_EQ(grid->GetPreviousNode(k.start, k.current, TRUE, k.visibleOnly), k.previous)
            << grid->GetData(k.current)->GetItemText();
    }
    EXPECT_TRUE(grid->IsInSubtree(a, a11));
    EXPECT_TRUE(grid->IsInSubtree(a, a));
    EXPECT_FALSE(grid->IsInSubtree(a, b));
}

} // namespace
