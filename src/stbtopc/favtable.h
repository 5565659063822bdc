// The favourite table: 16 FavInfo groups, group g being list id 7 + g. It is
// what the favourite lists are loaded from and stored into.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"

extern FavInfo g_FavTable[FAV_CAPACITY];

// Sets all 16 groups to zero.
void TBL_ClearFavTable();

// Stores a whole group record as it is. Group above 15: DBERR_TABLE_INDEX;
// null record: DBERR_NULL_ARG.
DBERR TBL_SetFavInfo(uint32_t group, const FavInfo* record);

// Sets the group's 20-byte name field: zeroed, then the name's bytes up to
// its terminator, at most 20, copied without the terminator. Group above 15:
// DBERR_TABLE_INDEX; null name: DBERR_NULL_ARG.
DBERR TBL_SetFavName(uint32_t group, const uint8_t* name);

// The group's name (DVB text as stored), always zero-terminated: a name that
// fills its field is handed out from a terminated copy valid until the next
// call for that group. Null out: DBERR_NULL_ARG; group 16 or more, or a group
// whose count exceeds 200: *out null and DBERR_TABLE_INDEX.
DBERR TBL_GetFavName(uint32_t group, const uint8_t** out);

// The group's entry count and the address of its 200 entries. The count
// reported is never above 200, so no caller reads past the entries. Null
// outs: DBERR_NULL_ARG; group above 15: DBERR_TABLE_INDEX.
DBERR TBL_GetFavEntries(uint32_t group, uint16_t* count, const uint16_t** entries);

// Replaces the group's entries: count clamped to 200, all 200 entries zeroed,
// the first count copied, the count field set. Group above 15:
// DBERR_TABLE_INDEX; null entries with a non-zero count: DBERR_NULL_ARG.
DBERR TBL_SetFavEntries(uint32_t group, uint32_t count, const uint16_t* entries);

// The number of favourite records the index holds (0 when it cannot be
// read). Changes nothing: the load stores each group with TBL_SetFavInfo.
uint32_t TBL_LoadFavTable();
