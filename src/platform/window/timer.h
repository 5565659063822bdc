// The timers of one window: each id has one period and one Qt timer.
// Re-arming an id restarts its period. Tests may switch the Qt timers off
// (SetTimersManual) and deliver the ticks themselves.
#pragma once

#include "base/messages.h"

#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace platform {

class TimerTable {
  public:
    using Tick = std::function<void(UINT_PTR id)>;

    explicit TimerTable(Tick tick);
    ~TimerTable();
    TimerTable(const TimerTable&) = delete;
    TimerTable& operator=(const TimerTable&) = delete;

    // Arms id with the period in ms, replacing any earlier period of id.
    void Set(UINT_PTR id, UINT period);
    // FALSE when id was not armed.
    BOOL Kill(UINT_PTR id);
    void KillAll();
    // The period of an armed id, 0 when not armed.
    UINT Period(UINT_PTR id) const;

    // While manual, armed timers run no Qt timer: only a test's FireTimer ticks.
    static void SetManual(bool manual);

  private:
    // A timer may be killed from its own tick: it goes by deleteLater.
    struct LaterDeleter {
        void operator()(QTimer* timer) const;
    };
    struct Entry {
        UINT period = 0;
        std::unique_ptr<QTimer, LaterDeleter> timer;
    };
    Tick m_tick;
    std::map<UINT_PTR, Entry> m_entries;
};

// For tests: all timers armed from now on are ticked by hand.
inline void SetTimersManual(bool manual) {
    TimerTable::SetManual(manual);
}

} // namespace platform
