// Flash emulation, CRC-16 and the selection sort.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "dbtest.h"
#include "dberr.h"
#include "wrapper.h"

namespace {

class WrapperTest : public DbTest {};

TEST_F(WrapperTest, Crc16MatchesPublishedArcValues) {
    EXPECT_EQ(WRAP_Crc16("123456789", 9), 0xBB3D);
    EXPECT_EQ(WRAP_Crc16TableEntry(1), 0xC0C1);
    EXPECT_EQ(WRAP_Crc16TableEntry(2), 0xC181);
    EXPECT_EQ(WRAP_Crc16TableEntry(3), 0x0140);
    EXPECT_EQ(WRAP_Crc16TableEntry(255), 0x4040);
    const uint8_t zeros[300] = {};
    EXPECT_EQ(WRAP_Crc16(zeros, 0), 0);
    EXPECT_EQ(WRAP_Crc16(zeros, sizeof zeros), 0);
}

TEST_F(WrapperTest, SectorAddressMap) {
    EXPECT_EQ(WRAP_SectorAddress(0), 0xA0000000u);
    EXPECT_EQ(WRAP_SectorAddress(7), 0xA000E000u);
    EXPECT_EQ(WRAP_SectorAddress(8), 0xA0010000u);
    EXPECT_EQ(WRAP_SectorAddress(125), 0xA0760000u);
    EXPECT_EQ(WRAP_SectorAddress(134), 0xA07F0000u);
    EXPECT_EQ(WRAP_SectorAddress(0x10000u + 125), 0xA0760000u); // low 16 bits only
}

struct CheckedReadCase {
    uint32_t address;
    uint32_t length;
    uint16_t result;
};

TEST_F(WrapperTest, CheckedReadsAtTheWindowEdges) {
    for (uint32_t i = 0; i < FLASH_DB_SIZE; ++i)
        g_FlashImage[i] = static_cast<uint8_t>(i * 7 + 1);
    const CheckedReadCase cases[] = {
        {FLASH_DB_BASE, 4, 0},
        {FLASH_DB_BASE - 1, 1, DBERR_FLASH_RANGE},
        {FLASH_DB_BASE - 1, 4, DBERR_FLASH_RANGE},
        {0xA07FFFFFu, 1, 0},
        {0xA07FFFFCu, 4, 0},
        {0xA07FFFFEu, 4, DBERR_FLASH_RANGE}, // starts inside, runs past the end
        {FLASH_DB_END, 1, DBERR_FLASH_RANGE},
        {FLASH_DB_END, 0, DBERR_FLASH_RANGE}, // the start address alone is out of range
        {FLASH_DB_BASE - 1, 0, DBERR_FLASH_RANGE},
        {0xA07FFFFFu, 0, 0},
        {0xFFFFFFFFu, 4, DBERR_FLASH_RANGE}, // address + length overflows 32 bits
        {FLASH_DB_BASE + 0x10, FLASH_DB_SIZE, DBERR_FLASH_RANGE},
        {FLASH_DB_BASE, FLASH_DB_SIZE, 0},
        {0, 4, DBERR_FLASH_RANGE},
    };
    for (const CheckedReadCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.address << " len " << c.length);
        std::vector<uint8_t> buffer(c.length, 0xEE);
        EXPECT_EQ(WRAP_FlashReadChecked(buffer.data(), c.address, c.length), c.result);
        for (uint32_t k = 0; k < c.length && k < 16; ++k) {
            const uint8_t want =
                c.result == 0 ? g_FlashImage[c.address - FLASH_DB_BASE + k] : uint8_t{0};
            EXPECT_EQ(buffer[k], want) << k;
        }
    }
}

TEST_F(WrapperTest, UncheckedAccessNeverLeavesTheImage) {
    std::memset(g_FlashImage, 0x11, FLASH_DB_SIZE);
    uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    WRAP_FlashWrite(0xA07FFFFCu, 8, data); // half inside
    EXPECT_EQ(0, std::memcmp(g_FlashImage + FLASH_DB_SIZE - 4, data, 4));
    WRAP_FlashWrite(FLASH_DB_BASE - 4, 8, data); // half before
    EXPECT_EQ(0, std::memcmp(g_FlashImage, data + 4, 4));
    WRAP_FlashWrite(0xFFFFFFF8u, 8, data); // wholly outside: ignored
    uint8_t out[8];
    WRAP_FlashRead(0xA07FFFFCu, 8, out);
    const uint8_t want[8] = {1, 2, 3, 4, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(out, want, 8));
    WRAP_FlashRead(FLASH_DB_BASE - 2, 4, out);
    const uint8_t want2[4] = {0, 0, 5, 6};
    EXPECT_EQ(0, std::memcmp(out, want2, 4));
}

TEST_F(WrapperTest, EraseAndCopyTouchExactlyTheirSector) {
    std::memset(g_FlashImage, 0x22, FLASH_DB_SIZE);
    EXPECT_EQ(WRAP_EraseSector(133), 0u);
    const uint32_t off133 = 0xA07E0000u - FLASH_DB_BASE;
    for (uint32_t i = 0; i < FLASH_DB_SIZE; ++i) {
        const bool inside = i >= off133 && i < off133 + FLASH_SECTOR_SIZE;
        ASSERT_EQ(g_FlashImage[i], inside ? 0xFF : 0x22) << i;
    }
    // Backup over primary, erase state included.
    const uint32_t off134 = 0xA07F0000u - FLASH_DB_BASE;
    g_FlashImage[off134 + 5] = 0x5A;
    EXPECT_EQ(WRAP_CopySector(134, 133), 0u);
    EXPECT_EQ(0, std::memcmp(g_FlashImage + off133, g_FlashImage + off134, FLASH_SECTOR_SIZE));
    EXPECT_EQ(g_FlashImage[off133 + 5], 0x5A);
    EXPECT_EQ(g_FlashImage[off133 - 1], 0x22);

    // Sectors outside the image change nothing.
    std::vector<uint8_t> before(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    for (uint32_t s : {0u, 7u, 8u, 124u, 135u, 200u, 0xFFFFu}) {
        EXPECT_EQ(WRAP_EraseSector(s), 0u);
        EXPECT_EQ(WRAP_CopySector(s, 125), 0u);
        EXPECT_EQ(WRAP_CopySector(125, s), 0u);
    }
    EXPECT_EQ(0, std::memcmp(before.data(), g_FlashImage, FLASH_DB_SIZE));
}

struct Pair {
    int key;
    int tag;
};
int compareKeys(const void* a, const void* b) {
    const int ka = static_cast<const Pair*>(a)->key, kb = static_cast<const Pair*>(b)->key;
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

TEST_F(WrapperTest, SelectionSortKeepsItsOwnTieOrder) {
    // A stable sort gives 1a 1b 2; the receiver's selection sort swaps 2 with
    // the first 1 and leaves the tie as 1b 1a.
    Pair items[] = {{2, 0}, {1, 1}, {1, 2}};
    WRAP_SelectionSort(items, 3, sizeof(Pair), compareKeys);
    EXPECT_EQ(items[0].key, 1);
    EXPECT_EQ(items[0].tag, 1);
    EXPECT_EQ(items[1].key, 1);
    EXPECT_EQ(items[1].tag, 2);
    EXPECT_EQ(items[2].tag, 0);

    Pair ties[] = {{1, 0}, {0, 1}, {1, 2}, {0, 3}};
    WRAP_SelectionSort(ties, 4, sizeof(Pair), compareKeys);
    // i=0: min is tag 1 -> [1,0,2,3]; i=1: min tag 3 -> [1,3,2,0]; i=2: tag 2 vs 0 equal, stays.
    const int wantTags[] = {1, 3, 2, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ties[i].tag, wantTags[i]) << i;

    Pair one[] = {{5, 9}};
    WRAP_SelectionSort(one, 1, sizeof(Pair), compareKeys);
    WRAP_SelectionSort(one, 0, sizeof(Pair), compareKeys);
    EXPECT_EQ(one[0].tag, 9);
}

TEST_F(WrapperTest, ValueMakersAndStubs) {
    EXPECT_EQ(WRAP_MakeU16(0x1234, 0x5678), 0x3478);
    EXPECT_EQ(WRAP_MakeU32(0x0005, 0x12345678), 0x00055678u);
    uint32_t type = 99;
    EXPECT_EQ(WRAP_GetTunerType(2, &type), 0u);
    EXPECT_EQ(type, 0u);
    uint32_t sem = 7;
    EXPECT_EQ(OS_SemCreate(&sem), 0u);
    EXPECT_EQ(OS_SemTake(sem), 0u);
    EXPECT_EQ(OS_SemGive(sem), 0u);
    DB_SetSemId(42);
    EXPECT_EQ(DB_GetSemId(), 42u);
    DB_ResetAllState();
    EXPECT_EQ(DB_GetSemId(), 0u);
}

TEST_F(WrapperTest, DebugPrintIsSilentUntilCaptured) {
    WRAP_DebugPrint(WRAP_DBG_INFO, "[Nobody] %d", 1); // no sink: nothing happens
    DebugCapture capture;
    WRAP_DebugPrint(WRAP_DBG_ERROR, "[SN_SetRegionId] region %d", 5);
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(capture.lines()[0].text, "[SN_SetRegionId] region 5");
}

int g_resetRuns = 0;
void countReset() {
    ++g_resetRuns;
}

struct CountingHook {
    DB_ResetHook hook{countReset};
};

TEST_F(WrapperTest, EveryRegisteredResetHookRuns) {
    // More hooks than the library has modules: none may be dropped.
    static CountingHook extraHooks[80];
    g_resetRuns = 0;
    DB_ResetAllState();
    EXPECT_EQ(g_resetRuns, static_cast<int>(std::size(extraHooks)));
}

} // namespace
