#include "drawfixture.h"

#include "activeowner.h"
#include "base/trace.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <cstring>
#include <string>

namespace {

QImage Strip(const std::vector<platform::COLORREF>& colors) {
    QImage strip(16 * static_cast<int>(colors.size()), 16, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (std::size_t i = 0; i < colors.size(); ++i)
        painter.fillRect(16 * static_cast<int>(i), 0, 16, 16, platform::ToQColor(colors[i]));
    return strip;
}

} // namespace

void DrawTest::SetUp() {
    platform::TakeTraces();
    platform::FontDesc desc;
    desc.lfHeight = -12;
    std::strcpy(desc.lfFaceName, "DejaVu Sans");
    ASSERT_TRUE(font.CreateFontIndirect(&desc));
    const QImage strip = Strip({kImage0, kImage1, kImage2});
    ASSERT_TRUE(rowImages.Create(strip, kIcon, 1, platform::CLR_NONE));

    owner = std::make_unique<platform::Window>();
    ASSERT_TRUE(CreateActiveOwner(*owner, 600, 300));
    grid = std::make_unique<DrawGrid>();
    ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                             platform::Rect(0, 0, 600, 300), owner.get(), 256));
    grid->SetFont(&font);
    grid->SetImageList(&rowImages, platform::LVSIL_SMALL);
    ASSERT_TRUE(grid->CellImages().Create(strip, kIcon, 1, platform::CLR_NONE));
    for (int column = 0; column < kColumns; ++column)
        grid->InsertColumn(column, std::to_string(column).c_str(), platform::LVCFMT_LEFT,
                           column == 0 ? 145 : 100);
    ASSERT_EQ(grid->GetRowHeight(), kRowHeight);

    root = grid->InsertRootItem(nullptr);
    for (int i = 0; i < 3; ++i)
        children.push_back(grid->InsertItem(root, nullptr));
    grid->Expand(root, 0);
    ASSERT_EQ(grid->GetItemCount(), 4);
    Shot();
}

void DrawTest::TearDown() {
    grid.reset();
    if (owner) owner->DestroyWindow();
    owner.reset();
    EXPECT_EQ(platform::FailedAssertionCount(), 0);
    platform::TakeTraces();
}

QImage DrawTest::Shot() {
    QApplication::processEvents();
    return grid->GetClientWidget()->grab().toImage();
}

platform::COLORREF DrawTest::At(const QImage& shot, int x, int y) {
    return platform::FromQColor(shot.pixelColor(x, y));
}

int DrawTest::RowTop(int row) const {
    platform::Rect bounds;
    EXPECT_TRUE(grid->GetItemRect(row, &bounds, platform::LVIR_BOUNDS));
    return bounds.top;
}

int DrawTest::ColumnLeft(int column) const {
    platform::Rect cell;
    EXPECT_TRUE(grid->GetSubItemRect(0, column, platform::LVIR_BOUNDS, cell));
    return cell.left;
}

void DrawTest::Repaint() {
    grid->Invalidate();
    grid->UpdateWindow();
}

void DrawTest::SelectOnly(int row) {
    grid->SetItemState(-1, 0, platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    grid->SetItemState(row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                       platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
}
