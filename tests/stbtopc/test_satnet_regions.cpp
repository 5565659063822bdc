// Regions, antenna tables and the default transponders of a slot.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "dberr.h"
#include "dbtest.h"
#include "defaulttps.h"
#include "satnet.h"

namespace {

// The receiver's region tables as its documentation lists them, kept as text
// so that a slip in the code's tables does not repeat itself here.
const char* const kPrintedRegions[SN_NUM_REGIONS] = {
    "55, 20, 22, 23, 63, 54, 67, 84, 64, 108, 42, 24, 106, 80, 105, 9, 62, 111, 104, 100, 39, 37, "
    "38, 41, 21, 15, 35, 16, 36, 53, 44, 34, 60, 45, 25, 85, 66, 65, 92, 40, 59, 76, 14, 110, 43, "
    "58, 101, 112, 77, 17, 18, 114, 75",
    "55, 15, 80, 63, 54, 67, 84, 64, 108, 42, 24, 106, 105, 9, 62, 111, 104, 100, 39, 37, 38, 20, "
    "41, 21, 23, 22, 35, 16, 12, 36, 53, 44, 34, 60, 45, 25, 85, 66, 65, 92, 40, 59, 76, 14, 110, "
    "43, 58, 101, 112, 77, 17, 18, 99, 72, 13",
    "99, 93, 91, 86, 89, 87, 88, 12, 13, 103, 18, 17, 109, 75, 74, 90, 19, 73, 72, 78, 0, 102, 71, "
    "61, 113, 45, 25, 85, 92, 40, 59, 57, 76, 14, 110, 43, 58, 26, 101, 112, 83, 56, 77, 114",
    "28, 94, 79, 98, 29, 4, 81, 7, 2, 70, 50, 82, 69, 47, 68, 48, 3, 1, 8, 10, 32, 11, 97, 31, 33, "
    "49, 51, 52, 30, 107, 95, 46, 96, 5, 6, 27",
    "55, 20, 38, 37, 39, 100, 104, 62, 105, 106, 64, 67, 54, 15, 22, 16, 9, 111, 80",
};
const uint32_t kPrintedCounts[SN_NUM_REGIONS] = {53, 55, 44, 36, 19};

std::vector<uint8_t> ParseIds(const char* text) {
    std::vector<uint8_t> ids;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        ids.push_back(static_cast<uint8_t>(std::stoi(item)));
    return ids;
}

class RegionTest : public DbTest {};

TEST_F(RegionTest, AntennaTablesAreExactlyThePrintedOnes) {
    for (uint32_t region = 0; region < SN_NUM_REGIONS; ++region) {
        SCOPED_TRACE(testing::Message() << "region " << region);
        const std::vector<uint8_t> printed = ParseIds(kPrintedRegions[region]);
        ASSERT_EQ(printed.size(), kPrintedCounts[region]);

        uint32_t count = 0;
        ASSERT_EQ(SN_GetNumAntenna(region, &count), DBERR_OK);
        EXPECT_EQ(count, kPrintedCounts[region]);

        std::vector<uint8_t> list(count, 0xEE);
        ASSERT_EQ(SN_GetAntennaIdList(region, list.data(), count), DBERR_OK);
        EXPECT_EQ(list, printed);

        for (uint32_t index = 0; index < count; ++index) {
            uint8_t id = 0;
            ASSERT_EQ(SN_GetAntennaIdOfRegion(region, index, &id), DBERR_OK);
            EXPECT_EQ(id, printed[index]);
            EXPECT_LT(id, DTP_NUM_SAT_IDS);
            uint8_t firstIndex = 0;
            ASSERT_EQ(SN_GetAntennaIndex(region, id, &firstIndex), DBERR_OK);
            EXPECT_EQ(printed[firstIndex], id);
            EXPECT_LE(firstIndex, index);
        }
    }
}

TEST_F(RegionTest, SetRegionIdSelectsValidRegionsAndKeepsTheOldOneOtherwise) {
    EXPECT_EQ(g_RegionId, 0u); // start-up state
    EXPECT_EQ(g_NumAntenna, 53u);

    DebugCapture debug;
    ASSERT_EQ(SN_SetRegionId(3), DBERR_OK);
    EXPECT_EQ(g_RegionId, 3u);
    EXPECT_EQ(g_NumAntenna, 36u);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_INFO);
    EXPECT_EQ(debug.lines()[0].text, "[SN_SetRegionId] REGION 3, NumAntenna 36\n");

    debug.clear();
    EXPECT_EQ(SN_SetRegionId(5), DBERR_BAD_REGION);
    EXPECT_EQ(g_RegionId, 3u);
    EXPECT_EQ(g_NumAntenna, 36u);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(debug.lines()[0].text, "[SN_SetRegionId] Region ID Error: 5\n");

    EXPECT_EQ(SN_SetRegionId(0xFFFFFFFFu), DBERR_BAD_REGION);
    EXPECT_EQ(g_RegionId, 3u);
}

struct LookupCase {
    const char* what;
    uint32_t region;
    uint32_t argument; // antenna index, or satellite id for the index lookup
    bool byId;         // SN_GetAntennaIndex instead of SN_GetAntennaIdOfRegion
    DBERR result;
    uint8_t out;
};

TEST_F(RegionTest, LookupsAnswerOutOfRangeArgumentsWithCodes) {
    const LookupCase cases[] = {
        {"region 0 index 2", 0, 2, false, DBERR_OK, 22},
        {"last index of region 4", 4, 18, false, DBERR_OK, 80},
        {"index at the count", 4, 19, false, DBERR_BAD_REGION, SN_NO_ANTENNA_ID},
        {"huge index", 0, 0xFFFFFFFFu, false, DBERR_BAD_REGION, SN_NO_ANTENNA_ID},
        {"region 5", 5, 0, false, DBERR_BAD_REGION, SN_NO_ANTENNA_ID},
        {"huge region", 0x80000000u, 0, false, DBERR_BAD_REGION, SN_NO_ANTENNA_ID},
        {"id 22 in region 0", 0, 22, true, DBERR_OK, 2},
        {"id 0 in region 2", 2, 0, true, DBERR_OK, 20},
        {"id 200 in region 3", 3, 200, true, DBERR_NOT_IN_REGION, SN_NO_ANTENNA_INDEX},
        {"id 55 not in region 3", 3, 55, true, DBERR_NOT_IN_REGION, SN_NO_ANTENNA_INDEX},
        {"id 255 is no id", 0, 255, true, DBERR_NOT_IN_REGION, SN_NO_ANTENNA_INDEX},
        {"index lookup in region 5", 5, 55, true, DBERR_BAD_REGION, SN_NO_ANTENNA_INDEX},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        uint8_t out = 0x5A;
        const DBERR result = c.byId ? SN_GetAntennaIndex(c.region, c.argument, &out)
                                    : SN_GetAntennaIdOfRegion(c.region, c.argument, &out);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(out, c.out);
    }

    uint32_t count = 77;
    EXPECT_EQ(SN_GetNumAntenna(5, &count), DBERR_BAD_REGION);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(SN_GetNumAntenna(0, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(SN_GetAntennaIdOfRegion(0, 0, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(SN_GetAntennaIndex(0, 55, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(SN_GetAntennaId(0, nullptr), DBERR_NULL_OBJECT);
}

TEST_F(RegionTest, AntennaIdListZeroFillsAndCutsToTheBuffer) {
    uint8_t buffer[24];
    std::memset(buffer, 0xEE, sizeof buffer);
    ASSERT_EQ(SN_GetAntennaIdList(4, buffer, sizeof buffer), DBERR_OK);
    const std::vector<uint8_t> region4 = ParseIds(kPrintedRegions[4]);
    for (size_t i = 0; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], i < region4.size() ? region4[i] : 0) << i;

    std::memset(buffer, 0xEE, sizeof buffer);
    ASSERT_EQ(SN_GetAntennaIdList(0, buffer, 3), DBERR_OK);
    EXPECT_EQ(buffer[0], 55);
    EXPECT_EQ(buffer[1], 20);
    EXPECT_EQ(buffer[2], 22);
    EXPECT_EQ(buffer[3], 0xEE); // nothing past length

    EXPECT_EQ(SN_GetAntennaIdList(5, buffer, sizeof buffer), DBERR_BAD_REGION);
    EXPECT_EQ(buffer[0], 55); // untouched
    EXPECT_EQ(SN_GetAntennaIdList(0, nullptr, 10), DBERR_BAD_REGION);
}

TEST_F(RegionTest, AntennaIdOfTheCurrentRegionPrintsItsFailure) {
    ASSERT_EQ(SN_SetRegionId(4), DBERR_OK);
    DebugCapture debug;
    uint8_t id = 0;
    EXPECT_EQ(SN_GetAntennaId(13, &id), DBERR_OK);
    EXPECT_EQ(id, 15);
    EXPECT_TRUE(debug.lines().empty());

    EXPECT_EQ(SN_GetAntennaId(19, &id), DBERR_BAD_REGION);
    EXPECT_EQ(id, SN_NO_ANTENNA_ID);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(debug.lines()[0].text,
              "[SN_GetDefaultSatInfo] Get AntennaId Error: Region 4, AntennaIndex 19\n");
}

TEST_F(RegionTest, DefaultSatInfoFollowsTheCurrentRegion) {
    uint16_t count = 9;
    const DefaultTpRow* rows = nullptr;

    // Region 0: slot 2 is satellite 22.
    ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
    ASSERT_EQ(SN_GetDefaultSatInfo(2, &count, &rows), DBERR_OK);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows, DTP_GetTable(22).rows);
    EXPECT_EQ(count, DTP_GetTable(22).count);
    EXPECT_EQ(rows[0].frequency, 10714u);
    EXPECT_EQ(rows[1].frequency, 10729u);

    // Slot 0 is satellite 55, which has no known transponders: 0 with no rows.
    ASSERT_EQ(SN_GetDefaultSatInfo(0, &count, &rows), DBERR_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(rows, nullptr);

    // Region 1: slot 26 is satellite 35, answered with the table of 22.
    ASSERT_EQ(SN_SetRegionId(1), DBERR_OK);
    ASSERT_EQ(SN_GetDefaultSatInfo(26, &count, &rows), DBERR_OK);
    EXPECT_EQ(rows, DTP_GetTable(22).rows);

    // Region 3: slot 7 is satellite 7 with its one row.
    ASSERT_EQ(SN_SetRegionId(3), DBERR_OK);
    ASSERT_EQ(SN_GetDefaultSatInfo(7, &count, &rows), DBERR_OK);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(rows[0].frequency, 12060u);

    // Region 4 has 19 antennas: slot 19 and above have no defaults.
    ASSERT_EQ(SN_SetRegionId(4), DBERR_OK);
    DebugCapture debug;
    for (uint32_t slot : {19u, 23u, 63u}) {
        debug.clear();
        count = 9;
        rows = DTP_GetTable(22).rows;
        EXPECT_EQ(SN_GetDefaultSatInfo(slot, &count, &rows), DBERR_BAD_REGION) << slot;
        EXPECT_EQ(count, 0);
        EXPECT_EQ(rows, nullptr);
        ASSERT_EQ(debug.lines().size(), 1u);
        EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
        EXPECT_EQ(debug.lines()[0].text,
                  "[SN_GetDefaultSatInfo] Get AntennaId Error: Region 4, AntennaIndex " +
                      std::to_string(slot) + "\n");
    }

    EXPECT_EQ(SN_GetDefaultSatInfo(0, nullptr, &rows), DBERR_BAD_REGION);
    EXPECT_EQ(SN_GetDefaultSatInfo(0, &count, nullptr), DBERR_BAD_REGION);
}

} // namespace
