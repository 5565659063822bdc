// Every list head of the list manager, in one place: the master list in
// number order, the list in name order and the TV and radio parts; the
// favourite lists 7-22 and the lists 23 and 24; the copies a list edit
// works on (access methods 4-6) and whether they are open; the lists that
// SLM_TakeSpecialList hands out. Also the current access method, the
// list-state word, and the choice of the head for a list id and access
// method. Every other list (data, satellite, CA, provider) is a view of the
// master or name list through a filter.
//
// The favourite groups (favourites.h) and the list-edit session
// (listedit.h) keep their own state; they reach their heads here, and this
// module calls neither.
//
// Service lists carry handle ids in their node data (never object
// addresses), so a node whose handle was freed resolves to nothing.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "dberr.h"
#include "filters.h"
#include "linkedlist.h"
#include "listids.h"
#include "svchandle.h"

extern LL_Node* g_MasterSvcList;     // every filed service, number order (method 0)
extern LL_Node* g_NameSortedSvcList; // the same services in name order (method 1)
extern LL_Node* g_TvSvcList;         // TV part of the master list (method 2)
extern LL_Node* g_RadioSvcList;      // radio part of the master list (method 3)
extern SvcAccessMethod g_AccessMethod;
extern uint32_t g_ListStateWord; // 0: the numbering is clean

// Lists 7-22 (the favourite groups) and the two further lists 23 and 24.
constexpr uint32_t SVCLIST_FAV_HEAD_COUNT = LIST_EXTRA_B - LIST_FAV_FIRST + 1;

// The copies a list edit works on, while g_ListEditOpen is 1: they hold the
// same handles as the lists they copy (the live lists own the handles).
struct EditCopies {
    LL_Node* masterCopy;              // copy of list 0 (methods 4 and 5)
    LL_Node* nameCopy;                // copy of the name list (method 6)
    LL_Node* favCopies[FAV_CAPACITY]; // copies of lists 7-22 (methods 5 and 6)
};
extern EditCopies g_EditCopies;
extern uint32_t g_ListEditOpen; // 1 while a list edit is open: methods 4-6 reach the copies

// The handle id a node carries; SVC_HANDLE_NONE for a null node.
inline SvcHandle SLM_NodeHandle(const LL_Node* node) {
    return node != nullptr ? INT_SLM_DataWord(node->data) : SVC_HANDLE_NONE;
}
// The node data that carries a handle id.
inline void* SLM_HandleNodeData(SvcHandle handle) {
    return INT_SLM_WordData(handle);
}

// The node of list that carries the handle (identity). Null when the list
// does not hold it, and for 0, -1 and ids that do not resolve: a stale id
// never finds the node it left behind.
LL_Node* SLM_FindHandleNode(LL_Node* list, SvcHandle handle);

// Stores the access method (any value); 0.
DBERR INT_SLM_SetAccessMethod(SvcAccessMethod method);
// DBERR_NULL_ARG without out.
DBERR INT_SLM_GetAccessMethod(SvcAccessMethod* out);

// The head for a list id under an access method. *out starts null.
// List 0: method 0 master, 1 name list, 2 TV part, 3 radio part, 4-6 the
// list-edit copy (that module's result), others none with 0. Lists 7-22: the
// favourite group or its copy (that module's result). Lists 4, 30-99, 110-120
// and 200-255: methods 0 and 5 master, 1 and 6 name list, 4 the list-edit
// copy; other methods none with DBERR_BAD_LIST. Lists 23 and 24: the head the
// favourites module holds, with DBERR_BAD_LIST. Any other id: none,
// DBERR_BAD_LIST. DBERR_NULL_ARG without out.
DBERR INT_SLM_GetListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);

// Replaces the head for a list id under an access method. List 0: methods 1
// and 6 the name list, 2 the TV part, 3 the radio part, 4 the list-edit copy
// (that module's result), 0 and 5 the master list, entered at the ring's
// first TV service (or at head when it has none); others nothing with 0.
// Lists 7-22: handed to the favourites module (its result). Lists 30-99 and
// 110-120: methods 0, 1, 5 and 6 as list 0 with method 0, 4 the list-edit
// copy, other methods nothing with DBERR_BAD_LIST. Any other id: nothing,
// DBERR_BAD_LIST.
DBERR INT_SLM_SetListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// *clean is 1 when the list-state word is 0, else 0. DBERR_NULL_ARG without out.
DBERR INT_SLM_IsListStateClean(uint32_t* clean);

// Empties the service lists: the master list's handles are freed with its
// nodes, the name list and the TV and radio parts lose their nodes only (the
// same handles). All four heads become null. Part of freeing all tables.
void INT_SLM_FreeServiceLists();

// ---- Favourite and list-edit heads -----------------------------------------

// The slot of list 7-24's head; null for other ids.
LL_Node** INT_SLM_FavListSlot(SvcListId id);

// Head of list 7-24. *out starts null. DBERR_NULL_ARG without out,
// DBERR_BAD_LIST for other ids.
DBERR INT_SLM_GetFavListHead(SvcListId id, LL_Node** out);

// Stores the head of list 7-24; DBERR_BAD_LIST for other ids.
DBERR INT_SLM_SetFavListHead(SvcListId id, LL_Node* head);

// Where the list-edit copy that (id, method) routes to is kept. The routing
// is a table:
//   method 4 (ACCESS_EDIT):        ids 0, 30-99, 110-120 -> master copy; others none
//   method 5 (ACCESS_EDIT_MASTER): ids 7-22 -> the group's copy; others -> master copy
//   method 6 (ACCESS_EDIT_NAME):   ids 7-22 -> the group's copy; others -> name-list copy
//   any other method:              none (null)
LL_Node** INT_SLM_EditCopySlot(SvcListId id, SvcAccessMethod method);

// Head of the list-edit copy for (id, method 4-6). With no edit open: *out
// null and 0. DBERR_NULL_ARG without out.
DBERR INT_SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);

// Stores the head of the list-edit copy for (id, method 4-6); with no edit
// open nothing is stored and the result is 0.
DBERR INT_SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Methods 4-6 go to the edit heads, every other method to the favourite heads.
DBERR INT_SLM_GetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node** out);
DBERR INT_SLM_SetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Installs a list edit's copies (the old ones are freed first) and opens
// them: methods 4-6 reach them from now on. Cannot fail.
void INT_SLM_OpenEditCopies(const EditCopies& copies);

// Frees the copies' nodes (the handles stay) and closes them. Cannot fail.
void INT_SLM_CloseEditCopies();

// Frees the copies' nodes and leaves them empty; an open edit stays open.
void INT_SLM_FreeEditCopies();

// Hands out the head of list 23 or 24 and empties that list; other ids
// change nothing (*out null). Nothing in the program fills these lists, so
// the head is null. Returns 0; DBERR_NULL_ARG without out. The public form
// is SLM_TakeSpecialList (slmload.h).
DBERR INT_SLM_TakeSpecialList(SvcListId id, LL_Node** out);
