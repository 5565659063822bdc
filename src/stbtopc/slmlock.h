// The list manager's lock. Reads of the master list, look-ups in it and
// record replacement run under it. It rides on the operating-system
// semaphore calls, which do nothing on the PC; the calls stay in place so the
// library keeps the receiver's locking discipline.
#pragma once
#include <cstdint>

// Takes the list manager's semaphore. Cannot fail on the PC.
void INT_SLM_Lock();

// Gives the list manager's semaphore back.
void INT_SLM_Unlock();

// Holds the list manager's lock for one scope.
class SlmLockGuard {
  public:
    SlmLockGuard() { INT_SLM_Lock(); }
    ~SlmLockGuard() { INT_SLM_Unlock(); }
    SlmLockGuard(const SlmLockGuard&) = delete;
    SlmLockGuard& operator=(const SlmLockGuard&) = delete;
};
