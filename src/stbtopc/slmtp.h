// Public operations on the transponder edit list: the rows (TpRow) of one
// satellite at a time, as the tree and the transponder dialog read and edit
// them, and the key by which services are looked up on a row.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "slmresult.h"

// The transponder key of an edit-list row on a satellite slot: frequency
// (MHz), the symbol rate's low 16 bits, modulation, polarisation, FEC,
// satellite index, the low byte of the row's u16 and pilot. Every other byte
// is zero, so keys built from equal rows are equal byte for byte.
TpInfo SLM_TpRowToKey(const TpRow& row, uint8_t satellite);

// Rebuilds the edit list for the satellite (useDefaults: the factory rows in
// place of the stored ones; the views pass 0). *count = rows in the list,
// *constant = 10. DBERR_NULL_ARG for a null out; DBERR_NO_MEMORY when the
// list could be built only in part (what was built is installed).
SLM_RESULT SLM_LoadSatTpList(uint8_t satellite, uint8_t useDefaults, uint16_t* count,
                             uint16_t* constant);

// Copies row n (from 0). An n at or past the row count gives the first row
// again. DBERR_NULL_ARG without out; DBERR_BAD_LIST for an empty list.
SLM_RESULT SLM_GetNthTp(uint32_t n, TpRow* out);

// Appends the row (state 1). A row that is the same transponder as one in
// the list (within the tolerance of the transponder equality): that row's
// first 20 bytes are copied over the caller's, DBERR_EXISTS. DBERR_NULL_ARG
// without count, DBERR_NULL_OBJECT without row, DBERR_ZERO_COUNT for a count
// of 0, DBERR_NO_MEMORY. The count is not changed.
SLM_RESULT SLM_AddTp(TpRow* row, const uint16_t* count);

// Replaces row n with the new row's first 20 bytes (state 1); the old row is
// kept for the commit to delete. DBERR_NULL_ARG without the pointer,
// DBERR_NULL_OBJECT without row, DBERR_BAD_LIST when there is no row n,
// DBERR_EXISTS when a row exactly equal to the new one is in the list,
// DBERR_NO_MEMORY. Nothing changes on failure.
SLM_RESULT SLM_UpdateTp(uint32_t n, const TpRow* row, const uint16_t* count);

// Removes the row exactly equal to the given one (the commit deletes its
// stored transponder; its services stay). DBERR_NULL_ARG without count,
// DBERR_NULL_OBJECT without row, DBERR_BAD_LIST when there is none. The
// count is not changed.
SLM_RESULT SLM_DeleteTpRow(const TpRow* row, const uint16_t* count);

// Position of the first row that is the same transponder as the given one,
// DB_INDEX_NONE when there is none (0 in both cases). DBERR_NULL_ARG without
// out, DBERR_NULL_OBJECT without row.
SLM_RESULT SLM_GetTpIndex(const TpRow* row, uint16_t* index);

// Writes the edit list into the stored transponders of the satellite (the
// removed rows deleted, every row added without duplicates). The transport
// streams of a row that an update replaced move with it: they take the new
// row's tuning fields, so its services stay under the edited transponder. The first
// refusal of the transponder table is returned; DBERR_EDIT_SESSION when the
// edit list is not the satellite's.
SLM_RESULT SLM_CommitTpList(uint8_t satellite);

// Frees the edit list and the removed rows; 0.
SLM_RESULT SLM_FreeTpList();

// The row count a load of the satellite would give, without touching the
// edit list. DBERR_NULL_ARG without out.
SLM_RESULT SLM_GetTpCounts(uint8_t satellite, uint16_t* count);
