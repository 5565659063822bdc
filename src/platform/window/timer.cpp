#include "window/timer.h"

#include <QTimer>

namespace platform {

namespace {
bool g_manual = false;
} // namespace

void TimerTable::LaterDeleter::operator()(QTimer* timer) const {
    timer->stop();
    timer->disconnect();
    timer->deleteLater();
}

TimerTable::TimerTable(Tick tick) : m_tick(std::move(tick)) {}

TimerTable::~TimerTable() = default;

void TimerTable::Set(UINT_PTR id, UINT period) {
    Entry& entry = m_entries[id];
    entry.period = period;
    if (g_manual) {
        entry.timer.reset();
        return;
    }
    if (!entry.timer) {
        entry.timer.reset(new QTimer);
        QObject::connect(entry.timer.get(), &QTimer::timeout, [this, id] { m_tick(id); });
    }
    entry.timer->start(static_cast<int>(period));
}

BOOL TimerTable::Kill(UINT_PTR id) {
    return m_entries.erase(id) ? TRUE : FALSE;
}

void TimerTable::KillAll() {
    m_entries.clear();
}

UINT TimerTable::Period(UINT_PTR id) const {
    auto it = m_entries.find(id);
    return it == m_entries.end() ? 0 : it->second.period;
}

void TimerTable::SetManual(bool manual) {
    g_manual = manual;
}

} // namespace platform
