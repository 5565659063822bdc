#include "indextable.h"

#include <algorithm>
#include <cstring>

#include "dbstate.h"
#include "flashstore.h"
#include "indexblocks.h"
#include "wrapper.h"

namespace {

uint32_t g_CommitWord = 0;
int32_t g_addsBeforeFailure = -1; // negative: never fail

void resetIndexTable() {
    g_CommitWord = 0;
    g_addsBeforeFailure = -1;
}

bool addAllowed() {
    if (g_addsBeforeFailure < 0) return true;
    if (g_addsBeforeFailure == 0) return false;
    --g_addsBeforeFailure;
    return true;
}
DB_ResetHook g_resetHook(resetIndexTable);

// The count a table may be trusted with: never past its capacity, so no
// damaged or hostile count sends a reader beyond the address array.
template <typename Table> uint32_t usableCount(const Table& table) {
    return std::min<uint32_t>(table.count, Table::capacity);
}

template <typename Table> DBERR getCount(const Table& table, uint16_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = static_cast<uint16_t>(usableCount(table));
    return 0;
}

template <typename Table, typename Record>
DBERR readEntry(const Table& table, uint32_t index, Record* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    if (index >= usableCount(table)) return DBERR_TABLE_INDEX;
    return WRAP_FlashReadChecked(out, table.addresses[index], sizeof *out);
}

template <typename Table, typename Record>
DBERR addEntry(Table& table, const Record* record, uint32_t* outAddress,
               uint16_t (*writer)(const Record*, uint32_t*)) {
    if (record == nullptr || outAddress == nullptr) return DBERR_NULL_ARG;
    if (table.count >= Table::capacity || !addAllowed()) return DBERR_TABLE_INDEX;
    OS_SemTake(DB_GetSemId());
    uint32_t address = 0;
    const bool written = writer(record, &address) == 0;
    if (written) {
        table.addresses[table.count] = address;
        ++table.count;
        *outAddress = address;
    }
    OS_SemGive(DB_GetSemId());
    return written ? DBERR_OK : DBERR_TABLE_INDEX;
}

template <typename Table> void clear(Table& table) {
    std::memset(&table, 0, sizeof table);
}

// Service type of the stored record at a service-table entry; 0xFF when the
// record lies outside the image.
uint32_t storedSvcType(uint32_t address) {
    uint32_t flags = 0;
    if (WRAP_FlashReadChecked(&flags, address, sizeof flags) != 0) return 0xFF;
    return DB_GetBits(flags, SVCF_TYPE_LO, SVCF_TYPE_W);
}

} // namespace

DBERR IDX_GetNumTsInfos(uint16_t* out) {
    return getCount(g_TsIndex, out);
}
DBERR IDX_GetNumTpInfos(uint16_t* out) {
    return getCount(g_TpIndex, out);
}
DBERR IDX_GetNumPrvInfos(uint16_t* out) {
    return getCount(g_PrvIndex, out);
}
DBERR IDX_GetNumKind9(uint16_t* out) {
    return getCount(g_Kind9Index, out);
}
DBERR IDX_GetNumSats(uint16_t* out) {
    return getCount(g_SatIndex, out);
}
DBERR IDX_GetNumFavs(uint16_t* out) {
    return getCount(g_FavIndex, out);
}

DBERR IDX_GetNumSvcs(uint32_t type, uint16_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    if (!IDX_IsSvcTypeValid(type)) {
        *out = 0;
        return DBERR_TABLE_INDEX;
    }
    return getCount(g_SvcIndex, out);
}

DBERR IDX_ReadTsInfo(uint32_t index, TsInfo* out) {
    return readEntry(g_TsIndex, index, out);
}
DBERR IDX_ReadTpInfo(uint32_t index, TpInfo* out) {
    return readEntry(g_TpIndex, index, out);
}
DBERR IDX_ReadPrvInfo(uint32_t index, PrvInfo* out) {
    return readEntry(g_PrvIndex, index, out);
}
DBERR IDX_ReadKind9Record(uint32_t index, Kind9Record* out) {
    return readEntry(g_Kind9Index, index, out);
}

DBERR IDX_ReadSatInfo(uint32_t index, SatInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    SatInfo record;
    const DBERR result = readEntry(g_SatIndex, index, &record);
    std::memset(out, 0, sizeof *out);
    if (result != 0) return result;
    // An erased slot reads all 0xFF: it was never written.
    if (DB_GetBits(record.lnb, SAT_LO_LO, SAT_LO_W) != 0xFFFFFFu) *out = record;
    return 0;
}

DBERR IDX_ReadFavInfo(uint32_t index, FavInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    FavInfo record;
    const DBERR result = readEntry(g_FavIndex, index, &record);
    std::memset(out, 0, sizeof *out);
    if (result != 0) return result;
    if (record.count <= FAV_MAX_ENTRIES) *out = record;
    return 0;
}

DBERR IDX_GetNthSvcOfType(uint32_t type, int32_t n, int32_t* outIndex) {
    if (outIndex == nullptr) return DBERR_NULL_ARG;
    *outIndex = -1;
    if (n < 0) return DBERR_TABLE_INDEX;
    const uint32_t count = usableCount(g_SvcIndex);
    int32_t index = -1;
    if (type == SVC_TYPE_ANY) {
        index = n;
    } else if (type == SVC_TYPE_TV || type == SVC_TYPE_RADIO) {
        int32_t seen = 0;
        for (uint32_t i = 0; i < count; ++i) {
            if (storedSvcType(g_SvcIndex.addresses[i]) != type) continue;
            if (seen++ == n) {
                index = static_cast<int32_t>(i);
                break;
            }
        }
    }
    if (index < 0 || static_cast<uint32_t>(index) >= count || g_SvcIndex.addresses[index] == 0)
        return DBERR_TABLE_NOT_FOUND;
    *outIndex = index;
    return 0;
}

bool IDX_IsTsIndexed(uint32_t address) {
    const uint32_t* first = g_TsIndex.addresses;
    const uint32_t* last = first + usableCount(g_TsIndex);
    return std::find(first, last, address) != last;
}

DBERR IDX_ReadSvcInfo(uint32_t type, int32_t n, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    if (!IDX_IsSvcTypeValid(type)) return DBERR_TABLE_INDEX;
    int32_t index = -1;
    const DBERR found = IDX_GetNthSvcOfType(type, n, &index);
    if (found != 0) return found;
    SvcInfo record;
    const DBERR read = WRAP_FlashReadChecked(&record, g_SvcIndex.addresses[index], sizeof record);
    if (read != 0) return read;
    // A service stands on its transport stream; one whose TS is not stored
    // would be loaded without it.
    if (!IDX_IsTsIndexed(record.tsRef)) return DBERR_TABLE_INDEX;
    *out = record;
    return 0;
}

DBERR IDX_AddSvcInfo(const SvcInfo* record, uint32_t* outAddress) {
    return addEntry(g_SvcIndex, record, outAddress, DB_WriteSvcRecord);
}
DBERR IDX_AddTsInfo(const TsInfo* record, uint32_t* outAddress) {
    return addEntry(g_TsIndex, record, outAddress, DB_WriteTsRecord);
}
DBERR IDX_AddTpInfo(const TpInfo* record, uint32_t* outAddress) {
    return addEntry(g_TpIndex, record, outAddress, DB_WriteTpRecord);
}
DBERR IDX_AddPrvInfo(const PrvInfo* record, uint32_t* outAddress) {
    return addEntry(g_PrvIndex, record, outAddress, DB_WritePrvRecord);
}
DBERR IDX_AddKind9Record(const Kind9Record* record, uint32_t* outAddress) {
    return addEntry(g_Kind9Index, record, outAddress, DB_WriteKind9Record);
}
DBERR IDX_AddSatInfo(const SatInfo* record, uint32_t* outAddress) {
    return addEntry(g_SatIndex, record, outAddress, DB_WriteSatRecord);
}
DBERR IDX_AddFavInfo(const FavInfo* record, uint32_t* outAddress) {
    return addEntry(g_FavIndex, record, outAddress, DB_WriteFavRecord);
}

DBERR IDX_ClearTable(uint32_t table) {
    switch (table) {
    case IDX_TABLE_ALL:
        clear(g_SvcIndex);
        clear(g_TsIndex);
        clear(g_TpIndex);
        clear(g_Kind9Index);
        clear(g_Kind10Index);
        clear(g_PrvIndex);
        clear(g_SatIndex);
        clear(g_FavIndex);
        break;
    case IDX_TABLE_SVC:
        clear(g_SvcIndex);
        break;
    case IDX_TABLE_TS:
        clear(g_TsIndex);
        break;
    case IDX_TABLE_KIND9:
        clear(g_Kind9Index);
        break;
    case IDX_TABLE_KIND10:
        clear(g_Kind10Index);
        break;
    case IDX_TABLE_PRV:
        clear(g_PrvIndex);
        break;
    case IDX_TABLE_SAT:
        clear(g_SatIndex);
        break;
    case IDX_TABLE_FAV:
        clear(g_FavIndex);
        break;
    default:
        break;
    }
    return 0;
}

void IDX_SetAddFailAfter(int32_t allowed) {
    g_addsBeforeFailure = allowed;
}

uint32_t IDX_GetCommitWord() {
    return g_CommitWord;
}

void IDX_SetCommitWord(uint32_t word) {
    g_CommitWord = word;
}
