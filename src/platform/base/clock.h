// The time of day and the millisecond tick count. Everything that reads the
// time goes through the current Clock, so a test can set the time and move
// the ticks by hand.
#pragma once

#include <QDateTime>

#include <cstdint>

namespace platform {

// A calendar time split into fields (month 1-12, day of week 0 = Sunday).
struct SystemTime {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    bool operator==(const SystemTime&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime NowUtc() const;
    virtual QDateTime NowLocal() const;
    // Milliseconds since some start, wrapping at 2^32 like the original's.
    virtual std::uint32_t TickCount() const;
};

// A clock that moves only when told: for tests.
class ManualClock : public Clock {
  public:
    // utc and local are the same moment seen in two zones; Advance moves both.
    ManualClock(const QDateTime& utc, const QDateTime& local, std::uint32_t ticks = 0)
        : m_utc(utc), m_local(local), m_ticks(ticks) {}

    QDateTime NowUtc() const override { return m_utc; }
    QDateTime NowLocal() const override { return m_local; }
    std::uint32_t TickCount() const override { return m_ticks; }

    void Advance(std::uint32_t milliseconds);

  private:
    QDateTime m_utc;
    QDateTime m_local;
    std::uint32_t m_ticks;
};

// Installs a clock (nullptr: the system clock) and returns the previous one;
// the caller keeps ownership.
const Clock* SetClock(const Clock* clock);

SystemTime GetSystemTime(); // now, UTC
SystemTime GetLocalTime();  // now, local time
std::uint32_t GetTickCount();

SystemTime ToSystemTime(const QDateTime& time);

} // namespace platform
