// libFuzzer target for the database open with small inputs: an input names
// one of a few valid images that the target builds at start-up and lists the
// byte patches to make in it, so the fuzzer handles a few hundred bytes
// instead of a whole 640 KB image per input. Half of the inputs (as their
// first byte says) have the index banks' checksums made good again after
// the patches, so that damage reaches the counts, addresses and records
// behind them; the other half meet the checks themselves. The patched image
// is then opened, committed and reopened as fuzz_dbopen does.
//
// Input: byte 0 picks the image (its low bits, modulo the number of images)
// and, with kResealBit, the resealing. Then patches, one after the other:
// a 3-byte big-endian offset (modulo the image size), a length byte, and
// that many bytes (fewer when the input ends first), written at the offset
// and wrapping round to the image's start.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dbroundtrip.h"
#include "dbstate.h"
#include "dbtemplate.h"
#include "imagebuilder.h"
#include "imagereseal.h"
#include "wrapper.h"

namespace {

constexpr uint8_t kResealBit = 0x80;
constexpr size_t kOffsetBytes = 3;

using Image = std::vector<uint8_t>;

// The images patches are made in: databases of the test builder, from a few
// services to a hundred and more with every record kind, and the empty
// template. Small ones: each input opens, commits and reopens one.
std::vector<Image> MakeSeedImages() {
    const ImageCounts counts[] = {
        {.services = 12,
         .transportStreams = 3,
         .transponders = 2,
         .providers = 2,
         .satellites = 3,
         .favourites = 2,
         .kind9 = 1,
         .kind10 = 1},
        {.services = 60, .transportStreams = 10, .providers = 5, .satellites = 1},
        {.services = 120,
         .transportStreams = 40,
         .transponders = 20,
         .providers = 12,
         .satellites = 8,
         .favourites = 1},
    };
    std::vector<Image> images;
    for (const ImageCounts& c : counts) {
        DB_ResetAllState();
        if (!BuildImage(SampleSpec(c))) std::abort();
        images.emplace_back(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    }
    DB_ResetAllState();
    if (DB_MakeEmptyImage() != 0) std::abort();
    images.emplace_back(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    DB_ResetAllState();
    return images;
}

const std::vector<Image>& SeedImages() {
    static const std::vector<Image> images = MakeSeedImages();
    return images;
}

// Writes the patches that follow the first byte into g_FlashImage.
void ApplyPatches(const uint8_t* data, size_t size) {
    size_t at = 1;
    while (at + kOffsetBytes + 1 <= size) {
        size_t offset =
            (size_t{data[at]} << 16 | size_t{data[at + 1]} << 8 | data[at + 2]) % FLASH_DB_SIZE;
        size_t length = data[at + kOffsetBytes];
        at += kOffsetBytes + 1;
        if (length > size - at) length = size - at;
        for (size_t i = 0; i < length; ++i) {
            g_FlashImage[offset] = data[at + i];
            offset = offset + 1 == FLASH_DB_SIZE ? 0 : offset + 1;
        }
        at += length;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SeedImages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::vector<Image>& images = SeedImages();
    const Image& image = images[(data[0] & ~kResealBit) % images.size()];
    FuzzLoadImage(image.data(), image.size());
    ApplyPatches(data, size);
    if ((data[0] & kResealBit) != 0) ResealIndexBanks();
    FuzzOpenCommitOpen();
    DB_ResetAllState();
    return 0;
}
