#include "svchandleops.h"

#include <cstring>

#include "placeholder.h"
#include "refids.h"
#include "slmlock.h"
#include "filters.h"
#include "svclist.h"
#include "svctable.h"

DBERR INT_SLM_InitServiceHandle(SvcHandle handle) {
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if ((obj->numFlags & SVH_OWNS_NAME) != 0) delete[] obj->name;
    // The id stays in self: it is what keeps the handle resolvable.
    obj->marker = 0xFFFFFFFFu;
    obj->record = nullptr;
    obj->numFlags = SVH_NEW_NUMFLAGS;
    obj->name = nullptr;
    return DBERR_OK;
}

DBERR INT_SLM_CopyServiceName(SvcHandle handle, uint8_t* buffer) {
    if (buffer == nullptr) return DBERR_NULL_ARG;
    std::memset(buffer, 0, SVC_NAME_LEN);
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->name == nullptr) return DBERR_OK;
    // An owned name may be shorter than the record's field: stop at its end.
    size_t length = 0;
    while (length < SVC_NAME_LEN && obj->name[length] != 0)
        ++length;
    std::memcpy(buffer, obj->name, length);
    return DBERR_OK;
}

DBERR INT_SLM_ReadServiceInfo(SvcHandle handle, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->record == nullptr) return DBERR_NULL_OBJECT;
    std::memcpy(out, obj->record, sizeof *out);
    return DBERR_OK;
}

DBERR INT_SLM_GetTsInfo(SvcHandle handle, TsInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    SvcInfo record;
    const DBERR result = INT_SLM_ReadServiceInfo(handle, &record);
    if (result != DBERR_OK) return result;
    const TsInfo* ts = REF_ResolveTs(record.tsRef);
    if (ts == nullptr) return DBERR_NOT_FOUND;
    std::memcpy(out, ts, sizeof *out);
    return DBERR_OK;
}

namespace {
// A handle value the operations may read: one that resolves. Any other is
// "looked up by identity" in a list, where a stale id never finds a node
// (SLM_FindHandleNode), so the look-up is the same answer: none.
const SvcHandleObj* usableHandle(LL_Node* list, SvcHandle handle) {
    if (handle == SVC_HANDLE_NONE || handle == SVC_HANDLE_INVALID) return nullptr;
    if (const SvcHandleObj* obj = HT_Resolve(handle)) return obj;
    return HT_Resolve(SLM_NodeHandle(SLM_FindHandleNode(list, handle)));
}

LL_Node* masterList() {
    SlmLockGuard lock;
    return g_MasterSvcList;
}
} // namespace

DBERR INT_SLM_GetServiceInfo(SvcHandle handle, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    const SvcHandleObj* obj = usableHandle(masterList(), handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->record == nullptr) return DBERR_NULL_OBJECT;
    std::memcpy(out, obj->record, sizeof *out);
    return DBERR_OK;
}

DBERR INT_SLM_GetServiceNumber(LL_Node* list, SvcHandle handle, uint16_t* number, uint8_t* type,
                               uint8_t* source) {
    if (number == nullptr || type == nullptr || source == nullptr) return DBERR_NULL_ARG;
    *number = DB_INDEX_NONE;
    *type = 0;
    *source = 0;
    const SvcHandleObj* obj = usableHandle(list, handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    *number = static_cast<uint16_t>(DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W));
    *type = static_cast<uint8_t>(DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W));
    *source = static_cast<uint8_t>(DB_GetBits(obj->numFlags, SVH_SOURCE_LO, SVH_SOURCE_W));
    return DBERR_OK;
}

DBERR INT_SLM_GetServiceType(LL_Node* list, SvcHandle handle, uint8_t* type) {
    if (type == nullptr) return DBERR_NULL_ARG;
    uint16_t number = 0;
    uint8_t source = 0;
    return INT_SLM_GetServiceNumber(list, handle, &number, type, &source);
}

DBERR INT_SLM_ValidateServiceHandle(SvcHandle handle, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    SlmLockGuard lock;
    LL_Node* list = nullptr;
    INT_SLM_GetListHead(LIST_ALL, g_AccessMethod, &list);
    const SvcHandleObj* obj = usableHandle(list, handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    *out = obj->self;
    return DBERR_OK;
}

DBERR INT_SLM_SetServiceInfo(SvcHandle handle, const SvcInfo* record) {
    if (record == nullptr) return DBERR_NULL_OBJECT;
    SlmLockGuard lock;
    if (SLM_FindHandleNode(g_MasterSvcList, handle) == nullptr) return DBERR_NOT_FOUND;
    SvcHandleObj* obj = HT_Resolve(handle);
    SvcInfo* replaced = nullptr;
    const DBERR result = TBL_ReplaceSvcInfo(obj->record, record, &replaced);
    if (result != DBERR_OK) return result;
    if ((obj->numFlags & SVH_OWNS_NAME) != 0) delete[] obj->name;
    obj->numFlags &= ~(SVH_OWNS_NAME | SVH_REWRITE);
    obj->record = replaced;
    obj->name = replaced->name;
    return DBERR_OK;
}

DBERR INT_SLM_GetNextServiceHandleWithTpInfo(const TpInfo* tp, SvcHandle after, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    if (tp == nullptr) return DBERR_NULL_OBJECT;
    const TpInfo key = *tp;
    SlmLockGuard lock;
    LL_Node* node = g_MasterSvcList;
    if (after != SVC_HANDLE_INVALID) {
        const LL_Node* from = SLM_FindHandleNode(g_MasterSvcList, after);
        if (from == nullptr) return DBERR_NOT_FOUND;
        node = from->next == g_MasterSvcList ? nullptr : from->next; // the end: no wrap
    }
    while (node != nullptr) {
        if (INT_SLM_ServiceHasTp(node->data, &key) == 0) {
            *out = SLM_NodeHandle(node);
            return DBERR_OK;
        }
        node = node->next == g_MasterSvcList ? nullptr : node->next;
    }
    return DBERR_NOT_FOUND;
}

DBERR INT_SLM_GetNthServiceHandleWithTpInfo(const TpInfo* tp, uint32_t n, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    if (tp == nullptr) return DBERR_NULL_OBJECT;
    const TpInfo key = *tp;
    SlmLockGuard lock;
    uint32_t seen = 0;
    for (LL_Node* node = g_MasterSvcList; node != nullptr;) {
        if (INT_SLM_ServiceHasTp(node->data, &key) == 0) {
            if (seen == n) {
                *out = SLM_NodeHandle(node);
                return DBERR_OK;
            }
            ++seen;
        }
        node = node->next;
        if (node == g_MasterSvcList) break;
    }
    return DBERR_NOT_FOUND;
}
