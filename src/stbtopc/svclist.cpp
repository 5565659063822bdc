#include "svclist.h"

#include "dbrecords.h"
#include "dbstate.h"
#include "slmload.h"
#include "slmlock.h"

LL_Node* g_MasterSvcList = nullptr;
LL_Node* g_NameSortedSvcList = nullptr;
LL_Node* g_TvSvcList = nullptr;
LL_Node* g_RadioSvcList = nullptr;
SvcAccessMethod g_AccessMethod = ACCESS_MASTER;
uint32_t g_ListStateWord = 0;
EditCopies g_EditCopies{};
uint32_t g_ListEditOpen = 0;

namespace {
LL_Node* g_favListHeads[SVCLIST_FAV_HEAD_COUNT] = {}; // lists 7-24
// Lists 23 and 24 as SLM_TakeSpecialList hands them out. Nothing fills
// them; their nodes, were there any, would hold handles the master list owns.
LL_Node* g_specialLists[2] = {nullptr, nullptr};

// The nodes of the favourite lists, the copies and the special lists go;
// their handles belong to the master list.
void freeSideLists() {
    for (LL_Node*& head : g_favListHeads)
        head = INT_LL_FreeAll(head, nullptr);
    INT_SLM_FreeEditCopies();
    for (LL_Node*& list : g_specialLists)
        list = INT_LL_FreeAll(list, nullptr);
}

// The nodes go; the handles belong to the handle table, whose own reset
// clears them.
void resetServiceLists() {
    g_MasterSvcList = INT_LL_FreeAll(g_MasterSvcList, nullptr);
    g_NameSortedSvcList = INT_LL_FreeAll(g_NameSortedSvcList, nullptr);
    g_TvSvcList = INT_LL_FreeAll(g_TvSvcList, nullptr);
    g_RadioSvcList = INT_LL_FreeAll(g_RadioSvcList, nullptr);
    freeSideLists();
    g_ListEditOpen = 0;
    g_AccessMethod = ACCESS_MASTER;
    g_ListStateWord = 0;
}
DB_ResetHook g_resetHook(resetServiceLists);

// Freeing all tables also frees every list with the handles of the master
// list. An open list edit stays open (its session closes it); its copies are
// empty.
void freeAllLists() {
    INT_SLM_FreeServiceLists();
    freeSideLists();
}
TBL_FreeHook g_freeHook(freeAllLists);

bool isFavOrExtraList(SvcListId id) {
    return DB_IsFavList(id) || id == LIST_EXTRA_A || id == LIST_EXTRA_B;
}
bool isEditMethod(SvcAccessMethod method) {
    return method >= ACCESS_EDIT && method <= ACCESS_EDIT_NAME;
}

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

namespace {

// Where each handle sits in one list, so that a walk step by step, or a
// look-up for every row of a view, costs no search from the head each time.
// The index holds for its list while no list changes (INT_LL_ChangeCount);
// each handle of the list keeps its own node beside it (indexedNode, valid
// while indexStamp is the index's stamp). It is built by the second look-up
// in the same list with nothing changed in between: a look-up between two
// changes searches as before and builds nothing.
struct HandleNodeIndex {
    LL_Node* list = nullptr;      // the list indexed, null for none
    uint64_t changeCount = 0;     // the change count it holds for
    uint64_t stamp = 0;           // marks the handles' nodes of this index
    LL_Node* lastAsked = nullptr; // the list of the last look-up ...
    uint64_t lastAskedAt = 0;     // ... and the change count then
};
HandleNodeIndex g_handleIndex;

void resetHandleIndex() {
    const uint64_t stamp = g_handleIndex.stamp;
    g_handleIndex = HandleNodeIndex{};
    g_handleIndex.stamp = stamp; // stamps are never handed out twice
}
DB_ResetHook g_handleIndexReset(resetHandleIndex);

// Each handle of the list gets its first node, as a search from the head
// would find it.
void buildHandleIndex(LL_Node* list, uint64_t changeCount) {
    const uint64_t stamp = ++g_handleIndex.stamp;
    for (LL_Node* node = list; node != nullptr;) {
        SvcHandleObj* obj = HT_Resolve(SLM_NodeHandle(node));
        if (obj != nullptr && obj->indexStamp != stamp) {
            obj->indexedNode = node;
            obj->indexStamp = stamp;
        }
        node = node->next;
        if (node == list) break;
    }
    g_handleIndex.list = list;
    g_handleIndex.changeCount = changeCount;
}

// The indexed answer for the list, or false when there is no index for it
// (or the node no longer carries the handle, which a change that forgot to
// count would leave: the caller then searches).
bool indexedNode(LL_Node* list, SvcHandle handle, const SvcHandleObj& obj, LL_Node** node) {
    const uint64_t changeCount = INT_LL_ChangeCount();
    if (g_handleIndex.list != list || g_handleIndex.changeCount != changeCount) {
        const bool askedAgain =
            g_handleIndex.lastAsked == list && g_handleIndex.lastAskedAt == changeCount;
        g_handleIndex.lastAsked = list;
        g_handleIndex.lastAskedAt = changeCount;
        if (!askedAgain) return false;
        buildHandleIndex(list, changeCount);
    }
    *node = obj.indexStamp == g_handleIndex.stamp ? obj.indexedNode : nullptr;
    return *node == nullptr || SLM_NodeHandle(*node) == handle;
}

} // namespace

LL_Node* SLM_FindHandleNode(LL_Node* list, SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr || list == nullptr) return nullptr;
    LL_Node* node = nullptr;
    if (indexedNode(list, handle, *obj, &node)) return node;
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

// ---- Favourite and list-edit heads -----------------------------------------

LL_Node** INT_SLM_FavListSlot(SvcListId id) {
    return isFavOrExtraList(id) ? &g_favListHeads[id - LIST_FAV_FIRST] : nullptr;
}

DBERR INT_SLM_GetFavListHead(SvcListId id, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    LL_Node** slot = INT_SLM_FavListSlot(id);
    if (slot == nullptr) return DBERR_BAD_LIST;
    *out = *slot;
    return DBERR_OK;
}

DBERR INT_SLM_SetFavListHead(SvcListId id, LL_Node* head) {
    LL_Node** slot = INT_SLM_FavListSlot(id);
    if (slot == nullptr) return DBERR_BAD_LIST;
    *slot = head;
    return DBERR_OK;
}

LL_Node** INT_SLM_EditCopySlot(SvcListId id, SvcAccessMethod method) {
    EditCopies& c = g_EditCopies;
    const bool group = DB_IsFavList(id);
    switch (method) {
    case ACCESS_EDIT:
        return id == LIST_ALL || DB_IsSatList(id) || DB_IsCaList(id) ? &c.masterCopy : nullptr;
    case ACCESS_EDIT_MASTER:
        return group ? &c.favCopies[id - LIST_FAV_FIRST] : &c.masterCopy;
    case ACCESS_EDIT_NAME:
        return group ? &c.favCopies[id - LIST_FAV_FIRST] : &c.nameCopy;
    default:
        return nullptr;
    }
}

DBERR INT_SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (g_ListEditOpen == 0) return DBERR_OK;
    LL_Node** slot = INT_SLM_EditCopySlot(id, method);
    if (slot != nullptr) *out = *slot;
    return DBERR_OK;
}

DBERR INT_SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    if (g_ListEditOpen == 0) return DBERR_OK;
    LL_Node** slot = INT_SLM_EditCopySlot(id, method);
    if (slot != nullptr) *slot = head;
    return DBERR_OK;
}

DBERR INT_SLM_GetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    return isEditMethod(method) ? INT_SLM_GetEditListHead(id, method, out)
                                : INT_SLM_GetFavListHead(id, out);
}

DBERR INT_SLM_SetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    return isEditMethod(method) ? INT_SLM_SetEditListHead(id, method, head)
                                : INT_SLM_SetFavListHead(id, head);
}

void INT_SLM_OpenEditCopies(const EditCopies& copies) {
    INT_SLM_FreeEditCopies();
    g_EditCopies = copies;
    g_ListEditOpen = 1;
}

void INT_SLM_CloseEditCopies() {
    INT_SLM_FreeEditCopies();
    g_ListEditOpen = 0;
}

void INT_SLM_FreeEditCopies() {
    EditCopies& c = g_EditCopies;
    c.masterCopy = INT_LL_FreeAll(c.masterCopy, nullptr);
    c.nameCopy = INT_LL_FreeAll(c.nameCopy, nullptr);
    for (LL_Node*& copy : c.favCopies)
        copy = INT_LL_FreeAll(copy, nullptr);
}

DBERR INT_SLM_TakeSpecialList(SvcListId id, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (id != LIST_EXTRA_A && id != LIST_EXTRA_B) return DBERR_OK;
    LL_Node*& list = g_specialLists[id - LIST_EXTRA_A];
    *out = list;
    list = nullptr;
    return DBERR_OK;
}

DBERR SLM_TakeSpecialList(SvcListId id, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    SlmLockGuard lock;
    return INT_SLM_TakeSpecialList(id, out);
}
