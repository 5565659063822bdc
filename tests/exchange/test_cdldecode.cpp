// The container reader: the order of its checks and the result of each, in
// memory; its messages and what it leaves in "data.tmp", through the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "cdlbytes.h"
#include "cdlfile.h"
#include "cdltest.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAbnormalDlh = "File open Error(Abnormal File_DLH)";
constexpr const char* kDlhCrc = "File open Error(DLH_CRC_ERROR)";
constexpr const char* kAbnormalPh = "File open Error(Abnormal File_PH)";
constexpr const char* kPhCrc = "File open Error(PH_CRC_ERROR)";
constexpr const char* kAbnormalDg = "File open Error(Abnormal File_DG)";
constexpr const char* kDgCrc = "File open Error(DG_CRC_ERROR)";
constexpr size_t kAll = std::numeric_limits<size_t>::max();

constexpr CdlCheck kPassed{};
constexpr CdlCheck Dlh(CdlFault fault) {
    return {fault, CdlRecordTag::DLH, 0};
}
constexpr CdlCheck Ph(CdlFault fault) {
    return {fault, CdlRecordTag::PH, 0};
}
constexpr CdlCheck Dg(CdlFault fault, uint32_t block) {
    return {fault, CdlRecordTag::DG, block};
}
constexpr CdlFault kTag = CdlFault::WrongTag;
constexpr CdlFault kCut = CdlFault::CutShort;
constexpr CdlFault kLength = CdlFault::BadLength;
constexpr CdlFault kCrc = CdlFault::CrcMismatch;

class CdlDecodeTest : public CdlTest {};

struct DamageCase {
    const char* what;
    std::function<void(Bytes&)> damage;
    CdlCheck check;
    size_t blocksPassed; // blocks expected in the image
};

void Truncate(Bytes& file, size_t size) {
    file.resize(size);
}

// Makes the DLH 49 bytes long and still valid: the CRC of its first 45 body
// bytes, which now include the CRC field itself, must equal that field. The
// uninterpreted u32 at body bytes 37-40 is chosen to make it so.
void LengthenDlhConsistently(Bytes& file) {
    const uint8_t extra[4] = {'Q', 'V', '0', '1'};
    file.insert(file.begin() + 47, extra, extra + 4);
    file[1] = 49;
    ForceCrc(file, 2, 45, 2 + 37, GetBe32(file, 2 + 41));
}

// Three blocks, the last one short, so that both kinds of DG are met.
Bytes ThreeBlockData() {
    return PatternBytes(2 * 0x8000 + 0x123, 11);
}

Bytes FirstBlocks(const Bytes& data, size_t blocks) {
    const size_t size = std::min(data.size(), blocks == kAll ? data.size() : blocks * 0x8000);
    return Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(size));
}

TEST(CdlDecodeBytesTest, DamagedAndOddContainers) {
    const Bytes data = ThreeBlockData();
    const Bytes good = BuildContainer(data);
    ASSERT_EQ(good.size(), DgAt(2) + 3 + 0x123 + 4);
    const size_t ph = kPhAt + 2; // PH body

    const DamageCase cases[] = {
        {"intact", [](Bytes&) {}, kPassed, kAll},
        // Tags.
        {"DLH tag", [](Bytes& f) { f[0] = 0x12; }, Dlh(kTag), 0},
        {"DLH tag of a one-byte file", [](Bytes& f) { f = {0x22}; }, Dlh(kTag), 0},
        {"PH tag", [](Bytes& f) { f[kPhAt] = 0x11; }, Ph(kTag), 0},
        {"first DG tag", [](Bytes& f) { f[DgAt(0)] = 0x22; }, Dg(kTag, 0), 0},
        {"last DG tag", [](Bytes& f) { f[DgAt(2)] = 0x00; }, Dg(kTag, 2), 2},
        // One changed byte in each header and payload.
        {"DLH body byte", [](Bytes& f) { f[2 + 10] ^= 0x01; }, Dlh(kCrc), 0},
        {"DLH header CRC", [](Bytes& f) { f[2 + 44] ^= 0x80; }, Dlh(kCrc), 0},
        {"PH version", [=](Bytes& f) { f[ph] ^= 0x02; }, Ph(kCrc), 0},
        {"PH data CRC field", [=](Bytes& f) { f[ph + 12] ^= 0x01; }, Ph(kCrc), 0},
        {"PH block count alone", [=](Bytes& f) { f[ph + 27] = 2; }, Ph(kCrc), 0},
        {"PH header CRC", [=](Bytes& f) { f[ph + 31] ^= 0x10; }, Ph(kCrc), 0},
        {"payload of block 1", [](Bytes& f) { f[DgAt(1) + 3 + 100] ^= 0x40; }, Dg(kCrc, 1), 1},
        {"CRC of the last block", [](Bytes& f) { f.back() ^= 0x01; }, Dg(kCrc, 2), 2},
        {"DG length one short", [](Bytes& f) { PutBe16(f, DgAt(0) + 1, 0x8003); }, Dg(kCrc, 0), 0},
        // Fields the reader does not interpret.
        {"consistent PH with a wrong data CRC",
         [=](Bytes& f) {
             f[ph + 12] ^= 0x01;
             FixPhCrc(f);
         },
         kPassed, kAll},
        {"consistent PH with other version, data size and block size",
         [=](Bytes& f) {
             f[ph] = 7;
             PutBe32(f, ph + 4, 12345);
             PutBe16(f, ph + 24, 99);
             FixPhCrc(f);
         },
         kPassed, kAll},
        {"DLH contents",
         [](Bytes& f) {
             f[2] = 0x99;
             f[2 + 20] = 'x';
             FixDlhCrc(f);
         },
         kPassed, kAll},
        {"bytes after the last block", [](Bytes& f) { f.insert(f.end(), 10, 0x33); }, kPassed,
         kAll},
        // Block count: only its low-order byte counts.
        {"block count 256 reads as 0",
         [=](Bytes& f) {
             PutBe16(f, ph + 26, 256);
             FixPhCrc(f);
         },
         Dg(CdlFault::NoBlocks, 0), 0},
        {"block count 0",
         [=](Bytes& f) {
             PutBe16(f, ph + 26, 0);
             FixPhCrc(f);
         },
         Dg(CdlFault::NoBlocks, 0), 0},
        {"block count 258 reads as 2",
         [=](Bytes& f) {
             PutBe16(f, ph + 26, 258);
             FixPhCrc(f);
         },
         kPassed, 2},
        {"block count 4 of 3",
         [=](Bytes& f) {
             f[ph + 27] = 4;
             FixPhCrc(f);
         },
         Dg(kCut, 3), 3},
        // A DLH length other than 45.
        {"DLH length 49 that checks", LengthenDlhConsistently, kPassed, kAll},
        {"DLH length 49 that does not check",
         [](Bytes& f) {
             LengthenDlhConsistently(f);
             f[2 + 46] ^= 0x01; // the CRC range now ends at body byte 44
             f[2 + 30] ^= 0x01;
         },
         Dlh(kCrc), 0},
        {"DLH length 44", [](Bytes& f) { f[1] = 44; }, Dlh(kCrc), 0},
        // Truncation at every record boundary and inside records.
        {"empty file", [](Bytes& f) { Truncate(f, 0); }, Dlh(kCut), 0},
        {"cut after the DLH tag", [](Bytes& f) { Truncate(f, 1); }, Dlh(kCut), 0},
        {"cut after the DLH length", [](Bytes& f) { Truncate(f, 2); }, Dlh(kCut), 0},
        {"cut inside the DLH CRC", [](Bytes& f) { Truncate(f, 46); }, Dlh(kCut), 0},
        {"cut after the DLH", [](Bytes& f) { Truncate(f, kPhAt); }, Ph(kCut), 0},
        {"cut after the PH length", [](Bytes& f) { Truncate(f, kPhAt + 2); }, Ph(kCut), 0},
        {"cut inside the PH", [](Bytes& f) { Truncate(f, kPhAt + 30); }, Ph(kCut), 0},
        {"cut after the PH", [](Bytes& f) { Truncate(f, kFirstDgAt); }, Dg(kCut, 0), 0},
        {"cut inside a DG header", [](Bytes& f) { Truncate(f, kFirstDgAt + 2); }, Dg(kCut, 0), 0},
        {"cut after a DG header", [](Bytes& f) { Truncate(f, kFirstDgAt + 3); }, Dg(kCut, 0), 0},
        {"cut after block 0", [](Bytes& f) { Truncate(f, DgAt(1)); }, Dg(kCut, 1), 1},
        {"cut inside payload 1", [](Bytes& f) { Truncate(f, DgAt(1) + 3 + 10); }, Dg(kCut, 1), 1},
        {"cut after block 1", [](Bytes& f) { Truncate(f, DgAt(2)); }, Dg(kCut, 2), 2},
        {"cut inside the last CRC", [=](Bytes& f) { Truncate(f, good.size() - 2); }, Dg(kCut, 2),
         2},
        // Lengths that do not fit the record or the work buffer.
        {"DLH length 0", [](Bytes& f) { f[1] = 0; }, Dlh(kLength), 0},
        {"DLH length 3", [](Bytes& f) { f[1] = 3; }, Dlh(kLength), 0},
        {"DLH length 4 (no bytes under the CRC)", [](Bytes& f) { f[1] = 4; }, Dlh(kCrc), 0},
        {"PH length 0", [](Bytes& f) { f[kPhAt + 1] = 0; }, Ph(kLength), 0},
        {"PH length 3", [](Bytes& f) { f[kPhAt + 1] = 3; }, Ph(kLength), 0},
        {"PH length 4 (no bytes under the CRC)", [](Bytes& f) { f[kPhAt + 1] = 4; }, Ph(kCrc), 0},
        {"DG length 0", [](Bytes& f) { PutBe16(f, DgAt(1) + 1, 0); }, Dg(kLength, 1), 1},
        {"DG length 3", [](Bytes& f) { PutBe16(f, DgAt(0) + 1, 3); }, Dg(kLength, 0), 0},
        {"DG length 0x8005", [](Bytes& f) { PutBe16(f, DgAt(0) + 1, 0x8005); }, Dg(kLength, 0), 0},
        {"DG length 0xFFFF", [](Bytes& f) { PutBe16(f, DgAt(2) + 1, 0xFFFF); }, Dg(kLength, 2), 2},
    };

    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = good;
        c.damage(file);
        Bytes image(5, 0xAB); // must be replaced in every case
        EXPECT_EQ(CdlDecodeBytes(file.data(), file.size(), image), c.check);
        EXPECT_TRUE(image == FirstBlocks(data, c.blocksPassed))
            << "the image holds " << image.size() << " bytes";
    }
}

TEST(CdlDecodeBytesTest, NullOrEmptyContainerIsCutShortAtTheDlh) {
    Bytes image(3, 1);
    EXPECT_EQ(CdlDecodeBytes(nullptr, 100, image), Dlh(kCut));
    EXPECT_TRUE(image.empty());
    const uint8_t one = 0x11;
    EXPECT_EQ(CdlDecodeBytes(&one, 0, image), Dlh(kCut));
}

// One case of each kind of damage: a result of its own in memory, and
// through the file the message that names the record and the fault, with
// "data.tmp" holding the blocks that passed.
TEST_F(CdlDecodeTest, EachKindOfDamageHasItsOwnResultAndItsMessage) {
    struct MessageCase {
        const char* what;
        std::function<void(Bytes&)> damage;
        CdlCheck check;
        const char* message;
        size_t blocksPassed;
    };
    const Bytes data = ThreeBlockData();
    const size_t ph = kPhAt + 2;
    const MessageCase cases[] = {
        {"DLH tag", [](Bytes& f) { f[0] = 0x12; }, Dlh(kTag), kAbnormalDlh, 0},
        {"DLH cut", [](Bytes& f) { Truncate(f, 20); }, Dlh(kCut), kAbnormalDlh, 0},
        {"DLH length", [](Bytes& f) { f[1] = 2; }, Dlh(kLength), kAbnormalDlh, 0},
        {"DLH CRC", [](Bytes& f) { f[2 + 7] ^= 1; }, Dlh(kCrc), kDlhCrc, 0},
        {"PH tag", [](Bytes& f) { f[kPhAt] = 0x33; }, Ph(kTag), kAbnormalPh, 0},
        {"PH cut", [](Bytes& f) { Truncate(f, kPhAt + 9); }, Ph(kCut), kAbnormalPh, 0},
        {"PH length", [](Bytes& f) { f[kPhAt + 1] = 1; }, Ph(kLength), kAbnormalPh, 0},
        {"PH CRC", [=](Bytes& f) { f[ph + 5] ^= 1; }, Ph(kCrc), kPhCrc, 0},
        {"no blocks",
         [=](Bytes& f) {
             f[ph + 27] = 0;
             FixPhCrc(f);
         },
         Dg(CdlFault::NoBlocks, 0), kAbnormalDg, 0},
        {"DG tag", [](Bytes& f) { f[DgAt(1)] = 0x11; }, Dg(kTag, 1), kAbnormalDg, 1},
        {"DG cut", [](Bytes& f) { Truncate(f, DgAt(2) + 50); }, Dg(kCut, 2), kAbnormalDg, 2},
        {"DG length", [](Bytes& f) { PutBe16(f, DgAt(0) + 1, 0x9000); }, Dg(kLength, 0),
         kAbnormalDg, 0},
        {"DG CRC", [](Bytes& f) { f[DgAt(2) + 9] ^= 1; }, Dg(kCrc, 2), kDgCrc, 2},
    };
    std::vector<CdlCheck> seen;
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = BuildContainer(data);
        c.damage(file);
        Bytes image;
        const CdlCheck check = CdlDecodeBytes(file.data(), file.size(), image);
        EXPECT_EQ(check, c.check);
        EXPECT_STREQ(CdlCheckMessage(check), c.message);
        for (const CdlCheck& other : seen)
            EXPECT_FALSE(other.fault == check.fault && other.record == check.record);
        seen.push_back(check);

        messages_.clear();
        WriteFileBytes(TempPath(), Bytes(5, 0xAB)); // must be replaced in every case
        EXPECT_EQ(DecodeBytes(file), -1);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text, c.message);
        EXPECT_EQ(messages_[0].caption, "Quorvandelix");
        EXPECT_TRUE(ReadFileBytes(TempPath()) == FirstBlocks(data, c.blocksPassed))
            << "data.tmp holds " << fs::file_size(TempPath()) << " bytes";
    }
    EXPECT_EQ(CdlCheckMessage(kPassed), nullptr);
    EXPECT_EQ(CdlCheckMessage(CdlCheck{CdlFault::NoMemory}), nullptr);

    messages_.clear();
    EXPECT_EQ(DecodeBytes(BuildContainer(data)), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(ReadFileBytes(TempPath()) == data);
}

// Two equal blocks, the file cut right after the second block's header: the
// bytes still in the work buffer from block 0 are exactly what block 1 would
// need, so only the count of the read tells that the file ended.
TEST_F(CdlDecodeTest, RecordCutShortIsNotCompletedFromTheLastBlock) {
    Bytes data = PatternBytes(0x8000, 12);
    data.insert(data.end(), data.begin(), data.end());
    Bytes file = BuildContainer(data);
    file.resize(DgAt(1) + 3);
    EXPECT_EQ(DecodeBytes(file), -1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, kAbnormalDg);
    EXPECT_EQ(fs::file_size(TempPath()), 0x8000u);
}

// The largest container the reader can take: DLH and PH of 255 body bytes
// (their CRCs made to check) and 255 full blocks. The file reader must read
// all of it, and the same container one byte shorter must fail.
TEST_F(CdlDecodeTest, LargestContainerIsReadWhole) {
    const Bytes data = PatternBytes(255 * 0x8000, 14);
    Bytes file = BuildContainer(data);
    file.insert(file.begin() + kPhAt, 255 - 45, 0x5A);
    file[1] = 255;
    ForceCrc(file, 2, 255 - 4, 2 + 37, GetBe32(file, 2 + 41));
    const size_t ph = 2 + 255;
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(ph + 2 + 32), 255 - 32, 0xA5);
    file[ph + 1] = 255;
    ForceCrc(file, ph + 2, 255 - 4, ph + 2 + 16, GetBe32(file, ph + 2 + 28));
    ASSERT_EQ(file.size(), 8358139u);

    EXPECT_EQ(DecodeBytes(file), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(ReadFileBytes(TempPath()) == data);

    file.pop_back();
    EXPECT_EQ(DecodeBytes(file), -1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, kAbnormalDg);
}

// Loads in turn, each after a larger one: "data.tmp" holds only what the
// last container gave, the blocks before a damaged one included.
TEST_F(CdlDecodeTest, EachLoadAfterALargerOneLeavesOnlyItsOwnBlocks) {
    struct Case {
        const char* what;
        Bytes data;
        size_t damagedBlock; // kAll for none
    };
    const Case cases[] = {
        {"channel list", PatternBytes(0xA0000, 15), kAll},
        {"key data", PatternBytes(0x10000, 16), kAll},
        {"three blocks, the second damaged", ThreeBlockData(), 1},
        {"one short block", PatternBytes(100, 17), kAll},
        {"one block, damaged", PatternBytes(0x8000, 18), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages_.clear();
        Bytes file = BuildContainer(c.data);
        if (c.damagedBlock != kAll) file[DgAt(c.damagedBlock) + 3] ^= 0x01;
        EXPECT_EQ(DecodeBytes(file), c.damagedBlock == kAll ? 0 : -1);
        EXPECT_EQ(messages_.size(), c.damagedBlock == kAll ? 0u : 1u);
        EXPECT_TRUE(ReadFileBytes(TempPath()) == FirstBlocks(c.data, c.damagedBlock));
    }
}

TEST_F(CdlDecodeTest, KeyDataContainerOfTwoBlocksDecodesTo0x10000Bytes) {
    const Bytes keyData = PatternBytes(0x10000, 13);
    const Bytes file = BuildContainer(keyData);
    ASSERT_EQ(file.size(), 65631u);
    EXPECT_EQ(DecodeBytes(file, "KeyData.kdl"), 0);
    EXPECT_TRUE(ReadFileBytes(TempPath()) == keyData);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(CdlDecodeTest, FilesThatCannotBeOpenedGiveMinusOneWithoutAMessage) {
    const Bytes previous(64, 0x77);
    WriteFileBytes(TempPath(), previous);
    EXPECT_EQ(CdlDecodeFile(PathOf("missing.cdl").string().c_str()), -1);
    EXPECT_EQ(CdlDecodeFile(nullptr), -1);
    EXPECT_TRUE(ReadFileBytes(TempPath()) == previous) << "left as it was";

    // A folder is no list, even where the system lets one be opened for reading.
    fs::create_directory(PathOf("folder.cdl"));
    EXPECT_EQ(CdlDecodeFile(PathOf("folder.cdl").string().c_str()), -1);
    EXPECT_TRUE(ReadFileBytes(TempPath()) == previous);

    // "data.tmp" itself named as the list: reading it must not destroy it.
    EXPECT_EQ(CdlDecodeFile(TempPath().string().c_str()), -1);
    EXPECT_TRUE(ReadFileBytes(TempPath()) == previous);

    // "data.tmp" cannot be created.
    WriteFileBytes(PathOf("list.cdl"), BuildContainer(Bytes(10, 1)));
    std::snprintf(g_szTempPath, sizeof g_szTempPath, "%s",
                  PathOf("missing/data.tmp").string().c_str());
    EXPECT_EQ(CdlDecodeFile(PathOf("list.cdl").string().c_str()), -1);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(CdlDecodeTest, WithoutAHookMessagesGoToStandardError) {
    CdlSetMessageBoxHook({});
    testing::internal::CaptureStderr();
    const int result = DecodeBytes(Bytes{0x22, 0x00});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Quorvandelix: File open Error(Abnormal File_DLH)\n");
    EXPECT_EQ(result, -1);
}

} // namespace
