#include "canvas.h"

#include "draw/imagelist.h"
#include "draw/syscolors.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace platform;
using namespace platformtest;

namespace {

constexpr COLORREF kMask = RGB(0, 255, 255);
const COLORREF kImageColors[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 120)};

// Three 16 x 16 images in their colours, each with a 4 x 4 mask-coloured corner.
QImage Strip() {
    QImage strip(48, 16, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int i = 0; i < 3; ++i) {
        p.fillRect(i * 16, 0, 16, 16, ToQColor(kImageColors[i]));
        p.fillRect(i * 16, 0, 4, 4, ToQColor(kMask));
    }
    return strip;
}

TEST(ImageListTest, StripsAreCutIntoImages) {
    ImageList list;
    ASSERT_TRUE(list.Create(Strip(), 16, 1, kMask));
    EXPECT_EQ(list.GetImageCount(), 3);
    int cx = 0, cy = 0;
    EXPECT_TRUE(list.GetIconSize(&cx, &cy));
    EXPECT_EQ(Size(cx, cy), Size(16, 16));
    ImageInfo info;
    EXPECT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(info.rcImage, Rect(16, 0, 32, 16));
    for (int bad : {-1, 3})
        EXPECT_FALSE(list.GetImageInfo(bad, &info)) << bad;
    EXPECT_FALSE(list.GetIcon(2).isNull());
    EXPECT_TRUE(list.GetIcon(3).isNull());

    ImageList empty;
    EXPECT_FALSE(empty.Create(QImage(), 16, 1, kMask));
    EXPECT_TRUE(empty.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
    EXPECT_EQ(empty.GetImageCount(), 0);
    EXPECT_EQ(empty.Add(Strip(), CLR_NONE), 0);
    EXPECT_EQ(empty.Add(Strip(), CLR_NONE), 3);
}

TEST(ImageListTest, DrawingPaintsTheAskedPartWithMaskAndBlend) {
    ImageList list;
    ASSERT_TRUE(list.Create(Strip(), 16, 1, kMask));
    ImageList unmasked;
    ASSERT_TRUE(unmasked.Create(Strip(), 16, 1, CLR_NONE));
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF c1 = kImageColors[1];
    const COLORREF half =
        RGB((GetRValue(c1) + GetRValue(hl)) / 2, (GetGValue(c1) + GetGValue(hl)) / 2,
            (GetBValue(c1) + GetBValue(hl)) / 2);
    struct DrawCase {
        const char* name;
        const ImageList* list;
        Size size;
        COLORREF bg;
        UINT style;
        // probes relative to the image's corner at (10, 5)
        std::vector<std::pair<Point, COLORREF>> probes;
    };
    const std::vector<DrawCase> cases = {
        {"5 of 16 columns",
         &list,
         Size(5, 16),
         CLR_DEFAULT,
         ILD_TRANSPARENT,
         {{{4, 8}, c1}, {{5, 8}, kWhite}, {{4, 15}, c1}, {{0, 16}, kWhite}}},
        {"no columns", &list, Size(0, 16), CLR_DEFAULT, ILD_TRANSPARENT, {{{0, 8}, kWhite}}},
        {"fewer than none", &list, Size(-3, 16), CLR_DEFAULT, ILD_TRANSPARENT, {{{0, 8}, kWhite}}},
        {"mask shows the background",
         &list,
         Size(16, 16),
         CLR_DEFAULT,
         ILD_TRANSPARENT,
         {{{0, 0}, kWhite}, {{3, 3}, kWhite}, {{4, 4}, c1}, {{15, 15}, c1}}},
        {"without a mask colour",
         &unmasked,
         Size(16, 16),
         CLR_DEFAULT,
         ILD_TRANSPARENT,
         {{{0, 0}, kMask}}},
        {"background colour fills the mask",
         &list,
         Size(16, 16),
         kBlue,
         ILD_NORMAL,
         {{{0, 0}, kBlue}, {{4, 4}, c1}}},
        {"blend 50 mixes in half the highlight",
         &list,
         Size(16, 16),
         CLR_DEFAULT,
         ILD_TRANSPARENT | ILD_BLEND50,
         {{{8, 8}, half}, {{0, 0}, kWhite}}},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        EXPECT_TRUE(
            c.list->DrawEx(canvas.dc.get(), 1, Point(10, 5), c.size, c.bg, CLR_DEFAULT, c.style));
        for (const auto& [p, color] : c.probes) {
            COLORREF got = canvas.At(10 + p.x, 5 + p.y);
            EXPECT_NEAR(GetRValue(got), GetRValue(color), 1) << p.x << "," << p.y;
            EXPECT_NEAR(GetGValue(got), GetGValue(color), 1) << p.x << "," << p.y;
            EXPECT_NEAR(GetBValue(got), GetBValue(color), 1) << p.x << "," << p.y;
        }
    }
    Canvas canvas;
    EXPECT_FALSE(list.Draw(canvas.dc.get(), 3, Point(0, 0), ILD_NORMAL));
    EXPECT_FALSE(list.Draw(canvas.dc.get(), -1, Point(0, 0), ILD_NORMAL));
    EXPECT_FALSE(list.Draw(nullptr, 0, Point(0, 0), ILD_NORMAL));
    EXPECT_TRUE(list.Draw(canvas.dc.get(), 0, Point(0, 0), ILD_NORMAL));
    EXPECT_EQ(canvas.At(8, 8), kImageColors[0]);
}

} // namespace
