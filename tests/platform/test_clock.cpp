#include "base/clock.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(ClockTest, AnInstalledClockGivesUtcLocalAndTicks) {
    const QDateTime utc(QDate(1993, 10, 13), QTime(12, 45, 0, 250), Qt::UTC);
    const QDateTime local(QDate(1993, 10, 13), QTime(14, 45, 0, 250), Qt::OffsetFromUTC, 7200);
    ManualClock manual(utc, local, 0xFFFFFF00u);
    const Clock* previous = SetClock(&manual);

    EXPECT_EQ(GetSystemTime(), (SystemTime{1993, 10, 3, 13, 12, 45, 0, 250}));
    EXPECT_EQ(GetLocalTime(), (SystemTime{1993, 10, 3, 13, 14, 45, 0, 250}));
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);

    // Past midnight and past the 32-bit wrap of the ticks.
    manual.Advance(10 * 3600 * 1000);
    EXPECT_EQ(GetLocalTime(), (SystemTime{1993, 10, 4, 14, 0, 45, 0, 250}));
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u + 36000000u);

    SetClock(previous);
    EXPECT_GE(GetSystemTime().year, 2024);
}

TEST(ClockTest, DayOfWeekCountsFromSunday) {
    struct Case {
        QDate date;
        int dayOfWeek;
    } cases[] = {{QDate(2024, 6, 2), 0}, {QDate(2024, 6, 3), 1}, {QDate(2024, 6, 8), 6}};
    for (const auto& c : cases)
        EXPECT_EQ(ToSystemTime(QDateTime(c.date, QTime(0, 0), Qt::UTC)).dayOfWeek, c.dayOfWeek)
            << c.date.toString().toStdString();
}

} // namespace
