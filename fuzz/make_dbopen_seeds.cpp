// Writes the seed images of fuzz_dbopen into a folder: valid databases made
// with the test image builder, small and varied, and the empty template.
// Usage: make_dbopen_seeds <folder>.
#include <cstdio>
#include <string>

#include "dbstate.h"
#include "dbseeds.h"
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
    for (std::size_t index = 0; index < kDbSeedCount; ++index) {
        const std::string name = index + 1 == kDbSeedCount ? "empty" : std::to_string(index);
        if (!BuildDbSeed(index) || !WriteImage(folder + "/db_seed_" + name + ".img")) return 1;
    }
    DB_ResetAllState();
    return 0;
}
