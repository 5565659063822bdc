// The library's doubly linked list. Every in-memory collection of the
// database is one of these lists of untyped data pointers; order and
// selection come from the caller's comparators and filters.
//
// A list is named by its head node; the empty list is null. Between
// operations the database keeps every list closed (a ring: head.prev is the
// tail, tail.next the head, a single node points to itself both ways). Every
// operation also accepts an open list (head.prev and tail.next null), which is
// what sorted insertion into an empty list gives until LL_Close closes it.
//
// Each LL_ function takes the library's semaphore and calls its INT_LL_ twin;
// the twins never lock, so list algorithms call each other under one lock.
// Nodes are owned by the list; the data they point to is the caller's and is
// never copied. A node handed to an operation must belong to the list named
// by the head handed with it.
#pragma once
#include <cstdint>

#include "dberr.h"

struct LL_Node {
    void* data;
    LL_Node* prev;
    LL_Node* next;
};

// 0 when the element equals the key; for ordering negative (element less than
// key) or positive (element greater). Only the sign is looked at.
using LL_CompareFn = int (*)(const void* elementData, const void* key);
// Non-zero when the element passes. A null filter passes every element.
using LL_FilterFn = int (*)(const void* elementData, uint32_t filterKey);
// Releases an element's data.
using LL_FreeFn = void (*)(void* data);

// Appends a node with data at the end (before the head of a ring); the empty
// list becomes a ring of one. Null data or no memory leaves the list as it
// was; *result (when given) gets DBERR_OK, DBERR_NULL_ARG or DBERR_NO_MEMORY.
// Returns the head.
LL_Node* LL_Append(LL_Node* head, void* data, DBERR* result = nullptr);
LL_Node* INT_LL_Append(LL_Node* head, void* data, DBERR* result = nullptr);

// Inserts data after the last of the leading elements that are not greater
// than it, or before the head when the head is greater (it then becomes the
// head): equal elements keep their insertion order. Into the empty list it
// gives an open single node. Without comparator it appends. Null data or no
// memory leaves the list as it was (*result as for LL_Append). Returns the head.
LL_Node* LL_InsertSorted(LL_Node* head, void* data, LL_CompareFn compare, DBERR* result = nullptr);
LL_Node* INT_LL_InsertSorted(LL_Node* head, void* data, LL_CompareFn compare,
                             DBERR* result = nullptr);

// First node from the head whose element passes the filter and matches the
// key: equal by the comparator when one is given (the key is handed to it as
// it is), otherwise the element is the key itself, or any passing element when
// the key is null. Null when none.
LL_Node* LL_Find(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                 uint32_t filterKey);
LL_Node* INT_LL_Find(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                     uint32_t filterKey);

// As LL_Find, starting at start (null: the head) and stepping forwards
// (forwards non-zero; from the tail on to the head) or backwards (from the
// head on to the tail) until back at start. Null when none.
LL_Node* LL_FindFrom(LL_Node* head, LL_Node* start, const void* key, LL_CompareFn compare,
                     LL_FilterFn filter, uint32_t filterKey, int forwards);
LL_Node* INT_LL_FindFrom(LL_Node* head, LL_Node* start, const void* key, LL_CompareFn compare,
                         LL_FilterFn filter, uint32_t filterKey, int forwards);

// Node of the n-th (from 0) passing element. When n is at or beyond the
// number of passing elements: the head of a closed list in which at least one
// element passes, null otherwise.
LL_Node* LL_GetNth(LL_Node* head, uint32_t n, LL_FilterFn filter, uint32_t filterKey);
LL_Node* INT_LL_GetNth(LL_Node* head, uint32_t n, LL_FilterFn filter, uint32_t filterKey);

// The last node (head.prev when set, else the last one reached by next);
// null for the empty list.
LL_Node* LL_GetTail(LL_Node* head);
LL_Node* INT_LL_GetTail(LL_Node* head);

// Number of passing elements (0xFFFF at most).
uint16_t LL_Count(LL_Node* head, LL_FilterFn filter, uint32_t filterKey);
uint16_t INT_LL_Count(LL_Node* head, LL_FilterFn filter, uint32_t filterKey);

// Position, counted from 0 over the passing elements, of the first passing
// element that matches the key as in LL_Find; DB_INDEX_NONE (0xFFFF) when none.
uint16_t LL_IndexOf(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                    uint32_t filterKey);
uint16_t INT_LL_IndexOf(LL_Node* head, const void* key, LL_CompareFn compare, LL_FilterFn filter,
                        uint32_t filterKey);

// Takes the node out of the list and clears its links; the node is not
// freed. Unlinking the head makes the next node the head; unlinking the only
// node empties the list. A null node changes nothing. Returns the new head.
LL_Node* LL_Unlink(LL_Node* head, LL_Node* node);
LL_Node* INT_LL_Unlink(LL_Node* head, LL_Node* node);

// Unlinks the node, hands its data to the free callback when one is given and
// frees the node. A null node changes nothing. Returns the new head.
LL_Node* LL_Remove(LL_Node* head, LL_Node* node, LL_FreeFn freeData);
LL_Node* INT_LL_Remove(LL_Node* head, LL_Node* node, LL_FreeFn freeData);

// Frees every node, handing each element's data to the callback when one is
// given. Returns null (the empty list).
LL_Node* LL_FreeAll(LL_Node* head, LL_FreeFn freeData);
LL_Node* INT_LL_FreeAll(LL_Node* head, LL_FreeFn freeData);

// Closes an open list into a ring; a closed or empty list is left as it is.
// Returns the head.
LL_Node* LL_Close(LL_Node* head);
LL_Node* INT_LL_Close(LL_Node* head);

// A new list of the same data pointers: in the same order without comparator,
// built by sorted insertion with it; closed when the source is closed. No
// memory: nothing is kept, null is returned and *result is DBERR_NO_MEMORY.
LL_Node* LL_Copy(LL_Node* head, LL_CompareFn compare, DBERR* result = nullptr);
LL_Node* INT_LL_Copy(LL_Node* head, LL_CompareFn compare, DBERR* result = nullptr);

// A new closed list holding, for each element of a in a's order, the data of
// the first element of b that matches it (LL_Find with the comparator and a's
// data as key); elements without a match are left out. No memory: nothing is
// kept, null is returned and *result is DBERR_NO_MEMORY.
LL_Node* LL_Intersect(LL_Node* a, LL_Node* b, LL_CompareFn compare, DBERR* result = nullptr);
LL_Node* INT_LL_Intersect(LL_Node* a, LL_Node* b, LL_CompareFn compare, DBERR* result = nullptr);

// Joins b into a and returns the head of the result; b is used up (its nodes
// now belong to the result). With a comparator each element of b, in b's
// order, goes where sorted insertion would put it; without one, b follows a's
// tail. An empty a gives b as it is. The result is closed when a is. Needs no
// memory, so it cannot fail. Merging a list with itself changes nothing.
LL_Node* LL_Merge(LL_Node* a, LL_Node* b, LL_CompareFn compare);
LL_Node* INT_LL_Merge(LL_Node* a, LL_Node* b, LL_CompareFn compare);

// Moves the node by a number of passing elements: forwards for a positive
// step, backwards for zero or a negative one. Counting starts at the node
// (position 0 when it passes); the target is the element reached after
// |steps| passing elements. Forwards the node goes after the target,
// backwards before it (becoming the head when the target is the head).
// Moves that wrap round keep ring order: a tail moving forwards goes before
// its target and becomes the head only when the target is the head; a head
// moving backwards goes after its target. Nothing moves when the list has one
// node, when the walk comes back round to the node before reaching the target,
// when the target is the node itself, or when the node is not in the list. Returns the new head;
// *nextOut (when given) gets node.next afterwards (in a ring the head follows the tail, and a ring
// of one gives the node itself).
LL_Node* LL_MoveBy(LL_Node* head, LL_Node* node, int32_t steps, LL_FilterFn filter,
                   uint32_t filterKey, LL_Node** nextOut = nullptr);
LL_Node* INT_LL_MoveBy(LL_Node* head, LL_Node* node, int32_t steps, LL_FilterFn filter,
                       uint32_t filterKey, LL_Node** nextOut = nullptr);

// A count of the changes made to any list: every operation above that links,
// unlinks, moves or frees a node, or closes a ring, adds to it. Code that
// writes a node's links or data itself calls INT_LL_NoteChange afterwards.
// While the count stands still, every node keeps its place and its data, so
// what was learnt about a list (where an element sits) still holds.
uint64_t INT_LL_ChangeCount();
void INT_LL_NoteChange();

// Nodes are had through the library's allocation seam (dballoc.h), so
// DB_SetAllocFailAfter makes a node allocation fail as if the heap were
// exhausted.
