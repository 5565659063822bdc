// The index tables as the rest of the library uses them: per record kind the
// number of stored records, the bounded read of the i-th record through its
// flash address, and the add that writes a record to a free slot and appends
// its address. The tables themselves are the blocks of indexblocks.h, which
// the index bank loads and saves.
//
// Counts come from images that users hand us: every read and scan stops at
// the kind's capacity, whatever the stored count says.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "dbrecords.h"

// Service types that the service index answers for (the type selects
// nothing: every type sees the whole table).
constexpr bool IDX_IsSvcTypeValid(uint32_t type) {
    return type == SVC_TYPE_TV || type == SVC_TYPE_RADIO || type == 2 || type == SVC_TYPE_ANY;
}

// ---- Counts ----------------------------------------------------------------
// Store the table's count (at most the kind's capacity) and return 0. A null
// out gives DBERR_NULL_ARG.
DBERR IDX_GetNumTsInfos(uint16_t* out);
DBERR IDX_GetNumTpInfos(uint16_t* out);
DBERR IDX_GetNumPrvInfos(uint16_t* out);
DBERR IDX_GetNumKind9(uint16_t* out);
DBERR IDX_GetNumSats(uint16_t* out);
DBERR IDX_GetNumFavs(uint16_t* out);

// The count of the whole service table for types 0, 1, 2 and 6; any other
// type stores 0 and returns DBERR_TABLE_INDEX. A null out: DBERR_NULL_ARG.
DBERR IDX_GetNumSvcs(uint32_t type, uint16_t* out);

// ---- Reads -----------------------------------------------------------------
// Each read zero-fills *out first. An index at or past the count gives
// DBERR_TABLE_INDEX; an entry whose address range leaves the image window
// gives DBERR_FLASH_RANGE (and zeros). A null out: DBERR_NULL_ARG.
DBERR IDX_ReadTsInfo(uint32_t index, TsInfo* out);
DBERR IDX_ReadTpInfo(uint32_t index, TpInfo* out);
DBERR IDX_ReadPrvInfo(uint32_t index, PrvInfo* out);
DBERR IDX_ReadKind9Record(uint32_t index, Kind9Record* out);

// As above; the record is copied only when its slot was written (LNB
// frequency not 0xFFFFFF), otherwise *out stays zero. 0 in both cases.
DBERR IDX_ReadSatInfo(uint32_t index, SatInfo* out);

// As above; the group is copied only when its count is at most 200,
// otherwise *out stays zero. 0 in both cases.
DBERR IDX_ReadFavInfo(uint32_t index, FavInfo* out);

// The entry index of the (n + 1)-th service of a type: type 6 takes entry n,
// types 0 and 1 count the stored records of that type, type 2 finds none.
// *outIndex is -1 unless found. Negative n: DBERR_TABLE_INDEX. No such
// entry (empty table, past the count, address 0): DBERR_TABLE_NOT_FOUND.
// A null out: DBERR_NULL_ARG.
DBERR IDX_GetNthSvcOfType(uint32_t type, int32_t n, int32_t* outIndex);

// True when address is one of the addresses of the kind-6 table.
bool IDX_IsTsIndexed(uint32_t address);

// Reads the n-th service of a type (see IDX_GetNthSvcOfType). *out is zeroed
// first; a type other than 0, 1, 2 and 6 gives DBERR_TABLE_INDEX; the
// look-up's error is returned as it is; a record whose TS address is not in
// the kind-6 table gives DBERR_TABLE_INDEX and stays zero; an address range
// outside the window gives DBERR_FLASH_RANGE. A null out: DBERR_NULL_ARG.
DBERR IDX_ReadSvcInfo(uint32_t type, int32_t n, SvcInfo* out);

// ---- Adds ------------------------------------------------------------------
// Write the record to a free slot of its kind and append the slot's address
// to the table; *outAddress gets it. A full table gives DBERR_TABLE_INDEX and
// nothing is written. A writer that finds no usable slot (the receiver's
// would wait, ours fails at once) also gives DBERR_TABLE_INDEX with the table
// unchanged. Null arguments: DBERR_NULL_ARG.
DBERR IDX_AddSvcInfo(const SvcInfo* record, uint32_t* outAddress);
DBERR IDX_AddTsInfo(const TsInfo* record, uint32_t* outAddress);
DBERR IDX_AddTpInfo(const TpInfo* record, uint32_t* outAddress);
DBERR IDX_AddPrvInfo(const PrvInfo* record, uint32_t* outAddress);
DBERR IDX_AddKind9Record(const Kind9Record* record, uint32_t* outAddress);
DBERR IDX_AddSatInfo(const SatInfo* record, uint32_t* outAddress);
DBERR IDX_AddFavInfo(const FavInfo* record, uint32_t* outAddress);

// Test seam for the failure paths of a commit: after `allowed` further adds
// succeed, every later one fails as a refused write does (DBERR_TABLE_INDEX,
// nothing written). A negative value (the start-up state, restored by
// DB_ResetAllState) never fails.
void IDX_SetAddFailAfter(int32_t allowed);

// ---- Clearing --------------------------------------------------------------
// Table numbers of IDX_ClearTable.
constexpr uint32_t IDX_TABLE_ALL = 0;
constexpr uint32_t IDX_TABLE_SVC = 1;
constexpr uint32_t IDX_TABLE_TS = 2;
constexpr uint32_t IDX_TABLE_KIND9 = 3;
constexpr uint32_t IDX_TABLE_KIND10 = 4;
constexpr uint32_t IDX_TABLE_PRV = 5;
constexpr uint32_t IDX_TABLE_SAT = 11;
constexpr uint32_t IDX_TABLE_FAV = 12;

// Zeroes one table, count included; 0 zeroes all eight (the transponder
// table only then). Other numbers do nothing. Returns 0.
DBERR IDX_ClearTable(uint32_t table);

// ---- Commit word -----------------------------------------------------------
// A word kept beside the tables; the commit sets it to 0.
uint32_t IDX_GetCommitWord();
void IDX_SetCommitWord(uint32_t word);
