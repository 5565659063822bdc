// Database load: records into the tables, services linked, filed, numbered,
// merged and name-sorted; loads that start from empty; links that survive
// near-duplicate records; and the round trip load -> commit -> load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dballoc.h"
#include "dbload.h"
#include "dbopen.h"
#include "dbsnapshot.h"
#include "dbtest.h"
#include "favourites.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "indexcommit.h"
#include "linkedlist.h"
#include "satnet.h"
#include "svchandle.h"
#include "svclist.h"
#include "tablecopy.h"
#include "tables.h"
#include "wrapper.h"

namespace {

using Numbers = std::vector<std::pair<uint32_t, uint32_t>>;

class DbLoadTest : public DbTest {
  protected:
    // Builds the image and opens it as the document does, from a cold start.
    uint16_t open(const ImageSpec& spec) {
        EXPECT_TRUE(BuildImage(spec));
        ResetLibraryKeepImage();
        uint16_t count = 0xFFFF;
        EXPECT_EQ(DB_OpenDatabase(&count), 1u);
        return count;
    }
    static ImageService service(const char* name, uint32_t type, int ts = 0, int prv = IMG_NONE) {
        static uint16_t pid = 0x100;
        ImageService s;
        s.record = MakeService(name, type, pid, static_cast<uint16_t>(pid + 1));
        pid = static_cast<uint16_t>(pid + 2);
        s.tsIndex = ts;
        s.prvIndex = prv;
        return s;
    }
    static ImageSpec oneTs() {
        ImageSpec spec;
        spec.transportStreams.push_back(MakeTs(10700, 22000, POL_HORIZONTAL, 0));
        return spec;
    }
    std::vector<uint8_t> image() const { return {g_FlashImage, g_FlashImage + FLASH_DB_SIZE}; }
};

TEST_F(DbLoadTest, ServicesAreNumberedPerKindInIndexOrderAndMergedByNumber) {
    struct Case {
        const char* what;
        std::vector<uint32_t> types; // in index order; 2 is a data service
        Numbers master;              // (number, type) in master order
    };
    const Case cases[] = {
        {"TV, TV, radio", {0, 0, 1}, {{1, 0}, {1, 1}, {2, 0}}},
        {"radio first", {1, 0, 1, 0}, {{1, 0}, {1, 1}, {2, 0}, {2, 1}}},
        {"data among TV", {0, 2, 1}, {{1, 0}, {1, 1}, {2, 2}}},
        {"radio only", {1, 1}, {{1, 1}, {2, 1}}},
    };
    for (const Case& c : cases) {
        DB_ResetAllState();
        ImageSpec spec = oneTs();
        for (uint32_t type : c.types) {
            ImageService s = service("S", type);
            if (type == 2)
                s.record.flags =
                    DB_SetBits(s.record.flags, SVCF_CLASS_LO, SVCF_CLASS_W, SVC_CLASS_DATA);
            spec.services.push_back(s);
        }
        EXPECT_EQ(open(spec), c.types.size()) << c.what;
        EXPECT_EQ(MasterNumbers(), c.master) << c.what;
        EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);
    }
}

TEST_F(DbLoadTest, HandlesCarryTheRecordsFlags) {
    ImageSpec spec = oneTs();
    ImageService s = service("Locked", SVC_TYPE_TV);
    s.record.flags |= SVCF_LOCK | SVCF_HIDDEN;
    spec.services.push_back(s);
    spec.services.push_back(service("Plain", SVC_TYPE_RADIO));
    ASSERT_EQ(open(spec), 2);
    const SvcHandleObj* locked = HT_Resolve(SLM_NodeHandle(g_MasterSvcList));
    ASSERT_NE(locked, nullptr);
    EXPECT_NE(locked->numFlags & SVH_LOCK, 0u);
    EXPECT_NE(locked->numFlags & SVH_HIDDEN, 0u);
    EXPECT_EQ(locked->name, locked->record->name);
    EXPECT_STREQ(reinterpret_cast<const char*>(locked->name), "Locked");
    const SvcHandleObj* plain = HT_Resolve(SLM_NodeHandle(g_MasterSvcList->next));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->numFlags & (SVH_LOCK | SVH_HIDDEN), 0u);
}

TEST_F(DbLoadTest, EqualNamesKeepTheSelectionSortsTieOrder) {
    // Keys ignore case: the three "same" names are equal. The sort swaps
    // "Alpha" to the front, moving the first "same" behind the second.
    ImageSpec spec = oneTs();
    for (const char* name : {"same", "Same", "Alpha", "SAME"})
        spec.services.push_back(service(name, SVC_TYPE_TV));
    ASSERT_EQ(open(spec), 4);
    EXPECT_EQ(NameOrder(), (std::vector<std::string>{"Alpha", "Same", "same", "SAME"}));
}

TEST_F(DbLoadTest, AnEmptyServiceIndexStillLoadsTheOtherTables) {
    ImageSpec spec = SampleSpec({.services = 0, .satellites = 2, .favourites = 1});
    for (uint32_t mhz : {11000u, 11500u, 12000u})
        spec.transponders.push_back(MakeTs(mhz, 27500, POL_VERTICAL, 1).tp);
    spec.favourites[0].count = 0;
    std::memcpy(spec.favourites[1].name, "Kept", 4);
    EXPECT_EQ(open(spec), 0);
    EXPECT_EQ(g_MasterSvcList, nullptr);
    EXPECT_EQ(g_NameSortedSvcList, nullptr);
    EXPECT_EQ(TBL_GetTpCount(), 3u);
    EXPECT_STREQ(SN_GetSatName(1), "Sat 1");
    EXPECT_EQ(SN_IsSatUsed(1), 1u);
    EXPECT_EQ(std::memcmp(g_FavTable[1].name, "Kept", 4), 0);
}

TEST_F(DbLoadTest, LoadingAgainWithoutACloseGivesTheSameDatabase) {
    const uint16_t count =
        open(SampleSpec({.services = 20, .transportStreams = 4, .providers = 3}));
    ASSERT_EQ(count, 20);
    const DbSnapshot first = TakeDbSnapshot();
    uint16_t again = 0;
    ASSERT_EQ(SLM_LoadDatabase(&again), 0);
    EXPECT_EQ(again, 20);
    EXPECT_EQ(HT_LiveCount(), 20u);
    EXPECT_EQ(TBL_GetSvcCount(), 20u);
    EXPECT_EQ(TBL_GetTsCount(), 4u);
    EXPECT_TRUE(TakeDbSnapshot() == first);
    EXPECT_EQ(SLM_LoadDatabase(nullptr), DBERR_NULL_ARG);
}

TEST_F(DbLoadTest, NearDuplicateRecordsKeepEveryServiceLinked) {
    // The two TS records are equal for the table (the flags word is not part
    // of TS equality) but not byte for byte; the two providers differ only in
    // case. Every service must still reach a TS and its provider.
    ImageSpec spec;
    TsInfo a = MakeTs(10700, 22000, POL_HORIZONTAL, 0);
    TsInfo b = a;
    b.flags ^= 0x1;
    spec.transportStreams = {a, b};
    spec.providers = {MakeProvider("Canal"), MakeProvider("CANAL")};
    spec.services = {service("On A", SVC_TYPE_TV, 0, 0), service("On B", SVC_TYPE_TV, 1, 1)};
    ASSERT_EQ(open(spec), 2);
    EXPECT_EQ(TBL_GetTsCount(), 1u);
    EXPECT_EQ(TBL_GetPrvCount(), 1u);
    const DbSnapshot loaded = TakeDbSnapshot();
    for (const LoadedService& svc : loaded.master) {
        EXPECT_EQ(svc.ts.size(), sizeof(TsInfo));
        EXPECT_EQ(svc.prv.size(), sizeof(PrvInfo));
    }

    ASSERT_EQ(IDX_CommitAll(), 0);
    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(TakeDbSnapshot() == loaded);
}

TEST_F(DbLoadTest, ServicesWithoutALoadableTransportStreamAreSkipped) {
    ImageSpec spec;
    spec.transportStreams = {MakeTs(10700, 22000, POL_HORIZONTAL, 0),
                             MakeTs(10800, 22000, POL_HORIZONTAL, 0)};
    spec.providers = {MakeProvider("P")};
    spec.services = {service("Kept", SVC_TYPE_TV, 0, 0), service("Lost", SVC_TYPE_TV, 1),
                     service("No provider", SVC_TYPE_TV, 0, 0)};
    ASSERT_TRUE(BuildImage(spec));
    // The second TS entry, and the second service's TS address, now point
    // past the image: the entry cannot be read, so that service has nothing
    // to stand on. The third service names a provider address that is no
    // provider record: it loads without one.
    auto rewrite = [](uint32_t entry, auto change) {
        SvcInfo record;
        WRAP_FlashRead(g_SvcIndex.addresses[entry], sizeof record, &record);
        change(record);
        WRAP_FlashWrite(g_SvcIndex.addresses[entry], sizeof record, &record);
    };
    g_TsIndex.addresses[1] = FLASH_DB_END - 8;
    rewrite(1, [](SvcInfo& r) { r.tsRef = FLASH_DB_END - 8; });
    rewrite(2, [](SvcInfo& r) { r.prvRef = g_TsIndex.addresses[0]; });
    DB_SaveIndexBank();
    ResetLibraryKeepImage();

    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(HT_LiveCount(), 2u);
    EXPECT_EQ(TBL_GetSvcCount(), 2u);
    EXPECT_EQ(NameOrder(), (std::vector<std::string>{"Kept", "No provider"}));
    const DbSnapshot s = TakeDbSnapshot();
    ASSERT_EQ(s.master.size(), 2u);
    EXPECT_EQ(s.master[0].prv.size(), sizeof(PrvInfo));
    EXPECT_TRUE(s.master[1].prv.empty());
    EXPECT_EQ(s.master[1].ts.size(), sizeof(TsInfo));
}

TEST_F(DbLoadTest, AHandleForARecordTheTableRefusesIsFreed) {
    ASSERT_TRUE(BuildImage(SampleSpec({.services = 3})));
    ResetLibraryKeepImage();
    ASSERT_EQ(SLM_LoadIndex(), 0);
    // The TS copy and two service copies succeed; the third service's does not.
    // The refused record's handle is freed, and a load that lost a record
    // keeps nothing at all.
    DB_SetAllocFailAfter(3);
    uint16_t count = 0xFFFF;
    ASSERT_EQ(SLM_LoadDatabase(&count), DBERR_NO_MEMORY);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(HT_LiveCount(), 0u);
    EXPECT_EQ(TBL_GetSvcCount(), 0u);
}

TEST_F(DbLoadTest, ACommittedImageLoadsAndCommitsToTheSameBytes) {
    ImageSpec spec = SampleSpec({.services = 300,
                                 .transportStreams = 40,
                                 .transponders = 30,
                                 .providers = 12,
                                 .satellites = 6,
                                 .favourites = 3,
                                 .kind9 = 2});
    spec.services[5].record.flags |= SVCF_LOCK;
    spec.services[6].record.casId[0] = 0x0500;
    open(spec);
    ASSERT_EQ(IDX_CommitAll(), 0);
    const std::vector<uint8_t> committed = image();

    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 300);
    ASSERT_EQ(IDX_CommitAll(), 0);
    EXPECT_TRUE(image() == committed);
}

TEST_F(DbLoadTest, EditsSurviveCommitAndReload) {
    open(SampleSpec({.services = 40,
                     .transportStreams = 6,
                     .transponders = 5,
                     .providers = 4,
                     .satellites = 3,
                     .favourites = 2}));
    // Edit the loaded tables: rename a service in place, change a satellite
    // and a favourite group, add a transponder and a provider.
    auto* first = static_cast<SvcInfo*>(g_SvcInfoList->data);
    SvcInfo renamed = *first;
    std::memset(renamed.name, 0, sizeof renamed.name);
    std::memcpy(renamed.name, "Renamed", 7);
    SvcInfo* out = nullptr;
    ASSERT_EQ(TBL_ReplaceSvcInfo(first, &renamed, &out), 0);
    const SatInfo sat = MakeSatellite("New sat", -50, 10600000);
    ASSERT_EQ(SN_SetSatInfo(7, &sat), 0);
    const uint16_t entries[3] = {(3 << 3) | 0, (2 << 3) | 1, (1 << 3) | 0};
    ASSERT_EQ(TBL_SetFavEntries(1, 3, entries), 0);
    // The load built the group's list, which the commit stores: build it again.
    ASSERT_EQ(SLM_LoadFavGroup(LIST_FAV_FIRST + 1), 0);
    const uint32_t tpCount = TBL_GetTpCount();
    TpInfo* tp = nullptr;
    const TpInfo newTp = MakeTs(11111, 30000, POL_VERTICAL, 2).tp;
    ASSERT_EQ(TBL_AddTpInfo(&newTp, &tp), 0);
    PrvInfo* prv = nullptr;
    const PrvInfo newPrv = MakeProvider("Fresh");
    ASSERT_EQ(TBL_AddPrvInfo(&newPrv, &prv), 0);

    ASSERT_EQ(IDX_CommitAll(), 0);
    ResetLibraryKeepImage();
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 40);
    const DbSnapshot afterEdits = TakeDbSnapshot();
    EXPECT_EQ(NameOrder().front(), "Renamed");
    EXPECT_EQ(afterEdits.tp.size(), tpCount + 1);
    EXPECT_EQ(afterEdits.prv.size(), 5u);
    EXPECT_STREQ(SN_GetSatName(7), "New sat");
    EXPECT_EQ(g_FavTable[1].count, 3);

    ASSERT_EQ(IDX_CommitAll(), 0);
    ResetLibraryKeepImage();
    ASSERT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 40);
    EXPECT_TRUE(TakeDbSnapshot() == afterEdits);
}

TEST_F(DbLoadTest, OpenAnswersWhetherTheImageIsADatabase) {
    DB_InitFlashMap(DB_MAX_SVC_SECTORS);
    ASSERT_EQ(SN_SetRegionId(2), 0);
    std::memset(g_FlashImage, 0xFF, FLASH_DB_SIZE);
    uint16_t count = 0xAAAA;
    EXPECT_EQ(DB_OpenDatabase(&count), 0u);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(g_RegionId, 2u); // a failed open keeps the region

    ASSERT_TRUE(BuildImage(SampleSpec({.services = 2})));
    ResetLibraryKeepImage();
    ASSERT_EQ(SN_SetRegionId(2), 0);
    EXPECT_EQ(DB_OpenDatabase(&count), 1u);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(g_RegionId, 0u);
}

TEST_F(DbLoadTest, SpecialListsAreEmpty) {
    LL_Node* head = reinterpret_cast<LL_Node*>(0x1);
    EXPECT_EQ(SLM_TakeSpecialList(LIST_EXTRA_A, &head), 0);
    EXPECT_EQ(head, nullptr);
    EXPECT_EQ(SLM_TakeSpecialList(LIST_EXTRA_B, &head), 0);
    EXPECT_EQ(SLM_TakeSpecialList(5, &head), 0);
    EXPECT_EQ(head, nullptr);
    EXPECT_EQ(SLM_TakeSpecialList(LIST_EXTRA_A, nullptr), DBERR_NULL_ARG);
}

TEST_F(DbLoadTest, FilingFollowsNumberLockAndType) {
    // Handles as a renumbered list holds them: numbered, some locked.
    auto make = [](uint32_t number, uint32_t type, bool locked) {
        const SvcHandle h = HT_Alloc();
        SvcHandleObj* obj = HT_Resolve(h);
        obj->numFlags = DB_SetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, number);
        obj->numFlags = DB_SetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W, type);
        if (locked) obj->numFlags |= SVH_NUM_LOCKED;
        return h;
    };
    LL_Node *lockedTv = nullptr, *lockedRadio = nullptr, *tv = nullptr, *radio = nullptr;
    auto file = [&](SvcHandle h) {
        EXPECT_EQ(INT_SLM_FileLoadedService(&lockedTv, &lockedRadio, &tv, &radio, &h), 0);
        return h;
    };
    const SvcHandle l5 = file(make(5, SVC_TYPE_TV, true));
    const SvcHandle l2 = file(make(2, SVC_TYPE_TV, true));
    EXPECT_EQ(file(make(5, SVC_TYPE_TV, true)), SVC_HANDLE_NONE); // same number: freed
    EXPECT_EQ(file(make(3, 4, true)), SVC_HANDLE_NONE);           // other type: not filed
    file(make(1, SVC_TYPE_RADIO, true));
    const SvcHandle u7 = file(make(7, SVC_TYPE_TV, false));
    const SvcHandle u3 = file(make(3, SVC_TYPE_TV, false));
    file(make(SVC_NUMBER_ANY, 2, false));
    file(make(SVC_NUMBER_ANY, SVC_TYPE_RADIO, false));
    EXPECT_EQ(HT_LiveCount(), 7u);

    auto ids = [](LL_Node* list) {
        std::vector<SvcHandle> out;
        for (LL_Node* n = list; n != nullptr; n = n->next == list ? nullptr : n->next)
            out.push_back(SLM_NodeHandle(n));
        return out;
    };
    EXPECT_EQ(ids(lockedTv), (std::vector<SvcHandle>{l2, l5}));
    EXPECT_EQ(ids(lockedRadio).size(), 1u);
    EXPECT_EQ(ids(tv).size(), 3u);
    EXPECT_EQ(ids(tv)[0], u3);
    EXPECT_EQ(ids(tv)[1], u7);
    EXPECT_EQ(ids(radio).size(), 1u);
    EXPECT_EQ(lockedTv->prev->next, lockedTv); // closed
    for (LL_Node* list : {lockedTv, lockedRadio, tv, radio})
        LL_FreeAll(list, nullptr);

    SvcHandle stale = 0xDEAD;
    EXPECT_EQ(INT_SLM_FileLoadedService(&lockedTv, &lockedRadio, &tv, &radio, &stale),
              DBERR_NOT_FOUND);
    EXPECT_EQ(INT_SLM_FileLoadedService(nullptr, &lockedRadio, &tv, &radio, &stale),
              DBERR_NULL_ARG);
}

} // namespace

namespace {

// A load that runs out of memory anywhere must not pass for a complete one:
// the editor would show and later save the list without the dropped records.
TEST_F(DbLoadTest, ALoadThatRunsOutOfMemoryFailsAndKeepsNothing) {
    ImageCounts counts;
    counts.services = 40;
    counts.transportStreams = 5;
    counts.transponders = 6;
    counts.providers = 4;
    counts.satellites = 3;
    counts.favourites = 2;
    const uint16_t full = open(SampleSpec(counts));
    ASSERT_EQ(full, 40u);
    const std::vector<uint8_t> before = image();

    struct Seam {
        const char* what;
        void (*failAfter)(int32_t);
    };
    const Seam seams[] = {{"table copies", DB_SetAllocFailAfter},
                          {"list nodes", DB_SetAllocFailAfter}};
    for (const Seam& seam : seams) {
        int failures = 0;
        for (int32_t allowed = 0; allowed < 400; ++allowed) {
            SCOPED_TRACE(testing::Message() << seam.what << " allowed " << allowed);
            ResetLibraryKeepImage();
            seam.failAfter(allowed);
            uint16_t count = 0xFFFF;
            const uint32_t valid = DB_OpenDatabase(&count);
            seam.failAfter(-1);
            if (valid == 1) {
                EXPECT_EQ(count, full);
            } else {
                ++failures;
                EXPECT_EQ(count, 0u);
                EXPECT_EQ(g_MasterSvcList, nullptr);
                EXPECT_EQ(HT_LiveCount(), 0u);
            }
            ASSERT_EQ(image(), before);
            if (valid == 1) break; // every larger allowance succeeds too
        }
        EXPECT_GT(failures, 0) << seam.what;
    }
}

} // namespace
