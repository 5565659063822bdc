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
#include "svchandle.h"

// The handle value "no service".
constexpr SvcHandle SVC_HANDLE_INVALID = 0xFFFFFFFF;

// Puts a handle back into its new state: no record, no name (an owned name
// is freed), marker -1, number 0x3FFF and type 7. The id stays the handle's
// own, so it still resolves. DBERR_NULL_OBJECT for 0, DBERR_NOT_FOUND for a
// value that does not resolve.
DBERR INT_SLM_InitServiceHandle(SvcHandle handle);

// *isNull starts at 1 and becomes 0 when the handle has a record that is not
// the placeholder. DBERR_NULL_ARG without out, DBERR_NULL_OBJECT for 0,
// DBERR_NOT_FOUND for a value that does not resolve (flag stays 1).
DBERR INT_SLM_IsSvcNull(SvcHandle handle, uint32_t* isNull);

// True when the handle is a null service or its test fails.
bool SLM_IsNullService(SvcHandle handle);

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
