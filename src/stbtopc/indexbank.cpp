#include "indexbank.h"

#include <cstring>

#include "dbstate.h"
#include "flashstore.h"
#include "indexblocks.h"
#include "wrapper.h"

SvcIndexTable g_SvcIndex;
PrvIndexTable g_PrvIndex;
Kind9IndexTable g_Kind9Index;
Kind10IndexTable g_Kind10Index;
TsIndexTable g_TsIndex;
TpIndexTable g_TpIndex;
SatIndexTable g_SatIndex;
FavIndexTable g_FavIndex;

namespace {

struct Section {
    void* block;
    uint32_t size;
    uint32_t capacity; // entries of an index section; 0 for sections 0 and 1
};

const Section kSections[IDXBANK_SECTION_COUNT] = {
    {&g_SlotStateArea, sizeof g_SlotStateArea, 0},
    {&g_FormatTable, sizeof g_FormatTable, 0},
    {&g_SvcIndex, sizeof g_SvcIndex, SvcIndexTable::capacity},
    {&g_PrvIndex, sizeof g_PrvIndex, PrvIndexTable::capacity},
    {&g_Kind9Index, sizeof g_Kind9Index, Kind9IndexTable::capacity},
    {&g_Kind10Index, sizeof g_Kind10Index, Kind10IndexTable::capacity},
    {&g_TsIndex, sizeof g_TsIndex, TsIndexTable::capacity},
    {&g_TpIndex, sizeof g_TpIndex, TpIndexTable::capacity},
    {&g_SatIndex, sizeof g_SatIndex, SatIndexTable::capacity},
    {&g_FavIndex, sizeof g_FavIndex, FavIndexTable::capacity},
};

constexpr uint32_t kSectionSizes[IDXBANK_SECTION_COUNT] = {
    sizeof(SlotStateArea),   sizeof(FormatTable),      sizeof(SvcIndexTable), sizeof(PrvIndexTable),
    sizeof(Kind9IndexTable), sizeof(Kind10IndexTable), sizeof(TsIndexTable),  sizeof(TpIndexTable),
    sizeof(SatIndexTable),   sizeof(FavIndexTable)};

constexpr uint32_t sectionOffset(uint32_t k) {
    uint32_t offset = IDXBANK_FIRST_SECTION_OFFSET;
    for (uint32_t i = 0; i < k; ++i)
        offset += kSectionSizes[i];
    return offset;
}
static_assert(sectionOffset(1) == 0x4CE8 && sectionOffset(2) == 0x4D02);
static_assert(sectionOffset(3) == 0xAAC6 && sectionOffset(4) == 0xB29A);
static_assert(sectionOffset(5) == 0xB5BE && sectionOffset(6) == 0xB8E2);
static_assert(sectionOffset(7) == 0xC886 && sectionOffset(8) == 0xD50A);
static_assert(sectionOffset(9) == 0xD60E);
static_assert(sectionOffset(IDXBANK_SECTION_COUNT) == IDXBANK_END_OFFSET);
static_assert(IDXBANK_END_OFFSET <= FLASH_SECTOR_SIZE, "the bank fits in its sector");
static_assert(IDXBANK_CHECKSUM_OFFSET + 2 * IDXBANK_SECTION_COUNT == IDXBANK_FIRST_SECTION_OFFSET);

void clearIndexTables() {
    for (uint32_t k = 2; k < IDXBANK_SECTION_COUNT; ++k)
        std::memset(kSections[k].block, 0, kSections[k].size);
}
DB_ResetHook g_resetHook(clearIndexTables);

void clearAllBlocks() {
    for (const Section& s : kSections)
        std::memset(s.block, 0, s.size);
}

uint16_t sectionChecksum(const Section& s) {
    return static_cast<uint16_t>(WRAP_Crc16(s.block, static_cast<uint16_t>(s.size)) +
                                 IDXBANK_CHECKSUM_ADD);
}

// A checksum guards against damage, not against a bank written by someone
// else: a count the table cannot hold would send its readers past the end.
bool countFits(const Section& s) {
    if (s.capacity == 0) return true;
    uint16_t count = 0;
    std::memcpy(&count, s.block, sizeof count);
    return count <= s.capacity;
}

// Reads one bank into the blocks. A failing section is zeroed and ends the
// read: earlier blocks keep this bank's content, later ones what they held.
bool readBank(uint16_t sector) {
    const uint32_t base = WRAP_SectorAddress(sector);
    uint32_t magic = 0;
    WRAP_FlashRead(base + IDXBANK_OFFSET, sizeof magic, &magic);
    if (magic != IDXBANK_MAGIC) return false;
    uint16_t checksums[IDXBANK_SECTION_COUNT];
    WRAP_FlashRead(base + IDXBANK_CHECKSUM_OFFSET, sizeof checksums, checksums);
    for (uint32_t k = 0; k < IDXBANK_SECTION_COUNT; ++k) {
        const Section& s = kSections[k];
        WRAP_FlashRead(base + sectionOffset(k), s.size, s.block);
        if (sectionChecksum(s) != checksums[k] || !countFits(s)) {
            std::memset(s.block, 0, s.size);
            return false;
        }
    }
    // A formatted store has free first slots in these tables.
    const SlotStateArea& a = g_SlotStateArea;
    if (a.tsSlots[0] == 0 || a.prvSlots[0] == 0 || a.kind9Slots[0] == 0 || a.kind10Slots[0] == 0)
        return false;
    for (uint32_t i = 0; i < DB_GetSvcSectorCount(); ++i) {
        const uint8_t state = a.sectorState[i];
        if (state != SVC_SECTOR_OPEN && state != SVC_SECTOR_FULL) {
            // No slot can be trusted: nothing is allocatable until a format.
            std::memset(&g_SlotStateArea, 0, sizeof g_SlotStateArea);
            break;
        }
    }
    return true;
}

} // namespace

uint32_t DB_BankSectionOffset(uint32_t section) {
    return section < IDXBANK_SECTION_COUNT ? sectionOffset(section) : 0;
}

uint32_t DB_BankSectionSize(uint32_t section) {
    return section < IDXBANK_SECTION_COUNT ? kSectionSizes[section] : 0;
}

uint16_t DB_LoadIndexBank(uint8_t mode) {
    if (mode != IDXBANK_MODE_CHECK && mode != IDXBANK_MODE_LOAD) return 1;
    bool backupGood = false, primaryGood = false;
    const uint16_t order[2] = {DB_BACKUP_BANK_SECTOR, DB_PRIMARY_BANK_SECTOR};
    for (const uint16_t sector : order) {
        if (!readBank(sector)) continue;
        if (mode == IDXBANK_MODE_CHECK) return 0;
        (sector == DB_BACKUP_BANK_SECTOR ? backupGood : primaryGood) = true;
    }
    if (backupGood && primaryGood) return 0; // the blocks hold the primary, read last
    if (backupGood) {
        OS_SemTake(DB_GetSemId());
        WRAP_CopySector(DB_BACKUP_BANK_SECTOR, DB_PRIMARY_BANK_SECTOR);
        OS_SemGive(DB_GetSemId());
        return DB_LoadIndexBank(IDXBANK_MODE_CHECK); // the primary's failed read is replaced
    }
    if (primaryGood) {
        OS_SemTake(DB_GetSemId());
        WRAP_CopySector(DB_PRIMARY_BANK_SECTOR, DB_BACKUP_BANK_SECTOR);
        OS_SemGive(DB_GetSemId());
        return 0;
    }
    // Neither bank: no half-read bank may stay behind for the load to use.
    clearAllBlocks();
    return 1;
}

uint16_t SLM_LoadIndex() {
    return DB_LoadIndexBank(IDXBANK_MODE_LOAD);
}

uint16_t DB_SaveIndexBank() {
    const uint32_t n = DB_GetSvcSectorCount();
    uint32_t full = 0;
    for (uint32_t i = 0; i < n; ++i)
        full += g_SlotStateArea.sectorState[i] == SVC_SECTOR_FULL;
    // The allocator finds the free slots of an open sector again by scanning.
    if (full == n)
        for (uint32_t i = 0; i < n; ++i)
            g_SlotStateArea.sectorState[i] = SVC_SECTOR_OPEN;

    WRAP_EraseSector(DB_PRIMARY_BANK_SECTOR);
    const uint32_t base = WRAP_SectorAddress(DB_PRIMARY_BANK_SECTOR);
    const uint32_t magic = IDXBANK_MAGIC;
    WRAP_FlashWrite(base + IDXBANK_OFFSET, sizeof magic, &magic);
    for (uint32_t k = 0; k < IDXBANK_SECTION_COUNT; ++k) {
        const Section& s = kSections[k];
        WRAP_FlashWrite(base + sectionOffset(k), s.size, s.block);
        const uint16_t checksum = sectionChecksum(s);
        WRAP_FlashWrite(base + IDXBANK_CHECKSUM_OFFSET + 2 * k, sizeof checksum, &checksum);
    }
    WRAP_CopySector(DB_PRIMARY_BANK_SECTOR, DB_BACKUP_BANK_SECTOR);
    return 0;
}

uint16_t DB_SaveIndexBankLocked() {
    OS_SemTake(DB_GetSemId());
    const uint16_t result = DB_SaveIndexBank();
    OS_SemGive(DB_GetSemId());
    return result;
}
