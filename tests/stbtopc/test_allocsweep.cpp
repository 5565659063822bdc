// Running out of memory at every allocation of a load, a commit and a
// favourite-group build: each step either completes, with the result it
// gives when memory is plentiful, or fails with the no-memory code and
// leaves everything as it was before the step. Swept twice: memory that runs
// out for good at the n-th allocation, and memory short for the n-th one
// only (which catches a step that swallows a failure and goes on).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dballoc.h"
#include "dbload.h"
#include "dbsnapshot.h"
#include "dbtest.h"
#include "favourites.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "indexcommit.h"
#include "slm.h"
#include "svchandleops.h"
#include "svclist.h"
#include "wrapper.h"

namespace {

// Everything the three steps may change, by content.
struct State {
    DbSnapshot db;
    std::vector<uint8_t> image;
    std::vector<std::vector<uint16_t>> groups; // member numbers of lists 7-22
    std::vector<std::string> groupNames;
    uint16_t built = 0;
    bool operator==(const State&) const = default;

    static State Take() {
        State s;
        s.db = TakeDbSnapshot();
        s.image.assign(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
        for (SvcListId id = LIST_FAV_FIRST; id <= LIST_FAV_LAST; ++id) {
            LL_Node* head = nullptr;
            INT_SLM_GetFavListHead(id, &head);
            std::vector<uint16_t> numbers;
            for (LL_Node* node = head; node != nullptr;) {
                uint16_t number = 0;
                uint8_t type = 0, source = 0;
                INT_SLM_GetServiceNumber(g_MasterSvcList, SLM_NodeHandle(node), &number, &type,
                                         &source);
                numbers.push_back(number);
                node = node->next;
                if (node == head) break;
            }
            s.groups.push_back(numbers);
            uint8_t name[FAV_LIST_NAME_SIZE];
            INT_SLM_GetListName(id, name);
            s.groupNames.emplace_back(reinterpret_cast<const char*>(name));
        }
        s.built = g_FavGroupState.built;
        return s;
    }
};

enum class Shortage { ForGood, OneAllocation };

struct Step {
    const char* what;
    std::function<void()> prepare; // brings the library to the state before the step
    std::function<DBERR()> run;
};

class AllocSweepTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ImageSpec spec = SampleSpec({.services = 30,
                                     .transportStreams = 4,
                                     .transponders = 3,
                                     .providers = 3,
                                     .satellites = 2,
                                     .favourites = 3});
        ASSERT_TRUE(BuildImage(spec));
        image_.assign(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    }

    // The image opened from a cold library, as the document does.
    void Load() {
        ResetLibraryKeepImage();
        std::copy(image_.begin(), image_.end(), g_FlashImage);
        ASSERT_EQ(SLM_LoadIndex(), 0u);
        uint16_t count = 0;
        ASSERT_EQ(INT_SLM_LoadDatabase(&count), DBERR_OK);
    }

    // Runs the step over each of its allocations, under both shortages.
    static void Sweep(const Step& step) {
        step.prepare();
        const State before = State::Take();
        DB_ClearAllocationCount();
        ASSERT_EQ(step.run(), DBERR_OK) << step.what;
        const uint32_t allocations = DB_AllocationCount();
        const State done = State::Take();
        ASSERT_GT(allocations, 0u) << step.what;

        for (Shortage shortage : {Shortage::ForGood, Shortage::OneAllocation}) {
            for (uint32_t n = 0; n < allocations; ++n) {
                SCOPED_TRACE(std::string(step.what) + ", allocation " + std::to_string(n) +
                             (shortage == Shortage::ForGood ? ", for good" : ", once"));
                step.prepare();
                ASSERT_TRUE(State::Take() == before);
                if (shortage == Shortage::ForGood) {
                    DB_SetAllocFailAfter(static_cast<int32_t>(n));
                } else {
                    DB_FailOneAllocation(n);
                }
                const DBERR result = step.run();
                DB_SetAllocFailAfter(-1);
                const State after = State::Take();
                if (result == DBERR_OK) {
                    EXPECT_TRUE(after == done) << "completed, but not as with memory to spare";
                } else {
                    EXPECT_EQ(result, DBERR_NO_MEMORY);
                    EXPECT_TRUE(after == before) << "failed, but changed something";
                }
            }
        }
    }

    std::vector<uint8_t> image_;
};

TEST_F(AllocSweepTest, ALoadCompletesOrLoadsNothing) {
    Sweep({"load",
           [this] {
               ResetLibraryKeepImage();
               std::copy(image_.begin(), image_.end(), g_FlashImage);
               ASSERT_EQ(SLM_LoadIndex(), 0u);
           },
           [] {
               uint16_t count = 0;
               return INT_SLM_LoadDatabase(&count);
           }});
}

TEST_F(AllocSweepTest, ACommitCompletesOrChangesNothing) {
    Sweep({"commit",
           [this] {
               Load();
               // Edits that the commit must write: a new channel, a group
               // member moved.
               TpInfo key{};
               key.frequency = 11111;
               SvcHandle handle = SVC_HANDLE_INVALID;
               ASSERT_EQ(SLM_AddService(&key, "New", &handle), DBERR_OK);
               ASSERT_EQ(SLM_AddServiceToList(handle, LIST_FAV_FIRST, nullptr), DBERR_OK);
           },
           [] { return IDX_CommitAll(); }});
}

TEST_F(AllocSweepTest, AFavouriteGroupBuildCompletesOrChangesNothing) {
    Sweep({"favourite groups",
           [this] {
               Load();
               // The groups as the user left them, before they are built again.
               ASSERT_EQ(INT_SLM_ClearFavList(LIST_FAV_FIRST), DBERR_OK);
               const uint8_t name[] = "Mine";
               ASSERT_EQ(INT_SLM_SetListName(LIST_FAV_FIRST + 1, name), DBERR_OK);
           },
           [] { return INT_SLM_LoadAllFavGroups(); }});
    Sweep({"one favourite group", [this] { Load(); },
           [] { return INT_SLM_LoadFavGroup(LIST_FAV_FIRST + 2); }});
}

} // namespace
