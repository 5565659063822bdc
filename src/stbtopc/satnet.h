// Regions and satellite ids. The receiver knows 115 satellites by id (0 to
// 114); a region's antenna table maps an antenna index, which is also the
// satellite slot of the satellite table, to a satellite id. The current
// region decides which satellites the slots stand for and which default
// transponders each slot has.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"

constexpr uint32_t SN_NUM_REGIONS = 5;       // regions 0 to 4
constexpr uint8_t SN_NO_ANTENNA_ID = 255;    // "no satellite id" in the outs below
constexpr uint8_t SN_NO_ANTENNA_INDEX = 255; // "no antenna index"

// The current region (0 to 4) and its number of antennas. The satellite
// table's usable slots are these antennas plus five user slots. At start-up
// region 0 is selected.
extern uint32_t g_RegionId;
extern uint32_t g_NumAntenna;

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

// ---- Transponders of a slot: defaults merged with the stored ones --------
struct TpNode; // tstable.h: a DefaultTpRow and the next node

// The transponders of a satellite slot: its default rows (the slot taken as
// an antenna index of the current region) merged with one node per stored
// transport stream on that slot. A saved transponder replaces every default
// row that is the same transponder within the tolerance of the transponder
// equality; the result is sorted by frequency except when only defaults
// exist (table order, which is already sorted). The chain belongs to the
// caller (SN_FreeTpList). Null outs: DBERR_BAD_REGION. Neither defaults nor
// saved transponders, or no memory for a single node: DBERR_NO_MEMORY_LIST
// with *count 0 and *list null.
DBERR SN_GetTpAll(uint32_t slot, uint16_t* count, TpNode** list);

// Frees a chain from SN_GetTpAll (null: nothing).
void SN_FreeTpList(TpNode* list);

// A transponder key from a default row or a node: frequency x 1000 (kHz),
// the symbol rate's low 16 bits, the row's u16 low byte into the byte after
// the satellite index, polarisation, FEC, modulation and pilot. The
// satellite index and the other bytes keep what the caller put there.
void INT_SN_DefaultRowToTpInfo(const DefaultTpRow* row, TpInfo* out);
void INT_SN_TpNodeToTpInfo(const TpNode* node, TpInfo* out);

// Sorts a chain by frequency, ascending and stable (equal frequencies keep
// their order), in count passes of adjacent exchange that relink its nodes;
// returns the new first node. Callers pass the chain's length, which always
// suffices; a chain of fewer than two nodes is returned unchanged.
TpNode* INT_SN_SortTpList(uint16_t count, TpNode* list);
