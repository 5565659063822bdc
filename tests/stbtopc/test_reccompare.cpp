// Equality and order of transport streams, transponders and transponder rows.
#include <gtest/gtest.h>

#include <cstring>

#include "reccompare.h"
#include "tablefixtures.h"

namespace {

using fixtures::MakeRow;
using fixtures::MakeTp;
using fixtures::MakeTs;
using fixtures::Tp;

int signOf(int value) {
    return (value > 0) - (value < 0);
}

struct TsCase {
    const char* what;
    uint16_t id1, id2;
    Tp tp;
    bool equal;
};

TEST(RecordCompare, TransportStreamsMatchOnlyByIdentityAndExactTransponder) {
    const TsInfo base = MakeTs(1, 2, Tp{});
    const TsCase cases[] = {
        {"identical", 1, 2, Tp{}, true},
        {"first identity field", 9, 2, Tp{}, false},
        {"second identity field", 1, 9, Tp{}, false},
        {"same transponder, other satellite", 1, 2, Tp{.satIndex = 1}, false},
        // Within the transponder tolerance, yet another transport stream:
        {"1 MHz off at 27500 kS/s", 1, 2, Tp{.frequencyMhz = 11001}, false},
        {"automatic polarisation", 1, 2, Tp{.polarisation = POL_AUTO}, false},
        {"automatic FEC", 1, 2, Tp{.fec = FEC_AUTO}, false},
        {"symbol rate", 1, 2, Tp{.symbolRate = 27501}, false},
        {"byte after the satellite index", 1, 2, Tp{.rowField = 1}, false},
    };
    for (const TsCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TsInfo other = MakeTs(c.id1, c.id2, c.tp);
        EXPECT_EQ(INT_SLM_CompareTsInfo(&base, &other) == 0, c.equal);
        EXPECT_EQ(signOf(INT_SLM_CompareTsInfo(&other, &base)) == 0, c.equal);
    }
    // Flags and the trailing bytes take no part.
    TsInfo flagged = base;
    flagged.flags = 0xFFFFFFFF;
    std::memset(flagged.reserved28, 0x5A, sizeof flagged.reserved28);
    EXPECT_EQ(INT_SLM_CompareTsInfo(&base, &flagged), 0);
    TsInfo unusedBytes = base;
    unusedBytes.tp.reserved12[3] = 1; // the TpInfo is compared byte for byte
    EXPECT_NE(INT_SLM_CompareTsInfo(&base, &unusedBytes), 0);
    EXPECT_NE(INT_SLM_CompareTsInfo(&base, nullptr), 0);
}

TEST(RecordCompare, HugeFrequenciesStayApartAfterScaling) {
    const TsInfo a = MakeTs(1, 1, Tp{.frequencyMhz = 0xFFFFFFF0u});
    const TsInfo b = MakeTs(1, 1, Tp{.frequencyMhz = 0xFFFFFFF1u});
    EXPECT_LT(INT_SLM_CompareTsInfo(&a, &b), 0);
    EXPECT_GT(INT_SLM_CompareTsInfo(&b, &a), 0);
    EXPECT_EQ(INT_SLM_TpInKhz(MakeTp(Tp{.frequencyMhz = 4294967})).frequency, 4294967000u);
    EXPECT_EQ(INT_SLM_TpInKhz(MakeTp(Tp{.frequencyMhz = 4294968})).frequency, 0xFFFFFFFFu);
}

struct TpCase {
    const char* what;
    Tp a, b;
    int sign; // 0: the same transponder
};

TEST(RecordCompare, TransponderToleranceBandsAndWildcards) {
    const TpCase cases[] = {
        {"identical", Tp{}, Tp{}, 0},
        {"7 MHz below the 8000 kHz band", Tp{}, Tp{.frequencyMhz = 11007}, 0},
        {"8 MHz at the 8000 kHz band", Tp{}, Tp{.frequencyMhz = 11008}, -1},
        {"8 MHz the other way", Tp{.frequencyMhz = 11008}, Tp{}, 1},
        {"11000 kS/s, 5 MHz", Tp{.symbolRate = 11000},
         Tp{.frequencyMhz = 11005, .symbolRate = 11000}, 0},
        {"11000 kS/s, 6 MHz", Tp{.symbolRate = 11000},
         Tp{.frequencyMhz = 11006, .symbolRate = 11000}, -1},
        {"10999 kS/s, 5 MHz", Tp{.symbolRate = 10999},
         Tp{.frequencyMhz = 11005, .symbolRate = 10999}, -1},
        {"2000 kS/s, 3 MHz", Tp{.symbolRate = 2000}, Tp{.frequencyMhz = 11003, .symbolRate = 2000},
         0},
        {"2000 kS/s, 4 MHz", Tp{.symbolRate = 2000}, Tp{.frequencyMhz = 11004, .symbolRate = 2000},
         -1},
        {"1999 kS/s, 1 MHz", Tp{.symbolRate = 1999}, Tp{.frequencyMhz = 11001, .symbolRate = 1999},
         -1},
        {"automatic polarisation", Tp{.polarisation = POL_AUTO}, Tp{.polarisation = POL_VERTICAL},
         0},
        {"polarisation", Tp{}, Tp{.polarisation = POL_VERTICAL}, -1},
        {"automatic FEC", Tp{.fec = 5}, Tp{.fec = FEC_AUTO}, 0},
        {"FEC", Tp{.fec = 5}, Tp{.fec = 4}, 1},
        {"symbol rate", Tp{}, Tp{.symbolRate = 27000}, 1},
        {"same transponder on two satellites", Tp{.satIndex = 2}, Tp{.satIndex = 1}, 1},
        {"modulation", Tp{}, Tp{.modulation = 2}, -1},
        {"pilot", Tp{.pilot = 1}, Tp{}, 1},
        // The byte after the satellite index plays no part in the equality.
        {"byte after the satellite index", Tp{.rowField = 1}, Tp{}, 0},
    };
    for (const TpCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TpInfo a = MakeTp(c.a);
        const TpInfo b = MakeTp(c.b);
        EXPECT_EQ(signOf(INT_SLM_CompareTpInfo(&a, &b)), c.sign);
        EXPECT_EQ(signOf(INT_SLM_CompareTpInfo(&b, &a)), -c.sign);
        EXPECT_EQ(INT_SLM_IsTpDifferentMhz(&a, &b), c.sign != 0 ? 1u : 0u);
        // The records stay in MHz.
        EXPECT_EQ(a.frequency, c.a.frequencyMhz);
        EXPECT_EQ(b.frequency, c.b.frequencyMhz);
    }
    const TpInfo tp = MakeTp(Tp{});
    EXPECT_NE(INT_SLM_CompareTpInfo(&tp, nullptr), 0);
    EXPECT_EQ(INT_SLM_IsTpDifferentMhz(nullptr, &tp), 1u);
}

struct RowCase {
    const char* what;
    TpRow a, b;
    int exact;   // sign of the exact order
    int similar; // sign of the tolerant comparison
};

TEST(RecordCompare, TransponderRowsExactAndSimilar) {
    const RowCase cases[] = {
        {"identical", MakeRow(Tp{}), MakeRow(Tp{}), 0, 0},
        {"state does not count", MakeRow(Tp{}, 0), MakeRow(Tp{}, 1), 0, 0},
        {"2 MHz apart", MakeRow(Tp{}), MakeRow(Tp{.frequencyMhz = 11002}), -1, 0},
        {"9 MHz apart", MakeRow(Tp{.frequencyMhz = 11009}), MakeRow(Tp{}), 1, 1},
        {"automatic polarisation", MakeRow(Tp{.polarisation = POL_AUTO}), MakeRow(Tp{}), 1, 0},
        {"u16 field", MakeRow(Tp{.rowField = 1}), MakeRow(Tp{}), 1, 0},
        {"FEC before modulation", MakeRow(Tp{.fec = 2, .modulation = 1}),
         MakeRow(Tp{.fec = 1, .modulation = 2}), 1, 1},
        {"modulation", MakeRow(Tp{}), MakeRow(Tp{.modulation = 1}), -1, -1},
        {"pilot", MakeRow(Tp{.pilot = 1}), MakeRow(Tp{}), 1, 1},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(signOf(INT_SLM_CompareTpRowExact(&c.a, &c.b)), c.exact);
        EXPECT_EQ(signOf(INT_SLM_CompareTpRowExact(&c.b, &c.a)), -c.exact);
        EXPECT_EQ(signOf(INT_SLM_CompareTpRow(&c.a, &c.b)), c.similar);
        EXPECT_EQ(signOf(INT_SLM_CompareTpRow(&c.b, &c.a)), -c.similar);
    }
    // A symbol rate above 16 bits still orders exactly, while the key keeps
    // its low 16 bits only.
    TpRow wide = MakeRow(Tp{});
    wide.symbolRate += 0x10000;
    const TpRow narrow = MakeRow(Tp{});
    EXPECT_GT(INT_SLM_CompareTpRowExact(&wide, &narrow), 0);
    EXPECT_EQ(INT_SLM_CompareTpRow(&wide, &narrow), 0);
}

} // namespace
