// The fields of a satellite record as the satellite dialog shows them: the
// entries of its lists, and the rules that turn a SatInfo into list
// positions and an angle and back. No widgets here.
#pragma once

#include "slm.h"

#include <cstdint>
#include <span>

namespace satfields {

// "Universal", then the LNB frequencies of positions 1-14 in MHz.
inline constexpr const char* kLnbEntries[] = {"Universal", "0",     "5150",  "5750",  "9750",
                                              "10000",     "10600", "10678", "10700", "10750",
                                              "11200",     "11250", "11300", "11475", "11500"};
inline constexpr uint32_t kLnbMhz[] = {0,     5150,  5750,  9750,  10000, 10600, 10678,
                                       10700, 10750, 11200, 11250, 11300, 11475, 11500};
inline constexpr int kUniversalPosition = 0;
// The setting in word 1 bits 1-7 that a non-universal LNB has.
inline constexpr uint32_t kLnbSetting = 16;

// The lists whose position is the stored value of one field.
enum class Field { Diseqc, NetworkSearch, FtaOnly, PidFilter, Tone22k, LnbPower };

// The entries of such a list, position = stored value.
std::span<const char* const> EntriesOf(Field field);
uint32_t ValueOf(const SatInfo& sat, Field field);
void SetValue(SatInfo& sat, Field field, uint32_t value);

inline constexpr const char* kEastWest[] = {"East", "West"};
inline constexpr int kEast = 0;

// What an added satellite starts as: in use, universal LNB with the LNB
// setting, LNB power on; everything else zero.
SatInfo NewSatellite();

// The LNB list position of a record: "Universal" when the universal bit is
// set or the setting is not kLnbSetting, else the entry of its frequency
// (kHz / 1000); -1 when the frequency has no entry.
int LnbPositionOf(const SatInfo& sat);
// Position 0 makes the LNB universal with frequency 0; another position
// clears the universal bit and stores its frequency in kHz; -1 (no entry)
// clears the universal bit and keeps the frequency. Other bits stay.
void SetLnbPosition(SatInfo& sat, int position);

// The orbital position as the dialog shows it: degrees (never negative) and
// East for a positive stored value, West for zero and below.
struct Angle {
    float degrees = 0.0f;
    bool east = false;
};
Angle AngleOf(const SatInfo& sat);
// Stores the angle in tenths of a degree, rounded to the nearest (so 24.8
// stays 248 although the float is 24.7999...), negative for West, in word 1
// bits 16-31; the low half of word 1 stays.
void SetAngle(SatInfo& sat, Angle angle);

} // namespace satfields
