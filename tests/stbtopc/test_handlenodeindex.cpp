// Finding a handle's node in a service list: the answer kept beside the
// handles must be the one a search from the head gives, after every kind of
// change to the lists, and walks step by step must give the list's services
// in list order.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "servicefixture.h"
#include "svclist.h"
#include "svcquery.h"
#include "tables.h"
#include "test_slmfixture.h"

namespace {

// The node a search from the head finds: the reference.
LL_Node* SearchedNode(LL_Node* list, SvcHandle handle) {
    if (HT_Resolve(handle) == nullptr) return nullptr;
    return INT_LL_Find(list, SLM_HandleNodeData(handle), nullptr, nullptr, 0);
}

// Looks every handle up in the list twice, so that the list is indexed.
void Index(LL_Node* list, const std::vector<SvcHandle>& handles) {
    for (int round = 0; round < 2; ++round)
        for (SvcHandle handle : handles)
            SLM_FindHandleNode(list, handle);
}

class HandleNodeIndexTest : public SlmTest {
  protected:
    // Eight services on two transponders, names out of number order, two of
    // them radio.
    void SetUp() override {
        SlmTest::SetUp();
        const char* names[] = {"KILO", "ALFA", "HOTEL", "DELTA", "BRAVO", "GOLF", "ECHO", "JULIET"};
        for (int i = 0; i < 8; ++i)
            handles_.push_back(Add(names[i], Key(i % 2 == 0 ? 11000 : 11500)));
        for (SvcHandle radio : {handles_[2], handles_[5]}) {
            SvcHandleObj& obj = Obj(radio);
            obj.numFlags = DB_SetBits(obj.numFlags, SVH_TYPE_LO, SVH_TYPE_W, SVC_TYPE_RADIO);
        }
    }

    // Every list a walk or a look-up may be handed now.
    static std::vector<std::pair<const char*, LL_Node*>> Lists() {
        std::vector<std::pair<const char*, LL_Node*>> lists = {{"master", g_MasterSvcList},
                                                               {"name", g_NameSortedSvcList}};
        if (g_ListEditOpen != 0) {
            lists.emplace_back("edit master copy", g_EditCopies.masterCopy);
            lists.emplace_back("edit name copy", g_EditCopies.nameCopy);
        }
        return lists;
    }

    // The indexed list first, while its index is the one kept.
    void ExpectAnswersAsASearch(LL_Node* indexed, const std::vector<SvcHandle>& handles) {
        for (SvcHandle handle : handles)
            EXPECT_EQ(SLM_FindHandleNode(indexed, handle), SearchedNode(indexed, handle))
                << "handle " << handle << " in the indexed list";
        for (const auto& [what, list] : Lists()) {
            SCOPED_TRACE(what);
            for (int round = 0; round < 2; ++round) // the second from the index
                for (SvcHandle handle : handles)
                    EXPECT_EQ(SLM_FindHandleNode(list, handle), SearchedNode(list, handle))
                        << "handle " << handle << " round " << round;
        }
    }

    std::vector<SvcHandle> handles_;
};

TEST_F(HandleNodeIndexTest, AnswersAsASearchFromTheHeadAfterEveryKindOfChange) {
    struct Change {
        const char* what;
        std::function<void(std::vector<SvcHandle>&)> run;
    };
    const uint8_t renamed[SVC_NAME_LEN] = {'A', 'A', 'A'};
    const Change changes[] = {
        {"a service added",
         [](std::vector<SvcHandle>& h) { h.push_back(Add("CHARLIE", Key(11000))); }},
        {"a service deleted", [](std::vector<SvcHandle>& h) { SLM_DeleteService(h[3]); }},
        {"a service moved in a list edit",
         [](std::vector<SvcHandle>& h) {
             SLM_BeginListEdit(LISTEDIT_MODE_FULL);
             SLM_MoveServiceInList(h[1], LIST_ALL, 4);
         }},
        {"a list edit committed with a renamed service",
         [&](std::vector<SvcHandle>& h) {
             SLM_BeginListEdit(LISTEDIT_MODE_FULL);
             SLM_RenameService(h[6], renamed);
             SLM_MoveServiceInList(h[0], LIST_ALL, 2);
             SLM_EndListEdit(1, 1);
         }},
        {"a service removed in a list edit",
         [](std::vector<SvcHandle>& h) {
             SLM_BeginListEdit(LISTEDIT_MODE_FULL);
             SLM_RemoveServiceFromList(h[4], LIST_ALL, 1);
         }},
        {"the master list renumbered",
         [](std::vector<SvcHandle>&) { SLM_RenumberList(&g_MasterSvcList, SVC_TYPE_TV); }},
        {"the service order saved", [](std::vector<SvcHandle>&) { SLM_SaveServiceOrder(1); }},
        {"every table freed", [](std::vector<SvcHandle>&) { TBL_FreeAll(); }},
    };
    for (const Change& change : changes) {
        for (const char* indexed : {"master", "name"}) {
            SCOPED_TRACE(std::string(change.what) + ", " + indexed + " list indexed");
            TearDown();
            handles_.clear();
            SetUp();
            LL_Node*& list =
                std::string(indexed) == "master" ? g_MasterSvcList : g_NameSortedSvcList;
            Index(list, handles_);
            std::vector<SvcHandle> handles = handles_;
            change.run(handles);
            ExpectAnswersAsASearch(list, handles);
            SLM_FreeListEdit();
        }
    }
}

// Whole walks of each kind give the kind's services in list order, also
// when the list changed between two walks, as a Channel Move fill after a
// move does.
TEST_F(HandleNodeIndexTest, WholeWalksGiveTheServicesOfTheKindInListOrder) {
    const auto walk = [](uint8_t type) {
        uint16_t count = 0;
        SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, type, &count);
        std::vector<SvcHandle> walked;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (int i = 0; i < count; ++i) {
            if (SLM_GetNextServiceHandle(handle, LIST_ALL, SVC_NUMBER_ANY, type, i == 0 ? 0 : 1,
                                         &handle) != DBERR_OK)
                break;
            walked.push_back(handle);
        }
        return walked;
    };
    const auto expected = [](uint8_t type) {
        LL_Node* head = nullptr;
        SLM_GetListHead(LIST_ALL, g_AccessMethod, &head);
        std::vector<SvcHandle> of;
        for (SvcHandle handle : Handles(head))
            if (DB_GetBits(Obj(handle).numFlags, SVH_TYPE_LO, SVH_TYPE_W) == type)
                of.push_back(handle);
        return of;
    };
    SLM_BeginListEdit(LISTEDIT_MODE_FULL);
    for (int move = 0; move < 4; ++move) {
        SCOPED_TRACE(move);
        for (uint8_t type : {uint8_t{SVC_TYPE_TV}, uint8_t{SVC_TYPE_RADIO}}) {
            const std::vector<SvcHandle> of = expected(type);
            EXPECT_EQ(walk(type), of) << "type " << int{type};
            EXPECT_EQ(walk(type), of) << "type " << int{type} << ", walked again";
        }
        SLM_MoveServiceInList(expected(SVC_TYPE_TV)[0], LIST_ALL, 3);
    }
    SLM_EndListEdit(1, 0);
}

using HandleNodeListTest = ServiceListTest;

// Lists the service lists never make, but may be handed: a handle twice,
// an open list, a handle that is not there.
TEST_F(HandleNodeListTest, OddListsAnswerAsASearchFromTheHead) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle third = addTv(3, "C");
    LL_Node* twice = nullptr;
    for (SvcHandle handle : {a, b, a, b})
        twice = INT_LL_Append(twice, SLM_HandleNodeData(handle));
    LL_Node* open = INT_LL_InsertSorted(nullptr, SLM_HandleNodeData(b), nullptr);
    struct Case {
        const char* what;
        LL_Node* list;
    };
    for (const Case& c : {Case{"a handle twice", twice}, Case{"an open list", open},
                          Case{"master", g_MasterSvcList}}) {
        SCOPED_TRACE(c.what);
        for (int round = 0; round < 3; ++round)
            for (SvcHandle handle : {a, b, third, SvcHandle{0}, SVC_HANDLE_INVALID})
                EXPECT_EQ(SLM_FindHandleNode(c.list, handle), SearchedNode(c.list, handle));
    }
    INT_LL_FreeAll(twice, nullptr);
    INT_LL_FreeAll(open, nullptr);
}

} // namespace
