// Results of the list manager's public operations. They answer with a DBERR
// code (0 for success) in a 32-bit integer; a few answer with one of the two
// values below instead.
#pragma once
#include <cstdint>

#include "dberr.h"

using SLM_RESULT = int32_t;

// The handle is not in the list (SLM_DeleteService), or there is no such
// entry (SLM_GetPrvName).
constexpr SLM_RESULT SLM_NOT_IN_LIST = -1;

// The call found nothing to change and wrote nothing (SLM_SetServicePids).
constexpr SLM_RESULT SLM_UNCHANGED = 1;
