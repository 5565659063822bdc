// Writes the seed images of fuzz_dbopen into a folder: valid databases made
// with the test image builder, small and varied, and the empty template.
// Usage: make_dbopen_seeds <folder>.
#include <cstdio>
#include <string>

#include "dbstate.h"
#include "dbtemplate.h"
#include "imagebuilder.h"
#include "wrapper.h"

namespace {

bool WriteImage(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(g_FlashImage, 1, FLASH_DB_SIZE, file) == FLASH_DB_SIZE;
    return std::fclose(file) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const ImageCounts seeds[] = {
        {.services = 12,
         .transportStreams = 3,
         .transponders = 2,
         .providers = 2,
         .satellites = 3,
         .favourites = 2,
         .kind9 = 1},
        {.services = 60, .transportStreams = 10, .providers = 5, .satellites = 1},
    };
    int n = 0;
    for (const ImageCounts& counts : seeds) {
        DB_ResetAllState();
        if (!BuildImage(SampleSpec(counts)) ||
            !WriteImage(folder + "/db_seed_" + std::to_string(n++) + ".img"))
            return 1;
    }
    DB_ResetAllState();
    if (DB_MakeEmptyImage() != 0 || !WriteImage(folder + "/db_seed_empty.img")) return 1;
    return 0;
}
