#include "dbstate.h"

namespace {
DB_HookLink* g_firstResetHook = nullptr;
DB_HookLink* g_firstFreeHook = nullptr;
} // namespace

DB_HookLink::DB_HookLink(DB_HookLink** first, Fn hookFn) : fn(hookFn), next(nullptr) {
    if (fn == nullptr || first == nullptr) return;
    next = *first;
    *first = this;
}

void DB_RunHooks(const DB_HookLink* first) {
    for (const DB_HookLink* link = first; link != nullptr; link = link->next)
        link->fn();
}

DB_ResetHook::DB_ResetHook(DB_ResetFn fn) : DB_HookLink(&g_firstResetHook, fn) {}

void DB_ResetAllState() {
    DB_RunHooks(g_firstResetHook);
}

TBL_FreeHook::TBL_FreeHook(TBL_FreeFn fn) : DB_HookLink(&g_firstFreeHook, fn) {}

void DB_RunFreeHooks() {
    DB_RunHooks(g_firstFreeHook);
}
