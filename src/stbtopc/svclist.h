// Every list head of the list manager, in one place: the master list in
// number order, the list in name order and the TV and radio parts; the
// favourite lists 7-22 and the lists 23 and 24; the copies a list edit
// works on (ACCESS_EDIT, ACCESS_EDIT_MASTER, ACCESS_EDIT_NAME) and whether
// they are open; the lists that
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

extern LL_Node* g_MasterSvcList;     // every filed service, number order (ACCESS_MASTER)
extern LL_Node* g_NameSortedSvcList; // the same services in name order (ACCESS_NAME)
extern LL_Node* g_TvSvcList;         // TV part of the master list (ACCESS_TV)
extern LL_Node* g_RadioSvcList;      // radio part of the master list (ACCESS_RADIO)
extern SvcAccessMethod g_AccessMethod;
extern uint32_t g_ListStateWord; // 0: the numbering is clean

// Lists 7-22 (the favourite groups) and the two further lists 23 and 24.
constexpr uint32_t SVCLIST_FAV_HEAD_COUNT = LIST_EXTRA_B - LIST_FAV_FIRST + 1;

// The copies a list edit works on, while g_ListEditOpen is 1: they hold the
// same handles as the lists they copy (the live lists own the handles).
struct EditCopies {
    LL_Node* masterCopy;              // copy of list 0 (ACCESS_EDIT, ACCESS_EDIT_MASTER)
    LL_Node* nameCopy;                // copy of the name list (ACCESS_EDIT_NAME)
    LL_Node* favCopies[FAV_CAPACITY]; // copies of lists 7-22 (ACCESS_EDIT_MASTER, _EDIT_NAME)
};
extern EditCopies g_EditCopies;
extern uint32_t g_ListEditOpen; // 1 while a list edit is open: the edit methods reach the copies

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
// never finds the node it left behind. Looked up again in the same list with
// no list changed in between, it answers from an index of the list's
// handles built once, so a walk over the whole list costs one pass, not one
// search per step.
LL_Node* SLM_FindHandleNode(LL_Node* list, SvcHandle handle);

// Stores the access method (any value); 0.
DBERR INT_SLM_SetAccessMethod(SvcAccessMethod method);
// DBERR_NULL_ARG without out.
DBERR INT_SLM_GetAccessMethod(SvcAccessMethod* out);

// The head for a list id under an access method. *out starts null;
// DBERR_NULL_ARG without out. The routing, by list id (DB_Is...List) and
// access method (ACCESS_):
//
//   list id                  method                        head (result)
//   LIST_ALL                 ACCESS_MASTER                 g_MasterSvcList
//                            ACCESS_NAME                   g_NameSortedSvcList
//                            ACCESS_TV / ACCESS_RADIO      g_TvSvcList / g_RadioSvcList
//                            ACCESS_EDIT .. _EDIT_NAME     INT_SLM_GetEditListHead
//                            other                         none (0)
//   DB_IsFavList             any                           INT_SLM_GetListHeadEx
//   LIST_DATA, DB_IsSatList, ACCESS_MASTER, _EDIT_MASTER   g_MasterSvcList
//   DB_IsCaList,             ACCESS_NAME, _EDIT_NAME       g_NameSortedSvcList
//   DB_IsPrvList             ACCESS_EDIT                   INT_SLM_GetEditListHead
//                            other                         none (DBERR_BAD_LIST)
//   LIST_EXTRA_A, _EXTRA_B   any                           the list's head (DBERR_BAD_LIST)
//   any other                any                           none (DBERR_BAD_LIST)
DBERR INT_SLM_GetListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);

// Replaces the head for a list id under an access method. The master list is
// entered at the ring's first TV service (at head when it has none). The
// routing:
//
//   list id                  method                        replaced (result)
//   LIST_ALL                 ACCESS_NAME, _EDIT_NAME       g_NameSortedSvcList
//                            ACCESS_TV / ACCESS_RADIO      g_TvSvcList / g_RadioSvcList
//                            ACCESS_EDIT                   INT_SLM_SetEditListHead
//                            ACCESS_MASTER, _EDIT_MASTER   g_MasterSvcList
//                            other                         nothing (0)
//   DB_IsFavList             any                           INT_SLM_SetListHeadEx
//   DB_IsSatList,            ACCESS_MASTER, ACCESS_NAME,   g_MasterSvcList
//   DB_IsCaList                _EDIT_MASTER, _EDIT_NAME
//                            ACCESS_EDIT                   INT_SLM_SetEditListHead
//                            other                         nothing (DBERR_BAD_LIST)
//   any other                any                           nothing (DBERR_BAD_LIST)
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
//   ACCESS_EDIT         LIST_ALL, DB_IsSatList, DB_IsCaList -> masterCopy; others none
//   ACCESS_EDIT_MASTER  DB_IsFavList -> that group's favCopies; others -> masterCopy
//   ACCESS_EDIT_NAME    DB_IsFavList -> that group's favCopies; others -> nameCopy
//   any other method    none (null)
LL_Node** INT_SLM_EditCopySlot(SvcListId id, SvcAccessMethod method);

// Head of the list-edit copy for (id, an edit method). With no edit open: *out
// null and 0. DBERR_NULL_ARG without out.
DBERR INT_SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);

// Stores the head of the list-edit copy for (id, an edit method); with no edit
// open nothing is stored and the result is 0.
DBERR INT_SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// The edit methods (ACCESS_EDIT .. ACCESS_EDIT_NAME) go to the edit heads,
// every other method to the favourite heads.
DBERR INT_SLM_GetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node** out);
DBERR INT_SLM_SetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Installs a list edit's copies (the old ones are freed first) and opens
// them: the edit methods reach them from now on. Cannot fail.
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
