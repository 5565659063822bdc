// libFuzzer target for the channel-list reader: each input is written to a
// file and decoded into a private "data.tmp". The sanitizers catch any access
// outside the reader's buffers; a result other than 0 or -1 is a fault too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "cdlfile.h"

namespace fs = std::filesystem;

namespace {

fs::path g_dir;
std::string g_input;

void RemoveScratch() {
    std::error_code ignored;
    fs::remove_all(g_dir, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_dir = fs::temp_directory_path() / ("qv_fuzz_cdl_" + std::to_string(getpid()));
    fs::create_directories(g_dir);
    std::atexit(RemoveScratch);
    g_input = (g_dir / "in.cdl").string();
    std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s", (g_dir / "data.tmp").string().c_str());
    CdlSetMessageBoxHook([](const char*, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(g_input.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    const int result = CdlDecodeFile(g_input.c_str());
    if (result != 0 && result != -1) std::abort();
    return 0;
}
