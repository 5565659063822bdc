// Public look-ups over the service lists: the services of a transponder,
// walks, counts and finds by list id under the current access method,
// handle checks, the access method and list heads, renumbering and provider
// names.
//
// The list a query works on is the head for its list id under the current
// access method (g_AccessMethod). A list that is empty (nothing loaded, or
// after everything was freed) finds nothing (DBERR_NOT_FOUND) and counts 0.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "listids.h"
#include "slmhandle.h"
#include "slmresult.h"

struct LL_Node; // a node of the list library; callers pass heads on unread

// The n-th (from 0) service of the master list whose transport stream lies
// on the transponder of key (frequency in MHz; the transponder equality's
// tolerance applies, and the satellite index must be equal). *out is -1
// until found. None: DBERR_NOT_FOUND and the error line
// "[SLM_GetNthServiceHandleWithTpInfo] service not found with tpInfo
// result(0x%X)" with the code. Null key or null out: DBERR_NULL_OBJECT.
SLM_RESULT SLM_GetNthServiceHandleWithTpInfo(const TpInfo* tpKey, uint32_t n, SvcHandle* out);

// The next service of the master list after `after` (-1: from the start)
// whose transport stream lies on the transponder of key, matched as above.
// From -1 and then from each answer it gives services 0, 1, 2 ... of
// SLM_GetNthServiceHandleWithTpInfo, in one pass over the list instead of a
// walk from the start for each. The walk ends at the end of the master list
// and does not wrap. *out is -1 until found. Null key or null out:
// DBERR_NULL_OBJECT. DBERR_NOT_FOUND, without a debug line (the end of a
// walk is no error), when no later service lies on the transponder, or when
// `after` is not -1 and not a service of the master list (a stale handle
// included).
SLM_RESULT SLM_GetNextServiceHandleWithTpInfo(const TpInfo* tpKey, SvcHandle after, SvcHandle* out);

// The walk over list id: from handle (-1: the start of the list), the
// step-th matching service forwards (step >= 0) or backwards; step 0 gives
// the first match from the start. Number 0x3FFF and type 6 match any.
// *out is -1 until found. DBERR_NULL_ARG without out; the head's error for
// an id the access method does not serve; DBERR_NOT_FOUND when no service
// matches, for an empty list, and for a handle other than -1 that does not
// resolve.
SLM_RESULT SLM_GetNextServiceHandle(SvcHandle handle, SvcListId id, uint16_t number, uint8_t type,
                                    int32_t step, SvcHandle* out);

// Number of services of list id with that number (0x3FFF any) and type (6
// any). DBERR_NULL_ARG without out; the head's error.
SLM_RESULT SLM_GetNumServicesInList(SvcListId id, uint16_t number, uint8_t type, uint16_t* out);

// Whether handle is a service of list id, looked for by the current method:
//   ACCESS_MASTER, ACCESS_NAME            the id's list under ACCESS_MASTER
//   ACCESS_TV                             the TV part of list 0
//   ACCESS_EDIT                           the id's list under ACCESS_EDIT
//   ACCESS_EDIT_MASTER, ACCESS_EDIT_NAME  the id's list under ACCESS_EDIT_MASTER
//   other                                 DBERR_BAD_LIST
// *found starts at 0. DBERR_NULL_ARG without out; DBERR_NOT_FOUND when it is
// not there (stale handles included).
SLM_RESULT SLM_FindServiceInList(SvcListId id, SvcHandle handle, uint32_t* found);

// The first service of list id with that number and type (*out -1 until
// found). DBERR_NULL_ARG without out; DBERR_NOT_FOUND when none.
SLM_RESULT SLM_FindServiceByNumAndType(uint16_t number, uint8_t type, SvcListId id, SvcHandle* out);

// Hands back the handle when it is usable (*out -1 first). DBERR_NULL_ARG
// without out; DBERR_NOT_FOUND for 0, -1 and values that do not resolve.
SLM_RESULT SLM_CheckServiceHandle(SvcHandle handle, SvcHandle* out);

// The service type of a handle in list 0 of the current access method.
// DBERR_NULL_ARG without out; DBERR_NOT_FOUND when the handle is not there.
SLM_RESULT SLM_GetServiceType(SvcHandle handle, uint8_t* out);

// The number and type of a handle in list 0 of the current access method,
// as the channel list shows them. *number starts at 0xFFFF and *type at 0.
// DBERR_NULL_ARG without an out; DBERR_NOT_FOUND when the handle is not
// there (stale handles included).
SLM_RESULT SLM_GetServiceNumber(SvcHandle handle, uint16_t* number, uint8_t* type);

// The current access method. DBERR_NULL_ARG without out.
SLM_RESULT SLM_GetAccessMethod(SvcAccessMethod* out);
// Stores the access method; 0.
SLM_RESULT SLM_SetAccessMethod(SvcAccessMethod method);

// The head for a list id and access method, and its replacement (the rules
// of the service lists). DBERR_NULL_ARG without out.
SLM_RESULT SLM_GetListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);
SLM_RESULT SLM_SetListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Head of the list-edit copy for (id, an edit method) and its replacement; with
// no edit open the head is null and nothing is stored. DBERR_NULL_ARG
// without out.
SLM_RESULT SLM_GetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node** out);
SLM_RESULT SLM_SetEditListHead(SvcListId id, SvcAccessMethod method, LL_Node* head);

// Renumbers the list *head (every type: locked services keep their numbers,
// unlocked TV and radio services follow the last locked number of their
// type in list order) and stores its new head in *head. The type argument
// is kept for the callers that name the type they changed. DBERR_NULL_OBJECT
// without head; DBERR_NO_MEMORY (the list is then unchanged).
SLM_RESULT SLM_RenumberList(LL_Node** head, uint8_t type);

// *clean is 1 when the numbering is clean (no locked services seen at the
// last renumbering), else 0. DBERR_NULL_ARG without out.
SLM_RESULT SLM_IsListStateClean(uint32_t* clean);

// Copies the name of the index-th provider (from 0) into out, which holds
// PRV_NAME_BUFFER (21) bytes, always terminated; 0. SLM_NOT_IN_LIST (-1)
// with an empty out when there is no such provider. DBERR_NULL_ARG without
// out.
SLM_RESULT SLM_GetPrvName(uint32_t index, char* out);
