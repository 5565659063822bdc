// A tree-list control with nine columns on an active window, helpers to grow a tree, and the
// mirror check: the rows are exactly the visible nodes in pre-order, each
// row's item data its node, its indent the node's indent, and every node
// with a row stores that row's index.
#pragma once

#include "supergridctrl.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include "window/window.h"

#include <memory>
#include <string>
#include <vector>

using Node = CSuperGridCtrl::CTreeItem;

// A control whose copies of row data are full copies, as a cloning owner makes them.
class CopyingGrid : public CSuperGridCtrl {
  public:
    CItemInfo* CopyItemInfo(CItemInfo* info) override;
};

class TreeListTest : public ::testing::Test {
  protected:
    static constexpr int kColumns = 9;

    void SetUp() override;
    void TearDown() override;

    // A row record with a text, a kind (negative: group row) and sub-item texts.
    static CItemInfo* Info(const std::string& text, int kind = 0,
                           const std::vector<std::string>& subItems = {});
    Node* Root(const std::string& text);
    // A child at the tail, without rows unless bUpdate.
    Node* Child(Node* parent, const std::string& text, BOOL bUpdate = FALSE,
                int nPos = CSuperGridCtrl::insertTail, int kind = 0);

    // Reading the rows back.
    int RowCount() const;
    Node* RowNode(int row) const;
    int RowIndent(int row) const;
    std::string RowText(int row, int column) const;
    bool RowSelected(int row) const;
    bool RowFocused(int row) const;
    std::vector<Node*> Rows() const;
    std::vector<int> SelectedRows() const;

    // The visible nodes in pre-order, walked through the node accessors.
    std::vector<Node*> VisibleNodes() const;
    std::vector<Node*> Children(Node* node) const;
    // Fails the test when the rows do not mirror the tree.
    void AssertMirror() const;

    // Assertions the test expects the control to raise; checked at TearDown.
    int expectedAssertions = 0;
    // The grid fills an active top-level owner.
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<CopyingGrid> grid;
};
