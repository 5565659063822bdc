// The region and satellite-table queries the views call (SN_): the current
// region and its antennas, the satellite ids and default transponders of an
// antenna, and the 64 satellite slots as the tree and the satellite dialog
// read and write them.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"

constexpr uint32_t SN_NUM_REGIONS = 5;       // regions 0 to 4
constexpr uint8_t SN_NO_ANTENNA_ID = 255;    // "no satellite id" in the outs below
constexpr uint8_t SN_NO_ANTENNA_INDEX = 255; // "no antenna index"

// Selects a region: stores it, sets g_NumAntenna to its antenna count and
// prints "[SN_SetRegionId] REGION %d, NumAntenna %d". A region above 4 prints
// "[SN_SetRegionId] Region ID Error: %d", changes nothing and returns
// DBERR_BAD_REGION.
DBERR SN_SetRegionId(uint32_t region);

// Antenna count of a region. A region above 4: *count = 0, DBERR_BAD_REGION;
// a null out: DBERR_NULL_OBJECT.
DBERR SN_GetNumAntenna(uint32_t region, uint32_t* count);

// Satellite id at an antenna index of a region. *id is SN_NO_ANTENNA_ID
// unless found; a region above 4 or an index at or past the region's count:
// DBERR_BAD_REGION. A null out: DBERR_NULL_OBJECT.
DBERR SN_GetAntennaIdOfRegion(uint32_t region, uint32_t antennaIndex, uint8_t* id);

// As SN_GetAntennaIdOfRegion for the current region; a failure also prints
// "[SN_GetDefaultSatInfo] Get AntennaId Error: Region %d, AntennaIndex %d".
// A null out: DBERR_NULL_OBJECT, nothing printed.
DBERR SN_GetAntennaId(uint32_t antennaIndex, uint8_t* id);

// First antenna index of a satellite id in a region's table. *index is
// SN_NO_ANTENNA_INDEX unless found; a region above 4: DBERR_BAD_REGION; an id
// the region does not list: DBERR_NOT_IN_REGION. A null out:
// DBERR_NULL_OBJECT.
DBERR SN_GetAntennaIndex(uint32_t region, uint32_t satId, uint8_t* index);

// Copies a region's satellite ids in antenna order: the buffer is zero-filled
// over length bytes, then the first min(length, count) ids are written. A
// null buffer or a region above 4: DBERR_BAD_REGION, buffer untouched.
DBERR SN_GetAntennaIdList(uint32_t region, uint8_t* buffer, uint32_t length);

// The default transponders of the satellite at an antenna index of the
// current region: the row count and the address of the satellite's constant
// table (count 0 and null for a satellite without defaults), 0. The rows
// must not be freed or changed. Null outs: DBERR_BAD_REGION. No satellite
// at that index: outs 0 and null, the antenna-id error line, DBERR_BAD_REGION.
DBERR SN_GetDefaultSatInfo(uint32_t antennaIndex, uint16_t* count, const DefaultTpRow** rows);

constexpr uint32_t SN_USER_SLOTS = 5;

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

// The current region (0 to 4; 0 from start-up) and its number of antennas,
// which is also the first user slot of the satellite table. Cannot fail.
uint32_t SN_GetRegionId();
uint32_t SN_GetCurrentNumAntenna();
