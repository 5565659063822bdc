#include "dbload.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "dballoc.h"
#include "dbstate.h"
#include "favourites.h"
#include "filters.h"
#include "indexblocks.h"
#include "indextable.h"
#include "placeholder.h"
#include "selectionsort.h"
#include "slmlock.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcnamekey.h"
#include "svcrenumber.h"
#include "tables.h"
#include "wrapper.h"

namespace {

// Flash address of a record -> reference id of the element the table holds
// for it. Looked up once per service, so it is sorted once and searched.
class AddressToRef {
  public:
    bool Reserve(size_t n) { return DB_Reserve(pairs_, n); }
    // Room was reserved for every entry of the index table.
    void Add(uint32_t address, RefId ref) {
        if (pairs_.size() < pairs_.capacity()) pairs_.emplace_back(address, ref);
    }
    void Seal() { std::sort(pairs_.begin(), pairs_.end()); }
    // REF_NONE when no element stands for that address.
    RefId Find(uint32_t address) const {
        const auto it =
            std::lower_bound(pairs_.begin(), pairs_.end(), std::make_pair(address, REF_NONE));
        return it != pairs_.end() && it->first == address ? it->second : REF_NONE;
    }

  private:
    std::vector<std::pair<uint32_t, RefId>> pairs_;
};

// Set by any step of a load that ran out of memory: such a load has dropped
// records, so it must not pass for a complete one (a Save would write the
// image without them).
struct LoadOutcome {
    bool noMemory = false;
    void Note(DBERR result) {
        if (result == DBERR_NO_MEMORY || result == DBERR_NO_MEMORY_COPY ||
            result == DBERR_NO_MEMORY_LIST)
            noMemory = true;
    }
};

void loadTransportStreams(uint16_t count, AddressToRef& map, LoadOutcome& outcome) {
    for (uint32_t i = 0; i < count; ++i) {
        TsInfo record;
        if (IDX_ReadTsInfo(i, &record) != 0) continue;
        TsInfo* element = nullptr;
        RefId ref = REF_NONE;
        const DBERR added = TBL_AddTsInfo(&record, &element, &ref);
        outcome.Note(added);
        if (added == 0 && ref != REF_NONE) map.Add(g_TsIndex.addresses[i], ref);
    }
    map.Seal();
}

void loadProviders(uint16_t count, AddressToRef& map, LoadOutcome& outcome) {
    for (uint32_t i = 0; i < count; ++i) {
        PrvInfo record;
        if (IDX_ReadPrvInfo(i, &record) != 0) continue;
        // The stored name need not be terminated; the table compares 20 bytes.
        PrvInfo* element = nullptr;
        RefId ref = REF_NONE;
        const DBERR added = TBL_AddPrvInfo(&record, &element, &ref);
        outcome.Note(added);
        if (added != 0) continue;
        // An equal name is kept once: link to the element that has it.
        if (element == nullptr) {
            char name[PRV_NAME_BUFFER] = {};
            std::copy(record.name, record.name + PRV_NAME_LEN, name);
            TBL_FindPrvInfoByName(name, &element, &ref);
        }
        if (ref != REF_NONE) map.Add(g_PrvIndex.addresses[i], ref);
    }
    map.Seal();
}

void loadTransponders(uint16_t count, LoadOutcome& outcome) {
    for (uint32_t i = 0; i < count; ++i) {
        TpInfo record;
        TpInfo* element = nullptr;
        if (IDX_ReadTpInfo(i, &record) == 0) outcome.Note(TBL_AddTpInfo(&record, &element));
    }
}

void loadSatellites(uint16_t count) {
    SN_ClearSatTable();
    for (uint32_t i = 0; i < count; ++i) {
        SatInfo record;
        if (IDX_ReadSatInfo(i, &record) == 0) SN_SetSatInfo(i, &record);
    }
}

void loadFavourites(uint16_t count) {
    TBL_ClearFavTable();
    for (uint32_t i = 0; i < count; ++i) {
        FavInfo record;
        if (IDX_ReadFavInfo(i, &record) == 0) TBL_SetFavInfo(i, &record);
    }
}

// Points a new handle at its in-memory record, as the load fills it.
void initLoadedHandle(SvcHandle handle, SvcInfo* element) {
    INT_SLM_InitServiceHandle(handle);
    OS_SemTake(DB_GetSemId());
    SvcHandleObj* obj = HT_Resolve(handle);
    const uint32_t flags = element->flags;
    uint32_t numFlags = obj->numFlags;
    numFlags =
        DB_SetBits(numFlags, SVH_TYPE_LO, SVH_TYPE_W, DB_GetBits(flags, SVCF_TYPE_LO, SVCF_TYPE_W));
    numFlags = (numFlags & ~SVH_LOCK) | ((flags & SVCF_LOCK) != 0 ? SVH_LOCK : 0);
    numFlags = (numFlags & ~SVH_HIDDEN) | ((flags & SVCF_HIDDEN) != 0 ? SVH_HIDDEN : 0);
    obj->numFlags = numFlags;
    obj->record = element;
    obj->name = element->name;
    OS_SemGive(DB_GetSemId());
}

struct NumberLists {
    LL_Node* lockedTv = nullptr;
    LL_Node* lockedRadio = nullptr;
    LL_Node* unlockedTv = nullptr;
    LL_Node* unlockedRadio = nullptr;
};

// Reads, links, adds and files every service; a name key for each filed one.
// Returns the number of keys made.
uint32_t loadServices(uint16_t count, const AddressToRef& tsMap, const AddressToRef& prvMap,
                      NumberLists& lists, SvcNameSortItem* items, LoadOutcome& outcome) {
    uint32_t made = 0;
    for (int32_t n = 0; n < count; ++n) {
        SvcInfo record;
        if (IDX_ReadSvcInfo(SVC_TYPE_ANY, n, &record) != 0) continue;
        // Without its transport stream a service cannot be shown or tuned.
        const RefId ts = tsMap.Find(record.tsRef);
        if (ts == REF_NONE) continue;
        record.tsRef = ts;
        record.prvRef = record.prvRef == 0 ? REF_NONE : prvMap.Find(record.prvRef);

        SvcHandle handle = HT_Alloc();
        if (handle == SVC_HANDLE_NONE) {
            outcome.noMemory = true;
            continue;
        }
        SvcInfo* element = nullptr;
        const DBERR added = TBL_AddSvcInfo(&record, &element);
        outcome.Note(added);
        if (added != 0 || element == nullptr) {
            HT_Free(handle);
            continue;
        }
        initLoadedHandle(handle, element);
        outcome.Note(INT_SLM_FileLoadedService(&lists.lockedTv, &lists.lockedRadio,
                                               &lists.unlockedTv, &lists.unlockedRadio, &handle));
        if (handle != SVC_HANDLE_NONE) INT_SLM_MakeNameKey(handle, &items[made++]);
    }
    return made;
}

void buildNameList(const SvcNameSortItem* items, uint32_t count, LoadOutcome& outcome) {
    for (uint32_t i = 0; i < count; ++i) {
        DBERR appended = DBERR_OK;
        g_NameSortedSvcList =
            LL_Append(g_NameSortedSvcList, SLM_HandleNodeData(items[i].handle), &appended);
        outcome.Note(appended);
    }
    g_NameSortedSvcList = LL_Close(g_NameSortedSvcList);
}

// Inserts in number-and-type order and closes the list. False without memory.
bool insertByNumber(LL_Node** list, SvcHandle handle) {
    DBERR result = DBERR_OK;
    *list = LL_InsertSorted(*list, SLM_HandleNodeData(handle), INT_SLM_CompareSvcNumberAndType,
                            &result);
    *list = LL_Close(*list);
    return result == DBERR_OK;
}

} // namespace

DBERR INT_SLM_FileLoadedService(LL_Node** lockedTv, LL_Node** lockedRadio, LL_Node** unlockedTv,
                                LL_Node** unlockedRadio, SvcHandle* handle) {
    if (lockedTv == nullptr || lockedRadio == nullptr || unlockedTv == nullptr ||
        unlockedRadio == nullptr || handle == nullptr)
        return DBERR_NULL_ARG;
    const SvcHandleObj* obj = HT_Resolve(*handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    const uint32_t number = DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
    const uint32_t type = DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W);
    const bool radio = type == SVC_TYPE_RADIO;
    const bool tv = type == SVC_TYPE_TV;

    LL_Node** target = nullptr;
    bool sorted = true;
    if (number == SVC_NUMBER_ANY) {
        target = radio ? unlockedRadio : unlockedTv;
        sorted = false;
    } else if ((obj->numFlags & SVH_NUM_LOCKED) != 0) {
        target = tv ? lockedTv : radio ? lockedRadio : nullptr;
        if (target != nullptr && LL_Find(*target, SLM_HandleNodeData(*handle),
                                         INT_SLM_CompareSvcNumberAndType, nullptr, 0) != nullptr)
            target = nullptr; // the service already filed under that number stays
    } else {
        target = tv ? unlockedTv : radio ? unlockedRadio : nullptr;
    }

    bool filed = false;
    if (target != nullptr) {
        if (sorted) {
            filed = insertByNumber(target, *handle);
        } else {
            DBERR result = DBERR_OK;
            *target = LL_Append(*target, SLM_HandleNodeData(*handle), &result);
            *target = LL_Close(*target);
            filed = result == DBERR_OK;
        }
    }
    if (filed) return DBERR_OK;
    HT_Free(*handle);
    *handle = SVC_HANDLE_NONE;
    return target != nullptr ? DBERR_NO_MEMORY : DBERR_OK;
}

DBERR INT_SLM_LoadDatabase(uint16_t* outCount) {
    if (outCount != nullptr) *outCount = 0;
    // Whatever an earlier load left is dropped first: a second load without
    // a close must not file every service twice.
    TBL_FreeAll();
    DB_SetUpPlaceholders();

    uint16_t svcCount = 0;
    if (IDX_GetNumSvcs(SVC_TYPE_ANY, &svcCount) != 0) return DBERR_OK;
    uint16_t tsCount = 0, prvCount = 0, tpCount = 0, satCount = 0, favCount = 0;
    if (IDX_GetNumTsInfos(&tsCount) != 0) tsCount = 0;
    if (IDX_GetNumPrvInfos(&prvCount) != 0) prvCount = 0;
    if (IDX_GetNumTpInfos(&tpCount) != 0) tpCount = 0;
    if (IDX_GetNumSats(&satCount) != 0) satCount = 0;
    if (IDX_GetNumFavs(&favCount) != 0) favCount = 0;

    std::unique_ptr<SvcNameSortItem[]> items(DB_NewArray<SvcNameSortItem>(svcCount + 1u));
    AddressToRef tsMap, prvMap;
    if (items == nullptr || !tsMap.Reserve(tsCount) || !prvMap.Reserve(prvCount))
        return DBERR_NO_MEMORY;

    LoadOutcome outcome;
    loadTransportStreams(tsCount, tsMap, outcome);
    loadProviders(prvCount, prvMap, outcome);
    loadTransponders(tpCount, outcome);
    loadSatellites(satCount);
    loadFavourites(favCount);

    NumberLists lists;
    const uint32_t keys = loadServices(svcCount, tsMap, prvMap, lists, items.get(), outcome);
    outcome.Note(INT_SLM_RenumberServices(lists.unlockedTv, lists.unlockedRadio, lists.lockedTv,
                                          lists.lockedRadio));

    uint16_t count = 0;
    {
        SlmLockGuard lock;
        outcome.Note(INT_SLM_MergeServiceLists(&g_MasterSvcList, lists.lockedTv, lists.lockedRadio,
                                               lists.unlockedTv, lists.unlockedRadio));
        count = LL_Count(g_MasterSvcList, nullptr, 0);
        // Every filed handle has its key; the two agree unless a node was lost.
        const uint32_t sorted = std::min<uint32_t>(count, keys);
        if (sorted != 0) {
            // The wrapper's selection sort order, without its n^2 / 2 comparisons.
            DB_SelectionSortFast(items.get(), sorted, sizeof(SvcNameSortItem),
                                 INT_SLM_CompareServiceByNameSimple);
            buildNameList(items.get(), sorted, outcome);
        }
    }
    INT_SLM_SetAccessMethod(ACCESS_MASTER);
    outcome.Note(INT_SLM_LoadAllFavGroups()); // an entry without its service is left out
    if (outcome.noMemory) {
        // Half a database must not be edited and saved over the whole one:
        // drop it and report the failure (the image itself is untouched).
        TBL_FreeAll();
        return DBERR_NO_MEMORY;
    }
    if (outCount != nullptr) *outCount = count;
    return DBERR_OK;
}

DBERR SLM_LoadDatabase(uint16_t* outCount) {
    if (outCount == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_LoadDatabase(outCount);
}
