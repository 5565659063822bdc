// The fields of a transponder row as the transponder dialog shows them: the
// entries of its lists and the rules between list positions and the row's
// polarisation, modulation, FEC and pilot bytes. No widgets here.
#pragma once

#include <cstdint>
#include <span>

namespace tpfields {

inline constexpr const char* kPolarityEntries[] = {"Auto", "Horizontal", "Vertical"};
inline constexpr const char* kDemodulationEntries[] = {"DVS-S QPSK", "DVS-S2 QPSK", "DVS-S2 8PSK"};
inline constexpr const char* kPilotEntries[] = {"OFF", "ON"};

// Polarisation value 0 is "Horizontal" (1), 1 "Vertical" (2), anything else
// "Auto" (0).
int PolarityPosition(uint8_t polarisation);
// Position 1 gives 0, 2 gives 1, any other position 16 (automatic).
uint8_t PolarityValue(int position);

// The code-rate entries for a modulation, "AUTO" first; none for a
// modulation other than 0, 1 and 2.
std::span<const char* const> CodeRateEntries(uint8_t modulation);
// The position of a FEC in the modulation's list: 0 ("AUTO") for a FEC the
// list does not have; -1 when the modulation has no list.
int CodeRatePosition(uint8_t modulation, uint8_t fec);
// The FEC of a position: 11 (automatic) for position 0 and for any position
// outside the modulation's list.
uint8_t CodeRateFec(uint8_t modulation, int position);

} // namespace tpfields
