// The satellite table: slot reads and writes and the walks over the usable
// slots that the tree and the channel dialog number satellites with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "dbtest.h"
#include "favtable.h"
#include "indexblocks.h"
#include "satnet.h"
#include "sattable.h"

namespace {

class SatTableTest : public DbTest {};

SatInfo usedSat(const char* name) {
    SatInfo sat{};
    sat.lnb = SAT_IN_USE | SAT_UNIVERSAL;
    sat.power = DB_SetBits(SAT_LNB_POWER, SAT_SETTING_LO, SAT_SETTING_W, 16);
    std::memcpy(sat.name, name, std::min(std::strlen(name), SAT_NAME_LEN));
    return sat;
}

void putUsedSat(uint32_t slot, const char* name) {
    const SatInfo sat = usedSat(name);
    ASSERT_EQ(SN_SetSatInfo(slot, &sat), 0);
}

TEST_F(SatTableTest, UsedSlotWalksOverThreeAntennasAndFiveUserSlots) {
    g_NumAntenna = 3; // usable slots 0-7
    for (uint32_t slot : {0u, 2u, 4u, 8u})
        putUsedSat(slot, "S");

    struct WalkCase {
        uint32_t n;
        uint32_t nthUsed;
        uint32_t usedBefore;
    };
    const WalkCase cases[] = {
        {0, 0, 0}, {1, 0, 1},  {2, 2, 1}, {3, 4, 2},
        {4, 0, 2}, {5, 0, 3},  {7, 0, 3}, {8, 0, 0}, // slot 8 lies past the usable slots
        {9, 0, 0}, {64, 0, 0},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(SN_GetNthUsedSatIndex(c.n), c.nthUsed);
        EXPECT_EQ(SN_CountUsedSatsBefore(c.n), c.usedBefore);
    }
    // A user slot counts like a region slot.
    putUsedSat(7, "U");
    EXPECT_EQ(SN_GetNthUsedSatIndex(4), 7u);
    EXPECT_EQ(SN_CountUsedSatsBefore(7), 3u);
    EXPECT_EQ(SN_GetUsableSlotCount(), 8u);
}

TEST_F(SatTableTest, UsableSlotsNeverRunPastTheTable) {
    g_NumAntenna = 1000;
    for (uint32_t slot = 0; slot < SAT_CAPACITY; ++slot)
        putUsedSat(slot, "S");
    EXPECT_EQ(SN_GetUsableSlotCount(), SAT_CAPACITY);
    EXPECT_EQ(SN_GetNthUsedSatIndex(64), 63u);
    EXPECT_EQ(SN_GetNthUsedSatIndex(65), 0u);
    EXPECT_EQ(SN_CountUsedSatsBefore(63), 63u);
}

TEST_F(SatTableTest, ASlotReadsBackOnlyWhenItHasSettings) {
    struct SlotCase {
        const char* what;
        uint32_t lnb;
        uint32_t power;
        DBERR result;
    };
    const SlotCase cases[] = {
        {"name only", 0, 0, DBERR_TABLE_INDEX},
        {"in use only", SAT_IN_USE, 0, DBERR_TABLE_INDEX},
        {"LNB power and orbit only", 0, SAT_LNB_POWER | (900u << SAT_ORBIT_LO), DBERR_TABLE_INDEX},
        {"LO frequency", 9750000, 0, DBERR_OK},
        {"universal LNB", SAT_UNIVERSAL, 0, DBERR_OK},
        {"setting bits", 0, DB_SetBits(0, SAT_SETTING_LO, SAT_SETTING_W, 1), DBERR_OK},
    };
    for (const SlotCase& c : cases) {
        SCOPED_TRACE(c.what);
        SatInfo sat{};
        sat.lnb = c.lnb;
        sat.power = c.power;
        sat.search = SAT_FTA_ONLY;
        std::memcpy(sat.name, "Astra", 5);
        ASSERT_EQ(SN_SetSatInfo(5, &sat), 0);
        SatInfo out;
        std::memset(&out, 0xAA, sizeof out);
        EXPECT_EQ(SN_GetSatInfo(5, &out), c.result);
        const SatInfo expected = c.result == DBERR_OK ? sat : SatInfo{};
        EXPECT_EQ(std::memcmp(&out, &expected, sizeof out), 0);
    }
}

TEST_F(SatTableTest, SlotBoundsAndNullArguments) {
    const SatInfo sat = usedSat("Hotbird");
    SatInfo out{};
    EXPECT_EQ(SN_SetSatInfo(SAT_CAPACITY, &sat), DBERR_TABLE_INDEX);
    EXPECT_EQ(SN_GetSatInfo(SAT_CAPACITY, &out), DBERR_TABLE_INDEX);
    EXPECT_EQ(SN_SetSatInfo(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SN_GetSatInfo(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SN_GetSatName(SAT_CAPACITY), nullptr);
    EXPECT_EQ(SN_IsSatUsed(SAT_CAPACITY), 0u);
    EXPECT_EQ(SN_IsSatUsed(0xFFFFFFFFu), 0u);

    ASSERT_EQ(SN_SetSatInfo(63, &sat), 0);
    EXPECT_EQ(SN_IsSatUsed(63), 1u);
    EXPECT_EQ(SN_GetSatInfo(63, &out), 0);
    SN_ClearSatTable();
    EXPECT_EQ(SN_IsSatUsed(63), 0u);
    EXPECT_EQ(SN_GetSatInfo(63, &out), DBERR_TABLE_INDEX);
}

TEST_F(SatTableTest, ANameThatFillsItsFieldComesBackTerminated) {
    SatInfo sat = usedSat("");
    std::memcpy(sat.name, "ABCDEFGHIJKLMNOP", SAT_NAME_LEN); // no terminator in the record
    ASSERT_EQ(SN_SetSatInfo(1, &sat), 0);
    EXPECT_EQ(std::string(SN_GetSatName(1)), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(std::memcmp(g_SatTable[1].name, sat.name, SAT_NAME_LEN), 0); // stored bytes kept
    putUsedSat(2, "Short");
    EXPECT_EQ(std::string(SN_GetSatName(2)), "Short");
    EXPECT_EQ(std::string(SN_GetSatName(3)), "");
}

TEST_F(SatTableTest, LoadsReportTheIndexCountsAndChangeNothing) {
    EXPECT_EQ(SN_LoadSatTable(), 0u);
    EXPECT_EQ(TBL_LoadFavTable(), 0u);
    putUsedSat(0, "S");
    g_SatIndex.count = 3;
    g_FavIndex.count = 0xFFFF; // a count read from a damaged image stops at the capacity
    EXPECT_EQ(SN_LoadSatTable(), 3u);
    EXPECT_EQ(TBL_LoadFavTable(), FAV_CAPACITY);
    EXPECT_EQ(SN_IsSatUsed(0), 1u);
}

} // namespace
