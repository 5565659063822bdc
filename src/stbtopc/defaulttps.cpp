#include "defaulttps.h"

#include <array>
#include <cstddef>

namespace {

// One row in the order transponder lists are usually written down:
// frequency (MHz), symbol rate (kS/s), polarisation (0 H, 1 V), FEC code,
// modulation (0 DVB-S QPSK, 1 DVB-S2 QPSK, 2 DVB-S2 8PSK), pilot.
constexpr DefaultTpRow Row(uint32_t frequency, uint32_t symbolRate, uint8_t polarisation,
                           uint8_t fec, uint8_t modulation, uint8_t pilot) {
    return DefaultTpRow{frequency, symbolRate, 0, polarisation, fec, modulation, pilot, {0, 0}};
}

// ---- The tables -----------------------------------------------------------
// Only transponders that are known for certain are listed: every default row
// reaches the receiver's stored transponders when a satellite's edit list is
// committed, so a guessed row would end up in a user's receiver. Satellites
// without a table here have no defaults.

constexpr DefaultTpRow kSat0[] = {
    Row(3791, 3100, 0, 2, 0, 0),
    Row(3793, 10390, 1, 11, 0, 0),
};

constexpr DefaultTpRow kSat7[] = {
    Row(12060, 30000, 1, 4, 0, 0),
};

constexpr DefaultTpRow kSat20[] = {
    Row(11361, 22000, 0, 21, 2, 1),
    Row(11914, 27500, 0, 19, 1, 0),
};

constexpr DefaultTpRow kSat22[] = {
    Row(10714, 22000, 0, 1, 0, 0),
    Row(10729, 22000, 1, 1, 0, 0),
};

// ---- Directory by satellite id --------------------------------------------

template <size_t N> constexpr DefaultTpTable Table(const DefaultTpRow (&rows)[N]) {
    static_assert(N > 0 && N <= 0xFFFF);
    return DefaultTpTable{rows, static_cast<uint16_t>(N)};
}

using Directory = std::array<DefaultTpTable, DTP_NUM_SAT_IDS>;

constexpr Directory MakeDirectory() {
    Directory tables{};
    tables[0] = Table(kSat0);
    tables[7] = Table(kSat7);
    tables[20] = Table(kSat20);
    tables[22] = Table(kSat22);
    tables[35] = tables[22]; // the same satellite under a second id
    return tables;
}

constexpr Directory kDirectory = MakeDirectory();

// A table that breaks these rules does not build: rows sorted by frequency,
// every field inside its domain, the padding and the u16 field zero.
constexpr bool RowIsWellFormed(const DefaultTpRow& row) {
    return row.frequency != 0 && row.symbolRate != 0 && row.symbolRate <= 0xFFFF &&
           row.rowField == 0 && row.polarisation <= POL_VERTICAL && row.fec <= 25 &&
           row.modulation <= 2 && row.pilot <= 1 && row.reserved14[0] == 0 &&
           row.reserved14[1] == 0;
}

constexpr bool DirectoryIsWellFormed(const Directory& tables) {
    for (const DefaultTpTable& table : tables) {
        if ((table.rows == nullptr) != (table.count == 0)) return false;
        for (uint16_t i = 0; i < table.count; ++i) {
            if (!RowIsWellFormed(table.rows[i])) return false;
            if (i > 0 && table.rows[i - 1].frequency > table.rows[i].frequency) return false;
        }
    }
    return true;
}
static_assert(DirectoryIsWellFormed(kDirectory));

} // namespace

DefaultTpTable DTP_GetTable(uint32_t satId) {
    if (satId >= DTP_NUM_SAT_IDS) return DefaultTpTable{nullptr, 0};
    return kDirectory[satId];
}
