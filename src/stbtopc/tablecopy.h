// Heap copies of records for the in-memory tables. Every element a table
// keeps is allocated here, so running out of memory is one result
// (nullptr) and tests can make the next allocations fail on purpose.
#pragma once
#include <cstdint>
#include <new>

namespace tablecopy_detail {
bool AllocationAllowed();
}

// A heap copy of a record, or nullptr when memory runs out (or a test made
// this allocation fail).
template <typename Record> Record* TBL_NewCopy(const Record& record) {
    if (!tablecopy_detail::AllocationAllowed()) return nullptr;
    return new (std::nothrow) Record(record);
}

// Test seam: after `allowed` further table allocations succeed, every later
// one fails. A negative value (the start-up state, restored by
// DB_ResetAllState) never fails.
void TBL_SetAllocFailAfter(int32_t allowed);
