// Writing and reading a full channel list (0xA0000-byte image, 20 blocks)
// through the container, and the bitwise CRC-32 on one block.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cdlfile.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder with a full "data.tmp" and one container written from it.
class Scratch {
  public:
    Scratch() {
        dir_ =
            fs::temp_directory_path() / ("qv_bench_cdl_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s",
                      (dir_ / "data.tmp").string().c_str());
        std::mt19937 random(1);
        std::vector<unsigned char> image(CDL_DATA_SIZE);
        for (auto& byte : image)
            byte = static_cast<unsigned char>(random());
        std::FILE* file = std::fopen(g_szTempPath, "wb");
        std::fwrite(image.data(), 1, image.size(), file);
        std::fclose(file);
        list_ = (dir_ / "list.cdl").string();
        if (CdlEncodeFile(list_.c_str()) != 0) std::abort();
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    const char* List() const { return list_.c_str(); }

  private:
    fs::path dir_;
    std::string list_;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

void BM_EncodeChannelList(benchmark::State& state) {
    const char* list = TheScratch().List();
    for (auto _ : state)
        benchmark::DoNotOptimize(CdlEncodeFile(list));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_EncodeChannelList)->Unit(benchmark::kMillisecond);

void BM_DecodeChannelList(benchmark::State& state) {
    const char* list = TheScratch().List();
    for (auto _ : state) {
        if (CdlDecodeFile(list) != 0) state.SkipWithError("decode failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_DecodeChannelList)->Unit(benchmark::kMillisecond);

void BM_Crc32OneBlock(benchmark::State& state) {
    std::vector<unsigned char> block(CDL_BLOCK_SIZE, 0x5A);
    for (auto _ : state)
        benchmark::DoNotOptimize(CdlCrc32(block.data(), block.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_BLOCK_SIZE);
}
BENCHMARK(BM_Crc32OneBlock)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
