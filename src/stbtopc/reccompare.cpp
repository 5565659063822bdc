#include "reccompare.h"

#include <cstring>

#include "tpequality.h"

namespace {
template <typename T> int orderOf(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The transponder key of a row: as a TpInfo in kHz, satellite index 0.
TpInfo keyOfRow(const TpRow& row) {
    TpInfo key{};
    key.frequency = row.frequency;
    key.symbolRate = static_cast<uint16_t>(row.symbolRate);
    key.rowField = static_cast<uint8_t>(row.rowField);
    key.polarisation = row.polarisation;
    key.fec = row.fec;
    key.modulation = row.modulation;
    key.pilot = row.pilot;
    return INT_SLM_TpInKhz(key);
}

uint32_t differentInKhz(const TpInfo& aKhz, const TpInfo& bKhz) {
    uint32_t different = 1;
    WRAP_CompareTp(&aKhz, &bKhz, &different);
    return different;
}
} // namespace

TpInfo INT_SLM_TpInKhz(const TpInfo& tpMhz) {
    TpInfo tp = tpMhz;
    constexpr uint32_t kLargestMhz = 0xFFFFFFFFu / 1000u;
    tp.frequency = tpMhz.frequency <= kLargestMhz ? tpMhz.frequency * 1000u : 0xFFFFFFFFu;
    return tp;
}

uint32_t INT_SLM_IsTpDifferentMhz(const TpInfo* aMhz, const TpInfo* bMhz) {
    if (aMhz == nullptr || bMhz == nullptr) return 1;
    return differentInKhz(INT_SLM_TpInKhz(*aMhz), INT_SLM_TpInKhz(*bMhz));
}

int INT_SLM_CompareTsInfo(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const TsInfo& x = *static_cast<const TsInfo*>(a);
    const TsInfo& y = *static_cast<const TsInfo*>(b);
    if (x.tp.satIndex != y.tp.satIndex || x.id1 != y.id1 || x.id2 != y.id2) return 1;
    const TpInfo xKhz = INT_SLM_TpInKhz(x.tp);
    const TpInfo yKhz = INT_SLM_TpInKhz(y.tp);
    const int bytes = std::memcmp(&xKhz, &yKhz, sizeof(TpInfo));
    if (bytes != 0) return bytes < 0 ? -1 : 1;
    // Two frequencies too large to scale look alike in kHz; the MHz decide.
    return orderOf(x.tp.frequency, y.tp.frequency);
}

int INT_SLM_CompareTpInfo(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const TpInfo& x = *static_cast<const TpInfo*>(a);
    const TpInfo& y = *static_cast<const TpInfo*>(b);
    if (INT_SLM_IsTpDifferentMhz(&x, &y) == 0) return 0;
    if (int order = orderOf(x.frequency, y.frequency)) return order;
    if (int order = orderOf(x.symbolRate, y.symbolRate)) return order;
    if (int order = orderOf(x.rowField, y.rowField)) return order;
    if (int order = orderOf(x.polarisation, y.polarisation)) return order;
    if (int order = orderOf(x.fec, y.fec)) return order;
    if (int order = orderOf(x.satIndex, y.satIndex)) return order;
    if (int order = orderOf(x.modulation, y.modulation)) return order;
    if (int order = orderOf(x.pilot, y.pilot)) return order;
    return 1; // different, yet no field tells them apart: never equal
}

int INT_SLM_CompareTpRowExact(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const TpRow& x = *static_cast<const TpRow*>(a);
    const TpRow& y = *static_cast<const TpRow*>(b);
    if (int order = orderOf(x.frequency, y.frequency)) return order;
    if (int order = orderOf(x.symbolRate, y.symbolRate)) return order;
    if (int order = orderOf(x.rowField, y.rowField)) return order;
    if (int order = orderOf(x.polarisation, y.polarisation)) return order;
    if (int order = orderOf(x.fec, y.fec)) return order;
    if (int order = orderOf(x.modulation, y.modulation)) return order;
    return orderOf(x.pilot, y.pilot);
}

int INT_SLM_CompareTpRow(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const TpRow& x = *static_cast<const TpRow*>(a);
    const TpRow& y = *static_cast<const TpRow*>(b);
    if (differentInKhz(keyOfRow(x), keyOfRow(y)) == 0) return 0;
    const int exact = INT_SLM_CompareTpRowExact(&x, &y);
    return exact != 0 ? exact : 1;
}
