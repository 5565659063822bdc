// Index banks: layout, checksums, load with repair, save; and the test image
// builder that makes the banks the other tests start from.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "wrapper.h"

namespace {

// CRC-16/ARC written out bit by bit, independent of the library's table.
uint16_t referenceCrc16(const uint8_t* data, size_t length) {
    uint16_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

// Section offsets within a bank sector, and the end of the bank.
constexpr uint32_t kSectionOffsets[11] = {0x4018, 0x4CE8, 0x4D02, 0xAAC6, 0xB29A, 0xB5BE,
                                          0xB8E2, 0xC886, 0xD50A, 0xD60E, 0xD652};

uint8_t* bank(uint16_t sector) {
    return g_FlashImage + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
}
std::vector<uint8_t> sectorCopy(uint16_t sector) {
    return {bank(sector), bank(sector) + FLASH_SECTOR_SIZE};
}
uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t readU32(const uint8_t* p) {
    return readU16(p) | uint32_t{readU16(p + 2)} << 16;
}
void writeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t sectionCrc(uint16_t sector, int k) {
    return referenceCrc16(bank(sector) + kSectionOffsets[k],
                          kSectionOffsets[k + 1] - kSectionOffsets[k]);
}
uint8_t* storedChecksum(uint16_t sector, int k) {
    return bank(sector) + 0x4004 + 2 * k;
}

// Changes a section in flash and stores a checksum that matches again.
template <typename Change> void rewriteSection(uint16_t sector, int k, Change change) {
    change(bank(sector) + kSectionOffsets[k]);
    writeU16(storedChecksum(sector, k), static_cast<uint16_t>(sectionCrc(sector, k) + 0x5A5A));
}

struct Block {
    void* data;
    size_t size;
};
std::vector<Block> blockList() {
    return {{&g_SlotStateArea, sizeof g_SlotStateArea},
            {&g_FormatTable, sizeof g_FormatTable},
            {&g_SvcIndex, sizeof g_SvcIndex},
            {&g_PrvIndex, sizeof g_PrvIndex},
            {&g_Kind9Index, sizeof g_Kind9Index},
            {&g_Kind10Index, sizeof g_Kind10Index},
            {&g_TsIndex, sizeof g_TsIndex},
            {&g_TpIndex, sizeof g_TpIndex},
            {&g_SatIndex, sizeof g_SatIndex},
            {&g_FavIndex, sizeof g_FavIndex}};
}
// The ten blocks back to back, as they stand in a bank.
std::vector<uint8_t> blocks() {
    std::vector<uint8_t> all;
    for (const Block& b : blockList()) {
        const auto* p = static_cast<const uint8_t*>(b.data);
        all.insert(all.end(), p, p + b.size);
    }
    return all;
}
void setBlocks(const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    for (const Block& b : blockList()) {
        std::memcpy(b.data, bytes.data() + at, b.size);
        at += b.size;
    }
}
void fillBlocks(uint8_t value) {
    for (const Block& b : blockList())
        std::memset(b.data, value, b.size);
}

class BankTest : public DbTest {
  public:
    void SetUp() override {
        DbTest::SetUp();
        ImageCounts counts;
        counts.services = 30;
        counts.transportStreams = 4;
        counts.transponders = 5;
        counts.providers = 3;
        counts.satellites = 3;
        counts.favourites = 2;
        ASSERT_TRUE(BuildImage(SampleSpec(counts)));
        built = blocks();
    }

    std::vector<uint8_t> built;     // the blocks that BuildImage saved
    std::vector<uint8_t> alternate; // a second valid content, saved in the primary only
};

TEST_F(BankTest, LayoutAndChecksumsMatchAnIndependentReading) {
    ASSERT_EQ(referenceCrc16(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xBB3D);
    EXPECT_EQ(sectorCopy(133), sectorCopy(134));
    const uint8_t* p = bank(133);
    const uint8_t magic[4] = {0x30, 0x07, 0x08, 0x20};
    EXPECT_EQ(0, std::memcmp(p + 0x4000, magic, 4));
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(readU16(storedChecksum(133, k)),
                  static_cast<uint16_t>(sectionCrc(133, k) + 0x5A5A));
        EXPECT_EQ(DB_BankSectionOffset(k), kSectionOffsets[k]);
        EXPECT_EQ(DB_BankSectionSize(k), kSectionOffsets[k + 1] - kSectionOffsets[k]);
    }
    EXPECT_EQ(readU16(storedChecksum(133, 4)), 0x5A5A); // kind 9: all zero

    // Section 0: six open service sectors, every first slot used or free.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(p[0x4018 + i], 1) << i;
    EXPECT_EQ(p[0x4018 + 10] >> 6, SLOT_USED); // service slot 0
    // Section 1: the format table.
    const uint8_t format[26] = {2, 0, 2, 1, 2, 2, 2, 3, 2, 4, 2, 5, 0,
                                0, 0, 0, 0, 0, 0, 0, 3, 0, 4, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(p + 0x4CE8, format, sizeof format));
    // Index sections: count, then the addresses of the records in order.
    struct IndexExpect {
        uint32_t offset;
        uint16_t count;
        uint32_t first;
    };
    const IndexExpect indexes[] = {{0x4D02, 30, 0xA0760000u},
                                   {0xAAC6, 3, 0xA07D0000u},
                                   {0xB29A, 0, 0},
                                   {0xB5BE, 0, 0},
                                   {0xB8E2, 4, 0xA07C0000u},
                                   {0xC886, 5, 0xA07C8CA0u},
                                   {0xD50A, 64, 0xA07D4C90u},
                                   {0xD60E, 16, 0xA07D5390u}};
    for (const IndexExpect& e : indexes) {
        SCOPED_TRACE(testing::Message() << std::hex << e.offset);
        EXPECT_EQ(readU16(p + e.offset), e.count);
        EXPECT_EQ(readU32(p + e.offset + 4), e.first);
    }
    EXPECT_EQ(readU32(p + 0x4D02 + 4 + 4 * 29), 0xA0760000u + 29 * 64);
    for (uint32_t k = 0; k < 0x4000; ++k)
        ASSERT_EQ(p[k], 0xFF) << k;
    for (uint32_t k = 0xD652; k < FLASH_SECTOR_SIZE; ++k)
        ASSERT_EQ(p[k], 0xFF) << k;
}

enum class Blocks { Built, Alternate, BuiltWithoutSlotStates, Zero, Untouched };
enum class Sectors { Unchanged, PrimaryRepaired, BackupRepaired };

struct BankCase {
    const char* name;
    void (*setup)(BankTest&);
    uint8_t mode;
    uint16_t result;
    Blocks blocks;
    Sectors sectors;
};

void eraseBoth(BankTest&) {
    WRAP_EraseSector(133);
    WRAP_EraseSector(134);
}
void eraseBackup(BankTest&) {
    WRAP_EraseSector(134);
}
void flipPrimaryServiceByte(BankTest&) {
    bank(133)[0x4D02 + 4 + 4 * 3 + 1] ^= 0x01;
}
void plainCrcInPrimary(BankTest& t) {
    eraseBackup(t);
    writeU16(storedChecksum(133, 3), sectionCrc(133, 3));
}
void serviceCount6001InPrimary(BankTest&) {
    rewriteSection(133, 2, [](uint8_t* s) { writeU16(s, 6001); });
}
void serviceCount6001InPrimaryOnly(BankTest& t) {
    eraseBackup(t);
    serviceCount6001InPrimary(t);
}
void favouriteCount17InPrimaryOnly(BankTest& t) {
    eraseBackup(t);
    rewriteSection(133, 9, [](uint8_t* s) { writeU16(s, 17); });
}
void wrongMagicInBackup(BankTest&) {
    bank(134)[0x4000] = 0x31;
}
void unformattedKind6InPrimaryOnly(BankTest& t) {
    eraseBackup(t);
    rewriteSection(133, 0, [](uint8_t* s) { s[2580] = 0; });
}
void unformattedKind10InBackup(BankTest&) {
    rewriteSection(134, 0, [](uint8_t* s) { s[3205] = 0; });
}
void badSectorByteInBoth(BankTest&) {
    for (uint16_t sector : {133, 134})
        rewriteSection(sector, 0, [](uint8_t* s) { s[3] = 7; });
}
// Two good banks with different content: the primary holds one service less.
void differentGoodBanks(BankTest& t) {
    const std::vector<uint8_t> backup = sectorCopy(134);
    setBlocks(t.built);
    g_SvcIndex.count = 29;
    g_FormatTable.entries[12] = FormatEntry{7, 7};
    ASSERT_EQ(DB_SaveIndexBank(), 0);
    t.alternate = blocks();
    std::memcpy(bank(134), backup.data(), backup.size());
}
void nothing(BankTest&) {}

const BankCase kBankCases[] = {
    {"both banks erased", eraseBoth, 2, 1, Blocks::Zero, Sectors::Unchanged},
    {"both banks erased, check", eraseBoth, 1, 1, Blocks::Zero, Sectors::Unchanged},
    {"flipped byte in the primary's service index", flipPrimaryServiceByte, 2, 0, Blocks::Built,
     Sectors::PrimaryRepaired},
    {"erased backup", eraseBackup, 2, 0, Blocks::Built, Sectors::BackupRepaired},
    {"erased backup, check only", eraseBackup, 1, 0, Blocks::Built, Sectors::Unchanged},
    {"plain CRC without 0x5A5A", plainCrcInPrimary, 2, 1, Blocks::Zero, Sectors::Unchanged},
    {"6001 services behind a good checksum", serviceCount6001InPrimaryOnly, 2, 1, Blocks::Zero,
     Sectors::Unchanged},
    {"6001 services, backup good", serviceCount6001InPrimary, 2, 0, Blocks::Built,
     Sectors::PrimaryRepaired},
    {"17 favourite groups", favouriteCount17InPrimaryOnly, 2, 1, Blocks::Zero, Sectors::Unchanged},
    {"wrong magic in the backup", wrongMagicInBackup, 2, 0, Blocks::Built, Sectors::BackupRepaired},
    {"kind 6 never formatted", unformattedKind6InPrimaryOnly, 2, 1, Blocks::Zero,
     Sectors::Unchanged},
    {"kind 10 never formatted in the backup", unformattedKind10InBackup, 2, 0, Blocks::Built,
     Sectors::BackupRepaired},
    {"bad service sector byte", badSectorByteInBoth, 2, 0, Blocks::BuiltWithoutSlotStates,
     Sectors::Unchanged},
    {"both good, load takes the primary", differentGoodBanks, 2, 0, Blocks::Alternate,
     Sectors::Unchanged},
    {"both good, check takes the backup", differentGoodBanks, 1, 0, Blocks::Built,
     Sectors::Unchanged},
    {"unknown mode", nothing, 3, 1, Blocks::Untouched, Sectors::Unchanged},
};

TEST_F(BankTest, LoadTakesTheGoodBankAndRepairsTheOther) {
    const std::vector<uint8_t> image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    for (const BankCase& c : kBankCases) {
        SCOPED_TRACE(c.name);
        std::memcpy(g_FlashImage, image.data(), FLASH_DB_SIZE);
        c.setup(*this);
        const std::vector<uint8_t> primary = sectorCopy(133), backup = sectorCopy(134);
        fillBlocks(0xEE); // so that only what the load reads is found afterwards
        const std::vector<uint8_t> garbage = blocks();

        // SLM_LoadIndex is the load mode.
        EXPECT_EQ(c.mode == 2 ? SLM_LoadIndex() : DB_LoadIndexBank(c.mode), c.result);

        std::vector<uint8_t> want;
        switch (c.blocks) {
        case Blocks::Built:
            want = built;
            break;
        case Blocks::Alternate:
            want = alternate;
            break;
        case Blocks::BuiltWithoutSlotStates:
            want = built;
            std::fill(want.begin(), want.begin() + sizeof(SlotStateArea), 0);
            break;
        case Blocks::Zero:
            want.assign(built.size(), 0);
            break;
        case Blocks::Untouched:
            want = garbage;
            break;
        }
        EXPECT_TRUE(blocks() == want);
        switch (c.sectors) {
        case Sectors::Unchanged:
            EXPECT_TRUE(sectorCopy(133) == primary);
            EXPECT_TRUE(sectorCopy(134) == backup);
            break;
        case Sectors::PrimaryRepaired:
            EXPECT_TRUE(sectorCopy(133) == backup);
            EXPECT_TRUE(sectorCopy(134) == backup);
            break;
        case Sectors::BackupRepaired:
            EXPECT_TRUE(sectorCopy(133) == primary);
            EXPECT_TRUE(sectorCopy(134) == primary);
            break;
        }
    }
}

TEST_F(BankTest, SaveOpensFullServiceSectorsOnlyWhenAllAreFull) {
    struct SaveCase {
        uint8_t before[6];
        uint8_t stored[6];
    };
    const SaveCase cases[] = {
        {{2, 2, 2, 2, 2, 2}, {1, 1, 1, 1, 1, 1}},
        {{2, 2, 2, 2, 2, 1}, {2, 2, 2, 2, 2, 1}},
    };
    for (const SaveCase& c : cases) {
        std::memcpy(g_SlotStateArea.sectorState, c.before, 6);
        g_SlotStateArea.svcSlots[0][0] = 0xE4; // slot states 3, 2, 1, 0 are kept as they are
        ASSERT_EQ(DB_SaveIndexBankLocked(), 0);
        EXPECT_EQ(0, std::memcmp(g_SlotStateArea.sectorState, c.stored, 6));
        for (uint16_t sector : {133, 134}) {
            EXPECT_EQ(0, std::memcmp(bank(sector) + 0x4018, c.stored, 6)) << sector;
            EXPECT_EQ(bank(sector)[0x4018 + 10], 0xE4) << sector;
            EXPECT_EQ(readU16(storedChecksum(sector, 0)),
                      static_cast<uint16_t>(sectionCrc(sector, 0) + 0x5A5A));
        }
        const std::vector<uint8_t> saved = blocks();
        fillBlocks(0);
        EXPECT_EQ(DB_LoadIndexBank(2), 0);
        EXPECT_TRUE(blocks() == saved);
    }
}

// ---- The image builder -----------------------------------------------------

std::string serviceName(const SvcInfo& svc) {
    return std::string(reinterpret_cast<const char*>(svc.name),
                       strnlen(reinterpret_cast<const char*>(svc.name), sizeof svc.name));
}

class ImageBuilderTest : public DbTest {};

TEST_F(ImageBuilderTest, FullTablesBuildAndLoadWithEveryReferenceInPlace) {
    ImageCounts counts;
    counts.services = 6000;
    counts.transportStreams = 1000;
    counts.transponders = 800;
    counts.providers = 500;
    counts.satellites = 64;
    counts.favourites = 16;
    const ImageSpec spec = SampleSpec(counts);
    ASSERT_TRUE(BuildImage(spec));
    ResetLibraryKeepImage();
    ASSERT_EQ(SLM_LoadIndex(), 0);

    EXPECT_EQ(g_SvcIndex.count, 6000);
    EXPECT_EQ(g_TsIndex.count, 1000);
    EXPECT_EQ(g_TpIndex.count, 800);
    EXPECT_EQ(g_PrvIndex.count, 500);
    EXPECT_EQ(g_SatIndex.count, 64);
    EXPECT_EQ(g_FavIndex.count, 16);
    const std::set<uint32_t> ts(g_TsIndex.addresses, g_TsIndex.addresses + 1000);
    const std::set<uint32_t> prv(g_PrvIndex.addresses, g_PrvIndex.addresses + 500);
    std::set<uint32_t> seen;
    for (uint32_t i = 0; i < 6000; ++i) {
        SvcInfo svc;
        WRAP_FlashRead(g_SvcIndex.addresses[i], sizeof svc, &svc);
        ASSERT_EQ(serviceName(svc), "Service " + std::to_string(i));
        ASSERT_EQ(svc.tsRef, g_TsIndex.addresses[i % 1000]) << i;
        ASSERT_EQ(svc.prvRef, i % 501 == 500 ? 0u : g_PrvIndex.addresses[i % 501]) << i;
        ASSERT_TRUE(ts.count(svc.tsRef)) << i;
        ASSERT_TRUE(svc.prvRef == 0 || prv.count(svc.prvRef)) << i;
        ASSERT_TRUE(seen.insert(g_SvcIndex.addresses[i]).second) << i;
        ASSERT_EQ(DB_GetSvcSlotState((g_SvcIndex.addresses[i] - 0xA0760000u) >> 16,
                                     ((g_SvcIndex.addresses[i] - 0xA0760000u) & 0xFFFF) >> 6),
                  SLOT_USED);
    }
    FavInfo fav;
    WRAP_FlashRead(g_FavIndex.addresses[15], sizeof fav, &fav);
    EXPECT_EQ(fav.count, 200);
    EXPECT_EQ(fav.entries[1], (1 << 3) | SVC_TYPE_RADIO); // service 1 is radio 1
    SatInfo sat;
    WRAP_FlashRead(g_SatIndex.addresses[63], sizeof sat, &sat);
    EXPECT_STREQ(sat.name, "Sat 63");
}

TEST_F(ImageBuilderTest, SpecsThatNoImageCanHoldAreRefused) {
    struct BadSpec {
        const char* name;
        void (*spoil)(ImageSpec&);
    };
    const BadSpec cases[] = {
        {"6001 services", [](ImageSpec& s) { s.services.resize(6001, s.services[0]); }},
        {"1001 transport streams", [](ImageSpec& s) { s.transportStreams.resize(1001); }},
        {"65 satellites", [](ImageSpec& s) { s.satellites.resize(65); }},
        {"17 favourite groups", [](ImageSpec& s) { s.favourites.resize(17); }},
        {"201 kind-9 records", [](ImageSpec& s) { s.kind9.resize(201); }},
        {"TS past the list", [](ImageSpec& s) { s.services[1].tsIndex = 2; }},
        {"negative TS", [](ImageSpec& s) { s.services[1].tsIndex = -2; }},
        {"provider past the list", [](ImageSpec& s) { s.services[0].prvIndex = 1; }},
    };
    ImageCounts counts;
    counts.services = 4;
    counts.transportStreams = 2;
    counts.providers = 1;
    ASSERT_TRUE(BuildImage(SampleSpec(counts)));
    for (const BadSpec& c : cases) {
        ImageSpec spec = SampleSpec(counts);
        c.spoil(spec);
        EXPECT_FALSE(BuildImage(spec)) << c.name;
    }
}

} // namespace
