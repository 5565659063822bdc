#include "slmquery.h"

#include <cstring>

#include "prvtable.h"
#include "slmlock.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcquery.h"
#include "svcrenumber.h"
#include "wrapper.h"

namespace {
// The head of list id under the current access method.
DBERR currentHead(SvcListId id, LL_Node** head) {
    return INT_SLM_GetListHead(id, g_AccessMethod, head);
}

// Runs query(head) on that head under the list manager's lock; an id the
// access method does not serve gives the head's error.
template <typename Query> SLM_RESULT onCurrentHead(SvcListId id, Query query) {
    SlmLockGuard lock;
    LL_Node* head = nullptr;
    if (const DBERR result = currentHead(id, &head)) return result;
    return query(head);
}
} // namespace

SLM_RESULT SLM_GetNthServiceHandleWithTpInfo(const TpInfo* tpKey, uint32_t n, SvcHandle* out) {
    if (tpKey == nullptr || out == nullptr) return DBERR_NULL_OBJECT;
    *out = SVC_HANDLE_INVALID;
    TpInfo key;
    std::memcpy(&key, tpKey, sizeof key);
    const DBERR result = INT_SLM_GetNthServiceHandleWithTpInfo(&key, n, out);
    if (result != DBERR_OK)
        WRAP_DebugPrint(WRAP_DBG_ERROR,
                        "[SLM_GetNthServiceHandleWithTpInfo] service not found with tpInfo "
                        "result(0x%X)\n",
                        static_cast<unsigned>(result));
    return result;
}

SLM_RESULT SLM_GetNextServiceHandleWithTpInfo(const TpInfo* tpKey, SvcHandle after,
                                              SvcHandle* out) {
    if (tpKey == nullptr || out == nullptr) return DBERR_NULL_OBJECT;
    *out = SVC_HANDLE_INVALID;
    TpInfo key;
    std::memcpy(&key, tpKey, sizeof key);
    return INT_SLM_GetNextServiceHandleWithTpInfo(&key, after, out);
}

SLM_RESULT SLM_GetNextServiceHandle(SvcHandle handle, SvcListId id, uint16_t number, uint8_t type,
                                    int32_t step, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    // -1 starts at the head; any other value must still be a live handle, or
    // a stale one would silently restart the walk.
    if (handle != SVC_HANDLE_INVALID && HT_Resolve(handle) == nullptr) return DBERR_NOT_FOUND;
    return onCurrentHead(id, [&](LL_Node* head) -> SLM_RESULT {
        if (head == nullptr) return DBERR_NOT_FOUND;
        return INT_SLM_GetNextServiceHandle(head, handle, id, number, type, step, out);
    });
}

SLM_RESULT SLM_GetNumServicesInList(SvcListId id, uint16_t number, uint8_t type, uint16_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = 0;
    return onCurrentHead(id, [&](LL_Node* head) {
        return INT_SLM_CountServicesInList(head, id, number, type, out);
    });
}

SLM_RESULT SLM_FindServiceInList(SvcListId id, SvcHandle handle, uint32_t* found) {
    if (found == nullptr) return DBERR_NULL_ARG;
    *found = 0;
    SvcAccessMethod method = ACCESS_MASTER;
    SvcListId headId = id;
    switch (g_AccessMethod) {
    case ACCESS_MASTER:
    case ACCESS_NAME:
        method = ACCESS_MASTER;
        break;
    case ACCESS_TV:
        method = ACCESS_TV;
        headId = LIST_ALL;
        break;
    case ACCESS_EDIT:
        method = ACCESS_EDIT;
        break;
    case ACCESS_EDIT_MASTER:
    case ACCESS_EDIT_NAME:
        method = ACCESS_EDIT_MASTER;
        break;
    default: // no caller searches under the radio part or other methods
        return DBERR_BAD_LIST;
    }
    SlmLockGuard lock;
    LL_Node* head = nullptr;
    const DBERR result = INT_SLM_GetListHead(headId, method, &head);
    if (result != DBERR_OK) return result;
    return INT_SLM_FindServiceInList(head, handle, id, found);
}

SLM_RESULT SLM_FindServiceByNumAndType(uint16_t number, uint8_t type, SvcListId id,
                                       SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    return onCurrentHead(id, [&](LL_Node* head) {
        return INT_SLM_FindServiceByNumAndType(head, number, type, id, out);
    });
}

SLM_RESULT SLM_CheckServiceHandle(SvcHandle handle, SvcHandle* out) {
    return INT_SLM_ValidateServiceHandle(handle, out);
}

SLM_RESULT SLM_GetServiceType(SvcHandle handle, uint8_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = 0;
    SlmLockGuard lock;
    LL_Node* head = nullptr;
    currentHead(LIST_ALL, &head);
    if (SLM_FindHandleNode(head, handle) == nullptr) return DBERR_NOT_FOUND;
    return INT_SLM_GetServiceType(head, handle, out);
}

SLM_RESULT SLM_GetServiceNumber(SvcHandle handle, uint16_t* number, uint8_t* type) {
    if (number == nullptr || type == nullptr) return DBERR_NULL_ARG;
    *number = DB_INDEX_NONE;
    *type = 0;
    SlmLockGuard lock;
    LL_Node* head = nullptr;
    currentHead(LIST_ALL, &head);
    if (SLM_FindHandleNode(head, handle) == nullptr) return DBERR_NOT_FOUND;
    uint8_t source = 0;
    return INT_SLM_GetServiceNumber(head, handle, number, type, &source);
}

SLM_RESULT SLM_GetAccessMethod(SvcAccessMethod* out) {
    return INT_SLM_GetAccessMethod(out);
}

SLM_RESULT SLM_SetAccessMethod(SvcAccessMethod method) {
    return INT_SLM_SetAccessMethod(method);
}

SLM_RESULT SLM_GetListHead(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    return INT_SLM_GetListHead(id, method, out);
}

SLM_RESULT SLM_SetListHead(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    return INT_SLM_SetListHead(id, method, head);
}

SLM_RESULT SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    SlmLockGuard lock;
    return INT_SLM_GetEditListHead(id, method, out);
}

SLM_RESULT SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    SlmLockGuard lock;
    return INT_SLM_SetEditListHead(id, method, head);
}

SLM_RESULT SLM_RenumberList(LL_Node** head, uint8_t /*type*/) {
    SlmLockGuard lock;
    return INT_SLM_RenumberAll(head);
}

SLM_RESULT SLM_IsListStateClean(uint32_t* clean) {
    return INT_SLM_IsListStateClean(clean);
}

SLM_RESULT SLM_GetPrvName(uint32_t index, char* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    const uint16_t result = TBL_GetPrvName(index, out);
    return result == DB_INDEX_NONE ? SLM_NOT_IN_LIST : result;
}
