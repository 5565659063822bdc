// Whether two transponder keys describe the same transponder: one tolerance
// rule for the edit list, the service filters and the default-table merge.
// The keys carry their frequency in kHz: callers copy a stored TpInfo and
// multiply its frequency (MHz) by 1000 first; the records themselves are
// never scaled.
#pragma once
#include <cstdint>

#include "dbrecords.h"

// 1 when a and b are different transponders, 0 when they are the same. A
// missing key is different. Satellite, polarisation (16 matches any), FEC (11
// matches any), modulation, pilot and symbol rate must agree; then the
// frequency difference must stay below the tolerance of a's symbol rate.
uint32_t WRAP_IsTpDifferent(const TpInfo* a, const TpInfo* b);

// The frequency tolerance in kHz for a symbol rate in kS/s: frequencies that
// differ by this much or more are different transponders. Below 2000 kS/s it
// is 1: any difference counts.
uint32_t WRAP_TpFrequencyTolerance(uint16_t symbolRate);

// Stores WRAP_IsTpDifferent(a, b) in *different, using the comparison of the
// tuner type of tuner 0 (there is only one on the PC). Returns 0, or
// DBERR_NULL_ARG without storing anything when different is null.
uint32_t WRAP_CompareTp(const TpInfo* a, const TpInfo* b, uint32_t* different);
