// Shapes, fills and lines of the drawing context, read back as pixels at
// fixed points of a white image.
#include "canvas.h"

#include "draw/brush.h"
#include "draw/dc.h"
#include "draw/pen.h"
#include "draw/syscolors.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace platform;
using namespace platformtest;

namespace {

struct Probe {
    int x, y;
    COLORREF expected;
};

struct PixelCase {
    const char* name;
    std::function<void(Dc&)> draw;
    std::vector<Probe> probes;
};

TEST(DcPixelsTest, ShapesPaintExactlyTheirPixels) {
    Pen bluePen(PS_SOLID, 1, kBlue);
    Brush greenBrush(kGreen);
    const std::vector<PixelCase> cases = {
        {"FillSolidRect (2,2,6,6) paints x 2..5",
         [](Dc& dc) { dc.FillSolidRect(Rect(2, 2, 6, 6), kRed); },
         {{1, 2, kWhite}, {2, 2, kRed}, {5, 5, kRed}, {6, 5, kWhite}, {5, 6, kWhite}}},
        {"FillSolidRect by origin and size",
         [](Dc& dc) { dc.FillSolidRect(2, 3, 4, 1, kRed); },
         {{2, 3, kRed}, {5, 3, kRed}, {6, 3, kWhite}, {2, 4, kWhite}}},
        {"inverted rectangles paint nothing",
         [&](Dc& dc) {
             dc.FillSolidRect(Rect(6, 6, 2, 2), kRed);
             dc.SelectObject(&greenBrush);
             dc.Rectangle(8, 8, 3, 3);
             dc.InvertRect(Rect(6, 6, 2, 2));
             dc.DrawFocusRect(Rect(6, 6, 2, 2));
         },
         {{2, 2, kWhite}, {4, 4, kWhite}, {5, 5, kWhite}, {6, 6, kWhite}}},
        {"Rectangle: pen outline inside, brush fill",
         [&](Dc& dc) {
             dc.SelectObject(&bluePen);
             dc.SelectObject(&greenBrush);
             dc.Rectangle(2, 2, 8, 8);
         },
         {{2, 2, kBlue},
          {7, 2, kBlue},
          {7, 7, kBlue},
          {2, 7, kBlue},
          {3, 3, kGreen},
          {6, 6, kGreen},
          {8, 8, kWhite},
          {8, 2, kWhite},
          {1, 1, kWhite}}},
        {"Rectangle without a pen stops short on the right and bottom",
         [&](Dc& dc) {
             dc.SelectObject(GetStockPen(NULL_PEN));
             dc.SelectObject(&greenBrush);
             dc.Rectangle(2, 2, 8, 8);
         },
         {{2, 2, kGreen}, {6, 6, kGreen}, {7, 7, kWhite}, {7, 2, kWhite}}},
        {"Rectangle with the null brush leaves the inside",
         [&](Dc& dc) {
             dc.SelectObject(&bluePen);
             dc.SelectObject(GetStockBrush(NULL_BRUSH));
             dc.Rectangle(2, 2, 8, 8);
         },
         {{2, 2, kBlue}, {4, 4, kWhite}}},
        {"LineTo paints 10 pixels from 0 to 10",
         [](Dc& dc) {
             dc.MoveTo(0, 5);
             dc.LineTo(10, 5);
         },
         {{0, 5, kBlack}, {9, 5, kBlack}, {10, 5, kWhite}}},
        {"LineTo upward excludes its end",
         [](Dc& dc) {
             dc.MoveTo(5, 10);
             dc.LineTo(5, 0);
         },
         {{5, 10, kBlack}, {5, 1, kBlack}, {5, 0, kWhite}, {5, 11, kWhite}}},
        {"LineTo leftward excludes its end",
         [](Dc& dc) {
             dc.MoveTo(10, 3);
             dc.LineTo(0, 3);
         },
         {{10, 3, kBlack}, {1, 3, kBlack}, {0, 3, kWhite}}},
        {"diagonal LineTo excludes its end",
         [](Dc& dc) {
             dc.MoveTo(0, 0);
             dc.LineTo(4, 4);
         },
         {{0, 0, kBlack}, {3, 3, kBlack}, {4, 4, kWhite}, {1, 0, kWhite}}},
        {"null pen draws no line",
         [](Dc& dc) {
             dc.SelectObject(GetStockPen(NULL_PEN));
             dc.MoveTo(0, 5);
             dc.LineTo(10, 5);
         },
         {{0, 5, kWhite}, {5, 5, kWhite}}},
        {"focus rect: every other border pixel inverted",
         [](Dc& dc) { dc.DrawFocusRect(Rect(2, 2, 8, 8)); },
         {{2, 2, kBlack},
          {3, 2, kWhite},
          {4, 2, kBlack},
          {7, 3, kBlack},
          {4, 4, kWhite},
          {8, 8, kWhite}}},
        {"InvertRect inverts its pixels only",
         [](Dc& dc) {
             dc.FillSolidRect(Rect(0, 0, 4, 4), kRed);
             dc.InvertRect(Rect(2, 2, 6, 6));
         },
         {{1, 1, kRed}, {2, 2, RGB(0, 255, 255)}, {5, 5, kBlack}, {6, 6, kWhite}}},
        {"PatBlt copies the brush and inverts",
         [&](Dc& dc) {
             dc.SelectObject(&greenBrush);
             dc.PatBlt(0, 0, 3, 3, PATCOPY);
             dc.PatBlt(10, 10, 2, 2, DSTINVERT);
         },
         {{2, 2, kGreen}, {3, 3, kWhite}, {10, 10, kBlack}, {12, 12, kWhite}}},
        {"FrameRect paints a one-pixel border",
         [&](Dc& dc) { dc.FrameRect(Rect(2, 2, 8, 8), &greenBrush); },
         {{2, 2, kGreen}, {7, 7, kGreen}, {7, 2, kGreen}, {3, 3, kWhite}, {8, 8, kWhite}}},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        c.draw(*canvas.dc);
        for (const Probe& p : c.probes)
            EXPECT_EQ(canvas.At(p.x, p.y), p.expected) << "at " << p.x << "," << p.y;
    }
}

TEST(DcPixelsTest, FillSolidRectMakesItsColourTheBackColour) {
    Canvas canvas;
    canvas.dc->FillSolidRect(Rect(0, 0, 1, 1), kRed);
    EXPECT_EQ(canvas.dc->GetBkColor(), kRed);
}

TEST(DcPixelsTest, InvertingTwiceLeavesNoTrace) {
    const std::vector<std::pair<const char*, std::function<void(Dc&)>>> cases = {
        {"focus rect", [](Dc& dc) { dc.DrawFocusRect(Rect(3, 4, 17, 12)); }},
        {"focus rect one pixel high", [](Dc& dc) { dc.DrawFocusRect(Rect(3, 4, 17, 5)); }},
        {"InvertRect", [](Dc& dc) { dc.InvertRect(Rect(3, 4, 17, 12)); }},
        {"DSTINVERT", [](Dc& dc) { dc.PatBlt(3, 4, 14, 8, DSTINVERT); }},
    };
    for (const auto& [name, draw] : cases) {
        SCOPED_TRACE(name);
        Canvas canvas;
        canvas.dc->FillSolidRect(Rect(0, 0, 10, 10), kRed);
        canvas.dc->FillSolidRect(Rect(10, 0, 20, 10), kBlue);
        QImage before = canvas.image.copy();
        draw(*canvas.dc);
        EXPECT_NE(canvas.image, before);
        draw(*canvas.dc);
        EXPECT_EQ(canvas.Done(), before);
    }
}

// Every pixel outside r keeps the canvas colour.
void ExpectNothingOutside(const QImage& image, const Rect& r, COLORREF canvasColor) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (r.PtInRect(Point(x, y))) continue;
            ASSERT_EQ(FromQColor(QColor(image.pixel(x, y))), canvasColor) << "at " << x << "," << y;
        }
    }
}

TEST(DcPixelsTest, EdgesAndFrameControlsStayInside) {
    const COLORREF magenta = RGB(255, 0, 255);
    const Rect r(5, 5, 25, 20);
    struct EdgeCase {
        UINT edge;
        COLORREF topLeft, bottomRight; // outer ring
    };
    const std::vector<EdgeCase> edges = {
        {EDGE_RAISED, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)},
        {EDGE_SUNKEN, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
        {BDR_SUNKENINNER, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)},
        {BDR_RAISEDINNER, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)},
    };
    for (const EdgeCase& e : edges) {
        SCOPED_TRACE(e.edge);
        Canvas canvas(30, 25, ToQColor(magenta));
        Rect adjusted = r;
        EXPECT_TRUE(canvas.dc->DrawEdge(&adjusted, e.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(canvas.At(r.left, r.top + 1), e.topLeft);
        EXPECT_EQ(canvas.At(r.left + 1, r.top), e.topLeft);
        EXPECT_EQ(canvas.At(r.right - 1, r.bottom - 1), e.bottomRight);
        EXPECT_EQ(canvas.At(r.right - 1, r.top), e.bottomRight);
        int width = (e.edge & BDR_OUTER) && (e.edge & BDR_INNER) ? 2 : 1;
        EXPECT_EQ(adjusted, Rect(r.left + width, r.top + width, r.right - width, r.bottom - width));
        EXPECT_EQ(canvas.At(adjusted.left, adjusted.top), magenta);
        ExpectNothingOutside(canvas.Done(), r, magenta);
    }

    for (UINT state : {DFCS_SCROLLDOWN, DFCS_SCROLLDOWN | DFCS_PUSHED, DFCS_SCROLLUP}) {
        SCOPED_TRACE(state);
        Canvas canvas(30, 25, ToQColor(magenta));
        Rect button = r;
        EXPECT_TRUE(canvas.dc->DrawFrameControl(&button, DFC_SCROLL, state));
        EXPECT_EQ(button, r);
        // The face, and the arrow's middle column in the button text colour.
        EXPECT_EQ(canvas.At(r.left + 3, r.top + 3), GetSysColor(COLOR_BTNFACE));
        int arrowColumn = (r.left + 2 + r.right - 2) / 2 + ((state & DFCS_PUSHED) ? 1 : 0);
        int arrowPixels = 0;
        for (int y = r.top; y < r.bottom; ++y)
            arrowPixels += canvas.At(arrowColumn, y) == GetSysColor(COLOR_BTNTEXT);
        EXPECT_GT(arrowPixels, 0);
        ExpectNothingOutside(canvas.Done(), r, magenta);
    }
}

TEST(DcPixelsTest, SaveAndRestoreBringBackOriginClipAndObjects) {
    Canvas canvas;
    Dc& dc = *canvas.dc;
    Brush green(kGreen);
    int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SetWindowOrg(-10, -10);
    dc.IntersectClipRect(0, 0, 2, 2);
    dc.SelectObject(&green);
    dc.SetTextColor(kRed);
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SetBkMode(TRANSPARENT);

    dc.FillSolidRect(Rect(0, 0, 5, 5), kRed); // device (10,10)..(11,11) only
    EXPECT_EQ(canvas.At(10, 10), kRed);
    EXPECT_EQ(canvas.At(12, 12), kWhite);
    EXPECT_EQ(canvas.At(0, 0), kWhite);

    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_FALSE(dc.RestoreDC(-1)); // nothing saved any more
    EXPECT_FALSE(dc.RestoreDC(5));
    EXPECT_EQ(dc.GetWindowOrg(), Point(0, 0));
    EXPECT_EQ(dc.GetTextColor(), kBlack);
    dc.PatBlt(0, 0, 4, 4, PATCOPY); // the white stock brush again
    dc.FillSolidRect(Rect(0, 0, 2, 2), kBlue);
    EXPECT_EQ(canvas.At(0, 0), kBlue);
    EXPECT_EQ(canvas.At(3, 3), kWhite);
    EXPECT_EQ(dc.SelectObject(&green), GetStockBrush(WHITE_BRUSH));
}

TEST(DcPixelsTest, ClipBoxFollowsOriginAndClips) {
    struct ClipCase {
        const char* name;
        std::function<void(Dc&)> setUp;
        int result;
        Rect box;
    };
    const std::vector<ClipCase> cases = {
        {"whole device", [](Dc&) {}, SIMPLEREGION, Rect(0, 0, 40, 30)},
        {"moved origin", [](Dc& dc) { dc.SetWindowOrg(5, 5); }, SIMPLEREGION, Rect(5, 5, 45, 35)},
        {"intersected", [](Dc& dc) { dc.IntersectClipRect(10, 10, 20, 20); }, SIMPLEREGION,
         Rect(10, 10, 20, 20)},
        {"intersected past the device", [](Dc& dc) { dc.IntersectClipRect(30, 20, 60, 60); },
         SIMPLEREGION, Rect(30, 20, 40, 30)},
        {"disjoint intersections",
         [](Dc& dc) {
             dc.IntersectClipRect(0, 0, 5, 5);
             dc.IntersectClipRect(10, 10, 20, 20);
         },
         NULLREGION, Rect()},
        {"inverted intersection", [](Dc& dc) { dc.IntersectClipRect(20, 20, 10, 10); }, NULLREGION,
         Rect()},
        {"clip dropped",
         [](Dc& dc) {
             dc.IntersectClipRect(0, 0, 5, 5);
             dc.SelectClipRgnNone();
         },
         SIMPLEREGION, Rect(0, 0, 40, 30)},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        c.setUp(*canvas.dc);
        Rect box(1, 2, 3, 4);
        EXPECT_EQ(canvas.dc->GetClipBox(&box), c.result);
        EXPECT_EQ(box, c.box);
    }
}

TEST(DcPixelsTest, AnisotropicMappingScalesLogicalUnits) {
    Canvas canvas;
    Dc& dc = *canvas.dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(50, 50);
    dc.FillSolidRect(Rect(0, 0, 20, 20), kRed);
    EXPECT_EQ(canvas.At(9, 9), kRed);
    EXPECT_EQ(canvas.At(10, 10), kWhite);
    Rect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, Rect(0, 0, 80, 60));
}

TEST(DcPixelsTest, BitBltCopiesFromAnotherContext) {
    Canvas source(10, 10);
    source.dc->FillSolidRect(Rect(2, 2, 4, 4), kRed);
    Canvas target;
    EXPECT_TRUE(target.dc->BitBlt(20, 20, 4, 4, source.dc.get(), 1, 1, SRCCOPY));
    EXPECT_EQ(target.At(20, 20), kWhite); // source (1,1)
    EXPECT_EQ(target.At(21, 21), kRed);   // source (2,2)
    EXPECT_EQ(target.At(22, 22), kRed);
    EXPECT_EQ(target.At(23, 23), kWhite);
    EXPECT_EQ(target.At(24, 24), kWhite);
    EXPECT_FALSE(target.dc->BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
}

} // namespace

namespace {

TEST(DcPixelsTest, DeviceCapsDescribeTheDevice) {
    QImage colour(40, 30, QImage::Format_ARGB32_Premultiplied);
    colour.setDotsPerMeterX(3780);  // 96 per inch
    colour.setDotsPerMeterY(11811); // 300 per inch
    QImage mono(16, 8, QImage::Format_Mono);
    const struct {
        QImage* image;
        int index, expected;
    } cases[] = {
        {&colour, HORZRES, 40},     {&colour, VERTRES, 30},   {&colour, LOGPIXELSX, 96},
        {&colour, LOGPIXELSY, 300}, {&colour, NUMCOLORS, -1}, {&mono, NUMCOLORS, 2},
        {&mono, HORZRES, 16},       {&colour, 12345, 0},
    };
    for (const auto& c : cases) {
        Dc dc(static_cast<QPaintDevice*>(c.image));
        EXPECT_EQ(dc.GetDeviceCaps(c.index), c.expected) << c.index;
    }
    Dc none(static_cast<QPaintDevice*>(nullptr));
    EXPECT_EQ(none.GetDeviceCaps(HORZRES), 0);
    Rect box;
    EXPECT_EQ(none.GetClipBox(&box), ERROR_REGION);
    none.FillSolidRect(Rect(0, 0, 5, 5), kRed); // draws nothing, and does not fail
}

} // namespace
