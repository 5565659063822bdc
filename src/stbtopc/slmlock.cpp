#include "slmlock.h"

#include "wrapper.h"

namespace {
// Nothing creates the semaphore on the PC, so its id stays 0.
uint32_t g_SlmSemId = 0;
} // namespace

void INT_SLM_Lock() {
    OS_SemTake(g_SlmSemId);
}

void INT_SLM_Unlock() {
    OS_SemGive(g_SlmSemId);
}
