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

// The free hooks that TBL_FreeAll runs are registered with TBL_FreeHook
// (dbstate.h), so a module with lists beside the tables needs no arrow up to
// this one.

// Empties everything (New, Load and the closing of a list call it): the
// service, TS, provider and TP tables with their elements and counts (the
// elements' reference ids are released, so old references resolve to none),
// then every registered hook, then the satellite and favourite tables.
// Afterwards a load starts from nothing. Ids of anything else, such as the
// placeholder records, stay as they are.
void TBL_FreeAll();
