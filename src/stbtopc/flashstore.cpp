#include "flashstore.h"

#include <cstring>

#include "dberr.h"
#include "dbstate.h"
#include "wrapper.h"

SlotStateArea g_SlotStateArea;
FormatTable g_FormatTable;

namespace {

// Where each record kind lives: fixed by the receiver's flash layout.
struct KindLayout {
    uint32_t firstSlot; // flash address
    uint32_t recordSize;
    uint32_t capacity;
    uint8_t* states; // the kind's table in g_SlotStateArea
};

// The service sectors of the map (the one part that is set at start-up).
uint32_t g_SvcSectorCount = 0;

void resetFlashStore() {
    std::memset(&g_SlotStateArea, 0, sizeof g_SlotStateArea);
    std::memset(&g_FormatTable, 0, sizeof g_FormatTable);
    g_SvcSectorCount = 0;
}
DB_ResetHook g_resetHook(resetFlashStore);

bool layoutOf(uint8_t kind, KindLayout& out) {
    SlotStateArea& a = g_SlotStateArea;
    switch (kind) {
    case KIND_TS:
        out = {DB_RECORD_SECTOR_A_BASE, sizeof(TsInfo), TS_CAPACITY, a.tsSlots};
        break;
    case KIND_TP:
        out = {DB_RECORD_SECTOR_A_BASE + 36000, sizeof(TpInfo), TP_CAPACITY, a.tpSlots};
        break;
    case KIND_PRV:
        out = {DB_RECORD_SECTOR_B_BASE, sizeof(PrvInfo), PRV_CAPACITY, a.prvSlots};
        break;
    case KIND_9:
        out = {DB_RECORD_SECTOR_B_BASE + 10000, sizeof(Kind9Record), KIND9_CAPACITY, a.kind9Slots};
        break;
    case KIND_10:
        out = {DB_RECORD_SECTOR_B_BASE + 14800, sizeof(Kind10Record), KIND10_CAPACITY,
               a.kind10Slots};
        break;
    case KIND_SAT:
        out = {DB_RECORD_SECTOR_B_BASE + 19600, sizeof(SatInfo), SAT_CAPACITY, a.satSlots};
        break;
    case KIND_FAV:
        out = {DB_RECORD_SECTOR_B_BASE + 21392, sizeof(FavInfo), FAV_CAPACITY, a.favSlots};
        break;
    default:
        return false;
    }
    return true;
}

// The slot tables end before the mark at the end of their sector.
static_assert(36000 + TP_CAPACITY * sizeof(TpInfo) <= DB_SECTOR_MARK_OFFSET);
static_assert(21392 + FAV_CAPACITY * sizeof(FavInfo) <= DB_SECTOR_MARK_OFFSET);

bool isSectorAKind(uint8_t kind) {
    return kind == KIND_TS || kind == KIND_TP;
}
bool isSectorBKind(uint8_t kind) {
    return kind >= KIND_PRV && kind <= KIND_FAV;
}

uint8_t getState(const uint8_t* table, uint32_t slot) {
    return static_cast<uint8_t>((table[slot / 4] >> (6 - 2 * (slot % 4))) & 3u);
}
void setState(uint8_t* table, uint32_t slot, uint8_t state) {
    const unsigned shift = 6 - 2 * (slot % 4);
    table[slot / 4] = static_cast<uint8_t>((table[slot / 4] & ~(3u << shift)) | (state << shift));
}

// The slot of a kind that starts at address, when there is one.
bool recordSlotAt(const KindLayout& k, uint32_t address, uint32_t& slot) {
    if (address < k.firstSlot) return false;
    const uint32_t offset = address - k.firstSlot;
    if (offset % k.recordSize != 0 || offset / k.recordSize >= k.capacity) return false;
    slot = offset / k.recordSize;
    return true;
}

// The service sector and slot that start at address, when there are.
bool svcSlotAt(uint32_t address, uint32_t& sector, uint32_t& slot) {
    if (address < DB_SVC_SECTOR_BASE) return false;
    const uint32_t offset = address - DB_SVC_SECTOR_BASE;
    if (offset / FLASH_SECTOR_SIZE >= g_SvcSectorCount || offset % DB_SVC_RECORD_SIZE != 0)
        return false;
    sector = offset / FLASH_SECTOR_SIZE;
    slot = (offset % FLASH_SECTOR_SIZE) / DB_SVC_RECORD_SIZE;
    return true;
}

uint32_t allocKindSlot(uint8_t kind) {
    KindLayout k;
    if (!layoutOf(kind, k)) return 0;
    for (uint32_t j = 0; j < k.capacity; ++j) {
        if (getState(k.states, j) != SLOT_FREE) continue;
        setState(k.states, j, SLOT_USED);
        return k.firstSlot + j * k.recordSize;
    }
    return 0;
}

uint16_t markKindSlotDead(uint8_t kind, uint32_t address) {
    KindLayout k;
    uint32_t slot = 0;
    if (!layoutOf(kind, k) || !recordSlotAt(k, address, slot)) return 1;
    setState(k.states, slot, SLOT_DEAD);
    return 0;
}

uint16_t kindSlotOf(uint8_t kind, uint32_t address, uint16_t* outSector, uint16_t* outSlot) {
    if (outSector == nullptr || outSlot == nullptr) return DBERR_NULL_ARG;
    KindLayout k;
    uint32_t slot = 0;
    if (!layoutOf(kind, k) || !recordSlotAt(k, address, slot)) return DBERR_TABLE_INDEX;
    *outSector = 0; // one sector per kind
    *outSlot = static_cast<uint16_t>(slot);
    return 0;
}

using Allocator = uint32_t (*)();
using Freer = uint16_t (*)(uint32_t);

// The writers' common steps. A slot that does not read back as written is
// given up and the next one tried; every try uses up a slot, so the loop
// ends when the kind runs out.
uint16_t writeRecord(const void* record, uint32_t size, Allocator alloc, Freer markDead,
                     uint32_t* outAddress) {
    if (record == nullptr || outAddress == nullptr) return 1;
    uint8_t readBack[sizeof(FavInfo)]; // the largest record
    static_assert(sizeof(FavInfo) >= sizeof(SvcInfo));
    for (;;) {
        const uint32_t address = alloc();
        // On the receiver the writer waited here for another task to free a
        // slot; on the PC nothing ever would, so it reports the lack at once.
        if (address == 0) return 1;
        WRAP_FlashWrite(address, size, record);
        WRAP_FlashRead(address, size, readBack);
        if (std::memcmp(readBack, record, size) == 0) {
            *outAddress = address;
            return 0;
        }
        markDead(address);
    }
}

template <uint8_t Kind> uint32_t allocSectorA() {
    return DB_AllocRecordSlot(Kind);
}
template <uint8_t Kind> uint32_t allocSectorB() {
    return DB_AllocRecordSlot2(Kind);
}

void writeMark(uint16_t sector) {
    const uint8_t mark[2] = {DB_SECTOR_MARK & 0xFF, DB_SECTOR_MARK >> 8};
    WRAP_FlashWrite(WRAP_SectorAddress(sector) + DB_SECTOR_MARK_OFFSET, sizeof mark, mark);
}

void setKindFree(uint8_t kind) {
    KindLayout k;
    if (layoutOf(kind, k)) std::memset(k.states, 0x55, k.capacity / 4); // 01 01 01 01
}

} // namespace

uint16_t DB_InitFlashMap(uint32_t svcSectorCount) {
    if (svcSectorCount == 0 || svcSectorCount > DB_MAX_SVC_SECTORS) return DBERR_TABLE_INDEX;
    g_SvcSectorCount = svcSectorCount;
    return 0;
}

uint32_t DB_GetSvcSectorCount() {
    return g_SvcSectorCount;
}

uint32_t DB_GetSvcSectorAddress(uint32_t index) {
    return index < g_SvcSectorCount ? DB_SVC_SECTOR_BASE + index * FLASH_SECTOR_SIZE : 0;
}

uint32_t DB_GetFirstSlotAddress(uint8_t kind) {
    KindLayout k;
    return layoutOf(kind, k) ? k.firstSlot : 0;
}

uint8_t DB_GetRecordSlotState(uint8_t kind, uint32_t slot) {
    KindLayout k;
    if (!layoutOf(kind, k) || slot >= k.capacity) return 0xFF;
    return getState(k.states, slot);
}

uint8_t DB_GetSvcSlotState(uint32_t sectorIndex, uint32_t slot) {
    if (sectorIndex >= SLOT_AREA_SVC_SECTORS || slot >= SVC_SLOTS_PER_SECTOR) return 0xFF;
    return getState(g_SlotStateArea.svcSlots[sectorIndex], slot);
}

uint32_t DB_AllocRecordSlot(uint8_t kind) {
    return isSectorAKind(kind) ? allocKindSlot(kind) : 0;
}

uint32_t DB_AllocRecordSlot2(uint8_t kind) {
    return isSectorBKind(kind) ? allocKindSlot(kind) : 0;
}

uint32_t DB_AllocSvcSlot() {
    uint8_t bytes[DB_SVC_RECORD_SIZE];
    for (uint32_t i = 0; i < g_SvcSectorCount; ++i) {
        if (g_SlotStateArea.sectorState[i] == SVC_SECTOR_FULL) continue;
        uint8_t* states = g_SlotStateArea.svcSlots[i];
        const uint32_t base = DB_SVC_SECTOR_BASE + i * FLASH_SECTOR_SIZE;
        for (uint32_t j = 0; j < SVC_SLOTS_PER_SECTOR; ++j) {
            if (getState(states, j) != SLOT_FREE) continue;
            const uint32_t address = base + j * DB_SVC_RECORD_SIZE;
            WRAP_FlashRead(address, sizeof bytes, bytes);
            bool erased = true;
            for (uint8_t b : bytes)
                erased = erased && b == 0xFF;
            // Flash that does not match its state (the sector mark, or a
            // record the state area does not know of) is never written over.
            if (!erased) {
                setState(states, j, SLOT_DEAD);
                continue;
            }
            setState(states, j, SLOT_USED);
            return address;
        }
        g_SlotStateArea.sectorState[i] = SVC_SECTOR_FULL;
    }
    return 0;
}

uint16_t DB_WriteTsRecord(const TsInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(TsInfo), allocSectorA<KIND_TS>, DB_FreeTsRecord, outAddress);
}
uint16_t DB_WriteTpRecord(const TpInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(TpInfo), allocSectorA<KIND_TP>, DB_FreeTpRecord, outAddress);
}
uint16_t DB_WritePrvRecord(const PrvInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(PrvInfo), allocSectorB<KIND_PRV>, DB_FreePrvRecord,
                       outAddress);
}
uint16_t DB_WriteKind9Record(const Kind9Record* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(Kind9Record), allocSectorB<KIND_9>, DB_FreeKind9Record,
                       outAddress);
}
uint16_t DB_WriteKind10Record(const Kind10Record* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(Kind10Record), allocSectorB<KIND_10>, DB_FreeKind10Record,
                       outAddress);
}
uint16_t DB_WriteSatRecord(const SatInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(SatInfo), allocSectorB<KIND_SAT>, DB_FreeSatRecord,
                       outAddress);
}
uint16_t DB_WriteFavRecord(const FavInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(FavInfo), allocSectorB<KIND_FAV>, DB_FreeFavRecord,
                       outAddress);
}
uint16_t DB_WriteSvcRecord(const SvcInfo* record, uint32_t* outAddress) {
    return writeRecord(record, sizeof(SvcInfo), DB_AllocSvcSlot, DB_MarkSvcSlotDead, outAddress);
}

uint16_t DB_MarkRecordSlotDead(uint8_t kind, uint32_t address) {
    return isSectorAKind(kind) ? markKindSlotDead(kind, address) : 1;
}

uint16_t DB_MarkRecordSlotDead2(uint8_t kind, uint32_t address) {
    return isSectorBKind(kind) ? markKindSlotDead(kind, address) : 1;
}

uint16_t DB_MarkSvcSlotDead(uint32_t address) {
    uint32_t sector = 0, slot = 0;
    if (!svcSlotAt(address, sector, slot)) return 1;
    setState(g_SlotStateArea.svcSlots[sector], slot, SLOT_DEAD);
    return 0;
}

uint16_t DB_FreeTsRecord(uint32_t address) {
    return DB_MarkRecordSlotDead(KIND_TS, address);
}
uint16_t DB_FreeTpRecord(uint32_t address) {
    return DB_MarkRecordSlotDead(KIND_TP, address);
}
uint16_t DB_FreePrvRecord(uint32_t address) {
    return DB_MarkRecordSlotDead2(KIND_PRV, address);
}
uint16_t DB_FreeKind9Record(uint32_t address) {
    return DB_MarkRecordSlotDead2(KIND_9, address);
}
uint16_t DB_FreeKind10Record(uint32_t address) {
    return DB_MarkRecordSlotDead2(KIND_10, address);
}
uint16_t DB_FreeSatRecord(uint32_t address) {
    return DB_MarkRecordSlotDead2(KIND_SAT, address);
}
uint16_t DB_FreeFavRecord(uint32_t address) {
    return DB_MarkRecordSlotDead2(KIND_FAV, address);
}

uint16_t DB_AddrToRecordSlot(uint8_t kind, uint32_t address, uint16_t* outSector,
                             uint16_t* outSlot) {
    if (!isSectorAKind(kind)) return DBERR_TABLE_INDEX;
    return kindSlotOf(kind, address, outSector, outSlot);
}

uint16_t DB_AddrToRecordSlot2(uint8_t kind, uint32_t address, uint16_t* outSector,
                              uint16_t* outSlot) {
    if (!isSectorBKind(kind)) return DBERR_TABLE_INDEX;
    return kindSlotOf(kind, address, outSector, outSlot);
}

uint16_t DB_AddrToSvcSlot(uint32_t address, uint16_t* outSector, uint16_t* outSlot) {
    uint32_t sector = 0, slot = 0;
    if (outSector == nullptr || outSlot == nullptr || !svcSlotAt(address, sector, slot)) return 1;
    *outSector = static_cast<uint16_t>(sector);
    *outSlot = static_cast<uint16_t>(slot);
    return 0;
}

uint16_t DB_FormatSector(uint32_t type, uint32_t index) {
    switch (type) {
    case FMT_SVC_SECTOR: {
        if (index > DB_LAST_SVC_SECTOR - DB_FIRST_SVC_SECTOR) return 1;
        const auto sector = static_cast<uint16_t>(DB_FIRST_SVC_SECTOR + index);
        WRAP_EraseSector(sector);
        writeMark(sector);
        g_SlotStateArea.sectorState[index] = SVC_SECTOR_OPEN;
        std::memset(g_SlotStateArea.svcSlots[index], 0x55, SVC_SLOTS_PER_SECTOR / 4);
        return 0;
    }
    case FMT_RECORD_SECTOR_A:
        if (index != 0) return 1;
        WRAP_EraseSector(DB_RECORD_SECTOR_A);
        setKindFree(KIND_TS);
        setKindFree(KIND_TP);
        writeMark(DB_RECORD_SECTOR_A);
        return 0;
    case FMT_RECORD_SECTOR_B:
        if (index != 0) return 1;
        WRAP_EraseSector(DB_RECORD_SECTOR_B);
        for (uint8_t kind = KIND_PRV; kind <= KIND_FAV; ++kind)
            setKindFree(kind);
        writeMark(DB_RECORD_SECTOR_B);
        return 0;
    case FMT_BACKUP_BANK:
        WRAP_EraseSector(DB_BACKUP_BANK_SECTOR);
        return 0;
    default:
        return 0;
    }
}

uint16_t DB_FormatAll() {
    for (uint32_t i = 0; i < g_SvcSectorCount; ++i) {
        g_FormatTable.entries[i] = FormatEntry{FMT_SVC_SECTOR, static_cast<uint8_t>(i)};
        DB_FormatSector(FMT_SVC_SECTOR, i);
    }
    g_FormatTable.entries[FORMAT_ENTRY_RECORD_A] = FormatEntry{FMT_RECORD_SECTOR_A, 0};
    DB_FormatSector(FMT_RECORD_SECTOR_A, 0);
    g_FormatTable.entries[FORMAT_ENTRY_RECORD_B] = FormatEntry{FMT_RECORD_SECTOR_B, 0};
    DB_FormatSector(FMT_RECORD_SECTOR_B, 0);
    return 0;
}
