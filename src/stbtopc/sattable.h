// The satellite table: 64 SatInfo slots. A slot number is the satellite index
// of TpInfo and of the satellite list ids 30-99. The user interface sees only
// the usable slots: the current region's g_NumAntenna slots, then five user
// slots right after them.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"

constexpr uint32_t SN_USER_SLOTS = 5;

extern SatInfo g_SatTable[SAT_CAPACITY];

// Sets all 64 slots to zero.
void SN_ClearSatTable();

// Stores a record in a slot. Slot 64 or more: DBERR_TABLE_INDEX; null
// record: DBERR_NULL_ARG; nothing changed on failure.
DBERR SN_SetSatInfo(uint32_t slot, const SatInfo* record);

// Copies a slot that is not empty (LNB frequency, universal LNB or the
// setting bits of word 1 non-zero). An empty slot gives zeros and
// DBERR_TABLE_INDEX; slot 64 or more DBERR_TABLE_INDEX (out untouched); null
// out DBERR_NULL_ARG.
DBERR SN_GetSatInfo(uint32_t slot, SatInfo* out);

// The slot's name, always zero-terminated (a name that fills its 16 bytes is
// handed out from a terminated copy; the pointer stays valid until the next
// call for that slot). Null for slot 64 or more.
const char* SN_GetSatName(uint32_t slot);

// 1 when the slot's in-use bit is set, else 0 (also for slot 64 or more).
uint32_t SN_IsSatUsed(uint32_t slot);

// Number of usable slots: g_NumAntenna + 5, at most 64.
uint32_t SN_GetUsableSlotCount();

// The slot of the n-th used usable slot (n from 1), walking the usable slots
// in order. 0 for n = 0 and for n beyond the used slots.
uint32_t SN_GetNthUsedSatIndex(uint32_t n);

// How many of the first n usable slots are used: the position of slot n
// among the used slots. 0 for n = 0 and for n at or above the usable count.
uint32_t SN_CountUsedSatsBefore(uint32_t n);

// The number of satellite records the index holds (0 when it cannot be read).
// Changes nothing: the load stores each record with SN_SetSatInfo.
uint32_t SN_LoadSatTable();
