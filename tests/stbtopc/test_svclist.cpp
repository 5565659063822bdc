// List heads by list id and access method, the master head's TV entry point,
// the access method and the list-state word.
#include <gtest/gtest.h>

#include <initializer_list>

#include "dbtest.h"
#include "ringcheck.h"
#include "svclist.h"

namespace {

SvcHandle handleOfType(uint32_t type) {
    const SvcHandle id = HT_Alloc();
    SvcHandleObj* obj = HT_Resolve(id);
    obj->numFlags = DB_SetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W, type);
    return id;
}

LL_Node* ringOfTypes(std::initializer_list<uint32_t> types) {
    LL_Node* head = nullptr;
    for (uint32_t type : types)
        head = INT_LL_Append(head, SLM_HandleNodeData(handleOfType(type)));
    return head;
}

class ListHeadTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        g_MasterSvcList = master_ = ringOfTypes({SVC_TYPE_TV});
        g_NameSortedSvcList = name_ = ringOfTypes({SVC_TYPE_TV});
        g_TvSvcList = tv_ = ringOfTypes({SVC_TYPE_TV});
        g_RadioSvcList = radio_ = ringOfTypes({SVC_TYPE_RADIO});
    }
    enum Target { None, Master, Name, Tv, Radio };
    LL_Node* headOf(Target target) const {
        switch (target) {
        case Master:
            return master_;
        case Name:
            return name_;
        case Tv:
            return tv_;
        case Radio:
            return radio_;
        default:
            return nullptr;
        }
    }
    LL_Node* master_ = nullptr;
    LL_Node* name_ = nullptr;
    LL_Node* tv_ = nullptr;
    LL_Node* radio_ = nullptr;
};

TEST_F(ListHeadTest, GetListHeadFollowsTheTableRowByRow) {
    struct Case {
        SvcListId id;
        SvcAccessMethod method;
        Target head;
        DBERR result;
    };
    const Case cases[] = {
        {0, ACCESS_MASTER, Master, DBERR_OK},
        {0, ACCESS_NAME, Name, DBERR_OK},
        {0, ACCESS_TV, Tv, DBERR_OK},
        {0, ACCESS_RADIO, Radio, DBERR_OK},
        // With no list edit open the edit copies are empty.
        {0, ACCESS_EDIT, None, DBERR_OK},
        {0, ACCESS_EDIT_MASTER, None, DBERR_OK},
        {0, ACCESS_EDIT_NAME, None, DBERR_OK},
        {0, 7, None, DBERR_OK},
        {0, 255, None, DBERR_OK},
        {LIST_DATA, ACCESS_MASTER, Master, DBERR_OK},
        {30, ACCESS_EDIT_MASTER, Master, DBERR_OK},
        {99, ACCESS_NAME, Name, DBERR_OK},
        {110, ACCESS_EDIT_NAME, Name, DBERR_OK},
        {120, ACCESS_EDIT, None, DBERR_OK},
        {255, ACCESS_MASTER, Master, DBERR_OK},
        {200, ACCESS_TV, None, DBERR_BAD_LIST},
        {255, ACCESS_RADIO, None, DBERR_BAD_LIST},
        {LIST_DATA, 7, None, DBERR_BAD_LIST},
        {LIST_EXTRA_A, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {LIST_EXTRA_B, ACCESS_NAME, None, DBERR_BAD_LIST},
        {1, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {5, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {25, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {100, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {121, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {199, ACCESS_NAME, None, DBERR_BAD_LIST},
    };
    for (const Case& c : cases) {
        LL_Node* out = master_; // must be cleared when there is no head
        EXPECT_EQ(INT_SLM_GetListHead(c.id, c.method, &out), c.result)
            << "id " << int(c.id) << " method " << int(c.method);
        EXPECT_EQ(out, headOf(c.head)) << "id " << int(c.id) << " method " << int(c.method);
    }
    EXPECT_EQ(INT_SLM_GetListHead(0, ACCESS_MASTER, nullptr), DBERR_NULL_ARG);
}

TEST_F(ListHeadTest, SetListHeadChangesOnlyTheTabledHead) {
    struct Case {
        SvcListId id;
        SvcAccessMethod method;
        Target target;
        DBERR result;
    };
    const Case cases[] = {
        {0, ACCESS_NAME, Name, DBERR_OK},
        {0, ACCESS_EDIT_NAME, Name, DBERR_OK},
        {0, ACCESS_TV, Tv, DBERR_OK},
        {0, ACCESS_RADIO, Radio, DBERR_OK},
        {0, ACCESS_EDIT, None, DBERR_OK}, // no edit open: nothing stored
        {0, 7, None, DBERR_OK},
        {0, ACCESS_MASTER, Master, DBERR_OK},
        {0, ACCESS_EDIT_MASTER, Master, DBERR_OK},
        {30, ACCESS_MASTER, Master, DBERR_OK},
        {99, ACCESS_NAME, Master, DBERR_OK},
        {110, ACCESS_EDIT_MASTER, Master, DBERR_OK},
        {120, ACCESS_EDIT_NAME, Master, DBERR_OK},
        {30, ACCESS_EDIT, None, DBERR_OK},
        {30, ACCESS_TV, None, DBERR_BAD_LIST},
        {120, ACCESS_RADIO, None, DBERR_BAD_LIST},
        {110, 9, None, DBERR_BAD_LIST},
        {LIST_DATA, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {200, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {LIST_EXTRA_A, ACCESS_MASTER, None, DBERR_BAD_LIST},
        {1, ACCESS_MASTER, None, DBERR_BAD_LIST},
    };
    LL_Node* replacement = ringOfTypes({SVC_TYPE_TV});
    for (const Case& c : cases) {
        g_MasterSvcList = master_;
        g_NameSortedSvcList = name_;
        g_TvSvcList = tv_;
        g_RadioSvcList = radio_;
        EXPECT_EQ(INT_SLM_SetListHead(c.id, c.method, replacement), c.result)
            << "id " << int(c.id) << " method " << int(c.method);
        EXPECT_EQ(g_MasterSvcList, c.target == Master ? replacement : master_) << int(c.id);
        EXPECT_EQ(g_NameSortedSvcList, c.target == Name ? replacement : name_) << int(c.id);
        EXPECT_EQ(g_TvSvcList, c.target == Tv ? replacement : tv_) << int(c.id);
        EXPECT_EQ(g_RadioSvcList, c.target == Radio ? replacement : radio_) << int(c.id);
    }
    g_MasterSvcList = master_;
    g_NameSortedSvcList = name_;
    g_TvSvcList = tv_;
    g_RadioSvcList = radio_;
    INT_LL_FreeAll(replacement, nullptr);
}

TEST_F(ListHeadTest, MasterHeadIsEnteredAtTheFirstTvService) {
    INT_LL_FreeAll(g_MasterSvcList, nullptr);
    LL_Node* ring = ringOfTypes({SVC_TYPE_RADIO, 2, SVC_TYPE_TV, SVC_TYPE_TV});
    ASSERT_EQ(INT_SLM_SetListHead(0, ACCESS_MASTER, ring), DBERR_OK);
    EXPECT_EQ(g_MasterSvcList, ring->next->next);
    EXPECT_TRUE(ringcheck::CheckList(g_MasterSvcList, false));

    // Without a TV service the ring is kept as it was handed over.
    LL_Node* radioOnly = ringOfTypes({SVC_TYPE_RADIO, SVC_TYPE_RADIO});
    ASSERT_EQ(INT_SLM_SetListHead(30, ACCESS_MASTER, radioOnly), DBERR_OK);
    EXPECT_EQ(g_MasterSvcList, radioOnly);
    ASSERT_EQ(INT_SLM_SetListHead(0, ACCESS_MASTER, nullptr), DBERR_OK);
    EXPECT_EQ(g_MasterSvcList, nullptr);
    INT_LL_FreeAll(ring, nullptr);
    INT_LL_FreeAll(radioOnly, nullptr);
}

TEST_F(ListHeadTest, AccessMethodAndListStateWord) {
    SvcAccessMethod method = 99;
    ASSERT_EQ(INT_SLM_GetAccessMethod(&method), DBERR_OK);
    EXPECT_EQ(method, ACCESS_MASTER);
    EXPECT_EQ(INT_SLM_SetAccessMethod(ACCESS_EDIT_NAME), DBERR_OK);
    ASSERT_EQ(INT_SLM_GetAccessMethod(&method), DBERR_OK);
    EXPECT_EQ(method, ACCESS_EDIT_NAME);
    EXPECT_EQ(INT_SLM_GetAccessMethod(nullptr), DBERR_NULL_ARG);

    uint32_t clean = 7;
    ASSERT_EQ(INT_SLM_IsListStateClean(&clean), DBERR_OK);
    EXPECT_EQ(clean, 1u);
    g_ListStateWord = 0x10;
    ASSERT_EQ(INT_SLM_IsListStateClean(&clean), DBERR_OK);
    EXPECT_EQ(clean, 0u);
    EXPECT_EQ(INT_SLM_IsListStateClean(nullptr), DBERR_NULL_ARG);
}

TEST_F(ListHeadTest, FreeingTheListsFreesTheMasterHandlesOnly) {
    const SvcHandle masterHandle = SLM_NodeHandle(master_);
    const SvcHandle nameHandle = SLM_NodeHandle(name_);
    INT_SLM_FreeServiceLists();
    EXPECT_EQ(g_MasterSvcList, nullptr);
    EXPECT_EQ(g_NameSortedSvcList, nullptr);
    EXPECT_EQ(g_TvSvcList, nullptr);
    EXPECT_EQ(g_RadioSvcList, nullptr);
    EXPECT_EQ(HT_Resolve(masterHandle), nullptr);
    EXPECT_NE(HT_Resolve(nameHandle), nullptr);
}

TEST_F(ListHeadTest, StaleHandlesNeverFindTheNodeTheyLeftBehind) {
    const SvcHandle live = SLM_NodeHandle(master_);
    EXPECT_EQ(SLM_FindHandleNode(master_, live), master_);
    EXPECT_EQ(SLM_FindHandleNode(name_, live), nullptr);
    HT_Free(live);
    EXPECT_EQ(SLM_FindHandleNode(master_, live), nullptr);
    EXPECT_EQ(SLM_FindHandleNode(master_, SVC_HANDLE_NONE), nullptr);
    EXPECT_EQ(SLM_FindHandleNode(master_, 0xFFFFFFFFu), nullptr);
}

} // namespace
