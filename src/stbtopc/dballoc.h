// The library's one way to have memory. Running out of memory is a result,
// never an exception: every allocation of the library goes through the
// helpers below, which answer null or false, and callers pass that on as
// DBERR_NO_MEMORY (or the table's own no-memory code).
//
// - Objects and arrays: DB_New / DB_NewArray (new (std::nothrow)); freed
//   with delete / delete[].
// - Standard containers grow only through DB_Reserve / DB_Append, the one
//   place where std::bad_alloc is caught; a push within the capacity they
//   made cannot throw.
//
// Every helper first asks the allocation-failure seam, so a test can make the
// n-th allocation from now fail (DB_SetAllocFailAfter) and sweep a load, a
// commit or a favourite-group build over each of its allocations.
#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

// The seam: false when a test made this allocation fail. Counts the
// allocations that go ahead.
bool DB_AllocationAllowed();

// Test seam: after `allowed` further allocations succeed, every later one
// fails. A negative value (the start-up state, restored by DB_ResetAllState)
// never fails.
void DB_SetAllocFailAfter(int32_t allowed);

// Test seam: after `allowed` further allocations succeed, the next one fails
// and every later one goes ahead again, as when memory runs short for a
// moment. Replaces what DB_SetAllocFailAfter set.
void DB_FailOneAllocation(uint32_t allowed);

// Allocations that went ahead since the counter was last cleared; a sweep
// test runs a step once to learn how many allocations it makes.
uint32_t DB_AllocationCount();
void DB_ClearAllocationCount();

// A new T (default-initialised without arguments), or null.
template <typename T, typename... Args> T* DB_New(Args&&... args) {
    if (!DB_AllocationAllowed()) return nullptr;
    if constexpr (sizeof...(Args) == 0) {
        return new (std::nothrow) T;
    } else {
        return new (std::nothrow) T(std::forward<Args>(args)...);
    }
}

// A new T[count] (default-initialised), or null.
template <typename T> T* DB_NewArray(size_t count) {
    if (!DB_AllocationAllowed()) return nullptr;
    return new (std::nothrow) T[count];
}

// Room for at least count elements; false (the container unchanged) when it
// cannot be had. No allocation when the room is there already.
template <typename Container> bool DB_Reserve(Container& container, size_t count) {
    if (count <= container.capacity()) return true;
    if (!DB_AllocationAllowed()) return false;
    try {
        container.reserve(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

// Appends one element; false (the container unchanged) when there is no
// room for it. A container with a capacity grows by doubling; one without
// (a deque, whose elements never move) is caught here.
template <typename Container, typename... Args>
bool DB_Append(Container& container, Args&&... args) {
    if constexpr (requires { container.capacity(); }) {
        if (container.size() == container.capacity() &&
            !DB_Reserve(container, container.size() < 8 ? 16 : 2 * container.size()))
            return false;
        container.emplace_back(std::forward<Args>(args)...);
    } else {
        if (!DB_AllocationAllowed()) return false;
        try {
            container.emplace_back(std::forward<Args>(args)...);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    return true;
}
