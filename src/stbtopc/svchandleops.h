// Operations on one service handle: initialising it, testing for a null
// service, reading its name, record and transport stream, reading and
// replacing its record, its number and type, checking a handle value and
// finding the n-th service of a transponder.
//
// Handle values are ids of the handle table (svchandle.h). A value that does
// not resolve (stale, freed, never given out) is answered with
// DBERR_NOT_FOUND and the outs keep their start values; 0 is a missing
// handle (DBERR_NULL_OBJECT) where the operation has no rule of its own for
// it. Arguments are checked in the order: missing out (DBERR_NULL_ARG), then
// missing handle or record (DBERR_NULL_OBJECT).
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "linkedlist.h"
#include "placeholder.h"
#include "svchandle.h"

// Puts a handle back into its new state: no record, no name (an owned name
// is freed), marker -1, number 0x3FFF and type 7. The id stays the handle's
// own, so it still resolves. DBERR_NULL_OBJECT for 0, DBERR_NOT_FOUND for a
// value that does not resolve.
DBERR INT_SLM_InitServiceHandle(SvcHandle handle);

// Copies the name the handle points at into buffer[SVC_NAME_LEN]: the bytes
// up to its terminator, at most SVC_NAME_LEN, the rest zero-filled, whether
// the name lies in the record or in a buffer the handle owns. The buffer is
// zeroed first; DBERR_NULL_ARG without buffer, DBERR_NULL_OBJECT for 0,
// DBERR_NOT_FOUND for a value that does not resolve.
DBERR INT_SLM_CopyServiceName(SvcHandle handle, uint8_t* buffer);

// Zero-fills *out and copies the handle's record, without any list look-up.
// DBERR_NULL_ARG without out, DBERR_NULL_OBJECT for 0 or a handle without a
// record, DBERR_NOT_FOUND for a value that does not resolve.
DBERR INT_SLM_ReadServiceInfo(SvcHandle handle, SvcInfo* out);

// Zero-fills *out and copies the TsInfo the handle's record refers to.
// Errors of INT_SLM_ReadServiceInfo; DBERR_NOT_FOUND when the reference does
// not resolve.
DBERR INT_SLM_GetTsInfo(SvcHandle handle, TsInfo* out);

// Zero-fills *out and copies the handle's record. 0 and -1 give
// DBERR_NOT_FOUND; a value that does not resolve is looked up in the master
// list, which never finds it, so it is DBERR_NOT_FOUND too. DBERR_NULL_ARG
// without out; DBERR_NULL_OBJECT for a handle without a record.
DBERR INT_SLM_GetServiceInfo(SvcHandle handle, SvcInfo* out);

// Number (bits 0-13), type (bits 14-16) and source (bits 17-18) of a handle.
// Every out is required (DBERR_NULL_ARG); they start at 0xFFFF, 0 and 0. 0
// and -1 give DBERR_NOT_FOUND; a value that does not resolve is looked up in
// list, which never finds it (DBERR_NOT_FOUND).
DBERR INT_SLM_GetServiceNumber(LL_Node* list, SvcHandle handle, uint16_t* number, uint8_t* type,
                               uint8_t* source);

// Only the type, with the rules of INT_SLM_GetServiceNumber; *type starts at 0.
DBERR INT_SLM_GetServiceType(LL_Node* list, SvcHandle handle, uint8_t* type);

// Hands back a usable handle: one that resolves is returned as it is; any
// other is looked up in list 0 of the current access method (never found).
// *out starts at -1. Under the list manager's lock. DBERR_NULL_ARG without
// out; DBERR_NOT_FOUND for 0, -1 and values that do not resolve.
DBERR INT_SLM_ValidateServiceHandle(SvcHandle handle, SvcHandle* out);

// Overwrites the handle's in-memory record in place with *record (the record
// table's replace); the handle keeps its record, loses an owned name (SVH_OWNS_NAME,
// the buffer is freed) and a pending rewrite (SVH_REWRITE), and points its name at
// the record's name field again. Under the list manager's lock.
// DBERR_NULL_OBJECT without record; DBERR_NOT_FOUND when the handle is not in
// the master list; the table's error as it is (the handle is then unchanged).
DBERR INT_SLM_SetServiceInfo(SvcHandle handle, const SvcInfo* record);

// The n-th (from 0) service of the master list whose transport stream lies on
// the transponder *tp (tolerant transponder equality, on a copy of the key).
// *out starts at -1. Under the list manager's lock. DBERR_NULL_ARG without
// out, DBERR_NULL_OBJECT without tp, DBERR_NOT_FOUND when there are n or
// fewer such services.
DBERR INT_SLM_GetNthServiceHandleWithTpInfo(const TpInfo* tp, uint32_t n, SvcHandle* out);

// The service of the master list after `after` (-1: from the head) whose
// transport stream lies on the transponder *tp, matched as the n-th look-up
// above matches; the walk ends at the master list's end and never wraps, so
// from -1 and then from each answer it gives the transponder's services in
// the n-th look-up's order, each step costing the distance to the next one.
// *out starts at -1. Under the list manager's lock. DBERR_NULL_ARG without
// out, DBERR_NULL_OBJECT without tp, DBERR_NOT_FOUND when no later service is
// on the transponder, or when `after` is not -1 and not in the master list.
DBERR INT_SLM_GetNextServiceHandleWithTpInfo(const TpInfo* tp, SvcHandle after, SvcHandle* out);
