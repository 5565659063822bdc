#include "transferflags.h"

void TransferFlags::SetStop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
}

void TransferFlags::SetCancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancel = true;
    }
    m_changed.notify_all();
}

TransferSignal TransferFlags::PendingLocked() const {
    if (m_stop) return TransferSignal::Stop;
    if (m_cancel) return TransferSignal::Cancel;
    return TransferSignal::None;
}

TransferSignal TransferFlags::Pending() const {
    std::lock_guard lock(m_mutex);
    return PendingLocked();
}

TransferSignal TransferFlags::WaitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_stop || m_cancel; });
    return PendingLocked();
}
