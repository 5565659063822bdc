// The transponder table: the stored TpInfo records, each a separate heap copy
// in the closed list g_TpInfoList, at most 800. Frequencies are kept in MHz;
// every comparison works on kHz copies.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"

extern LL_Node* g_TpInfoList;

// The element count; adds and deletes keep it equal to the list's length.
void TBL_SetTpCount(uint32_t count);
uint32_t TBL_GetTpCount();
void TBL_IncTpCount();
void TBL_DecTpCount();

// Adds a copy of a record unless a transponder that is the same within the
// tolerance of the transponder equality is stored (INT_SLM_CompareTpInfo):
// *out is the stored element and the result 0 in both cases. 800 elements:
// DBERR_TABLE_INDEX; no memory: DBERR_NO_MEMORY_COPY. Null out:
// DBERR_NULL_ARG; null record: DBERR_NULL_OBJECT. On failure *out is null
// and the table unchanged.
DBERR TBL_AddTpInfo(const TpInfo* record, TpInfo** out);

// Removes and frees the first element that is the same transponder as the
// one described (frequency in MHz; symbol rate and the u16 cut to the widths
// of TpInfo), count - 1, and returns 0. None: DBERR_TABLE_NOT_FOUND.
DBERR TBL_DeleteTpInfo(uint32_t sat, uint32_t frequencyMhz, uint32_t symbolRate, uint16_t rowField,
                       uint8_t polarisation, uint8_t fec, uint8_t modulation, uint8_t pilot);

// A copy of the n-th element (from 0). None: *out zero-filled and
// DBERR_TABLE_NOT_FOUND. Null out: DBERR_NULL_ARG.
DBERR TBL_GetNthTpInfo(uint32_t n, TpInfo* out);

// The list head.
LL_Node* TBL_GetTpInfoList();

// Free callback of the list: frees one TpInfo element.
void TBL_FreeTpInfo(void* data);

// Frees every element (count 0).
void TBL_FreeTpList();
