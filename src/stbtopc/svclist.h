// The service lists of the list manager: the master list in number order,
// the list in name order and the TV and radio parts, the current access
// method, the list-state word, and the choice of the head for a list id and
// access method. Every other list (data, satellite, CA, provider) is a view
// of the master or name list through a filter.
//
// Service lists carry handle ids in their node data (never object
// addresses), so a node whose handle was freed resolves to nothing.
#pragma once
#include <cstdint>

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
