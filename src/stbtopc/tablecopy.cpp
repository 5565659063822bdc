#include "tablecopy.h"

#include "dbstate.h"

namespace {
int32_t g_allocationsLeft = -1;

void resetAllocations() {
    g_allocationsLeft = -1;
}
DB_ResetHook g_resetHook(resetAllocations);
} // namespace

bool tablecopy_detail::AllocationAllowed() {
    if (g_allocationsLeft < 0) return true;
    if (g_allocationsLeft == 0) return false;
    --g_allocationsLeft;
    return true;
}

void TBL_SetAllocFailAfter(int32_t allowed) {
    g_allocationsLeft = allowed;
}
