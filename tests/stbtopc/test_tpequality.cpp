// Transponder equality: the tolerance bands, the wildcards and rule order.
#include <gtest/gtest.h>

#include <cstring>

#include "dberr.h"
#include "dbtest.h"
#include "tpequality.h"

namespace {

class TpEqualityTest : public DbTest {};

// A key as the callers build it: frequency already in kHz.
TpInfo Key(uint32_t frequencyKHz, uint16_t symbolRate) {
    TpInfo tp;
    std::memset(&tp, 0, sizeof tp);
    tp.frequency = frequencyKHz;
    tp.symbolRate = symbolRate;
    tp.modulation = 1;
    tp.polarisation = POL_VERTICAL;
    tp.fec = 3;
    tp.satIndex = 5;
    tp.pilot = 1;
    return tp;
}

struct BandCase {
    uint16_t symbolRate;
    uint32_t difference; // kHz
    uint32_t different;
};

TEST_F(TpEqualityTest, FrequencyToleranceAtEveryBandBoundary) {
    const BandCase cases[] = {
        {1, 0, 0},        {1999, 0, 0},     {1999, 1, 1},     {1999, 3799, 1},  {2000, 1, 0},
        {2000, 3799, 0},  {2000, 3800, 1},  {3999, 3799, 0},  {3999, 3800, 1},  {4000, 3800, 0},
        {4000, 3999, 0},  {4000, 4000, 1},  {7999, 3999, 0},  {7999, 4000, 1},  {8000, 4000, 0},
        {8000, 4999, 0},  {8000, 5000, 1},  {10999, 4999, 0}, {10999, 5000, 1}, {11000, 5000, 0},
        {11000, 5999, 0}, {11000, 6000, 1}, {17999, 5999, 0}, {17999, 6000, 1}, {18000, 6000, 0},
        {18000, 7999, 0}, {18000, 8000, 1}, {27500, 7999, 0}, {27500, 8000, 1}, {65535, 7999, 0},
        {65535, 8000, 1}, {27500, 0, 0},
    };
    const uint32_t base = 11778000; // 11778 MHz
    for (const BandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.symbolRate << " kS/s, " << c.difference << " kHz");
        const TpInfo low = Key(base, c.symbolRate);
        const TpInfo high = Key(base + c.difference, c.symbolRate);
        EXPECT_EQ(WRAP_IsTpDifferent(&high, &low), c.different) << "fa > fb";
        EXPECT_EQ(WRAP_IsTpDifferent(&low, &high), c.different) << "fa < fb";
    }
}

TEST_F(TpEqualityTest, DifferenceIsTakenWithoutWrapping) {
    // Differences that an unsigned or a 32-bit signed subtraction would
    // wrap into "nearly equal".
    const uint32_t pairs[][2] = {
        {0xFFFFFFFFu, 1u},          // unsigned b - a wraps to 2
        {0x80000000u + 100u, 100u}, // 32-bit signed difference overflows
        {0xFFFFFFFFu, 0xFFFFFFFFu - 8000u},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(testing::Message() << p[0] << " vs " << p[1]);
        const TpInfo a = Key(p[0], 27500), b = Key(p[1], 27500);
        EXPECT_EQ(WRAP_IsTpDifferent(&a, &b), 1u);
        EXPECT_EQ(WRAP_IsTpDifferent(&b, &a), 1u);
    }
    const TpInfo top = Key(0xFFFFFFFFu, 27500), near = Key(0xFFFFFFFFu - 7999u, 27500);
    EXPECT_EQ(WRAP_IsTpDifferent(&top, &near), 0u);
}

struct FieldCase {
    const char* name;
    void (*changeA)(TpInfo&);
    void (*changeB)(TpInfo&);
    uint32_t different;
};

TEST_F(TpEqualityTest, WildcardsAndFieldsInRuleOrder) {
    const FieldCase cases[] = {
        {"identical", [](TpInfo&) {}, [](TpInfo&) {}, 0},
        {"polarisation differs", [](TpInfo& t) { t.polarisation = POL_HORIZONTAL; }, [](TpInfo&) {},
         1},
        {"polarisation 16 on a", [](TpInfo& t) { t.polarisation = POL_AUTO; }, [](TpInfo&) {}, 0},
        {"polarisation 16 on b", [](TpInfo&) {}, [](TpInfo& t) { t.polarisation = POL_AUTO; }, 0},
        {"polarisation 16 on b, a horizontal", [](TpInfo& t) { t.polarisation = POL_HORIZONTAL; },
         [](TpInfo& t) { t.polarisation = POL_AUTO; }, 0},
        {"polarisation 15 is no wildcard", [](TpInfo& t) { t.polarisation = 15; }, [](TpInfo&) {},
         1},
        {"FEC differs", [](TpInfo& t) { t.fec = 5; }, [](TpInfo&) {}, 1},
        {"FEC 11 on a", [](TpInfo& t) { t.fec = FEC_AUTO; }, [](TpInfo&) {}, 0},
        {"FEC 11 on b", [](TpInfo&) {}, [](TpInfo& t) { t.fec = FEC_AUTO; }, 0},
        {"FEC 10 is no wildcard", [](TpInfo& t) { t.fec = 10; }, [](TpInfo&) {}, 1},
        {"both wildcards", [](TpInfo& t) { t.fec = FEC_AUTO; },
         [](TpInfo& t) { t.polarisation = POL_AUTO; }, 0},
        {"modulation differs", [](TpInfo& t) { t.modulation = 2; }, [](TpInfo&) {}, 1},
        {"pilot differs", [](TpInfo& t) { t.pilot = 0; }, [](TpInfo&) {}, 1},
        {"symbol rate differs by one", [](TpInfo& t) { t.symbolRate = 27501; }, [](TpInfo&) {}, 1},
        {"satellite differs, wildcards do not help",
         [](TpInfo& t) {
             t.satIndex = 6;
             t.polarisation = POL_AUTO;
             t.fec = FEC_AUTO;
         },
         [](TpInfo&) {}, 1},
        {"offset 10 and the tail bytes take no part",
         [](TpInfo& t) {
             t.rowField = 9;
             t.reserved12[3] = 0x55;
         },
         [](TpInfo&) {}, 0},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        TpInfo a = Key(12188000, 27500), b = Key(12188000 + 7000, 27500);
        c.changeA(a);
        c.changeB(b);
        EXPECT_EQ(WRAP_IsTpDifferent(&a, &b), c.different);
        EXPECT_EQ(WRAP_IsTpDifferent(&b, &a), c.different);
    }
    const TpInfo a = Key(12188000, 27500);
    EXPECT_EQ(WRAP_IsTpDifferent(&a, nullptr), 1u);
    EXPECT_EQ(WRAP_IsTpDifferent(nullptr, &a), 1u);
    EXPECT_EQ(WRAP_IsTpDifferent(nullptr, nullptr), 1u);
}

TEST_F(TpEqualityTest, CompareStoresTheDifference) {
    const TpInfo a = Key(10714000, 22000), same = Key(10721999, 22000),
                 other = Key(10722000, 22000);
    uint32_t different = 7;
    EXPECT_EQ(WRAP_CompareTp(&a, &same, &different), 0u);
    EXPECT_EQ(different, 0u);
    EXPECT_EQ(WRAP_CompareTp(&a, &other, &different), 0u);
    EXPECT_EQ(different, 1u);
    EXPECT_EQ(WRAP_CompareTp(&a, nullptr, &different), 0u);
    EXPECT_EQ(different, 1u);
    EXPECT_EQ(WRAP_CompareTp(&a, &same, nullptr), DBERR_NULL_ARG);
}

} // namespace
