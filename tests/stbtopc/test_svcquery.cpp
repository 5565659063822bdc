// Walks, finds, counts and the CA specifier over one small list that holds
// every kind of element a walk must tell apart.
#include <gtest/gtest.h>

#include <string>

#include "casmap.h"
#include "servicefixture.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcquery.h"

namespace {

constexpr SvcHandle NONE = SVC_HANDLE_INVALID;
constexpr uint16_t ANY_NUMBER = SVC_NUMBER_ANY;
constexpr uint8_t ANY_TYPE = SVC_QUERY_TYPE_ANY;

// Master order: tv1, radio1, tv2, placeholder, hidden, tv4, data5.
class WalkTest : public ServiceListTest {
  protected:
    void SetUp() override {
        ServiceListTest::SetUp();
        tv1 = addService(spec("TV1", SVC_TYPE_TV, 1, 0, {0, 0, 0}));
        radio1 = addService(spec("RADIO1", SVC_TYPE_RADIO, 1, 1, {0x0500, 0, 0}));
        tv2 = addService(spec("TV2", SVC_TYPE_TV, 2, 255, {0, 0x7777, 0}));
        placeholder = addPlaceholder(SVC_TYPE_TV, 3);
        ServiceSpec hiddenSpec = spec("HIDDEN", SVC_TYPE_TV, 3, 1, {0, 0, 0});
        hiddenSpec.hidden = true;
        hiddenSpec.serviceClass = SVC_CLASS_DATA;
        hiddenSpec.provider = "ACME";
        hidden = addService(hiddenSpec);
        tv4 = addService(spec("TV4", SVC_TYPE_TV, 4, 1, {0, 0, 0}));
        ServiceSpec dataSpec = spec("DATA5", 2, 5, 0, {0, 0, 0});
        dataSpec.serviceClass = SVC_CLASS_DATA;
        dataSpec.provider = "ACME";
        data5 = addService(dataSpec);
    }
    static ServiceSpec spec(const std::string& name, uint32_t type, uint16_t number, uint8_t sat,
                            std::initializer_list<uint16_t> cas) {
        ServiceSpec s;
        s.name = name;
        s.type = type;
        s.number = number;
        s.sat = sat;
        s.frequency = 10000 + number * 100 + type;
        int i = 0;
        for (uint16_t id : cas)
            s.cas[i++] = id;
        return s;
    }
    SvcHandle tv1 = 0, radio1 = 0, tv2 = 0, placeholder = 0, hidden = 0, tv4 = 0, data5 = 0;
};

TEST_F(WalkTest, WalkTable) {
    // Start handles by name, since the ids are made in SetUp.
    const SvcHandle h[] = {NONE, tv1, radio1, tv2, placeholder, hidden, tv4, data5};
    enum { M1, TV1, R1, TV2, PH, HID, TV4, D5 };
    struct Row {
        const char* what;
        SvcListId id;
        int from;
        uint16_t number;
        uint8_t type;
        int32_t step;
        DBERR result;
        int expected;
    };
    const Row rows[] = {
        {"step 0 from -1 gives the head", 0, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, TV1},
        {"head not radio: first radio after it", 0, M1, ANY_NUMBER, SVC_TYPE_RADIO, 0, DBERR_OK,
         R1},
        {"step 1", 0, TV1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        {"step 2", 0, TV1, ANY_NUMBER, ANY_TYPE, 2, DBERR_OK, TV2},
        {"placeholder and hidden passed over", 0, TV1, ANY_NUMBER, ANY_TYPE, 3, DBERR_OK, TV4},
        {"step -1 wraps backwards", 0, TV1, ANY_NUMBER, ANY_TYPE, -1, DBERR_OK, D5},
        {"step -2 from tv4", 0, TV4, ANY_NUMBER, ANY_TYPE, -2, DBERR_OK, R1},
        {"number filter", 0, M1, 2, ANY_TYPE, 0, DBERR_OK, TV2},
        {"TV type filter skips radio", 0, TV1, ANY_NUMBER, SVC_TYPE_TV, 1, DBERR_OK, TV2},
        {"steps beyond the matches go round again", 0, TV1, ANY_NUMBER, SVC_TYPE_TV, 3, DBERR_OK,
         TV1},
        // 118: any CA id, the unknown one included; 120: none at all.
        {"118 from -1", LIST_CA_ANY, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, R1},
        {"118 unknown CA id counts", LIST_CA_ANY, R1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, TV2},
        {"118 wraps", LIST_CA_ANY, TV2, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        {"120 from -1", LIST_CA_NONE, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, TV1},
        {"120 skips every CA id", LIST_CA_NONE, TV1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, TV4},
        {"120 takes the data service", LIST_CA_NONE, TV4, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, D5},
        {"120 wraps", LIST_CA_NONE, D5, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, TV1},
        // A start that does not match does not count.
        {"start not in 118, step 1", LIST_CA_ANY, TV1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        {"start not in 118, step 2", LIST_CA_ANY, TV1, ANY_NUMBER, ANY_TYPE, 2, DBERR_OK, TV2},
        {"start not in 118, step -1", LIST_CA_ANY, TV4, ANY_NUMBER, ANY_TYPE, -1, DBERR_OK, TV2},
        // 111 (VIACCESS) holds radio1 only: every step lands on it.
        {"single match step 0", 111, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, R1},
        {"single match step 1", 111, R1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        {"single match step 2", 111, R1, ANY_NUMBER, ANY_TYPE, 2, DBERR_OK, R1},
        {"single match step -1", 111, R1, ANY_NUMBER, ANY_TYPE, -1, DBERR_OK, R1},
        {"single match from elsewhere", 111, TV4, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        // Satellite 1 = list 31; the TS on satellite 255 belongs to every one.
        {"satellite list from -1", 31, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, R1},
        {"satellite 255 belongs", 31, R1, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, TV2},
        {"satellite list wraps", 31, TV4, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, R1},
        {"another satellite: only 255", 35, TV1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, TV2},
        // Data and provider lists: the hidden data service with the same
        // provider is passed over too.
        {"data list", LIST_DATA, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, D5},
        {"data list, one match", LIST_DATA, D5, ANY_NUMBER, ANY_TYPE, 1, DBERR_OK, D5},
        {"provider 0", 200, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_OK, D5},
        {"provider 0, wrong type", 200, M1, ANY_NUMBER, SVC_TYPE_TV, 0, DBERR_NOT_FOUND, M1},
        {"provider index beyond the table", 201, M1, ANY_NUMBER, ANY_TYPE, 0, DBERR_NOT_FOUND, M1},
        // No match at all.
        {"no such number", 0, M1, 99, ANY_TYPE, 0, DBERR_NOT_FOUND, M1},
        {"no such number, step 3 from the middle", 0, TV2, 99, ANY_TYPE, 3, DBERR_NOT_FOUND, M1},
        {"no service of CA family 112", 112, TV4, ANY_NUMBER, ANY_TYPE, -1, DBERR_NOT_FOUND, M1},
    };
    for (const Row& row : rows) {
        SvcHandle out = 12345;
        EXPECT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, h[row.from], row.id, row.number,
                                               row.type, row.step, &out),
                  row.result)
            << row.what;
        EXPECT_EQ(out, h[row.expected]) << row.what;
        if (row.result == DBERR_NOT_FOUND) {
            // Exactly one round: every element once, then back at the start.
            EXPECT_EQ(INT_SLM_LastWalkVisits(), handlesOf(g_MasterSvcList).size()) << row.what;
        }
    }
}

TEST_F(WalkTest, WalkArgumentsAndStaleStartHandles) {
    SvcHandle out = 0;
    EXPECT_EQ(
        INT_SLM_GetNextServiceHandle(g_MasterSvcList, tv1, 0, ANY_NUMBER, ANY_TYPE, 0, nullptr),
        DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_GetNextServiceHandle(nullptr, tv1, 0, ANY_NUMBER, ANY_TYPE, 0, &out),
              DBERR_NULL_OBJECT);
    EXPECT_EQ(out, NONE);
    // A handle that is not in the list starts at the head, as a stale one does.
    HT_Free(tv2);
    EXPECT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, tv2, 0, ANY_NUMBER, ANY_TYPE, 1, &out),
              DBERR_OK);
    EXPECT_EQ(out, radio1);
    // INT_MIN is a legal step: its size must not overflow.
    EXPECT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, tv1, LIST_DATA, 99, ANY_TYPE, INT32_MIN,
                                           &out),
              DBERR_NOT_FOUND);
}

// A large step lands where the same step less whole rounds of matches does,
// and the walk does not go round once per round it skips.
TEST_F(WalkTest, LargeStepsTakeAtMostTwoRounds) {
    const size_t length = handlesOf(g_MasterSvcList).size();
    struct Row {
        const char* what;
        SvcListId id;
        SvcHandle from;
        uint8_t type;
        int32_t step;
        SvcHandle expected;
    };
    // TV matches: tv1, tv2, tv4 (three a round); list 111 holds radio1 alone.
    const Row rows[] = {
        {"1000 = 1 mod 3", 0, tv1, SVC_TYPE_TV, 1000, tv2},
        {"999 = 0 mod 3: back at the start", 0, tv1, SVC_TYPE_TV, 999, tv1},
        {"backwards", 0, tv4, SVC_TYPE_TV, -1000, tv2},
        {"start that does not match", 0, radio1, SVC_TYPE_TV, 1000, tv2},
        {"single match", 111, tv4, ANY_TYPE, INT32_MAX, radio1},
        {"single match backwards", 111, radio1, ANY_TYPE, INT32_MIN, radio1},
    };
    for (const Row& row : rows) {
        SvcHandle out = 0;
        EXPECT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, row.from, row.id, ANY_NUMBER,
                                               row.type, row.step, &out),
                  DBERR_OK)
            << row.what;
        EXPECT_EQ(out, row.expected) << row.what;
        EXPECT_LE(INT_SLM_LastWalkVisits(), 2 * length + 1) << row.what;
    }
}

TEST_F(WalkTest, ServiceWithoutTsIsNoMatchWhereTheWalkReadsIt) {
    const SvcHandle lost = addService(spec("LOST", SVC_TYPE_TV, 6, 1, {0, 0, 0}));
    HT_Resolve(lost)->record->tsRef = 0x7FFFFFF0; // resolves to nothing
    SvcHandle out = 0;
    // Satellite 1 holds radio1, tv2 (satellite 255), hidden and tv4, not the lost one.
    ASSERT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, tv4, 31, ANY_NUMBER, ANY_TYPE, 1, &out),
              DBERR_OK);
    EXPECT_EQ(out, radio1);
    ASSERT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, NONE, 31, 6, ANY_TYPE, 0, &out),
              DBERR_NOT_FOUND);
    // List 0 does not read the TS.
    ASSERT_EQ(INT_SLM_GetNextServiceHandle(g_MasterSvcList, NONE, 0, 6, ANY_TYPE, 0, &out),
              DBERR_OK);
    EXPECT_EQ(out, lost);
}

TEST_F(WalkTest, CasSpecifierReportsBitsAndScrambledPerList) {
    struct Row {
        SvcHandle handle;
        SvcListId id;
        DBERR result;
        uint32_t scrambled;
        uint16_t bits[3];
    };
    const Row rows[] = {
        {tv1, 0, DBERR_OK, 0, {CAS_BIT_NONE, CAS_BIT_NONE, CAS_BIT_NONE}},
        {tv1, LIST_CA_NONE, DBERR_OK, 0, {CAS_BIT_NONE, CAS_BIT_NONE, CAS_BIT_NONE}},
        {radio1, 0, DBERR_OK, 1, {0x0002, CAS_BIT_NONE, CAS_BIT_NONE}},
        {radio1, 111, DBERR_OK, 1, {0x0002, CAS_BIT_NONE, CAS_BIT_NONE}},
        {radio1, 112, DBERR_OK, 0, {0x0002, CAS_BIT_NONE, CAS_BIT_NONE}},
        {radio1, LIST_CA_NONE, DBERR_OK, 1, {0x0002, CAS_BIT_NONE, CAS_BIT_NONE}},
        {tv2, LIST_CA_ANY, DBERR_OK, 1, {CAS_BIT_NONE, CAS_BIT_OTHER, CAS_BIT_NONE}},
        {tv2, 110, DBERR_OK, 0, {CAS_BIT_NONE, CAS_BIT_OTHER, CAS_BIT_NONE}},
        {radio1, LIST_DATA, DBERR_BAD_LIST, 0, {CAS_BIT_NONE, CAS_BIT_NONE, CAS_BIT_NONE}},
        {radio1, 30, DBERR_BAD_LIST, 0, {CAS_BIT_NONE, CAS_BIT_NONE, CAS_BIT_NONE}},
        {SVC_HANDLE_NONE, 0, DBERR_NULL_OBJECT, 0, {CAS_BIT_NONE, CAS_BIT_NONE, CAS_BIT_NONE}},
    };
    for (const Row& row : rows) {
        uint32_t scrambled = 9;
        uint16_t b1 = 1, b2 = 1, b3 = 1;
        EXPECT_EQ(INT_SLM_GetCasSpecifier(row.handle, row.id, &scrambled, &b1, &b2, &b3),
                  row.result)
            << "list " << int(row.id);
        EXPECT_EQ(scrambled, row.scrambled) << "list " << int(row.id);
        EXPECT_EQ(b1, row.bits[0]) << "list " << int(row.id);
        EXPECT_EQ(b2, row.bits[1]) << "list " << int(row.id);
        EXPECT_EQ(b3, row.bits[2]) << "list " << int(row.id);
    }
    uint32_t scrambled = 0;
    uint16_t b = 0;
    EXPECT_EQ(INT_SLM_GetCasSpecifier(tv1, 0, &scrambled, &b, nullptr, &b), DBERR_NULL_ARG);
    HT_Free(radio1);
    EXPECT_EQ(INT_SLM_GetCasSpecifier(radio1, 0, &scrambled, &b, &b, &b), DBERR_NOT_FOUND);
    EXPECT_EQ(scrambled, 0u);
    EXPECT_EQ(b, CAS_BIT_NONE);
}

TEST_F(WalkTest, MembershipTestsRunInTheirOrder) {
    // Hidden comes first: even a service that passes every other test is out.
    EXPECT_EQ(INT_SLM_ServiceMatchesList(hidden, 0, ANY_TYPE, ANY_NUMBER, false, 0, false, 0), 1u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 0, ANY_TYPE, ANY_NUMBER, false, 0, false, 0), 0u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 0, ANY_TYPE, 7, false, 0, false, 0), 1u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 0, SVC_TYPE_RADIO, 1, false, 0, false, 0), 1u);
    // CA lists: 120 keeps the free ones, every other CA list the scrambled ones.
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 120, ANY_TYPE, ANY_NUMBER, true, 0, false, 0), 0u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 120, ANY_TYPE, ANY_NUMBER, true, 1, false, 0), 1u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 118, ANY_TYPE, ANY_NUMBER, true, 0, false, 0), 1u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 111, ANY_TYPE, ANY_NUMBER, true, 1, false, 0), 0u);
    // Satellite lists: the index of list 33 is 3; 255 belongs everywhere.
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 33, ANY_TYPE, ANY_NUMBER, false, 0, true, 3), 0u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 33, ANY_TYPE, ANY_NUMBER, false, 0, true, 255), 0u);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv1, 33, ANY_TYPE, ANY_NUMBER, false, 0, true, 4), 1u);
    // Null services and stale handles last.
    EXPECT_EQ(INT_SLM_ServiceMatchesList(placeholder, 0, ANY_TYPE, ANY_NUMBER, false, 0, false, 0),
              1u);
    HT_Free(tv4);
    EXPECT_EQ(INT_SLM_ServiceMatchesList(tv4, 0, ANY_TYPE, ANY_NUMBER, false, 0, false, 0), 1u);
}

TEST_F(WalkTest, FindsByNumberTypeAndIdentity) {
    struct Row {
        uint16_t number;
        uint8_t type;
        SvcListId id;
        DBERR result;
        SvcHandle expected;
    };
    const Row rows[] = {
        {1, SVC_TYPE_TV, 0, DBERR_OK, tv1},
        {1, SVC_TYPE_RADIO, 0, DBERR_OK, radio1},
        {1, ANY_TYPE, 0, DBERR_OK, tv1},
        {ANY_NUMBER, SVC_TYPE_RADIO, 0, DBERR_OK, radio1},
        {9, ANY_TYPE, 0, DBERR_NOT_FOUND, NONE},
        {1, ANY_TYPE, 31, DBERR_OK, radio1}, // satellite 1
        {4, SVC_TYPE_TV, 31, DBERR_OK, tv4},
        {1, SVC_TYPE_TV, 31, DBERR_NOT_FOUND, NONE}, // tv1 is on satellite 0
    };
    for (const Row& row : rows) {
        SvcHandle out = 0;
        EXPECT_EQ(
            INT_SLM_FindServiceByNumAndType(g_MasterSvcList, row.number, row.type, row.id, &out),
            row.result)
            << row.number << "/" << int(row.type) << " in " << int(row.id);
        EXPECT_EQ(out, row.expected) << row.number << "/" << int(row.type) << " in " << int(row.id);
    }
    EXPECT_EQ(INT_SLM_FindServiceByNumAndType(g_MasterSvcList, 1, 0, 0, nullptr), DBERR_NULL_ARG);

    struct InList {
        SvcHandle handle;
        SvcListId id;
        DBERR result;
    };
    const SvcHandle stale = addTv(7);
    HT_Free(stale); // its node stays in the master list
    const InList inList[] = {
        {radio1, 111, DBERR_OK},      {tv1, 111, DBERR_NOT_FOUND},
        {data5, LIST_DATA, DBERR_OK}, {tv1, LIST_DATA, DBERR_NOT_FOUND},
        {data5, 200, DBERR_OK},       {radio1, 31, DBERR_OK},
        {tv1, 0, DBERR_OK},           {placeholder, 0, DBERR_OK},
        {stale, 0, DBERR_NOT_FOUND},  {SVC_HANDLE_NONE, 0, DBERR_NOT_FOUND},
        {NONE, 0, DBERR_NOT_FOUND},
    };
    for (const InList& row : inList) {
        uint32_t found = 7;
        EXPECT_EQ(INT_SLM_FindServiceInList(g_MasterSvcList, row.handle, row.id, &found),
                  row.result)
            << "list " << int(row.id);
        EXPECT_EQ(found, row.result == DBERR_OK ? 1u : 0u) << "list " << int(row.id);
    }
    EXPECT_EQ(INT_SLM_FindServiceInList(g_MasterSvcList, tv1, 0, nullptr), DBERR_NULL_ARG);
}

TEST_F(WalkTest, CountsFollowTheListIdsFilter) {
    struct Row {
        SvcListId id;
        uint16_t number;
        uint8_t type;
        uint16_t count;
    };
    const Row rows[] = {
        {0, ANY_NUMBER, ANY_TYPE, 5}, // placeholder and hidden handle left out
        {0, ANY_NUMBER, SVC_TYPE_TV, 3},
        {0, ANY_NUMBER, SVC_TYPE_RADIO, 1},
        {0, 1, ANY_TYPE, 2},
        {0, 1, SVC_TYPE_RADIO, 1},
        {LIST_DATA, ANY_NUMBER, ANY_TYPE, 2}, // the hidden one too: counts ignore bit 23
        {31, ANY_NUMBER, ANY_TYPE, 3},        // satellite 1, hidden handle included
        {111, ANY_NUMBER, ANY_TYPE, 1},
        {LIST_CA_ANY, ANY_NUMBER, ANY_TYPE, 2},
        {200, ANY_NUMBER, ANY_TYPE, 2}, // both ACME services, the hidden one too
        {201, ANY_NUMBER, ANY_TYPE, 0},
    };
    for (const Row& row : rows) {
        uint16_t count = 999;
        EXPECT_EQ(
            INT_SLM_CountServicesInList(g_MasterSvcList, row.id, row.number, row.type, &count),
            DBERR_OK);
        EXPECT_EQ(count, row.count)
            << "list " << int(row.id) << " number " << row.number << " type " << int(row.type);
    }
    uint16_t count = 1;
    EXPECT_EQ(INT_SLM_CountServicesInList(nullptr, 0, ANY_NUMBER, ANY_TYPE, &count), DBERR_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(INT_SLM_CountServicesInList(g_MasterSvcList, 0, ANY_NUMBER, ANY_TYPE, nullptr),
              DBERR_NULL_ARG);
}

} // namespace
