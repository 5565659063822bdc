#include "tpequality.h"

#include "dberr.h"
#include "wrapper.h"

uint32_t WRAP_TpFrequencyTolerance(uint16_t symbolRate) {
    if (symbolRate < 2000) return 1;
    if (symbolRate < 4000) return 3800;
    if (symbolRate < 8000) return 4000;
    if (symbolRate < 11000) return 5000;
    if (symbolRate < 18000) return 6000;
    return 8000;
}

uint32_t WRAP_IsTpDifferent(const TpInfo* a, const TpInfo* b) {
    if (a == nullptr || b == nullptr) return 1;
    if (a->satIndex != b->satIndex) return 1;
    if (a->polarisation != b->polarisation && a->polarisation != POL_AUTO &&
        b->polarisation != POL_AUTO)
        return 1;
    if (a->fec != b->fec && a->fec != FEC_AUTO && b->fec != FEC_AUTO) return 1;
    if (a->modulation != b->modulation || a->pilot != b->pilot || a->symbolRate != b->symbolRate)
        return 1;
    // Signed 64-bit: an unsigned or 32-bit difference of two u32 kHz values
    // wraps round and would call distant transponders the same.
    int64_t difference = int64_t{a->frequency} - int64_t{b->frequency};
    if (difference < 0) difference = -difference;
    return difference >= WRAP_TpFrequencyTolerance(a->symbolRate) ? 1 : 0;
}

uint32_t WRAP_CompareTp(const TpInfo* a, const TpInfo* b, uint32_t* different) {
    if (different == nullptr) return DBERR_NULL_ARG;
    uint32_t tunerType = 0;
    WRAP_GetTunerType(0, &tunerType);
    // Tuner type 0 is the only one there is; every type uses its rule.
    *different = WRAP_IsTpDifferent(a, b);
    return 0;
}
