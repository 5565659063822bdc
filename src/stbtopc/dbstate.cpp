#include "dbstate.h"

#include <utility>

namespace {
DB_HookLink* g_firstResetHook = nullptr;
DB_HookLink* g_firstFreeHook = nullptr;
uint32_t g_changeCount = 0;
int g_quietDepth = 0;

std::function<void()>& ChangeHook() {
    static std::function<void()> hook;
    return hook;
}
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

DB_QuietChanges::DB_QuietChanges() {
    ++g_quietDepth;
}

DB_QuietChanges::~DB_QuietChanges() {
    --g_quietDepth;
}

void DB_NoteChange() {
    if (g_quietDepth > 0) return;
    ++g_changeCount;
    if (const auto& hook = ChangeHook()) hook();
}

uint32_t DB_ChangeCount() {
    return g_changeCount;
}

void DB_SetChangeHookFn(std::function<void()> hook) {
    ChangeHook() = std::move(hook);
}
