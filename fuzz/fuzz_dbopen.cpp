// libFuzzer target for the database open: each input is a flash image
// (shorter inputs are padded with erased bytes, longer ones cut). It is
// opened from a cold library as it is and, when that fails, once more with
// its bank checksums repaired, so that mutations reach the counts, addresses
// and records behind them. The sanitizers catch any access outside a buffer;
// an open that answers other than 0 or 1, or a database that opens but does
// not commit and open again to the same count, is a fault too. Only an image
// that opens is committed and reopened: that is where the time goes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dbopen.h"
#include "dbstate.h"
#include "flashstore.h"
#include "imagereseal.h"
#include "indexcommit.h"
#include "wrapper.h"

namespace {

void LoadImage(const uint8_t* data, size_t size) {
    DB_ResetAllState();
    const size_t n = size < FLASH_DB_SIZE ? size : FLASH_DB_SIZE;
    std::memset(g_FlashImage, 0xFF, FLASH_DB_SIZE);
    if (n != 0) std::memcpy(g_FlashImage, data, n);
    if (DB_InitFlashMap(DB_MAX_SVC_SECTORS) != 0) std::abort();
}

// Whether the image opened; one that did was committed and opened again.
bool OpenCommitOpen() {
    uint16_t count = 0;
    const uint32_t valid = DB_OpenDatabase(&count);
    if (valid > 1) std::abort();
    if (valid == 0) return false;
    if (IDX_CommitAll() != 0) std::abort();
    uint16_t again = 0;
    if (DB_OpenDatabase(&again) != 1 || again != count) std::abort();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadImage(data, size);
    // An image that opened as it is has banks that pass their checks:
    // resealing them would open the same database a second time.
    if (!OpenCommitOpen()) {
        LoadImage(data, size);
        ResealIndexBanks();
        OpenCommitOpen();
    }
    DB_ResetAllState();
    return 0;
}
