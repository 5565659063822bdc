#include "dbstate.h"

namespace {
// The first registered hook. Constant-initialised, so hooks of other files'
// static initialisers find it ready whatever the order of initialisation.
DB_ResetHook* g_firstHook = nullptr;
} // namespace

DB_ResetHook::DB_ResetHook(DB_ResetFn resetFn) : fn(resetFn), next(nullptr) {
    if (fn == nullptr) return;
    next = g_firstHook;
    g_firstHook = this;
}

void DB_ResetAllState() {
    for (const DB_ResetHook* hook = g_firstHook; hook != nullptr; hook = hook->next)
        hook->fn();
}
