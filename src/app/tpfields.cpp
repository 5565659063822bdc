#include "tpfields.h"

#include "slm.h"

#include <iterator>

namespace tpfields {

namespace {

struct CodeRates {
    std::span<const char* const> entries; // "AUTO" first
    std::span<const uint8_t> fecs;        // the FEC of entries 1, 2, ...
};

constexpr const char* kDvbS[] = {"AUTO", "1 / 2", "2 / 3", "3 / 4", "5 / 6", "7 / 8"};
constexpr uint8_t kDvbSFecs[] = {0, 1, 2, 3, 4};
constexpr const char* kDvbS2Qpsk[] = {"AUTO",  "1 / 2", "3 / 5", "2 / 3", "3 / 4",
                                      "4 / 5", "5 / 6", "8 / 9", "9 / 10"};
constexpr uint8_t kDvbS2QpskFecs[] = {12, 13, 14, 15, 16, 17, 18, 19};
constexpr const char* kDvbS28psk[] = {"AUTO",  "3 / 5", "2 / 3", "3 / 4",
                                      "5 / 6", "8 / 9", "9 / 10"};
constexpr uint8_t kDvbS28pskFecs[] = {20, 21, 22, 23, 24, 25};

static_assert(std::size(kDvbS) == std::size(kDvbSFecs) + 1 &&
              std::size(kDvbS2Qpsk) == std::size(kDvbS2QpskFecs) + 1 &&
              std::size(kDvbS28psk) == std::size(kDvbS28pskFecs) + 1);

CodeRates RatesOf(uint8_t modulation) {
    switch (modulation) {
    case 0:
        return {kDvbS, kDvbSFecs};
    case 1:
        return {kDvbS2Qpsk, kDvbS2QpskFecs};
    case 2:
        return {kDvbS28psk, kDvbS28pskFecs};
    default:
        return {};
    }
}

} // namespace

int PolarityPosition(uint8_t polarisation) {
    if (polarisation == POL_HORIZONTAL) return 1;
    if (polarisation == POL_VERTICAL) return 2;
    return 0;
}

uint8_t PolarityValue(int position) {
    if (position == 1) return POL_HORIZONTAL;
    if (position == 2) return POL_VERTICAL;
    return POL_AUTO;
}

std::span<const char* const> CodeRateEntries(uint8_t modulation) {
    return RatesOf(modulation).entries;
}

int CodeRatePosition(uint8_t modulation, uint8_t fec) {
    const CodeRates rates = RatesOf(modulation);
    if (rates.entries.empty()) return -1;
    for (std::size_t i = 0; i < rates.fecs.size(); ++i)
        if (rates.fecs[i] == fec) return static_cast<int>(i) + 1;
    return 0;
}

uint8_t CodeRateFec(uint8_t modulation, int position) {
    const CodeRates rates = RatesOf(modulation);
    if (position < 1 || position > static_cast<int>(rates.fecs.size())) return FEC_AUTO;
    return rates.fecs[static_cast<std::size_t>(position - 1)];
}

} // namespace tpfields
