// Equality and order of stored records for finding and de-duplicating
// them: transport streams, transponders and transponder rows. Comparators
// take (element, key) and return 0 for equal; otherwise the sign orders
// them. Transponders are compared in kHz on copies; no record is ever scaled
// in place.
#pragma once
#include <cstdint>

#include "dbrecords.h"

// ---- Transponders in kHz ------------------------------------------------
// A copy of a transponder with its frequency turned from MHz into kHz
// (saturating; no real frequency comes near the limit).
TpInfo INT_SLM_TpInKhz(const TpInfo& tpMhz);

// 1 when the transponder equality finds the two (MHz records, compared as
// kHz copies) different, 0 when they are the same transponder. Null: 1.
uint32_t INT_SLM_IsTpDifferentMhz(const TpInfo* aMhz, const TpInfo* bMhz);

// TsInfo equality: non-zero when the satellite index or either identity field
// differs; otherwise the byte order of the two TpInfo fields taken in kHz, 0
// only when they are identical. No tolerance: transponders that the
// transponder equality calls the same are different transport streams here.
int INT_SLM_CompareTsInfo(const void* a, const void* b);

// TpInfo equality: 0 when the transponder equality finds them the same
// (tolerance and wildcards); otherwise ordered by frequency, symbol rate, the
// byte after the satellite index, polarisation, FEC, then satellite index,
// modulation and pilot.
int INT_SLM_CompareTpInfo(const void* a, const void* b);

// TpRow order by frequency, symbol rate, the u16 at offset 8, polarisation,
// FEC, modulation, pilot; 0 only when all are equal. The state is ignored.
int INT_SLM_CompareTpRowExact(const void* a, const void* b);

// TpRow similarity: the rows as TpInfo keys (frequency x 1000, symbol rate's
// low 16 bits, the u16's low byte, satellite index 0 in both); 0 when the
// transponder equality finds them the same, else the exact order.
int INT_SLM_CompareTpRow(const void* a, const void* b);
