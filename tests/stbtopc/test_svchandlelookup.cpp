// Handle operations that look a handle up in a list: record read and
// replace, number and type, handle check, n-th service of a transponder.
#include <gtest/gtest.h>

#include <cstring>

#include "servicefixture.h"
#include "svchandleops.h"
#include "svclist.h"
#include "tables.h"

namespace {

constexpr SvcHandle NONE = SVC_HANDLE_INVALID;

class HandleLookupTest : public ServiceListTest {};

TEST_F(HandleLookupTest, GetServiceInfoAnswersStaleHandlesWithNotFound) {
    const SvcHandle live = addTv(1, "LIVE");
    const SvcHandle stale = addTv(2, "STALE");
    HT_Free(stale);
    SvcInfo out;
    ASSERT_EQ(INT_SLM_GetServiceInfo(live, &out), DBERR_OK);
    EXPECT_EQ(std::memcmp(out.name, "LIVE", 5), 0);
    const SvcInfo zero{};
    for (SvcHandle bad : {stale, SVC_HANDLE_NONE, NONE, 0x7FFFFFFFu}) {
        std::memset(&out, 0xEE, sizeof out);
        EXPECT_EQ(INT_SLM_GetServiceInfo(bad, &out), DBERR_NOT_FOUND);
        EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
    }
    EXPECT_EQ(INT_SLM_GetServiceInfo(live, nullptr), DBERR_NULL_ARG);
}

TEST_F(HandleLookupTest, SetServiceInfoOverwritesTheRecordInPlace) {
    const SvcHandle handle = addTv(1, "OLD");
    SvcHandleObj* obj = HT_Resolve(handle);
    SvcInfo* const record = obj->record;
    obj->name = new uint8_t[6]{'O', 'W', 'N', 'E', 'D', 0};
    obj->numFlags |= SVH_OWNS_NAME | SVH_REWRITE | SVH_LOCK;

    SvcInfo changed;
    ASSERT_EQ(INT_SLM_GetServiceInfo(handle, &changed), DBERR_OK);
    std::memcpy(changed.name, "NEW", 4);
    changed.videoPid = 0x100;
    const uint32_t svcCount = TBL_GetSvcCount();
    ASSERT_EQ(INT_SLM_SetServiceInfo(handle, &changed), DBERR_OK);
    EXPECT_EQ(obj->record, record) << "the handle keeps its record";
    EXPECT_EQ(std::memcmp(record, &changed, sizeof changed), 0);
    EXPECT_EQ(obj->name, record->name);
    EXPECT_EQ(obj->numFlags & (SVH_OWNS_NAME | SVH_REWRITE), 0u);
    EXPECT_NE(obj->numFlags & SVH_LOCK, 0u) << "other bits stay";
    EXPECT_EQ(TBL_GetSvcCount(), svcCount);

    // Not in the master list, stale, or no record to write.
    const SvcHandle outside = HT_Alloc();
    HT_Resolve(outside)->record = record;
    EXPECT_EQ(INT_SLM_SetServiceInfo(outside, &changed), DBERR_NOT_FOUND);
    EXPECT_EQ(INT_SLM_SetServiceInfo(handle, nullptr), DBERR_NULL_OBJECT);
    HT_Free(handle);
    EXPECT_EQ(INT_SLM_SetServiceInfo(handle, &changed), DBERR_NOT_FOUND);
}

TEST_F(HandleLookupTest, SetServiceInfoPassesTheTablesRefusalOn) {
    const SvcHandle handle = addTv(1, "IN LIST");
    SvcHandleObj* obj = HT_Resolve(handle);
    SvcInfo notInTable{};
    obj->record = &notInTable; // a record the table does not hold
    obj->name = notInTable.name;
    SvcInfo changed{};
    EXPECT_EQ(INT_SLM_SetServiceInfo(handle, &changed), DBERR_TABLE_INDEX);
    EXPECT_EQ(obj->record, &notInTable) << "a refused write leaves the handle as it was";
}

TEST_F(HandleLookupTest, NumberTypeAndSourceComeFromTheHandle) {
    ServiceSpec spec;
    spec.type = SVC_TYPE_RADIO;
    spec.number = 0x1234;
    const SvcHandle radio = addService(spec);
    HT_Resolve(radio)->numFlags =
        DB_SetBits(HT_Resolve(radio)->numFlags, SVH_SOURCE_LO, SVH_SOURCE_W, 2);
    uint16_t number = 0;
    uint8_t type = 9, source = 9;
    ASSERT_EQ(INT_SLM_GetServiceNumber(g_MasterSvcList, radio, &number, &type, &source), DBERR_OK);
    EXPECT_EQ(number, 0x1234);
    EXPECT_EQ(type, SVC_TYPE_RADIO);
    EXPECT_EQ(source, 2);
    type = 9;
    ASSERT_EQ(INT_SLM_GetServiceType(g_MasterSvcList, radio, &type), DBERR_OK);
    EXPECT_EQ(type, SVC_TYPE_RADIO);

    const SvcHandle stale = addTv(3);
    HT_Free(stale);
    for (SvcHandle bad : {stale, SVC_HANDLE_NONE, NONE}) {
        number = 1;
        type = source = 9;
        EXPECT_EQ(INT_SLM_GetServiceNumber(g_MasterSvcList, bad, &number, &type, &source),
                  DBERR_NOT_FOUND);
        EXPECT_EQ(number, 0xFFFF);
        EXPECT_EQ(type, 0);
        EXPECT_EQ(source, 0);
        type = 9;
        EXPECT_EQ(INT_SLM_GetServiceType(g_MasterSvcList, bad, &type), DBERR_NOT_FOUND);
        EXPECT_EQ(type, 0);
    }
    EXPECT_EQ(INT_SLM_GetServiceNumber(g_MasterSvcList, radio, &number, nullptr, &source),
              DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_GetServiceType(g_MasterSvcList, radio, nullptr), DBERR_NULL_ARG);
}

TEST_F(HandleLookupTest, ValidateHandsBackLiveHandlesOnly) {
    const SvcHandle live = addTv(1);
    const SvcHandle stale = addTv(2);
    HT_Free(stale);
    SvcHandle out = 0;
    ASSERT_EQ(INT_SLM_ValidateServiceHandle(live, &out), DBERR_OK);
    EXPECT_EQ(out, live);
    for (SvcHandle bad : {stale, SVC_HANDLE_NONE, NONE}) {
        out = 0;
        EXPECT_EQ(INT_SLM_ValidateServiceHandle(bad, &out), DBERR_NOT_FOUND);
        EXPECT_EQ(out, NONE);
    }
    EXPECT_EQ(INT_SLM_ValidateServiceHandle(live, nullptr), DBERR_NULL_ARG);
}

TEST_F(HandleLookupTest, NthServiceOfATransponderCountsOnlyThatTransponder) {
    ServiceSpec onTp;
    onTp.frequency = 11000;
    onTp.sat = 2;
    const SvcHandle first = addService(onTp);
    ServiceSpec elsewhere = onTp;
    elsewhere.frequency = 11020; // beyond the tolerance at 27500 kS/s
    addService(elsewhere);
    ServiceSpec otherSat = onTp;
    otherSat.sat = 3;
    addService(otherSat);
    addPlaceholder();
    const SvcHandle second = addService(onTp);

    TpInfo key{};
    key.frequency = 11002; // within the 8 MHz tolerance of 27500 kS/s
    key.symbolRate = 27500;
    key.satIndex = 2;
    const TpInfo keyBefore = key;
    SvcHandle out = 0;
    ASSERT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(&key, 0, &out), DBERR_OK);
    EXPECT_EQ(out, first);
    ASSERT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(&key, 1, &out), DBERR_OK);
    EXPECT_EQ(out, second);
    EXPECT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(&key, 2, &out), DBERR_NOT_FOUND);
    EXPECT_EQ(out, NONE);
    EXPECT_EQ(std::memcmp(&key, &keyBefore, sizeof key), 0) << "the key is left as given";
    EXPECT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(nullptr, 0, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(&key, 0, nullptr), DBERR_NULL_ARG);

    INT_SLM_FreeServiceLists();
    EXPECT_EQ(INT_SLM_GetNthServiceHandleWithTpInfo(&key, 0, &out), DBERR_NOT_FOUND);
}

} // namespace
