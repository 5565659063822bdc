// The commit: the whole database is rewritten from the in-memory tables into
// freshly formatted record sectors, and the index bank is saved to the
// primary and the backup. A commit is all or nothing: when any step fails,
// the flash image, the index tables, the slot states, the format table and
// the favourite table are put back byte for byte as they were, and the caller gets the step's
// code, so a later Save never writes a half-built image to disk.
#pragma once
#include "dberr.h"

// Writes every in-memory table as records, in this order: transponders,
// providers, transport streams, services (references turned into the
// addresses just written), the 64 satellite slots, the 16 favourite groups.
// Returns 0, or the first failure's code (a full table or refused write:
// DBERR_TABLE_INDEX; a reference without a written record:
// DBERR_TABLE_NOT_FOUND; no memory for the maps: DBERR_NO_MEMORY). On its
// own it does not undo what it wrote: IDX_CommitAll does.
DBERR IDX_WriteAll();

// A step that a module above the index layer registers, with one static
// IDX_CommitStep, to run at the start of every commit, before the image is
// touched: the favourite groups store themselves into the favourite table
// (favourites.cpp). A non-zero result fails the commit. So the commit calls
// nothing above it, and needs no arrow up to the modules that register.
// Registering cannot fail; a null fn registers nothing.
using IDX_CommitStepFn = DBERR (*)();
struct IDX_CommitStep {
    explicit IDX_CommitStep(IDX_CommitStepFn fn);
    IDX_CommitStep(const IDX_CommitStep&) = delete;
    IDX_CommitStep& operator=(const IDX_CommitStep&) = delete;
    IDX_CommitStepFn fn;
    IDX_CommitStep* next;
};

// Runs the registered commit steps (the favourite groups are stored from
// their lists), clears the index tables, formats the record store, writes
// all tables (IDX_WriteAll), saves the index bank and sets the commit word
// to 0.
// Returns 0. On any failure everything named above is as before the call
// and the result is non-zero: the failing step's code, DBERR_NO_MEMORY when
// the state could not be kept aside first (then nothing was touched).
DBERR IDX_CommitAll();

// Clears the index tables, formats the record store, saves the bank and
// checks it: an empty database. Returns 0.
DBERR IDX_FormatAndReload();
