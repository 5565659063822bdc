// Public operations on one service: creating it on a transponder, reading
// and writing its record and PIDs, deleting it, and the small record helpers
// the views use.
//
// Handle values are ids of the handle table. The value -1
// (SVC_HANDLE_INVALID) means "no service"; a value that does not resolve
// (freed, stale, never given out) is answered with DBERR_NOT_FOUND by every
// operation here, and outs keep their start values.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "slmresult.h"
#include "slmhandle.h"

// Creates a TV service named name (its first 22 bytes) on the transponder
// key (frequency in MHz) and hands out its handle (*out is -1 until then).
// The service shares the stored transport stream whose TpInfo equals the key
// in all 20 bytes, or gets a new one; it is numbered with the unlocked TV
// services (after the last locked TV number, or after the last unlocked TV
// service) and filed into the master and name lists.
// Failure leaves no handle, no record and no new transport stream behind:
// the transport-stream table's code (DBERR_TS_TABLE_FULL,
// DBERR_NO_MEMORY_COPY), the service table's (DBERR_TS_TABLE_FULL at 6000,
// DBERR_NO_MEMORY_COPY), or DBERR_NO_MEMORY for the handle or a list node.
// DBERR_NULL_ARG without out, DBERR_NULL_OBJECT without key or name.
SLM_RESULT SLM_AddService(const TpInfo* tpKey, const char* name, SvcHandle* out);

// Zero-fills *out and copies the handle's record. 0 and -1 give
// DBERR_NOT_FOUND, as does a handle that is not in the master list.
// DBERR_NULL_ARG without out.
SLM_RESULT SLM_GetServiceInfo(SvcHandle handle, SvcInfo* out);

// Zero-fills *out and copies the handle's record without a list look-up.
// DBERR_NULL_ARG without out; DBERR_NULL_OBJECT for handle 0 (or a handle
// without a record); DBERR_NOT_FOUND for a value that does not resolve.
SLM_RESULT SLM_ReadServiceInfo(SvcHandle handle, SvcInfo* out);

// Overwrites the handle's in-memory record in place with the 64 given bytes;
// the handle's name then points at the record's name again (an owned name
// copy and a pending rewrite are dropped). A TS reference that is not an
// element of the transport-stream table, and a provider reference other than
// 0 that is not an element of the provider table, are not taken: the stored
// reference stays. DBERR_NULL_OBJECT without record; DBERR_NOT_FOUND when the
// handle is not in the master list; DBERR_TABLE_INDEX when its record is not
// in the service table.
SLM_RESULT SLM_SetServiceInfo(SvcHandle handle, const SvcInfo* record);

// Writes the PIDs of a service. When PCR, video and audio PIDs all equal
// the stored ones: SLM_UNCHANGED (1) and nothing is written. Otherwise the
// PCR PID is stored; a video (audio) PID other than 0 and 0x2000 is stored
// and sets the video (audio) valid bit, while 0 or 0x2000 leaves the stored
// PID and its bit; the PID at offset 12 becomes 0x2000 and flag bits 21 and
// 31 are set; 0. Errors of SLM_GetServiceInfo and SLM_SetServiceInfo.
SLM_RESULT SLM_SetServicePids(SvcHandle handle, uint16_t pcrPid, uint16_t videoPid,
                              uint16_t audioPid);

// Makes a service TV (SVC_TYPE_TV) or radio (SVC_TYPE_RADIO) at once: the
// record's type bits and the handle's type change, and the service is filed
// into that kind's order where a reload of the saved list would put it,
// among the kind's services by the place of its record in the service
// table; both kinds are then numbered again as after a load (a number lock
// the service had is dropped with its old kind). Favourite groups hold the
// service itself and keep it. SLM_UNCHANGED (1) and nothing changed when it
// is of that type already; DBERR_BAD_LIST for any other type;
// DBERR_NOT_FOUND when the handle is not in the master list;
// DBERR_EDIT_SESSION while a list edit is open (its copies would not follow);
// DBERR_NO_MEMORY, with nothing changed, when the lists cannot be split.
SLM_RESULT SLM_SetServiceType(SvcHandle handle, uint8_t type);

// Deletes a service: its node leaves the master list, the name list (and the
// TV and radio parts), the handle is freed, and its record leaves the service
// table (its transport stream and provider go with it when no other service
// uses them). No renumbering; the image changes at the next commit.
// SLM_NOT_IN_LIST (-1) and nothing changed when the handle is not in the
// master list (stale handles included).
SLM_RESULT SLM_DeleteService(SvcHandle handle);

// Copies the handle's name into out (SVC_NAME_LEN bytes): the name as the
// list shows it, a name given during an open list edit included; the bytes
// up to its terminator, the rest zero. out is zeroed first. DBERR_NULL_ARG
// without out; DBERR_NULL_OBJECT for handle 0; DBERR_NOT_FOUND for a value
// that does not resolve.
SLM_RESULT SLM_GetServiceName(SvcHandle handle, uint8_t* out);

// Copies 64 bytes. DBERR_NULL_ARG without target, DBERR_NULL_OBJECT without
// source.
SLM_RESULT SLM_CopySvcInfo(const SvcInfo* source, SvcInfo* target);

// Zero-fills *out and copies the TsInfo the handle's record refers to.
// DBERR_NULL_ARG without out; DBERR_NULL_OBJECT for handle 0;
// DBERR_NOT_FOUND for a value that does not resolve or a reference that does
// not resolve.
SLM_RESULT SLM_GetTsInfo(SvcHandle handle, TsInfo* out);

// The same from a record: zero-fills *out and copies the TsInfo its TS
// reference names. DBERR_NULL_ARG without out, DBERR_NULL_OBJECT without
// record, DBERR_NOT_FOUND when the reference does not resolve.
SLM_RESULT SLM_GetTsInfoOfSvcInfo(const SvcInfo* record, TsInfo* out);

// *isNull starts at 1 and becomes 0 when the handle has a record that is not
// the placeholder. DBERR_NULL_ARG without out, DBERR_NULL_OBJECT for handle
// 0, DBERR_NOT_FOUND for a value that does not resolve.
SLM_RESULT SLM_IsSvcNull(SvcHandle handle, uint32_t* isNull);

// Releases the usage counts a service holds on its transport stream and CA
// systems before its record is deleted. The PC build keeps no such counts,
// so nothing changes: 0. DBERR_NULL_OBJECT for handle 0, DBERR_NOT_FOUND for
// a value that does not resolve.
SLM_RESULT SLM_ReleaseTsCasCount(SvcHandle handle);

// The PC build plays nothing, so there is no current service: every given
// out is set to -1 and the result is DBERR_BAD_LIST.
SLM_RESULT SLM_GetCurrentService(SvcHandle* out, SvcHandle* second = nullptr,
                                 SvcHandle* third = nullptr);

// Does nothing (no service is played on the PC); 0.
SLM_RESULT SLM_SetCurrentService(SvcHandle handle);
