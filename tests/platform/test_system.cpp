// System colours and metrics come from the application's palette and style
// (the test main installs the Fusion style with its standard palette).
#include "base/drawconstants.h"
#include "draw/syscolors.h"
#include "draw/sysmetrics.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyle>

using namespace platform;

namespace {

TEST(SystemTest, ColoursFollowThePaletteRoles) {
    const QPalette palette = QApplication::palette();
    const struct {
        int index;
        QPalette::ColorRole role;
    } cases[] = {
        {COLOR_WINDOW, QPalette::Base},         {COLOR_WINDOWTEXT, QPalette::Text},
        {COLOR_HIGHLIGHT, QPalette::Highlight}, {COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText},
        {COLOR_BTNFACE, QPalette::Button},      {COLOR_3DFACE, QPalette::Button},
        {COLOR_BTNHIGHLIGHT, QPalette::Light},  {COLOR_3DHIGHLIGHT, QPalette::Light},
        {COLOR_BTNSHADOW, QPalette::Dark},      {COLOR_3DSHADOW, QPalette::Dark},
        {COLOR_3DDKSHADOW, QPalette::Shadow},   {COLOR_INFOBK, QPalette::ToolTipBase},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetSysColor(c.index), FromQColor(palette.color(c.role)));
    }
    EXPECT_EQ(GetSysColor(999), RGB(0, 0, 0));
}

TEST(SystemTest, ScrollBarsUseTheStyleExtentAndBordersAreZero) {
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ASSERT_GT(extent, 0);
    for (int index : {SM_CXVSCROLL, SM_CYHSCROLL, SM_CYVSCROLL, SM_CXHSCROLL})
        EXPECT_EQ(GetSystemMetrics(index), extent) << index;
    for (int index : {SM_CXBORDER, SM_CYBORDER, 9999})
        EXPECT_EQ(GetSystemMetrics(index), 0);
}

} // namespace
