#include "svcrenumber.h"

#include <initializer_list>

#include "dbrecords.h"
#include "filters.h"
#include "svchandle.h"
#include "svchandleops.h"
#include "svclist.h"

namespace {

enum Part { LockedTv, LockedRadio, UnlockedTv, UnlockedRadio };

Part partOf(SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return UnlockedTv;
    const bool locked = (obj->numFlags & SVH_NUM_LOCKED) != 0;
    switch (DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W)) {
    case SVC_TYPE_TV:
        return locked ? LockedTv : UnlockedTv;
    case SVC_TYPE_RADIO:
        return locked ? LockedRadio : UnlockedRadio;
    default:
        return UnlockedTv; // filed with TV, as the load does
    }
}

uint32_t numberOf(SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    return obj != nullptr ? DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W) : 0;
}

// The first number after the last element of a locked part; 1 for none.
uint16_t numberAfterLast(LL_Node* locked) {
    if (locked == nullptr) return 1;
    return static_cast<uint16_t>(numberOf(SLM_NodeHandle(INT_LL_GetTail(locked))) + 1);
}

// Opens a ring (head.prev and tail.next null) and gives its tail.
LL_Node* openRing(LL_Node* head) {
    INT_LL_NoteChange();
    LL_Node* tail = INT_LL_GetTail(head);
    head->prev = nullptr;
    tail->next = nullptr;
    return tail;
}

// b merged into a by number and closed, exactly as the list library's sorted
// merge places each element of b (after the leading elements that are not
// greater, before the head when the head is greater), but a scan goes on
// from the element merged last whenever that one is not greater: the number
// order is transitive, so the leading run up to it is not greater either.
// Merging a sorted part into a sorted list is then one pass instead of a scan
// from the head for every element.
LL_Node* mergeByNumber(LL_Node* a, LL_Node* b) {
    if (a == nullptr) return INT_LL_Close(b);
    if (b == nullptr || a == b) return INT_LL_Close(a);
    LL_Node* tail = openRing(a);
    openRing(b);
    LL_Node* last = nullptr;
    while (b != nullptr) {
        LL_Node* node = b;
        b = b->next;
        LL_Node* pos = nullptr;
        if (last != nullptr && INT_SLM_CompareSvcNumber(last->data, node->data) <= 0) {
            pos = last;
        } else if (INT_SLM_CompareSvcNumber(a->data, node->data) > 0) {
            node->prev = nullptr;
            node->next = a;
            a->prev = node;
            a = last = node;
            continue;
        } else {
            pos = a;
        }
        while (pos->next != nullptr && INT_SLM_CompareSvcNumber(pos->next->data, node->data) <= 0)
            pos = pos->next;
        node->prev = pos;
        node->next = pos->next;
        if (pos->next != nullptr) pos->next->prev = node;
        pos->next = node;
        if (pos == tail) tail = node;
        last = node;
    }
    a->prev = tail;
    tail->next = a;
    INT_LL_NoteChange();
    return a;
}

} // namespace

DBERR INT_SLM_SplitServiceList(LL_Node** list, LL_Node** lockedTv, LL_Node** lockedRadio,
                               LL_Node** unlockedTv, LL_Node** unlockedRadio) {
    if (lockedTv == nullptr || lockedRadio == nullptr || unlockedTv == nullptr ||
        unlockedRadio == nullptr)
        return DBERR_NULL_ARG;
    LL_Node** parts[] = {lockedTv, lockedRadio, unlockedTv, unlockedRadio};
    for (LL_Node** part : parts)
        *part = nullptr;
    if (list == nullptr) return DBERR_NULL_OBJECT;

    // The parts get new nodes first; only when all of them were had do the
    // old nodes go, so running out of memory loses no service.
    for (LL_Node* node = *list; node != nullptr;) {
        LL_Node*& part = *parts[partOf(SLM_NodeHandle(node))];
        DBERR appended = DBERR_OK;
        part = INT_LL_Append(part, node->data, &appended);
        if (appended != DBERR_OK) {
            for (LL_Node** each : parts)
                *each = INT_LL_FreeAll(*each, nullptr);
            return DBERR_NO_MEMORY;
        }
        node = node->next;
        if (node == *list) break;
    }
    *list = INT_LL_FreeAll(*list, nullptr);
    return DBERR_OK;
}

DBERR INT_SLM_MergeServiceLists(LL_Node** list, LL_Node* lockedTv, LL_Node* lockedRadio,
                                LL_Node* unlockedTv, LL_Node* unlockedRadio) {
    if (list == nullptr) return DBERR_NULL_OBJECT;
    for (LL_Node* part : {lockedTv, lockedRadio, unlockedTv, unlockedRadio})
        *list = mergeByNumber(*list, part);
    return DBERR_OK;
}

DBERR INT_SLM_RenumberList(LL_Node* list, uint16_t first) {
    if (list == nullptr) return DBERR_NULL_OBJECT;
    uint32_t number = first;
    for (LL_Node* node = list; node != nullptr;) {
        const SvcHandle handle = SLM_NodeHandle(node);
        if (!SLM_IsNullService(handle)) {
            SvcHandleObj* obj = HT_Resolve(handle);
            obj->numFlags = DB_SetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W, number++);
        }
        node = node->next;
        if (node == list) break;
    }
    return DBERR_OK;
}

DBERR INT_SLM_RenumberServices(LL_Node* unlockedTv, LL_Node* unlockedRadio, LL_Node* lockedTv,
                               LL_Node* lockedRadio) {
    if (unlockedTv == nullptr && unlockedRadio == nullptr) return DBERR_NULL_OBJECT;
    if (lockedTv == nullptr && lockedRadio == nullptr) g_ListStateWord = 0;
    INT_SLM_RenumberList(unlockedTv, numberAfterLast(lockedTv));
    INT_SLM_RenumberList(unlockedRadio, numberAfterLast(lockedRadio));
    return DBERR_OK;
}

LL_Node* INT_SLM_NumberOrderStart(LL_Node* list) {
    // Null services keep whatever number they had and take none: only the
    // numbered services are compared, each with the one before it, once
    // round the ring (the last with the first).
    LL_Node* first = nullptr;
    for (LL_Node* node = list; node != nullptr;) {
        if (!SLM_IsNullService(SLM_NodeHandle(node))) {
            first = node;
            break;
        }
        node = node->next;
        if (node == list) break;
    }
    if (first == nullptr || list->prev == nullptr) return list; // nothing numbered, or open
    LL_Node* start = nullptr;
    uint32_t falls = 0;
    uint32_t previous = numberOf(SLM_NodeHandle(first));
    LL_Node* node = first;
    do {
        node = node->next;
        if (node != first && SLM_IsNullService(SLM_NodeHandle(node))) continue;
        const uint32_t number = numberOf(SLM_NodeHandle(node));
        if (number < previous) {
            ++falls;
            start = node;
        }
        previous = number;
    } while (node != first);
    return falls == 1 ? start : list;
}

DBERR INT_SLM_RenumberAll(LL_Node** list) {
    if (list == nullptr) return DBERR_NULL_OBJECT;
    LL_Node* lockedTv = nullptr;
    LL_Node* lockedRadio = nullptr;
    LL_Node* unlockedTv = nullptr;
    LL_Node* unlockedRadio = nullptr;
    const DBERR split =
        INT_SLM_SplitServiceList(list, &lockedTv, &lockedRadio, &unlockedTv, &unlockedRadio);
    if (split != DBERR_OK) return split;
    // Nothing to number when every service is locked; the parts still go back.
    INT_SLM_RenumberServices(unlockedTv, unlockedRadio, lockedTv, lockedRadio);
    return INT_SLM_MergeServiceLists(list, lockedTv, lockedRadio, unlockedTv, unlockedRadio);
}
