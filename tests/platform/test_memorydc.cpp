#include "canvas.h"

#include "draw/bitmap.h"
#include "draw/memorydc.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platformtest;

namespace {

TEST(MemDcTest, DrawsOffScreenAndCopiesItsClipBoxBack) {
    struct MemCase {
        const char* name;
        Point windowOrg;
        Rect clip;     // logical, on the target
        Rect fill;     // logical, drawn through the memory context
        Point painted; // device pixels on the target afterwards
        Point untouched;
    };
    const MemCase cases[] = {
        {"clipped target", Point(0, 0), Rect(10, 10, 30, 20), Rect(12, 12, 14, 14), Point(13, 13),
         Point(9, 9)},
        {"moved origin", Point(5, 5), Rect(5, 5, 25, 25), Rect(5, 5, 7, 7), Point(0, 0),
         Point(20, 20)},
    };
    for (const MemCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas target;
        target.dc->SetWindowOrg(c.windowOrg);
        target.dc->IntersectClipRect(c.clip);
        target.dc->SetBkColor(kGreen);
        {
            MemDc mem(target.dc.get());
            EXPECT_TRUE(mem.IsMemDc());
            EXPECT_EQ(mem.GetRect(), c.clip);
            mem.FillSolidRect(c.fill, kRed);
            EXPECT_EQ(target.At(c.painted.x, c.painted.y), kWhite); // not yet copied
        }
        EXPECT_EQ(target.At(c.painted.x, c.painted.y), kRed);
        // The rest of the clip box got the target's back colour.
        EXPECT_EQ(target.At(c.painted.x + 2, c.painted.y + 2), kGreen);
        EXPECT_EQ(target.At(c.untouched.x, c.untouched.y), kWhite);
    }
}

TEST(MemDcTest, PrintingTargetsAreDrawnDirectly) {
    Canvas target;
    target.dc->SetPrinting(true);
    MemDc mem(target.dc.get());
    EXPECT_FALSE(mem.IsMemDc());
    EXPECT_TRUE(mem.IsPrinting());
    mem.FillSolidRect(Rect(0, 0, 2, 2), kRed);
    EXPECT_EQ(target.At(1, 1), kRed);
}

TEST(MemDcTest, AloneItDrawsIntoTheSelectedBitmap) {
    MemDc mem;
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 8, 8));
    EXPECT_FALSE(Bitmap().CreateCompatibleBitmap(&mem, 0, 8));
    Bitmap* old = mem.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    mem.FillSolidRect(Rect(0, 0, 4, 4), kRed);
    EXPECT_EQ(mem.SelectObject(old), &bitmap);
    EXPECT_EQ(FromQColor(QColor(bitmap.Image().pixel(3, 3))), kRed);
    EXPECT_EQ(FromQColor(QColor(bitmap.Image().pixel(4, 4))), kBlack);
    Bitmap empty;
    EXPECT_EQ(mem.SelectObject(&empty), nullptr);
}

} // namespace
