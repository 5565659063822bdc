// The template image of a new list ("Default.dat"): the receiver's factory
// image cannot be had, so the library makes one itself. It is an empty
// database: no transponder, transport stream, provider or service, 64 zero
// satellite slots (the region's satellites and the five user slots are all
// free) and 16 empty favourite groups, with both index banks valid.
#pragma once
#include "dberr.h"

// Makes g_FlashImage that empty database. Every byte depends only on the
// library's code, never on what the image or the tables held before: the
// image starts all 0xFF, the flash map is set to six service sectors, the
// in-memory tables are emptied, the store formatted and an empty database
// committed. Returns 0, or the commit's code. The in-memory tables stay empty.
DBERR DB_MakeEmptyImage();
