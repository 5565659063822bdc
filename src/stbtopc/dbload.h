// Loading the database: every record that the index tables list is read
// from the flash image into the in-memory tables, each service gets a handle,
// the handles are filed into four number lists (locked and unlocked TV and
// radio), the unlocked ones are numbered, the four lists are merged into the
// master list and the name-ordered list is built.
//
// A load always starts from empty tables and lists, so loading an image
// twice gives the same database, not a doubled one. Services are linked to
// their transport stream and provider through the flash address of the
// record they name: the address maps to the element the table kept for that
// record, also when the table kept an earlier equal record instead.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "linkedlist.h"
#include "listids.h"
#include "slmload.h"
#include "svchandle.h"

// Loads everything (the index bank must already be loaded). Returns 0, or
// DBERR_NO_MEMORY when memory ran out at any step; then nothing stays
// loaded (the tables are freed), so half a database is never edited and
// saved in place of the whole one. *outCount (when given) gets the number of services in the
// master list. Records that cannot be read, services whose transport stream
// is not loaded, and records the tables refuse are left out; the load goes on.
DBERR INT_SLM_LoadDatabase(uint16_t* outCount);

// Files one loaded handle by its number, type and number lock (SVH_NUM_LOCKED):
// - no number (0x3FFF): radio to unlocked radio, every other type to
//   unlocked TV, appended;
// - a locked number: TV to locked TV, radio to locked radio, in number and
//   type order; a service of that number and type already there wins;
// - an unlocked number: TV to unlocked TV, radio to unlocked radio, in
//   number and type order.
// A handle that is not filed (a locked duplicate, a numbered service of
// another type, no memory for the node) is freed and *handle set to
// SVC_HANDLE_NONE: no list could reach it. Each list is closed after an
// insertion. Returns 0; DBERR_NULL_ARG for a missing list or handle
// argument; DBERR_NOT_FOUND for a handle that does not resolve (then
// nothing changes); DBERR_NO_MEMORY when the node could not be had.
DBERR INT_SLM_FileLoadedService(LL_Node** lockedTv, LL_Node** lockedRadio, LL_Node** unlockedTv,
                                LL_Node** unlockedRadio, SvcHandle* handle);
