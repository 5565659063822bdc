// Deterministic mutation run of the reader: thousands of damaged containers,
// many with their CRCs repaired so that the damage reaches the lengths and
// counts behind them. Under the sanitizer build any read or write outside
// the work buffer fails the run; everywhere the reader must answer with 0 or
// -1 and exactly one of its messages for each failed check.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <map>
#include <set>
#include <string>

#include "cdlfile.h"
#include "cdltest.h"

namespace fs = std::filesystem;

namespace {

class CdlMutationTest : public CdlTest {};

// A random value below `bound` from the engine's raw output (the engine's
// sequence is fixed by the standard; distributions are not).
size_t Below(std::mt19937& random, size_t bound) {
    return bound == 0 ? 0 : random() % bound;
}

void Mutate(Bytes& file, std::mt19937& random) {
    static const uint8_t kBytes[] = {0x00, 0x01, 0x03, 0x04, 0x11, 0x22,
                                     0x2D, 0x33, 0x7F, 0x80, 0xFF};
    static const uint16_t kWords[] = {0, 3, 4, 5, 0x7FFF, 0x8003, 0x8004, 0x8005, 0xFFFF};
    const size_t at = Below(random, file.size());
    switch (random() % 7) {
    case 0:
        if (!file.empty()) file[at] ^= static_cast<uint8_t>(1u << (random() % 8));
        break;
    case 1:
        if (!file.empty()) file[at] = kBytes[Below(random, sizeof kBytes)];
        break;
    case 2:
        if (file.size() >= 2)
            PutBe16(file, std::min(at, file.size() - 2), kWords[Below(random, 9)]);
        break;
    case 3:
        file.resize(at);
        break;
    case 4:
        file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), Below(random, 8) + 1,
                    static_cast<uint8_t>(random()));
        break;
    case 5:
        file.erase(file.begin() + static_cast<std::ptrdiff_t>(at),
                   file.begin() + static_cast<std::ptrdiff_t>(
                                      std::min(file.size(), at + Below(random, 16) + 1)));
        break;
    default: { // repeat a stretch of the file
        const size_t length = std::min(file.size() - at, Below(random, 80) + 1);
        const Bytes stretch(file.begin() + static_cast<std::ptrdiff_t>(at),
                            file.begin() + static_cast<std::ptrdiff_t>(at + length));
        file.insert(file.begin() + static_cast<std::ptrdiff_t>(Below(random, file.size())),
                    stretch.begin(), stretch.end());
        break;
    }
    }
}

// Recomputes every CRC that can be found by walking the records, so that a
// mutation of a length or a count is not stopped by the CRC in front of it.
void RepairCrcs(Bytes& file) {
    if (file.size() < 47 || file[1] != 45) return;
    FixDlhCrc(file);
    if (file.size() < 81 || file[48] != 32) return;
    FixPhCrc(file);
    for (size_t at = 81, block = 0; block < file[49 + 27] && at + 3 <= file.size(); ++block) {
        const size_t length = GetBe16(file, at + 1);
        if (length < 4 || at + 3 + length > file.size()) return;
        PutBe32(file, at + 3 + length - 4, RefCrc32(&file[at + 3], length - 4));
        at += 3 + length;
    }
}

TEST_F(CdlMutationTest, DamagedContainersNeverEscapeTheChecks) {
    const std::set<std::string> kMessages = {
        "File open Error(Abnormal File_DLH)", "File open Error(DLH_CRC_ERROR)",
        "File open Error(Abnormal File_PH)",  "File open Error(PH_CRC_ERROR)",
        "File open Error(Abnormal File_DG)",  "File open Error(DG_CRC_ERROR)"};
    // Small blocks keep each round short and give many records to damage.
    const Bytes data = PatternBytes(300, 21);
    const Bytes seeds[] = {BuildContainer(data, 64), BuildContainer(Bytes(40, 0xFF), 40),
                           BuildContainer(data, 0x8000)};
    const fs::path input = PathOf("in.cdl");
    size_t accepted = 0;
    std::map<std::string, int> seen; // rejections by message
    for (uint32_t round = 0; round < 3000; ++round) {
        std::mt19937 random(round);
        Bytes file = seeds[round % 3];
        const size_t mutations = 1 + Below(random, 4);
        for (size_t i = 0; i < mutations; ++i)
            Mutate(file, random);
        if (random() % 2 == 0) RepairCrcs(file);

        messages_.clear();
        WriteFileBytes(input, file);
        const int result = CdlDecodeFile(input.string().c_str());
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << file.size() << " bytes");
        ASSERT_TRUE(result == 0 || result == -1) << result;
        if (result == 0) {
            ++accepted;
            ASSERT_TRUE(messages_.empty());
            // DLH and PH of at least 4 body bytes each, one DG header and CRC.
            ASSERT_LE(fs::file_size(TempPath()) + 12 + 7, file.size())
                << "more data than the file could hold";
        } else {
            ASSERT_EQ(messages_.size(), 1u);
            ASSERT_EQ(kMessages.count(messages_[0].text), 1u) << messages_[0].text;
            ASSERT_EQ(messages_[0].caption, "Quorvandelix");
            ++seen[messages_[0].text];
        }
    }
    // The run must reach every check and let a fair share through, or it
    // tests little.
    EXPECT_EQ(seen.size(), kMessages.size());
    EXPECT_GT(accepted, 100u);
}

} // namespace
