#include "base/clock.h"

#include <QElapsedTimer>

#include <utility>

namespace platform {

namespace {

const Clock& SystemClock() {
    static const Clock clock;
    return clock;
}

const Clock* g_clock = nullptr;

const Clock& Current() {
    return g_clock ? *g_clock : SystemClock();
}

} // namespace

QDateTime Clock::NowUtc() const {
    return QDateTime::currentDateTimeUtc();
}

QDateTime Clock::NowLocal() const {
    return QDateTime::currentDateTime();
}

std::uint32_t Clock::TickCount() const {
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(started.elapsed());
}

void ManualClock::Advance(std::uint32_t milliseconds) {
    m_utc = m_utc.addMSecs(milliseconds);
    m_local = m_local.addMSecs(milliseconds);
    m_ticks += milliseconds;
}

const Clock* SetClock(const Clock* clock) {
    return std::exchange(g_clock, clock);
}

SystemTime ToSystemTime(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    SystemTime st;
    st.year = d.year();
    st.month = d.month();
    st.dayOfWeek = d.dayOfWeek() % 7; // Qt: Monday 1 ... Sunday 7
    st.day = d.day();
    st.hour = t.hour();
    st.minute = t.minute();
    st.second = t.second();
    st.milliseconds = t.msec();
    return st;
}

SystemTime GetSystemTime() {
    return ToSystemTime(Current().NowUtc());
}
SystemTime GetLocalTime() {
    return ToSystemTime(Current().NowLocal());
}
std::uint32_t GetTickCount() {
    return Current().TickCount();
}

} // namespace platform
