#include "treefixture.h"

#include "activeowner.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

CItemInfo* CopyingGrid::CopyItemInfo(CItemInfo* info) {
    auto* copy = new CItemInfo;
    if (info) copy->CopyObjects(*info);
    return copy;
}

void TreeListTest::SetUp() {
    platform::TakeTraces();
    owner = std::make_unique<platform::Window>();
    ASSERT_TRUE(CreateActiveOwner(*owner, 600, 300));
    grid = std::make_unique<CopyingGrid>();
    ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                             platform::Rect(0, 0, 600, 300), owner.get(), 256));
    for (int column = 0; column < kColumns; ++column)
        grid->InsertColumn(column, std::to_string(column).c_str(), platform::LVCFMT_LEFT, 60);
}

void TreeListTest::TearDown() {
    grid.reset();
    if (owner) owner->DestroyWindow();
    owner.reset();
    EXPECT_EQ(platform::FailedAssertionCount(), expectedAssertions);
    platform::TakeTraces();
}

CItemInfo* TreeListTest::Info(const std::string& text, int kind,
                              const std::vector<std::string>& subItems) {
    auto* info = new CItemInfo;
    info->SetItemText(text);
    info->SetKind(kind);
    for (const auto& sub : subItems)
        info->AddSubItemText(sub);
    return info;
}

Node* TreeListTest::Root(const std::string& text) {
    return grid->InsertRootItem(Info(text));
}

Node* TreeListTest::Child(Node* parent, const std::string& text, BOOL bUpdate, int nPos, int kind) {
    return grid->InsertItem(parent, Info(text, kind), bUpdate, nPos);
}

int TreeListTest::RowCount() const {
    return grid->GetItemCount();
}

Node* TreeListTest::RowNode(int row) const {
    return reinterpret_cast<Node*>(grid->GetItemData(row));
}

int TreeListTest::RowIndent(int row) const {
    platform::LVITEM item;
    item.mask = platform::LVIF_INDENT;
    item.iItem = row;
    item.iIndent = -1;
    grid->GetItem(&item);
    return item.iIndent;
}

std::string TreeListTest::RowText(int row, int column) const {
    return grid->GetItemText(row, column);
}

bool TreeListTest::RowSelected(int row) const {
    return grid->GetItemState(row, platform::LVIS_SELECTED) != 0;
}

bool TreeListTest::RowFocused(int row) const {
    return grid->GetItemState(row, platform::LVIS_FOCUSED) != 0;
}

std::vector<Node*> TreeListTest::Rows() const {
    std::vector<Node*> out;
    for (int row = 0; row < RowCount(); ++row)
        out.push_back(RowNode(row));
    return out;
}

std::vector<int> TreeListTest::SelectedRows() const {
    std::vector<int> out;
    for (int row = 0; row < RowCount(); ++row)
        if (RowSelected(row)) out.push_back(row);
    return out;
}

std::vector<Node*> TreeListTest::Children(Node* node) const {
    std::vector<Node*> out;
    for (platform::POSITION pos = grid->GetChildHeadPosition(node); pos;)
        out.push_back(grid->GetNextChild(node, pos));
    return out;
}

std::vector<Node*> TreeListTest::VisibleNodes() const {
    std::vector<Node*> out;
    std::vector<Node*> stack;
    std::vector<Node*> roots;
    for (platform::POSITION pos = grid->GetRootHeadPosition(); pos;)
        roots.push_back(grid->GetNextRoot(pos));
    stack.assign(roots.rbegin(), roots.rend());
    while (!stack.empty()) {
        Node* node = stack.back();
        stack.pop_back();
        out.push_back(node);
        if (grid->IsCollapsed(node)) continue;
        auto children = Children(node);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return out;
}

void TreeListTest::AssertMirror() const {
    const auto expected = VisibleNodes();
    ASSERT_EQ(Rows(), expected) << "rows are not the visible nodes in pre-order";
    for (int row = 0; row < RowCount(); ++row) {
        Node* node = RowNode(row);
        EXPECT_EQ(RowIndent(row), grid->GetIndent(node)) << "indent of row " << row;
        EXPECT_EQ(grid->GetItemIndex(node), row) << "stored index of row " << row;
        EXPECT_EQ(grid->GetNodeRow(node), row) << "computed row of row " << row;
    }
}
