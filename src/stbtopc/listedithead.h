// List heads held by the favourite groups and the list-edit session: the
// favourite lists 7-22, the two lists 23 and 24, and the copies a list edit
// works on (access methods 4-6). The favourite groups (favourites.cpp)
// define these functions; the service lists call them without knowing that
// module.
#pragma once
#include "dberr.h"
#include "linkedlist.h"
#include "listids.h"

// Head of list 7-24. *out starts null. DBERR_NULL_ARG without out,
// DBERR_BAD_LIST for other ids.
DBERR INT_SLM_GetFavListHead(SvcListId id, LL_Node** out);

// Stores the head of list 7-24; DBERR_BAD_LIST for other ids (and while no
// favourite lists are kept).
DBERR INT_SLM_SetFavListHead(SvcListId id, LL_Node* head);

// Head of the list-edit copy for (id, method 4-6). With no edit open: *out
// null and 0. DBERR_NULL_ARG without out.
DBERR INT_SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);

// Stores the head of the list-edit copy for (id, method 4-6); with no edit
// open nothing is stored and the result is 0.
DBERR INT_SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Methods 4-6 go to the edit heads, every other method to the favourite heads.
DBERR INT_SLM_GetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node** out);
DBERR INT_SLM_SetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node* head);
