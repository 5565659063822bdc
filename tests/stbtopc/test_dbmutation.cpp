// Deterministic mutation run of the database open: thousands of damaged
// images, most with their bank checksums repaired so that the damage reaches
// the counts, addresses and records behind them. Under the sanitizer build
// any read or write outside a buffer fails the run. Everywhere the open must
// answer 0 or 1, and a database that opened must commit and open again to
// the same services.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "dbopen.h"
#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "imagereseal.h"
#include "indexbank.h"
#include "indexcommit.h"
#include "svchandle.h"
#include "svclist.h"
#include "tables.h"
#include "wrapper.h"

namespace {

class DbMutationTest : public DbTest {};

using Image = std::vector<uint8_t>;

uint32_t Below(std::mt19937& random, uint32_t bound) {
    return bound == 0 ? 0 : random() % bound;
}

// Offsets of the bank areas that hold counts and addresses, from the start
// of the image.
uint32_t BankOffset(uint16_t sector, uint32_t section) {
    return WRAP_SectorAddress(sector) - FLASH_DB_BASE + DB_BankSectionOffset(section);
}

void PutU32(Image& image, uint32_t at, uint32_t value) {
    if (at + 4 <= image.size()) std::memcpy(&image[at], &value, 4);
}
void PutU16(Image& image, uint32_t at, uint16_t value) {
    if (at + 2 <= image.size()) std::memcpy(&image[at], &value, 2);
}

// An address that is interesting to a reader: inside a slot table, just
// before the end of the window, outside it, unaligned, or zero.
uint32_t HostileAddress(std::mt19937& random) {
    switch (random() % 6) {
    case 0:
        return FLASH_DB_BASE + Below(random, FLASH_DB_SIZE);
    case 1:
        return FLASH_DB_END - Below(random, 64);
    case 2:
        return random();
    case 3:
        return 0;
    case 4:
        return DB_RECORD_SECTOR_A_BASE + 36 * Below(random, 1000);
    default:
        return DB_SVC_SECTOR_BASE + 64 * Below(random, 6 * 1024);
    }
}

void Mutate(Image& image, std::mt19937& random) {
    // Bank damage goes to the primary; the caller decides whether the
    // backup carries it too.
    const uint16_t bank = DB_PRIMARY_BANK_SECTOR;
    const uint32_t section = Below(random, IDXBANK_SECTION_COUNT);
    const uint32_t sectionStart = BankOffset(bank, section);
    const uint32_t sectionSize = DB_BankSectionSize(section);
    switch (random() % 8) {
    case 0: // a count at the start of an index section
        if (section >= 2) {
            static const uint16_t kCounts[] = {0, 1, 16, 64, 200, 500, 800, 1000, 6000, 0xFFFF};
            PutU16(image, sectionStart, kCounts[Below(random, 10)]);
        }
        break;
    case 1: // an address of an index table
        if (section >= 2)
            PutU32(image, sectionStart + 4 + 4 * Below(random, (sectionSize - 4) / 4),
                   HostileAddress(random));
        break;
    case 2: // slot states, sector states and the format table
        image[BankOffset(bank, random() % 2) + Below(random, sectionSize)] =
            static_cast<uint8_t>(random());
        break;
    case 3: { // a record's references in a service sector
        const uint32_t slot = Below(random, 6 * 1024);
        PutU32(image, slot * 64 + 56 + 4 * (random() % 2), HostileAddress(random));
        break;
    }
    case 4: // flipped bits anywhere in the record sectors
        for (int i = 0; i < 8; ++i)
            image[(DB_RECORD_SECTOR_A_BASE - FLASH_DB_BASE) +
                  Below(random, 2 * FLASH_SECTOR_SIZE)] ^=
                static_cast<uint8_t>(1u << (random() % 8));
        break;
    case 5: // a truncated file: the tail stays erased
    {
        const uint32_t from = FLASH_DB_SIZE - Below(random, 3 * FLASH_SECTOR_SIZE);
        std::memset(image.data() + from, 0xFF, FLASH_DB_SIZE - from);
        break;
    }
    case 6: // random bytes in a bank section
        for (int i = 0; i < 4; ++i)
            image[sectionStart + Below(random, sectionSize)] = static_cast<uint8_t>(random());
        break;
    default: // service names and flags
        for (int i = 0; i < 4; ++i)
            image[Below(random, 6) * FLASH_SECTOR_SIZE + Below(random, 1024) * 64 +
                  Below(random, 56)] = static_cast<uint8_t>(random());
        break;
    }
}

// Opens the image in a library that starts cold; when it opens, commits and
// opens the result, which must hold the same services.
void OpenCommitOpen(const Image& image, uint32_t round, uint32_t& opened) {
    DB_ResetAllState();
    std::memcpy(g_FlashImage, image.data(), FLASH_DB_SIZE);
    ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
    uint16_t count = 0;
    const uint32_t valid = DB_OpenDatabase(&count);
    ASSERT_TRUE(valid == 0 || valid == 1) << round;
    if (valid == 0) return;
    ++opened;
    ASSERT_LE(count, MAX_SERVICES) << round;
    ASSERT_EQ(HT_LiveCount(), count) << round;
    ASSERT_EQ(LL_Count(g_NameSortedSvcList, nullptr, 0), count) << round;
    ASSERT_EQ(IDX_CommitAll(), 0) << round;
    const Image committed(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);

    DB_ResetAllState();
    std::memcpy(g_FlashImage, committed.data(), FLASH_DB_SIZE);
    ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
    uint16_t again = 0;
    ASSERT_EQ(DB_OpenDatabase(&again), 1u) << round;
    ASSERT_EQ(again, count) << round;
}

TEST_F(DbMutationTest, DamagedImagesNeverEscapeTheirBuffers) {
    std::vector<Image> bases;
    for (const ImageCounts& counts :
         {ImageCounts{.services = 12,
         .transportStreams = 3,
         .transponders = 2,
         .providers = 2,
         .satellites = 3,
         .favourites = 2},
          ImageCounts{.services = 40, .transportStreams = 10, .providers = 5, .satellites = 1},
          ImageCounts{.services = 0, .transponders = 4, .satellites = 2}}) {
        DB_ResetAllState();
        ASSERT_TRUE(BuildImage(SampleSpec(counts)));
        bases.emplace_back(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    }

    std::mt19937 random(20080730);
    constexpr uint32_t kRounds = 1000;
    uint32_t opened = 0;
    for (uint32_t round = 0; round < kRounds; ++round) {
        Image image = bases[round % bases.size()];
        const uint32_t mutations = 1 + Below(random, 4);
        for (uint32_t m = 0; m < mutations; ++m)
            Mutate(image, random);
        // Most rounds give the backup the same damage and repair the
        // checksums, so that the damage is what the load reads.
        std::memcpy(g_FlashImage, image.data(), FLASH_DB_SIZE);
        if (random() % 4 != 0) WRAP_CopySector(DB_PRIMARY_BANK_SECTOR, DB_BACKUP_BANK_SECTOR);
        if (random() % 8 != 0) ResealIndexBanks();
        image.assign(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
        OpenCommitOpen(image, round, opened);
        if (HasFatalFailure()) return;
    }
    // The run is only worth something when most damaged images get past the
    // bank checks and into the load.
    EXPECT_GT(opened, kRounds / 2);
}

} // namespace
