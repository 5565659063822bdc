// The callbacks the service list manager hands to the list library: find
// comparators (0 for a match), order comparators (negative, 0, positive;
// only the sign counts), filters (non-zero to pass) and free callbacks.
//
// Lists of services hold handles: a node's data is the SvcHandle id itself,
// carried in the pointer, never an object address, so a stale node resolves
// to nothing instead of to freed memory. Comparators whose key is a 32-bit
// word (number << 16 | type ...) get it the same way (INT_SLM_WordData). A
// handle that does not resolve, a null service, and a TS or provider
// reference that does not resolve never match and never pass.
//
// Filter keys: number << 16 | type << 8 | index for the indexed lists
// (satellite slot, provider index, CA bit number; 0 for the data list),
// number << 16 | type for the plain ones; number 0x3FFF and type 6 mean any.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "reccompare.h"
#include "svchandle.h"

// The filter key of an indexed list: number << 16 | type << 8 | index.
constexpr uint32_t INT_SLM_MakeListKey(uint32_t number, uint32_t type, uint32_t index) {
    return (number << 16) | ((type & 0xFFu) << 8) | (index & 0xFFu);
}

// Provider names compare with INT_SLM_ComparePrvName (prvtable.h).

// ---- Handles -----------------------------------------------------------
// Handle data against a TpInfo key (MHz): 0 when the service's TS lies on that
// transponder of that satellite. The key is not changed.
int INT_SLM_ServiceHasTp(const void* handleData, const void* tpKey);

// Name order: each name without its character-table prefix, upper-cased,
// control codes 0x80-0x9F removed, compared as strings; equal names by
// service number, then service type.
int INT_SLM_CompareSvcName(const void* a, const void* b);

// 0 when both are the same handle value.
int INT_SLM_IsSameHandle(const void* a, const void* b);

// Order by service number; by number, then type.
int INT_SLM_CompareSvcNumber(const void* a, const void* b);
int INT_SLM_CompareSvcNumberAndType(const void* a, const void* b);

// Byte order of two 24-byte name keys.
int INT_SLM_CompareNameKeyBytes(const void* a, const void* b);

// Handle data against the word key number << 16 | type: 0 when the number is
// 0x3FFF or the handle's and the type 6 or the handle's.
int INT_SLM_MatchNumType(const void* handleData, const void* wordKey);

// Handle data against the word key number << 16 | type << 8 | slot: 0 when
// the number is the handle's, the type 6 or the handle's, and the service's
// TS lies on that satellite slot.
int INT_SLM_MatchNumTypeSat(const void* handleData, const void* wordKey);

// ---- Filters -------------------------------------------------------------
// The key's low byte is 6 or the handle's type.
int INT_SLM_FilterByType(const void* handleData, uint32_t key);
// Listed, the key's low byte 6 or the handle's type, SVH_HIDDEN clear.
int INT_SLM_FilterListedByType(const void* handleData, uint32_t key);
// As INT_SLM_FilterListedByType, and the key's number equals the handle's.
int INT_SLM_FilterListedByNumType(const void* handleData, uint32_t key);
// Lists 30-99: the key type (bits 8-15) 6 or the handle's, and the TS on
// the key's satellite slot.
int INT_SLM_FilterBySat(const void* handleData, uint32_t key);
// Lists 200-255: listed; the provider at the key index has a non-empty
// name; the service's provider has that name ignoring case; the key type 6
// or the handle's. A service without a provider never passes.
int INT_SLM_FilterByPrv(const void* handleData, uint32_t key);
// List 4: listed, the record's service class is 4, the key type 6 or the
// handle's.
int INT_SLM_FilterData(const void* handleData, uint32_t key);
// Lists 110-120 in counts and finds, k = key index: 10 (list 120) passes a
// service whose first CA id is 0; 8 (list 118) one with any non-zero CA id;
// other k up to 9 one with a CA id of bit 1 << k. Listed and the key type 6
// or the handle's in every case; k above 10 passes nothing.
int INT_SLM_FilterByCas(const void* handleData, uint32_t key);

// ---- Free callbacks ----------------------------------------------------
// Frees one TpRow of a transponder edit list (allocated with new).
void INT_SLM_FreeTpRow(void* data);
