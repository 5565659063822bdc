// Public operations of the list-edit session (listedit.h says what a
// session is): begin, end, free, and the edits the channel move dialog
// makes. Each takes the list manager's lock and forwards to its twin in
// listedit.h, whose result (and failure) it gives.
#pragma once
#include <cstdint>

#include "listids.h"
#include "slmhandle.h"
#include "slmresult.h"

// Edit modes: LISTEDIT_MODE_MASTER copies list 0 only (ACCESS_EDIT);
// LISTEDIT_MODE_FULL copies list 0, the name list and every favourite group
// (ACCESS_EDIT_MASTER, or ACCESS_EDIT_NAME from name order).
constexpr uint8_t LISTEDIT_MODE_MASTER = 0;
constexpr uint8_t LISTEDIT_MODE_FULL = 1;

// The "-1" of a commit or discard under the TV/radio split (ACCESS_TV), where
// the session works on the live lists and nothing is done at its end.
constexpr SLM_RESULT LISTEDIT_SPLIT_NOTHING_DONE = -1;

SLM_RESULT SLM_BeginListEdit(uint8_t mode);
SLM_RESULT SLM_EndListEdit(uint32_t commit, uint32_t saveOrder);
void SLM_FreeListEdit();

// INT_SLM_RenameService on list 0 of the current method.
SLM_RESULT SLM_RenameService(SvcHandle handle, const uint8_t* name);

// Ids 0, 30-99 and 110-120: the handle must be in that list, then
// INT_SLM_DeleteServiceFromLists. Ids 7-22: the handle must be in list 0,
// then it leaves the group. DBERR_NOT_FOUND when a check fails; other ids
// DBERR_BAD_LIST.
SLM_RESULT SLM_RemoveServiceFromList(SvcHandle handle, SvcListId id, uint32_t renumber);

// Ids 0, 30-99 and 110-120: the handle must be in that list, then
// INT_SLM_MoveServiceRenumber. Ids 7-22: the handle must be in that group,
// then it moves delta places there, every node counting. DBERR_NOT_FOUND
// when a check fails; other ids DBERR_BAD_LIST.
SLM_RESULT SLM_MoveServiceInList(SvcHandle handle, SvcListId id, int32_t delta);
