// The program-wide blocks that the index bank saves, one per bank section,
// each laid out byte for byte as its section (little-endian) so that the
// bank moves it with a single memcpy:
//
//   section 0  g_SlotStateArea   slot states of every slot table (record store)
//   section 1  g_FormatTable     which sector holds what (record store)
//   section 2  g_SvcIndex        flash addresses of the stored services
//   section 3  g_PrvIndex        kind 8
//   section 4  g_Kind9Index      kind 9
//   section 5  g_Kind10Index     kind 10
//   section 6  g_TsIndex         kind 6
//   section 7  g_TpIndex         kind 7
//   section 8  g_SatIndex        kind 11
//   section 9  g_FavIndex        kind 12
//
// g_SlotStateArea and g_FormatTable live with the record store
// (flashstore.cpp), the index tables with the bank (indexbank.cpp); each
// module's reset hook zeroes its own blocks.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dbrecords.h"

// ---- Section 0: slot-state area --------------------------------------------
// Two bits per slot: slot j of a table sits in byte j / 4 at shift
// 6 - 2 * (j mod 4), slot 0 in the top two bits.
constexpr uint8_t SLOT_UNFORMATTED = 0;
constexpr uint8_t SLOT_FREE = 1; // erased, may be allocated
constexpr uint8_t SLOT_USED = 2;
constexpr uint8_t SLOT_DEAD = 3; // written over or freed; back only by a format

// Service sector bytes.
constexpr uint8_t SVC_SECTOR_OPEN = 1; // may have free slots
constexpr uint8_t SVC_SECTOR_FULL = 2;

constexpr uint32_t SLOT_AREA_SVC_SECTORS = 10;     // room for ten, six are ever used
constexpr uint32_t SLOT_AREA_SVC_TABLE_SIZE = 257; // 1024 slots and one spare byte

struct SlotStateArea {
    uint8_t sectorState[SLOT_AREA_SVC_SECTORS];                        // 0
    uint8_t svcSlots[SLOT_AREA_SVC_SECTORS][SLOT_AREA_SVC_TABLE_SIZE]; // 10
    uint8_t tsSlots[TS_CAPACITY / 4];                                  // 2580
    uint8_t tpSlots[TP_CAPACITY / 4];                                  // 2830
    uint8_t prvSlots[PRV_CAPACITY / 4];                                // 3030
    uint8_t kind9Slots[KIND9_CAPACITY / 4];                            // 3155
    uint8_t kind10Slots[KIND10_CAPACITY / 4];                          // 3205
    uint8_t satSlots[SAT_CAPACITY / 4];                                // 3255
    uint8_t favSlots[FAV_CAPACITY / 4];                                // 3271
    uint8_t unused[5];                                                 // 3275
};
static_assert(sizeof(SlotStateArea) == 3280);
static_assert(offsetof(SlotStateArea, svcSlots) == 10);
static_assert(offsetof(SlotStateArea, tsSlots) == 2580);
static_assert(offsetof(SlotStateArea, tpSlots) == 2830);
static_assert(offsetof(SlotStateArea, prvSlots) == 3030);
static_assert(offsetof(SlotStateArea, kind9Slots) == 3155);
static_assert(offsetof(SlotStateArea, kind10Slots) == 3205);
static_assert(offsetof(SlotStateArea, satSlots) == 3255);
static_assert(offsetof(SlotStateArea, favSlots) == 3271);
static_assert(offsetof(SlotStateArea, unused) == 3275);

// ---- Section 1: format table -----------------------------------------------
// Sector types of the format table and of DB_FormatSector.
constexpr uint8_t FMT_SVC_SECTOR = 2;
constexpr uint8_t FMT_RECORD_SECTOR_A = 3; // kinds 6 and 7
constexpr uint8_t FMT_RECORD_SECTOR_B = 4; // kinds 8 to 12
constexpr uint8_t FMT_BACKUP_BANK = 5;

struct FormatEntry {
    uint8_t type;  // FMT_
    uint8_t index; // within the type
};
constexpr uint32_t FORMAT_ENTRY_RECORD_A = 10;
constexpr uint32_t FORMAT_ENTRY_RECORD_B = 11;

// Entries 0-9 the service sectors, 10 record sector A, 11 record sector B,
// 12 unused.
struct FormatTable {
    FormatEntry entries[13];
};
static_assert(sizeof(FormatTable) == 26);

// ---- Sections 2-9: index tables --------------------------------------------
// A count, two unused bytes, then one flash address per slot of the kind's
// capacity. Entries 0 to count - 1 are valid, in the order of writing. A
// count above the capacity never comes out of a bank load.
template <uint32_t Capacity> struct IndexTable {
    static constexpr uint32_t capacity = Capacity;
    uint16_t count;
    uint8_t reserved[2];
    uint32_t addresses[Capacity];
};

using SvcIndexTable = IndexTable<MAX_SERVICES>;
using TsIndexTable = IndexTable<TS_CAPACITY>;
using TpIndexTable = IndexTable<TP_CAPACITY>;
using PrvIndexTable = IndexTable<PRV_CAPACITY>;
using Kind9IndexTable = IndexTable<KIND9_CAPACITY>;
using Kind10IndexTable = IndexTable<KIND10_CAPACITY>;
using SatIndexTable = IndexTable<SAT_CAPACITY>;
using FavIndexTable = IndexTable<FAV_CAPACITY>;

static_assert(offsetof(SvcIndexTable, count) == 0 && offsetof(SvcIndexTable, addresses) == 4);
static_assert(offsetof(FavIndexTable, addresses) == 4);
static_assert(sizeof(SvcIndexTable) == 24004);
static_assert(sizeof(PrvIndexTable) == 2004);
static_assert(sizeof(Kind9IndexTable) == 804 && sizeof(Kind10IndexTable) == 804);
static_assert(sizeof(TsIndexTable) == 4004);
static_assert(sizeof(TpIndexTable) == 3204);
static_assert(sizeof(SatIndexTable) == 260);
static_assert(sizeof(FavIndexTable) == 68);

// ---- The blocks ------------------------------------------------------------
extern SlotStateArea g_SlotStateArea; // flashstore.cpp
extern FormatTable g_FormatTable;     // flashstore.cpp
extern SvcIndexTable g_SvcIndex;      // indexbank.cpp, and the rest below
extern PrvIndexTable g_PrvIndex;
extern Kind9IndexTable g_Kind9Index;
extern Kind10IndexTable g_Kind10Index;
extern TsIndexTable g_TsIndex;
extern TpIndexTable g_TpIndex;
extern SatIndexTable g_SatIndex;
extern FavIndexTable g_FavIndex;
