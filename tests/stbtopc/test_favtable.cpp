// The favourite table: names and entries of the 16 groups.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbtest.h"
#include "favtable.h"

namespace {

class FavTableTest : public DbTest {};

TEST_F(FavTableTest, EntriesAreClampedTo200AndTheRestZeroed) {
    std::vector<uint16_t> entries(250);
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = static_cast<uint16_t>((i + 1) << 3);
    std::memset(g_FavTable[3].entries, 0xFF, sizeof g_FavTable[3].entries);
    ASSERT_EQ(TBL_SetFavEntries(3, 250, entries.data()), 0);
    uint16_t count = 0;
    const uint16_t* stored = nullptr;
    ASSERT_EQ(TBL_GetFavEntries(3, &count, &stored), 0);
    EXPECT_EQ(count, 200);
    EXPECT_EQ(stored, g_FavTable[3].entries);
    EXPECT_EQ(std::memcmp(stored, entries.data(), 200 * sizeof(uint16_t)), 0);

    ASSERT_EQ(TBL_SetFavEntries(3, 2, entries.data()), 0);
    ASSERT_EQ(TBL_GetFavEntries(3, &count, &stored), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(stored[1], 2 << 3);
    for (int i = 2; i < FAV_MAX_ENTRIES; ++i)
        ASSERT_EQ(stored[i], 0) << i;
    ASSERT_EQ(TBL_SetFavEntries(3, 0, nullptr), 0);
    ASSERT_EQ(TBL_GetFavEntries(3, &count, &stored), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(FavTableTest, NamesAreBoundedAndComeBackTerminated) {
    const uint8_t longName[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    ASSERT_EQ(TBL_SetFavName(0, longName), 0);
    EXPECT_EQ(std::memcmp(g_FavTable[0].name, longName, FAV_NAME_LEN), 0);
    const uint8_t* name = nullptr;
    ASSERT_EQ(TBL_GetFavName(0, &name), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(name)), "ABCDEFGHIJKLMNOPQRST");

    // A shorter name clears what the longer one left behind; a prefix byte stays.
    const uint8_t prefixed[] = {0x05, 'N', 'e', 'w', 's', 0};
    ASSERT_EQ(TBL_SetFavName(0, prefixed), 0);
    ASSERT_EQ(TBL_GetFavName(0, &name), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(name)), "\x05News");
    for (size_t i = 5; i < FAV_NAME_LEN; ++i)
        EXPECT_EQ(g_FavTable[0].name[i], 0) << i;
}

TEST_F(FavTableTest, ARecordWithTooManyEntriesHasNoNameAndReadsAs200) {
    FavInfo fav{};
    fav.count = 300;
    std::memcpy(fav.name, "Sport", 5);
    ASSERT_EQ(TBL_SetFavInfo(4, &fav), 0);
    EXPECT_EQ(std::memcmp(&g_FavTable[4], &fav, sizeof fav), 0); // stored as given
    const uint8_t* name = reinterpret_cast<const uint8_t*>("x");
    EXPECT_EQ(TBL_GetFavName(4, &name), DBERR_TABLE_INDEX);
    EXPECT_EQ(name, nullptr);
    uint16_t count = 0;
    const uint16_t* entries = nullptr;
    ASSERT_EQ(TBL_GetFavEntries(4, &count, &entries), 0);
    EXPECT_EQ(count, 200);
    TBL_ClearFavTable();
    EXPECT_EQ(g_FavTable[4].count, 0);
}

TEST_F(FavTableTest, GroupBoundsAndNullArguments) {
    const FavInfo fav{};
    const uint8_t* name = nullptr;
    uint16_t count = 0;
    const uint16_t* entries = nullptr;
    const uint16_t one = 8;
    EXPECT_EQ(TBL_SetFavInfo(16, &fav), DBERR_TABLE_INDEX);
    EXPECT_EQ(TBL_SetFavName(16, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_SetFavName(16, reinterpret_cast<const uint8_t*>("a")), DBERR_TABLE_INDEX);
    EXPECT_EQ(TBL_GetFavName(16, &name), DBERR_TABLE_INDEX);
    EXPECT_EQ(TBL_GetFavEntries(16, &count, &entries), DBERR_TABLE_INDEX);
    EXPECT_EQ(TBL_SetFavEntries(16, 1, &one), DBERR_TABLE_INDEX);
    EXPECT_EQ(TBL_SetFavInfo(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_GetFavName(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_GetFavEntries(0, nullptr, &entries), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_SetFavEntries(0, 1, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(TBL_SetFavInfo(15, &fav), 0);
}

} // namespace
