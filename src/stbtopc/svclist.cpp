#include "svclist.h"

#include "dbrecords.h"
#include "dbstate.h"
#include "listedithead.h"
#include "slmlock.h"
#include "tables.h"

LL_Node* g_MasterSvcList = nullptr;
LL_Node* g_NameSortedSvcList = nullptr;
LL_Node* g_TvSvcList = nullptr;
LL_Node* g_RadioSvcList = nullptr;
SvcAccessMethod g_AccessMethod = ACCESS_MASTER;
uint32_t g_ListStateWord = 0;

namespace {
// The nodes go; the handles belong to the handle table, whose own reset
// clears them.
void resetServiceLists() {
    g_MasterSvcList = INT_LL_FreeAll(g_MasterSvcList, nullptr);
    g_NameSortedSvcList = INT_LL_FreeAll(g_NameSortedSvcList, nullptr);
    g_TvSvcList = INT_LL_FreeAll(g_TvSvcList, nullptr);
    g_RadioSvcList = INT_LL_FreeAll(g_RadioSvcList, nullptr);
    g_AccessMethod = ACCESS_MASTER;
    g_ListStateWord = 0;
}
DB_ResetHook g_resetHook(resetServiceLists);
// Freeing all tables also frees the service lists with their handles.
TBL_FreeHook g_freeHook(INT_SLM_FreeServiceLists);

// Lists that are views of the master or name list through a filter.
bool isFilteredList(SvcListId id) {
    return id == LIST_DATA || DB_IsSatList(id) || DB_IsCaList(id) || DB_IsPrvList(id);
}

uint32_t handleType(SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    return obj != nullptr ? DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W) : 0xFFFFFFFFu;
}

// The master list is entered at its first TV service: numbering starts with
// TV, so a ring that begins with a radio service is turned to it.
LL_Node* firstTvNodeOr(LL_Node* head) {
    for (LL_Node* node = head; node != nullptr;) {
        if (handleType(SLM_NodeHandle(node)) == SVC_TYPE_TV) return node;
        node = node->next;
        if (node == head) break;
    }
    return head;
}

void setMasterList(LL_Node* head) {
    SlmLockGuard lock;
    g_MasterSvcList = firstTvNodeOr(head);
}

LL_Node* masterList() {
    SlmLockGuard lock;
    return g_MasterSvcList;
}
} // namespace

LL_Node* SLM_FindHandleNode(LL_Node* list, SvcHandle handle) {
    if (HT_Resolve(handle) == nullptr) return nullptr;
    return INT_LL_Find(list, SLM_HandleNodeData(handle), nullptr, nullptr, 0);
}

DBERR INT_SLM_SetAccessMethod(SvcAccessMethod method) {
    g_AccessMethod = method;
    return DBERR_OK;
}

DBERR INT_SLM_GetAccessMethod(SvcAccessMethod* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = g_AccessMethod;
    return DBERR_OK;
}

DBERR INT_SLM_GetListHead(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (id == LIST_ALL) {
        switch (method) {
        case ACCESS_MASTER:
            *out = masterList();
            return DBERR_OK;
        case ACCESS_NAME:
            *out = g_NameSortedSvcList;
            return DBERR_OK;
        case ACCESS_TV:
            *out = g_TvSvcList;
            return DBERR_OK;
        case ACCESS_RADIO:
            *out = g_RadioSvcList;
            return DBERR_OK;
        case ACCESS_EDIT:
        case ACCESS_EDIT_MASTER:
        case ACCESS_EDIT_NAME:
            return INT_SLM_GetEditListHead(id, method, out);
        default:
            return DBERR_OK;
        }
    }
    if (DB_IsFavList(id)) return INT_SLM_GetListHeadEx(id, method, out);
    if (isFilteredList(id)) {
        switch (method) {
        case ACCESS_MASTER:
        case ACCESS_EDIT_MASTER:
            *out = masterList();
            return DBERR_OK;
        case ACCESS_NAME:
        case ACCESS_EDIT_NAME:
            *out = g_NameSortedSvcList;
            return DBERR_OK;
        case ACCESS_EDIT:
            return INT_SLM_GetEditListHead(id, method, out);
        default:
            return DBERR_BAD_LIST;
        }
    }
    if (id == LIST_EXTRA_A || id == LIST_EXTRA_B) {
        // The head is handed out, yet the answer stays "not a list here".
        INT_SLM_GetFavListHead(id, out);
        return DBERR_BAD_LIST;
    }
    return DBERR_BAD_LIST;
}

DBERR INT_SLM_SetListHead(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    if (id == LIST_ALL) {
        switch (method) {
        case ACCESS_NAME:
        case ACCESS_EDIT_NAME:
            g_NameSortedSvcList = head;
            return DBERR_OK;
        case ACCESS_TV:
            g_TvSvcList = head;
            return DBERR_OK;
        case ACCESS_RADIO:
            g_RadioSvcList = head;
            return DBERR_OK;
        case ACCESS_EDIT:
            return INT_SLM_SetEditListHead(id, method, head);
        case ACCESS_MASTER:
        case ACCESS_EDIT_MASTER:
            setMasterList(head);
            return DBERR_OK;
        default:
            return DBERR_OK;
        }
    }
    if (DB_IsFavList(id)) return INT_SLM_SetListHeadEx(id, method, head);
    if (DB_IsSatList(id) || DB_IsCaList(id)) {
        switch (method) {
        case ACCESS_MASTER:
        case ACCESS_NAME:
        case ACCESS_EDIT_MASTER:
        case ACCESS_EDIT_NAME:
            setMasterList(head);
            return DBERR_OK;
        case ACCESS_EDIT:
            return INT_SLM_SetEditListHead(id, method, head);
        default:
            return DBERR_BAD_LIST;
        }
    }
    return DBERR_BAD_LIST;
}

DBERR INT_SLM_IsListStateClean(uint32_t* clean) {
    if (clean == nullptr) return DBERR_NULL_ARG;
    *clean = g_ListStateWord == 0 ? 1 : 0;
    return DBERR_OK;
}

void INT_SLM_FreeServiceLists() {
    {
        SlmLockGuard lock;
        g_MasterSvcList = INT_LL_FreeAll(g_MasterSvcList, INT_SLM_FreeServiceHandle);
    }
    g_NameSortedSvcList = INT_LL_FreeAll(g_NameSortedSvcList, nullptr);
    g_TvSvcList = INT_LL_FreeAll(g_TvSvcList, nullptr);
    g_RadioSvcList = INT_LL_FreeAll(g_RadioSvcList, nullptr);
}
