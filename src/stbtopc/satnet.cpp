#include "satnet.h"

#include <algorithm>
#include <cstring>

#include "dbstate.h"
#include "defaulttps.h"
#include "tablecopy.h"
#include "tpequality.h"
#include "tstable.h"
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

// ---- Transponders of a slot ---------------------------------------------

namespace {

TpNode* NewNode(const DefaultTpRow& row) {
    return TBL_NewCopy(TpNode{row, nullptr});
}

// Appends a copy of row behind *tail; false when no memory.
bool AppendCopy(TpNode**& tail, const DefaultTpRow& row) {
    TpNode* node = NewNode(row);
    if (node == nullptr) return false;
    *tail = node;
    tail = &node->next;
    return true;
}

// True when the default row is the same transponder as the saved node (both
// keys on satellite index 0, so only the transponder fields decide).
bool IsSameTransponder(const DefaultTpRow& row, const TpNode& saved) {
    TpInfo defaultKey{};
    TpInfo savedKey{};
    INT_SN_DefaultRowToTpInfo(&row, &defaultKey);
    INT_SN_TpNodeToTpInfo(&saved, &savedKey);
    uint32_t different = 1;
    WRAP_CompareTp(&defaultKey, &savedKey, &different);
    return different == 0;
}

// The default rows that no saved node replaces, as a new chain in table
// order. A row whose node cannot be allocated is left out.
TpNode* INT_SN_FilterDefaultTps(const DefaultTpRow* rows, uint16_t rowCount, const TpNode* saved,
                                uint16_t* keptCount) {
    TpNode* kept = nullptr;
    TpNode** tail = &kept;
    *keptCount = 0;
    for (uint16_t i = 0; i < rowCount; ++i) {
        bool replaced = false;
        for (const TpNode* node = saved; node != nullptr && !replaced; node = node->next)
            replaced = IsSameTransponder(rows[i], *node);
        if (!replaced && AppendCopy(tail, rows[i])) ++*keptCount;
    }
    return kept;
}

// A new chain of copies of the saved nodes followed by copies of the kept
// ones. A node that cannot be allocated is left out; *made counts the rest.
TpNode* INT_SN_BuildTpList(const TpNode* saved, const TpNode* kept, uint16_t* made) {
    TpNode* list = nullptr;
    TpNode** tail = &list;
    *made = 0;
    for (const TpNode* source : {saved, kept})
        for (const TpNode* node = source; node != nullptr; node = node->next)
            if (AppendCopy(tail, node->row)) ++*made;
    return list;
}

// A new chain of copies of rows[0 .. count - 1]; null when any node cannot
// be allocated (nothing is kept then).
TpNode* CopyAll(const DefaultTpRow* rows, uint16_t count) {
    TpNode* list = nullptr;
    TpNode** tail = &list;
    for (uint16_t i = 0; i < count; ++i) {
        if (!AppendCopy(tail, rows[i])) {
            TBL_FreeTpNodes(list);
            return nullptr;
        }
    }
    return list;
}

// A new chain of copies of a chain; null when any node cannot be allocated.
TpNode* CopyChain(const TpNode* chain) {
    TpNode* list = nullptr;
    TpNode** tail = &list;
    for (const TpNode* node = chain; node != nullptr; node = node->next) {
        if (!AppendCopy(tail, node->row)) {
            TBL_FreeTpNodes(list);
            return nullptr;
        }
    }
    return list;
}

unsigned AddressWord(const void* address) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(address));
}

} // namespace

void INT_SN_DefaultRowToTpInfo(const DefaultTpRow* row, TpInfo* out) {
    if (row == nullptr || out == nullptr) return;
    out->frequency = row->frequency * 1000u;
    out->symbolRate = static_cast<uint16_t>(row->symbolRate);
    out->rowField = static_cast<uint8_t>(row->rowField);
    out->polarisation = row->polarisation;
    out->fec = row->fec;
    out->modulation = row->modulation;
    out->pilot = row->pilot;
}

void INT_SN_TpNodeToTpInfo(const TpNode* node, TpInfo* out) {
    if (node == nullptr) return;
    INT_SN_DefaultRowToTpInfo(&node->row, out);
}

TpNode* INT_SN_SortTpList(uint16_t count, TpNode* list) {
    // count passes of adjacent exchange, relinking the nodes; a pass that
    // exchanges nothing leaves every further pass nothing to do, so a sorted
    // chain costs one pass.
    for (uint32_t pass = 0; pass < count; ++pass) {
        bool exchanged = false;
        for (TpNode** link = &list; *link != nullptr && (*link)->next != nullptr;
             link = &(*link)->next) {
            TpNode* first = *link;
            TpNode* second = first->next;
            if (first->row.frequency <= second->row.frequency) continue;
            first->next = second->next;
            second->next = first;
            *link = second;
            exchanged = true;
        }
        if (!exchanged) break;
    }
    return list;
}

DBERR SN_GetTpAll(uint32_t slot, uint16_t* count, TpNode** list) {
    if (count == nullptr || list == nullptr) return DBERR_BAD_REGION;
    *count = 0;
    *list = nullptr;

    uint16_t defaultCount = 0;
    const DefaultTpRow* defaults = nullptr;
    if (SN_GetDefaultSatInfo(slot, &defaultCount, &defaults) != DBERR_OK || defaults == nullptr)
        defaultCount = 0;

    TpNode* saved = nullptr;
    uint32_t savedCount = 0;
    if (TBL_GetSavedTpsOfSat(slot, &saved, &savedCount) != DBERR_OK || saved == nullptr) {
        TBL_FreeTpNodes(saved); // a partial walk counts as none
        saved = nullptr;
        savedCount = 0;
    }

    if (defaultCount == 0 && savedCount == 0) {
        WRAP_DebugPrint(WRAP_DBG_ERROR, "[SN_GetTpAll] ERR : NO Tp INfo \n");
        return DBERR_NO_MEMORY_LIST;
    }

    if (savedCount == 0) { // defaults only, in table order
        TpNode* copy = CopyAll(defaults, defaultCount);
        if (copy == nullptr) return DBERR_NO_MEMORY_LIST;
        *count = defaultCount;
        *list = copy;
        return DBERR_OK;
    }

    const uint16_t savedTotal = static_cast<uint16_t>(std::min<uint32_t>(savedCount, 0xFFFF));
    if (defaultCount == 0) { // saved only
        TpNode* copy = CopyChain(saved);
        TBL_FreeTpNodes(saved);
        if (copy == nullptr) return DBERR_NO_MEMORY_LIST;
        *list = INT_SN_SortTpList(savedTotal, copy);
        *count = savedTotal;
        WRAP_DebugPrint(WRAP_DBG_INFO, "[SN_GetTpAll] case 2. totalTpCnt %d tpList (0x%x)\n",
                        static_cast<int>(*count), AddressWord(*list));
        return DBERR_OK;
    }

    // Both: a saved transponder stands in for the default rows it matches.
    uint16_t keptCount = 0;
    TpNode* kept = INT_SN_FilterDefaultTps(defaults, defaultCount, saved, &keptCount);
    if (keptCount > 0) {
        uint16_t made = 0;
        TpNode* merged = INT_SN_BuildTpList(saved, kept, &made);
        TBL_FreeTpNodes(kept);
        TBL_FreeTpNodes(saved);
        if (merged == nullptr) {
            WRAP_DebugPrint(WRAP_DBG_ERROR, "[SN_GetTpAll] ERR : Oh my God~~  \n");
            return DBERR_NO_MEMORY_LIST;
        }
        *list = INT_SN_SortTpList(made, merged);
        *count = made;
        return DBERR_OK;
    }

    if (savedTotal == 1) {
        TpNode* copy = CopyChain(saved);
        TBL_FreeTpNodes(saved);
        if (copy == nullptr) return DBERR_NO_MEMORY_LIST;
        *list = copy;
        *count = 1;
        return DBERR_OK;
    }
    *list = INT_SN_SortTpList(savedTotal, saved);
    *count = savedTotal;
    return DBERR_OK;
}

void SN_FreeTpList(TpNode* list) {
    TBL_FreeTpNodes(list);
}

uint32_t SN_GetRegionId() {
    return g_RegionId;
}

uint32_t SN_GetCurrentNumAntenna() {
    return g_NumAntenna;
}
