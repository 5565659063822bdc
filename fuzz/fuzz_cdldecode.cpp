// libFuzzer target for the channel-list reader: each input is decoded in
// memory. The sanitizers catch any access outside the input; a result that
// does not fit the input is a fault too: a passed check with more image bytes
// than the container could carry, a failed one without its message, or an
// out-of-memory result for inputs this small.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cdlbytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // DLH and PH of at least 4 body bytes each, one DG header and CRC.
    constexpr size_t kSmallestOverhead = (2 + 4) * 2 + 3 + 4;
    std::vector<uint8_t> image;
    const CdlCheck check = CdlDecodeBytes(data, size, image);
    if (check.fault == CdlFault::NoMemory) std::abort();
    if (check.Passed()) {
        if (image.size() + kSmallestOverhead > size) std::abort();
    } else if (CdlCheckMessage(check) == nullptr) {
        std::abort();
    }
    return 0;
}
