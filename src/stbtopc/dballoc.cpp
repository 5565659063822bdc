#include "dballoc.h"

#include "dbstate.h"

namespace {
int32_t g_allocationsLeft = -1; // negative: never fail
bool g_failOnlyOnce = false;    // after the failure, allocations go ahead again
uint32_t g_allocationCount = 0;

void resetAllocations() {
    g_allocationsLeft = -1;
    g_failOnlyOnce = false;
    g_allocationCount = 0;
}
DB_ResetHook g_resetHook(resetAllocations);
} // namespace

bool DB_AllocationAllowed() {
    if (g_allocationsLeft == 0) {
        if (g_failOnlyOnce) g_allocationsLeft = -1;
        return false;
    }
    if (g_allocationsLeft > 0) --g_allocationsLeft;
    ++g_allocationCount;
    return true;
}

void DB_SetAllocFailAfter(int32_t allowed) {
    g_allocationsLeft = allowed < 0 ? -1 : allowed;
    g_failOnlyOnce = false;
}

void DB_FailOneAllocation(uint32_t allowed) {
    g_allocationsLeft = static_cast<int32_t>(allowed);
    g_failOnlyOnce = true;
}

uint32_t DB_AllocationCount() {
    return g_allocationCount;
}

void DB_ClearAllocationCount() {
    g_allocationCount = 0;
}
