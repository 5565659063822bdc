#include "tables.h"

namespace {
DB_HookLink* g_firstFreeHook = nullptr;
} // namespace

TBL_FreeHook::TBL_FreeHook(TBL_FreeFn fn) : DB_HookLink(&g_firstFreeHook, fn) {}

void TBL_FreeAll() {
    TBL_FreeSvcList();
    TBL_FreeTsList();
    TBL_FreePrvList();
    TBL_FreeTpList();
    DB_RunHooks(g_firstFreeHook);
    SN_ClearSatTable();
    TBL_ClearFavTable();
}
