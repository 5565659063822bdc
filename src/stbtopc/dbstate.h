// Program-wide state of the database library can be put back to its
// start-up state by one call. Each module that keeps such state defines one
// static DB_ResetHook whose function frees and clears that module's own state
// (and touches no other module's objects, since hooks run in no fixed order).
#pragma once

#include <cstdint>
#include <functional>

// A function registered by a static object on a chain of hooks (the reset
// hooks here, the free hooks of the tables). The link adds itself to the
// chain when it is built, so registering never allocates and has no limit.
// Links are static objects that live as long as the program; they are never
// copied or taken off the chain.
struct DB_HookLink {
    using Fn = void (*)();
    // A null fn registers nothing. first must be constant-initialised (a
    // plain null pointer), so that static initialisers of any file find it.
    DB_HookLink(DB_HookLink** first, Fn fn);
    DB_HookLink(const DB_HookLink&) = delete;
    DB_HookLink& operator=(const DB_HookLink&) = delete;

    Fn fn;
    DB_HookLink* next;
};

// Calls the function of every link of a chain.
void DB_RunHooks(const DB_HookLink* first);

using DB_ResetFn = DB_HookLink::Fn;

struct DB_ResetHook : DB_HookLink {
    explicit DB_ResetHook(DB_ResetFn fn);
};

// Runs every registered reset function.
void DB_ResetAllState();

// ---- Free hooks ----------------------------------------------------------
// A module that keeps lists beside the tables (the service lists and their
// handles, the transponder edit lists, the favourite lists, list-edit copies)
// defines one `static TBL_FreeHook hook(fn);`; TBL_FreeAll (tables.h) calls fn
// after the record tables are freed. Hooks run in no fixed order: each frees only its
// own module's lists and handles and must not rely on another module's
// state. The record elements are already gone when hooks run, so a hook must
// not read records through the handles it frees.
using TBL_FreeFn = DB_HookLink::Fn;

struct TBL_FreeHook : DB_HookLink {
    explicit TBL_FreeHook(TBL_FreeFn fn);
};

// Runs every registered free function (TBL_FreeAll's step).
void DB_RunFreeHooks();

// ---- Changes -------------------------------------------------------------
// Every public operation that changes the open list (a service added,
// edited, deleted or moved, a transponder list committed, a satellite or a
// favourite group edited) counts one change when it succeeds; loads, commits
// and order saves count none. A caller tells whether the list changed
// between two moments by two readings of the count. The change hook, when
// set, is called after each change; it belongs to the library's user and
// outlives every reset.
void DB_NoteChange();
uint32_t DB_ChangeCount();

// While one lives, changes count none: the document road's opens, saves and
// closes build and store the list through the same operations a user's
// edit takes.
class DB_QuietChanges {
  public:
    DB_QuietChanges();
    ~DB_QuietChanges();
    DB_QuietChanges(const DB_QuietChanges&) = delete;
    DB_QuietChanges& operator=(const DB_QuietChanges&) = delete;
};
void DB_SetChangeHookFn(std::function<void()> hook);

// Notes a change when result is 0 (success); returns result.
template <typename Result>
Result DB_CountIfDone(Result result) {
    if (result == 0) DB_NoteChange();
    return result;
}
