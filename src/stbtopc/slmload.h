// The two steps of opening a database, among the list manager's
// public operations; the document road (dbdocument.h) takes them for the
// editor and is what the editor calls.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "listids.h"

struct LL_Node;

// Checks and loads the index banks (a damaged bank is repaired from the
// other). 0 when a bank is usable, 1 when neither is (every index block is
// then zero).
uint16_t SLM_LoadIndex();

// INT_SLM_LoadDatabase (dbload.h): 0, or DBERR_NO_MEMORY and nothing
// loaded. DBERR_NULL_ARG without out.
DBERR SLM_LoadDatabase(uint16_t* outCount);

// Hands out the head of list 23 or 24 and empties that list (null: nothing
// fills them). DBERR_NULL_ARG without out.
DBERR SLM_TakeSpecialList(SvcListId id, LL_Node** out);
