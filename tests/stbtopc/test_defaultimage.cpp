// The template image "Default.dat": made by the build, an empty valid
// database, the same bytes however the library's state looked before.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "dbopen.h"
#include "dbtemplate.h"
#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "sattable.h"
#include "svclist.h"
#include "wrapper.h"

namespace {

class DefaultImageTest : public DbTest {};

std::vector<uint8_t> readFile(const char* path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return bytes;
    uint8_t buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}

std::vector<uint8_t> imageCopy() {
    return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE};
}

TEST_F(DefaultImageTest, MakingItDependsOnNothingThatCameBefore) {
    ASSERT_EQ(DB_MakeEmptyImage(), 0);
    const std::vector<uint8_t> fresh = imageCopy();

    // A full database in the image, the blocks and the tables, then again.
    ASSERT_TRUE(BuildImage(SampleSpec({.services = 50,
                                       .transportStreams = 5,
                                       .providers = 3,
                                       .satellites = 4,
                                       .favourites = 2,
                                       .kind9 = 3})));
    std::memset(g_SlotStateArea.sectorState + 6, 2, 4);
    ASSERT_EQ(DB_MakeEmptyImage(), 0);
    EXPECT_TRUE(imageCopy() == fresh);

    EXPECT_EQ(DB_LoadIndexBank(IDXBANK_MODE_CHECK), 0);
    EXPECT_EQ(g_SatIndex.count, SAT_CAPACITY);
    EXPECT_EQ(g_FavIndex.count, FAV_CAPACITY);
    EXPECT_EQ(g_SvcIndex.count, 0);
}

#ifdef QV_DEFAULT_IMAGE
TEST_F(DefaultImageTest, TheBuildMadeItAndItIsThisEmptyDatabase) {
    const std::vector<uint8_t> file = readFile(QV_DEFAULT_IMAGE);
    ASSERT_EQ(file.size(), 655360u) << QV_DEFAULT_IMAGE;
    ASSERT_EQ(DB_MakeEmptyImage(), 0);
    EXPECT_TRUE(file == imageCopy());

    // It opens as the document opens a list: a valid, empty database.
    DB_ResetAllState();
    std::memcpy(g_FlashImage, file.data(), FLASH_DB_SIZE);
    ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
    uint16_t count = 0xFFFF;
    EXPECT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(g_MasterSvcList, nullptr);
    for (uint32_t slot = 0; slot < SAT_CAPACITY; ++slot)
        EXPECT_EQ(SN_IsSatUsed(slot), 0u) << slot;
}
#endif

} // namespace
