// The cascades (a satellite, a transponder, the first service of a
// transponder, each with what hangs on it) and the save of the service order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imagebuilder.h"
#include "indextable.h"
#include "ringcheck.h"
#include "sattable.h"
#include "tptable.h"
#include "test_slmfixture.h"

namespace {

constexpr uint8_t kSat = 0;   // region 0 has no factory rows for slot 0
constexpr uint8_t kOther = 3; // a second satellite (no factory rows either) the cascades keep
constexpr uint8_t kEmpty = 4; // a slot without transponders
const uint32_t kRowFrequencies[] = {11000, 11100, 11200, 11300, 11400};

class SlmCascadeTest : public SlmTest {
  protected:
    void SetUp() override {
        SlmTest::SetUp();
        const SatInfo sat = MakeSatellite("Sat", 192, 9750000);
        ASSERT_EQ(SN_SetSatInfo(kSat, &sat), DBERR_OK);
        StoreRows(kSat, {std::begin(kRowFrequencies), std::end(kRowFrequencies)});
        for (uint32_t f : kRowFrequencies) {
            Add(NumberedName("S", f, "a").c_str(), Key(f, kSat));
            Add(NumberedName("S", f, "b").c_str(), Key(f, kSat));
        }
        // Same frequency, other satellite.
        StoreRows(kOther, {11000});
        otherService = Add("Other", Key(11000, kOther));
        ASSERT_EQ(LoadEditList(kSat), 5u);
    }

    static void StoreRows(uint8_t sat, const std::vector<uint32_t>& frequencies) {
        uint16_t count = 0, constant = 0;
        ASSERT_EQ(SLM_LoadSatTpList(sat, 0, &count, &constant), DBERR_OK);
        const uint16_t one = 1;
        for (uint32_t f : frequencies) {
            TpRow row = Row(f);
            ASSERT_EQ(SLM_AddTp(&row, &one), DBERR_OK);
        }
        ASSERT_EQ(SLM_CommitTpList(sat), DBERR_OK);
    }

    static uint16_t LoadEditList(uint8_t sat) {
        uint16_t count = 0, constant = 0;
        EXPECT_EQ(SLM_LoadSatTpList(sat, 0, &count, &constant), DBERR_OK);
        return count;
    }

    static uint32_t StoredTpsOf(uint8_t sat) {
        uint32_t count = 0;
        TpInfo tpInfo{};
        for (uint32_t n = 0; TBL_GetNthTpInfo(n, &tpInfo) == DBERR_OK; ++n)
            count += tpInfo.satIndex == sat;
        return count;
    }

    static uint32_t TransportStreamsOf(uint8_t sat) {
        uint32_t count = 0;
        TBL_ForEachNode(TBL_GetTsInfoList(), [&](LL_Node* node) {
            count += static_cast<const TsInfo*>(node->data)->tp.satIndex == sat;
            return true;
        });
        return count;
    }

    static uint32_t ServicesOfSat(uint8_t sat) {
        uint16_t count = 0;
        EXPECT_EQ(SLM_GetNumServicesInList(LIST_SAT_FIRST + sat, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY,
                                           &count),
                  DBERR_OK);
        return count;
    }

    static bool SlotIsAllZero(uint8_t sat) {
        const SatInfo zero{};
        return std::memcmp(&g_SatTable[sat], &zero, sizeof zero) == 0;
    }

    SvcHandle otherService = SVC_HANDLE_INVALID;
};

TEST_F(SlmCascadeTest, DeleteSatelliteRemovesEveryRowWithItsServicesAndClearsTheSlot) {
    ASSERT_EQ(ServicesOfSat(kSat), 10u);
    const uint16_t count = 5;
    EXPECT_EQ(SLM_DeleteSatellite(kSat, &count), DBERR_OK);

    EXPECT_EQ(ServicesOfSat(kSat), 0u);
    for (uint32_t f : kRowFrequencies)
        EXPECT_TRUE(ServicesOn(Key(f, kSat)).empty()) << f;
    EXPECT_EQ(StoredTpsOf(kSat), 0u);
    EXPECT_EQ(TransportStreamsOf(kSat), 0u);
    TpRow row{};
    EXPECT_EQ(SLM_GetNthTp(0, &row), DBERR_BAD_LIST);
    EXPECT_TRUE(SlotIsAllZero(kSat));

    // The other satellite keeps its service, transport stream and transponder.
    EXPECT_EQ(Handles(g_MasterSvcList), std::vector<SvcHandle>{otherService});
    EXPECT_EQ(TransportStreamsOf(kOther), 1u);
    EXPECT_EQ(StoredTpsOf(kOther), 1u);
}

TEST_F(SlmCascadeTest, DeleteSatelliteReachesEveryRowWhateverCountItIsGiven) {
    const uint16_t tooFew = 2;
    EXPECT_EQ(SLM_DeleteSatellite(kSat, &tooFew), DBERR_OK);
    EXPECT_EQ(ServicesOfSat(kSat), 0u);
    EXPECT_EQ(StoredTpsOf(kSat), 0u);
    EXPECT_EQ(SLM_DeleteSatellite(kSat, nullptr), DBERR_NULL_ARG);
}

TEST_F(SlmCascadeTest, DeleteSatelliteAlsoRemovesServicesOnStreamsNoRowLists) {
    // A service on a transport stream whose transponder is not stored, and a
    // stored stream without services: the edit list shows neither.
    const SvcHandle unlisted = Add("Unlisted", Key(12000, kSat));
    TsInfo orphan{};
    orphan.tp = Key(12500, kSat);
    TsInfo* stored = nullptr;
    ASSERT_EQ(TBL_AddTsInfo(&orphan, &stored), DBERR_OK);
    const uint16_t count = LoadEditList(kSat);
    ASSERT_EQ(count, 5u);

    EXPECT_EQ(SLM_DeleteSatellite(kSat, &count), DBERR_OK);
    SvcInfo svcInfo{};
    EXPECT_EQ(SLM_GetServiceInfo(unlisted, &svcInfo), DBERR_NOT_FOUND);
    EXPECT_EQ(ServicesOfSat(kSat), 0u);
    EXPECT_EQ(TransportStreamsOf(kSat), 0u);

    // A satellite that takes the slot later starts with nothing.
    const SatInfo next = MakeSatellite("Next", -50, 10600000);
    ASSERT_EQ(SN_SetSatInfo(kSat, &next), DBERR_OK);
    EXPECT_EQ(LoadEditList(kSat), 0u);
    EXPECT_EQ(ServicesOfSat(kSat), 0u);
}

// The channel dialog loads the list of the satellite chosen in it, so the
// tree's satellite may be deleted while another one's list is loaded.
TEST_F(SlmCascadeTest, CascadesWorkOnTheSatellitesOwnListWhateverListIsLoaded) {
    struct Case {
        const char* what;
        void (*arrange)();
    };
    const Case cases[] = {
        {"list of another satellite", [] { LoadEditList(kOther); }},
        {"no list loaded", [] { SLM_FreeTpList(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp(); // from the start-up state again
        c.arrange();
        ASSERT_EQ(SLM_DeleteTp(kSat, 1), DBERR_OK);
        EXPECT_TRUE(ServicesOn(Key(11100, kSat)).empty());
        EXPECT_EQ(StoredTpsOf(kSat), 4u);
        EXPECT_EQ(ServicesOfSat(kSat), 8u);

        c.arrange();
        ASSERT_EQ(SLM_DeleteServiceOnTp(kSat, 0), DBERR_OK);
        EXPECT_EQ(ServicesOn(Key(11000, kSat)).size(), 1u);

        c.arrange();
        const uint16_t count = 1;
        ASSERT_EQ(SLM_DeleteSatellite(kSat, &count), DBERR_OK);
        EXPECT_EQ(ServicesOfSat(kSat), 0u);
        EXPECT_EQ(StoredTpsOf(kSat), 0u);
        EXPECT_TRUE(SlotIsAllZero(kSat));
        // The other satellite keeps everything.
        EXPECT_EQ(Handles(g_MasterSvcList), std::vector<SvcHandle>{otherService});
        EXPECT_EQ(StoredTpsOf(kOther), 1u);
    }
}

TEST_F(SlmCascadeTest, RowCascadesRefuseARowThatIsNotThere) {
    const std::vector<SvcHandle> before = Handles(g_MasterSvcList);
    struct Case {
        const char* what;
        uint8_t satellite;
        uint16_t row;
        SLM_RESULT expected;
    };
    const Case cases[] = {
        {"row at the count", kSat, 5, DBERR_BAD_LIST},
        {"row past the count", kSat, 200, DBERR_BAD_LIST},
        {"row past the count, a byte's range apart from row 1", kSat, 257, DBERR_BAD_LIST},
        {"satellite without transponders", kEmpty, 0, DBERR_BAD_LIST},
    };
    for (const Case& c : cases) {
        for (auto cascade : {SLM_DeleteTp, SLM_DeleteServiceOnTp}) {
            SCOPED_TRACE(c.what);
            LoadEditList(c.satellite);
            EXPECT_EQ(cascade(c.satellite, c.row), c.expected);
            EXPECT_EQ(Handles(g_MasterSvcList), before);
            EXPECT_EQ(StoredTpsOf(kSat), 5u);
        }
    }
}

TEST_F(SlmCascadeTest, DeleteTpRemovesTheTransponderWithEveryServiceOnIt) {
    const SvcHandle near = Add("Near", Key(11102, kSat)); // 2 MHz off row 1: the same transponder
    const uint32_t totalBefore = static_cast<uint32_t>(Handles(g_MasterSvcList).size());
    ASSERT_EQ(ServicesOn(Key(11100, kSat)).size(), 3u);

    EXPECT_EQ(SLM_DeleteTp(kSat, 1), DBERR_OK);
    EXPECT_TRUE(ServicesOn(Key(11100, kSat)).empty());
    SvcInfo svcInfo{};
    EXPECT_EQ(SLM_GetServiceInfo(near, &svcInfo), DBERR_NOT_FOUND);
    EXPECT_EQ(Handles(g_MasterSvcList).size(), totalBefore - 3);
    EXPECT_EQ(StoredTpsOf(kSat), 4u);
    EXPECT_EQ(ServicesOn(Key(11000, kOther)), std::vector<SvcHandle>{otherService});

    EXPECT_EQ(LoadEditList(kSat), 4u);
    std::vector<uint32_t> rows;
    for (uint32_t n = 0; n < 4; ++n) {
        TpRow row{};
        ASSERT_EQ(SLM_GetNthTp(n, &row), DBERR_OK);
        rows.push_back(row.frequency);
    }
    EXPECT_EQ(rows, (std::vector<uint32_t>{11000, 11200, 11300, 11400}));
}

// The tree counts a satellite's transponders in 16 bits: a row past 255
// must not reach the row a byte's range below it.
TEST_F(SlmCascadeTest, RowCascadesReachRowsPastAByte) {
    constexpr uint8_t kLong = 5;
    constexpr uint32_t kRows = 301;
    auto frequencyOf = [](uint32_t row) { return 10000 + 10 * row; }; // 10 MHz apart: distinct
    std::vector<uint32_t> frequencies;
    for (uint32_t n = 0; n < kRows; ++n)
        frequencies.push_back(frequencyOf(n));
    StoreRows(kLong, frequencies);
    const SvcHandle onRow44 = Add("Row44", Key(frequencyOf(44), kLong));
    const SvcHandle onRow300 = Add("Row300", Key(frequencyOf(300), kLong));
    ASSERT_EQ(LoadEditList(kLong), kRows);

    EXPECT_EQ(SLM_DeleteServiceOnTp(kLong, 300), DBERR_OK);
    EXPECT_TRUE(ServicesOn(Key(frequencyOf(300), kLong)).empty());
    EXPECT_EQ(ServicesOn(Key(frequencyOf(44), kLong)), std::vector<SvcHandle>{onRow44});

    const SvcHandle again = Add("Row300", Key(frequencyOf(300), kLong));
    ASSERT_NE(again, onRow300);
    EXPECT_EQ(SLM_DeleteTp(kLong, 300), DBERR_OK);
    EXPECT_TRUE(ServicesOn(Key(frequencyOf(300), kLong)).empty());
    EXPECT_EQ(ServicesOn(Key(frequencyOf(44), kLong)), std::vector<SvcHandle>{onRow44});
    EXPECT_EQ(StoredTpsOf(kLong), kRows - 1);
    ASSERT_EQ(LoadEditList(kLong), kRows - 1);
    TpRow row{};
    ASSERT_EQ(SLM_GetNthTp(44, &row), DBERR_OK);
    EXPECT_EQ(row.frequency, frequencyOf(44));
    ASSERT_EQ(SLM_GetNthTp(kRows - 2, &row), DBERR_OK);
    EXPECT_EQ(row.frequency, frequencyOf(299)) << "the last row left is the one before 300";
}

TEST_F(SlmCascadeTest, DeleteServiceOnTpRemovesOnlyTheFirstService) {
    const std::vector<SvcHandle> onRow = ServicesOn(Key(11200, kSat));
    ASSERT_EQ(onRow.size(), 2u);
    EXPECT_EQ(SLM_DeleteServiceOnTp(kSat, 2), DBERR_OK);
    EXPECT_EQ(ServicesOn(Key(11200, kSat)), std::vector<SvcHandle>{onRow[1]});
    EXPECT_EQ(SLM_DeleteServiceOnTp(kSat, 2), DBERR_OK);
    EXPECT_EQ(SLM_DeleteServiceOnTp(kSat, 2), DBERR_NOT_FOUND) << "no service left on it";
    EXPECT_EQ(StoredTpsOf(kSat), 5u) << "the transponder stays";
}

class SlmSaveOrderTest : public SlmTest {};

TEST_F(SlmSaveOrderTest, SaveWithFlagPutsTheRecordsInMasterOrderAndCommits) {
    Add("A", Key(11000));
    Add("B", Key(11000));
    const SvcHandle c = Add("C", Key(11000));
    // C's number is locked at 1: A and B follow it at the next renumbering.
    Obj(c).numFlags = DB_SetBits(Obj(c).numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, 1) | SVH_NUM_LOCKED;
    Add("D", Key(11000));
    ASSERT_EQ(Names(g_MasterSvcList), (std::vector<std::string>{"C", "A", "B", "D"}));
    ASSERT_NE(RecordOrder(), MasterRecords());

    EXPECT_EQ(SLM_SaveServiceOrder(0), DBERR_OK);
    EXPECT_NE(RecordOrder(), MasterRecords()) << "without the flag only the commit runs";

    EXPECT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    EXPECT_EQ(RecordOrder(), MasterRecords());
    EXPECT_TRUE(ringcheck::IsSoundRing(TBL_GetSvcInfoList()));

    // The commit wrote them in that order.
    std::vector<std::string> written;
    SvcInfo svcInfo{};
    for (int32_t n = 0; IDX_ReadSvcInfo(SVC_QUERY_TYPE_ANY, n, &svcInfo) == DBERR_OK; ++n)
        written.emplace_back(reinterpret_cast<const char*>(svcInfo.name));
    EXPECT_EQ(written, (std::vector<std::string>{"C", "A", "B", "D"}));
}

TEST_F(SlmSaveOrderTest, RecordsAlreadyInPlaceStayWhereTheyAre) {
    for (const char* name : {"A", "B", "C", "D"})
        Add(name, Key(11000));
    ASSERT_EQ(RecordOrder(), MasterRecords());
    std::vector<LL_Node*> nodes;
    TBL_ForEachNode(TBL_GetSvcInfoList(), [&](LL_Node* node) {
        nodes.push_back(node);
        return true;
    });

    EXPECT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    std::vector<LL_Node*> after;
    TBL_ForEachNode(TBL_GetSvcInfoList(), [&](LL_Node* node) {
        after.push_back(node);
        return true;
    });
    EXPECT_EQ(after, nodes);
    EXPECT_EQ(RecordOrder(), MasterRecords());
}

} // namespace
