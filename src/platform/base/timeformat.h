// A calendar time as text, in the C runtime's formats ("%c", "%Y-%m-%d" ...)
// and its current locale, as the framework's time objects format.
#pragma once

#include "base/clock.h"

#include <string>

namespace platform {

// The time formatted with strftime's format; an empty text for a null format
// or a text that does not fit 256 bytes.
std::string FormatTime(const SystemTime& time, const char* format);

} // namespace platform
