#include "base/timeformat.h"

#include <ctime>

namespace platform {

namespace {
// The framework's formatting buffer; longer texts come out empty.
constexpr std::size_t kMaxFormattedTime = 256;
} // namespace

std::string FormatTime(const SystemTime& time, const char* format) {
    if (!format) return std::string();
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_wday = time.dayOfWeek;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    fields.tm_isdst = -1;
    // The day of the year for "%j" and the week numbers.
    std::tm normalised = fields;
    if (std::mktime(&normalised) != static_cast<std::time_t>(-1))
        fields.tm_yday = normalised.tm_yday;
    char buffer[kMaxFormattedTime];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &fields);
    return std::string(buffer, length);
}

} // namespace platform
