// Fitting a window to the screen's free area: where its frame fits it stays
// as it asked, else it is cut and moved just enough.
#include "window/screenfit.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

struct FitCase {
    const char* name;
    QRect wanted;
    QMargins frame;
    QRect available;
    QRect fitted;
};

TEST(ScreenFitTest, FrameIsCutAndMovedOnlyAsFarAsTheFreeAreaNeeds) {
    const QMargins frame(2, 24, 2, 4);
    const QRect placement(100, 50, 1095, 900);
    const FitCase cases[] = {
        {"room on a large screen", placement, frame, {0, 0, 1920, 1200}, placement},
        {"frame exactly fits", {10, 30, 100, 50}, frame, {8, 6, 104, 78}, {10, 30, 100, 50}},
        {"too tall for 1280 x 800: cut, title bar at the top", placement, frame,
         {0, 0, 1280, 800}, {100, 24, 1095, 772}},
        {"a panel above the free area", placement, frame, {0, 32, 1280, 768},
         {100, 56, 1095, 740}},
        {"too wide for 1024 x 768: cut on both axes", placement, frame, {0, 0, 1024, 768},
         {2, 24, 1020, 740}},
        {"fits in size, past the right edge: moved left", {900, 50, 500, 300}, frame,
         {0, 0, 1280, 800}, {778, 50, 500, 300}},
        {"above the top: moved down under its title bar", {100, 0, 500, 300}, frame,
         {0, 0, 1280, 800}, {100, 24, 500, 300}},
        {"no frame known", placement, QMargins(), {0, 0, 1280, 800}, {100, 0, 1095, 800}},
        {"no screen: as asked", placement, frame, QRect(), placement},
    };
    for (const FitCase& c : cases) {
        const QRect got = platform::FitToArea(c.wanted, c.frame, c.available);
        EXPECT_EQ(got, c.fitted) << c.name;
        if (!c.available.isEmpty()) {
            EXPECT_TRUE(c.available.contains(got.marginsAdded(c.frame))) << c.name;
        }
    }
}

TEST(ScreenFitTest, AWindowNotYetShownIsGivenRoomForATitleBar) {
    QWidget window;
    const QMargins before = platform::FrameMargins(window);
    EXPECT_GT(before.top(), before.bottom());
    EXPECT_GT(before.top(), 0);
}

} // namespace
