// The placeholder records: static records that stand for the absence of a
// record. The placeholder TsInfo is all 0xFF (its satellite index reads 255),
// the placeholder PrvInfo is zero, and the placeholder SvcInfo has flag bits
// 0-13 set and refers to the other two. A handle whose record is the
// placeholder SvcInfo is a null service: walks and renumbering pass over it.
#pragma once
#include "dbrecords.h"
#include "refids.h"
#include "svchandle.h"

#include "dberr.h"

extern SvcInfo g_PlaceholderSvcInfo;
extern TsInfo g_PlaceholderTsInfo;
extern PrvInfo g_PlaceholderPrvInfo;

// Fills the three placeholders and registers the TS and provider placeholders
// under reference ids, which the placeholder SvcInfo then holds. The load
// calls it first. Calling it again keeps the ids already registered. When an
// id cannot be registered (no memory) the reference stays REF_NONE, which
// reads as "none".
void DB_SetUpPlaceholders();

// True for the placeholder SvcInfo itself.
inline bool DB_IsPlaceholderSvc(const SvcInfo* record) {
    return record == &g_PlaceholderSvcInfo;
}

// ---- Null services -------------------------------------------------------
// *isNull starts at 1 and becomes 0 when the handle has a record that is not
// the placeholder. DBERR_NULL_ARG without out, DBERR_NULL_OBJECT for 0,
// DBERR_NOT_FOUND for a value that does not resolve (flag stays 1).
DBERR INT_SLM_IsSvcNull(SvcHandle handle, uint32_t* isNull);

// True when the handle is a null service or its test fails.
bool SLM_IsNullService(SvcHandle handle);
