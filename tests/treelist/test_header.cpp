// The header the control installs: one sort column, drawn with its arrow.
#include "drawfixture.h"

#include "draw/dccalllog.h"
#include "headerctrlex.h"
#include "draw/syscolors.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

namespace {

using platform::COLORREF;
using platform::DcCall;
using platform::DcCallKind;
using platform::GetSysColor;
using platform::Point;
using platform::Rect;

class HeaderTest : public DrawTest {
  protected:
    CHeaderCtrlEx* Header() const { return dynamic_cast<CHeaderCtrlEx*>(grid->GetHeaderCtrl()); }
    bool OwnerDrawn(int column) const {
        platform::HDITEM item;
        item.mask = platform::HDI_FORMAT;
        EXPECT_TRUE(Header()->GetItem(column, &item));
        return (item.fmt & platform::HDF_OWNERDRAW) != 0;
    }
    // The calls of one paint of the header.
    std::vector<DcCall> PaintHeader() {
        QApplication::processEvents();
        platform::DcCallLog log;
        Header()->Invalidate();
        Header()->UpdateWindow();
        return log.Calls();
    }
    static std::vector<DcCall> OfKind(const std::vector<DcCall>& calls, DcCallKind kind) {
        std::vector<DcCall> out;
        for (const DcCall& call : calls)
            if (call.kind == kind) out.push_back(call);
        return out;
    }
};

TEST_F(HeaderTest, TheControlsHeaderIsTheSortArrowHeader) {
    ASSERT_NE(Header(), nullptr);
    EXPECT_EQ(Header()->GetItemCount(), kColumns);
}

TEST_F(HeaderTest, OnlyTheLastSortColumnIsOwnerDrawn) {
    EXPECT_EQ(Header()->SetSortImage(2, TRUE), -1);
    EXPECT_TRUE(OwnerDrawn(2));
    EXPECT_EQ(Header()->SetSortImage(4, FALSE), 2);
    EXPECT_FALSE(OwnerDrawn(2));
    EXPECT_TRUE(OwnerDrawn(4));
    EXPECT_EQ(Header()->SetSortImage(4, TRUE), 4);
    EXPECT_TRUE(OwnerDrawn(4));
    // A column the header does not have marks none.
    EXPECT_EQ(Header()->SetSortImage(9, TRUE), 4);
    for (int column = 0; column < kColumns; ++column)
        EXPECT_FALSE(OwnerDrawn(column)) << column;
}

TEST_F(HeaderTest, SortColumnIsDrawnWithItsArrow) {
    Rect section;
    ASSERT_TRUE(Header()->GetItemRect(4, &section));
    const int r = section.right;
    const int b = section.bottom;
    const int o = 8; // twice the width of a blank in DejaVu Sans 12 px
    const COLORREF light = GetSysColor(platform::COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(platform::COLOR_BTNSHADOW);
    struct Line {
        Point from, to;
        COLORREF color;
    };
    struct Case {
        BOOL ascending;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {FALSE,
         {{{r - 12, o - 1}, {r - 17, b - o + 1}, light},
          {{r - 17, b - o}, {r - 21, o - 1}, shadow},
          {{r - 21, o - 1}, {r - 12, o - 1}, shadow}}},
        {TRUE,
         {{{r - 16, o - 1}, {r - 12, b - o}, light},
          {{r - 12, b - o}, {r - 22, b - o}, light},
          {{r - 21, b - o - 1}, {r - 16, o - 2}, shadow}}},
    };
    Header()->SetSortImage(2, TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ascending ? "ascending" : "descending");
        Header()->SetSortImage(4, c.ascending);
        const auto calls = PaintHeader();
        // Only section 4 reaches the drawing: its face, its text, its arrow.
        const auto fills = OfKind(calls, DcCallKind::FillSolidRect);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].rect, section);
        EXPECT_EQ(fills[0].color, GetSysColor(platform::COLOR_BTNFACE));
        const auto texts = OfKind(calls, DcCallKind::DrawText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "4");
        EXPECT_EQ(texts[0].rect, Rect(section.left + o, section.top, r - 4 * o, b));
        EXPECT_EQ(texts[0].flags, 0x8924u);
        const auto lines = OfKind(calls, DcCallKind::LineTo);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i));
            EXPECT_EQ(lines[i].from, c.lines[i].from);
            EXPECT_EQ(lines[i].to, c.lines[i].to);
            EXPECT_EQ(lines[i].color, c.lines[i].color);
        }
    }
    // The shaded edge on screen: the descending arrow's top edge.
    Header()->SetSortImage(4, FALSE);
    PaintHeader();
    const QImage shot = Header()->GetWidget()->grab().toImage();
    EXPECT_EQ(platform::FromQColor(shot.pixelColor(r - 17, o - 1)), shadow);
    EXPECT_EQ(platform::FromQColor(shot.pixelColor(r - 17, o + 1)),
              GetSysColor(platform::COLOR_BTNFACE));
}

TEST_F(HeaderTest, APressedSortColumnShowsItsTextMoved) {
    Header()->SetSortImage(3, TRUE);
    Rect section;
    ASSERT_TRUE(Header()->GetItemRect(3, &section));
    const int o = 8;
    QWidget* client = Header()->GetClientWidget();
    const QPoint middle = section.CenterPoint().ToQPoint();
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, middle);
    const auto pressed = OfKind(PaintHeader(), DcCallKind::DrawText);
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, middle);
    const auto released = OfKind(PaintHeader(), DcCallKind::DrawText);
    ASSERT_EQ(pressed.size(), 1u);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(pressed[0].rect, Rect(section.left + 1 + o, section.top + 2,
                                    section.right + 1 - 4 * o, section.bottom));
    EXPECT_EQ(released[0].rect,
              Rect(section.left + o, section.top, section.right - 4 * o, section.bottom));
}

TEST_F(HeaderTest, CentredAndRightTitlesKeepTheirAlignment) {
    struct Case {
        int format;
        platform::UINT align;
    };
    const Case cases[] = {
        {platform::HDF_LEFT, 0},
        {platform::HDF_CENTER, platform::DT_CENTER},
        {platform::HDF_RIGHT, platform::DT_RIGHT},
    };
    for (const Case& c : cases) {
        platform::HDITEM item;
        item.mask = platform::HDI_FORMAT;
        item.fmt = c.format;
        ASSERT_TRUE(Header()->SetItem(1, &item));
        Header()->SetSortImage(1, TRUE);
        const auto texts = OfKind(PaintHeader(), DcCallKind::DrawText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].flags, 0x8924u | c.align) << c.format;
    }
}

} // namespace
