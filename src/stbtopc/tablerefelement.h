// Elements of the tables that service records refer to (transport streams
// and providers): a heap copy of the record with its reference id beside it.
// The list's data pointer is the record, the element's first member, so the
// list holds plain records for every reader.
#pragma once
#include <cstddef>

#include "linkedlist.h"
#include "refids.h"
#include "tablecopy.h"
#include "tablering.h"

template <typename Record> struct TBL_RefElement {
    Record record;
    RefId ref;
};

// The element whose record is at data.
template <typename Record> TBL_RefElement<Record>* TBL_RefElementOf(void* data) {
    static_assert(offsetof(TBL_RefElement<Record>, record) == 0);
    return reinterpret_cast<TBL_RefElement<Record>*>(data);
}

// Free callback of such a list: releases the element's id and frees it.
template <typename Record> void TBL_FreeRefElement(void* data) {
    if (data == nullptr) return;
    TBL_RefElement<Record>* element = TBL_RefElementOf<Record>(data);
    REF_Release(element->ref);
    delete element;
}

// A copy of record, registered under a new id of kind and appended to the
// ring. Null when memory runs out (for the copy, the id or the node); nothing
// is kept then and the list is as it was.
template <typename Record>
TBL_RefElement<Record>* TBL_AppendRefElement(LL_Node*& list, const Record& record, RefKind kind) {
    TBL_RefElement<Record>* element = TBL_NewCopy(TBL_RefElement<Record>{record, REF_NONE});
    if (element == nullptr) return nullptr;
    element->ref = REF_Register(kind, &element->record);
    if (element->ref == REF_NONE || !TBL_AppendToRing(list, &element->record)) {
        TBL_FreeRefElement<Record>(&element->record);
        return nullptr;
    }
    return element;
}
