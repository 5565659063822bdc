#include "listedit.h"

#include <cstring>
#include <new>

#include "dballoc.h"
#include "dbstate.h"
#include "dvbtext.h"
#include "favourites.h"
#include "favtable.h"
#include "filters.h"
#include "selectionsort.h"
#include "slmcascade.h"
#include "slmlock.h"
#include "slmquery.h"
#include "slmservice.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcnamekey.h"
#include "svcquery.h"
#include "svcrenumber.h"
#include "svctable.h"
#include "tables.h"
#include "wrapper.h"

ListEditState g_ListEditState{};

namespace {

constexpr uint32_t kOptionAtStart = 1;
uint32_t g_listOption = kOptionAtStart;

// The list last moved in. The receiver also kept the node beside the last
// moved one and started the next search there; service-list nodes are freed
// by operations outside this session, so a kept node could dangle, and the
// search from the head finds the same node.
struct MoveCache {
    bool valid;
    SvcListId id;
    SvcAccessMethod method;
};
MoveCache g_moveCache{};

void clearMoveCache() {
    g_moveCache = MoveCache{};
}

// Lists 0, 30-99 and 110-120: the lists whose deletions delete the service.
bool isServiceList(SvcListId id) {
    return id == LIST_ALL || DB_IsSatList(id) || DB_IsCaList(id);
}
// Lists that are views of the master or name list through a filter.
bool isFilteredList(SvcListId id) {
    return id == LIST_DATA || DB_IsSatList(id) || DB_IsCaList(id) || DB_IsPrvList(id);
}

// Bytes of the character-table prefix that a DVB text starts with.
size_t prefixLength(uint8_t first) {
    if (first == 0x10) return 3;
    return (first >= 0x01 && first <= 0x05) || first == 0x11 ? 1 : 0;
}

uint32_t typeOf(const SvcHandleObj& obj) {
    return DB_GetBits(obj.numFlags, SVH_TYPE_LO, SVH_TYPE_W);
}

// ---- Where a list of the edit methods lives ------------------------------------
// The head INT_SLM_GetListHead hands out for (id, an edit method) is either
// an edit copy or, for the filtered lists under ACCESS_EDIT_MASTER and
// ACCESS_EDIT_NAME, the live
// master or name list. A changed head must go back to where it came from:
// storing it through INT_SLM_SetListHead would, for LIST_ALL under
// ACCESS_EDIT_MASTER,
// overwrite the live master list with the copy.
struct ListPlace {
    LL_Node** copy; // the edit copy, or null
    bool liveMaster;
    bool liveName;
};

ListPlace placeOf(SvcListId id, SvcAccessMethod method) {
    if (isFilteredList(id) && method == ACCESS_EDIT_MASTER) return ListPlace{nullptr, true, false};
    if (isFilteredList(id) && method == ACCESS_EDIT_NAME) return ListPlace{nullptr, false, true};
    if (id == LIST_ALL || DB_IsFavList(id) || isFilteredList(id))
        return ListPlace{INT_SLM_EditCopySlot(id, method), false, false};
    return ListPlace{nullptr, false, false};
}

LL_Node* headAt(const ListPlace& place) {
    if (place.liveMaster) return g_MasterSvcList;
    if (place.liveName) return g_NameSortedSvcList;
    return place.copy != nullptr && g_ListEditOpen != 0 ? *place.copy : nullptr;
}

void storeAt(const ListPlace& place, LL_Node* head) {
    if (place.liveMaster) {
        INT_SLM_SetListHead(LIST_ALL, ACCESS_MASTER, head);
    } else if (place.liveName) {
        INT_SLM_SetListHead(LIST_ALL, ACCESS_NAME, head);
    } else if (place.copy != nullptr && g_ListEditOpen != 0) {
        *place.copy = head;
    }
}

// Unlinks and frees the node of handle in the list at place; false when the
// list does not hold it.
bool unlinkAt(const ListPlace& place, SvcHandle handle) {
    LL_Node* head = headAt(place);
    LL_Node* node = SLM_FindHandleNode(head, handle);
    if (node == nullptr) return false;
    storeAt(place, INT_LL_Remove(head, node, nullptr));
    return true;
}

// Unlinks and frees the handle's node of a list kept in a plain head.
void unlinkFrom(LL_Node*& head, SvcHandle handle) {
    LL_Node* node = INT_LL_Find(head, SLM_HandleNodeData(handle), nullptr, nullptr, 0);
    if (node != nullptr) head = INT_LL_Remove(head, node, nullptr);
}

void unlinkFromLiveMasterAndName(SvcHandle handle) {
    unlinkAt(ListPlace{nullptr, true, false}, handle);
    unlinkAt(ListPlace{nullptr, false, true}, handle);
}

void appendPending(SvcHandle handle, DBERR* result) {
    LL_Node*& pending = g_ListEditState.pendingDeletions;
    *result = DBERR_OK;
    if (INT_LL_Find(pending, SLM_HandleNodeData(handle), nullptr, nullptr, 0) != nullptr) return;
    pending = INT_LL_Append(pending, SLM_HandleNodeData(handle), result);
}

// ---- Copies --------------------------------------------------------------------

void freeCopies() {
    INT_SLM_FreeEditCopies();
}

// The live head of group g (list 7 + g), kept by the service lists.
LL_Node*& groupHead(uint32_t g) {
    return *INT_SLM_FavListSlot(static_cast<SvcListId>(LIST_FAV_FIRST + g));
}

// The copies of one begin, made before anything is installed so that a
// failed begin leaves the state as it was.
struct Copies {
    LL_Node* master = nullptr;
    LL_Node* name = nullptr;
    LL_Node* favs[FAV_CAPACITY] = {};

    void free() {
        master = INT_LL_FreeAll(master, nullptr);
        name = INT_LL_FreeAll(name, nullptr);
        for (LL_Node*& fav : favs)
            fav = INT_LL_FreeAll(fav, nullptr);
    }
};

bool copyList(LL_Node* source, LL_Node** out) {
    DBERR result = DBERR_OK;
    *out = INT_LL_Copy(source, nullptr, &result);
    return result == DBERR_OK;
}

// Closes the edit: copies freed and closed, access method of the begin
// back, move cache cleared.
void closeEdit() {
    INT_SLM_CloseEditCopies();
    INT_SLM_SetAccessMethod(g_ListEditState.savedMethod);
    clearMoveCache();
}

// The copies and the open flag are the service lists' to reset.
void resetListEdit() {
    ListEditState& s = g_ListEditState;
    s.pendingDeletions = INT_LL_FreeAll(s.pendingDeletions, nullptr);
    s.savedMethod = ACCESS_MASTER;
    s.mode = 0;
    s.savedService = SVC_HANDLE_INVALID;
    g_listOption = kOptionAtStart;
    clearMoveCache();
}
DB_ResetHook g_resetHook(resetListEdit);
TBL_FreeHook g_freeHook(INT_SLM_FreeListEdit);

// ---- Commit steps --------------------------------------------------------------

// Deletes every pending service: its record goes, and it leaves the live
// lists and the copies that still hold it; then the handle is freed. A
// deletion made through a view of the live lists (a satellite list under
// ACCESS_EDIT_MASTER) left the handle in the master copy, so the copies are searched
// too, and the record is deleted whether or not the live master list still
// held the handle.
bool commitDeletions() {
    ListEditState& s = g_ListEditState;
    bool deleted = false;
    while (s.pendingDeletions != nullptr) {
        const SvcHandle handle = SLM_NodeHandle(s.pendingDeletions);
        SvcHandleObj* obj = HT_Resolve(handle);
        if (obj != nullptr) {
            if (!SLM_IsNullService(handle)) {
                SLM_ReleaseTsCasCount(handle);
                TBL_DeleteSvcInfo(obj->record);
                obj->record = nullptr;
                deleted = true;
            }
            unlinkFromLiveMasterAndName(handle);
            unlinkFrom(g_EditCopies.masterCopy, handle);
            unlinkFrom(g_EditCopies.nameCopy, handle);
            HT_Free(handle);
        }
        s.pendingDeletions = INT_LL_Remove(s.pendingDeletions, s.pendingDeletions, nullptr);
    }
    return deleted;
}

void installMasterCopy() {
    g_MasterSvcList = INT_LL_FreeAll(g_MasterSvcList, nullptr);
    INT_SLM_SetListHead(LIST_ALL, ACCESS_MASTER, g_EditCopies.masterCopy);
    g_EditCopies.masterCopy = nullptr;
}

// Visits the handle of every node of list that still resolves, once round
// the ring; the visitor must not change the list.
template <typename Visit> void forEachLiveHandle(LL_Node* list, Visit visit) {
    const uint32_t total = INT_LL_Count(list, nullptr, 0);
    LL_Node* node = list;
    for (uint32_t i = 0; i < total; ++i, node = node->next)
        if (SvcHandleObj* obj = HT_Resolve(SLM_NodeHandle(node))) visit(*obj);
}

void setNameField(uint8_t* field, const uint8_t* name) {
    std::memset(field, 0, SVC_NAME_LEN);
    size_t length = 0;
    while (length < SVC_NAME_LEN - 1 && name[length] != 0)
        ++length;
    std::memcpy(field, name, length);
}

// Writes the pending names (and SVH_LOCK changes) of the master list's handles
// into their records. Returns whether a record was rewritten; *error gets
// the first failure, and a handle whose record could not be rewritten keeps
// its pending name.
bool rewriteRenamedRecords(SLM_RESULT* error) {
    bool rewritten = false;
    forEachLiveHandle(g_MasterSvcList, [&](SvcHandleObj& obj) {
        const bool ownsName = (obj.numFlags & SVH_OWNS_NAME) != 0 && obj.name != nullptr;
        if ((obj.numFlags & SVH_REWRITE) == 0 && !ownsName) return;
        if (obj.record == nullptr) { // not a record of the service table
            if (*error == DBERR_OK) *error = DBERR_TABLE_INDEX;
            return;
        }
        SvcInfo record = *obj.record;
        record.flags |= SVCF_RENAMED;
        if (ownsName) setNameField(record.name, obj.name);
        record.flags = (record.flags & ~SVCF_LOCK) | ((obj.numFlags & SVH_LOCK) ? SVCF_LOCK : 0);
        SvcInfo* replaced = nullptr;
        const DBERR result = TBL_ReplaceSvcInfo(obj.record, &record, &replaced);
        if (result != DBERR_OK) {
            if (*error == DBERR_OK) *error = result;
            return;
        }
        if (ownsName) delete[] obj.name;
        obj.numFlags &= ~(SVH_OWNS_NAME | SVH_REWRITE);
        obj.record = replaced;
        obj.name = replaced->name;
        rewritten = true;
    });
    return rewritten;
}

// Sorts the name list again by name keys, in the order the receiver's
// selection sort leaves them. Null services keep their nodes; the others take the sorted handles
// in order. DBERR_NO_MEMORY (the order unchanged) when the items cannot be
// had.
DBERR resortNameList() {
    LL_Node* names = g_NameSortedSvcList;
    const uint32_t total = INT_LL_Count(names, nullptr, 0);
    if (total == 0) return DBERR_OK;
    SvcNameSortItem* items = DB_NewArray<SvcNameSortItem>(total);
    if (items == nullptr) return DBERR_NO_MEMORY;
    uint32_t made = 0;
    INT_SLM_MakeNameKeys(names, items, total, &made);
    DB_SelectionSortFast(items, made, sizeof(SvcNameSortItem), INT_SLM_CompareServiceByNameSimple);
    LL_Node* node = names;
    uint32_t next = 0;
    for (uint32_t i = 0; i < total && next < made; ++i, node = node->next) {
        if (SLM_IsNullService(SLM_NodeHandle(node))) continue;
        node->data = SLM_HandleNodeData(items[next++].handle);
    }
    INT_LL_NoteChange();
    delete[] items;
    return DBERR_OK;
}

void renumberMaster() {
    LL_Node* master = INT_SLM_NumberOrderStart(g_MasterSvcList);
    if (master == nullptr) return;
    INT_SLM_RenumberAll(&master);
    INT_SLM_SetListHead(LIST_ALL, ACCESS_MASTER, master);
}

// Mode 1: the favourite copies become the groups. Then the groups that were
// built are stored, with their names, into the favourite table.
DBERR commitGroups() {
    EditCopies& c = g_EditCopies;
    if (g_ListEditState.mode == LISTEDIT_MODE_FULL) {
        c.nameCopy = INT_LL_FreeAll(c.nameCopy, nullptr);
        for (uint32_t g = 0; g < FAV_CAPACITY; ++g) {
            groupHead(g) = INT_LL_FreeAll(groupHead(g), nullptr);
            groupHead(g) = c.favCopies[g];
            c.favCopies[g] = nullptr;
        }
    }
    return INT_SLM_StoreBuiltFavGroups();
}

// Undoes pending names and SVH_REWRITE changes of the live master list's handles.
void undoPendingChanges() {
    forEachLiveHandle(g_MasterSvcList, [](SvcHandleObj& obj) {
        if ((obj.numFlags & SVH_OWNS_NAME) != 0) {
            delete[] obj.name;
            obj.numFlags &= ~SVH_OWNS_NAME;
            obj.name = obj.record != nullptr ? obj.record->name : nullptr;
        }
        if ((obj.numFlags & SVH_REWRITE) != 0) obj.numFlags ^= SVH_LOCK;
        obj.numFlags &= ~SVH_REWRITE;
    });
}

void reloadGroupNames() {
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g) {
        delete[] g_FavGroupState.names[g];
        g_FavGroupState.names[g] = nullptr;
        const uint8_t* name = nullptr;
        if (TBL_GetFavName(g, &name) != DBERR_OK || name[0] == 0) continue;
        SvcListId id = static_cast<SvcListId>(LIST_FAV_FIRST + g);
        INT_SLM_SetListName(id, name);
    }
}

bool inListOfChecks(SvcListId id, SvcHandle handle) {
    uint32_t found = 0;
    return SLM_FindServiceInList(id, handle, &found) == DBERR_OK && found != 0;
}

} // namespace

// ---- Option word ---------------------------------------------------------------

void INT_SLM_SetListOption(uint32_t option) {
    g_listOption = option;
}

uint32_t INT_SLM_GetListOption() {
    return g_listOption;
}

// ---- Session -------------------------------------------------------------------

DBERR INT_SLM_BeginListEdit(uint8_t mode) {
    if (g_ListEditOpen != 0) return DBERR_EDIT_SESSION;
    clearMoveCache();
    ListEditState& s = g_ListEditState;
    const SvcAccessMethod method = g_AccessMethod;
    SvcAccessMethod editMethod = method;
    Copies copies;
    bool copied = true;
    if (method != ACCESS_TV && mode == LISTEDIT_MODE_MASTER) {
        editMethod = ACCESS_EDIT;
        LL_Node* list0 = nullptr;
        INT_SLM_GetListHead(LIST_ALL, method, &list0);
        if (method == ACCESS_MASTER) list0 = INT_SLM_NumberOrderStart(list0);
        copied = copyList(list0, &copies.master);
    } else if (method != ACCESS_TV && mode == LISTEDIT_MODE_FULL) {
        editMethod = method == ACCESS_NAME ? ACCESS_EDIT_NAME : ACCESS_EDIT_MASTER;
        // The copy begins where the number order begins, so that moves and
        // the commit's renumbering see the list as the numbers order it.
        copied = copyList(INT_SLM_NumberOrderStart(g_MasterSvcList), &copies.master) &&
                 copyList(g_NameSortedSvcList, &copies.name);
        for (uint32_t g = 0; copied && g < FAV_CAPACITY; ++g)
            copied = copyList(groupHead(g), &copies.favs[g]);
    }
    if (!copied) {
        copies.free();
        return DBERR_NO_MEMORY;
    }

    s.mode = mode;
    SvcHandle current = SVC_HANDLE_INVALID;
    SLM_GetCurrentService(&current, nullptr, nullptr);
    s.savedService = current;
    s.savedMethod = method;
    s.pendingDeletions = INT_LL_FreeAll(s.pendingDeletions, nullptr);
    EditCopies installed{};
    installed.masterCopy = copies.master;
    installed.nameCopy = copies.name;
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g)
        installed.favCopies[g] = copies.favs[g];
    INT_SLM_OpenEditCopies(installed);
    INT_SLM_SetAccessMethod(editMethod);
    return DBERR_OK;
}

SLM_RESULT SLM_BeginListEdit(uint8_t mode) {
    SlmLockGuard lock;
    return INT_SLM_BeginListEdit(mode);
}

SLM_RESULT INT_SLM_CommitListEdit(uint32_t saveOrder) {
    if (g_ListEditOpen == 0) return DBERR_EDIT_SESSION;
    if (g_AccessMethod == ACCESS_TV) return LISTEDIT_SPLIT_NOTHING_DONE;
    ListEditState& s = g_ListEditState;
    const bool copiedMaster = s.mode == LISTEDIT_MODE_MASTER || s.mode == LISTEDIT_MODE_FULL;

    const bool deleted = commitDeletions();
    SLM_RESULT error = DBERR_OK;
    bool rewritten = false;
    if (copiedMaster) {
        // The copy is numbered in its own order, from its head, before it is
        // installed: the master list is entered at its first TV service, and
        // after a move that ring order no longer tells where the list begins
        // (a radio service that came first would be numbered last).
        if (g_EditCopies.masterCopy != nullptr) INT_SLM_RenumberAll(&g_EditCopies.masterCopy);
        installMasterCopy();
        rewritten = rewriteRenamedRecords(&error);
        if (rewritten) {
            const DBERR sorted = resortNameList();
            if (error == DBERR_OK) error = sorted;
        }
    }
    if (!copiedMaster) renumberMaster();
    if (copiedMaster) {
        // The groups go into the table before any commit writes the image.
        const DBERR groups = commitGroups();
        if (error == DBERR_OK) error = groups;
    }
    if ((deleted || rewritten) && saveOrder != 0) {
        const SLM_RESULT saved = SLM_SaveServiceOrder(1);
        if (error == DBERR_OK) error = saved;
    }
    freeCopies();
    return error;
}

SLM_RESULT INT_SLM_DiscardListEdit() {
    if (g_ListEditOpen == 0) return DBERR_EDIT_SESSION;
    if (g_AccessMethod == ACCESS_TV) return LISTEDIT_SPLIT_NOTHING_DONE;
    ListEditState& s = g_ListEditState;
    s.pendingDeletions = INT_LL_FreeAll(s.pendingDeletions, nullptr);
    freeCopies();
    undoPendingChanges();
    if (s.mode == LISTEDIT_MODE_FULL) {
        reloadGroupNames();
    } else if (s.mode == LISTEDIT_MODE_MASTER) {
        renumberMaster();
    }
    return DBERR_OK;
}

SLM_RESULT INT_SLM_EndListEdit(uint32_t commit, uint32_t saveOrder) {
    if (g_ListEditOpen == 0) return DBERR_EDIT_SESSION;
    const SLM_RESULT result =
        commit != 0 ? INT_SLM_CommitListEdit(saveOrder) : INT_SLM_DiscardListEdit();
    ListEditState& s = g_ListEditState;
    // Under the TV/radio split nothing was done: what is left pending stays
    // in the live lists.
    s.pendingDeletions = INT_LL_FreeAll(s.pendingDeletions, nullptr);
    freeCopies();
    closeEdit();
    if (commit != 0) SLM_SetCurrentService(s.savedService);
    return result == LISTEDIT_SPLIT_NOTHING_DONE ? DBERR_OK : result;
}

SLM_RESULT SLM_EndListEdit(uint32_t commit, uint32_t saveOrder) {
    SlmLockGuard lock;
    return INT_SLM_EndListEdit(commit, saveOrder);
}

void INT_SLM_FreeListEdit() {
    ListEditState& s = g_ListEditState;
    freeCopies();
    while (s.pendingDeletions != nullptr) {
        const SvcHandle handle = SLM_NodeHandle(s.pendingDeletions);
        if (SLM_FindHandleNode(g_MasterSvcList, handle) == nullptr) HT_Free(handle);
        s.pendingDeletions = INT_LL_Remove(s.pendingDeletions, s.pendingDeletions, nullptr);
    }
    if (g_ListEditOpen != 0) closeEdit();
}

void SLM_FreeListEdit() {
    SlmLockGuard lock;
    INT_SLM_FreeListEdit();
}

// ---- Edits ---------------------------------------------------------------------

DBERR INT_SLM_DeleteServiceFromLists(SvcHandle handle, SvcListId id, uint32_t renumber) {
    const SvcAccessMethod method = g_AccessMethod;
    DBERR appended = DBERR_OK;
    switch (method) {
    case ACCESS_MASTER:
    case ACCESS_NAME: {
        LL_Node* node = SLM_FindHandleNode(g_MasterSvcList, handle);
        if (node == nullptr) return DBERR_NOT_FOUND;
        if (SLM_IsNullService(handle)) {
            INT_SLM_SetListHead(LIST_ALL, ACCESS_MASTER,
                                INT_LL_Remove(g_MasterSvcList, node, nullptr));
            HT_Free(handle);
        } else {
            appendPending(handle, &appended);
        }
        clearMoveCache();
        return appended;
    }
    case ACCESS_TV: {
        LL_Node* node = SLM_FindHandleNode(g_TvSvcList, handle);
        if (node == nullptr) return DBERR_NOT_FOUND;
        appendPending(handle, &appended);
        if (appended != DBERR_OK) return appended;
        INT_SLM_SetListHead(LIST_ALL, ACCESS_TV, INT_LL_Remove(g_TvSvcList, node, nullptr));
        clearMoveCache();
        return DBERR_OK;
    }
    case ACCESS_EDIT:
    case ACCESS_EDIT_MASTER:
    case ACCESS_EDIT_NAME: {
        const ListPlace place = placeOf(id, method);
        if (SLM_FindHandleNode(headAt(place), handle) == nullptr) return DBERR_NOT_FOUND;
        if (isServiceList(id)) {
            appendPending(handle, &appended);
            if (appended != DBERR_OK) return appended;
            for (LL_Node*& copy : g_EditCopies.favCopies)
                unlinkFrom(copy, handle);
        }
        clearMoveCache();
        unlinkAt(place, handle);
        if (renumber != 0) {
            LL_Node* head = headAt(place);
            if (head != nullptr && INT_SLM_RenumberAll(&head) == DBERR_OK) storeAt(place, head);
        }
        if (method != ACCESS_EDIT) {
            const SvcAccessMethod other =
                method == ACCESS_EDIT_MASTER ? ACCESS_EDIT_NAME : ACCESS_EDIT_MASTER;
            unlinkAt(placeOf(id, other), handle);
        }
        return DBERR_OK;
    }
    default:
        return DBERR_BAD_LIST;
    }
}

DBERR INT_SLM_MoveServiceRenumber(SvcHandle handle, SvcListId id, int32_t delta) {
    uint32_t clean = 0;
    INT_SLM_IsListStateClean(&clean);
    if (clean == 0) return DBERR_OK;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    const uint32_t type = typeOf(*obj);
    const SvcAccessMethod method = g_AccessMethod;
    switch (method) {
    case ACCESS_MASTER:
    case ACCESS_NAME: {
        LL_Node* head = nullptr;
        INT_SLM_GetListHead(id, ACCESS_MASTER, &head);
        head = INT_SLM_NumberOrderStart(head);
        LL_Node* node = SLM_FindHandleNode(head, handle);
        if (node == nullptr) return DBERR_NOT_FOUND;
        head = INT_LL_MoveBy(head, node, delta, INT_SLM_FilterListedByType, type);
        INT_SLM_RenumberAll(&head);
        INT_SLM_SetListHead(id, ACCESS_MASTER, head);
        return DBERR_OK;
    }
    case ACCESS_TV: {
        LL_Node* tv = g_TvSvcList;
        LL_Node* node = SLM_FindHandleNode(tv, handle);
        if (node == nullptr) return DBERR_NOT_FOUND;
        const uint16_t index = INT_LL_IndexOf(tv, SLM_HandleNodeData(handle), nullptr, nullptr, 0);
        LL_Node* radio = g_RadioSvcList;
        LL_Node* radioNode = radio != nullptr && index < INT_LL_Count(radio, nullptr, 0)
                                 ? INT_LL_GetNth(radio, index, nullptr, 0)
                                 : nullptr;
        INT_SLM_SetListHead(LIST_ALL, ACCESS_TV, INT_LL_MoveBy(tv, node, delta, nullptr, 0));
        if (radioNode != nullptr)
            INT_SLM_SetListHead(LIST_ALL, ACCESS_RADIO,
                                INT_LL_MoveBy(radio, radioNode, delta, nullptr, 0));
        return DBERR_OK;
    }
    case ACCESS_EDIT:
    case ACCESS_EDIT_MASTER:
    case ACCESS_EDIT_NAME: {
        const ListPlace place = placeOf(id, method);
        LL_Node* head = headAt(place);
        const bool again =
            g_moveCache.valid && g_moveCache.id == id && g_moveCache.method == method;
        LL_Node* node = again ? INT_LL_FindFrom(head, nullptr, SLM_HandleNodeData(handle), nullptr,
                                                nullptr, 0, delta >= 0 ? 1 : 0)
                              : SLM_FindHandleNode(head, handle);
        if (node == nullptr) return DBERR_NOT_FOUND;
        storeAt(place, INT_LL_MoveBy(head, node, delta, INT_SLM_FilterListedByType, type));
        g_moveCache = MoveCache{true, id, method};
        return DBERR_OK;
    }
    default:
        return DBERR_NOT_FOUND;
    }
}

DBERR INT_SLM_RenameService(LL_Node* list, SvcHandle handle, const uint8_t* name) {
    if (name == nullptr) return DBERR_NULL_OBJECT;
    if (SLM_FindHandleNode(list, handle) == nullptr) return DBERR_NOT_FOUND;
    SvcHandleObj* obj = HT_Resolve(handle);
    // The name comes from a cell editor and need not be terminated (a
    // two-byte text ends only at 0x00 0x00): nothing past the record's name
    // field (SVC_NAME_LEN bytes) is read. The buffer holds what is copied:
    // the text without its prefix.
    const size_t textLength = DVB_TextLenBounded(name, SVC_NAME_LEN);
    uint8_t* copy = DB_NewArray<uint8_t>(textLength + 1);
    if (copy == nullptr) return DBERR_NO_MEMORY;
    DVB_CopyTextNBounded(copy, textLength + 1, name, prefixLength(name[0]) + textLength);
    if ((obj->numFlags & SVH_OWNS_NAME) != 0) delete[] obj->name;
    obj->name = copy;
    obj->numFlags |= SVH_OWNS_NAME;
    return DBERR_OK;
}

SLM_RESULT SLM_RenameService(SvcHandle handle, const uint8_t* name) {
    if (name == nullptr) return DBERR_NULL_OBJECT;
    SlmLockGuard lock;
    LL_Node* list0 = nullptr;
    INT_SLM_GetListHead(LIST_ALL, g_AccessMethod, &list0);
    return DB_CountIfDone(INT_SLM_RenameService(list0, handle, name));
}

SLM_RESULT SLM_RemoveServiceFromList(SvcHandle handle, SvcListId id, uint32_t renumber) {
    if (isServiceList(id)) {
        if (!inListOfChecks(id, handle)) return DBERR_NOT_FOUND;
        SlmLockGuard lock;
        return DB_CountIfDone(INT_SLM_DeleteServiceFromLists(handle, id, renumber));
    }
    if (DB_IsFavList(id)) {
        if (!inListOfChecks(LIST_ALL, handle)) return DBERR_NOT_FOUND;
        SlmLockGuard lock;
        return DB_CountIfDone(INT_SLM_RemoveServiceFromList(handle, id));
    }
    return DBERR_BAD_LIST;
}

SLM_RESULT SLM_MoveServiceInList(SvcHandle handle, SvcListId id, int32_t delta) {
    if (!isServiceList(id) && !DB_IsFavList(id)) return DBERR_BAD_LIST;
    if (!inListOfChecks(id, handle)) return DBERR_NOT_FOUND;
    SlmLockGuard lock;
    const SLM_RESULT result = DB_IsFavList(id) ? INT_SLM_MoveServiceInFavList(handle, id, delta)
                                               : INT_SLM_MoveServiceRenumber(handle, id, delta);
    // A move by no place changes nothing.
    return delta != 0 ? DB_CountIfDone(result) : result;
}
