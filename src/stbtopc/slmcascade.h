// Operations that combine others: deleting a satellite, a transponder or the
// first service of a transponder together with what hangs on them, and
// saving the service order with a commit of the whole database.
//
// The transponder cascades work on the satellite's transponder edit list:
// the one the caller loaded for it with SLM_LoadSatTpList, or, when the list
// loaded last is another satellite's (or none is), a new load of the
// satellite's list, whose rows stand in the order the tree shows them.
#pragma once
#include <cstdint>

#include "slmresult.h"

// Deletes every row of the satellite's edit list with every service on it,
// and every other service whose transport stream lies on the satellite
// (stored transport streams that no row lists included), then the satellite's
// transport streams that no service uses any more; commits the edit list
// (its stored transponders are deleted) and stores an all-zero SatInfo in the
// slot. count is the row count of the caller's load; every row is deleted
// whatever it says. DBERR_NULL_ARG without count; DBERR_NO_MEMORY when the
// satellite's list could not be loaded whole (nothing is deleted); otherwise
// the commit's result (0).
SLM_RESULT SLM_DeleteSatellite(uint8_t satellite, const uint16_t* count);

// Deletes every service on the transponder of row `row` of the edit list,
// deletes the row and commits the edit list. The row is 16 bits wide, as the
// tree's transponder index is: a satellite may list more than 256 rows. DBERR_BAD_LIST and nothing
// deleted when the row is at or past the row count (an empty list
// included); DBERR_NO_MEMORY when the satellite's list could not be loaded
// whole; otherwise the commit's result (0).
SLM_RESULT SLM_DeleteTp(uint8_t satellite, uint16_t row);

// Deletes the first service found on the transponder of row `row`.
// DBERR_BAD_LIST and nothing deleted for a row at or past the row count;
// DBERR_NO_MEMORY when the satellite's list could not be loaded whole;
// DBERR_NOT_FOUND when the transponder has no service; 0.
SLM_RESULT SLM_DeleteServiceOnTp(uint8_t satellite, uint16_t row);

// With flag set, first puts the service records into master-list order (a
// record already at its place is not moved; placeholders take no place), so
// that the commit writes them, and a later load numbers them, in that order.
// Then commits the whole database into the flash image and returns the
// commit's result.
SLM_RESULT SLM_SaveServiceOrder(uint32_t flag);
