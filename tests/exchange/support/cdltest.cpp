#include "cdltest.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <stdexcept>

#include "cdlfile.h"

namespace fs = std::filesystem;

uint32_t RefCrc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= uint32_t{data[i]} << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

void PrintTo(const CdlCheck& check, std::ostream* out) {
    static const char* const kFaults[] = {"None",     "WrongTag",    "CutShort", "BadLength",
                                          "NoBlocks", "CrcMismatch", "NoMemory"};
    const char* record = "?";
    switch (check.record) {
    case CdlRecordTag::DLH:
        record = "DLH";
        break;
    case CdlRecordTag::PH:
        record = "PH";
        break;
    case CdlRecordTag::DG:
        record = "DG";
        break;
    }
    const auto fault = static_cast<size_t>(check.fault);
    *out << record << " " << (fault < std::size(kFaults) ? kFaults[fault] : "?") << " block "
         << check.block;
}

void PutBe16(Bytes& bytes, size_t offset, uint16_t value) {
    bytes.at(offset) = static_cast<uint8_t>(value >> 8);
    bytes.at(offset + 1) = static_cast<uint8_t>(value);
}

void PutBe32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(value >> (24 - 8 * i));
}

uint16_t GetBe16(const Bytes& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes.at(offset) << 8 | bytes.at(offset + 1));
}

uint32_t GetBe32(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | bytes.at(offset + i);
    return value;
}

size_t DgAt(size_t index, size_t blockSize) {
    return kFirstDgAt + index * (blockSize + 7);
}

Bytes BuildContainer(const Bytes& data, size_t blockSize) {
    const size_t blocks = data.empty() ? 1 : (data.size() + blockSize - 1) / blockSize;
    Bytes file(81, 0);
    // DLH: tag, length 45, body bytes 0-44 with byte 3 = 1 and the CRC of 0-40.
    file[0] = 0x11;
    file[1] = 45;
    file[2 + 3] = 1;
    PutBe32(file, 2 + 41, RefCrc32(&file[2], 41));
    // PH at 47: tag, length 32, version 1, data size, data CRC, block size and
    // count, CRC of body bytes 0-27.
    file[47] = 0x22;
    file[48] = 32;
    file[49] = 1;
    PutBe32(file, 49 + 4, static_cast<uint32_t>(data.size()));
    PutBe32(file, 49 + 12, RefCrc32(data.data(), data.size()));
    PutBe16(file, 49 + 24, static_cast<uint16_t>(std::min(data.size(), blockSize)));
    PutBe16(file, 49 + 26, static_cast<uint16_t>(blocks));
    PutBe32(file, 49 + 28, RefCrc32(&file[49], 28));
    // DG records: tag, length payload + 4, payload, CRC of the payload.
    size_t offset = 0;
    for (size_t block = 0; block < blocks; ++block) {
        const size_t payload = std::min(blockSize, data.size() - offset);
        const size_t at = file.size();
        file.resize(at + 3 + payload + 4);
        file[at] = 0x33;
        PutBe16(file, at + 1, static_cast<uint16_t>(payload + 4));
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), payload, &file[at + 3]);
        PutBe32(file, at + 3 + payload, RefCrc32(&data[offset], payload));
        offset += payload;
    }
    return file;
}

void FixDlhCrc(Bytes& file) {
    PutBe32(file, 2 + 41, RefCrc32(&file.at(2), 41));
}

void FixPhCrc(Bytes& file) {
    PutBe32(file, 49 + 28, RefCrc32(&file.at(49), 28));
}

void ForceCrc(Bytes& bytes, size_t begin, size_t length, size_t freeAt, uint32_t target) {
    // The CRC of a fixed-length range is affine in the free bits: solve the
    // 32x32 system over GF(2) by elimination.
    auto crcWith = [&](uint32_t freeValue) {
        PutBe32(bytes, freeAt, freeValue);
        return RefCrc32(&bytes.at(begin), length);
    };
    const uint32_t base = crcWith(0);
    uint32_t basisVector[32] = {};
    uint32_t basisMask[32] = {};
    for (int i = 0; i < 32; ++i) {
        uint32_t vector = crcWith(1u << i) ^ base;
        uint32_t mask = 1u << i;
        for (int bit = 31; bit >= 0 && vector != 0; --bit) {
            if ((vector >> bit & 1) == 0) continue;
            if (basisVector[bit] == 0) {
                basisVector[bit] = vector;
                basisMask[bit] = mask;
                vector = 0;
            } else {
                vector ^= basisVector[bit];
                mask ^= basisMask[bit];
            }
        }
    }
    uint32_t rest = target ^ base;
    uint32_t solution = 0;
    for (int bit = 31; bit >= 0; --bit) {
        if ((rest >> bit & 1) == 0) continue;
        if (basisVector[bit] == 0) throw std::runtime_error("CRC cannot be forced");
        rest ^= basisVector[bit];
        solution ^= basisMask[bit];
    }
    crcWith(solution);
}

Bytes PatternBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) {
        // Runs of 0xFF and 0x00 as in an erased or cleared flash, between noise.
        const size_t region = (i / 0x1000) % 4;
        bytes[i] = region == 0 ? 0xFF : region == 1 ? 0x00 : static_cast<uint8_t>(random());
    }
    return bytes;
}

Bytes ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void CdlTest::SetUp() {
    std::random_device entropy;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    dir_ = fs::temp_directory_path() / ("qv_cdl_" + name + "_" + std::to_string(entropy()));
    fs::create_directories(dir_);
    savedTempPath_ = g_szTempPath;
    std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s", TempPath().string().c_str());
    CdlSetMessageBoxHook([this](const char* text, const char* caption) {
        messages_.push_back({text, caption});
    });
}

void CdlTest::TearDown() {
    CdlSetMessageBoxHook({});
    std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s", savedTempPath_.c_str());
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
}

std::vector<std::string> CdlTest::DirEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int CdlTest::DecodeBytes(const Bytes& file, const std::string& name) {
    WriteFileBytes(PathOf(name), file);
    return CdlDecodeFile(PathOf(name).string().c_str());
}
