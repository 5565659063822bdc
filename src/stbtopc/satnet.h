// Regions and satellite ids. The receiver knows 115 satellites by id (0 to
// 114); a region's antenna table maps an antenna index, which is also the
// satellite slot of the satellite table, to a satellite id. The current
// region decides which satellites the slots stand for and which default
// transponders each slot has.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"
#include "snquery.h"

// The current region (0 to 4) and its number of antennas. The satellite
// table's usable slots are these antennas plus five user slots. At start-up
// region 0 is selected.
extern uint32_t g_RegionId;
extern uint32_t g_NumAntenna;

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
