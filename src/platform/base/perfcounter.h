// The high-resolution performance counter, for timing traces.
#pragma once

#include <cstdint>

namespace platform {

// Ticks of a steady clock (nanoseconds) since some start; never fails.
std::int64_t QueryPerformanceCounter();

} // namespace platform
