// The transponder edit list: the rows (TpRow) of one satellite while its
// transponders are edited. Loading builds it from the satellite's stored
// transponders or its factory defaults, merged with what its transport
// streams carry; edits change the rows and keep every removed or replaced
// row in a second list; the commit deletes the removed transponders from the
// stored TpInfo records and stores every row of the edit list. Rows are heap
// copies owned by the lists (heap copies, freed with the lists).
//
// Row order: rows built by a load stand in the exact row order
// (INT_SLM_CompareTpRowExact); rows added later go at the end. "Similar"
// rows are the same transponder within the tolerance of the transponder
// equality (INT_SLM_CompareTpRow).
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"

extern LL_Node* g_TpEditList;
extern LL_Node* g_RemovedTpList;

// The second out of a load: always 10.
constexpr uint16_t TP_EDIT_LOAD_CONSTANT = 10;

// ---- Building the lists ------------------------------------------------
// The satellite's default rows (SN_GetDefaultSatInfo) as a new list of rows
// in exact order: offsets 0-13 copied, offset 16 zero, state 0. No default
// table: DBERR_BAD_LIST, *count 0, *list null. A row that cannot be
// allocated: DBERR_NO_MEMORY, the rows made so far stay in the list. Null
// outs: DBERR_NULL_ARG.
DBERR INT_SLM_GetDefaultTps(uint8_t satellite, uint16_t* count, LL_Node** list);

// The stored TpInfo records of the satellite as a new list of rows in exact
// order (state 1); *count the list's length. No memory: DBERR_NO_MEMORY with
// the rows made so far. Null outs: DBERR_NULL_ARG.
DBERR INT_SLM_GetUserTps(uint8_t satellite, uint16_t* count, LL_Node** list);

// Merges the satellite's transponders from SN_GetTpAll into both lists: an
// entry replaces a similar default row (unless an exactly equal one is
// there) or joins the defaults (*defaultCount and *added grow); it replaces
// a similar stored row that has no exactly equal one. Replacements and
// insertions keep the exact order. No memory: DBERR_NO_MEMORY, the lists
// keep what they had. Null arguments: DBERR_NULL_ARG.
DBERR INT_SLM_MergeSavedSearchedTps(uint8_t satellite, LL_Node** defaults, uint16_t* defaultCount,
                                    LL_Node** stored, uint16_t* storedCount, uint16_t* added);

// ---- The edit list ---------------------------------------------------
// Rebuilds g_TpEditList for the satellite, which then owns the edit list;
// the removed rows of any earlier edit are dropped first. Stored rows equal
// to a default row get state 0. With no stored transponders, or with
// useDefaults set, the edit list holds the defaults and every stored row
// that is no default goes to g_RemovedTpList (so the commit deletes it);
// otherwise it holds the stored rows. *count = rows in the edit list,
// *constant = 10. No memory: DBERR_NO_MEMORY, what was built is installed.
// Null outs: DBERR_NULL_ARG, nothing changed.
DBERR INT_SLM_LoadSatTpList(uint8_t satellite, uint8_t useDefaults, uint16_t* count,
                            uint16_t* constant);

// The row count a load of the satellite (useDefaults 0) would give: the
// stored count when it has stored transponders, else the default count.
// Leaves the edit list and the removed list as they are. Null out:
// DBERR_NULL_ARG.
DBERR INT_SLM_GetTpCounts(uint8_t satellite, uint16_t* count);

// Copies row n (from 0) into row. As in every walk of the list library, an n
// at or past the row count gives the first row. Empty list: DBERR_BAD_LIST;
// null row: DBERR_NULL_ARG.
DBERR INT_SLM_GetNthTp(uint32_t n, TpRow* row);

// Number of rows. Null out: DBERR_NULL_ARG.
DBERR INT_SLM_GetNumTps(uint16_t* count);

// Appends a copy of the row's first 20 bytes with state 1. A similar row in
// the list: its first 20 bytes are copied over the caller's row (the state
// stays) and DBERR_EXISTS. Null row or count pointer: DBERR_NULL_OBJECT; a
// count of 0: DBERR_ZERO_COUNT; no memory: DBERR_NO_MEMORY. The count is not
// changed.
DBERR INT_SLM_AddTp(TpRow* row, const uint16_t* count);

// Moves the row exactly equal to the given one to the end of the removed
// list (the row delete; it deletes no services). None: DBERR_BAD_LIST. Null
// row or count pointer: DBERR_NULL_OBJECT. The count is not changed.
DBERR INT_SLM_DeleteTp(const TpRow* row, const uint16_t* count);

// Replaces row n (from 0; n must be below the row count) with the row's
// first 20 bytes and state 1; a copy of the old row goes to the removed
// list. No row n: DBERR_BAD_LIST; a row exactly equal to the new one in the
// list: DBERR_EXISTS; no memory: DBERR_NO_MEMORY. Null row or pointer:
// DBERR_NULL_OBJECT. Nothing changes on failure.
DBERR INT_SLM_UpdateTp(uint32_t n, const TpRow* row, const uint16_t* count);

// Position of the first row similar to the given one, DB_INDEX_NONE when
// none (result 0 in both cases). Null row or out: DBERR_NULL_OBJECT.
DBERR INT_SLM_GetTpIndex(const TpRow* row, uint32_t unused, uint16_t* index);

// Writes the edit list back into the stored transponders of the satellite.
// First the services follow their transponder: each transport stream of the
// satellite that matched a row an update replaced (transponder equality, and
// not exactly a row still in the list) takes the tuning fields of the row
// that replaced it, unless that row was deleted since. Then each removed row
// deletes the stored TpInfo that matches it, then every row
// of the edit list is added (duplicates suppressed), and the removed list is
// freed; the edit list stays. Every row is processed even when the table
// refuses one; the first refusal is returned (DBERR_TABLE_INDEX when the
// table is full, DBERR_NO_MEMORY_COPY). A satellite the edit list does not
// belong to: DBERR_EDIT_SESSION and nothing changes.
DBERR INT_SLM_CommitTpList(uint8_t satellite);

// Frees the edit list and the removed list with their rows; the edit list
// then belongs to no satellite. TBL_FreeAll does the same.
void INT_SLM_FreeTpList();

// The satellite the edit list belongs to: true and *satellite after a load,
// false after INT_SLM_FreeTpList and at start-up.
bool INT_SLM_GetTpEditSatellite(uint8_t* satellite);
