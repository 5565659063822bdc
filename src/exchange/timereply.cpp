#include "timereply.h"

#include <ctime>

#include "comframes.h"

std::optional<std::chrono::sys_seconds> SystemUtcNow() {
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1)) return std::nullopt;
    return std::chrono::sys_seconds{std::chrono::seconds{now}};
}

uint16_t ModifiedJulianDate(int year, unsigned month, unsigned day) {
    // Annex C: MJD = 14956 + D + int((Y - L) x 365.25) + int((M + 1 + L x 12) x 30.6001)
    // with Y the years since 1900 and L = 1 for January and February. Both
    // products are taken in exact integers; C++ division truncates as int() does.
    const long y = year - 1900;
    const long l = month <= 2 ? 1 : 0;
    const long m = static_cast<long>(month);
    const long mjd =
        14956 + static_cast<long>(day) + (y - l) * 1461 / 4 + (m + 1 + l * 12) * 306001 / 10000;
    return static_cast<uint16_t>(mjd);
}

namespace {

uint8_t Bcd(long value) {
    return static_cast<uint8_t>(value / 10 * 16 + value % 10);
}

} // namespace

std::array<uint8_t, COM_TIME_REPLY_SIZE> BuildTimeReply(std::chrono::sys_seconds utc) {
    using namespace std::chrono;
    const sys_days date = floor<days>(utc);
    const year_month_day ymd{date};
    const hh_mm_ss<seconds> time{utc - date};
    const uint16_t mjd =
        ModifiedJulianDate(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                           static_cast<unsigned>(ymd.day()));
    return {COM_STX,
            COM_CMD_TIME_REPLY,
            static_cast<uint8_t>(mjd >> 8),
            static_cast<uint8_t>(mjd),
            Bcd(time.hours().count()),
            Bcd(time.minutes().count()),
            Bcd(time.seconds().count()),
            COM_ETX};
}
