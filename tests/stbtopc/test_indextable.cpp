// Index tables: counts, the bounded reads of every kind, the adds and the
// table clears.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "indextable.h"
#include "wrapper.h"

namespace {

class IndexTableTest : public DbTest {
  protected:
    // An image opened the way the document opens one: banks loaded into the
    // blocks of a library that starts cold.
    void open(const ImageSpec& spec) {
        ASSERT_TRUE(BuildImage(spec));
        ResetLibraryKeepImage();
        ASSERT_EQ(SLM_LoadIndex(), 0);
    }
};

template <typename Record> bool isZero(const Record& r) {
    static const Record zero{};
    return std::memcmp(&r, &zero, sizeof r) == 0;
}

std::vector<uint8_t> imageCopy() {
    return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE};
}

TEST_F(IndexTableTest, CountsOfEveryKind) {
    open(SampleSpec({.services = 7,
                     .transportStreams = 3,
                     .transponders = 4,
                     .providers = 2,
                     .satellites = 2,
                     .favourites = 1,
                     .kind9 = 5}));
    struct Case {
        DBERR (*get)(uint16_t*);
        uint16_t expected;
    };
    const Case cases[] = {{IDX_GetNumTsInfos, 3}, {IDX_GetNumTpInfos, 4}, {IDX_GetNumPrvInfos, 2},
                          {IDX_GetNumKind9, 5},   {IDX_GetNumSats, 64},   {IDX_GetNumFavs, 16}};
    for (const Case& c : cases) {
        uint16_t count = 0xAAAA;
        EXPECT_EQ(c.get(&count), 0);
        EXPECT_EQ(count, c.expected);
        EXPECT_EQ(c.get(nullptr), DBERR_NULL_ARG);
    }

    // The type does not filter; an unknown type answers 0.
    for (uint32_t type : {0u, 1u, 2u, 6u}) {
        uint16_t count = 0;
        EXPECT_EQ(IDX_GetNumSvcs(type, &count), 0) << type;
        EXPECT_EQ(count, 7) << type;
    }
    uint16_t count = 0xAAAA;
    EXPECT_EQ(IDX_GetNumSvcs(3, &count), DBERR_TABLE_INDEX);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(IDX_GetNumSvcs(0, nullptr), DBERR_NULL_ARG);
}

TEST_F(IndexTableTest, ReadsGiveTheStoredRecordsAndRefusePastTheCount) {
    ImageSpec spec = SampleSpec({.services = 2,
                                 .transportStreams = 2,
                                 .transponders = 1,
                                 .providers = 1,
                                 .satellites = 1,
                                 .kind9 = 1});
    open(spec);

    TsInfo ts;
    ASSERT_EQ(IDX_ReadTsInfo(1, &ts), 0);
    EXPECT_EQ(std::memcmp(&ts, &spec.transportStreams[1], sizeof ts), 0);
    TpInfo tp;
    ASSERT_EQ(IDX_ReadTpInfo(0, &tp), 0);
    EXPECT_EQ(std::memcmp(&tp, &spec.transponders[0], sizeof tp), 0);
    PrvInfo prv;
    ASSERT_EQ(IDX_ReadPrvInfo(0, &prv), 0);
    EXPECT_STREQ(prv.name, "Provider 0");
    Kind9Record k9;
    ASSERT_EQ(IDX_ReadKind9Record(0, &k9), 0);
    EXPECT_EQ(std::memcmp(&k9, &spec.kind9[0], sizeof k9), 0);
    SatInfo sat;
    ASSERT_EQ(IDX_ReadSatInfo(0, &sat), 0);
    EXPECT_STREQ(sat.name, "Sat 0");

    // Past the count: an error and a zero record, for every kind.
    std::memset(&ts, 0xCC, sizeof ts);
    EXPECT_EQ(IDX_ReadTsInfo(2, &ts), DBERR_TABLE_INDEX);
    EXPECT_TRUE(isZero(ts));
    std::memset(&tp, 0xCC, sizeof tp);
    EXPECT_EQ(IDX_ReadTpInfo(1, &tp), DBERR_TABLE_INDEX);
    EXPECT_TRUE(isZero(tp));
    EXPECT_EQ(IDX_ReadPrvInfo(1, &prv), DBERR_TABLE_INDEX);
    EXPECT_EQ(IDX_ReadKind9Record(1, &k9), DBERR_TABLE_INDEX);
    EXPECT_EQ(IDX_ReadSatInfo(64, &sat), DBERR_TABLE_INDEX);
    FavInfo fav;
    EXPECT_EQ(IDX_ReadFavInfo(16, &fav), DBERR_TABLE_INDEX);
    SvcInfo svc;
    EXPECT_EQ(IDX_ReadSvcInfo(6, 2, &svc), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(IDX_ReadTsInfo(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(IDX_ReadSvcInfo(6, 0, nullptr), DBERR_NULL_ARG);
}

TEST_F(IndexTableTest, AnAddressOutsideTheImageReadsAsZerosWithAnError) {
    open(SampleSpec({.services = 1, .transponders = 1}));
    g_TpIndex.addresses[0] = FLASH_DB_END - 4; // the record would run past the window
    TpInfo tp;
    std::memset(&tp, 0xCC, sizeof tp);
    EXPECT_EQ(IDX_ReadTpInfo(0, &tp), DBERR_FLASH_RANGE);
    EXPECT_TRUE(isZero(tp));

    g_SvcIndex.addresses[0] = 0x10;
    SvcInfo svc;
    EXPECT_EQ(IDX_ReadSvcInfo(6, 0, &svc), DBERR_FLASH_RANGE);
    EXPECT_TRUE(isZero(svc));
}

TEST_F(IndexTableTest, ErasedSatelliteAndOverfullFavouriteReadAsZeroWithSuccess) {
    ImageSpec spec = SampleSpec({.services = 1, .satellites = 2, .favourites = 2});
    open(spec);
    // Entry 1 points at an erased slot; group 1 claims 201 entries.
    g_SatIndex.addresses[1] = DB_RECORD_SECTOR_B_BASE + 30000; // erased, past the slots
    const uint16_t overfull = 201;
    WRAP_FlashWrite(g_FavIndex.addresses[1], sizeof overfull, &overfull);

    SatInfo sat;
    std::memset(&sat, 0xCC, sizeof sat);
    EXPECT_EQ(IDX_ReadSatInfo(1, &sat), 0);
    EXPECT_TRUE(isZero(sat));
    ASSERT_EQ(IDX_ReadSatInfo(0, &sat), 0);
    EXPECT_STREQ(sat.name, "Sat 0");

    FavInfo fav;
    EXPECT_EQ(IDX_ReadFavInfo(1, &fav), 0);
    EXPECT_TRUE(isZero(fav));
    ASSERT_EQ(IDX_ReadFavInfo(0, &fav), 0);
    EXPECT_EQ(fav.count, 1);
}

TEST_F(IndexTableTest, ServiceIsReadOnlyWhenItsTransportStreamIsIndexed) {
    ImageSpec spec = SampleSpec({.services = 2, .transportStreams = 2});
    open(spec);
    SvcInfo svc;
    ASSERT_EQ(IDX_ReadSvcInfo(6, 1, &svc), 0);
    EXPECT_EQ(svc.tsRef, g_TsIndex.addresses[1]);
    EXPECT_EQ(std::memcmp(&svc, &spec.services[1].record, 56), 0);

    g_TsIndex.count = 1; // the second TS is no longer listed
    std::memset(&svc, 0xCC, sizeof svc);
    EXPECT_EQ(IDX_ReadSvcInfo(6, 1, &svc), DBERR_TABLE_INDEX);
    EXPECT_TRUE(isZero(svc));
    EXPECT_EQ(IDX_ReadSvcInfo(6, 0, &svc), 0);
    EXPECT_EQ(IDX_ReadSvcInfo(3, 0, &svc), DBERR_TABLE_INDEX);
}

TEST_F(IndexTableTest, NthServiceOfTypeCountsTheStoredTypes) {
    // Sample services alternate TV (even entries) and radio (odd entries).
    open(SampleSpec({.services = 5}));
    struct Case {
        uint32_t type;
        int32_t n;
        DBERR result;
        int32_t index;
    };
    const Case cases[] = {
        {6, 3, 0, 3},
        {0, 0, 0, 0},
        {0, 2, 0, 4},
        {1, 1, 0, 3},
        {1, 2, DBERR_TABLE_NOT_FOUND, -1},
        {6, 5, DBERR_TABLE_NOT_FOUND, -1},
        {2, 0, DBERR_TABLE_NOT_FOUND, -1},
        {6, -1, DBERR_TABLE_INDEX, -1},
    };
    for (const Case& c : cases) {
        int32_t index = 99;
        EXPECT_EQ(IDX_GetNthSvcOfType(c.type, c.n, &index), c.result) << c.type << " " << c.n;
        EXPECT_EQ(index, c.index) << c.type << " " << c.n;
    }
    g_SvcIndex.addresses[2] = 0;
    int32_t index = 99;
    EXPECT_EQ(IDX_GetNthSvcOfType(6, 2, &index), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(IDX_GetNthSvcOfType(6, 0, nullptr), DBERR_NULL_ARG);
}

TEST_F(IndexTableTest, CountsPastTheCapacityAreClamped) {
    open(SampleSpec({.services = 1, .transportStreams = 1}));
    // Blocks can only hold such counts by damage in memory; the readers
    // still never step past the address arrays.
    g_TsIndex.count = 0xFFFF;
    g_SvcIndex.count = 0xFFFF;
    g_FavIndex.count = 0xFFFF;
    uint16_t count = 0;
    EXPECT_EQ(IDX_GetNumTsInfos(&count), 0);
    EXPECT_EQ(count, TS_CAPACITY);
    EXPECT_EQ(IDX_GetNumSvcs(6, &count), 0);
    EXPECT_EQ(count, MAX_SERVICES);
    TsInfo ts;
    EXPECT_EQ(IDX_ReadTsInfo(TS_CAPACITY, &ts), DBERR_TABLE_INDEX);
    EXPECT_FALSE(IDX_IsTsIndexed(0xDEADBEEF));
    int32_t index = 0;
    EXPECT_EQ(IDX_GetNthSvcOfType(0, 7000, &index), DBERR_TABLE_NOT_FOUND);
    EXPECT_EQ(IDX_GetNthSvcOfType(6, 6000, &index), DBERR_TABLE_NOT_FOUND);
    FavInfo fav;
    EXPECT_EQ(IDX_ReadFavInfo(FAV_CAPACITY, &fav), DBERR_TABLE_INDEX);
    uint32_t address = 0;
    const TsInfo record{};
    EXPECT_EQ(IDX_AddTsInfo(&record, &address), DBERR_TABLE_INDEX);
}

TEST_F(IndexTableTest, AddWritesToAFreeSlotAndAppends) {
    DB_InitFlashMap(6);
    DB_FormatAll();
    TsInfo ts = MakeTs(11000, 27500, POL_HORIZONTAL, 3);
    uint32_t first = 0, second = 0;
    ASSERT_EQ(IDX_AddTsInfo(&ts, &first), 0);
    ts.id1 = 7;
    ASSERT_EQ(IDX_AddTsInfo(&ts, &second), 0);
    EXPECT_EQ(first, DB_GetFirstSlotAddress(KIND_TS));
    EXPECT_EQ(second, first + sizeof(TsInfo));
    EXPECT_EQ(g_TsIndex.count, 2);
    EXPECT_EQ(g_TsIndex.addresses[1], second);
    TsInfo back;
    ASSERT_EQ(IDX_ReadTsInfo(1, &back), 0);
    EXPECT_EQ(back.id1, 7);

    SvcInfo svc = MakeService("A", SVC_TYPE_TV, 0x100, 0x101);
    svc.tsRef = first;
    uint32_t svcAddress = 0;
    ASSERT_EQ(IDX_AddSvcInfo(&svc, &svcAddress), 0);
    EXPECT_EQ(svcAddress, DB_GetSvcSectorAddress(0));
    EXPECT_EQ(IDX_AddSvcInfo(nullptr, &svcAddress), DBERR_NULL_ARG);
    EXPECT_EQ(IDX_AddSvcInfo(&svc, nullptr), DBERR_NULL_ARG);
}

TEST_F(IndexTableTest, FullTableAndRefusedWriteChangeNothing) {
    DB_InitFlashMap(6);
    DB_FormatAll();
    const SatInfo sat = MakeSatellite("S", 192, 9750000);
    uint32_t address = 0;
    for (uint32_t i = 0; i < SAT_CAPACITY; ++i)
        ASSERT_EQ(IDX_AddSatInfo(&sat, &address), 0) << i;
    const std::vector<uint8_t> full = imageCopy();
    address = 0x1234;
    EXPECT_EQ(IDX_AddSatInfo(&sat, &address), DBERR_TABLE_INDEX);
    EXPECT_EQ(address, 0x1234u);
    EXPECT_EQ(g_SatIndex.count, SAT_CAPACITY);
    EXPECT_EQ(imageCopy(), full);

    // Slots never formatted: the writer finds none and the table keeps its count.
    std::memset(g_SlotStateArea.prvSlots, 0, sizeof g_SlotStateArea.prvSlots);
    const PrvInfo prv = MakeProvider("P");
    EXPECT_EQ(IDX_AddPrvInfo(&prv, &address), DBERR_TABLE_INDEX);
    EXPECT_EQ(g_PrvIndex.count, 0);
    EXPECT_EQ(address, 0x1234u);
}

TEST_F(IndexTableTest, ClearTableZeroesTheTablesOfEachCode) {
    struct Block {
        const char* name;
        void* data;
        size_t size;
    };
    const Block blocks[] = {
        {"svc", &g_SvcIndex, sizeof g_SvcIndex},       {"ts", &g_TsIndex, sizeof g_TsIndex},
        {"tp", &g_TpIndex, sizeof g_TpIndex},          {"k9", &g_Kind9Index, sizeof g_Kind9Index},
        {"k10", &g_Kind10Index, sizeof g_Kind10Index}, {"prv", &g_PrvIndex, sizeof g_PrvIndex},
        {"sat", &g_SatIndex, sizeof g_SatIndex},       {"fav", &g_FavIndex, sizeof g_FavIndex},
    };
    struct Case {
        uint32_t code;
        const char* cleared; // names of the blocks the code clears, or "all"
    };
    const Case cases[] = {{0, "all"}, {1, "svc"}, {2, "ts"},   {3, "k9"},
                          {4, "k10"}, {5, "prv"}, {11, "sat"}, {12, "fav"},
                          {7, ""},    {6, ""},    {13, ""},    {0xFFFFFFFF, ""}};
    for (const Case& c : cases) {
        for (const Block& b : blocks)
            std::memset(b.data, 0x11, b.size);
        EXPECT_EQ(IDX_ClearTable(c.code), 0);
        for (const Block& b : blocks) {
            const bool expectCleared =
                std::strcmp(c.cleared, "all") == 0 || std::strcmp(c.cleared, b.name) == 0;
            const auto* bytes = static_cast<const uint8_t*>(b.data);
            bool zero = true;
            for (size_t i = 0; i < b.size; ++i)
                zero = zero && bytes[i] == 0;
            EXPECT_EQ(zero, expectCleared) << "code " << c.code << " block " << b.name;
        }
    }
}

} // namespace
