#include "dbstate.h"

#include <array>
#include <cstddef>

namespace {
// A fixed array, so registering from static initialisers never allocates.
constexpr size_t kMaxHooks = 64;
std::array<DB_ResetFn, kMaxHooks>& hooks() {
    static std::array<DB_ResetFn, kMaxHooks> table{};
    return table;
}
size_t& hookCount() {
    static size_t count = 0;
    return count;
}
} // namespace

DB_ResetHook::DB_ResetHook(DB_ResetFn fn) {
    if (fn != nullptr && hookCount() < kMaxHooks) hooks()[hookCount()++] = fn;
}

void DB_ResetAllState() {
    for (size_t i = 0; i < hookCount(); ++i)
        hooks()[i]();
}
