// The public operations on a loaded image: an editing session from an image
// made by the test builder through commit and a second load, the order save
// as the next load sees it, and data services through adds and saves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbopen.h"
#include "favtable.h"
#include "imagebuilder.h"
#include "prvtable.h"
#include "sattable.h"
#include "satnet.h"
#include "test_slmfixture.h"
#include "tptable.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <typename Record> Bytes BytesOf(const Record* record, size_t size = sizeof(Record)) {
    if (record == nullptr) return {};
    const auto* p = reinterpret_cast<const uint8_t*>(record);
    return Bytes(p, p + size);
}

template <typename Record> std::vector<Bytes> ListBytes(LL_Node* list) {
    std::vector<Bytes> out;
    TBL_ForEachNode(list, [&](LL_Node* node) {
        out.push_back(BytesOf(static_cast<const Record*>(node->data)));
        return true;
    });
    return out;
}

// One service as a load must give it back: number, type, the record up to
// its references, and what the references name.
struct ServiceView {
    uint32_t number;
    uint32_t type;
    Bytes record;   // bytes 0-55
    Bytes ts;       // the TsInfo it refers to
    Bytes provider; // the PrvInfo it refers to, empty for none
    bool operator==(const ServiceView&) const = default;
};

// Everything a commit writes and a load reads back, in the form in which
// two loads can be compared (contents, never addresses or ids).
struct DatabaseView {
    std::vector<ServiceView> master;
    std::vector<std::string> nameOrder;
    std::vector<Bytes> transportStreams, transponders, providers;
    Bytes satellites, favourites;
    bool operator==(const DatabaseView&) const = default;

    static DatabaseView Take() {
        DatabaseView view;
        for (SvcHandle handle : SlmTest::Handles(g_MasterSvcList)) {
            const SvcHandleObj* obj = HT_Resolve(handle);
            SvcInfo svcInfo{};
            EXPECT_EQ(SLM_GetServiceInfo(handle, &svcInfo), DBERR_OK);
            view.master.push_back({DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W),
                                   DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W),
                                   BytesOf(&svcInfo, offsetof(SvcInfo, tsRef)),
                                   BytesOf(REF_ResolveTs(svcInfo.tsRef)),
                                   BytesOf(REF_ResolvePrv(svcInfo.prvRef))});
        }
        view.nameOrder = SlmTest::Names(g_NameSortedSvcList);
        view.transportStreams = ListBytes<TsInfo>(TBL_GetTsInfoList());
        view.transponders = ListBytes<TpInfo>(TBL_GetTpInfoList());
        view.providers = ListBytes<PrvInfo>(TBL_GetPrvInfoList());
        view.satellites = BytesOf(&g_SatTable);
        view.favourites = BytesOf(&g_FavTable);
        return view;
    }
};

class SlmRoundTripTest : public SlmTest {
  protected:
    // Writes spec as an image and opens it as the document does.
    static void Open(const ImageSpec& spec) {
        ASSERT_TRUE(BuildImage(spec));
        Reopen();
    }
    // Opens what g_FlashImage holds, from a cold library.
    static void Reopen() {
        ResetLibraryKeepImage();
        ASSERT_EQ(DB_OpenDatabase(), 1u);
    }

    static SvcHandle ByName(const std::string& name) {
        for (SvcHandle handle : Handles(g_MasterSvcList)) {
            uint8_t buffer[SVC_NAME_LEN];
            INT_SLM_CopyServiceName(handle, buffer);
            if (name == std::string(reinterpret_cast<const char*>(buffer),
                                    strnlen(reinterpret_cast<const char*>(buffer), SVC_NAME_LEN)))
                return handle;
        }
        return SVC_HANDLE_INVALID;
    }
};

TEST_F(SlmRoundTripTest, AnEditingSessionSurvivesCommitAndReload) {
    Open(SampleSpec({.services = 12,
                     .transportStreams = 4,
                     .transponders = 3,
                     .providers = 2,
                     .satellites = 2,
                     .favourites = 1}));
    ASSERT_EQ(Handles(g_MasterSvcList).size(), 12u);

    // A new satellite in the first user slot, with three transponders.
    const uint8_t slot = static_cast<uint8_t>(g_NumAntenna);
    const SatInfo sat = MakeSatellite("New Sat", 130, 10600000);
    ASSERT_EQ(SN_SetSatInfo(slot, &sat), DBERR_OK);
    uint16_t count = 0, constant = 0;
    ASSERT_EQ(SLM_LoadSatTpList(slot, 0, &count, &constant), DBERR_OK);
    ASSERT_EQ(count, 0u);
    const uint16_t one = 1;
    for (uint32_t f : {11200u, 11300u, 11400u}) {
        TpRow row = Row(f);
        ASSERT_EQ(SLM_AddTp(&row, &one), DBERR_OK);
    }
    ASSERT_EQ(SLM_CommitTpList(slot), DBERR_OK);
    ASSERT_EQ(SLM_LoadSatTpList(slot, 0, &count, &constant), DBERR_OK);
    ASSERT_EQ(count, 3u);

    // Services on the new transponders, with PIDs.
    std::vector<TpRow> rows(3);
    for (uint32_t n = 0; n < 3; ++n)
        ASSERT_EQ(SLM_GetNthTp(n, &rows[n]), DBERR_OK);
    const SvcHandle added1 = Add("Added One", SLM_TpRowToKey(rows[0], slot));
    const SvcHandle added2 = Add("Added Two", SLM_TpRowToKey(rows[1], slot));
    Add("Added Three", SLM_TpRowToKey(rows[2], slot));
    EXPECT_EQ(Number(added1), 7u) << "after the six loaded TV services";
    EXPECT_EQ(Number(added2), 8u);
    ASSERT_EQ(SLM_SetServicePids(added1, 0x200, 0x201, 0x202), DBERR_OK);
    ASSERT_EQ(SLM_SetServicePids(added2, 0x300, 0x301, PID_NONE), DBERR_OK);
    // A loaded service gets new PIDs too, and one loaded service goes.
    ASSERT_EQ(SLM_SetServicePids(ByName("Service 4"), 0x700, 0x701, 0x702), DBERR_OK);
    ASSERT_EQ(SLM_DeleteService(ByName("Service 3")), DBERR_OK);
    // The third transponder goes with its service.
    ASSERT_EQ(SLM_DeleteTp(slot, 2), DBERR_OK);
    EXPECT_EQ(ByName("Added Three"), SVC_HANDLE_INVALID);

    // The numbering a load gives: the master list renumbered in its order.
    ASSERT_EQ(SLM_RenumberList(&g_MasterSvcList, SVC_QUERY_TYPE_ANY), DBERR_OK);
    ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    const DatabaseView edited = DatabaseView::Take();
    ASSERT_EQ(edited.master.size(), 12u + 3 - 1 - 1);
    Reopen();
    const DatabaseView reloaded = DatabaseView::Take();
    EXPECT_EQ(reloaded.master, edited.master);
    EXPECT_EQ(reloaded.nameOrder, edited.nameOrder);
    EXPECT_EQ(reloaded.transportStreams, edited.transportStreams);
    EXPECT_EQ(reloaded.transponders, edited.transponders);
    EXPECT_EQ(reloaded.providers, edited.providers);
    EXPECT_EQ(reloaded.satellites, edited.satellites);
    EXPECT_EQ(reloaded.favourites, edited.favourites);

    // Spot checks of the edits themselves after the reload.
    SvcInfo svcInfo{};
    ASSERT_EQ(SLM_GetServiceInfo(ByName("Added One"), &svcInfo), DBERR_OK);
    EXPECT_EQ(svcInfo.videoPid, 0x201);
    EXPECT_EQ(svcInfo.audioPid, 0x202);
    TsInfo tsInfo{};
    ASSERT_EQ(SLM_GetTsInfoOfSvcInfo(&svcInfo, &tsInfo), DBERR_OK);
    EXPECT_EQ(tsInfo.tp.satIndex, slot);
    EXPECT_EQ(ByName("Service 3"), SVC_HANDLE_INVALID);
    ASSERT_EQ(SLM_LoadSatTpList(slot, 0, &count, &constant), DBERR_OK);
    EXPECT_EQ(count, 2u);
}

// TV services stored before the radio services: the load's master order
// (TV 1, radio 1, TV 2, ...) is not the stored order.
ImageSpec TvFirstSpec() {
    ImageSpec spec = SampleSpec({.services = 0, .transportStreams = 1, .satellites = 1});
    const char* tv[] = {"TV A", "TV B", "TV C"};
    const char* radio[] = {"Radio A", "Radio B"};
    for (const char* name : tv)
        spec.services.push_back({MakeService(name, SVC_TYPE_TV, 0x100, 0x101), 0, IMG_NONE});
    for (const char* name : radio)
        spec.services.push_back({MakeService(name, SVC_TYPE_RADIO, PID_NONE, 0x201), 0, IMG_NONE});
    return spec;
}

TEST_F(SlmRoundTripTest, SavedOrderIsTheMasterOrderTheNextLoadGives) {
    Open(TvFirstSpec());
    const std::vector<std::string> master = Names(g_MasterSvcList);
    ASSERT_EQ(master, (std::vector<std::string>{"TV A", "Radio A", "TV B", "Radio B", "TV C"}));
    ASSERT_NE(RecordOrder(), MasterRecords());

    ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    EXPECT_EQ(RecordOrder(), MasterRecords());
    const DatabaseView saved = DatabaseView::Take();

    Reopen();
    EXPECT_EQ(Names(g_MasterSvcList), master);
    EXPECT_EQ(RecordOrder(), MasterRecords());
    EXPECT_EQ(DatabaseView::Take(), saved);
}

TEST_F(SlmRoundTripTest, ANewServiceIsNumberedAfterTheLastLoadedTvService) {
    Open(TvFirstSpec());
    const TpInfo key = Key(11000);
    const SvcHandle added = Add("New", key);
    EXPECT_EQ(Number(added), 4u);
    EXPECT_EQ(Names(g_MasterSvcList),
              (std::vector<std::string>{"TV A", "Radio A", "TV B", "Radio B", "TV C", "New"}));
}

TEST_F(SlmRoundTripTest, ADataServiceSurvivesAnAddAndAnOrderSave) {
    ImageSpec spec = TvFirstSpec();
    SvcInfo data = MakeService("Data", 2, PID_NONE, PID_NONE);
    data.flags = DB_SetBits(data.flags, SVCF_CLASS_LO, SVCF_CLASS_W, SVC_CLASS_DATA);
    spec.services.insert(spec.services.begin() + 1, {data, 0, IMG_NONE});
    Open(spec);

    auto dataServices = [] {
        uint16_t count = 0;
        EXPECT_EQ(SLM_GetNumServicesInList(LIST_DATA, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &count),
                  DBERR_OK);
        return count;
    };
    ASSERT_NE(ByName("Data"), SVC_HANDLE_INVALID);
    ASSERT_EQ(dataServices(), 1u);

    Add("New", Key(11000));
    EXPECT_NE(ByName("Data"), SVC_HANDLE_INVALID);
    EXPECT_EQ(dataServices(), 1u);

    ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    EXPECT_EQ(dataServices(), 1u);
    Reopen();
    EXPECT_NE(ByName("Data"), SVC_HANDLE_INVALID);
    EXPECT_EQ(dataServices(), 1u);
    EXPECT_EQ(Handles(g_MasterSvcList).size(), spec.services.size() + 1);
}

} // namespace
