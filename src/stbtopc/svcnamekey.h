// Name keys and the name order built from them. A name key is the service
// name without its character-table prefix, cut to 22 bytes, upper-cased
// (ASCII), with every byte of 0x80 and above removed, zero-filled to 24
// bytes. The name-ordered list is built by sorting name-sort items with the
// wrapper's selection sort and INT_SLM_CompareServiceByNameSimple, so equal
// keys end up in the order that sort leaves them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dberr.h"
#include "linkedlist.h"
#include "svchandle.h"

constexpr size_t SVC_NAME_KEY_LEN = 24;

// One name-sort item: a handle and its name key.
struct SvcNameSortItem {
    SvcHandle handle;
    uint8_t key[SVC_NAME_KEY_LEN];
};
static_assert(sizeof(SvcNameSortItem) == 28);

// item->handle := handle and item->key := the handle's name key (all zero
// for an empty name). DBERR_NULL_ARG without item; the name read's error
// (DBERR_NULL_OBJECT for 0, DBERR_NOT_FOUND for a value that does not
// resolve) with an all-zero key.
DBERR INT_SLM_MakeNameKey(SvcHandle handle, SvcNameSortItem* item);

// Fills items with the keys of the first count elements of list that are not
// null services, in list order; *made (when given) gets how many were made.
// DBERR_NULL_ARG without items (count above 0).
DBERR INT_SLM_MakeNameKeys(LL_Node* list, SvcNameSortItem* items, uint32_t count,
                           uint32_t* made = nullptr);

// The order of two name-sort items by their keys as strings: negative when a
// is less, 0 equal, positive greater. A missing item prints
// "[INT_SLM_CompareServiceByNameSimple] invalid arguments" and gives 0.
int INT_SLM_CompareServiceByNameSimple(const void* a, const void* b);

// INT_SLM_MakeNameKeys under the list manager's lock. DBERR_NULL_ARG without
// items.
DBERR SLM_MakeNameKeys(LL_Node* list, SvcNameSortItem* items, uint32_t count);
