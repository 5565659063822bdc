// number * numerator / denominator in 64 bits, rounded to the nearest integer
// (halves away from zero), as the printing layout scales page sizes.
#pragma once

#include <cstdint>
#include <limits>

namespace platform {

// -1 when denominator is 0 or the result does not fit in an int.
constexpr int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = std::int64_t{number} * numerator;
    bool negative = (product < 0) != (denominator < 0);
    std::uint64_t p = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    std::uint64_t d =
        denominator < 0 ? std::uint64_t(-std::int64_t{denominator}) : std::uint64_t(denominator);
    std::uint64_t q = (p + d / 2) / d;
    if (q > std::uint64_t(std::numeric_limits<int>::max())) return -1;
    return negative ? -static_cast<int>(q) : static_cast<int>(q);
}

} // namespace platform
