// Program-wide state of the database library can be put back to its
// start-up state by one call. Each module that keeps such state defines one
// static DB_ResetHook whose function frees and clears that module's own state
// (and touches no other module's objects, since hooks run in no fixed order).
#pragma once

using DB_ResetFn = void (*)();

struct DB_ResetHook {
    explicit DB_ResetHook(DB_ResetFn fn);
};

// Runs every registered reset function.
void DB_ResetAllState();
