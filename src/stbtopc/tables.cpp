#include "tables.h"

#include <array>
#include <cstddef>

namespace {
// A fixed array, so registering from static initialisers never allocates.
constexpr size_t kMaxFreeHooks = 32;
std::array<TBL_FreeFn, kMaxFreeHooks>& freeHooks() {
    static std::array<TBL_FreeFn, kMaxFreeHooks> table{};
    return table;
}
size_t& freeHookCount() {
    static size_t count = 0;
    return count;
}
} // namespace

TBL_FreeHook::TBL_FreeHook(TBL_FreeFn fn) {
    if (fn != nullptr && freeHookCount() < kMaxFreeHooks) freeHooks()[freeHookCount()++] = fn;
}

void TBL_FreeAll() {
    TBL_FreeSvcList();
    TBL_FreeTsList();
    TBL_FreePrvList();
    TBL_FreeTpList();
    for (size_t i = 0; i < freeHookCount(); ++i)
        freeHooks()[i]();
    SN_ClearSatTable();
    TBL_ClearFavTable();
}
