// A service made TV or radio at once: filed into that kind's order where a
// reload of the saved list puts it, both kinds numbered as a reload numbers
// them, favourite groups keeping the service. Every case is checked against
// the list the saved image gives when it is opened again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbtest.h"
#include "documentimages.h"
#include "imagebuilder.h"
#include "listids.h"
#include "servicewalk.h"
#include "slm.h"

namespace {

using Image = std::vector<uint8_t>;
using Names = std::vector<std::string>;

// Stored order: TV and radio services interleaved.
const char* const kStored[] = {"T1", "R1", "T2", "R2", "T3", "T4", "R3"};

// "name number" of a list's services of a type, in list order.
Names Numbered(SvcListId list, uint8_t type) {
    Names out;
    for (SvcHandle handle : ServicesIn(list, type)) {
        uint16_t number = 0;
        uint8_t kind = 0;
        SLM_GetServiceNumber(handle, &number, &kind);
        out.push_back(ServiceName(handle) + " " + std::to_string(number));
    }
    return out;
}

SvcHandle Find(const std::string& name) {
    for (SvcHandle handle : ServicesIn(LIST_ALL, SVC_TYPE_ANY))
        if (ServiceName(handle) == name) return handle;
    return SVC_HANDLE_INVALID;
}

struct ListState {
    Names tv, radio, group;
    bool operator==(const ListState&) const = default;
};

ListState Current() {
    return {Numbered(LIST_ALL, SVC_TYPE_TV), Numbered(LIST_ALL, SVC_TYPE_RADIO),
            Numbered(LIST_FAV_FIRST, SVC_TYPE_ANY)};
}

class ServiceTypeTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ImageSpec spec;
        spec.satellites[0] = MakeSatellite("Sat", 130, 9750000);
        spec.transportStreams.push_back(MakeTs(11000, 27500, POL_HORIZONTAL, 0));
        for (const char* name : kStored)
            spec.services.push_back(
                {MakeService(name, name[0] == 'R' ? SVC_TYPE_RADIO : SVC_TYPE_TV, 256, 257), 0});
        // A group of T2 (TV 2), R2 (radio 2) and T4 (TV 4).
        FavInfo& group = spec.favourites[0];
        std::strncpy(reinterpret_cast<char*>(group.name), "Fav", sizeof group.name);
        for (uint16_t entry : {uint16_t(2 << 3 | SVC_TYPE_TV), uint16_t(2 << 3 | SVC_TYPE_RADIO),
                               uint16_t(4 << 3 | SVC_TYPE_TV)})
            group.entries[group.count++] = entry;
        ASSERT_TRUE(BuildImage(spec));
        stored.assign(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
        OpenImageBytes(stored);
    }
    Image stored;
};

TEST_F(ServiceTypeTest, AServiceOfTheOtherKindIsFiledWhereAReloadPutsIt) {
    struct Case {
        const char* name;
        uint8_t type;
        ListState after;
    };
    const Case cases[] = {
        {"T2", SVC_TYPE_RADIO,
         {{"T1 1", "T3 2", "T4 3"}, {"R1 1", "T2 2", "R2 3", "R3 4"}, {"T2 2", "R2 3", "T4 3"}}},
        {"T1", SVC_TYPE_RADIO,
         {{"T2 1", "T3 2", "T4 3"}, {"T1 1", "R1 2", "R2 3", "R3 4"}, {"T2 1", "R2 3", "T4 3"}}},
        {"T4", SVC_TYPE_RADIO,
         {{"T1 1", "T2 2", "T3 3"}, {"R1 1", "R2 2", "T4 3", "R3 4"}, {"T2 2", "R2 2", "T4 3"}}},
        {"R1", SVC_TYPE_TV,
         {{"T1 1", "R1 2", "T2 3", "T3 4", "T4 5"}, {"R2 1", "R3 2"}, {"T2 3", "R2 1", "T4 5"}}},
        {"R3", SVC_TYPE_TV,
         {{"T1 1", "T2 2", "T3 3", "T4 4", "R3 5"}, {"R1 1", "R2 2"}, {"T2 2", "R2 2", "T4 4"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenImageBytes(stored);
        ASSERT_EQ(Current().group, (Names{"T2 2", "R2 2", "T4 4"}));
        const uint32_t changes = DB_GetChangeCount();
        ASSERT_EQ(SLM_SetServiceType(Find(c.name), c.type), DBERR_OK);
        EXPECT_NE(DB_GetChangeCount(), changes);
        EXPECT_EQ(Current(), c.after);
        SvcInfo record{};
        SLM_GetServiceInfo(Find(c.name), &record);
        EXPECT_EQ(DB_GetBits(record.flags, SVCF_TYPE_LO, SVCF_TYPE_W), c.type);
        // The saved list, opened again, is the list as it stood.
        OpenImageBytes(SavedImage());
        EXPECT_EQ(Current(), c.after);
    }
}

TEST_F(ServiceTypeTest, WhatCannotBeFiledChangesNothing) {
    const ListState before = Current();
    const uint32_t changes = DB_GetChangeCount();
    EXPECT_EQ(SLM_SetServiceType(Find("T1"), SVC_TYPE_TV), SLM_UNCHANGED);
    EXPECT_EQ(SLM_SetServiceType(Find("T1"), 2), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_SetServiceType(SVC_HANDLE_INVALID, SVC_TYPE_RADIO), DBERR_NOT_FOUND);
    ASSERT_EQ(SLM_BeginListEdit(1), DBERR_OK);
    EXPECT_EQ(SLM_SetServiceType(Find("T1"), SVC_TYPE_RADIO), DBERR_EDIT_SESSION);
    EXPECT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(DB_GetChangeCount(), changes);
}

// The channel list writes the record with its new type first and then asks
// for the type: the handle follows all the same.
TEST_F(ServiceTypeTest, ARecordRetypedFirstIsFiledToo) {
    const SvcHandle handle = Find("T2");
    SvcInfo record{};
    ASSERT_EQ(SLM_GetServiceInfo(handle, &record), DBERR_OK);
    record.flags = DB_SetBits(record.flags, SVCF_TYPE_LO, SVCF_TYPE_W, SVC_TYPE_RADIO);
    ASSERT_EQ(SLM_SetServiceInfo(handle, &record), DBERR_OK);
    ASSERT_EQ(SLM_SetServiceType(handle, SVC_TYPE_RADIO), DBERR_OK);
    const ListState expected{{"T1 1", "T3 2", "T4 3"},
                             {"R1 1", "T2 2", "R2 3", "R3 4"},
                             {"T2 2", "R2 3", "T4 3"}};
    EXPECT_EQ(Current(), expected);
    OpenImageBytes(SavedImage());
    EXPECT_EQ(Current(), expected);
}

} // namespace
