// Small records for the tests of the tables, comparators and filters.
#pragma once
#include <cstdint>

#include "dbrecords.h"

namespace fixtures {

struct Tp {
    uint32_t frequencyMhz = 11000;
    uint16_t symbolRate = 27500;
    uint8_t polarisation = POL_HORIZONTAL;
    uint8_t fec = 3;
    uint8_t modulation = 0;
    uint8_t pilot = 0;
    uint8_t satIndex = 0;
    uint8_t rowField = 0;
};

inline TpInfo MakeTp(const Tp& tp) {
    return TpInfo{.frequency = tp.frequencyMhz,
                  .symbolRate = tp.symbolRate,
                  .modulation = tp.modulation,
                  .polarisation = tp.polarisation,
                  .fec = tp.fec,
                  .satIndex = tp.satIndex,
                  .rowField = tp.rowField,
                  .pilot = tp.pilot,
                  .reserved12 = {}};
}

inline TsInfo MakeTs(uint16_t id1, uint16_t id2, const Tp& tp) {
    TsInfo out{};
    out.id1 = id1;
    out.id2 = id2;
    out.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    out.tp = MakeTp(tp);
    return out;
}

// The edit-list row of that transponder, made as the library makes the row
// of a stored one.
inline TpRow MakeRow(const Tp& tp, uint32_t state = 1) {
    return DB_TpRowFrom(MakeTp(tp), state);
}

} // namespace fixtures
