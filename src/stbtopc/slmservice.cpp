#include "slmservice.h"

#include "dbstate.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <new>
#include <unordered_map>

#include "filters.h"
#include "linkedlist.h"
#include "placeholder.h"
#include "prvtable.h"
#include "refids.h"
#include "slmlock.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcrenumber.h"
#include "svctable.h"
#include "tstable.h"

namespace {
constexpr uint32_t NEW_TS_TUNER = 2;          // tuner selector of a TS a service creates
constexpr uint32_t NEW_SVC_FLAGS2_LOW = 0xFF; // low byte of the second flag word

bool isTsElement(RefId ref) {
    const TsInfo* ts = REF_ResolveTs(ref);
    uint32_t inList = 0;
    return ts != nullptr && TBL_IsTsInfoInList(ts, &inList) == DBERR_OK && inList != 0;
}

bool isPrvElement(RefId ref) {
    const PrvInfo* prv = REF_ResolvePrv(ref);
    uint16_t position = 0;
    return prv != nullptr && TBL_GetPrvPos(prv, &position) == DBERR_OK;
}

// Removes a record that was appended for a service whose add then failed,
// without taking a transport stream or provider with it: the caller decides
// about those.
void dropNewRecord(SvcInfo* record) {
    record->tsRef = REF_NONE;
    record->prvRef = REF_NONE;
    TBL_DeleteSvcInfo(record);
}

// Files a new TV handle into the master list: split into the four number
// parts, append to the unlocked TV part, renumber, merge back. On failure the
// master list holds what it held before. Runs under the list manager's lock.
DBERR fileIntoMasterList(SvcHandle handle) {
    LL_Node* lockedTv = nullptr;
    LL_Node* lockedRadio = nullptr;
    LL_Node* unlockedTv = nullptr;
    LL_Node* unlockedRadio = nullptr;
    if (g_MasterSvcList != nullptr) {
        // Each part in number order, whatever service the ring is entered at.
        g_MasterSvcList = INT_SLM_NumberOrderStart(g_MasterSvcList);
        const DBERR split = INT_SLM_SplitServiceList(&g_MasterSvcList, &lockedTv, &lockedRadio,
                                                     &unlockedTv, &unlockedRadio);
        if (split != DBERR_OK) return split;
    }
    DBERR appended = DBERR_OK;
    unlockedTv = INT_LL_Append(unlockedTv, SLM_HandleNodeData(handle), &appended);
    if (appended == DBERR_OK)
        INT_SLM_RenumberServices(unlockedTv, unlockedRadio, lockedTv, lockedRadio);
    // Merging needs no memory, so the parts always go back together.
    INT_SLM_MergeServiceLists(&g_MasterSvcList, lockedTv, lockedRadio, unlockedTv, unlockedRadio);
    return appended;
}

DBERR fileIntoNameList(SvcHandle handle) {
    DBERR inserted = DBERR_OK;
    g_NameSortedSvcList = INT_LL_InsertSorted(g_NameSortedSvcList, SLM_HandleNodeData(handle),
                                              INT_SLM_CompareSvcName, &inserted);
    g_NameSortedSvcList = INT_LL_Close(g_NameSortedSvcList);
    return inserted;
}

void unlinkHandle(LL_Node** list, SvcHandle handle) {
    if (LL_Node* node = SLM_FindHandleNode(*list, handle))
        *list = INT_LL_Remove(*list, node, nullptr);
}

// Keeps the stored references where the new record's would not resolve to
// an element of their table.
void keepResolvableRefs(SvcInfo& record, const SvcInfo& stored) {
    if (!isTsElement(record.tsRef)) record.tsRef = stored.tsRef;
    if (record.prvRef != REF_NONE && !isPrvElement(record.prvRef)) record.prvRef = stored.prvRef;
}
} // namespace

SLM_RESULT SLM_AddService(const TpInfo* tpKey, const char* name, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    if (tpKey == nullptr || name == nullptr) return DBERR_NULL_OBJECT;

    // Zero in full: TS equality compares every byte, the unset ones included.
    TsInfo tsInfo{};
    tsInfo.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, NEW_TS_TUNER);
    std::memcpy(&tsInfo.tp, tpKey, sizeof tsInfo.tp);
    const uint32_t tsCountBefore = TBL_GetTsCount();
    TsInfo* ts = nullptr;
    RefId tsRef = REF_NONE;
    DBERR result = TBL_AddTsInfo(&tsInfo, &ts, &tsRef);
    if (result != DBERR_OK) return result;
    const bool tsIsNew = TBL_GetTsCount() != tsCountBefore;
    auto dropNewTs = [&] {
        if (tsIsNew) TBL_DeleteTsElement(ts);
    };

    const SvcHandle handle = HT_Alloc();
    SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) {
        dropNewTs();
        return DBERR_NO_MEMORY;
    }

    SvcInfo svcInfo{};
    svcInfo.flags =
        DB_SetBits(0, SVCF_TYPE_LO, SVCF_TYPE_W, SVC_TYPE_TV) | SVCF_CREATED | SVCF_WRITTEN;
    std::memcpy(svcInfo.name, name, strnlen(name, SVC_NAME_LEN));
    svcInfo.flags2 = NEW_SVC_FLAGS2_LOW;
    svcInfo.tsRef = tsRef;
    svcInfo.prvRef = REF_NONE;
    SvcInfo* record = nullptr;
    result = TBL_AddSvcInfo(&svcInfo, &record);
    if (result != DBERR_OK) {
        HT_Free(handle);
        dropNewTs();
        return result;
    }

    // A new TV handle: number 0 until the renumbering, source 0, number not
    // locked.
    obj->marker = 0xFFFFFFFFu;
    obj->numFlags = DB_SetBits(0, SVH_TYPE_LO, SVH_TYPE_W, SVC_TYPE_TV);
    obj->record = record;
    obj->name = record->name;

    SlmLockGuard lock;
    result = fileIntoMasterList(handle);
    if (result == DBERR_OK) {
        result = fileIntoNameList(handle);
        if (result != DBERR_OK) unlinkHandle(&g_MasterSvcList, handle);
    }
    if (result != DBERR_OK) {
        HT_Free(handle);
        dropNewRecord(record);
        dropNewTs();
        return result;
    }
    *out = handle;
    DB_NoteChange();
    return DBERR_OK;
}

SLM_RESULT SLM_GetServiceInfo(SvcHandle handle, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_GetServiceInfo(handle, out);
}

SLM_RESULT SLM_ReadServiceInfo(SvcHandle handle, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_ReadServiceInfo(handle, out);
}

SLM_RESULT SLM_GetServiceName(SvcHandle handle, uint8_t* out) {
    SlmLockGuard lock;
    return INT_SLM_CopyServiceName(handle, out);
}

SLM_RESULT SLM_SetServiceInfo(SvcHandle handle, const SvcInfo* record) {
    if (record == nullptr) return DBERR_NULL_OBJECT;
    SvcInfo checked;
    std::memcpy(&checked, record, sizeof checked);
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj != nullptr && obj->record != nullptr) keepResolvableRefs(checked, *obj->record);
    // A record written back as it was (a cell edited to its own text) is no change.
    const bool same = obj != nullptr && obj->record != nullptr &&
                      std::memcmp(obj->record, &checked, sizeof checked) == 0;
    const SLM_RESULT result = INT_SLM_SetServiceInfo(handle, &checked);
    if (result == DBERR_OK && !same) DB_NoteChange();
    return result;
}

SLM_RESULT SLM_SetServicePids(SvcHandle handle, uint16_t pcrPid, uint16_t videoPid,
                              uint16_t audioPid) {
    SvcInfo svcInfo;
    const SLM_RESULT read = SLM_GetServiceInfo(handle, &svcInfo);
    if (read != DBERR_OK) return read;
    if (svcInfo.pcrPid == pcrPid && svcInfo.videoPid == videoPid && svcInfo.audioPid == audioPid)
        return SLM_UNCHANGED;

    svcInfo.pcrPid = pcrPid;
    // 0 and 0x2000 mean "no PID given": the stored one and its bit stay.
    if (videoPid != 0 && videoPid != PID_NONE) {
        svcInfo.videoPid = videoPid;
        svcInfo.flags2 |= SVCF2_VIDEO_VALID;
    }
    if (audioPid != 0 && audioPid != PID_NONE) {
        svcInfo.audioPid = audioPid;
        svcInfo.flags2 |= SVCF2_AUDIO_VALID;
    }
    svcInfo.extraPid = PID_NONE;
    svcInfo.flags |= SVCF_CREATED | SVCF_WRITTEN;
    return SLM_SetServiceInfo(handle, &svcInfo);
}

namespace {

// The place of every record in the service table, the order a load files
// and numbers the services of each kind in. Empty when memory runs out.
std::unordered_map<const SvcInfo*, uint32_t> recordPlaces() {
    std::unordered_map<const SvcInfo*, uint32_t> places;
    LL_Node* const head = TBL_GetSvcInfoList();
    try {
        places.reserve(TBL_GetSvcCount());
        uint32_t place = 0;
        for (LL_Node* node = head; node != nullptr; node = node->next == head ? nullptr : node->next)
            places.emplace(static_cast<const SvcInfo*>(node->data), place++);
    } catch (const std::bad_alloc&) {
        places.clear();
    }
    return places;
}

// The place of a handle's record; past every record for one without.
uint32_t placeOf(const std::unordered_map<const SvcInfo*, uint32_t>& places, SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    const auto it = obj != nullptr ? places.find(obj->record) : places.end();
    return it != places.end() ? it->second : UINT32_MAX;
}

// Moves the node (taken out of its part) into part, before the first
// service whose record lies after its own. Needs no memory.
LL_Node* insertByRecordPlace(LL_Node* part, LL_Node* node,
                             const std::unordered_map<const SvcInfo*, uint32_t>& places) {
    const uint32_t mine = placeOf(places, SLM_NodeHandle(node));
    int32_t after = 0; // services from the first later one to the part's end
    bool later = false;
    for (LL_Node* n = part; n != nullptr; n = n->next == part ? nullptr : n->next) {
        later = later || placeOf(places, SLM_NodeHandle(n)) > mine;
        if (later) ++after;
    }
    part = INT_LL_Close(INT_LL_Merge(part, node, nullptr));
    return INT_LL_MoveBy(part, node, -after, nullptr, 0);
}

} // namespace

SLM_RESULT SLM_SetServiceType(SvcHandle handle, uint8_t type) {
    if (type != SVC_TYPE_TV && type != SVC_TYPE_RADIO) return DBERR_BAD_LIST;
    SlmLockGuard lock;
    if (g_ListEditOpen != 0) return DBERR_EDIT_SESSION;
    SvcHandleObj* obj = HT_Resolve(handle);
    if (SLM_FindHandleNode(g_MasterSvcList, handle) == nullptr || obj == nullptr ||
        obj->record == nullptr)
        return DBERR_NOT_FOUND;
    const bool recordOfType = DB_GetBits(obj->record->flags, SVCF_TYPE_LO, SVCF_TYPE_W) == type;
    const bool handleOfType = DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W) == type;
    if (recordOfType && handleOfType) return SLM_UNCHANGED;

    const auto places = recordPlaces();
    if (places.empty()) return DBERR_NO_MEMORY;
    LL_Node* parts[4] = {}; // locked TV, locked radio, unlocked TV, unlocked radio
    g_MasterSvcList = INT_SLM_NumberOrderStart(g_MasterSvcList);
    const DBERR split = INT_SLM_SplitServiceList(&g_MasterSvcList, &parts[0], &parts[1],
                                                 &parts[2], &parts[3]);
    if (split != DBERR_OK) return split;

    if (!recordOfType) {
        SvcInfo changed = *obj->record;
        changed.flags = DB_SetBits(changed.flags, SVCF_TYPE_LO, SVCF_TYPE_W, type);
        std::memcpy(obj->record, &changed, sizeof changed); // in place: the table keeps its order
    }
    for (LL_Node*& part : parts) {
        if (LL_Node* node = SLM_FindHandleNode(part, handle)) {
            part = INT_LL_Unlink(part, node);
            obj->numFlags = DB_SetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W, type);
            obj->numFlags &= ~SVH_NUM_LOCKED;
            LL_Node*& target = parts[type == SVC_TYPE_RADIO ? 3 : 2];
            target = insertByRecordPlace(target, node, places);
            break;
        }
    }
    INT_SLM_RenumberServices(parts[2], parts[3], parts[0], parts[1]);
    INT_SLM_MergeServiceLists(&g_MasterSvcList, parts[0], parts[1], parts[2], parts[3]);
    DB_NoteChange();
    return DBERR_OK;
}

SLM_RESULT SLM_DeleteService(SvcHandle handle) {
    SlmLockGuard lock;
    LL_Node* node = SLM_FindHandleNode(g_MasterSvcList, handle);
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (node == nullptr || obj == nullptr) return SLM_NOT_IN_LIST;
    SvcInfo* record = obj->record;

    g_MasterSvcList = INT_LL_Remove(g_MasterSvcList, node, nullptr);
    unlinkHandle(&g_TvSvcList, handle);
    unlinkHandle(&g_RadioSvcList, handle);
    unlinkHandle(&g_NameSortedSvcList, handle);
    INT_SLM_FreeServiceHandle(SLM_HandleNodeData(handle));
    if (record != nullptr && !DB_IsPlaceholderSvc(record)) TBL_DeleteSvcInfo(record);
    DB_NoteChange();
    return DBERR_OK;
}

SLM_RESULT SLM_CopySvcInfo(const SvcInfo* source, SvcInfo* target) {
    if (target == nullptr) return DBERR_NULL_ARG;
    if (source == nullptr) return DBERR_NULL_OBJECT;
    std::memmove(target, source, sizeof *target);
    return DBERR_OK;
}

SLM_RESULT SLM_GetTsInfo(SvcHandle handle, TsInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_GetTsInfo(handle, out);
}

SLM_RESULT SLM_GetTsInfoOfSvcInfo(const SvcInfo* record, TsInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    if (record == nullptr) return DBERR_NULL_OBJECT;
    const TsInfo* ts = REF_ResolveTs(record->tsRef);
    if (ts == nullptr) return DBERR_NOT_FOUND;
    std::memcpy(out, ts, sizeof *out);
    return DBERR_OK;
}

SLM_RESULT SLM_IsSvcNull(SvcHandle handle, uint32_t* isNull) {
    return INT_SLM_IsSvcNull(handle, isNull);
}

SLM_RESULT SLM_ReleaseTsCasCount(SvcHandle handle) {
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    return HT_Resolve(handle) != nullptr ? DBERR_OK : DBERR_NOT_FOUND;
}

SLM_RESULT SLM_GetCurrentService(SvcHandle* out, SvcHandle* second, SvcHandle* third) {
    for (SvcHandle* given : {out, second, third})
        if (given != nullptr) *given = SVC_HANDLE_INVALID;
    return DBERR_BAD_LIST;
}

SLM_RESULT SLM_SetCurrentService(SvcHandle /*handle*/) {
    return DBERR_OK;
}
