#include "satfields.h"

#include <bit>
#include <cmath>
#include <iterator>

namespace satfields {

namespace {

constexpr const char* kOffOn[] = {"OFF", "ON"};
constexpr const char* kDiseqc[] = {"OFF", "LNB1", "LNB2", "Mini A", "Mini B", "LNB3", "LNB4"};
constexpr const char* kPidFilter[] = {"All", "TV Only", "Radio Only"};

// The lowest bit of a one-bit flag.
constexpr unsigned BitOf(uint32_t flag) {
    return static_cast<unsigned>(std::countr_zero(flag));
}

// Where a field lives: its word of the record, its lowest bit and width.
struct Place {
    uint32_t SatInfo::*word;
    unsigned lo;
    unsigned width;
};

Place PlaceOf(Field field) {
    switch (field) {
    case Field::Diseqc:
        return {&SatInfo::lnb, SAT_DISEQC_LO, SAT_DISEQC_W};
    case Field::NetworkSearch:
        return {&SatInfo::search, BitOf(SAT_NET_SEARCH), 1};
    case Field::FtaOnly:
        return {&SatInfo::search, BitOf(SAT_FTA_ONLY), 1};
    case Field::PidFilter:
        return {&SatInfo::search, SAT_PIDFILTER_LO, SAT_PIDFILTER_W};
    case Field::Tone22k:
        return {&SatInfo::lnb, BitOf(SAT_TONE_22K), 1};
    case Field::LnbPower:
        return {&SatInfo::power, BitOf(SAT_LNB_POWER), 1};
    }
    return {&SatInfo::search, BitOf(SAT_NET_SEARCH), 1};
}

} // namespace

std::span<const char* const> EntriesOf(Field field) {
    switch (field) {
    case Field::Diseqc:
        return kDiseqc;
    case Field::PidFilter:
        return kPidFilter;
    default:
        return kOffOn;
    }
}

uint32_t ValueOf(const SatInfo& sat, Field field) {
    const Place place = PlaceOf(field);
    return DB_GetBits(sat.*place.word, place.lo, place.width);
}

void SetValue(SatInfo& sat, Field field, uint32_t value) {
    const Place place = PlaceOf(field);
    sat.*place.word = DB_SetBits(sat.*place.word, place.lo, place.width, value);
}

SatInfo NewSatellite() {
    SatInfo sat{};
    sat.lnb = SAT_IN_USE | SAT_UNIVERSAL;
    sat.power = DB_SetBits(SAT_LNB_POWER, SAT_SETTING_LO, SAT_SETTING_W, kLnbSetting);
    return sat;
}

int LnbPositionOf(const SatInfo& sat) {
    if (DB_GetBits(sat.power, SAT_SETTING_LO, SAT_SETTING_W) != kLnbSetting ||
        (sat.lnb & SAT_UNIVERSAL) != 0)
        return kUniversalPosition;
    const uint32_t mhz = DB_GetBits(sat.lnb, SAT_LO_LO, SAT_LO_W) / 1000;
    for (size_t i = 0; i < std::size(kLnbMhz); ++i)
        if (kLnbMhz[i] == mhz) return static_cast<int>(i) + 1;
    return -1;
}

void SetLnbPosition(SatInfo& sat, int position) {
    if (position == kUniversalPosition) {
        sat.lnb = DB_SetBits(sat.lnb, SAT_LO_LO, SAT_LO_W, 0) | SAT_UNIVERSAL;
        return;
    }
    sat.lnb &= ~SAT_UNIVERSAL;
    if (position > 0 && position <= static_cast<int>(std::size(kLnbMhz)))
        sat.lnb = DB_SetBits(sat.lnb, SAT_LO_LO, SAT_LO_W, kLnbMhz[position - 1] * 1000);
}

Angle AngleOf(const SatInfo& sat) {
    const auto tenths = static_cast<int16_t>(DB_GetBits(sat.power, SAT_ORBIT_LO, SAT_ORBIT_W));
    if (tenths > 0) return {static_cast<float>(tenths / 10.0), true};
    return {static_cast<float>(-tenths / 10.0), false};
}

void SetAngle(SatInfo& sat, Angle angle) {
    const long tenths = std::lround(static_cast<double>(angle.degrees) * 10.0);
    const long stored = angle.east ? tenths : -tenths;
    sat.power = DB_SetBits(sat.power, SAT_ORBIT_LO, SAT_ORBIT_W,
                           static_cast<uint32_t>(static_cast<uint16_t>(stored)));
}

} // namespace satfields
