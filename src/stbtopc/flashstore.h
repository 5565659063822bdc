// The flash record store: fixed-size records in slots of flash sectors, as
// the receiver keeps them on NOR flash. A slot is written once after an
// erase; a record that changes goes to a new slot and the old one is marked
// dead; dead slots come back only when their sector is formatted. One 2-bit
// state per slot lives in g_SlotStateArea (indexblocks.h), which the index
// bank saves.
//
// Flash map:
//   sectors 125 .. 124 + n   service sectors, 1024 slots of 64 bytes each
//   sector 131               kind 6 at +0 (1000 x 36), kind 7 at +36000 (800 x 20)
//   sector 132               kind 8 at +0 (500 x 20), 9 at +10000 (200 x 24),
//                            10 at +14800 (200 x 24), 11 at +19600 (64 x 28),
//                            12 at +21392 (16 x 424)
//   sectors 133, 134         primary and backup index bank (indexbank.h)
// Every formatted sector ends in the mark A5 A5 (offset 0xFFFE), so the last
// slot of a service sector is never handed out.
//
// The writers never wait for a slot: with none free they fail at once.
#pragma once
#include <cstdint>

#include "dbrecords.h"
#include "indexblocks.h"

constexpr uint16_t DB_FIRST_SVC_SECTOR = 125;
constexpr uint16_t DB_LAST_SVC_SECTOR = 130;
constexpr uint32_t DB_MAX_SVC_SECTORS = 6;
constexpr uint16_t DB_RECORD_SECTOR_A = 131;
constexpr uint16_t DB_RECORD_SECTOR_B = 132;
constexpr uint16_t DB_PRIMARY_BANK_SECTOR = 133;
constexpr uint16_t DB_BACKUP_BANK_SECTOR = 134;

constexpr uint32_t DB_SVC_SECTOR_BASE = 0xA0760000u;
constexpr uint32_t DB_RECORD_SECTOR_A_BASE = 0xA07C0000u;
constexpr uint32_t DB_RECORD_SECTOR_B_BASE = 0xA07D0000u;
constexpr uint32_t DB_SVC_RECORD_SIZE = sizeof(SvcInfo);

constexpr uint16_t DB_SECTOR_MARK = 0xA5A5;
constexpr uint32_t DB_SECTOR_MARK_OFFSET = 0xFFFE;

// ---- Flash map -------------------------------------------------------------
// Sets the number of service sectors (the document passes 6). Returns 0; a
// count of 0 or above 6 returns DBERR_TABLE_INDEX and keeps the old map.
uint16_t DB_InitFlashMap(uint32_t svcSectorCount);

// Number of service sectors of the map (0 before DB_InitFlashMap).
uint32_t DB_GetSvcSectorCount();

// Flash address of service sector i, or 0 when i is not one of the map's.
uint32_t DB_GetSvcSectorAddress(uint32_t index);

// Flash address of the first slot of a record kind (6-12), or 0.
uint32_t DB_GetFirstSlotAddress(uint8_t kind);

// State (SLOT_) of slot j of a record kind, or of slot j of service sector i;
// 0xFF when the kind, sector or slot does not exist.
uint8_t DB_GetRecordSlotState(uint8_t kind, uint32_t slot);
uint8_t DB_GetSvcSlotState(uint32_t sectorIndex, uint32_t slot);

// ---- Allocation ------------------------------------------------------------
// The first free slot of kind 6 or 7 (DB_AllocRecordSlot), of kinds 8-12
// (DB_AllocRecordSlot2), becomes used; returns its flash address. Returns 0,
// changing nothing, when no slot is free or the kind is not the function's.
uint32_t DB_AllocRecordSlot(uint8_t kind);
uint32_t DB_AllocRecordSlot2(uint8_t kind);

// Returns a usable service slot, now marked used, or 0 when none is left.
// A free slot whose flash bytes are not all 0xFF is marked dead and passed
// over; a sector in which no slot was found is marked full.
uint32_t DB_AllocSvcSlot();

// ---- Writers ---------------------------------------------------------------
// Each writes its record to a slot taken from the kind's allocator, reads it
// back and compares; a mismatch marks that slot dead and tries the next one.
// Returns 0 and stores the address in *outAddress on success. Returns 1 when
// no slot is free or an argument is null; then *outAddress is as before and
// no slot is taken (the service scan may still mark a slot it finds not
// erased dead and a sector without a usable slot full, which is true).
uint16_t DB_WriteTsRecord(const TsInfo* record, uint32_t* outAddress);
uint16_t DB_WriteTpRecord(const TpInfo* record, uint32_t* outAddress);
uint16_t DB_WritePrvRecord(const PrvInfo* record, uint32_t* outAddress);
uint16_t DB_WriteKind9Record(const Kind9Record* record, uint32_t* outAddress);
uint16_t DB_WriteKind10Record(const Kind10Record* record, uint32_t* outAddress);
uint16_t DB_WriteSatRecord(const SatInfo* record, uint32_t* outAddress);
uint16_t DB_WriteFavRecord(const FavInfo* record, uint32_t* outAddress);
uint16_t DB_WriteSvcRecord(const SvcInfo* record, uint32_t* outAddress);

// ---- Freeing ---------------------------------------------------------------
// Marks the slot at a flash address dead (kind 6 or 7 for
// DB_MarkRecordSlotDead, 8-12 for DB_MarkRecordSlotDead2). Returns 0. The
// address must be the start of one of that kind's slots; any other address,
// or a kind that is not the function's, returns 1 and changes nothing.
uint16_t DB_MarkRecordSlotDead(uint8_t kind, uint32_t address);
uint16_t DB_MarkRecordSlotDead2(uint8_t kind, uint32_t address);

// The same for a service slot of one of the map's service sectors.
uint16_t DB_MarkSvcSlotDead(uint32_t address);

// Kind-specific forms of the above, same results.
uint16_t DB_FreeTsRecord(uint32_t address);
uint16_t DB_FreeTpRecord(uint32_t address);
uint16_t DB_FreePrvRecord(uint32_t address);
uint16_t DB_FreeKind9Record(uint32_t address);
uint16_t DB_FreeKind10Record(uint32_t address);
uint16_t DB_FreeSatRecord(uint32_t address);
uint16_t DB_FreeFavRecord(uint32_t address);

// ---- Address to slot -------------------------------------------------------
// Sector index (always 0) and slot number of a kind's slot at a flash address
// (kinds 6, 7 for DB_AddrToRecordSlot, 8-12 for DB_AddrToRecordSlot2).
// Returns 0. An address that is not the start of one of the kind's slots, or
// a kind that is not the function's, gives DBERR_TABLE_INDEX; a null out
// gives DBERR_NULL_ARG; the outs are then left as they were.
uint16_t DB_AddrToRecordSlot(uint8_t kind, uint32_t address, uint16_t* outSector,
                             uint16_t* outSlot);
uint16_t DB_AddrToRecordSlot2(uint8_t kind, uint32_t address, uint16_t* outSector,
                              uint16_t* outSlot);

// Service sector index and slot of a service slot address. Returns 0; 1 for
// an address that is not a slot start in one of the map's service sectors or
// for a null out (the outs are then left as they were).
uint16_t DB_AddrToSvcSlot(uint32_t address, uint16_t* outSector, uint16_t* outSlot);

// ---- Formatting ------------------------------------------------------------
// Formats one sector: type 2 service sector 125 + index (index up to 5),
// type 3 record sector A and type 4 record sector B (index 0): erase, write
// the mark, set the sector's slots free. Type 5 erases the backup bank.
// Returns 0; 1 for a service index above 5 or a record-sector index other
// than 0 (then nothing changes). Other types do nothing and return 0.
uint16_t DB_FormatSector(uint32_t type, uint32_t index);

// Fills the format table and formats every service sector of the map, then
// record sectors A and B. The index banks are not touched. Returns 0.
uint16_t DB_FormatAll();
