// Favourite groups: entries, the heads of lists 7-24 and of the list-edit
// copies, building a group from the table and storing it back, names, and
// adding, removing and moving services in a group.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dballoc.h"
#include "favourites.h"
#include "slm.h"
#include "favtable.h"
#include "listedit.h"
#include "servicefixture.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svctable.h"
#include "tables.h"

namespace {

constexpr SvcListId kGroupA = LIST_FAV_FIRST;     // group 0
constexpr SvcListId kGroupB = LIST_FAV_FIRST + 3; // group 3

class FavouriteTest : public ServiceListTest {
  protected:
    void setGroup(uint32_t group, const std::vector<uint16_t>& entries, const char* name = "") {
        ASSERT_EQ(TBL_SetFavEntries(group, static_cast<uint32_t>(entries.size()), entries.data()),
                  DBERR_OK);
        ASSERT_EQ(TBL_SetFavName(group, reinterpret_cast<const uint8_t*>(name)), DBERR_OK);
    }
    static std::vector<uint16_t> tableEntries(uint32_t group) {
        uint16_t count = 0;
        const uint16_t* entries = nullptr;
        EXPECT_EQ(TBL_GetFavEntries(group, &count, &entries), DBERR_OK);
        return std::vector<uint16_t>(entries, entries + count);
    }
    static LL_Node* group(SvcListId id) {
        LL_Node* head = nullptr;
        EXPECT_EQ(INT_SLM_GetFavListHead(id, &head), DBERR_OK);
        return head;
    }
    static std::string listName(SvcListId id) {
        uint8_t name[FAV_LIST_NAME_SIZE];
        EXPECT_EQ(INT_SLM_GetListName(id, name), DBERR_OK);
        return reinterpret_cast<const char*>(name);
    }
};

TEST(FavEntryTest, PacksThirteenBitsOfNumberAndThreeOfType) {
    EXPECT_EQ(INT_SLM_MakeFavEntry(5, SVC_TYPE_RADIO), 0x0029);
    EXPECT_EQ(INT_SLM_MakeFavEntry(1, SVC_TYPE_TV), 0x0008);
    EXPECT_EQ(INT_SLM_MakeFavEntry(0x1FFF, 7), 0xFFFF);
    EXPECT_EQ(INT_SLM_MakeFavEntry(0x2005, 9), 0x0029); // masked to 13 and 3 bits
    EXPECT_EQ(INT_SLM_FavEntryNumber(0x0029), 5u);
    EXPECT_EQ(INT_SLM_FavEntryType(0x0029), SVC_TYPE_RADIO);
}

TEST_F(FavouriteTest, FavouriteHeadsServeListsSevenToTwentyFour) {
    LL_Node* out = reinterpret_cast<LL_Node*>(&out);
    EXPECT_EQ(INT_SLM_GetFavListHead(kGroupA, nullptr), DBERR_NULL_ARG);
    for (SvcListId id : {SvcListId{0}, SvcListId{6}, SvcListId{25}, SvcListId{30}}) {
        out = reinterpret_cast<LL_Node*>(&out);
        EXPECT_EQ(INT_SLM_GetFavListHead(id, &out), DBERR_BAD_LIST) << int(id);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(INT_SLM_SetFavListHead(id, nullptr), DBERR_BAD_LIST) << int(id);
    }
    const SvcHandle tv = addTv(1);
    LL_Node* list = INT_LL_Append(nullptr, SLM_HandleNodeData(tv));
    ASSERT_EQ(INT_SLM_SetFavListHead(LIST_EXTRA_B, list), DBERR_OK);
    EXPECT_EQ(group(LIST_EXTRA_B), list);
    // The list manager reaches the groups through its own heads.
    LL_Node* head = nullptr;
    ASSERT_EQ(INT_SLM_SetListHead(kGroupB, ACCESS_MASTER, list), DBERR_OK);
    EXPECT_EQ(INT_SLM_GetListHead(kGroupB, ACCESS_NAME, &head), DBERR_OK);
    EXPECT_EQ(head, list);
    INT_SLM_SetFavListHead(LIST_EXTRA_B, nullptr);
    // Nothing fills the special lists, so taking one in leaves it empty.
    EXPECT_EQ(SLM_LoadSpecialList(kGroupA), DBERR_BAD_LIST);
    ASSERT_EQ(SLM_LoadSpecialList(LIST_EXTRA_A), DBERR_OK);
    EXPECT_EQ(group(LIST_EXTRA_A), nullptr);
}

TEST_F(FavouriteTest, EditHeadsRouteByMethodAndListIdWhileAnEditIsOpen) {
    LL_Node* out = nullptr;
    EXPECT_EQ(INT_SLM_GetEditListHead(LIST_ALL, ACCESS_EDIT, nullptr), DBERR_NULL_ARG);
    // Closed: nothing is handed out and nothing is stored.
    int marker = 0;
    LL_Node* fake = reinterpret_cast<LL_Node*>(&marker);
    EXPECT_EQ(INT_SLM_SetEditListHead(LIST_ALL, ACCESS_EDIT, fake), DBERR_OK);
    EXPECT_EQ(INT_SLM_GetEditListHead(LIST_ALL, ACCESS_EDIT, &out), DBERR_OK);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(g_EditCopies.masterCopy, nullptr);

    EditCopies& s = g_EditCopies;
    int m = 0, n = 0, f = 0;
    LL_Node* master = reinterpret_cast<LL_Node*>(&m);
    LL_Node* name = reinterpret_cast<LL_Node*>(&n);
    LL_Node* fav = reinterpret_cast<LL_Node*>(&f);
    g_ListEditOpen = 1;
    s.masterCopy = master;
    s.nameCopy = name;
    s.favCopies[kGroupB - LIST_FAV_FIRST] = fav;
    struct Case {
        SvcListId id;
        SvcAccessMethod method;
        LL_Node* expected;
    };
    const Case cases[] = {
        {0, ACCESS_EDIT, master},           {35, ACCESS_EDIT, master},
        {LIST_CA_ANY, ACCESS_EDIT, master}, {LIST_DATA, ACCESS_EDIT, nullptr},
        {kGroupB, ACCESS_EDIT, nullptr},    {200, ACCESS_EDIT, nullptr},
        {0, ACCESS_EDIT_MASTER, master},    {kGroupB, ACCESS_EDIT_MASTER, fav},
        {35, ACCESS_EDIT_MASTER, master},   {0, ACCESS_EDIT_NAME, name},
        {kGroupB, ACCESS_EDIT_NAME, fav},   {200, ACCESS_EDIT_NAME, name},
        {0, ACCESS_MASTER, nullptr},        {kGroupB, ACCESS_TV, nullptr},
    };
    for (const Case& c : cases) {
        out = fake;
        EXPECT_EQ(INT_SLM_GetEditListHead(c.id, c.method, &out), DBERR_OK);
        EXPECT_EQ(out, c.expected) << int(c.id) << " method " << int(c.method);
    }
    // Methods 4-6 of the list manager's heads are the copies.
    EXPECT_EQ(INT_SLM_GetListHead(LIST_ALL, ACCESS_EDIT_NAME, &out), DBERR_OK);
    EXPECT_EQ(out, name);
    EXPECT_EQ(INT_SLM_GetListHeadEx(kGroupB, ACCESS_EDIT_MASTER, &out), DBERR_OK);
    EXPECT_EQ(out, fav);
    EXPECT_EQ(INT_SLM_SetEditListHead(kGroupB, ACCESS_EDIT_NAME, nullptr), DBERR_OK);
    EXPECT_EQ(s.favCopies[kGroupB - LIST_FAV_FIRST], nullptr);
    EXPECT_EQ(SLM_SetEditListHead(LIST_ALL, ACCESS_EDIT_NAME, master), DBERR_OK);
    EXPECT_EQ(s.nameCopy, master);
    s.masterCopy = s.nameCopy = nullptr;
    g_ListEditOpen = 0;
}

TEST_F(FavouriteTest, GroupIsBuiltFromTheTableByNumberAndType) {
    const SvcHandle tv1 = addTv(1, "ONE");
    const SvcHandle radio1 = addRadio(1, "R-ONE");
    const SvcHandle tv2 = addTv(2, "TWO");
    addPlaceholder(SVC_TYPE_TV, 9);
    // TV 2, a missing TV 7, radio 1, TV 2 again, then TV 1.
    const uint8_t prefixed[] = {0x05, 'N', 'e', 'w', 's', 0};
    setGroup(0,
             {INT_SLM_MakeFavEntry(2, 0), INT_SLM_MakeFavEntry(7, 0), INT_SLM_MakeFavEntry(1, 1),
              INT_SLM_MakeFavEntry(2, 0), INT_SLM_MakeFavEntry(1, 0)},
             reinterpret_cast<const char*>(prefixed));
    ASSERT_EQ(INT_SLM_LoadFavGroup(kGroupA), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{tv2, radio1, tv1}));
    // The name is kept as stored, character-table byte included.
    EXPECT_EQ(listName(kGroupA), std::string(reinterpret_cast<const char*>(prefixed)));

    // Building again replaces the list; other ids are left alone.
    setGroup(0, {INT_SLM_MakeFavEntry(1, 1)});
    ASSERT_EQ(SLM_LoadFavGroup(kGroupA), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{radio1}));
    EXPECT_EQ(listName(kGroupA), "");
    EXPECT_EQ(INT_SLM_LoadFavGroup(LIST_ALL), DBERR_OK);
    EXPECT_EQ(INT_SLM_LoadFavGroup(LIST_EXTRA_A), DBERR_OK);
    EXPECT_EQ(group(LIST_EXTRA_A), nullptr);
}

TEST_F(FavouriteTest, OversizedGroupCountGivesTheTableErrorWithItsFirstEntries) {
    const SvcHandle tv1 = addTv(1);
    FavInfo fav{};
    fav.count = 250;
    fav.entries[0] = INT_SLM_MakeFavEntry(1, 0);
    std::memcpy(fav.name, "Lost", 4);
    ASSERT_EQ(TBL_SetFavInfo(2, &fav), DBERR_OK);
    EXPECT_EQ(INT_SLM_LoadFavGroup(LIST_FAV_FIRST + 2), DBERR_TABLE_INDEX);
    EXPECT_EQ(handlesOf(group(LIST_FAV_FIRST + 2)), (std::vector<SvcHandle>{tv1}));
    EXPECT_EQ(listName(LIST_FAV_FIRST + 2), "");
}

TEST_F(FavouriteTest, StoredEntriesCarryTheNumbersOfTheNextLoad) {
    // Record order: A(TV) R1(radio) B(TV) D(data, type 2) C(TV). The next
    // load numbers radio from 1 and all others from 1 in that order, however
    // the handles are numbered now.
    const SvcHandle a = addTv(7, "A");
    const SvcHandle r1 = addRadio(3, "R1");
    const SvcHandle b = addTv(1, "B");
    ServiceSpec data;
    data.name = "D";
    data.type = 2;
    data.number = 4;
    const SvcHandle d = addService(data);
    const SvcHandle c = addTv(2, "C");
    const SvcHandle stale = addTv(8, "GONE");
    LL_Node* list = nullptr;
    for (SvcHandle h : {c, stale, r1, d, a, b})
        list = INT_LL_Append(list, SLM_HandleNodeData(h));
    ASSERT_EQ(INT_SLM_SetFavListHead(kGroupB, list), DBERR_OK);
    // A service deleted without the group being told: its record goes and
    // its handle is freed; the group drops it when stored.
    TBL_DeleteSvcInfo(HT_Resolve(stale)->record);
    HT_Free(stale);

    ASSERT_EQ(INT_SLM_StoreFavGroup(kGroupB), DBERR_OK);
    EXPECT_EQ(tableEntries(3), (std::vector<uint16_t>{
                                   INT_SLM_MakeFavEntry(4, 0), // C: fourth non-radio record
                                   INT_SLM_MakeFavEntry(1, 1), // R1
                                   INT_SLM_MakeFavEntry(3, 2), // D
                                   INT_SLM_MakeFavEntry(1, 0), // A
                                   INT_SLM_MakeFavEntry(2, 0), // B
                               }));
    EXPECT_EQ(handlesOf(group(kGroupB)), (std::vector<SvcHandle>{c, r1, d, a, b}));

    // Moving a record in the table changes the numbers the next load gives.
    ASSERT_EQ(TBL_MoveSvcInfo(HT_Resolve(c)->record, 0), DBERR_OK);
    ASSERT_EQ(SLM_StoreFavGroup(kGroupB), DBERR_OK);
    EXPECT_EQ(tableEntries(3)[0], INT_SLM_MakeFavEntry(1, 0));
    EXPECT_EQ(tableEntries(3)[3], INT_SLM_MakeFavEntry(2, 0));

    EXPECT_EQ(INT_SLM_StoreFavGroup(LIST_EXTRA_A), DBERR_BAD_LIST);
    EXPECT_EQ(INT_SLM_StoreFavGroup(LIST_ALL), DBERR_BAD_LIST);
}

TEST_F(FavouriteTest, StoringBuiltGroupsLeavesGroupsNeverBuiltAlone) {
    const SvcHandle tv1 = addTv(1);
    addTv(2);
    setGroup(0, {INT_SLM_MakeFavEntry(2, 0)}, "Kept");
    setGroup(1, {INT_SLM_MakeFavEntry(1, 0), INT_SLM_MakeFavEntry(2, 0)}, "Built");
    ASSERT_EQ(INT_SLM_LoadFavGroup(LIST_FAV_FIRST + 1), DBERR_OK);
    ASSERT_EQ(INT_SLM_RemoveServiceFromList(tv1, LIST_FAV_FIRST + 1), DBERR_OK);
    ASSERT_EQ(INT_SLM_SetListName(LIST_FAV_FIRST + 1, reinterpret_cast<const uint8_t*>("Renamed")),
              DBERR_OK);

    ASSERT_EQ(INT_SLM_StoreBuiltFavGroups(), DBERR_OK);
    EXPECT_EQ(tableEntries(0), (std::vector<uint16_t>{INT_SLM_MakeFavEntry(2, 0)}));
    EXPECT_EQ(std::memcmp(g_FavTable[0].name, "Kept", 5), 0);
    EXPECT_EQ(tableEntries(1), (std::vector<uint16_t>{INT_SLM_MakeFavEntry(2, 0)}));
    EXPECT_EQ(std::memcmp(g_FavTable[1].name, "Renamed", 8), 0);
}

// A build that runs out of memory half way leaves the group as it was (here:
// never built, so never stored over the table).
TEST_F(FavouriteTest, AGroupBuildOutOfMemoryLeavesTheGroupAsItWas) {
    addTv(1);
    addTv(2);
    const std::vector<uint16_t> stored{INT_SLM_MakeFavEntry(1, 0), INT_SLM_MakeFavEntry(2, 0)};
    setGroup(0, stored, "Two");
    DB_SetAllocFailAfter(2); // the look-up index and the first member's node
    EXPECT_EQ(INT_SLM_LoadAllFavGroups(), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_TRUE(handlesOf(group(kGroupA)).empty());
    EXPECT_EQ(g_FavGroupState.built, 0u);
    ASSERT_EQ(INT_SLM_StoreBuiltFavGroups(), DBERR_OK);
    EXPECT_EQ(tableEntries(0), stored);
    // Built again with memory to spare, it is stored as it stands.
    ASSERT_EQ(INT_SLM_LoadFavGroup(kGroupA), DBERR_OK);
    ASSERT_EQ(INT_SLM_RemoveServiceFromList(SLM_NodeHandle(group(kGroupA)), kGroupA), DBERR_OK);
    ASSERT_EQ(INT_SLM_StoreBuiltFavGroups(), DBERR_OK);
    EXPECT_EQ(tableEntries(0), (std::vector<uint16_t>{INT_SLM_MakeFavEntry(2, 0)}));
}

TEST_F(FavouriteTest, ListNamesByListId) {
    const uint8_t* name = reinterpret_cast<const uint8_t*>("Sport");
    uint8_t out[FAV_LIST_NAME_SIZE];
    struct Case {
        SvcListId id;
        DBERR set;
        DBERR get;
        const char* read;
    };
    const Case cases[] = {
        {LIST_ALL, DBERR_BAD_LIST, DBERR_BAD_LIST, ""},
        {LIST_CA_FIRST, DBERR_BAD_LIST, DBERR_BAD_LIST, ""},
        {LIST_CA_LAST, DBERR_BAD_LIST, DBERR_BAD_LIST, ""},
        {kGroupB, DBERR_OK, DBERR_OK, "Sport"},
        {LIST_EXTRA_A, DBERR_OK, DBERR_OK, ""},
        {35, DBERR_OK, DBERR_OK, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SLM_SetListName(c.id, name), c.set) << int(c.id);
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(SLM_GetListName(c.id, out), c.get) << int(c.id);
        EXPECT_STREQ(reinterpret_cast<const char*>(out), c.read) << int(c.id);
    }
    EXPECT_EQ(SLM_SetListName(kGroupB, nullptr), DBERR_NULL_OBJECT);
    EXPECT_EQ(SLM_GetListName(kGroupB, nullptr), DBERR_NULL_ARG);
    // Cut to what the table keeps.
    ASSERT_EQ(INT_SLM_SetListName(kGroupB,
                                  reinterpret_cast<const uint8_t*>("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
              DBERR_OK);
    EXPECT_EQ(listName(kGroupB), "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(FavouriteTest, AddRemoveAndMoveInAGroup) {
    const SvcHandle a = addTv(1, "A");
    const SvcHandle b = addTv(2, "B");
    const SvcHandle r = addRadio(1, "R");
    const SvcHandle outsider = HT_Alloc(); // not in list 0

    SvcHandle out = 0;
    EXPECT_EQ(SLM_AddServiceToList(a, LIST_ALL, &out), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_AddServiceToList(a, LIST_EXTRA_A, &out), DBERR_BAD_LIST);
    EXPECT_EQ(SLM_AddServiceToList(outsider, kGroupA, &out), DBERR_NOT_FOUND);
    for (SvcHandle h : {a, b, r}) {
        ASSERT_EQ(SLM_AddServiceToList(h, kGroupA, &out), DBERR_OK);
        EXPECT_EQ(out, h);
    }
    EXPECT_EQ(SLM_AddServiceToList(b, kGroupA, nullptr), DBERR_ALREADY_IN_LIST);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{a, b, r}));

    // Moves count every node, whatever its type.
    ASSERT_EQ(SLM_MoveServiceInList(a, kGroupA, 2), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{b, r, a}));
    ASSERT_EQ(SLM_MoveServiceInList(a, kGroupA, -1), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{b, a, r}));
    EXPECT_EQ(SLM_MoveServiceInList(a, kGroupB, 1), DBERR_NOT_FOUND);

    EXPECT_EQ(SLM_RemoveServiceFromList(outsider, kGroupA, 0), DBERR_NOT_FOUND);
    EXPECT_EQ(SLM_RemoveServiceFromList(a, kGroupB, 0), DBERR_NOT_FOUND);
    EXPECT_EQ(SLM_RemoveServiceFromList(a, LIST_EXTRA_A, 0), DBERR_BAD_LIST);
    ASSERT_EQ(SLM_RemoveServiceFromList(a, kGroupA, 0), DBERR_OK);
    EXPECT_EQ(handlesOf(group(kGroupA)), (std::vector<SvcHandle>{b, r}));
    // Removing from a group leaves the service itself alone.
    EXPECT_NE(SLM_FindHandleNode(g_MasterSvcList, a), nullptr);
}

TEST_F(FavouriteTest, ClearingEmptiesListsAndStoresEmptyGroups) {
    const SvcHandle a = addTv(1);
    setGroup(0, {INT_SLM_MakeFavEntry(1, 0)}, "One");
    setGroup(5, {INT_SLM_MakeFavEntry(1, 0)}, "Six");
    ASSERT_EQ(INT_SLM_LoadAllFavGroups(), DBERR_OK);
    INT_SLM_SetFavListHead(LIST_EXTRA_A, INT_LL_Append(nullptr, SLM_HandleNodeData(a)));

    EXPECT_EQ(SLM_ClearFavList(LIST_ALL), DBERR_BAD_LIST);
    ASSERT_EQ(SLM_ClearFavList(LIST_EXTRA_A), DBERR_OK);
    EXPECT_EQ(group(LIST_EXTRA_A), nullptr);
    ASSERT_EQ(SLM_ClearFavList(kGroupA), DBERR_OK);
    EXPECT_EQ(group(kGroupA), nullptr);
    EXPECT_EQ(listName(kGroupA), "");
    EXPECT_EQ(tableEntries(0).size(), 1u); // not stored yet

    ASSERT_EQ(SLM_ClearAllFavGroups(), DBERR_OK);
    const FavInfo zero{};
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g) {
        EXPECT_EQ(std::memcmp(&g_FavTable[g], &zero, sizeof zero), 0) << g;
        EXPECT_EQ(group(static_cast<SvcListId>(LIST_FAV_FIRST + g)), nullptr) << g;
    }
}

TEST_F(FavouriteTest, FreeingTheTablesEmptiesTheGroupsAndTheirNames) {
    addTv(1);
    setGroup(0, {INT_SLM_MakeFavEntry(1, 0)}, "One");
    ASSERT_EQ(INT_SLM_LoadAllFavGroups(), DBERR_OK);
    ASSERT_NE(group(kGroupA), nullptr);
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    ASSERT_NE(g_EditCopies.favCopies[0], nullptr);

    TBL_FreeAll();
    EXPECT_EQ(group(kGroupA), nullptr);
    EXPECT_EQ(listName(kGroupA), "");
    EXPECT_EQ(g_ListEditOpen, 0u);
    EXPECT_EQ(g_EditCopies.favCopies[0], nullptr);
    EXPECT_EQ(g_EditCopies.masterCopy, nullptr);
    EXPECT_EQ(g_FavGroupState.built, 0);
    EXPECT_EQ(g_AccessMethod, ACCESS_MASTER);
    // Nothing built means nothing stored over the table.
    setGroup(0, {INT_SLM_MakeFavEntry(1, 0)}, "One");
    ASSERT_EQ(INT_SLM_StoreBuiltFavGroups(), DBERR_OK);
    EXPECT_EQ(tableEntries(0).size(), 1u);
}

} // namespace
