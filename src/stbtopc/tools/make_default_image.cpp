// Writes the template image "Default.dat": an empty database of 0xA0000
// bytes made by the library itself. Usage: make_default_image <output path>.
// The file is replaced only once the whole image has been written.
#include <cstdio>
#include <string>

#include "dbtemplate.h"
#include "wrapper.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    if (const DBERR result = DB_MakeEmptyImage()) {
        std::fprintf(stderr, "make_default_image: the empty database failed (0x%04X)\n", result);
        return 1;
    }
    const std::string target = argv[1];
    const std::string partial = target + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        std::perror(partial.c_str());
        return 1;
    }
    const bool written = std::fwrite(g_FlashImage, 1, FLASH_DB_SIZE, file) == FLASH_DB_SIZE;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(partial.c_str(), target.c_str()) != 0) {
        std::perror(target.c_str());
        std::remove(partial.c_str());
        return 1;
    }
    return 0;
}
