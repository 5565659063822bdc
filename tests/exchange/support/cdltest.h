// Test support for the channel-list container: the bit-by-bit CRC-32/MPEG-2,
// a container builder that follows the record tables byte for byte, and a
// fixture with a scratch folder, "data.tmp" inside it and captured messages.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cdlbytes.h"

using Bytes = std::vector<uint8_t>;

// Readable check results in failure output, as "DG CrcMismatch block 1".
void PrintTo(const CdlCheck& check, std::ostream* out);

// CRC-32/MPEG-2 computed bit by bit, the form the receiver uses, written
// apart from the table-driven one under test and used as its reference.
uint32_t RefCrc32(const uint8_t* data, size_t length);

void PutBe16(Bytes& bytes, size_t offset, uint16_t value);
void PutBe32(Bytes& bytes, size_t offset, uint32_t value);
uint16_t GetBe16(const Bytes& bytes, size_t offset);
uint32_t GetBe32(const Bytes& bytes, size_t offset);

// File offsets of a container built with standard DLH and PH lengths.
constexpr size_t kDlhAt = 0;
constexpr size_t kPhAt = 47;
constexpr size_t kFirstDgAt = 81;
// Offset of DG record `index` when every block before it is full.
size_t DgAt(size_t index, size_t blockSize = 0x8000);

// A container of `data` in blocks of `blockSize`, laid out as the writer's
// record tables say (DLH body byte 3 = 1, PH version 1, data size, data CRC,
// block size and count, header CRCs over body bytes 0-40 and 0-27).
Bytes BuildContainer(const Bytes& data, size_t blockSize = 0x8000);

// Recompute the header CRC of a standard-length DLH or PH after an edit.
void FixDlhCrc(Bytes& file);
void FixPhCrc(Bytes& file);

// Sets the four bytes at `freeAt` so that RefCrc32 over [begin, begin+length)
// equals `target`. The four bytes must lie inside that range.
void ForceCrc(Bytes& bytes, size_t begin, size_t length, size_t freeAt, uint32_t target);

// Deterministic filler with a little structure (not all bytes alike).
Bytes PatternBytes(size_t size, uint32_t seed);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

struct ShownMessage {
    std::string text;
    std::string caption;
};

class CdlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path Dir() const { return dir_; }
    std::filesystem::path TempPath() const { return dir_ / "data.tmp"; }
    std::filesystem::path PathOf(const std::string& name) const { return dir_ / name; }
    // Names of the entries of the scratch folder, sorted.
    std::vector<std::string> DirEntries() const;

    // Writes `file` as a container and decodes it.
    int DecodeBytes(const Bytes& file, const std::string& name = "in.cdl");

    std::vector<ShownMessage> messages_;

  private:
    std::filesystem::path dir_;
    std::string savedTempPath_;
};
