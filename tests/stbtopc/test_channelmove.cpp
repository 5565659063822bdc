// The channel move dialog's road: a mode-1 list edit, one move in list 0,
// the end with commit, the order save; then every number of both types in
// memory and after a reload of the saved image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "dbopen.h"
#include "imagebuilder.h"
#include "test_slmfixture.h"

namespace {

// 40 services: "Service <i>" is TV when i is even and radio when odd, so TV
// k (from 1) is service 2(k - 1) and radio k is service 2k - 1.
constexpr uint32_t kPerType = 20;

std::string ServiceName(uint32_t type, uint32_t k) {
    return NumberedName("Service ", type == SVC_TYPE_TV ? 2 * (k - 1) : 2 * k - 1);
}

struct Move {
    const char* what;
    uint32_t type;                       // type of the service moved
    uint32_t which;                      // its number, from 1
    int32_t delta;                       // places, counting its type only
    std::vector<uint32_t> lockedNumbers; // TV numbers locked before the edit
};

using Numbers = std::map<std::string, uint32_t>; // name -> number

class ChannelMoveTest : public SlmTest {
  protected:
    static void Reopen() {
        ResetLibraryKeepImage();
        ASSERT_EQ(DB_OpenDatabase(), 1u);
    }

    static SvcHandle ByName(const std::string& name) {
        for (SvcHandle handle : Handles(g_MasterSvcList))
            if (NameOf(handle) == name) return handle;
        return SVC_HANDLE_INVALID;
    }
    static std::string NameOf(SvcHandle handle) {
        uint8_t buffer[SVC_NAME_LEN];
        INT_SLM_CopyServiceName(handle, buffer);
        return std::string(reinterpret_cast<const char*>(buffer),
                           strnlen(reinterpret_cast<const char*>(buffer), SVC_NAME_LEN));
    }
    static Numbers NumbersNow() {
        Numbers numbers;
        for (SvcHandle handle : Handles(g_MasterSvcList))
            numbers[NameOf(handle)] = Number(handle);
        return numbers;
    }

    // What the move must give, worked out apart from the library: the order
    // of each type with the one service moved; locked services keep their
    // numbers, the others follow the last locked number of their type.
    static Numbers Expected(const Move& move) {
        Numbers numbers;
        for (uint32_t type : {SVC_TYPE_TV, SVC_TYPE_RADIO}) {
            std::vector<uint32_t> order(kPerType);
            for (uint32_t k = 0; k < kPerType; ++k)
                order[k] = k + 1;
            if (type == move.type) {
                const int32_t from = static_cast<int32_t>(move.which) - 1;
                const int32_t to = from + move.delta;
                const uint32_t moved = order[from];
                order.erase(order.begin() + from);
                order.insert(order.begin() + to, moved);
            }
            const std::vector<uint32_t> none;
            const std::vector<uint32_t>& locked = type == SVC_TYPE_TV ? move.lockedNumbers : none;
            uint32_t next =
                locked.empty() ? 1 : *std::max_element(locked.begin(), locked.end()) + 1;
            for (uint32_t k : order) {
                const bool isLocked = std::find(locked.begin(), locked.end(), k) != locked.end();
                numbers[ServiceName(type, k)] = isLocked ? k : next++;
            }
        }
        return numbers;
    }

    // A reload numbers each type from 1 in the order the numbers gave it.
    static Numbers AfterReload(const Numbers& inMemory) {
        Numbers numbers;
        for (uint32_t type : {SVC_TYPE_TV, SVC_TYPE_RADIO}) {
            std::vector<std::pair<uint32_t, std::string>> byNumber;
            for (uint32_t k = 1; k <= kPerType; ++k)
                byNumber.emplace_back(inMemory.at(ServiceName(type, k)), ServiceName(type, k));
            std::sort(byNumber.begin(), byNumber.end());
            for (uint32_t rank = 0; rank < byNumber.size(); ++rank)
                numbers[byNumber[rank].second] = rank + 1;
        }
        return numbers;
    }
};

TEST_F(ChannelMoveTest, EveryNumberOfBothTypesFollowsTheMoveThroughCommitAndReload) {
    const Move moves[] = {
        {"first TV down one", SVC_TYPE_TV, 1, 1, {}},
        {"first TV down across a radio block", SVC_TYPE_TV, 1, 5, {}},
        {"last TV up one", SVC_TYPE_TV, kPerType, -1, {}},
        {"second TV up to the top", SVC_TYPE_TV, 2, -1, {}},
        {"first radio down one", SVC_TYPE_RADIO, 1, 1, {}},
        {"last radio up three", SVC_TYPE_RADIO, kPerType, -3, {}},
        {"TV past locked neighbours", SVC_TYPE_TV, 4, -1, {3, 5}},
        {"first TV down past a locked one", SVC_TYPE_TV, 1, 2, {2}},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.what);
        ASSERT_TRUE(BuildImage(SampleSpec({.services = 2 * kPerType})));
        Reopen();
        for (uint32_t k : move.lockedNumbers)
            Obj(ByName(ServiceName(SVC_TYPE_TV, k))).numFlags |= SVH_NUM_LOCKED;

        ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
        const SvcHandle moved = ByName(ServiceName(move.type, move.which));
        ASSERT_EQ(SLM_MoveServiceInList(moved, LIST_ALL, move.delta), DBERR_OK);
        ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
        ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);

        const Numbers expected = Expected(move);
        EXPECT_EQ(NumbersNow(), expected) << "after the commit";
        Reopen();
        EXPECT_EQ(NumbersNow(), AfterReload(expected)) << "after a reload";
    }
}

// A type whose order the edit did not change keeps its numbers, also when the
// ring is entered past radio services numbered below every TV service.
TEST_F(ChannelMoveTest, AnEditWithoutMovesKeepsEveryNumber) {
    ASSERT_TRUE(BuildImage(SampleSpec({.services = 2 * kPerType})));
    Reopen();
    const SvcHandle lockedTv = ByName(ServiceName(SVC_TYPE_TV, 4));
    Obj(lockedTv).numFlags |= SVH_NUM_LOCKED;
    // Renumbering with TV 4 locked numbers the unlocked TV services 5-23, so
    // radio 1-4 come before every TV service in number order.
    LL_Node* head = g_MasterSvcList;
    ASSERT_EQ(SLM_RenumberList(&head, SVC_TYPE_TV), DBERR_OK);
    ASSERT_EQ(SLM_SetListHead(LIST_ALL, ACCESS_MASTER, head), DBERR_OK);
    const Numbers before = NumbersNow();
    ASSERT_EQ(before.at(ServiceName(SVC_TYPE_RADIO, 1)), 1u);

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(NumbersNow(), before);
    ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    Reopen();
    EXPECT_EQ(NumbersNow(), AfterReload(before));
}

} // namespace
