// Finds, counts and walks over a service list, and the two tests a walk uses:
// the CA specifier of a service and its membership of a list view.
//
// The list is the head for the list id under the access method in force
// (svclist.h). List ids select what belongs: 4 data services, 30-99 one
// satellite (index id - 30), 110-120 one CA family (bit 1 << (id - 110); in
// walks 118 is every scrambled service and 120 every free one), 200-255 one
// provider (index id - 200). Number 0x3FFF and type 6 mean any.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "linkedlist.h"
#include "listids.h"
#include "svchandle.h"

// The first service of list with that number and type. Satellite lists
// (30-99) also require the service's TS on satellite id - 30. *out starts at
// -1. DBERR_NULL_ARG without out; DBERR_NOT_FOUND when none matches.
DBERR INT_SLM_FindServiceByNumAndType(LL_Node* list, uint16_t number, uint8_t type, SvcListId id,
                                      SvcHandle* out);

// Whether handle is an element of list that passes the list id's filter
// (lists 4, 30-99, 110-120, 200-255; every element for other ids). *found
// starts at 0 and becomes 1 when it is. DBERR_NULL_ARG without out;
// DBERR_NOT_FOUND for 0, -1, a value that does not resolve, or a handle that
// is not there.
DBERR INT_SLM_FindServiceInList(LL_Node* list, SvcHandle handle, SvcListId id, uint32_t* found);

// Number of elements of list in the list id's view: for lists 4, 30-99,
// 110-120 and 200-255 those passing the id's filter with the type; for other
// ids the listed services with that type and number (any number for 0x3FFF)
// whose handle is not hidden. DBERR_NULL_ARG without out.
DBERR INT_SLM_CountServicesInList(LL_Node* list, SvcListId id, uint16_t number, uint8_t type,
                                  uint16_t* count);

// The CA bits of a service's three CA ids (INT_SLM_MapCasId) and whether it
// counts as scrambled for list 0 or CA list id: for 0, 118 and 120 when any
// CA id is set, for the other CA lists when one bit is 1 << (id - 110). The
// outs start at 0 and 0x8000 and keep those values on failure. DBERR_NULL_ARG
// without an out; DBERR_BAD_LIST for other ids; the record read's error.
DBERR INT_SLM_GetCasSpecifier(SvcHandle handle, SvcListId id, uint32_t* scrambled, uint16_t* bit1,
                              uint16_t* bit2, uint16_t* bit3);

// 1 when the service does not belong to the view, 0 when it does. Tested in
// order: hidden handle (SVH_HIDDEN); number filter; type filter; CA list (120
// excludes scrambled services, every other CA list the services that are not
// scrambled for it); satellite list (TS satellite index neither 255 nor
// satIndex); null service or a handle that does not resolve.
uint32_t INT_SLM_ServiceMatchesList(SvcHandle handle, SvcListId id, uint8_t type, uint16_t number,
                                    bool caList, uint32_t scrambled, bool satList,
                                    uint8_t satIndex);

// The walk: from handle's node in list (the head when list does not hold
// handle, so -1 starts at the head), the step-th matching service forwards
// (step >= 0) or backwards. Step 0 gives the start when it matches, else the
// first match after it; a start that does not match does not count; steps
// beyond the number of matches go round the ring again. A service matches
// when it is not hidden and not null, passes the number and type filters and
// belongs to the list id: provider lists by the name of provider id - 200,
// list 4 by its service class, satellite lists by its TS, CA lists by its CA
// specifier. A missing TS or provider, or a provider index beyond the table,
// is no match. *out starts at -1. DBERR_NULL_ARG without out;
// DBERR_NULL_OBJECT for an empty list; DBERR_NOT_FOUND after one full round
// without a match.
DBERR INT_SLM_GetNextServiceHandle(LL_Node* list, SvcHandle handle, SvcListId id, uint16_t number,
                                   uint8_t type, int32_t step, SvcHandle* out);

// Test seam: how many elements the last walk examined (the start and each
// element it stepped to), so a full round can be told from more or less.
uint32_t INT_SLM_LastWalkVisits();
