// The control's own commit at the end of an edit: the text goes into the
// row record and into the list cell.
#include "treefixture.h"

#include <string>
#include <vector>

namespace {

struct CommitCase {
    int column;
    const char* text;
    std::vector<std::string> subItems; // the record's sub-item texts afterwards
    const char* itemText;
};

TEST_F(TreeListTest, CommitStoresTheTextInTheRowRecordAndTheCell) {
    const CommitCase cases[] = {
        {0, "renamed", {"a", "b"}, "renamed"},
        {2, "B2", {"a", "B2"}, "row"},
        {4, "far", {"a", "b", "", "far"}, "row"}, // past the texts: the array grows
    };
    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.column);
        grid->DeleteAll();
        Node* root = grid->InsertRootItem(Info("row", 0, {"a", "b"}));
        std::string text = c.text;
        platform::LV_ITEM item;
        item.mask = platform::LVIF_TEXT;
        item.iItem = 0;
        item.iSubItem = c.column;
        item.pszText = text.data();
        grid->CommitCellText(root, &item);

        const CItemInfo* info = grid->GetData(root);
        EXPECT_EQ(info->GetItemText(), c.itemText);
        std::vector<std::string> subItems;
        for (int n = 0; n < info->GetSubItemCount(); ++n)
            subItems.push_back(info->GetSubItemText(n));
        EXPECT_EQ(subItems, c.subItems);
        EXPECT_EQ(RowText(0, c.column), c.text);
    }
}

TEST_F(TreeListTest, CommitWithoutTextStoresNothing) {
    Node* root = grid->InsertRootItem(Info("row", 0, {"a"}));
    platform::LV_ITEM item;
    item.iItem = 0;
    item.iSubItem = 1;
    grid->CommitCellText(root, &item);
    EXPECT_EQ(grid->GetData(root)->GetSubItemText(0), "a");
    EXPECT_EQ(RowText(0, 1), "a");
}

} // namespace
