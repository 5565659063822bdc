// Structural checks of the database's linked lists, for the tests of every
// module that keeps one. A sound ring has next.prev == node and
// prev.next == node at every node, the same number of nodes going forwards
// as backwards, and comes back to its head both ways. A sound open list has
// null head.prev and tail.next and the same link agreement.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "linkedlist.h"

namespace ringcheck {

// Longer walks than this are taken for a broken list that never comes back.
constexpr size_t kWalkLimit = 100000;

inline ::testing::AssertionResult CheckList(const LL_Node* head, bool mayBeOpen) {
    if (head == nullptr) return ::testing::AssertionSuccess();
    const bool open = head->prev == nullptr;
    if (open && !mayBeOpen) return ::testing::AssertionFailure() << "list is open (head.prev null)";

    size_t forward = 0;
    const LL_Node* n = head;
    for (;;) {
        if (++forward > kWalkLimit)
            return ::testing::AssertionFailure() << "forward walk never returns to the head";
        const LL_Node* next = n->next;
        if (next == nullptr) {
            if (!open)
                return ::testing::AssertionFailure()
                       << "null next in a ring at node " << forward - 1;
            break;
        }
        if (next->prev != n)
            return ::testing::AssertionFailure() << "next.prev != node at node " << forward - 1;
        if (next == head) {
            if (open)
                return ::testing::AssertionFailure() << "open list whose tail points to the head";
            break;
        }
        n = next;
    }

    size_t backward = 0;
    const LL_Node* tail = open ? n : head->prev;
    for (const LL_Node* b = tail;;) {
        if (++backward > kWalkLimit)
            return ::testing::AssertionFailure() << "backward walk never returns to the head";
        if (b == head) break;
        const LL_Node* prev = b->prev;
        if (prev == nullptr) return ::testing::AssertionFailure() << "head not reached backwards";
        if (prev->next != b)
            return ::testing::AssertionFailure() << "prev.next != node walking backwards";
        b = prev;
    }
    if (forward != backward)
        return ::testing::AssertionFailure()
               << "forward count " << forward << " != backward count " << backward;
    return ::testing::AssertionSuccess();
}

// The list must be a sound ring (or empty).
inline ::testing::AssertionResult IsSoundRing(const LL_Node* head) {
    return CheckList(head, false);
}
// The list must be a sound ring or a sound open list (or empty).
inline ::testing::AssertionResult IsSoundList(const LL_Node* head) {
    return CheckList(head, true);
}

// Data pointers in list order (the walk stops at a broken link).
inline std::vector<void*> DataOf(const LL_Node* head) {
    std::vector<void*> out;
    for (const LL_Node* n = head; n != nullptr && out.size() < kWalkLimit; n = n->next) {
        out.push_back(n->data);
        if (n->next == head) break;
    }
    return out;
}

} // namespace ringcheck
