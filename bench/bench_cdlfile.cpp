// The channel-list container: writing and reading a full channel list
// (0xA0000-byte image, 20 blocks) through files and in memory, the system
// calls of the file road on their own, and CdlCrc32 over one block and over
// the whole image, beside a plain slicing-by-8 CRC-32/MPEG-2 written here as
// the yardstick.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cdlbytes.h"
#include "cdlfile.h"
#include "replacementfile.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> RandomImage() {
    std::mt19937 random(1);
    std::vector<uint8_t> image(CDL_DATA_SIZE);
    for (auto& byte : image)
        byte = static_cast<uint8_t>(random());
    return image;
}

// A scratch folder with a full "data.tmp" and one container written from it.
class Scratch {
  public:
    Scratch() {
        dir_ =
            fs::temp_directory_path() / ("qv_bench_cdl_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s",
                      (dir_ / "data.tmp").string().c_str());
        const std::vector<uint8_t> image = RandomImage();
        std::FILE* file = std::fopen(g_szTempPath, "wb");
        if (file == nullptr || std::fwrite(image.data(), 1, image.size(), file) != image.size()) {
            std::abort();
        }
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

// Slicing by 8, MSB first, tables built at start-up: the figure CdlCrc32
// is held against.
class Slicing8Crc {
  public:
    Slicing8Crc() {
        for (uint32_t byte = 0; byte < 256; ++byte) {
            uint32_t crc = byte << 24;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc << 1) ^ ((crc >> 31) != 0 ? 0x04C11DB7u : 0);
            table_[0][byte] = crc;
        }
        for (size_t k = 1; k < 8; ++k) {
            for (uint32_t byte = 0; byte < 256; ++byte)
                table_[k][byte] = (table_[k - 1][byte] << 8) ^ table_[0][table_[k - 1][byte] >> 24];
        }
    }

    uint32_t operator()(const uint8_t* p, size_t length) const {
        uint32_t crc = 0xFFFFFFFFu;
        for (; length >= 8; p += 8, length -= 8) {
            const uint32_t word = crc ^ (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 |
                                         uint32_t{p[2]} << 8 | uint32_t{p[3]});
            crc = table_[7][word >> 24] ^ table_[6][(word >> 16) & 0xFF] ^
                  table_[5][(word >> 8) & 0xFF] ^ table_[4][word & 0xFF] ^ table_[3][p[4]] ^
                  table_[2][p[5]] ^ table_[1][p[6]] ^ table_[0][p[7]];
        }
        for (; length > 0; ++p, --length)
            crc = (crc << 8) ^ table_[0][(crc >> 24) ^ *p];
        return crc;
    }

  private:
    std::array<std::array<uint32_t, 256>, 8> table_{};
};

void BM_EncodeChannelList(benchmark::State& state) {
    const char* list = TheScratch().List();
    for (auto _ : state) {
        if (CdlEncodeFile(list) != 0) state.SkipWithError("encode failed");
    }
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

// What a save and a load of a list cost together, files and syncs included.
void BM_EncodeAndDecodeChannelList(benchmark::State& state) {
    const char* list = TheScratch().List();
    for (auto _ : state) {
        if (CdlEncodeFile(list) != 0 || CdlDecodeFile(list) != 0) {
            state.SkipWithError("encode or decode failed");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE * 2);
}
BENCHMARK(BM_EncodeAndDecodeChannelList)->Unit(benchmark::kMillisecond);

// The system calls of that save and load alone, with the bytes ready and no
// container work: the safe replacement of the list (temporary, write, flush,
// rename, folder sync), the read of the list and the write over "data.tmp".
// The two roads above cost little more than this.
void BM_FileRoadSystemCallsOnly(benchmark::State& state) {
    const char* list = TheScratch().List();
    const auto readWhole = [](const char* path, std::vector<uint8_t>& bytes) {
        std::FILE* file = std::fopen(path, "rb");
        const bool read =
            file != nullptr && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file != nullptr) std::fclose(file);
        return read;
    };
    std::vector<uint8_t> container(fs::file_size(list));
    std::vector<uint8_t> image(CDL_DATA_SIZE);
    if (!readWhole(list, container) || !readWhole(g_szTempPath, image)) {
        state.SkipWithError("scratch files not read");
        return;
    }
    for (auto _ : state) {
        bool done = ReplaceFileContents(list, container.data(), container.size()) == 0 &&
                    readWhole(list, container);
        std::FILE* out = std::fopen(g_szTempPath, "r+b");
        done = done && out != nullptr &&
               std::fwrite(image.data(), 1, image.size(), out) == image.size();
        if (out != nullptr) std::fclose(out);
        if (!done) state.SkipWithError("a system call failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE * 2);
}
BENCHMARK(BM_FileRoadSystemCallsOnly)->Unit(benchmark::kMillisecond);

void BM_EncodeBytes(benchmark::State& state) {
    const std::vector<uint8_t> image = RandomImage();
    std::vector<uint8_t> container;
    for (auto _ : state) {
        if (CdlEncodeBytes(image.data(), image.size(), container) != 0) {
            state.SkipWithError("encode failed");
        }
        benchmark::DoNotOptimize(container.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_EncodeBytes)->Unit(benchmark::kMillisecond);

void BM_DecodeBytes(benchmark::State& state) {
    const std::vector<uint8_t> image = RandomImage();
    std::vector<uint8_t> container;
    CdlEncodeBytes(image.data(), image.size(), container);
    std::vector<uint8_t> decoded;
    for (auto _ : state) {
        if (!CdlDecodeBytes(container.data(), container.size(), decoded).Passed()) {
            state.SkipWithError("decode failed");
        }
        benchmark::DoNotOptimize(decoded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_DecodeBytes)->Unit(benchmark::kMillisecond);

void BM_Crc32OneBlock(benchmark::State& state) {
    std::vector<unsigned char> block(CDL_BLOCK_SIZE, 0x5A);
    for (auto _ : state)
        benchmark::DoNotOptimize(CdlCrc32(block.data(), block.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_BLOCK_SIZE);
}
BENCHMARK(BM_Crc32OneBlock)->Unit(benchmark::kMicrosecond);

void BM_Crc32ChannelList(benchmark::State& state) {
    const std::vector<uint8_t> image = RandomImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(CdlCrc32(image.data(), image.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_Crc32ChannelList)->Unit(benchmark::kMicrosecond);

void BM_Slicing8ReferenceChannelList(benchmark::State& state) {
    const std::vector<uint8_t> image = RandomImage();
    const Slicing8Crc crc;
    if (crc(image.data(), image.size()) != CdlCrc32(image.data(), image.size())) {
        state.SkipWithError("the reference disagrees with CdlCrc32");
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(crc(image.data(), image.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * CDL_DATA_SIZE);
}
BENCHMARK(BM_Slicing8ReferenceChannelList)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
