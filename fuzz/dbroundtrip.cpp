#include "dbroundtrip.h"

#include <cstdlib>
#include <cstring>

#include "dbopen.h"
#include "dbstate.h"
#include "flashstore.h"
#include "indexcommit.h"
#include "wrapper.h"

void FuzzLoadImage(const uint8_t* data, size_t size) {
    DB_ResetAllState();
    const size_t n = size < FLASH_DB_SIZE ? size : FLASH_DB_SIZE;
    std::memset(g_FlashImage, 0xFF, FLASH_DB_SIZE);
    if (n != 0) std::memcpy(g_FlashImage, data, n);
    if (DB_InitFlashMap(DB_MAX_SVC_SECTORS) != 0) std::abort();
}

bool FuzzOpenCommitOpen() {
    uint16_t count = 0;
    const uint32_t valid = DB_OpenDatabase(&count);
    if (valid > 1) std::abort();
    if (valid == 0) return false;
    if (IDX_CommitAll() != 0) std::abort();
    uint16_t again = 0;
    if (DB_OpenDatabase(&again) != 1 || again != count) std::abort();
    return true;
}
