// The stop and cancel signals of one worker. Set from the owner's thread
// (Disconnect, OK, Cancel; Abort), looked at by the worker between its turns
// and inside every bounded wait. Both stay set once set.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

enum class TransferSignal { None, Stop, Cancel };

class TransferFlags {
  public:
    void SetStop();
    void SetCancel();
    // The signal that is set (stop before cancel), None when neither is.
    TransferSignal Pending() const;
    // Waits at most `timeout` for either signal; returns the one set, or None
    // when the time ran out.
    TransferSignal WaitFor(std::chrono::milliseconds timeout) const;

  private:
    TransferSignal PendingLocked() const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_stop = false;
    bool m_cancel = false;
};
