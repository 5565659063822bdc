// The in-memory record tables as a whole: the transport-stream, transponder,
// provider and service tables, the satellite table and the favourite table,
// and TBL_FreeAll, which empties them together with every list that other
// modules keep beside them.
#pragma once

#include "dbstate.h"
#include "favtable.h"
#include "prvtable.h"
#include "sattable.h"
#include "svctable.h"
#include "tptable.h"
#include "tstable.h"

// A module that keeps lists beside the tables (the service lists and their
// handles, the transponder edit lists, the favourite lists, list-edit copies)
// defines one `static TBL_FreeHook hook(fn);`; TBL_FreeAll calls fn after the
// record tables are freed. Hooks run in no fixed order: each frees only its
// own module's lists and handles and must not rely on another module's
// state. The record elements are already gone when hooks run, so a hook must
// not read records through the handles it frees.
using TBL_FreeFn = DB_HookLink::Fn;

struct TBL_FreeHook : DB_HookLink {
    explicit TBL_FreeHook(TBL_FreeFn fn);
};

// Empties everything (New, Load and the closing of a list call it): the
// service, TS, provider and TP tables with their elements and counts (the
// elements' reference ids are released, so old references resolve to none),
// then every registered hook, then the satellite and favourite tables.
// Afterwards a load starts from nothing. Ids of anything else, such as the
// placeholder records, stay as they are.
void TBL_FreeAll();
