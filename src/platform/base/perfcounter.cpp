// The performance counter over the steady clock.
#include "base/perfcounter.h"

#include <chrono>

namespace platform {

std::int64_t QueryPerformanceCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace platform
