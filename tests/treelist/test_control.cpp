// The control as a window: its styles, its row height and scrolling a
// selected node into view.
#include "treefixture.h"

#include "draw/font.h"
#include "draw/screendc.h"
#include "draw/syscolors.h"
#include "draw/textmetrics.h"

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
        Node* child = Child(r, std::to_string(i));
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

namespace {

// The drag picture: the row's bounds, window colour, the row's small image at
// the top left.
TEST_F(TreeListTest, DragImageIsThePictureOfTheRow) {
    platform::ImageList small;
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    ASSERT_TRUE(small.Create(red, 16, 1, platform::CLR_NONE));
    grid->SetImageList(&small, platform::LVSIL_SMALL);
    Root("R");
    platform::Rect bounds;
    ASSERT_TRUE(grid->GetItemRect(0, &bounds, platform::LVIR_BOUNDS));
    auto picture = grid->MakeDragImage(0);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->GetImageCount(), 1);
    int cx = 0, cy = 0;
    ASSERT_TRUE(picture->GetIconSize(&cx, &cy));
    EXPECT_EQ(cx, bounds.Width());
    EXPECT_EQ(cy, bounds.Height());
    const QImage image = picture->GetImage(0);
    EXPECT_EQ(platform::FromQColor(image.pixelColor(2, 2)), platform::RGB(255, 0, 0));
    EXPECT_EQ(platform::FromQColor(image.pixelColor(cx - 2, cy - 2)),
              platform::GetSysColor(platform::COLOR_WINDOW));
    EXPECT_EQ(grid->MakeDragImage(1), nullptr);
    expectedAssertions = 1;
    grid->SetImageList(nullptr, platform::LVSIL_SMALL);
}

} // namespace
