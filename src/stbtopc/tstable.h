// The transport-stream table: the in-memory TsInfo records, each a separate
// heap copy in the closed list g_TsInfoList, at most 1000. Services refer to
// an element by its reference id (refids.h); the table registers an id for
// every element it adds and releases it when the element goes.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"
#include "refids.h"

extern LL_Node* g_TsInfoList;

// The element count; adds and deletes keep it equal to the list's length.
void TBL_SetTsCount(uint32_t count);
uint32_t TBL_GetTsCount();
void TBL_IncTsCount();
void TBL_DecTsCount();

// Adds a copy of a record unless an equal one (INT_SLM_CompareTsInfo) is
// stored: *out is the stored element and the result 0 in both cases; *outRef
// (when given) its reference id. 1000 elements: DBERR_TS_TABLE_FULL; no
// memory: DBERR_NO_MEMORY_COPY. Null out: DBERR_NULL_ARG; null record:
// DBERR_NULL_OBJECT. On failure *out is null and the table unchanged.
DBERR TBL_AddTsInfo(const TsInfo* record, TsInfo** out, RefId* outRef = nullptr);

// Removes and frees the first element equal to the record (count - 1).
// 0 whether one was found or not, and for a null record.
DBERR TBL_DeleteTsInfo(const TsInfo* record);

// Removes and frees exactly this element; an address that is no element
// changes nothing.
void TBL_DeleteTsElement(const TsInfo* element);

// Position from 1 of the element at that address. Absent or null:
// *outPos = DB_INDEX_NONE and DBERR_TABLE_NOT_FOUND. Null out: DBERR_NULL_ARG.
DBERR TBL_GetTsPos(const TsInfo* element, uint16_t* outPos);

// The reference id of an element, REF_NONE for an address that is none
// (a linear search; TBL_AddTsInfo hands the id out directly).
RefId TBL_GetTsRef(const TsInfo* element);

// A transponder node: a DefaultTpRow and the next node, the form in which
// stored and merged transponder lists are handed out.
struct TpNode {
    DefaultTpRow row;
    TpNode* next;
};

// A new chain of nodes, one per element whose satellite index is sat, in list
// order: frequency (MHz), symbol rate, the TpInfo byte after the satellite
// index (as the u16), polarisation, FEC, modulation, pilot (0 unless the
// stored pilot is 0 or 1); other bytes 0. Result 0 with the count; none:
// DBERR_NO_TP and a null chain. When a node cannot be allocated the walk ends
// and the nodes made so far are returned with DBERR_TABLE_NOT_FOUND
// (DBERR_NO_TP when none). Null outs: DBERR_NULL_ARG. Free the chain with
// TBL_FreeTpNodes.
DBERR TBL_GetSavedTpsOfSat(uint32_t sat, TpNode** outFirst, uint32_t* outCount);

// Frees a chain of nodes (null: nothing).
void TBL_FreeTpNodes(TpNode* first);

// The list head (one pass round it visits every element).
LL_Node* TBL_GetTsInfoList();

// *outFlag 1 and 0 when the address is an element, else 0 and
// DBERR_NOT_FOUND. Null out: DBERR_NULL_ARG.
DBERR TBL_IsTsInfoInList(const TsInfo* element, uint32_t* outFlag);

// Fills array[0 .. count - 1] with the elements in list order; entries past
// the last element are null. Null array with a non-zero count: DBERR_NULL_ARG.
DBERR TBL_GetTsInfoArray(uint32_t count, TsInfo** array);

// Position from 0 of the first element whose 32-bit word after its TpInfo
// (record bytes 28-31) equals word; *outKind = KIND_TS. None:
// DBERR_TABLE_NOT_FOUND (position DB_INDEX_NONE). Null outs: DBERR_NULL_ARG.
DBERR TBL_FindTsByTrailingWord(uint32_t word, uint8_t* outKind, uint16_t* outPos);

// Free callback of the list: releases the element's reference id and frees
// it. Only for elements of g_TsInfoList.
void TBL_FreeTsInfo(void* data);

// Frees every element and releases their ids (count 0).
void TBL_FreeTsList();
