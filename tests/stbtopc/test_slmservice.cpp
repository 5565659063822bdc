// The public service operations: creating a service on a transponder, its
// record and PIDs, deleting it, and what every operation answers for a
// handle that was deleted.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dballoc.h"
#include "indexcommit.h"
#include "linkedlist.h"
#include "placeholder.h"
#include "prvtable.h"
#include "ringcheck.h"
#include "tablecopy.h"
#include "test_slmfixture.h"

namespace {

class SlmServiceTest : public SlmTest {};

// Everything an add could leave behind, to compare before and after a
// failed one.
struct DbSnapshot {
    std::vector<SvcHandle> master;
    std::vector<SvcHandle> names;
    std::vector<uint32_t> numbers;
    uint32_t tsCount;
    uint32_t svcCount;
    uint32_t liveHandles;
    bool operator==(const DbSnapshot&) const = default;
};

DbSnapshot Snapshot() {
    DbSnapshot snapshot{SlmTest::Handles(g_MasterSvcList),
                        SlmTest::Handles(g_NameSortedSvcList),
                        {},
                        TBL_GetTsCount(),
                        TBL_GetSvcCount(),
                        HT_LiveCount()};
    for (SvcHandle handle : snapshot.master)
        snapshot.numbers.push_back(
            DB_GetBits(HT_Resolve(handle)->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W));
    return snapshot;
}

TEST_F(SlmServiceTest, AddBuildsTheRecordTheHandleAndTheTransportStream) {
    const TpInfo key = Key(11000, 3);
    const SvcHandle handle = Add("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", key);
    ASSERT_NE(handle, SVC_HANDLE_INVALID);

    const SvcInfo svcInfo = Record(handle);
    EXPECT_EQ(DB_GetBits(svcInfo.flags, SVCF_TYPE_LO, SVCF_TYPE_W), SVC_TYPE_TV);
    EXPECT_EQ(svcInfo.flags, SVCF_CREATED | SVCF_WRITTEN);
    EXPECT_EQ(std::memcmp(svcInfo.name, "ABCDEFGHIJKLMNOPQRSTUV", SVC_NAME_LEN), 0);
    EXPECT_EQ(svcInfo.flags2, 0xFFu);
    EXPECT_EQ(svcInfo.videoPid | svcInfo.audioPid | svcInfo.pcrPid | svcInfo.extraPid, 0);
    EXPECT_EQ(svcInfo.casId[0] | svcInfo.casId[1] | svcInfo.casId[2], 0);
    EXPECT_EQ(svcInfo.prvRef, REF_NONE);

    TsInfo tsInfo{};
    ASSERT_EQ(SLM_GetTsInfo(handle, &tsInfo), DBERR_OK);
    TsInfo expectedTs{};
    expectedTs.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    expectedTs.tp = key;
    EXPECT_EQ(std::memcmp(&tsInfo, &expectedTs, sizeof tsInfo), 0);

    const SvcHandleObj& obj = Obj(handle);
    EXPECT_EQ(obj.marker, 0xFFFFFFFFu);
    EXPECT_EQ(DB_GetBits(obj.numFlags, SVH_TYPE_LO, SVH_TYPE_W), SVC_TYPE_TV);
    EXPECT_EQ(obj.numFlags & (SVH_NUM_LOCKED | DB_BitMask(SVH_SOURCE_LO, SVH_SOURCE_W)), 0u);
    EXPECT_EQ(Number(handle), 1u);
    EXPECT_EQ(obj.name, obj.record->name);

    EXPECT_EQ(Handles(g_MasterSvcList), std::vector<SvcHandle>{handle});
    EXPECT_EQ(Handles(g_NameSortedSvcList), std::vector<SvcHandle>{handle});
    EXPECT_TRUE(ringcheck::IsSoundRing(g_MasterSvcList));
    EXPECT_TRUE(ringcheck::IsSoundRing(g_NameSortedSvcList));
}

TEST_F(SlmServiceTest, TwoAddsOnOneKeyShareOneTransportStream) {
    const TpInfo key = Key(11000);
    const SvcHandle first = Add("One", key);
    const SvcHandle second = Add("Two", key);
    EXPECT_EQ(TBL_GetTsCount(), 1u);
    EXPECT_EQ(Record(first).tsRef, Record(second).tsRef);

    // The key is compared whole: a key that differs only in a byte no
    // transponder comparison reads makes a transport stream of its own.
    TpInfo other = key;
    other.reserved12[0] = 1;
    Add("Three", other);
    EXPECT_EQ(TBL_GetTsCount(), 2u);
}

TEST_F(SlmServiceTest, NamesAreFiledInNameOrderAndNumbersFollowTheTvServices) {
    const SvcHandle c = Add("Charlie", Key(11000));
    const SvcHandle a = Add("alpha", Key(11100));
    const SvcHandle b = Add("\x05"
                            "Bravo",
                            Key(11000));
    EXPECT_EQ(Names(g_NameSortedSvcList), (std::vector<std::string>{"alpha",
                                                                    "\x05"
                                                                    "Bravo",
                                                                    "Charlie"}));
    EXPECT_EQ(Handles(g_MasterSvcList), (std::vector<SvcHandle>{c, a, b}));
    EXPECT_EQ(Number(c), 1u);
    EXPECT_EQ(Number(a), 2u);
    EXPECT_EQ(Number(b), 3u);
}

TEST_F(SlmServiceTest, NewServiceIsNumberedAfterTheLastLockedTvNumber) {
    const SvcHandle a = Add("A", Key(11000));
    const SvcHandle locked = Add("Locked", Key(11000));
    const SvcHandle radio = Add("Radio", Key(11000));
    // A locked TV number and a radio service, as a load would file them.
    Obj(locked).numFlags =
        DB_SetBits(Obj(locked).numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, 10) | SVH_NUM_LOCKED;
    Obj(radio).numFlags = DB_SetBits(Obj(radio).numFlags, SVH_TYPE_LO, SVH_TYPE_W, SVC_TYPE_RADIO);

    const SvcHandle added = Add("Added", Key(11000));
    EXPECT_EQ(Number(locked), 10u);
    EXPECT_EQ(Number(a), 11u);
    EXPECT_EQ(Number(added), 12u);
    EXPECT_EQ(Number(radio), 1u);
    EXPECT_EQ(Handles(g_MasterSvcList), (std::vector<SvcHandle>{radio, locked, a, added}));
}

TEST_F(SlmServiceTest, AddRejectsMissingArgumentsInOrder) {
    const TpInfo key = Key(11000);
    SvcHandle out = 7;
    EXPECT_EQ(SLM_AddService(nullptr, nullptr, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_AddService(nullptr, "x", &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(out, SVC_HANDLE_INVALID);
    EXPECT_EQ(SLM_AddService(&key, nullptr, &out), DBERR_NULL_OBJECT);
    EXPECT_EQ(TBL_GetTsCount(), 0u);
    EXPECT_EQ(HT_LiveCount(), 0u);
}

// Runs the add with the n-th allocation of a seam failing, for n = 0, 1, ...
// until the add goes through; checks after each refusal. Returns the handle.
SvcHandle AddThroughFailures(const TpInfo& key, void (*failAfter)(int32_t),
                             const std::function<void(SLM_RESULT)>& checkRefusal) {
    for (int32_t allowed = 0; allowed < 100; ++allowed) {
        SCOPED_TRACE(allowed);
        failAfter(allowed);
        SvcHandle out = 7;
        const SLM_RESULT result = SLM_AddService(&key, "Added", &out);
        failAfter(-1);
        if (result == DBERR_OK) return out;
        EXPECT_EQ(out, SVC_HANDLE_INVALID);
        checkRefusal(result);
    }
    ADD_FAILURE() << "the add never went through";
    return SVC_HANDLE_INVALID;
}

TEST_F(SlmServiceTest, FailedAddLeavesNoHandleRecordOrTransportStream) {
    struct Seam {
        const char* what;
        void (*failAfter)(int32_t);
    };
    for (const Seam& seam :
         {Seam{"table copies", DB_SetAllocFailAfter}, Seam{"list nodes", DB_SetAllocFailAfter}}) {
        SCOPED_TRACE(seam.what);
        DB_ResetAllState();
        Add("First", Key(11000));
        Add("Second", Key(11100));
        const DbSnapshot before = Snapshot();
        const SvcHandle added =
            AddThroughFailures(Key(12000), seam.failAfter, [&](SLM_RESULT result) {
                EXPECT_TRUE(result == DBERR_NO_MEMORY || result == DBERR_NO_MEMORY_COPY) << result;
                EXPECT_EQ(Snapshot(), before);
                EXPECT_TRUE(ringcheck::IsSoundRing(g_MasterSvcList));
                EXPECT_TRUE(ringcheck::IsSoundRing(g_NameSortedSvcList));
            });
        EXPECT_EQ(Number(added), 3u);
        EXPECT_EQ(TBL_GetTsCount(), before.tsCount + 1);
    }
}

TEST_F(SlmServiceTest, FailedAddKeepsAStoredTransportStreamNoServiceUses) {
    // A stored TS without services, equal to the one the add would build.
    TsInfo orphan{};
    orphan.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    orphan.tp = Key(11000);
    TsInfo* stored = nullptr;
    ASSERT_EQ(TBL_AddTsInfo(&orphan, &stored), DBERR_OK);

    for (auto failAfter : {DB_SetAllocFailAfter, DB_SetAllocFailAfter}) {
        const SvcHandle added = AddThroughFailures(orphan.tp, failAfter, [&](SLM_RESULT) {
            uint32_t inList = 0;
            EXPECT_EQ(TBL_IsTsInfoInList(stored, &inList), DBERR_OK);
            EXPECT_EQ(TBL_GetTsCount(), 1u);
            EXPECT_EQ(TBL_GetSvcCount(), 0u);
        });
        EXPECT_EQ(REF_ResolveTs(Record(added).tsRef), stored);
        ASSERT_EQ(SLM_DeleteService(added), DBERR_OK);
        // Its last service gone, the TS goes too; put it back for the next seam.
        ASSERT_EQ(TBL_AddTsInfo(&orphan, &stored), DBERR_OK);
    }
}

TEST_F(SlmServiceTest, AddIntoAFullTableIsRefusedWithItsCode) {
    struct Case {
        const char* what;
        void (*fill)();
    };
    const Case cases[] = {
        {"service table full",
         [] {
             const SvcInfo filler{};
             SvcInfo* out = nullptr;
             while (TBL_GetSvcCount() < MAX_SERVICES)
                 ASSERT_EQ(TBL_AddSvcInfo(&filler, &out), DBERR_OK);
         }},
        {"transport-stream table full",
         [] {
             for (uint32_t f = 0; TBL_GetTsCount() < TS_CAPACITY; ++f) {
                 const TsInfo filler = fixtures::MakeTs(1, 1, {.frequencyMhz = 3000 + f});
                 TsInfo* out = nullptr;
                 ASSERT_EQ(TBL_AddTsInfo(&filler, &out), DBERR_OK);
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DB_ResetAllState();
        Add("Kept", Key(11000));
        c.fill();
        const DbSnapshot before = Snapshot();
        const TpInfo key = Key(12000);
        SvcHandle handle = 7;
        EXPECT_EQ(SLM_AddService(&key, "Refused", &handle), DBERR_TS_TABLE_FULL);
        EXPECT_EQ(handle, SVC_HANDLE_INVALID);
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(SlmServiceTest, SetServicePidsWritesOnlyWhatChanged) {
    const SvcHandle handle = Add("Pids", Key(11000));
    ASSERT_EQ(SLM_SetServicePids(handle, 0x100, 0x101, 0x102), DBERR_OK);
    const uint32_t bothValid = SVCF2_VIDEO_VALID | SVCF2_AUDIO_VALID;
    ASSERT_EQ(Record(handle).flags2 & bothValid, bothValid);

    struct Case {
        const char* what;
        uint16_t pcr, video, audio;
        SLM_RESULT result;
        uint16_t storedVideo, storedAudio;
    };
    const Case cases[] = {
        {"same PIDs", 0x100, 0x101, 0x102, SLM_UNCHANGED, 0x101, 0x102},
        {"video 0x2000 keeps the video PID", 0x100, PID_NONE, 0x102, DBERR_OK, 0x101, 0x102},
        {"video 0 keeps it too", 0x100, 0, 0x200, DBERR_OK, 0x101, 0x200},
        {"audio 0x2000 keeps the audio PID", 0x100, 0x300, PID_NONE, DBERR_OK, 0x300, 0x102},
        {"only the PCR PID changes", 0x400, 0x101, 0x102, DBERR_OK, 0x101, 0x102},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Start from the three PIDs with bits 21 and 31 and offset 12 cleared,
        // so that a write shows.
        SvcInfo start = Record(handle);
        start.pcrPid = 0x100;
        start.videoPid = 0x101;
        start.audioPid = 0x102;
        start.extraPid = 0x1234;
        start.flags &= ~(SVCF_CREATED | SVCF_WRITTEN);
        ASSERT_EQ(SLM_SetServiceInfo(handle, &start), DBERR_OK);

        EXPECT_EQ(SLM_SetServicePids(handle, c.pcr, c.video, c.audio), c.result);
        const SvcInfo after = Record(handle);
        if (c.result == SLM_UNCHANGED) {
            EXPECT_EQ(std::memcmp(&after, &start, sizeof after), 0);
            continue;
        }
        EXPECT_EQ(after.pcrPid, c.pcr);
        EXPECT_EQ(after.videoPid, c.storedVideo);
        EXPECT_EQ(after.audioPid, c.storedAudio);
        EXPECT_EQ(after.flags2 & bothValid, bothValid);
        EXPECT_EQ(after.extraPid, PID_NONE);
        EXPECT_EQ(after.flags & (SVCF_CREATED | SVCF_WRITTEN), SVCF_CREATED | SVCF_WRITTEN);
    }
}

TEST_F(SlmServiceTest, PidNoneLeavesTheValidBitsOfANewServiceClear) {
    const SvcHandle handle = Add("Radio-like", Key(11000));
    ASSERT_EQ(SLM_SetServicePids(handle, 0x100, PID_NONE, 0), DBERR_OK);
    const SvcInfo after = Record(handle);
    EXPECT_EQ(after.pcrPid, 0x100);
    EXPECT_EQ(after.videoPid, 0);
    EXPECT_EQ(after.flags2 & (SVCF2_VIDEO_VALID | SVCF2_AUDIO_VALID), 0u);
    EXPECT_EQ(after.flags2 & 0xFFu, 0xFFu);
}

TEST_F(SlmServiceTest, SetServiceInfoNeverInstallsADanglingReference) {
    const SvcHandle handle = Add("Refs", Key(11000));
    const SvcHandle other = Add("Other", Key(11100));
    PrvInfo provider{};
    std::strcpy(provider.name, "Provider");
    PrvInfo* prv = nullptr;
    RefId prvRef = REF_NONE;
    ASSERT_EQ(TBL_AddPrvInfo(&provider, &prv, &prvRef), DBERR_OK);
    DB_SetUpPlaceholders();
    SvcInfo withProvider = Record(handle);
    withProvider.prvRef = prvRef;
    ASSERT_EQ(SLM_SetServiceInfo(handle, &withProvider), DBERR_OK);
    const SvcInfo stored = Record(handle);

    struct Case {
        const char* what;
        RefId tsRef, prvRef;
        RefId expectedTs, expectedPrv;
    };
    const Case cases[] = {
        {"unknown ids", 0x7777, 0x8888, stored.tsRef, stored.prvRef},
        {"no TS", REF_NONE, stored.prvRef, stored.tsRef, stored.prvRef},
        {"the placeholder TS, which is no table element", g_PlaceholderSvcInfo.tsRef, stored.prvRef,
         stored.tsRef, stored.prvRef},
        {"a TS id given as provider", stored.tsRef, stored.tsRef, stored.tsRef, stored.prvRef},
        {"another stored TS is taken", Record(other).tsRef, stored.prvRef, Record(other).tsRef,
         stored.prvRef},
        {"no provider is taken", stored.tsRef, REF_NONE, stored.tsRef, REF_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SvcInfo changed = stored;
        changed.videoPid = 0x555;
        changed.tsRef = c.tsRef;
        changed.prvRef = c.prvRef;
        ASSERT_EQ(SLM_SetServiceInfo(handle, &changed), DBERR_OK);
        const SvcInfo after = Record(handle);
        EXPECT_EQ(after.videoPid, 0x555);
        EXPECT_EQ(after.tsRef, c.expectedTs);
        EXPECT_EQ(after.prvRef, c.expectedPrv);
        // Every reference still names a record the commit writes.
        EXPECT_EQ(IDX_CommitAll(), DBERR_OK);
        ASSERT_EQ(SLM_SetServiceInfo(handle, &stored), DBERR_OK);
    }
}

TEST_F(SlmServiceTest, DeleteRemovesTheServiceEverywhereAndOnlyOnce) {
    const TpInfo shared = Key(11000);
    const SvcHandle a = Add("A", shared);
    const SvcHandle b = Add("B", shared);
    const SvcHandle c = Add("C", Key(11100));
    const uint32_t liveBefore = HT_LiveCount();

    EXPECT_EQ(SLM_DeleteService(a), DBERR_OK);
    EXPECT_EQ(Handles(g_MasterSvcList), (std::vector<SvcHandle>{b, c}));
    EXPECT_EQ(Handles(g_NameSortedSvcList), (std::vector<SvcHandle>{b, c}));
    EXPECT_EQ(HT_LiveCount(), liveBefore - 1);
    EXPECT_EQ(TBL_GetSvcCount(), 2u);
    EXPECT_EQ(TBL_GetTsCount(), 2u) << "B still uses the shared TS";
    // No renumbering on delete.
    EXPECT_EQ(Number(b), 2u);

    EXPECT_EQ(SLM_DeleteService(c), DBERR_OK);
    EXPECT_EQ(TBL_GetTsCount(), 1u) << "C's TS went with its last service";

    EXPECT_EQ(SLM_DeleteService(a), SLM_NOT_IN_LIST);
    EXPECT_EQ(SLM_DeleteService(0), SLM_NOT_IN_LIST);
    EXPECT_EQ(SLM_DeleteService(SVC_HANDLE_INVALID), SLM_NOT_IN_LIST);
    EXPECT_EQ(Handles(g_MasterSvcList), std::vector<SvcHandle>{b});
    EXPECT_TRUE(ringcheck::IsSoundRing(g_MasterSvcList));
}

TEST_F(SlmServiceTest, EveryOperationAnswersAStaleHandleWithNotFound) {
    const SvcHandle stale = Add("Gone", Key(11000));
    const SvcHandle kept = Add("Kept", Key(11000));
    ASSERT_EQ(SLM_DeleteService(stale), DBERR_OK);
    const SvcInfo keptBefore = Record(kept);

    SvcInfo svcInfo{};
    TsInfo tsInfo{};
    SvcHandle handleOut = 0;
    uint32_t flag = 0;
    uint8_t type = 0;
    uint16_t number = 0;
    uint8_t name[SVC_NAME_LEN];
    const SvcInfo anyRecord = keptBefore;
    struct Case {
        const char* what;
        std::function<SLM_RESULT()> call;
    };
    const Case cases[] = {
        {"GetServiceInfo", [&] { return SLM_GetServiceInfo(stale, &svcInfo); }},
        {"ReadServiceInfo", [&] { return SLM_ReadServiceInfo(stale, &svcInfo); }},
        {"SetServiceInfo", [&] { return SLM_SetServiceInfo(stale, &anyRecord); }},
        {"SetServicePids", [&] { return SLM_SetServicePids(stale, 1, 2, 3); }},
        {"GetTsInfo", [&] { return SLM_GetTsInfo(stale, &tsInfo); }},
        {"IsSvcNull", [&] { return SLM_IsSvcNull(stale, &flag); }},
        {"CheckServiceHandle", [&] { return SLM_CheckServiceHandle(stale, &handleOut); }},
        {"GetServiceType", [&] { return SLM_GetServiceType(stale, &type); }},
        {"GetServiceNumber", [&] { return SLM_GetServiceNumber(stale, &number, &type); }},
        {"GetServiceName", [&] { return SLM_GetServiceName(stale, name); }},
        {"FindServiceInList", [&] { return SLM_FindServiceInList(LIST_ALL, stale, &flag); }},
        {"GetNextServiceHandle",
         [&] { return SLM_GetNextServiceHandle(stale, LIST_ALL, 0x3FFF, 6, 1, &handleOut); }},
        {"ReleaseTsCasCount", [&] { return SLM_ReleaseTsCasCount(stale); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(&svcInfo, 0xAB, sizeof svcInfo);
        std::memset(&tsInfo, 0xAB, sizeof tsInfo);
        handleOut = 0;
        flag = 5;
        EXPECT_EQ(c.call(), DBERR_NOT_FOUND);
    }
    // The outs are at their start values.
    EXPECT_EQ(SLM_GetServiceInfo(stale, &svcInfo), DBERR_NOT_FOUND);
    EXPECT_EQ(svcInfo.flags | svcInfo.tsRef, 0u);
    EXPECT_EQ(SLM_CheckServiceHandle(stale, &handleOut), DBERR_NOT_FOUND);
    EXPECT_EQ(handleOut, SVC_HANDLE_INVALID);
    EXPECT_EQ(SLM_IsSvcNull(stale, &flag), DBERR_NOT_FOUND);
    EXPECT_EQ(flag, 1u);

    EXPECT_EQ(SLM_DeleteService(stale), SLM_NOT_IN_LIST);
    const SvcInfo keptAfter = Record(kept);
    EXPECT_EQ(std::memcmp(&keptBefore, &keptAfter, sizeof keptBefore), 0);
    EXPECT_EQ(Handles(g_MasterSvcList), std::vector<SvcHandle>{kept});
}

TEST_F(SlmServiceTest, RecordReadsAndHelpersCheckTheirArguments) {
    const SvcHandle handle = Add("Helpers", Key(11000));
    SvcInfo svcInfo{};
    TsInfo tsInfo{};
    uint32_t flag = 0;
    struct Case {
        const char* what;
        std::function<SLM_RESULT()> call;
        SLM_RESULT expected;
    };
    const Case cases[] = {
        {"GetServiceInfo null out first", [&] { return SLM_GetServiceInfo(0, nullptr); },
         DBERR_NULL_ARG},
        {"GetServiceInfo handle 0", [&] { return SLM_GetServiceInfo(0, &svcInfo); },
         DBERR_NOT_FOUND},
        {"GetServiceInfo handle -1",
         [&] { return SLM_GetServiceInfo(SVC_HANDLE_INVALID, &svcInfo); }, DBERR_NOT_FOUND},
        {"ReadServiceInfo null out first", [&] { return SLM_ReadServiceInfo(0, nullptr); },
         DBERR_NULL_ARG},
        {"ReadServiceInfo handle 0", [&] { return SLM_ReadServiceInfo(0, &svcInfo); },
         DBERR_NULL_OBJECT},
        {"SetServiceInfo null record", [&] { return SLM_SetServiceInfo(handle, nullptr); },
         DBERR_NULL_OBJECT},
        {"GetTsInfo handle 0", [&] { return SLM_GetTsInfo(0, &tsInfo); }, DBERR_NULL_OBJECT},
        {"GetTsInfoOfSvcInfo null out first",
         [&] { return SLM_GetTsInfoOfSvcInfo(nullptr, nullptr); }, DBERR_NULL_ARG},
        {"GetTsInfoOfSvcInfo null record", [&] { return SLM_GetTsInfoOfSvcInfo(nullptr, &tsInfo); },
         DBERR_NULL_OBJECT},
        {"CopySvcInfo null target first", [&] { return SLM_CopySvcInfo(nullptr, nullptr); },
         DBERR_NULL_ARG},
        {"CopySvcInfo null source", [&] { return SLM_CopySvcInfo(nullptr, &svcInfo); },
         DBERR_NULL_OBJECT},
        {"IsSvcNull null out first", [&] { return SLM_IsSvcNull(0, nullptr); }, DBERR_NULL_ARG},
        {"IsSvcNull handle 0", [&] { return SLM_IsSvcNull(0, &flag); }, DBERR_NULL_OBJECT},
        {"ReleaseTsCasCount handle 0", [&] { return SLM_ReleaseTsCasCount(0); }, DBERR_NULL_OBJECT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), c.expected);
    }

    const SvcInfo stored = Record(handle);
    ASSERT_EQ(SLM_ReadServiceInfo(handle, &svcInfo), DBERR_OK);
    EXPECT_EQ(std::memcmp(&svcInfo, &stored, sizeof svcInfo), 0);
    ASSERT_EQ(SLM_GetTsInfoOfSvcInfo(&stored, &tsInfo), DBERR_OK);
    TsInfo viaHandle{};
    ASSERT_EQ(SLM_GetTsInfo(handle, &viaHandle), DBERR_OK);
    EXPECT_EQ(std::memcmp(&tsInfo, &viaHandle, sizeof tsInfo), 0);
    SvcInfo copy{};
    ASSERT_EQ(SLM_CopySvcInfo(&stored, &copy), DBERR_OK);
    EXPECT_EQ(std::memcmp(&copy, &stored, sizeof copy), 0);
    ASSERT_EQ(SLM_IsSvcNull(handle, &flag), DBERR_OK);
    EXPECT_EQ(flag, 0u);
    EXPECT_EQ(SLM_ReleaseTsCasCount(handle), DBERR_OK);

    SvcHandle current[3] = {1, 2, 3};
    EXPECT_EQ(SLM_GetCurrentService(&current[0], &current[1], &current[2]), DBERR_BAD_LIST);
    for (SvcHandle value : current)
        EXPECT_EQ(value, SVC_HANDLE_INVALID);
    EXPECT_EQ(SLM_SetCurrentService(handle), DBERR_OK);
}

} // namespace
