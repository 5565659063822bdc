// The linked list library. The ring check runs after every operation.
#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <functional>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "dballoc.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "ringcheck.h"

namespace {

using ringcheck::IsSoundList;
using ringcheck::IsSoundRing;

constexpr int kItems = 12;

// Elements are slots of one array: a node's identity is its slot, its key
// (what the comparator orders by) the slot's value.
class LinkedListTest : public DbTest {
  protected:
    int item[kItems] = {};

    void TearDown() override {
        for (LL_Node*& head : owned_)
            head = LL_FreeAll(head, nullptr);
        DbTest::TearDown();
    }

    // A ring of the given slots in order, with keys given or equal to the slot.
    LL_Node*& Build(const std::vector<int>& slots, const std::vector<int>& keys = {}) {
        owned_.push_back(nullptr);
        LL_Node*& head = owned_.back();
        for (size_t i = 0; i < slots.size(); ++i) {
            item[slots[i]] = keys.empty() ? slots[i] : keys[i];
            head = LL_Append(head, &item[slots[i]]);
            EXPECT_TRUE(IsSoundRing(head));
        }
        return head;
    }
    LL_Node*& Own(LL_Node* head) {
        owned_.push_back(head);
        return owned_.back();
    }

    int SlotOf(const LL_Node* node) const {
        return node == nullptr ? -1 : static_cast<int>(static_cast<const int*>(node->data) - item);
    }
    std::vector<int> Slots(const LL_Node* head) const {
        std::vector<int> out;
        for (void* data : ringcheck::DataOf(head))
            out.push_back(static_cast<int*>(data) - item);
        return out;
    }
    LL_Node* NodeOf(LL_Node* head, int slot) {
        return LL_Find(head, &item[slot], nullptr, nullptr, 0);
    }

  private:
    std::deque<LL_Node*> owned_; // stable addresses for the references handed out
};

int CompareKey(const void* element, const void* key) {
    const int a = *static_cast<const int*>(element), b = *static_cast<const int*>(key);
    return a < b ? -1 : (a > b ? 1 : 0);
}
// Comparators of the receiver answer 0xFFFF for less; only the sign counts.
int CompareKeyReceiverStyle(const void* element, const void* key) {
    const int r = CompareKey(element, key);
    return r < 0 ? 0xFFFF - 0x10000 : r;
}
// Passes elements whose key has bit (key & 31) of the filter key's mask set:
// the filter key is the set of passing keys.
int PassMasked(const void* element, uint32_t mask) {
    return (mask >> (*static_cast<const int*>(element) & 31)) & 1u;
}
constexpr uint32_t Mask(std::initializer_list<int> keys) {
    uint32_t m = 0;
    for (int k : keys)
        m |= 1u << k;
    return m;
}

TEST_F(LinkedListTest, AppendGivesRingsAndRefusesNullData) {
    LL_Node*& head = Build({});
    DBERR result = 0xBEEF;
    head = LL_Append(head, &item[0], &result);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(result, DBERR_OK);
    EXPECT_EQ(head->next, head);
    EXPECT_EQ(head->prev, head);

    head = LL_Append(head, &item[1]);
    head = LL_Append(head, &item[2]);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(Slots(head), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(LL_GetTail(head), head->prev);

    LL_Node* before = head;
    head = LL_Append(head, nullptr, &result);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(result, DBERR_NULL_ARG);
    EXPECT_EQ(head, before);
    EXPECT_EQ(LL_Count(head, nullptr, 0), 3);
}

struct SortedInsertCase {
    const char* name;
    std::vector<int> keys; // of slots 0.., already in order
    int key;               // of the new element (slot 10)
    std::vector<int> expect;
};

TEST_F(LinkedListTest, SortedInsertGoesAfterEqualElements) {
    const SortedInsertCase cases[] = {
        {"into empty", {}, 4, {10}},
        {"equal to the only element", {5}, 5, {0, 10}},
        {"less than every element", {3, 5, 7}, 1, {10, 0, 1, 2}},
        {"greater than every element", {3, 5, 7}, 9, {0, 1, 2, 10}},
        {"after a run of equals", {1, 3, 3, 5}, 3, {0, 1, 2, 10, 3}},
        {"equal to the head", {3, 3, 4}, 3, {0, 1, 10, 2}},
        {"equal to the tail", {1, 2, 2}, 2, {0, 1, 2, 10}},
    };
    for (const SortedInsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> slots;
        for (size_t i = 0; i < c.keys.size(); ++i)
            slots.push_back(static_cast<int>(i));
        LL_Node*& head = Build(slots, c.keys);
        item[10] = c.key;
        for (LL_CompareFn compare : {CompareKey, CompareKeyReceiverStyle}) {
            LL_Node*& copy = Own(LL_Copy(head, nullptr));
            DBERR result = 0xBEEF;
            copy = LL_InsertSorted(copy, &item[10], compare, &result);
            EXPECT_EQ(result, DBERR_OK);
            ASSERT_TRUE(IsSoundList(copy));
            EXPECT_EQ(Slots(copy), c.expect);
            // Into the empty list the node is open until LL_Close.
            if (c.keys.empty()) {
                EXPECT_EQ(copy->prev, nullptr);
                EXPECT_EQ(copy->next, nullptr);
                copy = LL_Close(copy);
                ASSERT_TRUE(IsSoundRing(copy));
                EXPECT_EQ(copy->next, copy);
            }
        }
    }
}

TEST_F(LinkedListTest, ListBuiltBySortedInsertionIsStable) {
    std::mt19937 rng(7);
    std::vector<int> keys(400);
    for (int& k : keys)
        k = static_cast<int>(rng() % 9);
    LL_Node*& head = Build({});
    for (int& k : keys) {
        head = LL_InsertSorted(head, &k, CompareKey);
        head = LL_Close(head);
        ASSERT_TRUE(IsSoundRing(head));
    }
    ASSERT_EQ(LL_Count(head, nullptr, 0), keys.size());
    const int* prev = nullptr;
    for (void* data : ringcheck::DataOf(head)) {
        const int* k = static_cast<const int*>(data);
        if (prev != nullptr) {
            ASSERT_LE(*prev, *k);
            if (*prev == *k) {
                ASSERT_LT(prev, k) << "equal keys out of insertion order";
            }
        }
        prev = k;
    }
}

// The list edge cases: each row runs one operation on a ring of slots 0..n-1
// (key = slot) and states the list after it and the node it answers.
struct EdgeCase {
    const char* name;
    int size;
    std::function<LL_Node*(LL_Node*& head)> op;
    std::vector<int> expectList;
    int expectNode; // slot of the node answered, -1 null
};

TEST_F(LinkedListTest, EdgeCases) {
    const auto Node = [this](LL_Node* head, int slot) { return NodeOf(head, slot); };
    const auto Item = [this](int slot) { return &item[slot]; };
    const uint32_t even = Mask({0, 2, 4, 6});
    const EdgeCase cases[] = {
        {"find: null key, no comparator, gives the first passing element",
         4,
         [&](LL_Node*& h) {
             return LL_Find(h, nullptr, nullptr, PassMasked, Mask({2, 3}));
         },
         {0, 1, 2, 3},
         2},
        {"find: by identity",
         4,
         [&](LL_Node*& h) { return LL_Find(h, Item(3), nullptr, nullptr, 0); },
         {0, 1, 2, 3},
         3},
        {"find: by comparator",
         4,
         [&](LL_Node*& h) {
             static int key = 2;
             return LL_Find(h, &key, CompareKey, nullptr, 0);
         },
         {0, 1, 2, 3},
         2},
        {"find: a match the filter rejects is skipped",
         4,
         [&](LL_Node*& h) { return LL_Find(h, Item(1), nullptr, PassMasked, even); },
         {0, 1, 2, 3},
         -1},
        {"find: empty list",
         0,
         [&](LL_Node*& h) { return LL_Find(h, nullptr, nullptr, nullptr, 0); },
         {},
         -1},
        {"find from: forwards wraps from the tail to the head",
         5,
         [&](LL_Node*& h) {
             return LL_FindFrom(h, Node(h, 3), nullptr, nullptr, PassMasked, Mask({1, 2}), 1);
         },
         {0, 1, 2, 3, 4},
         1},
        {"find from: backwards wraps from the head to the tail",
         5,
         [&](LL_Node*& h) {
             return LL_FindFrom(h, Node(h, 1), nullptr, nullptr, PassMasked, Mask({2, 3}), 0);
         },
         {0, 1, 2, 3, 4},
         3},
        {"find from: the start node itself is looked at first",
         5,
         [&](LL_Node*& h) { return LL_FindFrom(h, Node(h, 2), nullptr, nullptr, nullptr, 0, 0); },
         {0, 1, 2, 3, 4},
         2},
        {"find from: null start means the head",
         5,
         [&](LL_Node*& h) { return LL_FindFrom(h, nullptr, Item(4), nullptr, nullptr, 0, 1); },
         {0, 1, 2, 3, 4},
         4},
        {"find from: none after a full round",
         5,
         [&](LL_Node*& h) {
             return LL_FindFrom(h, Node(h, 2), nullptr, nullptr, PassMasked, 0, 1);
         },
         {0, 1, 2, 3, 4},
         -1},
        {"get nth: with a filter",
         6,
         [&](LL_Node*& h) { return LL_GetNth(h, 2, PassMasked, even); },
         {0, 1, 2, 3, 4, 5},
         4},
        {"get nth: beyond the end gives the head",
         3,
         [&](LL_Node*& h) { return LL_GetNth(h, 5, nullptr, 0); },
         {0, 1, 2},
         0},
        {"get nth: at the count gives the head",
         3,
         [&](LL_Node*& h) { return LL_GetNth(h, 3, nullptr, 0); },
         {0, 1, 2},
         0},
        {"get nth: nothing passes gives null",
         3,
         [&](LL_Node*& h) { return LL_GetNth(h, 0, PassMasked, 0); },
         {0, 1, 2},
         -1},
        {"get nth: empty list",
         0,
         [&](LL_Node*& h) { return LL_GetNth(h, 0, nullptr, 0); },
         {},
         -1},
        {"get tail: empty list", 0, [&](LL_Node*& h) { return LL_GetTail(h); }, {}, -1},
        {"remove: the only element empties the list",
         1,
         [&](LL_Node*& h) { return h = LL_Remove(h, h, nullptr); },
         {},
         -1},
        {"remove: the head makes the next node the head",
         3,
         [&](LL_Node*& h) { return h = LL_Remove(h, h, nullptr); },
         {1, 2},
         1},
        {"remove: the tail",
         3,
         [&](LL_Node*& h) { return h = LL_Remove(h, Node(h, 2), nullptr); },
         {0, 1},
         0},
        {"remove: a null node changes nothing",
         2,
         [&](LL_Node*& h) { return h = LL_Remove(h, nullptr, nullptr); },
         {0, 1},
         0},
        {"unlink: a middle node, whose links are cleared",
         3,
         [&](LL_Node*& h) {
             LL_Node* n = Node(h, 1);
             h = LL_Unlink(h, n);
             const bool cleared = n->prev == nullptr && n->next == nullptr;
             delete n;
             return cleared ? h : nullptr;
         },
         {0, 2},
         0},
        {"unlink: the head of a ring of two",
         2,
         [&](LL_Node*& h) {
             LL_Node* n = h;
             h = LL_Unlink(h, n);
             delete n;
             return h;
         },
         {1},
         1},
        {"close: an open list becomes a ring",
         3,
         [&](LL_Node*& h) {
             h->prev->next = nullptr; // open it by hand
             h->prev = nullptr;
             if (LL_GetTail(h) != h->next->next) return static_cast<LL_Node*>(nullptr);
             return h = LL_Close(h);
         },
         {0, 1, 2},
         0},
        {"close: an empty list stays empty",
         0,
         [&](LL_Node*& h) { return h = LL_Close(h); },
         {},
         -1},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> slots;
        for (int i = 0; i < c.size; ++i)
            slots.push_back(i);
        LL_Node*& head = Build(slots);
        LL_Node* answer = c.op(head);
        ASSERT_TRUE(IsSoundRing(head));
        EXPECT_EQ(Slots(head), c.expectList);
        EXPECT_EQ(SlotOf(answer), c.expectNode);
    }
}

struct CountCase {
    const char* name;
    int size;
    uint32_t mask; // 0xFFFFFFFF: no filter
    int keySlot;   // for IndexOf, -1: null key
    uint16_t count;
    uint16_t index;
};

TEST_F(LinkedListTest, CountAndIndexOverPassingElements) {
    const CountCase cases[] = {
        {"empty list", 0, 0xFFFFFFFF, -1, 0, DB_INDEX_NONE},
        {"no filter", 5, 0xFFFFFFFF, 3, 5, 3},
        {"filter passes nothing", 5, 0, 3, 0, DB_INDEX_NONE},
        {"index counts passing elements only", 6, Mask({1, 3, 5}), 5, 3, 2},
        {"a key the filter rejects is not found", 6, Mask({1, 3, 5}), 2, 3, DB_INDEX_NONE},
        {"null key gives the first passing element", 6, Mask({4, 5}), -1, 2, 0},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> slots;
        for (int i = 0; i < c.size; ++i)
            slots.push_back(i);
        LL_Node*& head = Build(slots);
        const LL_FilterFn filter = c.mask == 0xFFFFFFFF ? nullptr : PassMasked;
        EXPECT_EQ(LL_Count(head, filter, c.mask), c.count);
        EXPECT_TRUE(IsSoundRing(head));
        const void* key = c.keySlot < 0 ? nullptr : &item[c.keySlot];
        EXPECT_EQ(LL_IndexOf(head, key, nullptr, filter, c.mask), c.index);
        EXPECT_TRUE(IsSoundRing(head));
    }
}

std::vector<int> g_freed;
void RecordFree(void* data) {
    g_freed.push_back(*static_cast<int*>(data));
}

TEST_F(LinkedListTest, RemoveAndFreeAllHandDataToTheCallback) {
    g_freed.clear();
    LL_Node*& head = Build({0, 1, 2, 3});
    head = LL_Remove(head, NodeOf(head, 2), RecordFree);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(g_freed, (std::vector<int>{2}));
    head = LL_FreeAll(head, RecordFree);
    EXPECT_EQ(head, nullptr);
    EXPECT_EQ(g_freed, (std::vector<int>{2, 0, 1, 3}));
}

// What is learnt about a list holds only while the change count stands
// still: every operation that changes a list's links or nodes must move it,
// and reading a list or copying it must not.
TEST_F(LinkedListTest, ChangeCountMovesWithEveryChangeAndOnlyThen) {
    struct Case {
        const char* what;
        bool changes;
        std::function<void(LL_Node*&)> run;
    };
    const Case cases[] = {
        {"append", true, [&](LL_Node*& h) { h = LL_Append(h, &item[9]); }},
        {"sorted insert", true, [&](LL_Node*& h) { h = LL_InsertSorted(h, &item[9], CompareKey); }},
        {"unlink", true,
         [&](LL_Node*& h) {
             LL_Node* node = NodeOf(h, 2);
             h = LL_Unlink(h, node);
             Own(node);
         }},
        {"remove", true, [&](LL_Node*& h) { h = LL_Remove(h, NodeOf(h, 2), nullptr); }},
        {"free all", true, [&](LL_Node*& h) { h = LL_FreeAll(h, nullptr); }},
        {"merge", true,
         [&](LL_Node*& h) {
             h = LL_Merge(h, LL_Copy(Build({7, 8}), nullptr), CompareKey);
         }},
        {"move by", true, [&](LL_Node*& h) { h = LL_MoveBy(h, NodeOf(h, 0), 2, nullptr, 0); }},
        {"find, count, index, tail, nth", false,
         [&](LL_Node*& h) {
             LL_Find(h, &item[2], nullptr, nullptr, 0);
             LL_FindFrom(h, nullptr, &item[3], nullptr, nullptr, 0, 1);
             LL_Count(h, nullptr, 0);
             LL_IndexOf(h, &item[1], nullptr, nullptr, 0);
             LL_GetTail(h);
             LL_GetNth(h, 2, nullptr, 0);
         }},
        {"copy and intersect", false,
         [&](LL_Node*& h) {
             Own(LL_Copy(h, nullptr));
             Own(LL_Intersect(h, h, nullptr));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LL_Node*& head = Build({0, 1, 2, 3});
        const uint64_t before = INT_LL_ChangeCount();
        c.run(head);
        EXPECT_EQ(INT_LL_ChangeCount() != before, c.changes);
    }
    // Closing an open list changes its links too.
    LL_Node*& open = Own(LL_InsertSorted(nullptr, &item[5], CompareKey));
    const uint64_t before = INT_LL_ChangeCount();
    open = LL_Close(open);
    EXPECT_NE(INT_LL_ChangeCount(), before);
}

TEST_F(LinkedListTest, CopyKeepsDataOrderAndOpenness) {
    LL_Node*& head = Build({0, 1, 2, 3}, {4, 1, 3, 1});
    LL_Node*& same = Own(LL_Copy(head, nullptr));
    ASSERT_TRUE(IsSoundRing(same));
    EXPECT_EQ(Slots(same), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_NE(same, head);
    LL_Node*& sorted = Own(LL_Copy(head, CompareKey));
    ASSERT_TRUE(IsSoundRing(sorted));
    EXPECT_EQ(Slots(sorted), (std::vector<int>{1, 3, 2, 0}));
    EXPECT_EQ(LL_Copy(nullptr, CompareKey), nullptr);

    // An open source gives an open copy.
    LL_Node*& open = Own(LL_InsertSorted(nullptr, &item[5], CompareKey));
    open = LL_InsertSorted(open, &item[6], CompareKey);
    ASSERT_TRUE(IsSoundList(open));
    LL_Node*& openCopy = Own(LL_Copy(open, nullptr));
    ASSERT_TRUE(IsSoundList(openCopy));
    EXPECT_EQ(openCopy->prev, nullptr);
    EXPECT_EQ(Slots(openCopy), Slots(open));
}

TEST_F(LinkedListTest, IntersectTakesBsMatchInAsOrder) {
    // a: keys 5 3 9 1 ; b: keys 1 3 3 7 -> b's first 3 (slot 5), then b's 1.
    LL_Node*& a = Build({0, 1, 2, 3}, {5, 3, 9, 1});
    LL_Node*& b = Build({4, 5, 6, 7}, {1, 3, 3, 7});
    LL_Node*& common = Own(LL_Intersect(a, b, CompareKey));
    ASSERT_TRUE(IsSoundRing(common));
    EXPECT_EQ(Slots(common), (std::vector<int>{5, 4}));
    EXPECT_TRUE(IsSoundRing(a));
    EXPECT_TRUE(IsSoundRing(b));
    EXPECT_EQ(LL_Intersect(a, nullptr, CompareKey), nullptr);
    // Without comparator elements match by identity.
    LL_Node*& self = Own(LL_Intersect(a, a, nullptr));
    EXPECT_EQ(Slots(self), (std::vector<int>{0, 1, 2, 3}));
}

struct MergeCase {
    const char* name;
    std::vector<int> aKeys, bKeys; // a: slots 0.., b: slots 6..
    bool sorted;
    std::vector<int> expect;
};

TEST_F(LinkedListTest, MergeUsesUpTheSecondList) {
    const MergeCase cases[] = {
        {"sorted", {1, 4, 6}, {0, 4, 5, 9}, true, {6, 0, 1, 7, 8, 2, 9}},
        {"sorted, b's equal elements keep their order", {2}, {2, 2}, true, {0, 6, 7}},
        {"spliced after a's tail", {1, 4}, {9, 0}, false, {0, 1, 6, 7}},
        {"empty a gives b", {}, {3, 1}, true, {6, 7}},
        {"empty b gives a", {3, 1}, {}, true, {0, 1}},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> aSlots, bSlots;
        for (size_t i = 0; i < c.aKeys.size(); ++i)
            aSlots.push_back(static_cast<int>(i));
        for (size_t i = 0; i < c.bKeys.size(); ++i)
            bSlots.push_back(static_cast<int>(6 + i));
        LL_Node*& a = Build(aSlots, c.aKeys);
        LL_Node* b = LL_Copy(Build(bSlots, c.bKeys), nullptr); // b's own nodes, used up below
        a = LL_Merge(a, b, c.sorted ? CompareKey : nullptr);
        ASSERT_TRUE(IsSoundRing(a));
        EXPECT_EQ(Slots(a), c.expect);
    }
    LL_Node*& self = Build({0, 1});
    self = LL_Merge(self, self, CompareKey);
    ASSERT_TRUE(IsSoundRing(self));
    EXPECT_EQ(Slots(self), (std::vector<int>{0, 1}));
}

TEST_F(LinkedListTest, NoMemoryLeavesListsAsTheyWere) {
    LL_Node*& head = Build({0, 1, 2}, {2, 4, 6});
    item[5] = 5;
    DBERR result = DBERR_OK;

    DB_SetAllocFailAfter(0);
    EXPECT_EQ(LL_Append(head, &item[5], &result), head);
    EXPECT_EQ(result, DBERR_NO_MEMORY);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(LL_InsertSorted(head, &item[5], CompareKey, &result), head);
    EXPECT_EQ(result, DBERR_NO_MEMORY);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(LL_InsertSorted(nullptr, &item[5], CompareKey, &result), nullptr);
    EXPECT_EQ(result, DBERR_NO_MEMORY);
    EXPECT_EQ(Slots(head), (std::vector<int>{0, 1, 2}));

    // Copies that run out part way free what they made (the sanitizer build
    // reports a leak otherwise) and say so.
    DB_SetAllocFailAfter(2);
    EXPECT_EQ(LL_Copy(head, nullptr, &result), nullptr);
    EXPECT_EQ(result, DBERR_NO_MEMORY);
    ASSERT_TRUE(IsSoundRing(head));
    DB_SetAllocFailAfter(1);
    EXPECT_EQ(LL_Intersect(head, head, nullptr, &result), nullptr);
    EXPECT_EQ(result, DBERR_NO_MEMORY);
    ASSERT_TRUE(IsSoundRing(head));

    // A sorted merge needs no memory: nothing of b is lost.
    DB_SetAllocFailAfter(-1);
    LL_Node* b = LL_Append(LL_Append(nullptr, &item[5]), &item[1]);
    ASSERT_TRUE(IsSoundRing(b));
    DB_SetAllocFailAfter(0);
    head = LL_Merge(head, b, CompareKey);
    ASSERT_TRUE(IsSoundRing(head));
    EXPECT_EQ(Slots(head), (std::vector<int>{0, 1, 1, 5, 2}));

    DB_SetAllocFailAfter(-1);
    head = LL_Append(head, &item[7], &result);
    EXPECT_EQ(result, DBERR_OK);
    EXPECT_TRUE(IsSoundRing(head));
}

// Move-by. Every row starts from a ring of slots 0..size-1 (key = slot).
struct MoveCase {
    const char* name;
    int size;
    uint32_t mask; // keys that pass the filter; kAll: no filter
    int node;
    int32_t steps;
    std::vector<int> expect; // the list from its head afterwards
};
constexpr uint32_t kAll = 0xFFFFFFFF;

TEST_F(LinkedListTest, MoveByAndItsWrapRules) {
    const std::vector<int> five = {0, 1, 2, 3, 4};
    const MoveCase cases[] = {
        // Inside the list.
        {"forwards goes after the target", 5, kAll, 1, 2, {0, 2, 3, 1, 4}},
        {"backwards goes before the target", 5, kAll, 3, -2, {0, 3, 1, 2, 4}},
        {"backwards onto the head becomes the head", 5, kAll, 1, -1, {1, 0, 2, 3, 4}},
        {"head forwards to the tail", 5, kAll, 0, 4, {1, 2, 3, 4, 0}},
        {"tail backwards to the head", 5, kAll, 4, -4, {4, 0, 1, 2, 3}},
        {"step 0 lands on the node: unchanged", 5, kAll, 2, 0, five},
        {"step 0 on the head: unchanged", 5, kAll, 0, 0, five},
        // Wrapping round.
        {"head backwards by one goes after the tail", 5, kAll, 0, -1, {1, 2, 3, 4, 0}},
        {"head backwards by two", 5, kAll, 0, -2, {1, 2, 3, 0, 4}},
        {"tail forwards by one becomes the head", 5, kAll, 4, 1, {4, 0, 1, 2, 3}},
        {"tail forwards by two goes before its target", 5, kAll, 4, 2, {0, 4, 1, 2, 3}},
        {"tail forwards by four", 5, kAll, 4, 4, {0, 1, 2, 4, 3}},
        {"tail forwards by the count comes back: unchanged", 5, kAll, 4, 5, five},
        {"tail forwards past the count: unchanged", 5, kAll, 4, 7, five},
        {"head backwards by the count: unchanged", 5, kAll, 0, -5, five},
        {"middle forwards past the tail goes after its target", 5, kAll, 3, 3, {0, 1, 3, 2, 4}},
        {"middle backwards past the head goes before its target", 5, kAll, 1, -3, {0, 2, 1, 3, 4}},
        {"largest steps forwards: unchanged", 5, kAll, 2, INT32_MAX, five},
        {"largest steps backwards: unchanged", 5, kAll, 2, INT32_MIN, five},
        // Rings of two and one.
        {"two: second forwards by one becomes the head", 2, kAll, 1, 1, {1, 0}},
        {"two: second backwards by one becomes the head", 2, kAll, 1, -1, {1, 0}},
        {"two: second by two: unchanged", 2, kAll, 1, 2, {0, 1}},
        {"two: second by three comes back: unchanged", 2, kAll, 1, 3, {0, 1}},
        {"two: head forwards by one", 2, kAll, 0, 1, {1, 0}},
        {"two: head backwards by one", 2, kAll, 0, -1, {1, 0}},
        {"two: step 0: unchanged", 2, kAll, 1, 0, {0, 1}},
        {"one: unchanged", 1, kAll, 0, 1, {0}},
        // A filter that rejects some elements: only passing ones count.
        {"filter: forwards steps over rejected", 5, Mask({0, 2, 4}), 0, 1, {1, 2, 0, 3, 4}},
        {"filter: backwards onto the head", 5, Mask({0, 2, 4}), 2, -1, {2, 0, 1, 3, 4}},
        {"filter: tail forwards by one onto the head", 5, Mask({0, 2, 4}), 4, 1, {4, 0, 1, 2, 3}},
        {"filter: tail forwards by one, head rejected", 5, Mask({1, 2, 4}), 4, 1, {0, 4, 1, 2, 3}},
        {"filter: tail forwards by two", 5, Mask({0, 2, 4}), 4, 2, {0, 1, 4, 2, 3}},
        {"filter: middle forwards past the tail", 5, Mask({0, 2, 4}), 2, 2, {0, 2, 1, 3, 4}},
        {"filter: rejected node, step 0, goes before the previous passing one",
         5,
         Mask({0, 2, 4}),
         1,
         0,
         {1, 0, 2, 3, 4}},
        {"filter: rejected node forwards by one", 5, Mask({0, 2, 4}), 1, 1, {0, 2, 3, 4, 1}},
        {"filter: only the node passes: unchanged", 5, Mask({2}), 2, 1, five},
        {"filter: nothing passes: unchanged", 5, 0, 2, -1, five},
        {"filter: two, head rejected: unchanged", 2, Mask({1}), 1, 1, {0, 1}},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> slots;
        for (int i = 0; i < c.size; ++i)
            slots.push_back(i);
        LL_Node*& head = Build(slots);
        LL_Node* node = NodeOf(head, c.node);
        LL_Node* next = nullptr;
        const LL_FilterFn filter = c.mask == kAll ? nullptr : PassMasked;
        head = LL_MoveBy(head, node, c.steps, filter, c.mask, &next);
        ASSERT_TRUE(IsSoundRing(head));
        EXPECT_EQ(Slots(head), c.expect);
        // The node answered is the one that now follows the moved node.
        size_t at = 0;
        while (at < c.expect.size() && c.expect[at] != c.node)
            ++at;
        EXPECT_EQ(SlotOf(next), c.expect[(at + 1) % c.expect.size()]);
    }
}

TEST_F(LinkedListTest, MoveByIgnoresANodeOfAnotherList) {
    LL_Node*& head = Build({0, 1, 2});
    LL_Node*& other = Build({5, 6});
    LL_Node* next = nullptr;
    head = LL_MoveBy(head, other->next, 1, nullptr, 0, &next);
    ASSERT_TRUE(IsSoundRing(head));
    ASSERT_TRUE(IsSoundRing(other));
    EXPECT_EQ(Slots(head), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Slots(other), (std::vector<int>{5, 6}));
    EXPECT_EQ(next, other);
}

// The checker itself must see each kind of broken link.
TEST_F(LinkedListTest, RingCheckSeesBrokenLinks) {
    LL_Node*& head = Build({0, 1, 2, 3});
    ASSERT_TRUE(IsSoundRing(head));
    LL_Node* second = head->next;
    LL_Node* third = second->next;

    third->prev = head; // next.prev != node
    EXPECT_FALSE(IsSoundRing(head));
    third->prev = second;

    LL_Node* tail = head->prev;
    head->prev = third; // the head's prev is not the tail
    EXPECT_FALSE(IsSoundRing(head));
    head->prev = tail;

    tail->next = second; // a ring that never comes back to the head
    EXPECT_FALSE(IsSoundRing(head));
    tail->next = head;

    head->prev = nullptr; // open where a ring is expected
    tail->next = nullptr;
    EXPECT_FALSE(IsSoundRing(head));
    EXPECT_TRUE(IsSoundList(head));
    head->prev = tail;
    tail->next = head;
    EXPECT_TRUE(IsSoundRing(head));
}

TEST_F(LinkedListTest, RandomEditsKeepTheRingSound) {
    std::mt19937 rng(42);
    int values[64];
    LL_Node*& head = Build({});
    std::vector<int*> model; // the list's data for appends and removes
    for (int round = 0; round < 3000; ++round) {
        const unsigned pick = rng() % 5;
        if (pick <= 1 || model.empty()) {
            int* v = &values[rng() % 64];
            *v = static_cast<int>(rng() % 32);
            head = LL_Append(head, v);
            model.push_back(v);
        } else if (pick == 2) {
            const size_t at = rng() % model.size();
            head = LL_Remove(head, LL_GetNth(head, static_cast<uint32_t>(at), nullptr, 0), nullptr);
            model.erase(model.begin() + static_cast<long>(at));
        } else {
            LL_Node* node =
                LL_GetNth(head, static_cast<uint32_t>(rng() % model.size()), nullptr, 0);
            const int32_t steps = static_cast<int32_t>(rng() % 13) - 6;
            head = LL_MoveBy(head, node, steps, PassMasked, static_cast<uint32_t>(rng()));
            // A move keeps every element; take the new order as the model.
            std::vector<int*> moved;
            for (void* d : ringcheck::DataOf(head))
                moved.push_back(static_cast<int*>(d));
            std::vector<int*> before = model, after = moved;
            std::sort(before.begin(), before.end());
            std::sort(after.begin(), after.end());
            ASSERT_EQ(after, before) << "round " << round;
            model = moved;
        }
        ASSERT_TRUE(IsSoundRing(head)) << "round " << round;
        std::vector<int*> now;
        for (void* d : ringcheck::DataOf(head))
            now.push_back(static_cast<int*>(d));
        ASSERT_EQ(now, model) << "round " << round;
    }
}

} // namespace
