#include "linkedlist.h"

#include <new>

#include "dballoc.h"
#include "dbstate.h"
#include "wrapper.h"

namespace {

// The library's one semaphore id; nothing sets it on the PC, so it stays 0.
constexpr uint32_t g_LLSemId = 0;

struct LLLock {
    LLLock() { OS_SemTake(g_LLSemId); }
    ~LLLock() { OS_SemGive(g_LLSemId); }
    LLLock(const LLLock&) = delete;
    LLLock& operator=(const LLLock&) = delete;
};

// Counts every change to the links or the data of any list (see
// INT_LL_ChangeCount); it only ever grows.
uint64_t g_changeCount = 0;

void setResult(DBERR* result, DBERR value) {
    if (result != nullptr) *result = value;
}

LL_Node* newNode(void* data) {
    LL_Node* node = DB_New<LL_Node>();
    if (node != nullptr) *node = LL_Node{data, nullptr, nullptr};
    return node;
}

bool passes(const LL_Node* node, LL_FilterFn filter, uint32_t filterKey) {
    return filter == nullptr || filter(node->data, filterKey) != 0;
}

bool matches(const LL_Node* node, const void* key, LL_CompareFn compare) {
    if (compare != nullptr) return compare(node->data, key) == 0;
    return key == nullptr || node->data == key;
}

bool isClosed(const LL_Node* head) {
    return head != nullptr && head->prev != nullptr;
}

// The node after n in list order, null past the last one (open or closed).
LL_Node* nextInList(const LL_Node* head, const LL_Node* n) {
    return n->next == head ? nullptr : n->next;
}

// Neighbours going round: past the tail comes the head and before the head
// the tail, for open lists as for rings.
LL_Node* roundNext(LL_Node* head, const LL_Node* n) {
    return n->next != nullptr ? n->next : head;
}
LL_Node* roundPrev(LL_Node* head, const LL_Node* n) {
    return n->prev != nullptr ? n->prev : INT_LL_GetTail(head);
}

void linkAfter(LL_Node* pos, LL_Node* node) {
    node->prev = pos;
    node->next = pos->next;
    if (pos->next != nullptr) pos->next->prev = node;
    pos->next = node;
}

// The caller makes node the head when pos was the head.
void linkBefore(LL_Node* pos, LL_Node* node) {
    node->next = pos;
    node->prev = pos->prev;
    if (pos->prev != nullptr) pos->prev->next = node;
    pos->prev = node;
}

// Places an unlinked node at the end of a list; an empty list becomes a ring.
LL_Node* appendNode(LL_Node* head, LL_Node* node) {
    if (head == nullptr) {
        node->prev = node->next = node;
        return node;
    }
    linkAfter(INT_LL_GetTail(head), node);
    return head;
}

// Places an unlinked node after the leading elements that are not greater;
// into the empty list it gives an open single node.
LL_Node* insertNodeSorted(LL_Node* head, LL_Node* node, LL_CompareFn compare) {
    if (head == nullptr) {
        node->prev = node->next = nullptr;
        return node;
    }
    if (compare(head->data, node->data) > 0) {
        linkBefore(head, node);
        return node;
    }
    LL_Node* pos = head;
    for (LL_Node* n = nextInList(head, pos); n != nullptr && compare(n->data, node->data) <= 0;
         n = nextInList(head, pos))
        pos = n;
    linkAfter(pos, node);
    return head;
}

bool contains(const LL_Node* head, const LL_Node* node) {
    for (const LL_Node* n = head; n != nullptr; n = nextInList(head, n))
        if (n == node) return true;
    return false;
}

// Makes a ring open: head.prev and tail.next become null.
void openRing(LL_Node* head) {
    if (!isClosed(head)) return;
    head->prev->next = nullptr;
    head->prev = nullptr;
}

// A new node for an insertion, with *result set: null (and the list left
// alone) for null data or no memory.
LL_Node* newNodeToInsert(void* data, DBERR* result) {
    LL_Node* node = data != nullptr ? newNode(data) : nullptr;
    setResult(result, data == nullptr   ? DBERR_NULL_ARG
                      : node == nullptr ? DBERR_NO_MEMORY
                                        : DBERR_OK);
    return node;
}

// Closes an open list into a ring without counting a change: for lists
// being built, which nothing can have learnt about yet.
LL_Node* closeList(LL_Node* head) {
    if (head == nullptr || isClosed(head)) return head;
    LL_Node* tail = INT_LL_GetTail(head);
    tail->next = head;
    head->prev = tail;
    return head;
}

} // namespace

void INT_LL_NoteChange() {
    ++g_changeCount;
}

uint64_t INT_LL_ChangeCount() {
    return g_changeCount;
}

LL_Node* INT_LL_Append(LL_Node* head, void* data, DBERR* result) {
    INT_LL_NoteChange();
    LL_Node* node = newNodeToInsert(data, result);
    return node != nullptr ? appendNode(head, node) : head;
}

LL_Node* INT_LL_InsertSorted(LL_Node* head, void* data, LL_CompareFn compare, DBERR* result) {
    INT_LL_NoteChange();
    if (compare == nullptr) return INT_LL_Append(head, data, result);
    LL_Node* node = newNodeToInsert(data, result);
    return node != nullptr ? insertNodeSorted(head, node, compare) : head;
}

LL_Node* INT_LL_Find(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                     uint32_t filterKey) {
    for (LL_Node* n = head; n != nullptr; n = nextInList(head, n))
        if (passes(n, filter, filterKey) && matches(n, key, compare)) return n;
    return nullptr;
}

LL_Node* INT_LL_FindFrom(LL_Node* head, LL_Node* start, const void* key, LL_CompareFn compare,
                         LL_FilterFn filter, uint32_t filterKey, int forwards) {
    if (head == nullptr) return nullptr;
    if (start == nullptr) start = head;
    LL_Node* n = start;
    do {
        if (passes(n, filter, filterKey) && matches(n, key, compare)) return n;
        n = forwards != 0 ? roundNext(head, n) : roundPrev(head, n);
    } while (n != start);
    return nullptr;
}

LL_Node* INT_LL_GetNth(LL_Node* head, uint32_t n, LL_FilterFn filter, uint32_t filterKey) {
    uint32_t seen = 0;
    for (LL_Node* node = head; node != nullptr; node = nextInList(head, node)) {
        if (!passes(node, filter, filterKey)) continue;
        if (seen == n) return node;
        ++seen;
    }
    return seen > 0 && isClosed(head) ? head : nullptr;
}

LL_Node* INT_LL_GetTail(LL_Node* head) {
    if (head == nullptr) return nullptr;
    if (head->prev != nullptr) return head->prev;
    LL_Node* n = head;
    while (n->next != nullptr && n->next != head)
        n = n->next;
    return n;
}

uint16_t INT_LL_Count(LL_Node* head, LL_FilterFn filter, uint32_t filterKey) {
    uint16_t count = 0;
    for (LL_Node* n = head; n != nullptr && count < 0xFFFF; n = nextInList(head, n))
        if (passes(n, filter, filterKey)) ++count;
    return count;
}

uint16_t INT_LL_IndexOf(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                        uint32_t filterKey) {
    uint16_t index = 0;
    for (LL_Node* n = head; n != nullptr && index < DB_INDEX_NONE; n = nextInList(head, n)) {
        if (!passes(n, filter, filterKey)) continue;
        if (matches(n, key, compare)) return index;
        ++index;
    }
    return DB_INDEX_NONE;
}

LL_Node* INT_LL_Unlink(LL_Node* head, LL_Node* node) {
    INT_LL_NoteChange();
    if (head == nullptr || node == nullptr) return head;
    LL_Node* prev = node->prev;
    LL_Node* next = node->next;
    node->prev = node->next = nullptr;
    if (next == node) return nullptr; // the only node of a ring
    if (prev != nullptr) prev->next = next;
    if (next != nullptr) next->prev = prev;
    return node == head ? next : head;
}

LL_Node* INT_LL_Remove(LL_Node* head, LL_Node* node, LL_FreeFn freeData) {
    INT_LL_NoteChange();
    if (node == nullptr) return head;
    head = INT_LL_Unlink(head, node);
    if (freeData != nullptr) freeData(node->data);
    delete node;
    return head;
}

LL_Node* INT_LL_FreeAll(LL_Node* head, LL_FreeFn freeData) {
    INT_LL_NoteChange();
    openRing(head);
    while (head != nullptr) {
        LL_Node* next = head->next;
        if (freeData != nullptr) freeData(head->data);
        delete head;
        head = next;
    }
    return nullptr;
}

LL_Node* INT_LL_Close(LL_Node* head) {
    INT_LL_NoteChange();
    return closeList(head);
}

LL_Node* INT_LL_Copy(LL_Node* head, LL_CompareFn compare, DBERR* result) {
    LL_Node* copy = nullptr;
    for (LL_Node* n = head; n != nullptr; n = nextInList(head, n)) {
        LL_Node* node = newNode(n->data);
        if (node == nullptr) {
            setResult(result, DBERR_NO_MEMORY);
            return INT_LL_FreeAll(copy, nullptr);
        }
        copy = compare != nullptr ? insertNodeSorted(copy, node, compare) : appendNode(copy, node);
    }
    if (isClosed(head))
        closeList(copy);
    else
        openRing(copy);
    setResult(result, DBERR_OK);
    return copy;
}

LL_Node* INT_LL_Intersect(LL_Node* a, LL_Node* b, LL_CompareFn compare, DBERR* result) {
    LL_Node* common = nullptr;
    for (LL_Node* n = a; n != nullptr; n = nextInList(a, n)) {
        LL_Node* match = INT_LL_Find(b, n->data, compare, nullptr, 0);
        if (match == nullptr) continue;
        LL_Node* node = newNode(match->data);
        if (node == nullptr) {
            setResult(result, DBERR_NO_MEMORY);
            return INT_LL_FreeAll(common, nullptr);
        }
        common = appendNode(common, node);
    }
    setResult(result, DBERR_OK);
    return common;
}

LL_Node* INT_LL_Merge(LL_Node* a, LL_Node* b, LL_CompareFn compare) {
    INT_LL_NoteChange();
    if (a == nullptr) return b;
    if (b == nullptr || a == b) return a;
    const bool closed = isClosed(a);
    openRing(a);
    openRing(b);
    if (compare == nullptr) {
        LL_Node* tail = INT_LL_GetTail(a);
        tail->next = b;
        b->prev = tail;
    } else {
        // Relinking b's own nodes puts them where sorted insertion of their
        // data would, and needs no memory, so no element can be lost.
        while (b != nullptr) {
            LL_Node* next = b->next;
            a = insertNodeSorted(a, b, compare);
            b = next;
        }
    }
    return closed ? INT_LL_Close(a) : a;
}

LL_Node* INT_LL_MoveBy(LL_Node* head, LL_Node* node, int32_t steps, LL_FilterFn filter,
                       uint32_t filterKey, LL_Node** nextOut) {
    INT_LL_NoteChange();
    const auto report = [&](LL_Node* newHead) {
        if (nextOut != nullptr) *nextOut = node != nullptr ? node->next : nullptr;
        return newHead;
    };
    if (head == nullptr || node == nullptr) return report(head);
    if (node->next == node || (node->next == nullptr && node->prev == nullptr))
        return report(head); // one node
    // The walk below goes round the node's own ring; a node of some other
    // list would never lead back to it.
    if (!contains(head, node)) return report(head);

    const bool forwards = steps > 0;
    const int64_t count = forwards ? int64_t{steps} : -int64_t{steps};

    LL_Node* target = nullptr;
    int64_t counted = 0;
    LL_Node* n = node;
    do {
        if (passes(n, filter, filterKey)) {
            if (counted == count) {
                target = n;
                break;
            }
            ++counted;
        }
        n = forwards ? roundNext(head, n) : roundPrev(head, n);
    } while (n != node);
    // A target that is the node itself (step 0 on a passing node) would be
    // relinked next to itself: nothing moves instead.
    if (target == nullptr || target == node) return report(head);

    // In a ring of two, an odd move of the second node only changes the head.
    if (isClosed(head) && head->next->next == head && node != head && count % 2 == 1)
        return report(node);

    const bool wasHead = node == head;
    const bool wasTail = nextInList(head, node) == nullptr;
    head = INT_LL_Unlink(head, node);
    if (forwards && !wasTail) {
        linkAfter(target, node);
    } else if (!forwards && wasHead) {
        linkAfter(target, node); // wraps round to the back
    } else {
        // Backwards, or a tail wrapping round forwards: ring order puts the
        // node before the target, so it leads the list when that is the head.
        linkBefore(target, node);
        if (target == head) head = node;
    }
    return report(head);
}

// ---- Locked front-ends ---------------------------------------------------

LL_Node* LL_Append(LL_Node* head, void* data, DBERR* result) {
    LLLock lock;
    return INT_LL_Append(head, data, result);
}
LL_Node* LL_InsertSorted(LL_Node* head, void* data, LL_CompareFn compare, DBERR* result) {
    LLLock lock;
    return INT_LL_InsertSorted(head, data, compare, result);
}
LL_Node* LL_Find(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                 uint32_t filterKey) {
    LLLock lock;
    return INT_LL_Find(head, key, compare, filter, filterKey);
}
LL_Node* LL_FindFrom(LL_Node* head, LL_Node* start, const void* key, LL_CompareFn compare,
                     LL_FilterFn filter, uint32_t filterKey, int forwards) {
    LLLock lock;
    return INT_LL_FindFrom(head, start, key, compare, filter, filterKey, forwards);
}
LL_Node* LL_GetNth(LL_Node* head, uint32_t n, LL_FilterFn filter, uint32_t filterKey) {
    LLLock lock;
    return INT_LL_GetNth(head, n, filter, filterKey);
}
LL_Node* LL_GetTail(LL_Node* head) {
    LLLock lock;
    return INT_LL_GetTail(head);
}
uint16_t LL_Count(LL_Node* head, LL_FilterFn filter, uint32_t filterKey) {
    LLLock lock;
    return INT_LL_Count(head, filter, filterKey);
}
uint16_t LL_IndexOf(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                    uint32_t filterKey) {
    LLLock lock;
    return INT_LL_IndexOf(head, key, compare, filter, filterKey);
}
LL_Node* LL_Unlink(LL_Node* head, LL_Node* node) {
    LLLock lock;
    return INT_LL_Unlink(head, node);
}
LL_Node* LL_Remove(LL_Node* head, LL_Node* node, LL_FreeFn freeData) {
    LLLock lock;
    return INT_LL_Remove(head, node, freeData);
}
LL_Node* LL_FreeAll(LL_Node* head, LL_FreeFn freeData) {
    LLLock lock;
    return INT_LL_FreeAll(head, freeData);
}
LL_Node* LL_Close(LL_Node* head) {
    LLLock lock;
    return INT_LL_Close(head);
}
LL_Node* LL_Copy(LL_Node* head, LL_CompareFn compare, DBERR* result) {
    LLLock lock;
    return INT_LL_Copy(head, compare, result);
}
LL_Node* LL_Intersect(LL_Node* a, LL_Node* b, LL_CompareFn compare, DBERR* result) {
    LLLock lock;
    return INT_LL_Intersect(a, b, compare, result);
}
LL_Node* LL_Merge(LL_Node* a, LL_Node* b, LL_CompareFn compare) {
    LLLock lock;
    return INT_LL_Merge(a, b, compare);
}
LL_Node* LL_MoveBy(LL_Node* head, LL_Node* node, int32_t steps, LL_FilterFn filter,
                   uint32_t filterKey, LL_Node** nextOut) {
    LLLock lock;
    return INT_LL_MoveBy(head, node, steps, filter, filterKey, nextOut);
}
