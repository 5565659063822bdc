// Program-wide state of the database library can be put back to its
// start-up state by one call. Each module that keeps such state defines one
// static DB_ResetHook whose function frees and clears that module's own state
// (and touches no other module's objects, since hooks run in no fixed order).
#pragma once

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
