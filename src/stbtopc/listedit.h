// The list-edit session: a transaction over the service lists. While it is
// open, deletions, moves and renames work on copies of the master list, the
// name list and the favourite groups (the edit methods ACCESS_EDIT,
// ACCESS_EDIT_MASTER and ACCESS_EDIT_NAME hand the copies out, so counts,
// walks and finds see the edited lists); closing it either commits the
// copies (records whose names changed are rewritten, the master list is
// renumbered, the favourite groups are stored) or discards them.
//
// The session keeps its own state below. The copies it works on, and
// whether they are open (g_ListEditOpen), are kept with every other list
// head by the service lists (svclist.h); the favourite groups' names and
// built state by favourites.h.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"
#include "listids.h"
#include "slmlistedit.h"
#include "slmresult.h"
#include "svchandle.h"
#include "svclist.h"

struct ListEditState {
    SvcAccessMethod savedMethod; // access method when the edit opened
    uint8_t mode;                // edit mode, see LISTEDIT_MODE_
    SvcHandle savedService;      // current service when the edit opened
    LL_Node* pendingDeletions;   // deleted during the edit; freed by the commit
};

extern ListEditState g_ListEditState;

// The option word (1 at start); nothing in the library reads it.
void INT_SLM_SetListOption(uint32_t option);
uint32_t INT_SLM_GetListOption();

// Opens an edit. An edit already open: DBERR_EDIT_SESSION and nothing
// changes. The copies and the method the edit switches to:
//
//   method in force   mode                  method   copies
//   ACCESS_TV         any                   kept     none: edits act on the live lists
//   other             LISTEDIT_MODE_MASTER  ACCESS_EDIT
//                                                    list 0 under the method in force
//   ACCESS_NAME       LISTEDIT_MODE_FULL    ACCESS_EDIT_NAME
//                                                    master list, name list, lists 7-22
//   other             LISTEDIT_MODE_FULL    ACCESS_EDIT_MASTER
//                                                    master list, name list, lists 7-22
//   any               any other mode        kept     none
//
// No memory for a copy: DBERR_NO_MEMORY, and no edit is open.
DBERR INT_SLM_BeginListEdit(uint8_t mode);

// Commits the open edit: deletions done, the master copy installed, renamed
// records rewritten and the name list re-sorted, the master list renumbered,
// the favourite copies installed and stored, then (when something was
// deleted or renamed and saveOrder is set) the service order saved with the
// image commit. No edit open: DBERR_EDIT_SESSION; under ACCESS_TV:
// LISTEDIT_SPLIT_NOTHING_DONE. A record that cannot be rewritten keeps its
// pending name; the commit still completes and returns that error (the first
// one met), as it does for no memory while re-sorting names.
SLM_RESULT INT_SLM_CommitListEdit(uint32_t saveOrder);

// Drops the edit's copies: pending deletions stay in the live lists, names
// and SVH_REWRITE changes of the master list's handles are undone, group names
// are read again from the table (LISTEDIT_MODE_FULL), the master list is
// renumbered (LISTEDIT_MODE_MASTER). No edit open: DBERR_EDIT_SESSION; under
// ACCESS_TV: LISTEDIT_SPLIT_NOTHING_DONE.
SLM_RESULT INT_SLM_DiscardListEdit();

// Commits (commit non-zero) or discards, restores the access method of the
// begin and closes the edit. No edit open: DBERR_EDIT_SESSION and nothing
// changes. Returns 0, or the commit's error when a record could not be
// rewritten or memory ran out; the edit is closed in every case.
SLM_RESULT INT_SLM_EndListEdit(uint32_t commit, uint32_t saveOrder);

// Frees the copies and the pending-deletions list and closes an open edit
// without committing (the access method of the begin comes back). Pending
// handles still in the live master list stay there (that list owns them);
// the others are freed.
void INT_SLM_FreeListEdit();

// Deletes a service from the list id under the current method:
//
//   ACCESS_MASTER, ACCESS_NAME  the handle must be in the master list
//                               (DBERR_NOT_FOUND); a null service is unlinked
//                               and freed at once, any other waits in the
//                               pending deletions until a commit
//   ACCESS_TV                   from the TV part into the pending deletions
//   ACCESS_EDIT, _EDIT_MASTER,  unlinked from the id's list (DBERR_NOT_FOUND
//   _EDIT_NAME                  when absent) and, under _EDIT_MASTER or
//                               _EDIT_NAME, from the same id's list of the
//                               other; for LIST_ALL, DB_IsSatList and
//                               DB_IsCaList ids it also goes into the pending
//                               deletions and leaves every favourite copy;
//                               renumber non-zero renumbers the list
//   other                       DBERR_BAD_LIST
DBERR INT_SLM_DeleteServiceFromLists(SvcHandle handle, SvcListId id, uint32_t renumber);

// Moves a service delta places in the list id, counting only listed services
// of its type that are not hidden (radio services, placeholders and hidden
// services are stepped over). Nothing when the numbering is not clean
// (result 0). ACCESS_MASTER and ACCESS_NAME: the master list, renumbered.
// ACCESS_TV: the TV node and the radio node at the same index move together,
// every node counting. The edit methods: the edit's list, renumbered only at
// the commit. Not found or another method: DBERR_NOT_FOUND.
DBERR INT_SLM_MoveServiceRenumber(SvcHandle handle, SvcListId id, int32_t delta);

// Gives the handle a new name until the commit: an owned copy of the name
// without its character-table prefix, SVH_OWNS_NAME set. At most the
// SVC_NAME_LEN bytes of a record's name field are read from name (a name
// need not be terminated within them). The record is not
// touched. Null name: DBERR_NULL_OBJECT; handle not in the list:
// DBERR_NOT_FOUND; no memory: DBERR_NO_MEMORY (the old name stays).
DBERR INT_SLM_RenameService(LL_Node* list, SvcHandle handle, const uint8_t* name);
