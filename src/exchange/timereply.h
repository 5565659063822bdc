// The time reply of the transfer protocol: the current UTC date as a 16-bit
// Modified Julian Date and the time of day in BCD, as EN 300 468 codes them.
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// The current UTC time, or nothing when the system cannot give it.
using UtcClock = std::function<std::optional<std::chrono::sys_seconds>()>;
// The system's clock.
std::optional<std::chrono::sys_seconds> SystemUtcNow();

constexpr size_t COM_TIME_REPLY_SIZE = 8;

// MJD of a calendar date by the formula of EN 300 468 Annex C, kept as 16
// bits (it wraps to 0 after 2038-04-22).
uint16_t ModifiedJulianDate(int year, unsigned month, unsigned day);

// 02 03, MJD high, MJD low, hour, minute, second (BCD), 03.
std::array<uint8_t, COM_TIME_REPLY_SIZE> BuildTimeReply(std::chrono::sys_seconds utc);
