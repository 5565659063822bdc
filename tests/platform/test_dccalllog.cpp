// The record of drawing calls that tests read: what each call records, and
// which log hears it.
#include "canvas.h"

#include "draw/dccalllog.h"
#include "draw/imagelist.h"
#include "draw/pen.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platformtest;

namespace {

TEST(DcCallLogTest, RecordsTheCallsWithTheirArguments) {
    Canvas canvas;
    Dc& dc = *canvas.dc;
    ImageList images;
    QImage strip(8, 8, QImage::Format_RGB32);
    strip.fill(Qt::red);
    ASSERT_TRUE(images.Create(strip, 8, 1, CLR_NONE));
    Pen pen(PS_SOLID, 1, kBlue);
    dc.SelectObject(&pen);

    DcCallLog log;
    dc.FillSolidRect(Rect(1, 2, 3, 4), kGreen);
    Rect text(0, 0, 30, 10);
    dc.SetTextColor(kRed);
    dc.DrawText("ab", 2, &text, DT_RIGHT | DT_SINGLELINE);
    dc.DrawText("measured", 8, &text, DT_CALCRECT); // measuring draws nothing
    dc.MoveTo(2, 3);
    dc.LineTo(9, 3);
    Rect button(10, 0, 24, 14);
    dc.DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN);
    images.DrawEx(&dc, 0, Point(5, 6), Size(4, 8), CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT);

    const auto& calls = log.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, DcCallKind::FillSolidRect);
    EXPECT_EQ(calls[0].rect, Rect(1, 2, 3, 4));
    EXPECT_EQ(calls[0].color, kGreen);
    EXPECT_EQ(calls[1].kind, DcCallKind::DrawText);
    EXPECT_EQ(calls[1].text, "ab");
    EXPECT_EQ(calls[1].flags, DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ(calls[1].color, kRed);
    EXPECT_EQ(calls[2].kind, DcCallKind::LineTo);
    EXPECT_EQ(calls[2].from, Point(2, 3));
    EXPECT_EQ(calls[2].to, Point(9, 3));
    EXPECT_EQ(calls[2].color, kBlue);
    EXPECT_EQ(calls[3].kind, DcCallKind::DrawFrameControl);
    EXPECT_EQ(calls[3].rect, button);
    EXPECT_EQ(calls[3].state, DFCS_SCROLLDOWN);
    EXPECT_EQ(calls[4].kind, DcCallKind::DrawImage);
    EXPECT_EQ(calls[4].rect, Rect(5, 6, 9, 14));
    EXPECT_EQ(calls[4].index, 0);
    EXPECT_EQ(log.Calls(DcCallKind::LineTo).size(), 1u);
}

TEST(DcCallLogTest, AnInnerLogHidesTheOuterOneUntilItCloses) {
    Canvas canvas;
    Dc& dc = *canvas.dc;
    dc.FillSolidRect(Rect(0, 0, 1, 1), kRed); // no log open: not kept anywhere
    EXPECT_FALSE(DcCallLog::IsOpen());
    DcCallLog outer;
    dc.DrawFocusRect(Rect(0, 0, 5, 5));
    {
        DcCallLog inner;
        dc.Rectangle(Rect(0, 0, 6, 6));
        ASSERT_EQ(inner.Calls().size(), 1u);
        EXPECT_EQ(inner.Calls()[0].kind, DcCallKind::Rectangle);
    }
    dc.ExtTextOut(0, 0, ETO_OPAQUE, nullptr, "x", 1);
    ASSERT_EQ(outer.Calls().size(), 2u);
    EXPECT_EQ(outer.Calls()[0].kind, DcCallKind::DrawFocusRect);
    EXPECT_EQ(outer.Calls()[1].kind, DcCallKind::ExtTextOut);
    EXPECT_EQ(outer.Calls()[1].text, "x");
}

} // namespace
