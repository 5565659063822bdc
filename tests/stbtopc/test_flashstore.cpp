// The flash record store: format, slot allocation, writers, freeing and
// address checks.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "dberr.h"
#include "dbtest.h"
#include "flashstore.h"
#include "indexblocks.h"
#include "wrapper.h"

namespace {

uint8_t* sectorBytes(uint16_t sector) {
    return g_FlashImage + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
}

// The slot-state area with one 2-bit state changed, as a byte copy.
std::vector<uint8_t> withState(std::vector<uint8_t> area, uint32_t tableOffset, uint32_t slot,
                               uint8_t state) {
    uint8_t& byte = area[tableOffset + slot / 4];
    const unsigned shift = 6 - 2 * (slot % 4);
    byte = static_cast<uint8_t>((byte & ~(3u << shift)) | (state << shift));
    return area;
}

std::vector<uint8_t> stateAreaCopy() {
    const auto* p = reinterpret_cast<const uint8_t*>(&g_SlotStateArea);
    return {p, p + sizeof g_SlotStateArea};
}
std::vector<uint8_t> imageCopy() {
    return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE};
}

class FlashStoreTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(DB_InitFlashMap(6), 0);
        ASSERT_EQ(DB_FormatAll(), 0);
    }
};

TEST_F(FlashStoreTest, FormatAllFreesEverySlotAndMarksEverySector) {
    std::memset(g_FlashImage, 0x3C, FLASH_DB_SIZE); // old content everywhere, banks included
    std::memset(&g_SlotStateArea, 0xFF, sizeof g_SlotStateArea);
    std::memset(&g_FormatTable, 0, sizeof g_FormatTable);
    ASSERT_EQ(DB_FormatAll(), 0);

    for (uint32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(g_SlotStateArea.sectorState[i], SVC_SECTOR_OPEN) << i;
        for (uint32_t j = 0; j < SVC_SLOTS_PER_SECTOR; ++j)
            ASSERT_EQ(DB_GetSvcSlotState(i, j), SLOT_FREE) << i << "/" << j;
    }
    for (uint8_t kind = KIND_TS; kind <= KIND_FAV; ++kind)
        for (uint32_t j = 0; j < DB_KindCapacity(kind); ++j)
            ASSERT_EQ(DB_GetRecordSlotState(kind, j), SLOT_FREE) << int{kind} << "/" << j;

    for (uint16_t sector = 125; sector <= 132; ++sector) {
        const uint8_t* bytes = sectorBytes(sector);
        EXPECT_EQ(bytes[0xFFFE], 0xA5) << sector;
        EXPECT_EQ(bytes[0xFFFF], 0xA5) << sector;
        for (uint32_t k = 0; k < 0xFFFE; ++k)
            ASSERT_EQ(bytes[k], 0xFF) << sector << "+" << k;
    }
    for (uint16_t bank : {133, 134})
        for (uint32_t k = 0; k < FLASH_SECTOR_SIZE; ++k)
            ASSERT_EQ(sectorBytes(bank)[k], 0x3C) << "bank " << bank << " untouched";

    for (uint8_t i = 0; i < 6; ++i) {
        EXPECT_EQ(g_FormatTable.entries[i].type, FMT_SVC_SECTOR);
        EXPECT_EQ(g_FormatTable.entries[i].index, i);
    }
    EXPECT_EQ(g_FormatTable.entries[10].type, FMT_RECORD_SECTOR_A);
    EXPECT_EQ(g_FormatTable.entries[11].type, FMT_RECORD_SECTOR_B);
    EXPECT_EQ(g_FormatTable.entries[10].index | g_FormatTable.entries[11].index, 0);
    EXPECT_EQ(g_FormatTable.entries[6].type | g_FormatTable.entries[12].type, 0);
}

TEST_F(FlashStoreTest, ServiceAllocationGivesUpTheMarkSlotAndMovesToTheNextSector) {
    EXPECT_EQ(DB_AllocSvcSlot(), 0xA0760000u);
    EXPECT_EQ(DB_GetSvcSlotState(0, 0), SLOT_USED);
    uint32_t last = 0;
    for (int i = 2; i <= 1023; ++i)
        last = DB_AllocSvcSlot();
    EXPECT_EQ(last, 0xA076FF80u); // slot 1022, the last usable one
    EXPECT_EQ(g_SlotStateArea.sectorState[0], SVC_SECTOR_OPEN);

    EXPECT_EQ(DB_AllocSvcSlot(), 0xA0770000u); // the 1024th
    EXPECT_EQ(DB_GetSvcSlotState(0, 1023), SLOT_DEAD);
    EXPECT_EQ(g_SlotStateArea.sectorState[0], SVC_SECTOR_FULL);
    EXPECT_EQ(g_SlotStateArea.sectorState[1], SVC_SECTOR_OPEN);
    EXPECT_EQ(DB_AllocSvcSlot(), 0xA0770040u);
}

TEST_F(FlashStoreTest, ServiceSlotThatIsNotErasedIsMarkedDeadAndSkipped) {
    // The state says free, the flash disagrees: the slot must not be written over.
    g_FlashImage[63] = 0x00; // last byte of slot 0
    EXPECT_EQ(DB_AllocSvcSlot(), 0xA0760040u);
    EXPECT_EQ(DB_GetSvcSlotState(0, 0), SLOT_DEAD);
    EXPECT_EQ(DB_GetSvcSlotState(0, 1), SLOT_USED);
    EXPECT_EQ(g_FlashImage[63], 0x00);
}

// One writer per record kind, behind a common signature.
struct WriterCase {
    const char* name;
    uint8_t kind; // 0 for services
    uint32_t size;
    uint32_t slots; // usable slots before the writer runs dry
    uint16_t (*write)(const void* record, uint32_t* address);
};

uint32_t expectedAddress(const WriterCase& c, uint32_t i) {
    if (c.kind == 0) return 0xA0760000u + (i / 1023) * 0x10000u + (i % 1023) * 64u;
    return DB_GetFirstSlotAddress(c.kind) + i * c.size;
}

uint8_t expectedState(const WriterCase& c, uint32_t i) {
    if (c.kind == 0) return DB_GetSvcSlotState(i / 1023, i % 1023);
    return DB_GetRecordSlotState(c.kind, i);
}

const WriterCase kWriters[] = {
    {"ts", KIND_TS, 36, 1000,
     [](const void* r, uint32_t* a) { return DB_WriteTsRecord(static_cast<const TsInfo*>(r), a); }},
    {"tp", KIND_TP, 20, 800,
     [](const void* r, uint32_t* a) { return DB_WriteTpRecord(static_cast<const TpInfo*>(r), a); }},
    {"prv", KIND_PRV, 20, 500,
     [](const void* r, uint32_t* a) {
         return DB_WritePrvRecord(static_cast<const PrvInfo*>(r), a);
     }},
    {"kind9", KIND_9, 24, 200,
     [](const void* r, uint32_t* a) {
         return DB_WriteKind9Record(static_cast<const Kind9Record*>(r), a);
     }},
    {"kind10", KIND_10, 24, 200,
     [](const void* r, uint32_t* a) {
         return DB_WriteKind10Record(static_cast<const Kind10Record*>(r), a);
     }},
    {"sat", KIND_SAT, 28, 64,
     [](const void* r, uint32_t* a) {
         return DB_WriteSatRecord(static_cast<const SatInfo*>(r), a);
     }},
    {"fav", KIND_FAV, 424, 16,
     [](const void* r, uint32_t* a) {
         return DB_WriteFavRecord(static_cast<const FavInfo*>(r), a);
     }},
    {"svc", 0, 64, 6 * 1023,
     [](const void* r, uint32_t* a) {
         return DB_WriteSvcRecord(static_cast<const SvcInfo*>(r), a);
     }},
};

// Every writer fills its kind's slots in order with exactly the record's
// bytes, and once they are used up fails at once without touching anything.
TEST_F(FlashStoreTest, WritersFillTheirSlotsThenFailAtOnce) {
    for (const WriterCase& c : kWriters) {
        SCOPED_TRACE(c.name);
        DB_FormatAll();
        uint8_t record[sizeof(FavInfo)];
        for (uint32_t i = 0; i < c.slots; ++i) {
            for (uint32_t b = 0; b < c.size; ++b)
                record[b] = static_cast<uint8_t>(i * 7 + b);
            uint32_t address = 0;
            ASSERT_EQ(c.write(record, &address), 0) << i;
            ASSERT_EQ(address, expectedAddress(c, i)) << i;
            ASSERT_EQ(0, std::memcmp(g_FlashImage + (address - FLASH_DB_BASE), record, c.size));
            ASSERT_EQ(expectedState(c, i), SLOT_USED) << i;
        }
        std::vector<uint8_t> states = stateAreaCopy();
        const std::vector<uint8_t> image = imageCopy();
        if (c.kind == 0) {
            // The failing scan still learns that the last sector's mark slot
            // is no slot and that the sector is full; nothing else changes.
            states =
                withState(states, offsetof(SlotStateArea, svcSlots) + 5 * 257, 1023, SLOT_DEAD);
            states[5] = SVC_SECTOR_FULL;
        }
        uint32_t address = 0xDEADBEEFu;
        EXPECT_EQ(c.write(record, &address), 1);
        EXPECT_EQ(address, 0xDEADBEEFu);
        EXPECT_EQ(stateAreaCopy(), states);
        EXPECT_EQ(imageCopy(), image);
        EXPECT_EQ(c.write(record, &address), 1);
        EXPECT_EQ(stateAreaCopy(), states);
    }
}

TEST_F(FlashStoreTest, WritersRefuseNullArguments) {
    const std::vector<uint8_t> states = stateAreaCopy();
    TsInfo ts{};
    uint32_t address = 0;
    EXPECT_EQ(DB_WriteTsRecord(nullptr, &address), 1);
    EXPECT_EQ(DB_WriteTsRecord(&ts, nullptr), 1);
    EXPECT_EQ(DB_WriteSvcRecord(nullptr, &address), 1);
    EXPECT_EQ(stateAreaCopy(), states);
}

TEST_F(FlashStoreTest, AllocatorsServeOnlyTheirOwnKinds) {
    const std::vector<uint8_t> states = stateAreaCopy();
    for (uint8_t kind : {0, 5, 8, 9, 10, 11, 12, 13, 255})
        EXPECT_EQ(DB_AllocRecordSlot(kind), 0u);
    for (uint8_t kind : {0, 5, 6, 7, 13, 255})
        EXPECT_EQ(DB_AllocRecordSlot2(kind), 0u);
    EXPECT_EQ(stateAreaCopy(), states);
    EXPECT_EQ(DB_AllocRecordSlot(KIND_TP), 0xA07C8CA0u);
    EXPECT_EQ(DB_AllocRecordSlot2(KIND_FAV), 0xA07D5390u);
}

// Addresses come from files: only the start of one of the kind's own slots
// is accepted, by the address conversions and by dead marking alike.
struct AddressCase {
    uint8_t kind; // 0 for services
    uint32_t address;
    bool valid;
    uint16_t sector, slot;
};

const AddressCase kAddresses[] = {
    {0, 0xA0760000u, true, 0, 0},
    {0, 0xA0770040u, true, 1, 1},
    {0, 0xA07BFFC0u, true, 5, 1023},
    {0, 0xA0770041u, false, 0, 0}, // inside a slot
    {0, 0xA075FFC0u, false, 0, 0}, // below the service sectors
    {0, 0xA07C0000u, false, 0, 0}, // record sector A is no service sector
    {KIND_TS, 0xA07C0000u, true, 0, 0},
    {KIND_TS, 0xA07C0000u + 999 * 36, true, 0, 999},
    {KIND_TS, 0xA07C0000u + 1000 * 36, false, 0, 0}, // first kind-7 slot
    {KIND_TS, 0xA07C0000u + 18, false, 0, 0},
    {KIND_TP, 0xA07C8CA0u, true, 0, 0},
    {KIND_TP, 0xA07C8CA0u + 799 * 20, true, 0, 799},
    {KIND_TP, 0xA07C0000u + 36, false, 0, 0}, // a kind-6 slot
    {KIND_TP, 0xA07C8CA0u + 10, false, 0, 0},
    {KIND_TP, 0xA07C8CA0u + 800 * 20, false, 0, 0}, // past the table
    {KIND_TP, 0xA07CFFFEu, false, 0, 0},            // the sector mark
    {KIND_PRV, 0xA07D0000u, true, 0, 0},
    {KIND_PRV, 0xA07C0000u, false, 0, 0}, // other sector
    {KIND_9, 0xA07D2710u + 24, true, 0, 1},
    {KIND_10, 0xA07D39D0u + 199 * 24, true, 0, 199},
    {KIND_10, 0xA07D2710u, false, 0, 0}, // a kind-9 slot
    {KIND_SAT, 0xA07D4C90u + 63 * 28, true, 0, 63},
    {KIND_SAT, 0xA07D4C90u + 64 * 28, false, 0, 0}, // first kind-12 slot
    {KIND_FAV, 0xA07D5390u + 15 * 424, true, 0, 15},
    {KIND_FAV, 0xA07D5390u + 16 * 424, false, 0, 0},
    {KIND_FAV, 0xFFFFFFC0u, false, 0, 0},
};

uint16_t addrToSlot(uint8_t kind, uint32_t address, uint16_t* sector, uint16_t* slot) {
    if (kind == 0) return DB_AddrToSvcSlot(address, sector, slot);
    if (kind <= KIND_TP) return DB_AddrToRecordSlot(kind, address, sector, slot);
    return DB_AddrToRecordSlot2(kind, address, sector, slot);
}
uint16_t markDead(uint8_t kind, uint32_t address) {
    if (kind == 0) return DB_MarkSvcSlotDead(address);
    if (kind <= KIND_TP) return DB_MarkRecordSlotDead(kind, address);
    return DB_MarkRecordSlotDead2(kind, address);
}

TEST_F(FlashStoreTest, AddressesOutsideTheKindsSlotsAreRefusedAndChangeNothing) {
    for (const AddressCase& c : kAddresses) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << int{c.kind} << " at " << std::hex << c.address);
        uint16_t sector = 0x7777, slot = 0x7777;
        const uint16_t result = addrToSlot(c.kind, c.address, &sector, &slot);
        const std::vector<uint8_t> before = stateAreaCopy();
        const uint16_t marked = markDead(c.kind, c.address);
        if (c.valid) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(sector, c.sector);
            EXPECT_EQ(slot, c.slot);
            EXPECT_EQ(marked, 0);
            const uint8_t state = c.kind == 0 ? DB_GetSvcSlotState(c.sector, c.slot)
                                              : DB_GetRecordSlotState(c.kind, c.slot);
            EXPECT_EQ(state, SLOT_DEAD);
            if (c.kind == 0)
                DB_FormatSector(FMT_SVC_SECTOR, c.sector);
            else
                DB_FormatAll();
        } else {
            EXPECT_EQ(result, c.kind == 0 ? 1 : DBERR_TABLE_INDEX);
            EXPECT_EQ(sector, 0x7777);
            EXPECT_EQ(slot, 0x7777);
            EXPECT_EQ(marked, 1);
            EXPECT_EQ(stateAreaCopy(), before);
        }
    }
}

TEST_F(FlashStoreTest, KindsOfTheOtherSectorAreRefused) {
    // A wrong kind is a failure, not a silent success.
    const std::vector<uint8_t> states = stateAreaCopy();
    uint16_t sector = 0, slot = 0;
    EXPECT_EQ(DB_MarkRecordSlotDead(KIND_PRV, 0xA07D0000u), 1);
    EXPECT_EQ(DB_MarkRecordSlotDead2(KIND_TS, 0xA07C0000u), 1);
    EXPECT_EQ(DB_MarkRecordSlotDead(5, 0xA07C0000u), 1);
    EXPECT_EQ(DB_AddrToRecordSlot(KIND_PRV, 0xA07D0000u, &sector, &slot), DBERR_TABLE_INDEX);
    EXPECT_EQ(DB_AddrToRecordSlot2(KIND_TS, 0xA07C0000u, &sector, &slot), DBERR_TABLE_INDEX);
    EXPECT_EQ(DB_AddrToRecordSlot(KIND_TS, 0xA07C0000u, nullptr, &slot), DBERR_NULL_ARG);
    EXPECT_EQ(DB_AddrToSvcSlot(0xA0760000u, &sector, nullptr), 1);
    EXPECT_EQ(stateAreaCopy(), states);
}

TEST_F(FlashStoreTest, FreedSlotsStayDeadUntilTheSectorIsFormatted) {
    TsInfo ts{};
    uint32_t first = 0, second = 0;
    ASSERT_EQ(DB_WriteTsRecord(&ts, &first), 0);
    EXPECT_EQ(DB_FreeTsRecord(first), 0);
    EXPECT_EQ(DB_FreeTsRecord(first), 0);
    EXPECT_EQ(DB_GetRecordSlotState(KIND_TS, 0), SLOT_DEAD);
    ASSERT_EQ(DB_WriteTsRecord(&ts, &second), 0);
    EXPECT_EQ(second, first + sizeof(TsInfo)); // the dead slot is not reused

    SatInfo sat{};
    ASSERT_EQ(DB_WriteSatRecord(&sat, &first), 0);
    EXPECT_EQ(DB_FreeSatRecord(first), 0);
    EXPECT_EQ(DB_GetRecordSlotState(KIND_SAT, 0), SLOT_DEAD);
    EXPECT_EQ(DB_FreeTpRecord(first), 1); // a satellite's address is no transponder's

    EXPECT_EQ(DB_FormatSector(FMT_RECORD_SECTOR_A, 0), 0);
    EXPECT_EQ(DB_GetRecordSlotState(KIND_TS, 0), SLOT_FREE);
    EXPECT_EQ(DB_GetRecordSlotState(KIND_SAT, 0), SLOT_DEAD); // sector B is not formatted
}

struct FormatCase {
    uint32_t type, index;
    uint16_t result;
    int erasedSector; // the one sector that changes, -1 none
};

TEST_F(FlashStoreTest, FormatSectorTouchesOnlyItsSector) {
    const FormatCase cases[] = {
        {FMT_SVC_SECTOR, 3, 0, 128},
        {FMT_SVC_SECTOR, 5, 0, 130},
        {FMT_SVC_SECTOR, 6, 1, -1},
        {FMT_SVC_SECTOR, 0xFFFFFFFFu, 1, -1},
        {FMT_RECORD_SECTOR_A, 1, 1, -1},
        {FMT_RECORD_SECTOR_B, 1, 1, -1},
        {FMT_RECORD_SECTOR_B, 0, 0, 132},
        {FMT_BACKUP_BANK, 0, 0, 134},
        {1, 0, 0, -1},
        {6, 0, 0, -1},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " index " << c.index);
        std::memset(g_FlashImage, 0x3C, FLASH_DB_SIZE);
        std::memset(&g_SlotStateArea, 0xAA, sizeof g_SlotStateArea); // every slot used
        EXPECT_EQ(DB_FormatSector(c.type, c.index), c.result);
        for (uint16_t sector = 125; sector <= 134; ++sector) {
            const uint8_t* bytes = sectorBytes(sector);
            const bool erased = sector == c.erasedSector;
            const bool marked = erased && sector != 134;
            EXPECT_EQ(bytes[0], erased ? 0xFF : 0x3C) << sector;
            EXPECT_EQ(bytes[0xFFFF], marked ? 0xA5 : erased ? 0xFF : 0x3C) << sector;
        }
        for (uint32_t i = 0; i < 6; ++i) {
            const bool formatted = c.erasedSector == static_cast<int>(125 + i);
            EXPECT_EQ(g_SlotStateArea.sectorState[i], formatted ? SVC_SECTOR_OPEN : 0xAA) << i;
            EXPECT_EQ(DB_GetSvcSlotState(i, 1023), formatted ? SLOT_FREE : SLOT_USED) << i;
        }
        const bool sectorB = c.erasedSector == 132;
        EXPECT_EQ(DB_GetRecordSlotState(KIND_FAV, 15), sectorB ? SLOT_FREE : SLOT_USED);
        EXPECT_EQ(DB_GetRecordSlotState(KIND_TP, 0), SLOT_USED);
    }
}

TEST_F(FlashStoreTest, FlashMapLimitsTheServiceSectors) {
    EXPECT_EQ(DB_InitFlashMap(0), DBERR_TABLE_INDEX);
    EXPECT_EQ(DB_InitFlashMap(7), DBERR_TABLE_INDEX);
    EXPECT_EQ(DB_GetSvcSectorCount(), 6u);

    ASSERT_EQ(DB_InitFlashMap(2), 0);
    std::memset(g_FlashImage, 0x3C, FLASH_DB_SIZE);
    DB_FormatAll();
    EXPECT_EQ(sectorBytes(126)[0], 0xFF);
    EXPECT_EQ(sectorBytes(127)[0], 0x3C); // not one of the map's sectors
    EXPECT_EQ(DB_GetSvcSectorAddress(1), 0xA0770000u);
    EXPECT_EQ(DB_GetSvcSectorAddress(2), 0u);
    for (int i = 0; i < 2 * 1023; ++i)
        ASSERT_NE(DB_AllocSvcSlot(), 0u) << i;
    EXPECT_EQ(DB_AllocSvcSlot(), 0u);
    EXPECT_EQ(DB_MarkSvcSlotDead(0xA0780000u), 1); // sector 2 lies outside this map
}

} // namespace
