// The provider table: the in-memory PrvInfo records, each a separate heap
// copy in the closed list g_PrvInfoList, at most 500, unique by name without
// regard to case. Services refer to an element by its reference id; the
// table registers an id for every element it adds and releases it when the
// element goes. Provider list id 200 + i selects the element at position i.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"
#include "refids.h"

// Provider names (at most 20 bytes each, terminated or not), compared as
// upper-cased strings; 0 when equal. The table's find comparator, and the
// provider lists' filter compares with it too.
int INT_SLM_ComparePrvName(const void* a, const void* b);

extern LL_Node* g_PrvInfoList;

// The element count; adds and deletes keep it equal to the list's length.
void TBL_SetPrvCount(uint32_t count);
uint32_t TBL_GetPrvCount();
void TBL_IncPrvCount();
void TBL_DecPrvCount();

// A buffer that holds any provider name with its terminator.
constexpr size_t PRV_NAME_BUFFER = PRV_NAME_LEN + 1;

// Whether a provider of that name is stored, ignoring case: 0 when one is,
// DBERR_TABLE_NOT_FOUND when none. A name of 20 bytes or more (only the first
// 20 are looked at): DBERR_NAME_TOO_LONG. Null name: DBERR_NULL_ARG.
DBERR TBL_FindPrvByName(const char* name);

// As TBL_FindPrvByName, and hands out the stored element (*out, with its
// reference id in *outRef when given); *out is null unless the result is 0.
DBERR TBL_FindPrvInfoByName(const char* name, PrvInfo** out, RefId* outRef = nullptr);

// Adds a copy of a record unless TBL_FindPrvByName finds its name: then
// nothing is added, *out is null and the result 0 (TBL_FindPrvInfoByName
// gives the stored element). A name too long to be compared is added. 500
// elements: DBERR_TABLE_INDEX; no memory: DBERR_NO_MEMORY_COPY. Null out:
// DBERR_NULL_ARG; null record: DBERR_NULL_OBJECT.
DBERR TBL_AddPrvInfo(const PrvInfo* record, PrvInfo** out, RefId* outRef = nullptr);

// Removes and frees the first element whose name equals the record's
// ignoring case (count - 1); 0 in every case.
DBERR TBL_DeletePrvInfo(const PrvInfo* record);

// Removes and frees exactly this element; an address that is no element
// changes nothing.
void TBL_DeletePrvElement(const PrvInfo* element);

// Copies the name of the index-th element (from 0) into out, which must hold
// PRV_NAME_BUFFER bytes; out is emptied first and always terminated. No
// such element: DB_INDEX_NONE (the "-1"). Null out: DBERR_NULL_ARG.
uint16_t TBL_GetPrvName(uint32_t index, char* out);

// Position from 1 of the element at that address. Absent or null:
// *outPos = DB_INDEX_NONE and DBERR_TABLE_NOT_FOUND. Null out: DBERR_NULL_ARG.
DBERR TBL_GetPrvPos(const PrvInfo* element, uint16_t* outPos);

// The reference id of an element, REF_NONE for an address that is none.
RefId TBL_GetPrvRef(const PrvInfo* element);

// The list head.
LL_Node* TBL_GetPrvInfoList();

// Free callback of the list: releases the element's reference id and frees
// it. Only for elements of g_PrvInfoList.
void TBL_FreePrvInfo(void* data);

// Frees every element and releases their ids (count 0).
void TBL_FreePrvList();
