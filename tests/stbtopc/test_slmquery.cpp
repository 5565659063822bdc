// The public look-ups: services of a transponder, walks, counts and finds by
// list id under the access method, and the small accessors beside them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "prvtable.h"
#include "test_slmfixture.h"

namespace {

class SlmQueryTest : public SlmTest {};

TEST_F(SlmQueryTest, NthServiceOfATransponderWithoutServicesIsNotFound) {
    Add("Elsewhere", Key(11000));
    DebugCapture debug;
    const TpInfo empty = Key(12500);
    SvcHandle handle = 7;
    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&empty, 0, &handle), DBERR_NOT_FOUND);
    EXPECT_EQ(handle, SVC_HANDLE_INVALID);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(debug.lines()[0].text,
              "[SLM_GetNthServiceHandleWithTpInfo] service not found with tpInfo result(0x2002)\n");

    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(nullptr, 0, &handle), DBERR_NULL_OBJECT);
    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&empty, 0, nullptr), DBERR_NULL_OBJECT);
}

TEST_F(SlmQueryTest, NthServiceMatchesTheTransponderWithinItsTolerance) {
    const SvcHandle a = Add("A", Key(11000));
    Add("Other satellite", Key(11000, 1));
    const SvcHandle b = Add("B", Key(11002)); // 2 MHz off at 27500 kS/s: the same transponder
    Add("Far", Key(11010));
    const TpInfo key = Key(11000);
    EXPECT_EQ(ServicesOn(key), (std::vector<SvcHandle>{a, b}));

    DebugCapture debug;
    SvcHandle handle = SVC_HANDLE_INVALID;
    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 1, &handle), DBERR_OK);
    EXPECT_EQ(handle, b);
    EXPECT_TRUE(debug.lines().empty());
}

// The walk from -1 and then from each answer gives the n-th look-up's
// services, for transponders whose services lie spread over the list, at
// its head and its tail, within the tolerance or on another satellite.
TEST_F(SlmQueryTest, NextServiceOfATransponderFollowsTheNthOrder) {
    const uint32_t frequencies[] = {11000, 11500, 11000, 11002, 12000,
                                    11500, 11000, 11010, 11500, 11000};
    for (uint32_t i = 0; i < 10; ++i)
        Add(NumberedName("S", i).c_str(), Key(frequencies[i], i == 6 ? 1 : 0));
    struct Case {
        const char* what;
        TpInfo key;
    };
    const Case cases[] = {
        {"at the head and the tail, with one 2 MHz off", Key(11000)},
        {"in the middle", Key(11500)},
        {"a single service", Key(12000)},
        {"on another satellite", Key(11000, 1)},
        {"without services", Key(12500)},
    };
    DebugCapture debug;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<SvcHandle> walked;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (SvcHandle after = SVC_HANDLE_INVALID;; after = handle) {
            const SLM_RESULT result = SLM_GetNextServiceHandleWithTpInfo(&c.key, after, &handle);
            if (result != DBERR_OK) {
                EXPECT_EQ(result, DBERR_NOT_FOUND);
                EXPECT_EQ(handle, SVC_HANDLE_INVALID);
                break;
            }
            walked.push_back(handle);
            ASSERT_LE(walked.size(), 10u) << "the walk must not wrap";
        }
        EXPECT_TRUE(debug.lines().empty()) << "the end of a walk is no error";
        EXPECT_EQ(walked, ServicesOn(c.key));
        debug.clear();
    }
}

TEST_F(SlmQueryTest, NextServiceOfATransponderRefusesWhatIsNotAServiceOfTheList) {
    const TpInfo key = Key(11000);
    const SvcHandle a = Add("A", key);
    const SvcHandle b = Add("B", key);
    SvcHandle handle = 7;
    EXPECT_EQ(SLM_GetNextServiceHandleWithTpInfo(nullptr, a, &handle), DBERR_NULL_OBJECT);
    EXPECT_EQ(SLM_GetNextServiceHandleWithTpInfo(&key, a, nullptr), DBERR_NULL_OBJECT);
    DebugCapture debug;
    for (SvcHandle after : {SvcHandle{0}, SvcHandle{0x7FFF}, b}) {
        SCOPED_TRACE(after);
        handle = 7;
        EXPECT_EQ(SLM_GetNextServiceHandleWithTpInfo(&key, after, &handle), DBERR_NOT_FOUND);
        EXPECT_EQ(handle, SVC_HANDLE_INVALID);
    }
    ASSERT_EQ(SLM_DeleteService(a), DBERR_OK);
    EXPECT_EQ(SLM_GetNextServiceHandleWithTpInfo(&key, a, &handle), DBERR_NOT_FOUND)
        << "a deleted service";
    EXPECT_TRUE(debug.lines().empty()) << "the end of a walk is no error";
}

TEST_F(SlmQueryTest, ListQueriesUseTheHeadOfTheCurrentAccessMethod) {
    const SvcHandle a = Add("Zulu", Key(11000, 0));
    const SvcHandle b = Add("Mike", Key(11100, 0));
    const SvcHandle onSat1 = Add("Alpha", Key(11000, 1));
    const SvcListId sat0 = LIST_SAT_FIRST, sat1 = LIST_SAT_FIRST + 1;

    uint16_t count = 0;
    EXPECT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &count), 0);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(SLM_GetNumServicesInList(sat0, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &count), 0);
    EXPECT_EQ(count, 2u);

    SvcHandle handle = SVC_HANDLE_INVALID;
    EXPECT_EQ(SLM_GetNextServiceHandle(SVC_HANDLE_INVALID, sat1, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY,
                                       0, &handle),
              DBERR_OK);
    EXPECT_EQ(handle, onSat1);
    EXPECT_EQ(SLM_GetNextServiceHandle(a, sat0, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, 1, &handle),
              DBERR_OK);
    EXPECT_EQ(handle, b);

    uint32_t found = 0;
    EXPECT_EQ(SLM_FindServiceInList(sat1, onSat1, &found), DBERR_OK);
    EXPECT_EQ(found, 1u);
    EXPECT_EQ(SLM_FindServiceInList(sat1, a, &found), DBERR_NOT_FOUND);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(SLM_FindServiceByNumAndType(static_cast<uint16_t>(Number(b)), SVC_TYPE_TV, LIST_ALL,
                                          &handle),
              DBERR_OK);
    EXPECT_EQ(handle, b);

    // Under the name order list 0 is the name list; a walk follows it.
    ASSERT_EQ(SLM_SetAccessMethod(ACCESS_NAME), DBERR_OK);
    SvcAccessMethod method = ACCESS_MASTER;
    EXPECT_EQ(SLM_GetAccessMethod(&method), DBERR_OK);
    EXPECT_EQ(method, ACCESS_NAME);
    EXPECT_EQ(SLM_GetNextServiceHandle(SVC_HANDLE_INVALID, LIST_ALL, SVC_NUMBER_ANY,
                                       SVC_QUERY_TYPE_ANY, 0, &handle),
              DBERR_OK);
    EXPECT_EQ(handle, onSat1);
    EXPECT_EQ(
        SLM_GetNextServiceHandle(onSat1, LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, 2, &handle),
        DBERR_OK);
    EXPECT_EQ(handle, a);
    // The TV part serves list 0 only; the radio part has no find.
    EXPECT_EQ(SLM_SetAccessMethod(ACCESS_TV), DBERR_OK);
    EXPECT_EQ(SLM_GetNextServiceHandle(SVC_HANDLE_INVALID, sat0, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY,
                                       0, &handle),
              DBERR_BAD_LIST);
    EXPECT_EQ(SLM_SetAccessMethod(ACCESS_RADIO), DBERR_OK);
    EXPECT_EQ(SLM_FindServiceInList(LIST_ALL, a, &found), DBERR_BAD_LIST);

    uint8_t type = 9;
    EXPECT_EQ(SLM_SetAccessMethod(ACCESS_MASTER), DBERR_OK);
    EXPECT_EQ(SLM_GetServiceType(a, &type), DBERR_OK);
    EXPECT_EQ(type, SVC_TYPE_TV);
    EXPECT_EQ(SLM_CheckServiceHandle(a, &handle), DBERR_OK);
    EXPECT_EQ(handle, a);
}

TEST_F(SlmQueryTest, AnEmptyDatabaseFindsNothingAndCountsZero) {
    uint16_t count = 5;
    SvcHandle handle = 7;
    uint32_t found = 5;
    for (SvcListId id : {LIST_ALL, LIST_DATA, SvcListId{LIST_SAT_FIRST}, SvcListId{LIST_CA_ANY}}) {
        SCOPED_TRACE(static_cast<int>(id));
        EXPECT_EQ(SLM_GetNumServicesInList(id, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &count), 0);
        EXPECT_EQ(count, 0u);
        EXPECT_EQ(SLM_GetNextServiceHandle(SVC_HANDLE_INVALID, id, SVC_NUMBER_ANY,
                                           SVC_QUERY_TYPE_ANY, 0, &handle),
                  DBERR_NOT_FOUND);
        EXPECT_EQ(handle, SVC_HANDLE_INVALID);
        EXPECT_EQ(SLM_FindServiceByNumAndType(1, SVC_TYPE_TV, id, &handle), DBERR_NOT_FOUND);
    }
    EXPECT_EQ(SLM_FindServiceInList(LIST_ALL, 12345, &found), DBERR_NOT_FOUND);
    EXPECT_EQ(found, 0u);
    const TpInfo key = Key(11000);
    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 0, &handle), DBERR_NOT_FOUND);
}

TEST_F(SlmQueryTest, QueriesRejectAMissingOutput) {
    const SvcHandle a = Add("A", Key(11000));
    EXPECT_EQ(SLM_GetNextServiceHandle(a, LIST_ALL, 0, 0, 0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetNumServicesInList(LIST_ALL, 0, 0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_FindServiceInList(LIST_ALL, a, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_FindServiceByNumAndType(1, 0, LIST_ALL, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_CheckServiceHandle(a, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetServiceType(a, nullptr), DBERR_NULL_ARG);
    uint16_t number = 0;
    uint8_t type = 0;
    EXPECT_EQ(SLM_GetServiceNumber(a, nullptr, &type), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetServiceNumber(a, &number, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetServiceName(a, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetAccessMethod(nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetListHead(LIST_ALL, ACCESS_MASTER, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_IsListStateClean(nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_GetPrvName(0, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_RenumberList(nullptr, SVC_QUERY_TYPE_ANY), DBERR_NULL_OBJECT);
}

TEST_F(SlmQueryTest, ListHeadsRenumberingAndProviderNames) {
    const SvcHandle a = Add("A", Key(11000));
    const SvcHandle b = Add("B", Key(11000));
    LL_Node* head = nullptr;
    ASSERT_EQ(SLM_GetListHead(LIST_ALL, ACCESS_MASTER, &head), DBERR_OK);
    EXPECT_EQ(head, g_MasterSvcList);

    // Renumbering a list by its head: a locked number is kept, the others follow.
    Obj(b).numFlags = DB_SetBits(Obj(b).numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, 5) | SVH_NUM_LOCKED;
    ASSERT_EQ(SLM_RenumberList(&g_MasterSvcList, SVC_QUERY_TYPE_ANY), DBERR_OK);
    EXPECT_EQ(Number(b), 5u);
    EXPECT_EQ(Number(a), 6u);
    EXPECT_EQ(Handles(g_MasterSvcList), (std::vector<SvcHandle>{b, a}));
    uint32_t clean = 9;
    EXPECT_EQ(SLM_IsListStateClean(&clean), DBERR_OK);
    EXPECT_LE(clean, 1u);

    char name[PRV_NAME_BUFFER];
    EXPECT_EQ(SLM_GetPrvName(0, name), SLM_NOT_IN_LIST);
    EXPECT_STREQ(name, "");
    const PrvInfo provider = [] {
        PrvInfo p{};
        std::memcpy(p.name, "Provider", 8);
        return p;
    }();
    PrvInfo* prv = nullptr;
    ASSERT_EQ(TBL_AddPrvInfo(&provider, &prv), DBERR_OK);
    EXPECT_EQ(SLM_GetPrvName(0, name), DBERR_OK);
    EXPECT_STREQ(name, "Provider");
    EXPECT_EQ(SLM_GetPrvName(1, name), SLM_NOT_IN_LIST);
}

} // namespace
