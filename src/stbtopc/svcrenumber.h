// Renumbering of a service list. A list is split into four parts: locked TV,
// locked radio (handles whose number is locked, SVH_NUM_LOCKED), unlocked TV and
// unlocked radio; services of other types (data services and the like) go
// with the unlocked TV services, as the load files them. Locked services keep
// their numbers; unlocked TV services are numbered after the highest locked
// TV number and unlocked radio services after the highest locked radio
// number, each in list order; then the four parts are merged back by number.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "linkedlist.h"

// Moves every element of *list, in list order, into one of four new closed
// lists; *list becomes empty (its nodes are freed, the handles are not). The
// four outs start empty. DBERR_NULL_ARG without an out; DBERR_NULL_OBJECT
// without list; DBERR_NO_MEMORY when a node cannot be had, and then *list is
// as it was and the four outs are empty.
DBERR INT_SLM_SplitServiceList(LL_Node** list, LL_Node** lockedTv, LL_Node** lockedRadio,
                               LL_Node** unlockedTv, LL_Node** unlockedRadio);

// Merges locked TV, locked radio, unlocked TV and unlocked radio, in that
// order, into *list by number (equal numbers keep that order) and closes it.
// The four lists are used up. DBERR_NULL_OBJECT without list.
DBERR INT_SLM_MergeServiceLists(LL_Node** list, LL_Node* lockedTv, LL_Node* lockedRadio,
                                LL_Node* unlockedTv, LL_Node* unlockedRadio);

// Numbers the list's services from first on, once round the ring from its
// head; null services keep their number and use none. DBERR_NULL_OBJECT for
// an empty list.
DBERR INT_SLM_RenumberList(LL_Node* list, uint16_t first);

// Numbers unlocked TV after the last locked TV number and unlocked radio
// after the last locked radio number (from 1 when that part is empty). With
// no locked service at all the list-state word is cleared. DBERR_NULL_OBJECT
// when both unlocked lists are empty (nothing is numbered).
DBERR INT_SLM_RenumberServices(LL_Node* unlockedTv, LL_Node* unlockedRadio, LL_Node* lockedTv,
                               LL_Node* lockedRadio);

// The node at which the number order of a ring kept by number begins: the
// node after the one place where the number falls. The master list is
// entered at its first TV service, so radio services numbered below every TV
// service sit at the ring's end; renumbering and the order save must start
// here, not at the head, or those radio services would be renumbered last.
// Null services are not compared (they take no number). The head itself for
// an open or empty list, a ring without a fall, and a ring that is not in
// number order (more than one fall).
LL_Node* INT_SLM_NumberOrderStart(LL_Node* list);

// Split, renumber and merge back into *list. Every service stays in the list,
// also when all of them are locked. DBERR_NULL_OBJECT without list; the
// split's DBERR_NO_MEMORY (the list is then unchanged).
DBERR INT_SLM_RenumberAll(LL_Node** list);
