// The rings of the in-memory tables: one pass round a closed list of the
// list library, adding an element at its end, and positions counted from 1.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "linkedlist.h"

// One pass round the ring. The visitor gets each node and returns false to
// stop early.
template <typename Visitor> void TBL_ForEachNode(LL_Node* head, Visitor visit) {
    LL_Node* node = head;
    while (node != nullptr) {
        LL_Node* next = node->next; // read first: the visitor may not touch node afterwards
        if (!visit(node)) return;
        if (next == head) return;
        node = next;
    }
}

// Appends data at the end of a table's ring and closes the ring again. False
// when no node can be had; the list is then as it was.
inline bool TBL_AppendToRing(LL_Node*& list, void* data) {
    DBERR appended = DBERR_NO_MEMORY;
    list = LL_Append(list, data, &appended);
    if (appended != DBERR_OK) return false;
    list = LL_Close(list);
    return true;
}

// Position from 1 of the element at that address. Absent or null:
// *outPos = DB_INDEX_NONE and DBERR_TABLE_NOT_FOUND. Null out: DBERR_NULL_ARG.
inline DBERR TBL_PositionFromOne(LL_Node* list, const void* element, uint16_t* outPos) {
    if (outPos == nullptr) return DBERR_NULL_ARG;
    *outPos = DB_INDEX_NONE;
    if (element == nullptr) return DBERR_TABLE_NOT_FOUND;
    const uint16_t index = LL_IndexOf(list, element, nullptr, nullptr, 0);
    if (index == DB_INDEX_NONE) return DBERR_TABLE_NOT_FOUND;
    *outPos = static_cast<uint16_t>(index + 1);
    return DBERR_OK;
}
