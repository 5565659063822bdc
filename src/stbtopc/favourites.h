// Favourite groups: the lists 7-22 of service handles with their names,
// built from the favourite table at every load and stored back into it; the
// two further lists 23 and 24. Their heads are kept with every other list
// head by the service lists (svclist.h); this module keeps the group names
// and which groups were built.
//
// A group follows its services through moves and renumbering, since it
// holds handles; a deleted service leaves its groups when they are next
// stored. Storing a group writes each member as the number it will carry
// after the next load: the load numbers services in the order of the
// service table, radio services from 1 and all others from 1, so that is the
// order the numbers are taken from.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"
#include "svclist.h"
#include "listids.h"
#include "slmfavourites.h"
#include "slmresult.h"
#include "svchandle.h"

// The favourite entry of a service: (number & 0x1FFF) << 3 | type (3 bits).
constexpr uint16_t INT_SLM_MakeFavEntry(uint32_t number, uint32_t type) {
    return static_cast<uint16_t>(((number & 0x1FFFu) << 3) | (type & 0x7u));
}
constexpr uint32_t INT_SLM_FavEntryNumber(uint16_t entry) {
    return entry >> 3;
}
constexpr uint32_t INT_SLM_FavEntryType(uint16_t entry) {
    return entry & 0x7u;
}

// The state of the favourite groups; their lists are kept by the service
// lists (INT_SLM_FavListSlot).
struct FavGroupState {
    // Group names of lists 7-22: owned DVB text exactly as the favourite
    // table holds it (character-table prefix included), or null.
    uint8_t* names[FAV_CAPACITY];
    // Bit g set: list 7 + g holds the stored group (built by a load, or
    // cleared on purpose since). Only such groups are stored back without
    // being asked for one by one, so a group that was never built is never
    // overwritten by an empty list.
    uint16_t built;
};
extern FavGroupState g_FavGroupState;

// Builds list id (7-22) from its group in the favourite table: each entry's
// service is looked up by number and type in list 0 of the current method
// and appended; entries without a service, and a service met a second time,
// are left out. The list's old nodes and name are dropped first, and the
// table's name, when not empty, becomes the group name as stored. Returns 0,
// DBERR_TABLE_INDEX when the group's count exceeds 200 (its first 200
// entries are taken, the name is not), DBERR_NO_MEMORY when a node or the
// name could not be had: then the group is as it was (list, name and
// whether it counts as built). Other ids: nothing, 0.
DBERR INT_SLM_LoadFavGroup(SvcListId id);

// Builds every list 7-22 from the table. The database load calls it once the
// master list is in place. Returns the first error of INT_SLM_LoadFavGroup
// (every group is still tried); DBERR_NO_MEMORY leaves all sixteen groups as
// they were.
DBERR INT_SLM_LoadAllFavGroups();

// Stores list id's members into its group: one entry per live handle with a
// record of the service table, numbered as the next load will number it;
// nodes of freed handles are unlinked. The group name is left to the
// caller. Ids outside 7-22: DBERR_BAD_LIST; no memory: DBERR_NO_MEMORY and
// the table unchanged.
DBERR INT_SLM_StoreFavGroup(SvcListId id);

// Stores every group whose list was built (see FavGroupState::built),
// each with its name when it has one. The commit calls it before it writes
// the image, so the stored numbers match the service table written beside
// them. Returns the first error; every group is still tried.
DBERR INT_SLM_StoreBuiltFavGroups();

// Ids 7-22: frees the list's nodes and the group name; the list counts as
// built (deliberately empty). Ids 23 and 24: the nodes. Other ids:
// DBERR_BAD_LIST.
DBERR INT_SLM_ClearFavList(SvcListId id);

// Clears every group 7-22 and stores it empty, its stored name included.
DBERR INT_SLM_ClearAllFavGroups();

// Sets the name of group id (7-22): an owned copy of the DVB text as given,
// prefix included, cut to the 20 bytes the table keeps. Null name:
// DBERR_NULL_OBJECT; ids 0 and 110-120: DBERR_BAD_LIST; no memory:
// DBERR_NO_MEMORY and the old name kept; any other id: nothing, 0.
DBERR INT_SLM_SetListName(SvcListId id, const uint8_t* name);

// Copies the name of group id (7-22) into out (FAV_LIST_NAME_SIZE bytes),
// empty when it has none. out is emptied first. Null out: DBERR_NULL_ARG;
// ids 0 and 110-120: DBERR_BAD_LIST; other ids: empty, 0.
DBERR INT_SLM_GetListName(SvcListId id, uint8_t* out);

// Appends the service to group id (the group's head under the current
// method). *out (when given) gets the handle. Handle not in list 0 of the
// current method: DBERR_NOT_FOUND; already in the group:
// DBERR_ALREADY_IN_LIST.
DBERR INT_SLM_AddServiceToList(SvcHandle handle, SvcListId id, SvcHandle* out);

// Unlinks the service from group id (7-22) under the current method;
// DBERR_NOT_FOUND when it is not there, DBERR_BAD_LIST for other ids.
DBERR INT_SLM_RemoveServiceFromList(SvcHandle handle, SvcListId id);

// Moves the service delta places in group id (7-22) under the current
// method, every node counting; DBERR_NOT_FOUND when it is not there,
// DBERR_BAD_LIST for other ids.
DBERR INT_SLM_MoveServiceInFavList(SvcHandle handle, SvcListId id, int32_t delta);
