#include "satnet.h"

#include <algorithm>
#include <cstring>

#include "dbstate.h"
#include "defaulttps.h"
#include "wrapper.h"

namespace {

// Satellite ids in antenna order, one table per region.
constexpr uint8_t kRegion0[] = {55,  20,  22, 23,  63,  54,  67, 84, 64, 108, 42, 24, 106, 80,
                                105, 9,   62, 111, 104, 100, 39, 37, 38, 41,  21, 15, 35,  16,
                                36,  53,  44, 34,  60,  45,  25, 85, 66, 65,  92, 40, 59,  76,
                                14,  110, 43, 58,  101, 112, 77, 17, 18, 114, 75};
constexpr uint8_t kRegion1[] = {55, 15,  80,  63,  54, 67,  84,  64, 108, 42, 24, 106, 105, 9,
                                62, 111, 104, 100, 39, 37,  38,  20, 41,  21, 23, 22,  35,  16,
                                12, 36,  53,  44,  34, 60,  45,  25, 85,  66, 65, 92,  40,  59,
                                76, 14,  110, 43,  58, 101, 112, 77, 17,  18, 99, 72,  13};
constexpr uint8_t kRegion2[] = {99, 93, 91, 86, 89,  87, 88,  12, 13,  103, 18, 17, 109, 75, 74,
                                90, 19, 73, 72, 78,  0,  102, 71, 61,  113, 45, 25, 85,  92, 40,
                                59, 57, 76, 14, 110, 43, 58,  26, 101, 112, 83, 56, 77,  114};
constexpr uint8_t kRegion3[] = {28, 94, 79, 98, 29, 4,   81, 7,  2,  70, 50, 82,
                                69, 47, 68, 48, 3,  1,   8,  10, 32, 11, 97, 31,
                                33, 49, 51, 52, 30, 107, 95, 46, 96, 5,  6,  27};
constexpr uint8_t kRegion4[] = {55, 20, 38, 37, 39, 100, 104, 62,  105, 106,
                                64, 67, 54, 15, 22, 16,  9,   111, 80};

struct RegionTable {
    const uint8_t* ids;
    uint32_t count;
};

template <size_t N> constexpr RegionTable Region(const uint8_t (&ids)[N]) {
    return RegionTable{ids, static_cast<uint32_t>(N)};
}

constexpr RegionTable kRegions[SN_NUM_REGIONS] = {
    Region(kRegion0), Region(kRegion1), Region(kRegion2), Region(kRegion3), Region(kRegion4)};
static_assert(sizeof kRegion0 == 53 && sizeof kRegion1 == 55 && sizeof kRegion2 == 44 &&
              sizeof kRegion3 == 36 && sizeof kRegion4 == 19);

void ResetRegion() {
    g_RegionId = 0;
    g_NumAntenna = kRegions[0].count;
}
DB_ResetHook hook(ResetRegion);

} // namespace

uint32_t g_RegionId = 0;
uint32_t g_NumAntenna = sizeof kRegion0;

DBERR SN_SetRegionId(uint32_t region) {
    if (region >= SN_NUM_REGIONS) {
        WRAP_DebugPrint(WRAP_DBG_ERROR, "[SN_SetRegionId] Region ID Error: %d\n",
                        static_cast<int>(region));
        return DBERR_BAD_REGION;
    }
    g_RegionId = region;
    g_NumAntenna = kRegions[region].count;
    WRAP_DebugPrint(WRAP_DBG_INFO, "[SN_SetRegionId] REGION %d, NumAntenna %d\n",
                    static_cast<int>(g_RegionId), static_cast<int>(g_NumAntenna));
    return DBERR_OK;
}

DBERR SN_GetNumAntenna(uint32_t region, uint32_t* count) {
    if (count == nullptr) return DBERR_NULL_OBJECT;
    *count = 0;
    if (region >= SN_NUM_REGIONS) return DBERR_BAD_REGION;
    *count = kRegions[region].count;
    return DBERR_OK;
}

DBERR SN_GetAntennaIdOfRegion(uint32_t region, uint32_t antennaIndex, uint8_t* id) {
    if (id == nullptr) return DBERR_NULL_OBJECT;
    *id = SN_NO_ANTENNA_ID;
    // The region is checked before its table is read.
    if (region >= SN_NUM_REGIONS) return DBERR_BAD_REGION;
    const RegionTable& table = kRegions[region];
    if (antennaIndex < table.count) *id = table.ids[antennaIndex];
    return *id == SN_NO_ANTENNA_ID ? DBERR_BAD_REGION : DBERR_OK;
}

DBERR SN_GetAntennaId(uint32_t antennaIndex, uint8_t* id) {
    if (id == nullptr) return DBERR_NULL_OBJECT;
    if (SN_GetAntennaIdOfRegion(g_RegionId, antennaIndex, id) != DBERR_OK) {
        WRAP_DebugPrint(WRAP_DBG_ERROR,
                        "[SN_GetDefaultSatInfo] Get AntennaId Error: Region %d, AntennaIndex %d\n",
                        static_cast<int>(g_RegionId), static_cast<int>(antennaIndex));
        return DBERR_BAD_REGION;
    }
    return DBERR_OK;
}

DBERR SN_GetAntennaIndex(uint32_t region, uint32_t satId, uint8_t* index) {
    if (index == nullptr) return DBERR_NULL_OBJECT;
    *index = SN_NO_ANTENNA_INDEX;
    // The region is checked before its table is read.
    if (region >= SN_NUM_REGIONS) return DBERR_BAD_REGION;
    const RegionTable& table = kRegions[region];
    for (uint32_t i = 0; i < table.count; ++i) {
        if (table.ids[i] == satId) {
            *index = static_cast<uint8_t>(i);
            return DBERR_OK;
        }
    }
    return DBERR_NOT_IN_REGION;
}

DBERR SN_GetAntennaIdList(uint32_t region, uint8_t* buffer, uint32_t length) {
    if (buffer == nullptr || region >= SN_NUM_REGIONS) return DBERR_BAD_REGION;
    const RegionTable& table = kRegions[region];
    std::memset(buffer, 0, length);
    std::memcpy(buffer, table.ids, std::min(length, table.count));
    return DBERR_OK;
}

DBERR SN_GetDefaultSatInfo(uint32_t antennaIndex, uint16_t* count, const DefaultTpRow** rows) {
    if (count == nullptr || rows == nullptr) return DBERR_BAD_REGION;
    *count = 0;
    *rows = nullptr;
    uint8_t satId = SN_NO_ANTENNA_ID;
    if (SN_GetAntennaId(antennaIndex, &satId) != DBERR_OK) return DBERR_BAD_REGION;
    const DefaultTpTable table = DTP_GetTable(satId);
    *count = table.count;
    *rows = table.rows;
    return DBERR_OK;
}
