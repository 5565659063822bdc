#include "waitcursor.h"

#include <gtest/gtest.h>

namespace {

TEST(WaitCursorTest, ShowsTheHourglassForItsScopeAndStacks) {
    EXPECT_EQ(platform::WaitCursor::Depth(), 0);
    {
        platform::WaitCursor outer;
        EXPECT_EQ(platform::WaitCursor::Depth(), 1);
        {
            platform::WaitCursor inner;
            EXPECT_EQ(platform::WaitCursor::Depth(), 2);
        }
        EXPECT_EQ(platform::WaitCursor::Depth(), 1);
    }
    EXPECT_EQ(platform::WaitCursor::Depth(), 0);
}

} // namespace
