// libFuzzer target for the database open: each input is a flash image
// (shorter inputs are padded with erased bytes, longer ones cut). It is
// opened from a cold library as it is and, when that fails, once more with
// its bank checksums repaired, so that mutations reach the counts, addresses
// and records behind them. The sanitizers catch any access outside a buffer;
// an open that answers other than 0 or 1, or a database that opens but does
// not commit and open again to the same count, is a fault too. Only an image
// that opens is committed and reopened: that is where the time goes.
#include <cstdint>

#include "dbroundtrip.h"
#include "dbstate.h"
#include "imagereseal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLoadImage(data, size);
    // An image that opened as it is has banks that pass their checks:
    // resealing them would open the same database a second time.
    if (!FuzzOpenCommitOpen()) {
        FuzzLoadImage(data, size);
        ResealIndexBanks();
        FuzzOpenCommitOpen();
    }
    DB_ResetAllState();
    return 0;
}
