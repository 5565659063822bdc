// Renumbering: split into locked and unlocked TV and radio, numbering after
// the locked numbers, merge back by number.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "dballoc.h"
#include "filters.h"

#include "ringcheck.h"
#include "servicefixture.h"
#include "svclist.h"
#include "svcrenumber.h"

namespace {

class RenumberTest : public ServiceListTest {
  protected:
    SvcHandle lockedTv(uint16_t number) {
        ServiceSpec spec;
        spec.number = number;
        spec.numberLocked = true;
        return addService(spec);
    }
    SvcHandle lockedRadio(uint16_t number) {
        ServiceSpec spec;
        spec.type = SVC_TYPE_RADIO;
        spec.number = number;
        spec.numberLocked = true;
        return addService(spec);
    }
    SvcHandle dataService(uint16_t number) {
        ServiceSpec spec;
        spec.type = 2;
        spec.serviceClass = SVC_CLASS_DATA;
        spec.number = number;
        return addService(spec);
    }
    std::vector<uint32_t> numbersOf(LL_Node* list) {
        std::vector<uint32_t> numbers;
        for (SvcHandle handle : handlesOf(list))
            numbers.push_back(numberOf(handle));
        return numbers;
    }
};

TEST_F(RenumberTest, NoneLockedNumbersTvAndRadioFromOneAndKeepsDataServices) {
    const SvcHandle tvA = addTv(40);
    const SvcHandle radioA = addRadio(9);
    const SvcHandle data = dataService(3);
    const SvcHandle tvB = addTv(2);
    const SvcHandle radioB = addRadio(1);
    g_ListStateWord = 0x55;
    ASSERT_EQ(INT_SLM_RenumberAll(&g_MasterSvcList), DBERR_OK);
    // TV-like services 1, 2, 3 in list order, radio 1, 2; merged by number
    // with TV before radio at equal numbers.
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{tvA, radioA, data, radioB, tvB}));
    EXPECT_EQ(numbersOf(g_MasterSvcList), (std::vector<uint32_t>{1, 1, 2, 2, 3}));
    EXPECT_EQ(g_ListStateWord, 0u) << "no locked service: the numbering is clean";
    EXPECT_TRUE(ringcheck::CheckList(g_MasterSvcList, false));
}

TEST_F(RenumberTest, UnlockedServicesFollowTheLastLockedNumberOfTheirType) {
    std::vector<SvcHandle> locked;
    for (uint16_t n = 1; n <= 5; ++n)
        locked.push_back(lockedTv(n));
    const SvcHandle tvA = addTv(1);
    const SvcHandle radioLocked = lockedRadio(3);
    const SvcHandle radioA = addRadio(1);
    const SvcHandle placeholder = addPlaceholder(SVC_TYPE_TV, 0x3FFF);
    const SvcHandle tvB = addTv(1);
    g_ListStateWord = 0x55;
    ASSERT_EQ(INT_SLM_RenumberAll(&g_MasterSvcList), DBERR_OK);
    EXPECT_EQ(numberOf(tvA), 6u);
    EXPECT_EQ(numberOf(tvB), 7u) << "the placeholder uses no number";
    EXPECT_EQ(numberOf(placeholder), 0x3FFFu);
    EXPECT_EQ(numberOf(radioA), 4u);
    for (uint16_t n = 1; n <= 5; ++n)
        EXPECT_EQ(numberOf(locked[n - 1]), n);
    EXPECT_EQ(numberOf(radioLocked), 3u);
    EXPECT_EQ(handlesOf(g_MasterSvcList).size(), 10u);
    EXPECT_EQ(g_ListStateWord, 0x55u) << "locked services: the state word stays";
    const std::vector<uint32_t> numbers = numbersOf(g_MasterSvcList);
    EXPECT_EQ(numbers.front(), 1u);
    EXPECT_TRUE(ringcheck::CheckList(g_MasterSvcList, false));
}

TEST_F(RenumberTest, AllLockedKeepsEveryServiceAndItsNumber) {
    const SvcHandle tvLow = lockedTv(1);
    const SvcHandle tvHigh = lockedTv(3);
    const SvcHandle radio = lockedRadio(2);
    ASSERT_EQ(INT_SLM_RenumberAll(&g_MasterSvcList), DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{tvLow, radio, tvHigh}));
    EXPECT_EQ(numbersOf(g_MasterSvcList), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_TRUE(ringcheck::CheckList(g_MasterSvcList, false));
}

TEST_F(RenumberTest, MasterHeadSetFromARadioFirstRingIsTheFirstTvService) {
    const SvcHandle radio = lockedRadio(1);
    const SvcHandle tv = addTv(9);
    ASSERT_EQ(INT_SLM_RenumberAll(&g_MasterSvcList), DBERR_OK);
    ASSERT_EQ(SLM_NodeHandle(g_MasterSvcList), radio) << "radio 1 sorts before TV 1";
    ASSERT_EQ(INT_SLM_SetListHead(LIST_ALL, ACCESS_MASTER, g_MasterSvcList), DBERR_OK);
    EXPECT_EQ(SLM_NodeHandle(g_MasterSvcList), tv);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{tv, radio}));
}

TEST_F(RenumberTest, SplitOutOfMemoryLosesNothing) {
    const SvcHandle a = addTv(1);
    const SvcHandle b = addRadio(1);
    const SvcHandle c = addTv(2);
    LL_Node* parts[4] = {};
    DB_SetAllocFailAfter(2);
    EXPECT_EQ(
        INT_SLM_SplitServiceList(&g_MasterSvcList, &parts[0], &parts[1], &parts[2], &parts[3]),
        DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    for (LL_Node* part : parts)
        EXPECT_EQ(part, nullptr);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, b, c}));
    EXPECT_TRUE(ringcheck::CheckList(g_MasterSvcList, false));

    DB_SetAllocFailAfter(0);
    EXPECT_EQ(INT_SLM_RenumberAll(&g_MasterSvcList), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, b, c}));
}

TEST_F(RenumberTest, SplitSortsIntoFourPartsInListOrder) {
    const SvcHandle lt = lockedTv(4);
    const SvcHandle ut = addTv(1);
    const SvcHandle lr = lockedRadio(2);
    const SvcHandle ur = addRadio(1);
    const SvcHandle data = dataService(5);
    LL_Node* parts[4] = {};
    ASSERT_EQ(
        INT_SLM_SplitServiceList(&g_MasterSvcList, &parts[0], &parts[1], &parts[2], &parts[3]),
        DBERR_OK);
    EXPECT_EQ(g_MasterSvcList, nullptr);
    EXPECT_EQ(handlesOf(parts[0]), (std::vector<SvcHandle>{lt}));
    EXPECT_EQ(handlesOf(parts[1]), (std::vector<SvcHandle>{lr}));
    EXPECT_EQ(handlesOf(parts[2]), (std::vector<SvcHandle>{ut, data}));
    EXPECT_EQ(handlesOf(parts[3]), (std::vector<SvcHandle>{ur}));
    for (LL_Node* part : parts)
        EXPECT_TRUE(ringcheck::CheckList(part, false));
    ASSERT_EQ(INT_SLM_MergeServiceLists(&g_MasterSvcList, parts[0], parts[1], parts[2], parts[3]),
              DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{ut, ur, lr, lt, data}));

    LL_Node* out = nullptr;
    EXPECT_EQ(INT_SLM_SplitServiceList(&g_MasterSvcList, &out, &out, nullptr, &out),
              DBERR_NULL_ARG);
    EXPECT_EQ(INT_SLM_SplitServiceList(nullptr, &parts[0], &parts[1], &parts[2], &parts[3]),
              DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_MergeServiceLists(nullptr, nullptr, nullptr, nullptr, nullptr),
              DBERR_NULL_OBJECT);
}

// The merge places every element where the list library's sorted merge
// would, also for parts that are not in number order.
TEST_F(RenumberTest, MergeAgreesWithTheListLibrarysSortedMerge) {
    std::mt19937 random(20080730);
    for (int round = 0; round < 200; ++round) {
        LL_Node* parts[4] = {};
        LL_Node* copies[4] = {};
        for (int p = 0; p < 4; ++p) {
            const int size = static_cast<int>(random() % 7);
            const bool sorted = random() % 2 == 0;
            uint16_t number = static_cast<uint16_t>(random() % 4);
            for (int i = 0; i < size; ++i) {
                number = sorted ? static_cast<uint16_t>(number + random() % 3)
                                : static_cast<uint16_t>(random() % 9);
                const SvcHandle handle = HT_Alloc();
                HT_Resolve(handle)->numFlags =
                    DB_SetBits(HT_Resolve(handle)->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, number);
                parts[p] = INT_LL_Append(parts[p], SLM_HandleNodeData(handle));
            }
            copies[p] = INT_LL_Copy(parts[p], nullptr);
        }
        LL_Node* expected = nullptr;
        for (LL_Node* copy : copies)
            expected = INT_LL_Close(INT_LL_Merge(expected, copy, INT_SLM_CompareSvcNumber));
        LL_Node* merged = nullptr;
        ASSERT_EQ(INT_SLM_MergeServiceLists(&merged, parts[0], parts[1], parts[2], parts[3]),
                  DBERR_OK);
        ASSERT_EQ(handlesOf(merged), handlesOf(expected)) << "round " << round;
        ASSERT_TRUE(ringcheck::CheckList(merged, false)) << "round " << round;
        INT_LL_FreeAll(merged, nullptr);
        INT_LL_FreeAll(expected, nullptr);
    }
}

TEST_F(RenumberTest, EmptyInputsAreReported) {
    EXPECT_EQ(INT_SLM_RenumberList(nullptr, 1), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_RenumberServices(nullptr, nullptr, nullptr, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(INT_SLM_RenumberAll(nullptr), DBERR_NULL_OBJECT);
    LL_Node* empty = nullptr;
    EXPECT_EQ(INT_SLM_RenumberAll(&empty), DBERR_OK);
    EXPECT_EQ(empty, nullptr);
}

// Where number order begins in a ring, whatever node it is entered at: after
// the one place where the number falls; null services are not compared.
TEST_F(RenumberTest, NumberOrderStartsAfterTheOneFall) {
    enum Kind { Tv, Radio, Null };
    struct Node {
        Kind kind;
        uint16_t number;
    };
    struct Case {
        const char* what;
        std::vector<Node> ring;
        size_t start; // index of the node where number order begins
    };
    const Case cases[] = {
        {"in order from the head", {{Tv, 1}, {Radio, 1}, {Tv, 2}, {Radio, 2}}, 0},
        {"entered at the first TV service", {{Tv, 5}, {Radio, 5}, {Radio, 6}, {Radio, 1}}, 3},
        {"a null service at the fall", {{Tv, 3}, {Null, 0x3FFF}, {Radio, 1}, {Tv, 2}}, 2},
        {"a null service inside the order", {{Tv, 2}, {Null, 0x3FFF}, {Tv, 3}, {Radio, 1}}, 3},
        {"not in number order", {{Tv, 2}, {Tv, 1}, {Tv, 4}, {Tv, 3}}, 0},
        {"all equal", {{Tv, 1}, {Radio, 1}}, 0},
        {"one node", {{Radio, 7}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_MasterSvcList = INT_LL_FreeAll(g_MasterSvcList, nullptr);
        std::vector<SvcHandle> handles;
        for (const Node& n : c.ring)
            handles.push_back(n.kind == Tv      ? addTv(n.number)
                              : n.kind == Radio ? addRadio(n.number)
                                                : addPlaceholder(SVC_TYPE_TV, n.number));
        EXPECT_EQ(SLM_NodeHandle(INT_SLM_NumberOrderStart(g_MasterSvcList)), handles[c.start]);
    }
    EXPECT_EQ(INT_SLM_NumberOrderStart(nullptr), nullptr);
}

} // namespace
