// The satellite table: 64 SatInfo slots. A slot number is the satellite index
// of TpInfo and of the satellite list ids 30-99. The user interface sees only
// the usable slots: the current region's g_NumAntenna slots, then five user
// slots right after them.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "snquery.h"

extern SatInfo g_SatTable[SAT_CAPACITY];

// Sets all 64 slots to zero.
void SN_ClearSatTable();

// The number of satellite records the index holds (0 when it cannot be read).
// Changes nothing: the load stores each record with SN_SetSatInfo.
uint32_t SN_LoadSatTable();
