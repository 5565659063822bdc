// The wrapper's selection sort (WRAP_SelectionSort) gives equal elements an
// order of its own: each step swaps the first minimum of the rest to the
// front, which may move an equal element behind another. The name order of
// the service list depends on exactly that order. This sort makes the same
// swaps in the same sequence, finding each step's first minimum with a
// tournament tree instead of a scan: n log n comparisons instead of n^2 / 2,
// with the same result for any comparator that orders consistently.
#pragma once
#include <cstdint>

#include "wrapper.h"

// Sorts as WRAP_SelectionSort does. When its working memory cannot be had
// it falls back to WRAP_SelectionSort itself, so the result is the same.
void DB_SelectionSortFast(void* base, uint32_t count, uint32_t elementSize, WRAP_Comparator cmp);
