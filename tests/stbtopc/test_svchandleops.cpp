// Handle operations that need no list: null-service test, name copy, record
// and transport-stream reads, re-initialisation.
#include <gtest/gtest.h>

#include <cstring>

#include "dbtest.h"
#include "placeholder.h"
#include "refids.h"
#include "svchandleops.h"

namespace {

class HandleOpsTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        DB_SetUpPlaceholders();
        std::memset(&record_, 0, sizeof record_);
        std::memset(&ts_, 0, sizeof ts_);
        ts_.tp.satIndex = 7;
        record_.tsRef = REF_Register(RefKind::Ts, &ts_);
        std::memcpy(record_.name, "NAME", 4);
    }
    // A handle on the test's record (or another), named by the record's field.
    SvcHandle makeHandle(SvcInfo* record) {
        const SvcHandle id = HT_Alloc();
        SvcHandleObj* obj = HT_Resolve(id);
        obj->record = record;
        obj->name = record != nullptr ? record->name : nullptr;
        return id;
    }
    SvcHandle freedHandle() {
        const SvcHandle id = makeHandle(&record_);
        HT_Free(id);
        return id;
    }
    SvcInfo record_;
    TsInfo ts_;
};

TEST_F(HandleOpsTest, NullServiceTestCoversEveryKindOfHandle) {
    struct Case {
        const char* what;
        SvcHandle handle;
        DBERR result;
        uint32_t isNull;
    };
    const Case cases[] = {
        {"missing handle", SVC_HANDLE_NONE, DBERR_NULL_OBJECT, 1},
        {"freed handle", freedHandle(), DBERR_NOT_FOUND, 1},
        {"never given out", 0x7FFF0000u, DBERR_NOT_FOUND, 1},
        {"the value -1", SVC_HANDLE_INVALID, DBERR_NOT_FOUND, 1},
        {"no record", makeHandle(nullptr), DBERR_OK, 1},
        {"placeholder record", makeHandle(&g_PlaceholderSvcInfo), DBERR_OK, 1},
        {"real record", makeHandle(&record_), DBERR_OK, 0},
    };
    for (const Case& c : cases) {
        uint32_t isNull = 77;
        EXPECT_EQ(INT_SLM_IsSvcNull(c.handle, &isNull), c.result) << c.what;
        EXPECT_EQ(isNull, c.isNull) << c.what;
        EXPECT_EQ(SLM_IsNullService(c.handle), c.isNull != 0) << c.what;
    }
    EXPECT_EQ(INT_SLM_IsSvcNull(makeHandle(&record_), nullptr), DBERR_NULL_ARG);
}

TEST_F(HandleOpsTest, PlaceholdersReadAsNoRecord) {
    const TsInfo* ts = REF_ResolveTs(g_PlaceholderSvcInfo.tsRef);
    ASSERT_NE(ts, nullptr);
    EXPECT_EQ(ts->tp.satIndex, 255);
    EXPECT_EQ(REF_ResolvePrv(g_PlaceholderSvcInfo.prvRef), &g_PlaceholderPrvInfo);
    EXPECT_EQ(g_PlaceholderSvcInfo.flags, 0x3FFFu);
    const RefId tsRef = g_PlaceholderSvcInfo.tsRef;
    DB_SetUpPlaceholders(); // a second load keeps the ids
    EXPECT_EQ(g_PlaceholderSvcInfo.tsRef, tsRef);
}

TEST_F(HandleOpsTest, NameCopyStopsAtTheEndOfWhateverHoldsTheName) {
    // A full 22-byte field without terminator comes out whole.
    std::memset(record_.name, 'X', SVC_NAME_LEN);
    const SvcHandle inRecord = makeHandle(&record_);
    uint8_t out[SVC_NAME_LEN + 2];
    std::memset(out, 0xEE, sizeof out);
    ASSERT_EQ(INT_SLM_CopyServiceName(inRecord, out), DBERR_OK);
    for (size_t i = 0; i < SVC_NAME_LEN; ++i)
        EXPECT_EQ(out[i], 'X') << i;
    EXPECT_EQ(out[SVC_NAME_LEN], 0xEE) << "writes past the 22 bytes";

    // An owned three-byte buffer is read up to its terminator only (the
    // sanitizer build catches a read beyond it); the rest is zero.
    const SvcHandle owned = makeHandle(&record_);
    SvcHandleObj* obj = HT_Resolve(owned);
    obj->name = new uint8_t[3]{'A', 'B', 0};
    obj->numFlags |= SVH_OWNS_NAME;
    std::memset(out, 0xEE, sizeof out);
    ASSERT_EQ(INT_SLM_CopyServiceName(owned, out), DBERR_OK);
    const uint8_t expected[SVC_NAME_LEN] = {'A', 'B'};
    EXPECT_EQ(std::memcmp(out, expected, SVC_NAME_LEN), 0);

    struct Case {
        SvcHandle handle;
        uint8_t* buffer;
        DBERR result;
    };
    const Case errors[] = {{inRecord, nullptr, DBERR_NULL_ARG},
                           {SVC_HANDLE_NONE, out, DBERR_NULL_OBJECT},
                           {freedHandle(), out, DBERR_NOT_FOUND}};
    for (const Case& c : errors) {
        std::memset(out, 0xEE, sizeof out);
        EXPECT_EQ(INT_SLM_CopyServiceName(c.handle, c.buffer), c.result);
        if (c.buffer != nullptr) {
            const uint8_t zero[SVC_NAME_LEN] = {};
            EXPECT_EQ(std::memcmp(out, zero, SVC_NAME_LEN), 0);
        }
    }
}

TEST_F(HandleOpsTest, RecordAndTsReadsZeroTheirBufferAndRefuseStaleHandles) {
    const SvcHandle live = makeHandle(&record_);
    SvcInfo svc;
    TsInfo ts;
    ASSERT_EQ(INT_SLM_ReadServiceInfo(live, &svc), DBERR_OK);
    EXPECT_EQ(std::memcmp(&svc, &record_, sizeof svc), 0);
    ASSERT_EQ(INT_SLM_GetTsInfo(live, &ts), DBERR_OK);
    EXPECT_EQ(ts.tp.satIndex, 7);

    SvcInfo noTsRecord = record_;
    noTsRecord.tsRef = 0x123456; // resolves to nothing
    struct Case {
        const char* what;
        SvcHandle handle;
        DBERR readResult;
        DBERR tsResult;
    };
    const Case cases[] = {
        {"missing", SVC_HANDLE_NONE, DBERR_NULL_OBJECT, DBERR_NULL_OBJECT},
        {"freed", freedHandle(), DBERR_NOT_FOUND, DBERR_NOT_FOUND},
        {"no record", makeHandle(nullptr), DBERR_NULL_OBJECT, DBERR_NULL_OBJECT},
        {"unresolved TS", makeHandle(&noTsRecord), DBERR_OK, DBERR_NOT_FOUND},
    };
    const SvcInfo zeroSvc{};
    const TsInfo zeroTs{};
    for (const Case& c : cases) {
        std::memset(&svc, 0xEE, sizeof svc);
        std::memset(&ts, 0xEE, sizeof ts);
        EXPECT_EQ(INT_SLM_ReadServiceInfo(c.handle, &svc), c.readResult) << c.what;
        EXPECT_EQ(INT_SLM_GetTsInfo(c.handle, &ts), c.tsResult) << c.what;
        if (c.readResult != DBERR_OK) {
            EXPECT_EQ(std::memcmp(&svc, &zeroSvc, sizeof svc), 0) << c.what;
        }
        EXPECT_EQ(std::memcmp(&ts, &zeroTs, sizeof ts), 0) << c.what;
    }
    EXPECT_EQ(INT_SLM_ReadServiceInfo(live, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_GetTsInfo(live, nullptr), DBERR_NULL_ARG);
}

TEST_F(HandleOpsTest, InitialisingAHandleFreesItsOwnedNameAndKeepsItResolvable) {
    const SvcHandle id = makeHandle(&record_);
    SvcHandleObj* obj = HT_Resolve(id);
    obj->name = new uint8_t[8]{'O', 'W', 'N', 0};
    obj->numFlags = SVH_OWNS_NAME | SVH_LOCK | 5;
    obj->marker = 0;
    ASSERT_EQ(INT_SLM_InitServiceHandle(id), DBERR_OK);
    ASSERT_EQ(HT_Resolve(id), obj);
    EXPECT_EQ(obj->self, id);
    EXPECT_EQ(obj->marker, 0xFFFFFFFFu);
    EXPECT_EQ(obj->numFlags, 0x1FFFFu);
    EXPECT_EQ(obj->record, nullptr);
    EXPECT_EQ(obj->name, nullptr);
    EXPECT_EQ(INT_SLM_InitServiceHandle(SVC_HANDLE_NONE), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_InitServiceHandle(freedHandle()), DBERR_NOT_FOUND);
}

} // namespace
