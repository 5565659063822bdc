// Public operations on the favourite groups (lists 7-22) and the two
// further lists 23 and 24. Each forwards, under the list manager's lock, to
// its twin in favourites.h and answers with that twin's result; the twins
// say what each does and what it gives on failure.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dbrecords.h"
#include "listids.h"
#include "slmhandle.h"
#include "slmresult.h"

// Size of the buffer SLM_GetListName fills: a group name and its terminator.
constexpr size_t FAV_LIST_NAME_SIZE = FAV_NAME_LEN + 1;

// Ids 23 and 24: the list SLM_TakeSpecialList hands out becomes the head
// (the old nodes are freed). Other ids: DBERR_BAD_LIST.
SLM_RESULT SLM_LoadSpecialList(SvcListId id);

SLM_RESULT SLM_LoadFavGroup(SvcListId id);
SLM_RESULT SLM_StoreFavGroup(SvcListId id);
SLM_RESULT SLM_ClearFavList(SvcListId id);
SLM_RESULT SLM_ClearAllFavGroups();
SLM_RESULT SLM_SetListName(SvcListId id, const uint8_t* name);
SLM_RESULT SLM_GetListName(SvcListId id, uint8_t* out);

// Ids outside 7-22: DBERR_BAD_LIST; a handle not in list 0: DBERR_NOT_FOUND;
// then INT_SLM_AddServiceToList.
SLM_RESULT SLM_AddServiceToList(SvcHandle handle, SvcListId id, SvcHandle* out);
