// Null and foreign nodes, rows that are not the node's, links that would
// free a node twice: an assertion and a neutral answer, the rows unchanged.
#include "treefixture.h"

#include <functional>
#include <ostream>

namespace {

struct Tree {
    Node* r;       // expanded root
    Node* a;       // shown child with one hidden child
    Node* a1;      // hidden
    Node* foreign; // a root of another control
};

struct BadCase {
    const char* name;
    std::function<void(CSuperGridCtrl&, const Tree&)> act;
    int assertions;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

const BadCase kBadCases[] = {
    {"insert under null parent",
     [](CSuperGridCtrl& g, const Tree&) {
         EXPECT_EQ(g.InsertItem(nullptr, new CItemInfo, TRUE), nullptr);
     },
     1},
    {"insert under a foreign parent",
     [](CSuperGridCtrl& g, const Tree& t) {
         EXPECT_EQ(g.InsertItem(t.foreign, new CItemInfo, TRUE), nullptr);
     },
     1},
    {"expand at a row that is not the node's",
     [](CSuperGridCtrl& g, const Tree& t) {
         EXPECT_EQ(g.Expand(t.a, 0), -1);
         EXPECT_EQ(g.Expand(t.a, 99), -1);
         EXPECT_EQ(g.Expand(t.foreign, 0), -1);
         EXPECT_EQ(g.Expand(nullptr, 0), -1);
     },
     4},
    {"expand-all of a hidden node",
     [](CSuperGridCtrl& g, const Tree& t) {
         int last = 7;
         auto* info = new CItemInfo;
         g.InsertItem(t.a1, info, FALSE);
         g.ExpandAll(t.a1, last);
         EXPECT_EQ(last, 7);
     },
     1},
    {"delete at a row that is not the node's",
     [](CSuperGridCtrl& g, const Tree& t) {
         g.DeleteItemRows(t.a, 0);
         g.DeleteItemEx(t.a1, 1);
         g.DeleteItemRows(nullptr, 1);
     },
     3},
    {"delete nodes of another control",
     [](CSuperGridCtrl& g, const Tree& t) {
         EXPECT_FALSE(g.DeleteNode(t.foreign));
         g.DeleteRootItem(t.foreign);
         g.DeleteRootItem(t.a);
         g.DeleteChildren(t.foreign);
         EXPECT_FALSE(g.DeleteNode(t.r)); // a root is not in a child list
     },
     5},
    {"collapse, select and clone with foreign nodes",
     [](CSuperGridCtrl& g, const Tree& t) {
         g.Collapse(t.foreign);
         EXPECT_EQ(g.SelectNode(t.foreign), -1);
         EXPECT_EQ(g.SelectNode(nullptr), -1);
         EXPECT_FALSE(g.CloneSubtree(t.foreign, t.a));
     },
     4},
    {"links that would make a node owned twice",
     [](CSuperGridCtrl& g, const Tree& t) {
         g.AddChildTail(t.a, t.a);  // itself
         g.AddChildTail(t.a, t.r);  // a root
         g.AddChildTail(t.a1, t.a); // an ancestor, and another's child
         g.AddChildTail(t.a, t.a1); // already its child
         g.AddChildTail(t.a, nullptr);
         g.SetParentItem(t.a, t.a);
         g.SetParentItem(t.a, t.a1); // its own child
         EXPECT_EQ(g.GetParentItem(t.a), t.r);
     },
     7},
    {"accessors of a null node",
     [](CSuperGridCtrl& g, const Tree&) {
         EXPECT_EQ(g.GetChildHeadPosition(nullptr), nullptr);
         EXPECT_EQ(g.GetChildCount(nullptr), 0);
         EXPECT_FALSE(g.ItemHasChildren(nullptr));
         EXPECT_EQ(g.GetIndent(nullptr), -1);
         EXPECT_EQ(g.GetItemIndex(nullptr), -1);
         EXPECT_EQ(g.GetData(nullptr), nullptr);
         EXPECT_EQ(g.GetNodeRow(nullptr), -1);
         g.UpdateData(nullptr, nullptr, TRUE);
         g.RefreshRowText(nullptr);
         platform::POSITION pos = nullptr;
         EXPECT_EQ(g.GetNextChild(nullptr, pos), nullptr);
     },
     10},
    {"rows that do not exist",
     [](CSuperGridCtrl& g, const Tree&) {
         EXPECT_EQ(g.GetTreeItem(-1), nullptr);
         EXPECT_EQ(g.GetTreeItem(3), nullptr);
         EXPECT_EQ(g.SelectRows(TRUE, 0, 3), 0);
         EXPECT_EQ(g.SelectRows(TRUE, 5, -1), 0);
     },
     2},
};

class BadInput : public TreeListTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadInput, AssertsAndChangesNoRow) {
    CSuperGridCtrl other;
    Tree t;
    t.foreign = other.InsertRootItem(nullptr);
    t.r = Root("R");
    t.a = Child(t.r, "a");
    t.a1 = Child(t.a, "a1");
    Child(t.r, "b");
    grid->Expand(t.r, 0);
    const auto before = Rows();
    ASSERT_EQ(platform::FailedAssertionCount(), 0);
    GetParam().act(*grid, t);
    expectedAssertions = GetParam().assertions;
    EXPECT_EQ(Rows(), before);
    AssertMirror();
}

INSTANTIATE_TEST_SUITE_P(Table, BadInput, ::testing::ValuesIn(kBadCases));

} // namespace
