// The service table: the in-memory SvcInfo records, each a separate heap copy
// in the closed list g_SvcInfoList, at most 6000, in the order the commit
// writes them. In memory a record's tsRef and prvRef hold reference ids of
// its TsInfo and PrvInfo elements (0 none); a reference that does not resolve
// is none.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"

extern LL_Node* g_SvcInfoList;

// The element count; adds and deletes keep it equal to the list's length.
void TBL_SetSvcCount(uint32_t count);
uint32_t TBL_GetSvcCount();
void TBL_IncSvcCount();
void TBL_DecSvcCount();

// Appends a copy of a record and hands it out (*out null first). 6000
// elements: DBERR_TS_TABLE_FULL; no memory: DBERR_NO_MEMORY_COPY. Null out:
// DBERR_NULL_ARG; null record: DBERR_NULL_OBJECT.
DBERR TBL_AddSvcInfo(const SvcInfo* record, SvcInfo** out);

// Removes and frees the element at that address (count - 1); then its TsInfo
// and its PrvInfo are removed when no remaining service refers to them. An
// address that is no element changes nothing. 0 in every case.
DBERR TBL_DeleteSvcInfo(const SvcInfo* element);

// Overwrites the element in place with the 64 bytes of record and hands it
// out. An address that is no element: *out null and DBERR_TABLE_INDEX. Null
// out: DBERR_NULL_ARG; null record: DBERR_NULL_OBJECT.
DBERR TBL_ReplaceSvcInfo(SvcInfo* element, const SvcInfo* record, SvcInfo** out);

// Moves the element to a position (from 0) of the list; a position past the
// end means the last. An address that is no element: nothing. 0.
DBERR TBL_MoveSvcInfo(const SvcInfo* element, uint32_t position);

// Position from 0 of the first record whose TS (provider) reference is that
// element, *outKind = KIND_TS. None or a null element: DBERR_TABLE_NOT_FOUND
// and DB_INDEX_NONE. Null outs: DBERR_NULL_ARG.
DBERR TBL_FindSvcUsingTs(const TsInfo* ts, uint8_t* outKind, uint16_t* outPos);
DBERR TBL_FindSvcUsingPrv(const PrvInfo* prv, uint8_t* outKind, uint16_t* outPos);

// For a record read from flash: turns the flash address in tsRef into the
// reference id of the TsInfo element whose 36 bytes equal those at that
// address, or 0 when none does or the address cannot be read. 0 (null
// record: DBERR_NULL_OBJECT).
DBERR TBL_LinkSvcToTs(SvcInfo* record);

// The same for prvRef, the 20 bytes and the provider table. A provider
// address of 0 means no provider and is not looked up.
DBERR TBL_LinkSvcToPrv(SvcInfo* record);

// The address of the record's name field. Null arguments: DBERR_NULL_ARG.
DBERR TBL_GetSvcNamePtr(SvcInfo* record, uint8_t** out);

// The list head.
LL_Node* TBL_GetSvcInfoList();

// Free callback of the list: frees one SvcInfo element.
void TBL_FreeSvcInfo(void* data);

// Frees every element (count 0).
void TBL_FreeSvcList();
