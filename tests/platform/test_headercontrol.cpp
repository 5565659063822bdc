// The list's column header: its items, their order, and the items a derived
// header draws itself.
#include "list_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace platform_test {
namespace {

constexpr DWORD kOwnerDraw = LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;

// A header that draws its owner-drawn items in one colour and notes each call.
class DrawingHeader : public HeaderControl {
  public:
    struct Call {
        UINT type, item, state;
        Rect rect;
        FontDesc font; // of the font selected when the drawing begins
    };
    std::vector<Call> calls;
    COLORREF fill = RGB(0, 0, 255);

  protected:
    void DrawItem(DRAWITEMSTRUCT* dis) override {
        calls.push_back({dis->CtlType, dis->itemID, dis->itemState, dis->rcItem,
                         dis->hDC->GetCurrentFont()->Desc()});
        dis->hDC->FillSolidRect(dis->rcItem, fill);
    }
};

void MakeOwnerDrawn(HeaderControl* header, int index) {
    HDITEM item;
    item.mask = HDI_FORMAT;
    header->GetItem(index, &item);
    item.fmt |= HDF_OWNERDRAW;
    header->SetItem(index, &item);
    header->Invalidate();
}

TEST(HeaderControlTest, ItemsOrderAndRectangles) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    HeaderControl* header = f.list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header->GetItemCount(), 2);

    HDITEM added;
    added.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
    added.pszText = const_cast<char*>("Third");
    added.cxy = 60;
    added.fmt = HDF_RIGHT;
    added.lParam = 77;
    EXPECT_EQ(header->InsertItem(9, &added), 2) << "past the end appends";
    EXPECT_EQ(header->InsertItem(-1, &added), -1);
    EXPECT_EQ(header->InsertItem(0, nullptr), -1);
    ASSERT_EQ(header->GetItemCount(), 3);

    char text[4] = {};
    HDITEM read;
    read.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
    read.pszText = text;
    read.cchTextMax = sizeof text;
    ASSERT_TRUE(header->GetItem(2, &read));
    EXPECT_STREQ(text, "Thi") << "cut at the buffer";
    EXPECT_EQ(read.cxy, 60);
    EXPECT_EQ(read.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(read.lParam, 77);
    EXPECT_FALSE(header->GetItem(3, &read));

    const int h = f.HeaderHeight();
    struct Case {
        int index;
        Rect rect;
    } rects[] = {{0, {0, 0, 100, h}}, {1, {100, 0, 180, h}}, {2, {180, 0, 240, h}}};
    for (const auto& c : rects) {
        Rect r;
        ASSERT_TRUE(header->GetItemRect(c.index, &r)) << c.index;
        EXPECT_EQ(r, c.rect) << c.index;
    }
    Rect r;
    EXPECT_FALSE(header->GetItemRect(3, &r));

    // The header is never reordered: positions are indices.
    for (int order = 0; order < 3; ++order)
        EXPECT_EQ(header->OrderToIndex(order), order);
    EXPECT_EQ(header->OrderToIndex(3), -1);
    EXPECT_EQ(header->OrderToIndex(-1), -1);
    int orderArray[3] = {-1, -1, -1};
    EXPECT_TRUE(header->GetOrderArray(orderArray, 3));
    EXPECT_EQ(orderArray[2], 2);
    EXPECT_FALSE(header->GetOrderArray(orderArray, 2));

    EXPECT_TRUE(header->DeleteItem(0));
    EXPECT_FALSE(header->DeleteItem(5));
    EXPECT_EQ(header->GetItemCount(), 2);
}

TEST(HeaderControlTest, ColumnWidthsMoveTheCells) {
    ListFixture f(kOwnerDraw, 300, 200);
    ASSERT_TRUE(f.created);
    f.Columns({100, 80});
    f.Rows(2);
    EXPECT_TRUE(f.list.SetColumnWidth(0, 120));
    EXPECT_EQ(f.list.GetColumnWidth(0), 120);
    Rect cell;
    f.list.GetSubItemRect(1, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(cell.left, 120);
    EXPECT_EQ(cell.right, 200);
    EXPECT_FALSE(f.list.SetColumnWidth(2, 10));
}

TEST(HeaderControlTest, OwnerDrawnItemsAreDrawnByTheHeaderPressedOrNot) {
    enum Take { BeforeCreate, AfterColumns, BySubclassWindow };
    struct Case {
        const char* name;
        Take take;
    } cases[] = {{"taken before creation", BeforeCreate},
                 {"taken after the columns", AfterColumns},
                 {"window taken over by the header", BySubclassWindow}};
    for (const auto& c : cases) {
        DrawingHeader header;
        std::function<void(TestList&)> take = [&](TestList& list) { list.SubclassHeader(&header); };
        auto f = std::make_unique<ListFixture>(kOwnerDraw, 300, 200,
                                               c.take == BeforeCreate ? take : nullptr);
        ASSERT_TRUE(f->created) << c.name;
        f->Columns({100, 80});
        if (c.take == AfterColumns) {
            EXPECT_TRUE(f->list.SubclassHeader(&header));
        } else if (c.take == BySubclassWindow) {
            EXPECT_TRUE(header.SubclassWindow(f->list.GetHeaderCtrl()));
        }
        ASSERT_EQ(f->list.GetHeaderCtrl(), &header) << c.name;
        ASSERT_EQ(header.GetItemCount(), 2) << c.name;
        EXPECT_EQ(f->list.GetColumnWidth(1), 80) << c.name;

        MakeOwnerDrawn(&header, 1);
        QWidget* client = header.GetClientWidget();
        QApplication::processEvents();
        header.calls.clear();
        client->repaint();
        ASSERT_EQ(header.calls.size(), 1u) << c.name << ": only the owner-drawn item";
        EXPECT_EQ(header.calls[0].type, ODT_HEADER);
        EXPECT_EQ(header.calls[0].item, 1u);
        EXPECT_EQ(header.calls[0].state, 0u);
        Rect itemRect;
        header.GetItemRect(1, &itemRect);
        EXPECT_EQ(header.calls[0].rect, itemRect) << c.name;
        const QImage shown = client->grab().toImage();
        EXPECT_EQ(shown.pixel(itemRect.CenterPoint().ToQPoint()), qRgb(0, 0, 255)) << c.name;

        // Held down, the item is drawn selected.
        const QPoint middle = itemRect.CenterPoint().ToQPoint();
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, middle);
        header.calls.clear();
        client->repaint();
        ASSERT_FALSE(header.calls.empty()) << c.name;
        EXPECT_EQ(header.calls.back().state, static_cast<UINT>(ODS_SELECTED)) << c.name;
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, middle);
        header.calls.clear();
        client->repaint();
        ASSERT_FALSE(header.calls.empty()) << c.name;
        EXPECT_EQ(header.calls.back().state, 0u) << c.name;
    }
}

TEST(HeaderControlTest, OwnerDrawnItemsStartWithTheHeadersFont) {
    DrawingHeader header;
    ListFixture f(kOwnerDraw, 300, 200, [&](TestList& list) { list.SubclassHeader(&header); });
    ASSERT_TRUE(f.created);
    FontDesc desc;
    desc.lfHeight = -17;
    std::strcpy(desc.lfFaceName, "DejaVu Serif");
    Font font(desc);
    f.list.SetFont(&font);
    f.Columns({100, 80});
    MakeOwnerDrawn(&header, 0);
    QApplication::processEvents();
    header.calls.clear();
    header.GetClientWidget()->repaint();
    ASSERT_EQ(header.calls.size(), 1u);
    EXPECT_EQ(header.calls[0].font.lfHeight, -17);
    EXPECT_STREQ(header.calls[0].font.lfFaceName, "DejaVu Serif");
}

} // namespace
} // namespace platform_test
