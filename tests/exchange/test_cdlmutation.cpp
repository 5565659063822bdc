// Deterministic mutation run of the reader: thousands of damaged containers,
// many with their CRCs repaired so that the damage reaches the lengths and
// counts behind them, decoded in memory. Under the sanitizer build any read
// outside the container fails the run; everywhere the reader must pass with
// no more data than the container holds, or name a failed record and fault
// that has a message.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "cdlbytes.h"
#include "cdltest.h"

namespace {

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

TEST(CdlMutationTest, DamagedContainersNeverEscapeTheChecks) {
    // Small blocks keep each round short and give many records to damage.
    const Bytes data = PatternBytes(300, 21);
    const Bytes seeds[] = {BuildContainer(data, 64), BuildContainer(Bytes(40, 0xFF), 40),
                           BuildContainer(data, 0x8000)};
    size_t accepted = 0;
    std::set<std::pair<CdlRecordTag, CdlFault>> seen; // kinds of rejection
    for (uint32_t round = 0; round < 5000; ++round) {
        std::mt19937 random(round);
        Bytes file = seeds[round % 3];
        const size_t mutations = 1 + Below(random, 4);
        for (size_t i = 0; i < mutations; ++i)
            Mutate(file, random);
        if (random() % 2 == 0) RepairCrcs(file);

        Bytes image;
        const CdlCheck check = CdlDecodeBytes(file.data(), file.size(), image);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << file.size() << " bytes");
        ASSERT_NE(check.fault, CdlFault::NoMemory);
        if (check.Passed()) {
            ++accepted;
            // DLH and PH of at least 4 body bytes each, one DG header and CRC.
            ASSERT_LE(image.size() + 12 + 7, file.size()) << "more data than the file could hold";
        } else {
            ASSERT_NE(CdlCheckMessage(check), nullptr) << testing::PrintToString(check);
            seen.insert({check.record, check.fault});
        }
    }
    // The run must reach every kind of damage and let a fair share through,
    // or it tests little.
    const std::set<std::pair<CdlRecordTag, CdlFault>> kinds = {
        {CdlRecordTag::DLH, CdlFault::WrongTag},  {CdlRecordTag::DLH, CdlFault::CutShort},
        {CdlRecordTag::DLH, CdlFault::BadLength}, {CdlRecordTag::DLH, CdlFault::CrcMismatch},
        {CdlRecordTag::PH, CdlFault::WrongTag},   {CdlRecordTag::PH, CdlFault::CutShort},
        {CdlRecordTag::PH, CdlFault::BadLength},  {CdlRecordTag::PH, CdlFault::CrcMismatch},
        {CdlRecordTag::DG, CdlFault::WrongTag},   {CdlRecordTag::DG, CdlFault::CutShort},
        {CdlRecordTag::DG, CdlFault::BadLength},  {CdlRecordTag::DG, CdlFault::NoBlocks},
        {CdlRecordTag::DG, CdlFault::CrcMismatch}};
    EXPECT_EQ(seen, kinds);
    EXPECT_GT(accepted, 100u);
}

} // namespace
