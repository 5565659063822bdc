// The transponder table: tolerant de-duplication, capacity, deletes by
// description and positional reads.
#include <gtest/gtest.h>

#include <cstring>

#include "dballoc.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "ringcheck.h"
#include "tablecopy.h"
#include "tablefixtures.h"
#include "tptable.h"

namespace {

using fixtures::MakeTp;
using fixtures::Tp;

class TpTableTest : public DbTest {
  protected:
    TpInfo* add(const Tp& tp, DBERR expected = DBERR_OK) {
        const TpInfo record = MakeTp(tp);
        TpInfo* out = nullptr;
        EXPECT_EQ(TBL_AddTpInfo(&record, &out), expected);
        EXPECT_TRUE(ringcheck::IsSoundRing(g_TpInfoList));
        return out;
    }
};

TEST_F(TpTableTest, TheSameTransponderWithinToleranceIsStoredOnce) {
    TpInfo* first = add(Tp{});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(add(Tp{.frequencyMhz = 11007}), first);    // inside the 8 MHz band
    EXPECT_EQ(add(Tp{.polarisation = POL_AUTO}), first); // wildcard
    EXPECT_NE(add(Tp{.frequencyMhz = 11008}), first);    // at the band
    EXPECT_NE(add(Tp{.satIndex = 3}), first);            // another satellite
    EXPECT_EQ(TBL_GetTpCount(), 3u);
    EXPECT_EQ(first->frequency, 11000u); // compared on copies, kept in MHz
}

TEST_F(TpTableTest, TheEightHundredthFitsAndTheNextIsRefused) {
    for (uint32_t i = 0; i < TP_CAPACITY; ++i)
        ASSERT_NE(add(Tp{.frequencyMhz = 10000 + 10 * i}), nullptr) << i;
    EXPECT_EQ(TBL_GetTpCount(), TP_CAPACITY);
    EXPECT_EQ(add(Tp{.frequencyMhz = 50000}, DBERR_TABLE_INDEX), nullptr);
    EXPECT_EQ(LL_Count(g_TpInfoList, nullptr, 0), TP_CAPACITY);
    EXPECT_NE(add(Tp{.frequencyMhz = 10002}), nullptr); // an equal one is still found
}

TEST_F(TpTableTest, NoMemoryLeavesTheTableAsItWas) {
    add(Tp{});
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(add(Tp{.frequencyMhz = 12000}, DBERR_NO_MEMORY_COPY), nullptr);
    DB_SetAllocFailAfter(-1);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(add(Tp{.frequencyMhz = 12000}, DBERR_NO_MEMORY_COPY), nullptr);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(TBL_GetTpCount(), 1u);
    const TpInfo record = MakeTp(Tp{});
    TpInfo* out = reinterpret_cast<TpInfo*>(1);
    EXPECT_EQ(TBL_AddTpInfo(&record, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_AddTpInfo(nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(out, nullptr);
}

TEST_F(TpTableTest, DeleteFindsTheSameTransponderOfThatSatellite) {
    add(Tp{.satIndex = 1});
    add(Tp{.frequencyMhz = 12000, .satIndex = 1});
    add(Tp{.satIndex = 2});

    // Another satellite, or beyond the tolerance: nothing removed.
    EXPECT_EQ(TBL_DeleteTpInfo(4, 11000, 27500, 0, POL_HORIZONTAL, 3, 0, 0), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(TBL_DeleteTpInfo(1, 11008, 27500, 0, POL_HORIZONTAL, 3, 0, 0), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(TBL_DeleteTpInfo(0x101, 11000, 27500, 0, POL_HORIZONTAL, 3, 0, 0),
              DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(TBL_GetTpCount(), 3u);

    // 2 MHz off with automatic FEC is the same transponder.
    EXPECT_EQ(TBL_DeleteTpInfo(1, 11002, 27500, 0, POL_HORIZONTAL, FEC_AUTO, 0, 0), 0);
    EXPECT_EQ(TBL_GetTpCount(), 2u);
    EXPECT_TRUE(ringcheck::IsSoundRing(g_TpInfoList));
    TpInfo out{};
    ASSERT_EQ(TBL_GetNthTpInfo(0, &out), 0);
    EXPECT_EQ(out.frequency, 12000u); // the stored records were not scaled
    EXPECT_EQ(out.satIndex, 1);
    ASSERT_EQ(TBL_GetNthTpInfo(1, &out), 0);
    EXPECT_EQ(out.frequency, 11000u);
    EXPECT_EQ(out.satIndex, 2);
}

TEST_F(TpTableTest, NthCopyAndItsAbsence) {
    add(Tp{.frequencyMhz = 11100, .rowField = 9});
    TpInfo out{};
    ASSERT_EQ(TBL_GetNthTpInfo(0, &out), 0);
    EXPECT_EQ(out.frequency, 11100u);
    EXPECT_EQ(out.rowField, 9);
    TpInfo none;
    std::memset(&none, 0xAB, sizeof none);
    EXPECT_EQ(TBL_GetNthTpInfo(1, &none), DBERR_TABLE_NOT_FOUND);
    const TpInfo zero{};
    EXPECT_EQ(std::memcmp(&none, &zero, sizeof none), 0);
    EXPECT_EQ(TBL_GetNthTpInfo(0, nullptr), DBERR_NULL_ARG);
    TBL_FreeTpList();
    EXPECT_EQ(g_TpInfoList, nullptr);
    EXPECT_EQ(TBL_GetTpCount(), 0u);
    EXPECT_EQ(TBL_GetNthTpInfo(0, &out), DBERR_TABLE_NOT_FOUND);
}

} // namespace
