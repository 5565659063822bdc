// One pass round a closed list of the list library, for the tables' own
// walks. The visitor gets each node and returns false to stop early.
#pragma once
#include "linkedlist.h"

template <typename Visitor> void TBL_ForEachNode(LL_Node* head, Visitor visit) {
    LL_Node* node = head;
    while (node != nullptr) {
        LL_Node* next = node->next; // read first: the visitor may not touch node afterwards
        if (!visit(node)) return;
        if (next == head) return;
        node = next;
    }
}
