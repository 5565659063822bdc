// Program-wide state of the database library can be put back to its
// start-up state by one call. Each module that keeps such state defines one
// static DB_ResetHook whose function frees and clears that module's own state
// (and touches no other module's objects, since hooks run in no fixed order).
#pragma once

using DB_ResetFn = void (*)();

// Registers fn for DB_ResetAllState for as long as the program runs. The hook
// links itself into the registry, so registering never allocates and has no
// limit. Hooks are static objects; they are never copied or unregistered.
struct DB_ResetHook {
    explicit DB_ResetHook(DB_ResetFn fn);
    DB_ResetHook(const DB_ResetHook&) = delete;
    DB_ResetHook& operator=(const DB_ResetHook&) = delete;

    DB_ResetFn fn;
    DB_ResetHook* next;
};

// Runs every registered reset function.
void DB_ResetAllState();
