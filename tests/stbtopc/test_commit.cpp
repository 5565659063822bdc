// The commit: the in-memory tables written back as records in their order,
// references turned into flash addresses, the bank saved to both copies; and
// a failure at any step leaving image and index state as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "indexcommit.h"
#include "indextable.h"
#include "tableadds.h"
#include "tables.h"
#include "tablesave.h"
#include "wrapper.h"

namespace {

using fixtures::AddPrv;
using fixtures::AddTs;

const uint8_t* sectorBytes(uint16_t sector) {
    return g_FlashImage + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
}
std::vector<uint8_t> imageCopy() {
    return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE};
}
uint16_t storedChecksum(uint16_t sector, uint32_t section) {
    uint16_t value = 0;
    std::memcpy(&value, sectorBytes(sector) + IDXBANK_CHECKSUM_OFFSET + 2 * section, 2);
    return value;
}
bool allBytes(const uint8_t* p, size_t n, uint8_t value) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != value) return false;
    return true;
}

// The index state a commit may change, and the satellite and favourite
// tables it must leave alone, for before/after comparisons.
struct IndexState {
    std::vector<uint8_t> bytes;
    static IndexState Take() {
        IndexState s;
        auto add = [&s](const void* p, size_t n) {
            // resize and memcpy rather than insert: GCC 12 at -O3 warns
            // wrongly about insert's copy (-Warray-bounds).
            const size_t at = s.bytes.size();
            s.bytes.resize(at + n);
            std::memcpy(s.bytes.data() + at, p, n);
        };
        add(&g_SlotStateArea, sizeof g_SlotStateArea);
        add(&g_FormatTable, sizeof g_FormatTable);
        add(&g_SvcIndex, sizeof g_SvcIndex);
        add(&g_PrvIndex, sizeof g_PrvIndex);
        add(&g_Kind9Index, sizeof g_Kind9Index);
        add(&g_Kind10Index, sizeof g_Kind10Index);
        add(&g_TsIndex, sizeof g_TsIndex);
        add(&g_TpIndex, sizeof g_TpIndex);
        add(&g_SatIndex, sizeof g_SatIndex);
        add(&g_FavIndex, sizeof g_FavIndex);
        add(g_SatTable, sizeof g_SatTable);
        add(g_FavTable, sizeof g_FavTable);
        return s;
    }
    bool operator==(const IndexState&) const = default;
};

class CommitTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
    }

    void addTp(uint32_t frequency) {
        TpInfo* element = nullptr;
        const TpInfo tp = MakeTs(frequency, 27500, POL_VERTICAL, 0).tp;
        EXPECT_EQ(TBL_AddTpInfo(&tp, &element), 0);
    }
    SvcInfo* addSvc(const char* name, uint32_t type, RefId ts, RefId prv) {
        SvcInfo record = MakeService(name, type, 0x100, 0x101);
        record.tsRef = ts;
        record.prvRef = prv;
        SvcInfo* element = nullptr;
        EXPECT_EQ(TBL_AddSvcInfo(&record, &element), 0);
        return element;
    }

    // A small database in memory: 2 transponders, 2 providers, 2 transport
    // streams, 3 services (one without provider), a satellite and a group.
    void fillSmallDatabase() {
        addTp(12000);
        addTp(12100);
        const RefId p0 = AddPrv("Alpha"), p1 = AddPrv("Beta");
        const RefId t0 = AddTs(MakeTs(10700, 22000, POL_HORIZONTAL, 0));
        TsInfo second = MakeTs(10800, 22000, POL_VERTICAL, 1);
        second.id1 = 9;
        const RefId t1 = AddTs(second);
        addSvc("One", SVC_TYPE_TV, t1, p1);
        addSvc("Two", SVC_TYPE_RADIO, t0, REF_NONE);
        addSvc("Three", SVC_TYPE_TV, t0, p0);
        const SatInfo sat = MakeSatellite("Sat", 192, 9750000);
        SN_SetSatInfo(3, &sat);
        const uint16_t entries[2] = {(1 << 3) | 0, (1 << 3) | 1};
        TBL_SetFavEntries(2, 2, entries);
    }
};

TEST_F(CommitTest, EmptyCommitWritesOnlySatellitesAndFavourites) {
    ASSERT_EQ(IDX_CommitAll(), 0);
    EXPECT_EQ(g_SatIndex.count, SAT_CAPACITY);
    EXPECT_EQ(g_FavIndex.count, FAV_CAPACITY);
    for (uint16_t count : {g_SvcIndex.count, g_TsIndex.count, g_TpIndex.count, g_PrvIndex.count,
                           g_Kind9Index.count, g_Kind10Index.count})
        EXPECT_EQ(count, 0);

    // Both banks equal; every empty index section checksums to 0 + 0x5A5A.
    EXPECT_EQ(std::memcmp(sectorBytes(DB_PRIMARY_BANK_SECTOR), sectorBytes(DB_BACKUP_BANK_SECTOR),
                          FLASH_SECTOR_SIZE),
              0);
    for (uint32_t section : {2u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(storedChecksum(DB_PRIMARY_BANK_SECTOR, section), 0x5A5A) << section;
    EXPECT_NE(storedChecksum(DB_PRIMARY_BANK_SECTOR, 8), 0x5A5A);

    // The 64 + 16 zero records are the only bytes written into the record
    // sectors besides the sector marks; the service sectors stay erased.
    const uint32_t satOffset = DB_GetFirstSlotAddress(KIND_SAT) - DB_RECORD_SECTOR_B_BASE;
    const uint32_t favOffset = DB_GetFirstSlotAddress(KIND_FAV) - DB_RECORD_SECTOR_B_BASE;
    const uint8_t* b = sectorBytes(DB_RECORD_SECTOR_B);
    EXPECT_TRUE(allBytes(b, satOffset, 0xFF));
    EXPECT_TRUE(allBytes(b + satOffset, 64 * sizeof(SatInfo), 0x00));
    EXPECT_EQ(favOffset, satOffset + 64 * sizeof(SatInfo));
    EXPECT_TRUE(allBytes(b + favOffset, 16 * sizeof(FavInfo), 0x00));
    const uint32_t favEnd = favOffset + 16 * sizeof(FavInfo);
    EXPECT_TRUE(allBytes(b + favEnd, DB_SECTOR_MARK_OFFSET - favEnd, 0xFF));
    EXPECT_TRUE(allBytes(sectorBytes(DB_RECORD_SECTOR_A), DB_SECTOR_MARK_OFFSET, 0xFF));
    for (uint16_t s = DB_FIRST_SVC_SECTOR; s <= DB_LAST_SVC_SECTOR; ++s)
        EXPECT_TRUE(allBytes(sectorBytes(s), DB_SECTOR_MARK_OFFSET, 0xFF)) << s;

    // And the image it leaves is a valid database.
    EXPECT_EQ(DB_LoadIndexBank(IDXBANK_MODE_CHECK), 0);
    EXPECT_EQ(IDX_GetCommitWord(), 0u);
}

TEST_F(CommitTest, RecordsAreWrittenInListOrderWithReferencesAsAddresses) {
    fillSmallDatabase();
    IDX_SetCommitWord(0x1234);
    ASSERT_EQ(IDX_CommitAll(), 0);
    EXPECT_EQ(IDX_GetCommitWord(), 0u);
    ASSERT_EQ(g_TpIndex.count, 2);
    ASSERT_EQ(g_PrvIndex.count, 2);
    ASSERT_EQ(g_TsIndex.count, 2);
    ASSERT_EQ(g_SvcIndex.count, 3);

    TpInfo tp;
    ASSERT_EQ(IDX_ReadTpInfo(1, &tp), 0);
    EXPECT_EQ(tp.frequency, 12100u);
    PrvInfo prv;
    ASSERT_EQ(IDX_ReadPrvInfo(1, &prv), 0);
    EXPECT_STREQ(prv.name, "Beta");

    struct Expect {
        const char* name;
        uint32_t tsIndex;
        int prvIndex; // -1 none
    };
    const Expect expected[] = {{"One", 1, 1}, {"Two", 0, -1}, {"Three", 0, 0}};
    for (int32_t n = 0; n < 3; ++n) {
        SvcInfo svc;
        ASSERT_EQ(IDX_ReadSvcInfo(SVC_TYPE_ANY, n, &svc), 0) << n;
        EXPECT_STREQ(reinterpret_cast<const char*>(svc.name), expected[n].name);
        EXPECT_EQ(svc.tsRef, g_TsIndex.addresses[expected[n].tsIndex]) << n;
        EXPECT_EQ(svc.prvRef,
                  expected[n].prvIndex < 0 ? 0u : g_PrvIndex.addresses[expected[n].prvIndex])
            << n;
    }
    // The in-memory records still hold reference ids, not addresses.
    const auto* first = static_cast<const SvcInfo*>(g_SvcInfoList->data);
    EXPECT_EQ(REF_ResolveTs(first->tsRef)->id1, 9);

    SatInfo sat;
    ASSERT_EQ(IDX_ReadSatInfo(3, &sat), 0);
    EXPECT_STREQ(sat.name, "Sat");
    FavInfo fav;
    ASSERT_EQ(IDX_ReadFavInfo(2, &fav), 0);
    EXPECT_EQ(fav.count, 2);
    EXPECT_EQ(DB_LoadIndexBank(IDXBANK_MODE_CHECK), 0);
}

TEST_F(CommitTest, AFailureAtAnyWriteLeavesImageAndIndexAsBefore) {
    fillSmallDatabase();
    ASSERT_EQ(IDX_CommitAll(), 0);
    // Change the database so that a successful commit would change the image.
    addTp(12200);
    const std::vector<uint8_t> image = imageCopy();
    const IndexState index = IndexState::Take();
    IDX_SetCommitWord(77);

    // 3 transponders, 2 providers, 2 transport streams, 3 services, 64
    // satellites, 16 groups: fail each add in turn.
    const int32_t totalAdds = 3 + 2 + 2 + 3 + 64 + 16;
    for (int32_t allowed = 0; allowed < totalAdds; ++allowed) {
        IDX_SetAddFailAfter(allowed);
        EXPECT_EQ(IDX_CommitAll(), DBERR_TABLE_INDEX) << allowed;
        EXPECT_TRUE(imageCopy() == image) << allowed;
        EXPECT_TRUE(IndexState::Take() == index) << allowed;
        EXPECT_EQ(IDX_GetCommitWord(), 77u);
    }
    IDX_SetAddFailAfter(totalAdds);
    EXPECT_EQ(IDX_CommitAll(), 0);
    EXPECT_EQ(g_TpIndex.count, 3);
}

TEST_F(CommitTest, ReferencesWithoutAWrittenRecordFailTheCommit) {
    struct Case {
        const char* what;
        bool danglingTs;
        bool danglingPrv;
        bool noTs;
    };
    const Case cases[] = {
        {"TS element gone", true, false, false},
        {"provider element gone", false, true, false},
        {"no TS at all", false, false, true},
    };
    for (const Case& c : cases) {
        DB_ResetAllState();
        ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
        ASSERT_EQ(IDX_CommitAll(), 0);
        const std::vector<uint8_t> image = imageCopy();
        const IndexState index = IndexState::Take();

        const RefId ts = AddTs(MakeTs(10700, 22000, POL_HORIZONTAL, 0));
        const RefId prv = AddPrv("Alpha");
        RefId svcTs = ts, svcPrv = prv;
        if (c.danglingTs) svcTs = ts + 1000; // an id nobody registered
        if (c.danglingPrv) {
            const PrvInfo gone = MakeProvider("Alpha");
            TBL_DeletePrvInfo(&gone); // the service keeps the released id
        }
        if (c.noTs) svcTs = REF_NONE;
        addSvc("Orphan", SVC_TYPE_TV, svcTs, svcPrv);

        EXPECT_EQ(IDX_CommitAll(), DBERR_TABLE_NOT_FOUND) << c.what;
        EXPECT_TRUE(imageCopy() == image) << c.what;
        EXPECT_TRUE(IndexState::Take() == index) << c.what;
    }
}

TEST_F(CommitTest, ServiceSlotsRunningOutFailTheCommitWithTheImageKept) {
    // One service sector holds 1023 services: the 1024th write is refused.
    ASSERT_EQ(DB_InitFlashMap(1), 0);
    ASSERT_EQ(IDX_CommitAll(), 0);
    const std::vector<uint8_t> image = imageCopy();
    const IndexState index = IndexState::Take();
    const RefId ts = AddTs(MakeTs(10700, 22000, POL_HORIZONTAL, 0));
    for (int i = 0; i < 1024; ++i)
        addSvc("S", SVC_TYPE_TV, ts, REF_NONE);
    EXPECT_EQ(IDX_CommitAll(), DBERR_TABLE_INDEX);
    EXPECT_TRUE(imageCopy() == image);
    EXPECT_TRUE(IndexState::Take() == index);
}

TEST_F(CommitTest, AddressMapLooksUpEveryWrittenElement) {
    const RefId a = AddTs(MakeTs(10700, 22000, POL_HORIZONTAL, 0));
    const RefId b = AddTs(MakeTs(10800, 22000, POL_HORIZONTAL, 0));
    DB_FormatAll();
    TBL_AddressMap map;
    ASSERT_EQ(TBL_SaveTsInfos(&map), 0);
    ASSERT_EQ(map.Count(), 2u);
    EXPECT_EQ(map.Pairs()[0].first, a);
    EXPECT_EQ(map.Lookup(a), g_TsIndex.addresses[0]);
    EXPECT_EQ(map.Lookup(b), g_TsIndex.addresses[1]);
    EXPECT_EQ(map.Lookup(REF_NONE), 0u);
    EXPECT_EQ(map.Lookup(b + 1), 0u);
    EXPECT_EQ(TBL_SaveTsInfos(nullptr), DBERR_NULL_ARG);
}

} // namespace
