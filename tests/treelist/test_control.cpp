// The control as a window: its styles, its row height and scrolling a
// selected node into view.
#include "treefixture.h"

#include "font.h"
#include "screendc.h"
#include "textmetrics.h"

#include <cstring>

namespace {

TEST_F(TreeListTest, CreationAddsTheReportAndOwnerDrawStyles) {
    EXPECT_EQ(grid->GetStyle() & 0x449u, 0x449u);
    EXPECT_EQ(grid->GetColumnCount(), kColumns);
    CSuperGridCtrl windowless;
    EXPECT_EQ(windowless.GetColumnCount(), 0);
}

TEST_F(TreeListTest, RowHeightIsTheFontHeightAndLeadingPlusFour) {
    platform::FontDesc desc;
    desc.lfHeight = -12;
    std::strcpy(desc.lfFaceName, "DejaVu Sans");
    platform::Font font(desc);
    grid->SetFont(&font);
    platform::ScreenDc dc;
    dc.SelectObject(&font);
    platform::TextMetrics tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(grid->GetRowHeight(), tm.tmHeight + tm.tmExternalLeading + 4);
    EXPECT_EQ(grid->GetRowHeight(), 18);
    Root("R");
    platform::Rect bounds;
    ASSERT_TRUE(grid->GetItemRect(0, &bounds, platform::LVIR_BOUNDS));
    EXPECT_EQ(bounds.Height(), 18);
}

TEST_F(TreeListTest, SelectNodeScrollsItsRowIntoView) {
    Node* r = Root("R");
    Node* deep = nullptr;
    for (int i = 0; i < 60; ++i) {
        Node* child = Child(r, "c" + std::to_string(i));
        if (i == 50) deep = Child(child, "deep");
    }
    grid->Expand(r, 0);
    ASSERT_EQ(grid->GetTopIndex(), 0);
    ASSERT_LT(grid->GetCountPerPage(), 52);
    const int row = grid->SelectNode(deep);
    EXPECT_EQ(row, 52);
    const int top = grid->GetTopIndex();
    EXPECT_LE(top, row);
    EXPECT_GE(top + grid->GetCountPerPage(), row);
    EXPECT_EQ(grid->GetSelectedItem(), row);
    AssertMirror();
}

} // namespace
