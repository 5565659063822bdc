// The count of changes the editor reads to know that a list has changes not
// saved: every public operation that changes the list counts, one that
// stores what was there, fails, opens, commits or saves counts none; the
// hook hears each change. Reached through slm.h alone, as a view does.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "dbtest.h"
#include "documentimages.h"
#include "slm.h"

namespace {

using Image = std::vector<uint8_t>;

class ChangeCountTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
        const Image image = TemplateImage();
        ASSERT_FALSE(image.empty());
        ASSERT_EQ(DB_OpenImage(image.data(), image.size()), DBERR_OK);
        key.frequency = 11000;
        key.symbolRate = 27500;
        for (const char* name : {"ONE", "TWO", "THREE"}) {
            SvcHandle handle = SVC_HANDLE_INVALID;
            ASSERT_EQ(SLM_AddService(&key, name, &handle), DBERR_OK);
            services.push_back(handle);
        }
    }
    void TearDown() override {
        DB_SetChangeHook(nullptr);
        DbTest::TearDown();
    }

    TpInfo key{};
    std::vector<SvcHandle> services;
};

TEST_F(ChangeCountTest, ChangesCountAndWhatChangesNothingDoesNot) {
    const auto edited = [this](const std::function<void(SvcInfo&)>& change) {
        SvcInfo record{};
        EXPECT_EQ(SLM_GetServiceInfo(services[0], &record), DBERR_OK);
        change(record);
        return SLM_SetServiceInfo(services[0], &record);
    };
    constexpr uint32_t kSlot = 3;
    SatInfo sat{};
    std::memcpy(sat.name, "SAT", 3);
    struct Case {
        const char* what;
        std::function<void()> act;
        bool counts;
    };
    const Case cases[] = {
        {"a service added",
         [&] {
             SvcHandle handle = SVC_HANDLE_INVALID;
             EXPECT_EQ(SLM_AddService(&key, "FOUR", &handle), DBERR_OK);
         },
         true},
        {"a record written back as it was", [&] { EXPECT_EQ(edited([](SvcInfo&) {}), DBERR_OK); },
         false},
        {"a record edited",
         [&] { EXPECT_EQ(edited([](SvcInfo& r) { r.videoPid = 1234; }), DBERR_OK); }, true},
        {"the stored PIDs set again",
         [&] {
             SvcInfo record{};
             SLM_GetServiceInfo(services[1], &record);
             EXPECT_EQ(SLM_SetServicePids(services[1], record.pcrPid, record.videoPid,
                                          record.audioPid),
                       SLM_UNCHANGED);
         },
         false},
        {"new PIDs", [&] { EXPECT_EQ(SLM_SetServicePids(services[1], 100, 101, 102), DBERR_OK); },
         true},
        {"a move by no place",
         [&] { EXPECT_EQ(SLM_MoveServiceInList(services[2], LIST_ALL, 0), DBERR_OK); }, false},
        {"a move", [&] { EXPECT_EQ(SLM_MoveServiceInList(services[2], LIST_ALL, -1), DBERR_OK); },
         true},
        {"a satellite stored", [&] { EXPECT_EQ(SN_SetSatInfo(kSlot, &sat), DBERR_OK); }, true},
        {"the same satellite again", [&] { EXPECT_EQ(SN_SetSatInfo(kSlot, &sat), DBERR_OK); },
         false},
        {"a transponder list committed",
         [&] {
             uint16_t count = 0, constant = 0;
             ASSERT_EQ(SLM_LoadSatTpList(0, 0, &count, &constant), DBERR_OK);
             EXPECT_EQ(SLM_CommitTpList(0), DBERR_OK);
         },
         true},
        {"a service deleted", [&] { EXPECT_EQ(SLM_DeleteService(services[0]), DBERR_OK); }, true},
        {"a delete of a service that is gone",
         [&] { EXPECT_NE(SLM_DeleteService(services[0]), DBERR_OK); }, false},
        {"a channel move dialog closed without a move",
         [&] {
             ASSERT_EQ(SLM_BeginListEdit(1), DBERR_OK);
             EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
             EXPECT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
         },
         false},
        {"a save",
         [&] {
             SavedImage();
         },
         false},
        {"a reopen", [&] { EXPECT_EQ(DB_ReopenImage(), DBERR_OK); }, false},
    };
    int heard = 0;
    DB_SetChangeHook([&heard] { ++heard; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const uint32_t before = DB_GetChangeCount();
        heard = 0;
        c.act();
        EXPECT_EQ(DB_GetChangeCount() != before, c.counts);
        EXPECT_EQ(heard > 0, c.counts);
    }
}

} // namespace
