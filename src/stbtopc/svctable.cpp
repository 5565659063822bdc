#include "svctable.h"

#include <cstring>

#include "dbstate.h"
#include "prvtable.h"
#include "refids.h"
#include "tablecopy.h"
#include "tablering.h"
#include "tstable.h"
#include "wrapper.h"

LL_Node* g_SvcInfoList = nullptr;

namespace {
uint32_t g_svcCount = 0;

DB_ResetHook g_resetHook(TBL_FreeSvcList);

LL_Node* nodeOf(const SvcInfo* element) {
    return element != nullptr ? LL_Find(g_SvcInfoList, element, nullptr, nullptr, 0) : nullptr;
}

bool anyServiceRefersTo(uint32_t SvcInfo::*reference, RefId ref) {
    bool found = false;
    TBL_ForEachNode(g_SvcInfoList, [&](LL_Node* node) {
        found = static_cast<const SvcInfo*>(node->data)->*reference == ref;
        return !found;
    });
    return found;
}

// The reference id of the element of list whose bytes equal the record at a
// flash address; REF_NONE when the address cannot be read or no element has
// those bytes.
template <typename Record>
RefId refOfStoredRecord(uint32_t address, LL_Node* list, RefId (*refOf)(const Record*)) {
    Record stored;
    if (WRAP_FlashReadChecked(&stored, address, sizeof stored) != 0) return REF_NONE;
    RefId ref = REF_NONE;
    TBL_ForEachNode(list, [&](LL_Node* node) {
        if (std::memcmp(node->data, &stored, sizeof stored) != 0) return true;
        ref = refOf(static_cast<const Record*>(node->data));
        return false;
    });
    return ref;
}

DBERR findServiceUsing(uint32_t SvcInfo::*reference, RefId ref, uint8_t* outKind,
                       uint16_t* outPos) {
    if (outKind == nullptr || outPos == nullptr) return DBERR_NULL_ARG;
    *outKind = KIND_TS;
    *outPos = DB_INDEX_NONE;
    if (ref == REF_NONE) return DBERR_TABLE_NOT_FOUND;
    uint16_t position = 0;
    TBL_ForEachNode(g_SvcInfoList, [&](LL_Node* node) {
        if (static_cast<const SvcInfo*>(node->data)->*reference == ref) {
            *outPos = position;
            return false;
        }
        ++position;
        return true;
    });
    return *outPos != DB_INDEX_NONE ? DBERR_OK : DBERR_TABLE_NOT_FOUND;
}
} // namespace

void TBL_SetSvcCount(uint32_t count) {
    g_svcCount = count;
}
uint32_t TBL_GetSvcCount() {
    return g_svcCount;
}
void TBL_IncSvcCount() {
    ++g_svcCount;
}
void TBL_DecSvcCount() {
    if (g_svcCount != 0) --g_svcCount;
}

DBERR TBL_AddSvcInfo(const SvcInfo* record, SvcInfo** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (record == nullptr) return DBERR_NULL_OBJECT;
    if (g_svcCount >= MAX_SERVICES) return DBERR_TS_TABLE_FULL;

    SvcInfo* copy = TBL_NewCopy(*record);
    if (copy == nullptr) return DBERR_NO_MEMORY_COPY;
    if (!TBL_AppendToRing(g_SvcInfoList, copy)) {
        delete copy;
        return DBERR_NO_MEMORY_COPY;
    }
    TBL_IncSvcCount();
    *out = copy;
    return DBERR_OK;
}

DBERR TBL_DeleteSvcInfo(const SvcInfo* element) {
    LL_Node* node = nodeOf(element);
    if (node == nullptr) return DBERR_OK;
    const RefId tsRef = element->tsRef;
    const RefId prvRef = element->prvRef;
    g_SvcInfoList = LL_Remove(g_SvcInfoList, node, TBL_FreeSvcInfo);
    TBL_DecSvcCount();

    // The element itself is removed by address: equal-looking records of
    // another element must not go in its place.
    if (tsRef != REF_NONE && !anyServiceRefersTo(&SvcInfo::tsRef, tsRef))
        TBL_DeleteTsElement(REF_ResolveTs(tsRef));
    if (prvRef != REF_NONE && !anyServiceRefersTo(&SvcInfo::prvRef, prvRef))
        TBL_DeletePrvElement(REF_ResolvePrv(prvRef));
    return DBERR_OK;
}

DBERR TBL_ReplaceSvcInfo(SvcInfo* element, const SvcInfo* record, SvcInfo** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (record == nullptr) return DBERR_NULL_OBJECT;
    if (nodeOf(element) == nullptr) return DBERR_TABLE_INDEX;
    if (element != record) std::memcpy(element, record, sizeof(SvcInfo));
    *out = element;
    return DBERR_OK;
}

DBERR TBL_MoveSvcInfo(const SvcInfo* element, uint32_t position) {
    LL_Node* node = nullptr;
    uint32_t current = 0;
    TBL_ForEachNode(g_SvcInfoList, [&](LL_Node* candidate) {
        if (candidate->data == element) {
            node = candidate;
            return false;
        }
        ++current;
        return true;
    });
    if (node == nullptr) return DBERR_OK;
    const uint32_t last = g_svcCount != 0 ? g_svcCount - 1 : 0;
    const uint32_t target = position < last ? position : last;
    const int32_t steps = static_cast<int32_t>(target) - static_cast<int32_t>(current);
    if (steps != 0) g_SvcInfoList = LL_MoveBy(g_SvcInfoList, node, steps, nullptr, 0);
    return DBERR_OK;
}

DBERR TBL_FindSvcUsingTs(const TsInfo* ts, uint8_t* outKind, uint16_t* outPos) {
    return findServiceUsing(&SvcInfo::tsRef, TBL_GetTsRef(ts), outKind, outPos);
}

DBERR TBL_FindSvcUsingPrv(const PrvInfo* prv, uint8_t* outKind, uint16_t* outPos) {
    return findServiceUsing(&SvcInfo::prvRef, TBL_GetPrvRef(prv), outKind, outPos);
}

DBERR TBL_LinkSvcToTs(SvcInfo* record) {
    if (record == nullptr) return DBERR_NULL_OBJECT;
    record->tsRef = refOfStoredRecord(record->tsRef, g_TsInfoList, TBL_GetTsRef);
    return DBERR_OK;
}

DBERR TBL_LinkSvcToPrv(SvcInfo* record) {
    if (record == nullptr) return DBERR_NULL_OBJECT;
    record->prvRef = record->prvRef != 0
                         ? refOfStoredRecord(record->prvRef, g_PrvInfoList, TBL_GetPrvRef)
                         : REF_NONE;
    return DBERR_OK;
}

DBERR TBL_GetSvcNamePtr(SvcInfo* record, uint8_t** out) {
    if (record == nullptr || out == nullptr) return DBERR_NULL_ARG;
    *out = record->name;
    return DBERR_OK;
}

LL_Node* TBL_GetSvcInfoList() {
    return g_SvcInfoList;
}

void TBL_FreeSvcInfo(void* data) {
    delete static_cast<SvcInfo*>(data);
}

void TBL_FreeSvcList() {
    g_SvcInfoList = LL_FreeAll(g_SvcInfoList, TBL_FreeSvcInfo);
    g_svcCount = 0;
}
