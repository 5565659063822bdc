// The list-edit session: begin and end, moves, renames and deletions on the
// copies, and what a commit and a discard leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dballoc.h"
#include "dbopen.h"
#include "favourites.h"
#include "favtable.h"
#include "filters.h"
#include "imagebuilder.h"
#include "indexcommit.h"
#include "listedit.h"
#include "servicefixture.h"
#include "slm.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svctable.h"
#include "wrapper.h"

namespace {

constexpr SvcListId kGroup = LIST_FAV_FIRST;

class ListEditTest : public ServiceListTest {
  protected:
    // Builds the name list from the master list, in name order.
    void buildNameList() {
        std::vector<SvcHandle> handles = handlesOf(g_MasterSvcList);
        handles.erase(std::remove_if(handles.begin(), handles.end(), SLM_IsNullService),
                      handles.end());
        std::stable_sort(handles.begin(), handles.end(), [](SvcHandle a, SvcHandle b) {
            return INT_SLM_CompareSvcName(SLM_HandleNodeData(a), SLM_HandleNodeData(b)) < 0;
        });
        g_NameSortedSvcList = INT_LL_FreeAll(g_NameSortedSvcList, nullptr);
        for (SvcHandle h : handles)
            g_NameSortedSvcList = INT_LL_Append(g_NameSortedSvcList, SLM_HandleNodeData(h));
    }
    static LL_Node* group(SvcListId id) {
        LL_Node* head = nullptr;
        INT_SLM_GetFavListHead(id, &head);
        return head;
    }
    static std::string nameOf(SvcHandle handle) {
        const SvcHandleObj* obj = HT_Resolve(handle);
        return obj != nullptr && obj->name != nullptr
                   ? std::string(reinterpret_cast<const char*>(obj->name),
                                 strnlen(reinterpret_cast<const char*>(obj->name), SVC_NAME_LEN))
                   : std::string();
    }
    static const SvcInfo& recordOf(SvcHandle handle) { return *HT_Resolve(handle)->record; }
    static std::vector<uint16_t> tableEntries(uint32_t g) {
        uint16_t count = 0;
        const uint16_t* entries = nullptr;
        EXPECT_EQ(TBL_GetFavEntries(g, &count, &entries), DBERR_OK);
        return std::vector<uint16_t>(entries, entries + count);
    }
    // Group 0 holds the given services (numbers of TV services), built the
    // way a load builds it.
    void groupOfTv(std::vector<uint16_t> numbers) {
        std::vector<uint16_t> entries;
        for (uint16_t n : numbers)
            entries.push_back(INT_SLM_MakeFavEntry(n, SVC_TYPE_TV));
        ASSERT_EQ(TBL_SetFavEntries(0, static_cast<uint32_t>(entries.size()), entries.data()),
                  DBERR_OK);
        ASSERT_EQ(INT_SLM_LoadAllFavGroups(), DBERR_OK);
    }
};

TEST_F(ListEditTest, BeginWhileOpenAndEndWhileClosedAreRefusedAndChangeNothing) {
    addTv(1, "A");
    addTv(2, "B");
    buildNameList();
    EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_EDIT_SESSION);
    EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    LL_Node* masterCopy = g_EditCopies.masterCopy;
    ASSERT_NE(masterCopy, nullptr);
    EXPECT_EQ(handlesOf(masterCopy), handlesOf(g_MasterSvcList));
    EXPECT_NE(masterCopy, g_MasterSvcList);
    INT_SLM_SetAccessMethod(ACCESS_EDIT_NAME); // as if the edit had moved on

    EXPECT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_MASTER), DBERR_EDIT_SESSION);
    EXPECT_EQ(g_ListEditOpen, 1u);
    EXPECT_EQ(g_ListEditState.mode, LISTEDIT_MODE_FULL);
    EXPECT_EQ(g_EditCopies.masterCopy, masterCopy);
    EXPECT_EQ(g_ListEditState.savedMethod, ACCESS_MASTER);
    EXPECT_EQ(g_AccessMethod, ACCESS_EDIT_NAME);

    EXPECT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
    EXPECT_EQ(g_ListEditOpen, 0u);
    EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);
    EXPECT_EQ(SLM_EndListEdit(0, 0), DBERR_EDIT_SESSION);
}

TEST_F(ListEditTest, BeginWithoutMemoryForTheCopiesOpensNothing) {
    addTv(1, "A");
    addTv(2, "B");
    buildNameList();
    DB_SetAllocFailAfter(3); // the master copy, then one node of the name copy
    EXPECT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(g_ListEditOpen, 0u);
    EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);
    EXPECT_EQ(g_EditCopies.masterCopy, nullptr);
    EXPECT_EQ(g_EditCopies.nameCopy, nullptr);
    EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_EDIT_SESSION);
    EXPECT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
}

TEST_F(ListEditTest, BeginChoosesTheMethodAndTheCopiesByMode) {
    const SvcHandle b = addTv(1, "B");
    const SvcHandle a = addTv(2, "A");
    buildNameList();
    ASSERT_EQ(INT_SLM_AddServiceToList(b, kGroup, nullptr), DBERR_OK);
    struct Case {
        SvcAccessMethod before;
        uint8_t mode;
        SvcAccessMethod during;
        std::vector<SvcHandle> masterCopy;
        std::vector<SvcHandle> nameCopy;
        std::vector<SvcHandle> groupCopy;
    };
    const Case cases[] = {
        {ACCESS_MASTER, LISTEDIT_MODE_MASTER, ACCESS_EDIT, {b, a}, {}, {}},
        {ACCESS_NAME, LISTEDIT_MODE_MASTER, ACCESS_EDIT, {a, b}, {}, {}},
        {ACCESS_MASTER, LISTEDIT_MODE_FULL, ACCESS_EDIT_MASTER, {b, a}, {a, b}, {b}},
        {ACCESS_NAME, LISTEDIT_MODE_FULL, ACCESS_EDIT_NAME, {b, a}, {a, b}, {b}},
        {ACCESS_TV, LISTEDIT_MODE_FULL, ACCESS_TV, {}, {}, {}},
        {ACCESS_MASTER, 7, ACCESS_MASTER, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << int(c.before) << " mode " << int(c.mode));
        INT_SLM_SetAccessMethod(c.before);
        ASSERT_EQ(SLM_BeginListEdit(c.mode), DBERR_OK);
        EXPECT_EQ(g_AccessMethod, c.during);
        EXPECT_EQ(handlesOf(g_EditCopies.masterCopy), c.masterCopy);
        EXPECT_EQ(handlesOf(g_EditCopies.nameCopy), c.nameCopy);
        EXPECT_EQ(handlesOf(g_EditCopies.favCopies[0]), c.groupCopy);
        EXPECT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
        EXPECT_EQ(g_AccessMethod, c.before);
        EXPECT_EQ(g_ListEditOpen, 0u);
    }
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{b, a}));
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{b}));
}

TEST_F(ListEditTest, TvMoveStepsOverRadioAndPlaceholdersAndIsNumberedAfterWhatItPassed) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle r = addRadio(1, "R");
    const SvcHandle p = addPlaceholder(SVC_TYPE_TV);
    const SvcHandle b = addTv(2, "B");
    const SvcHandle c = addTv(3, "C");
    buildNameList();
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_MoveServiceInList(a, LIST_ALL, 1), DBERR_OK);
    // The copy moved; the live list and the numbers wait for the commit.
    EXPECT_EQ(handlesOf(g_EditCopies.masterCopy), (std::vector<SvcHandle>{r, p, b, a, c}));
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, r, p, b, c}));
    EXPECT_EQ(numberOf(a), 1u);
    // Walks and counts of list 0 see the copy.
    LL_Node* list0 = nullptr;
    ASSERT_EQ(INT_SLM_GetListHead(LIST_ALL, g_AccessMethod, &list0), DBERR_OK);
    EXPECT_EQ(list0, g_EditCopies.masterCopy);
    EXPECT_EQ(INT_LL_GetNth(list0, 1, INT_SLM_FilterListedByType, SVC_TYPE_TV)->data,
              SLM_HandleNodeData(a));

    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(numberOf(b), 1u);
    EXPECT_EQ(numberOf(a), 2u);
    EXPECT_EQ(numberOf(c), 3u);
    EXPECT_EQ(numberOf(r), 1u);
    EXPECT_EQ(typeOf(SLM_NodeHandle(g_MasterSvcList)), SVC_TYPE_TV);
    std::vector<SvcHandle> tvOrder;
    for (SvcHandle h : handlesOf(g_MasterSvcList))
        if (h != p && typeOf(h) == SVC_TYPE_TV) tvOrder.push_back(h);
    EXPECT_EQ(tvOrder, (std::vector<SvcHandle>{b, a, c}));
}

TEST_F(ListEditTest, MovesOutsideAnEditRenumberAtOnceAndWaitForACleanNumbering) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle c = addTv(3, "C");
    ASSERT_EQ(SLM_MoveServiceInList(c, LIST_ALL, -2), DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{c, a, b}));
    EXPECT_EQ(numberOf(c), 1u);
    EXPECT_EQ(numberOf(b), 3u);

    g_ListStateWord = 1; // locked numbers seen: moves do nothing
    EXPECT_EQ(SLM_MoveServiceInList(c, LIST_ALL, 2), DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{c, a, b}));
    g_ListStateWord = 0;

    EXPECT_EQ(SLM_MoveServiceInList(HT_Alloc(), LIST_ALL, 1), DBERR_NOT_FOUND);
    EXPECT_EQ(SLM_MoveServiceInList(a, LIST_EXTRA_A, 1), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_MoveServiceInList(a, LIST_DATA, 1), DBERR_BAD_LIST);
    INT_SLM_SetAccessMethod(ACCESS_RADIO);
    EXPECT_EQ(INT_SLM_MoveServiceRenumber(a, LIST_ALL, 1), DBERR_NOT_FOUND);
}

TEST_F(ListEditTest, RenameThenDiscardChangesNothing) {
    const SvcHandle zulu = addTv(1, "Zulu");
    const SvcHandle alpha = addTv(2, "Alpha");
    buildNameList();
    const SvcInfo before = recordOf(zulu);
    const std::vector<SvcHandle> nameOrder = handlesOf(g_NameSortedSvcList);

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    // A three-byte character-table prefix: the copy holds the text only.
    const uint8_t prefixed[] = {0x10, 0x00, 0x05, 'A', 'a', 'r', 'o', 'n', 0};
    ASSERT_EQ(SLM_RenameService(zulu, prefixed), DBERR_OK);
    EXPECT_EQ(nameOf(zulu), "Aaron");
    EXPECT_NE(HT_Resolve(zulu)->numFlags & SVH_OWNS_NAME, 0u);
    ASSERT_EQ(SLM_RenameService(zulu, reinterpret_cast<const uint8_t*>("\x05Yankee")), DBERR_OK);
    EXPECT_EQ(nameOf(zulu), "Yankee");
    EXPECT_EQ(SLM_RenameService(zulu, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(SLM_RenameService(HT_Alloc(), prefixed), DBERR_NOT_FOUND);

    ASSERT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
    EXPECT_EQ(std::memcmp(&recordOf(zulu), &before, sizeof before), 0);
    EXPECT_EQ(nameOf(zulu), "Zulu");
    EXPECT_EQ(HT_Resolve(zulu)->name, recordOf(zulu).name);
    EXPECT_EQ(HT_Resolve(zulu)->numFlags & SVH_OWNS_NAME, 0u);
    EXPECT_EQ(handlesOf(g_NameSortedSvcList), nameOrder);
    EXPECT_EQ(nameOf(alpha), "Alpha");
}

// A cell editor hands over the bytes of the name field; a two-byte (0x11)
// text need not end with 0x00 0x00 inside it. The rename reads no byte past
// the field (the buffers are exactly that long, so the sanitizer build sees
// any byte read beyond), and a terminated name is taken up to its end.
TEST_F(ListEditTest, RenameReadsNoFurtherThanTheNameField) {
    const SvcHandle zulu = addTv(1, "Zulu");
    buildNameList();
    struct Case {
        const char* what;
        std::vector<uint8_t> field;
        std::string expected;
    };
    std::vector<uint8_t> twoByte(SVC_NAME_LEN, 'B');
    twoByte[0] = 0x11; // 21 bytes of text: 10 whole characters and half of one
    std::vector<uint8_t> oneByte(SVC_NAME_LEN, 'C');
    oneByte[0] = 0x05;
    std::vector<uint8_t> plain(SVC_NAME_LEN, 'D');
    const Case cases[] = {
        {"two-byte text without its 0x00 0x00 end", twoByte, std::string(20, 'B')},
        {"prefixed text without terminator", oneByte, std::string(21, 'C')},
        {"plain text without terminator", plain, std::string(22, 'D')},
        {"terminated text", {'E', 'c', 'h', 'o', 0}, "Echo"},
    };
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    for (const Case& c : cases) {
        auto field = std::make_unique<uint8_t[]>(c.field.size());
        std::memcpy(field.get(), c.field.data(), c.field.size());
        ASSERT_EQ(SLM_RenameService(zulu, field.get()), DBERR_OK) << c.what;
        EXPECT_EQ(nameOf(zulu), c.expected) << c.what;
    }
    ASSERT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
}

TEST_F(ListEditTest, RenameThenCommitMarksTheRecordAndSortsTheNamesAgain) {
    const SvcHandle zulu = addTv(1, "Zulu");
    const SvcHandle alpha = addTv(2, "Alpha");
    const SvcHandle mike = addTv(3, "Mike");
    buildNameList();
    ASSERT_EQ(handlesOf(g_NameSortedSvcList), (std::vector<SvcHandle>{alpha, mike, zulu}));
    const SvcInfo alphaBefore = recordOf(alpha);
    HT_Resolve(mike)->numFlags |= SVH_LOCK; // the handle's lock goes into the record

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_RenameService(zulu, reinterpret_cast<const uint8_t*>("Bravo")), DBERR_OK);
    ASSERT_EQ(
        SLM_RenameService(mike, reinterpret_cast<const uint8_t*>("Charlie-Delta-Echo-Foxtrot")),
        DBERR_OK);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);

    EXPECT_NE(recordOf(zulu).flags & SVCF_RENAMED, 0u);
    EXPECT_NE(recordOf(mike).flags & SVCF_RENAMED, 0u);
    EXPECT_NE(recordOf(mike).flags & SVCF_LOCK, 0u);
    EXPECT_EQ(recordOf(zulu).flags & SVCF_LOCK, 0u);
    EXPECT_EQ(std::memcmp(&recordOf(alpha), &alphaBefore, sizeof alphaBefore), 0);
    uint8_t expected[SVC_NAME_LEN] = {};
    std::memcpy(expected, "Charlie-Delta-Echo-Fo", 21); // 21 bytes and the terminator
    EXPECT_EQ(std::memcmp(recordOf(mike).name, expected, SVC_NAME_LEN), 0);
    EXPECT_EQ(nameOf(zulu), "Bravo");
    EXPECT_EQ(HT_Resolve(zulu)->name, recordOf(zulu).name);
    EXPECT_EQ(HT_Resolve(zulu)->numFlags & (SVH_OWNS_NAME | SVH_REWRITE), 0u);
    EXPECT_EQ(handlesOf(g_NameSortedSvcList), (std::vector<SvcHandle>{alpha, zulu, mike}));
}

TEST_F(ListEditTest, ARecordThatCannotBeRewrittenFailsTheCommitYetTheEditCloses) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle p = addPlaceholder(SVC_TYPE_TV);
    buildNameList();
    groupOfTv({1});
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_RenameService(p, reinterpret_cast<const uint8_t*>("P")), DBERR_OK);
    ASSERT_EQ(SLM_RenameService(a, reinterpret_cast<const uint8_t*>("Renamed")), DBERR_OK);
    ASSERT_EQ(SLM_MoveServiceInList(a, kGroup, 0), DBERR_OK);

    EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_TABLE_INDEX);
    EXPECT_EQ(g_ListEditOpen, 0u);
    EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(recordOf(a).name)), "Renamed");
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{a}));
    EXPECT_EQ(g_EditCopies.favCopies[0], nullptr);
    EXPECT_EQ(g_EditCopies.nameCopy, nullptr);
}

TEST_F(ListEditTest, ADeletionIsLiveOnlyAfterTheCommit) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle c = addTv(3, "C");
    buildNameList();
    groupOfTv({2, 1, 3});
    ASSERT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{b, a, c}));

    // Discarded: the service stays for good.
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_RemoveServiceFromList(b, LIST_ALL, 0), DBERR_OK);
    EXPECT_EQ(SLM_RemoveServiceFromList(b, LIST_ALL, 0), DBERR_NOT_FOUND);
    EXPECT_EQ(handlesOf(g_EditCopies.masterCopy), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(handlesOf(g_EditCopies.nameCopy), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(handlesOf(g_EditCopies.favCopies[0]), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, b, c}));
    EXPECT_EQ(TBL_GetSvcCount(), 3u);
    ASSERT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, b, c}));
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{b, a, c}));
    EXPECT_NE(HT_Resolve(b), nullptr);

    // Committed: record, handle and group membership go; the others are
    // renumbered and the group is stored with the numbers the next load gives.
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_RemoveServiceFromList(b, LIST_ALL, 0), DBERR_OK);
    EXPECT_EQ(HT_Resolve(b)->record != nullptr, true);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(HT_Resolve(b), nullptr);
    EXPECT_EQ(TBL_GetSvcCount(), 2u);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(handlesOf(g_NameSortedSvcList), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{a, c}));
    EXPECT_EQ(numberOf(c), 2u);
    EXPECT_EQ(tableEntries(0),
              (std::vector<uint16_t>{INT_SLM_MakeFavEntry(1, 0), INT_SLM_MakeFavEntry(2, 0)}));
}

TEST_F(ListEditTest, DeletionsByMethodAndList) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle p = addPlaceholder(SVC_TYPE_TV);
    buildNameList();
    // No edit: a placeholder goes at once, a service waits for a commit.
    ASSERT_EQ(SLM_RemoveServiceFromList(p, LIST_ALL, 0), DBERR_OK);
    EXPECT_EQ(HT_Resolve(p), nullptr);
    ASSERT_EQ(SLM_RemoveServiceFromList(a, LIST_ALL, 0), DBERR_OK);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a, b}));
    EXPECT_EQ(handlesOf(g_ListEditState.pendingDeletions), (std::vector<SvcHandle>{a}));
    EXPECT_EQ(SLM_RemoveServiceFromList(a, LIST_EXTRA_A, 0), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_RemoveServiceFromList(a, LIST_DATA, 0), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_RemoveServiceFromList(HT_Alloc(), LIST_ALL, 0), DBERR_NOT_FOUND);
    INT_SLM_SetAccessMethod(ACCESS_RADIO);
    EXPECT_EQ(INT_SLM_DeleteServiceFromLists(b, LIST_ALL, 0), DBERR_BAD_LIST);
    INT_SLM_SetAccessMethod(ACCESS_MASTER);

    // A begin starts with no pending deletions.
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_MASTER), DBERR_OK);
    EXPECT_EQ(g_ListEditState.pendingDeletions, nullptr);
    // Deleting with renumbering renumbers the copy at once.
    ASSERT_EQ(SLM_RemoveServiceFromList(a, LIST_ALL, 1), DBERR_OK);
    EXPECT_EQ(handlesOf(g_EditCopies.masterCopy), (std::vector<SvcHandle>{b}));
    EXPECT_EQ(numberOf(b), 1u);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(HT_Resolve(a), nullptr);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{b}));
    EXPECT_EQ(handlesOf(g_NameSortedSvcList), (std::vector<SvcHandle>{b}));
}

TEST_F(ListEditTest, DeletingThroughASatelliteViewStillDeletesTheService) {
    ServiceSpec spec;
    spec.name = "S";
    spec.sat = 2;
    const SvcHandle s = addService(spec);
    const SvcHandle t = addTv(2, "T");
    buildNameList();
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    // Under method 5 the satellite lists are views of the live master list.
    ASSERT_EQ(SLM_RemoveServiceFromList(s, LIST_SAT_FIRST + 2, 0), DBERR_OK);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(HT_Resolve(s), nullptr);
    EXPECT_EQ(TBL_GetSvcCount(), 1u);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{t}));
    EXPECT_EQ(handlesOf(g_NameSortedSvcList), (std::vector<SvcHandle>{t}));
}

TEST_F(ListEditTest, GroupEditsLiveInTheCopiesUntilTheCommit) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle r = addRadio(1, "R");
    buildNameList();
    groupOfTv({1});
    const uint8_t* sport = reinterpret_cast<const uint8_t*>("Sport");

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_AddServiceToList(r, kGroup, nullptr), DBERR_OK);
    ASSERT_EQ(SLM_SetListName(kGroup, sport), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{a}));
    ASSERT_EQ(SLM_EndListEdit(0, 0), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{a}));
    uint8_t name[FAV_LIST_NAME_SIZE];
    ASSERT_EQ(SLM_GetListName(kGroup, name), DBERR_OK);
    EXPECT_STREQ(reinterpret_cast<const char*>(name), ""); // read again from the table

    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_AddServiceToList(r, kGroup, nullptr), DBERR_OK);
    ASSERT_EQ(SLM_AddServiceToList(b, kGroup, nullptr), DBERR_OK);
    ASSERT_EQ(SLM_MoveServiceInList(b, kGroup, -2), DBERR_OK);
    ASSERT_EQ(SLM_SetListName(kGroup, sport), DBERR_OK);
    ASSERT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroup)), (std::vector<SvcHandle>{b, a, r}));
    EXPECT_EQ(tableEntries(0),
              (std::vector<uint16_t>{INT_SLM_MakeFavEntry(2, 0), INT_SLM_MakeFavEntry(1, 0),
                                     INT_SLM_MakeFavEntry(1, 1)}));
    EXPECT_EQ(std::memcmp(g_FavTable[0].name, "Sport", 6), 0);
}

TEST_F(ListEditTest, FreeingTheEditClosesItAndTheOptionWordStartsAtOne) {
    const SvcHandle a = addTv(1, "A");
    buildNameList();
    EXPECT_EQ(INT_SLM_GetListOption(), 1u);
    INT_SLM_SetListOption(7);
    EXPECT_EQ(INT_SLM_GetListOption(), 7u);

    INT_SLM_SetAccessMethod(ACCESS_NAME);
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(SLM_RemoveServiceFromList(a, LIST_ALL, 0), DBERR_OK);
    SLM_FreeListEdit();
    EXPECT_EQ(g_ListEditOpen, 0u);
    EXPECT_EQ(g_AccessMethod, ACCESS_NAME);
    EXPECT_EQ(g_EditCopies.masterCopy, nullptr);
    EXPECT_EQ(g_ListEditState.pendingDeletions, nullptr);
    // The service was never deleted, so its handle stays in the master list.
    EXPECT_NE(HT_Resolve(a), nullptr);
    EXPECT_EQ(handlesOf(g_MasterSvcList), (std::vector<SvcHandle>{a}));
    EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_EDIT_SESSION);

    DB_ResetAllState();
    EXPECT_EQ(INT_SLM_GetListOption(), 1u);
}

// ---- The channel move dialog's road, on images ---------------------------------

// Twelve services "Service 0" to "Service 11" (even TV, odd radio, so TV n is
// service 2n - 2 and radio n service 2n - 1) and two favourite groups.
class ListEditRoadTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ImageSpec spec = SampleSpec({.services = 12, .transportStreams = 3});
        setGroup(spec.favourites[0], "\x05Sport", {{2, 0}, {1, 1}, {5, 0}});
        setGroup(spec.favourites[4], "Kids", {{1, 0}, {3, 0}, {6, 0}, {3, 1}});
        ASSERT_TRUE(BuildImage(spec));
        reopen();
        sportBefore_ = groupMembers(kSport);
        kidsBefore_ = groupMembers(kKids);
        ASSERT_EQ(sportBefore_, (std::vector<std::string>{"Service 2", "Service 1", "Service 8"}));
        ASSERT_EQ(kidsBefore_,
                  (std::vector<std::string>{"Service 0", "Service 4", "Service 10", "Service 5"}));
    }
    static void setGroup(FavInfo& fav, const char* name,
                         std::vector<std::pair<uint32_t, uint32_t>> members) {
        fav = FavInfo{};
        std::memcpy(fav.name, name, std::strlen(name));
        for (const auto& [number, type] : members)
            fav.entries[fav.count++] = INT_SLM_MakeFavEntry(number, type);
    }
    static void reopen() {
        ResetLibraryKeepImage();
        ASSERT_EQ(DB_OpenDatabase(), 1u);
    }
    static std::string nameOf(SvcHandle handle) {
        const SvcHandleObj* obj = HT_Resolve(handle);
        const char* name = reinterpret_cast<const char*>(obj->name);
        return std::string(name, strnlen(name, SVC_NAME_LEN));
    }
    static std::vector<std::string> groupMembers(SvcListId id) {
        LL_Node* head = nullptr;
        INT_SLM_GetFavListHead(id, &head);
        std::vector<std::string> names;
        for (LL_Node* node = head; node != nullptr;) {
            names.push_back(nameOf(SLM_NodeHandle(node)));
            node = node->next;
            if (node == head) break;
        }
        return names;
    }
    // The services of one type in list 0, walked as the dialog walks them.
    static std::vector<SvcHandle> walk(uint8_t type) {
        uint16_t count = 0;
        EXPECT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, type, &count), DBERR_OK);
        std::vector<SvcHandle> handles;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (uint16_t i = 0; i < count; ++i) {
            if (SLM_GetNextServiceHandle(handle, LIST_ALL, SVC_NUMBER_ANY, type, i == 0 ? 0 : 1,
                                         &handle) != DBERR_OK)
                break;
            handles.push_back(handle);
        }
        return handles;
    }
    static std::vector<std::string> namesOf(const std::vector<SvcHandle>& handles) {
        std::vector<std::string> names;
        for (SvcHandle h : handles)
            names.push_back(nameOf(h));
        return names;
    }
    static std::vector<uint8_t> image() {
        return std::vector<uint8_t>(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    }
    // Closing the dialog: end with commit, without the edit's own order
    // save, then save the order with the image commit.
    static void closeDialog() {
        EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
        EXPECT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);
    }

    static constexpr SvcListId kSport = LIST_FAV_FIRST;
    static constexpr SvcListId kKids = LIST_FAV_FIRST + 4;
    std::vector<std::string> sportBefore_, kidsBefore_;
};

TEST_F(ListEditRoadTest, AMoveHoldsAfterSaveAndReopenAndTheGroupsKeepTheirChannels) {
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    // Click row 1, then row 4: the second TV service moves three places on.
    const std::vector<SvcHandle> tv = walk(SVC_TYPE_TV);
    ASSERT_EQ(tv.size(), 6u);
    ASSERT_EQ(SLM_MoveServiceInList(tv[1], LIST_ALL, 4 - 1), DBERR_OK);
    const std::vector<std::string> moved{"Service 0", "Service 4", "Service 6",
                                         "Service 8", "Service 2", "Service 10"};
    EXPECT_EQ(namesOf(walk(SVC_TYPE_TV)), moved);
    closeDialog();

    reopen();
    EXPECT_EQ(namesOf(walk(SVC_TYPE_TV)), moved);
    EXPECT_EQ(groupMembers(kSport), sportBefore_);
    EXPECT_EQ(groupMembers(kKids), kidsBefore_);
    uint8_t name[FAV_LIST_NAME_SIZE];
    ASSERT_EQ(SLM_GetListName(kSport, name), DBERR_OK);
    EXPECT_STREQ(reinterpret_cast<const char*>(name), "\x05Sport");
    EXPECT_EQ(std::memcmp(g_FavTable[0].name, "\x05Sport", 7), 0);
}

TEST_F(ListEditRoadTest, WithoutAMoveTheImageStaysByteForByte) {
    const std::vector<uint8_t> before = image();
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_EQ(walk(SVC_TYPE_RADIO).size(), 6u);
    closeDialog();
    EXPECT_TRUE(image() == before);
}

TEST_F(ListEditRoadTest, ADeletedServiceLeavesItsGroupAndTheOthersKeepTheirChannels) {
    struct Road {
        const char* name;
        void (*run)(SvcHandle);
    };
    const Road roads[] = {
        {"deleted in the dialog's list edit",
         [](SvcHandle h) {
             ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
             ASSERT_EQ(SLM_RemoveServiceFromList(h, LIST_ALL, 0), DBERR_OK);
             closeDialog();
         }},
        {"deleted from the channel list, then saved",
         [](SvcHandle h) {
             ASSERT_EQ(SLM_DeleteService(h), DBERR_OK);
             ASSERT_EQ(IDX_CommitAll(), DBERR_OK);
         }},
    };
    const std::vector<uint8_t> original = image();
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        std::memcpy(g_FlashImage, original.data(), original.size());
        reopen();
        // "Service 2" is TV 2: every TV service after it moves down a number.
        road.run(walk(SVC_TYPE_TV)[1]);
        reopen();
        EXPECT_EQ(walk(SVC_TYPE_TV).size(), 5u);
        EXPECT_EQ(groupMembers(kSport), (std::vector<std::string>{"Service 1", "Service 8"}));
        EXPECT_EQ(groupMembers(kKids), kidsBefore_);
    }
}

} // namespace
