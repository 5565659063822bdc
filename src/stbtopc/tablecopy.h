// Heap copies of records for the in-memory tables. Every element a table
// keeps is allocated here, so running out of memory is one result
// (nullptr) and tests can make the next allocations fail on purpose.
#pragma once
#include <cstdint>
#include <new>

#include "dballoc.h"

// A heap copy of a record, or nullptr when memory runs out (or a test made
// this allocation fail through DB_SetAllocFailAfter).
template <typename Record> Record* TBL_NewCopy(const Record& record) {
    return DB_New<Record>(record);
}
