#include "base/muldiv.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDivTest, ScalesIn64BitsAndRoundsHalvesAway) {
    const struct {
        int number, numerator, denominator, expected;
    } cases[] = {
        {10, 3, 4, 8},   // 7.5 rounds up
        {-10, 3, 4, -8}, // -7.5 rounds away from zero
        {10, -3, -4, 8},
        {7, 1, 3, 2},                     // 2.33
        {100000, 100000, 100000, 100000}, // product beyond 32 bits
        {1, 1, 0, -1},                    // no denominator
        {2147483647, 2, 1, -1},           // result beyond an int
        {0, 5, 7, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

} // namespace
