// How the worker reads the line: one read of at most 10 bytes a turn, a frame
// only at its first byte, nothing carried over, and what each state answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "enginetest.h"

namespace {

struct ReadCase {
    std::string name;
    int direction;
    int kind;
    std::vector<Bytes> chunks; // one per turn
    std::vector<Bytes> writes; // what the link sends, in order
    uint8_t state;
};

const Bytes HELLO{0x02, 0x01, 0x03};

std::vector<ReadCase> ReadCases() {
    // clang-format off
    std::vector<ReadCase> cases = {
        {"UploadChannelHello", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL, {HELLO},
         {{0x02, 0x01, 0xB2, 0x03}}, 2},
        {"UploadKeyHello", XFER_DIR_UPLOAD, XFER_KIND_KEY, {HELLO}, {{0x02, 0x01, 0xB3, 0x03}}, 2},
        {"DownloadProgramHello", XFER_DIR_DOWNLOAD, XFER_KIND_PROGRAM, {HELLO},
         {{0x02, 0x01, 0xA1, 0x03}}, 3},
        {"DownloadChannelHello", XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, {HELLO},
         {{0x02, 0x01, 0xA2, 0x03}}, 3},
        {"DownloadKeyHello", XFER_DIR_DOWNLOAD, XFER_KIND_KEY, {HELLO}, {{0x02, 0x01, 0xA3, 0x03}}, 3},
        {"HelloSplitOverTwoReads", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL, {{0x02, 0x01}, {0x03}}, {}, 0},
        {"HelloNotAtFirstByte", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL, {{0x00, 0x02, 0x01, 0x03}}, {}, 0},
        {"HelloWithoutEndByte", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL, {{0x02, 0x01, 0x04}}, {}, 0},
        // The upload-ready frame behind the hello is lost with the rest of the read.
        {"HelloPlusBytesAnsweredRestLost", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL,
         {{0x02, 0x01, 0x03, 0x02, 0x05, 0x03}}, {{0x02, 0x01, 0xB2, 0x03}}, 2},
        {"HelloInState2", XFER_DIR_UPLOAD, XFER_KIND_CHANNEL, {HELLO, HELLO},
         {{0x02, 0x01, 0xB2, 0x03}}, 2},
        {"HelloInState3", XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, {HELLO, HELLO},
         {{0x02, 0x01, 0xA2, 0x03}}, 3},
        {"HelloInState5EndsTheTransfer", XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL,
         {HELLO, {0x02, 0x04, 0x03}, HELLO}, {{0x02, 0x01, 0xA2, 0x03}}, 5},
        {"UnknownBytesInState0", XFER_DIR_DOWNLOAD, XFER_KIND_KEY,
         {{0x55, 0xAA}, {0x02, 0x09, 0x03}, {0x03, 0x01, 0x02}}, {}, 0},
        {"UnknownBytesInState2", XFER_DIR_UPLOAD, XFER_KIND_KEY, {HELLO, {0x02, 0x02, 0x03}, {0x05}},
         {{0x02, 0x01, 0xB3, 0x03}}, 2},
        {"UnknownBytesInState3", XFER_DIR_DOWNLOAD, XFER_KIND_KEY, {HELLO, {0x02, 0x09, 0x03}, {0x02}},
         {{0x02, 0x01, 0xA3, 0x03}}, 3},
        {"DataRequestOfEightBytesServed", XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL,
         {HELLO, {0x02, 0x02, 0x04, 0x00, 0x02, 0x00, 0x00, 0x00}},
         {{0x02, 0x01, 0xA2, 0x03}, {0x12, 0x13, 0x14, 0x15}}, 3},
    };
    // clang-format on
    // A data request needs all eight bytes in one read: with fewer, wrong
    // bytes would reach the receiver's flash.
    for (size_t size = 2; size < 8; ++size) {
        Bytes partial{0x02, 0x02, 0x04, 0x00, 0x02, 0x00, 0x00, 0x00};
        partial.resize(size);
        cases.push_back({"DataRequestOf" + std::to_string(size) + "BytesIgnored",
                         XFER_DIR_DOWNLOAD,
                         XFER_KIND_CHANNEL,
                         {HELLO, partial},
                         {{0x02, 0x01, 0xA2, 0x03}},
                         3});
    }
    return cases;
}

class TransferReads : public EngineTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TransferReads, AnswerAndState) {
    const ReadCase& c = GetParam();
    Bytes file(64);
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<uint8_t>(0x10 + i);
    WriteAll(dir.File("send.bin"), file);
    Start(c.direction, c.kind, dir.File("send.bin"));
    for (const Bytes& chunk : c.chunks)
        TurnWith(chunk);
    EXPECT_EQ(port.writes, c.writes);
    EXPECT_EQ(engine->State(), c.state);
    EXPECT_TRUE(owner.MessageTexts().empty() ||
                owner.MessageTexts() == std::vector<std::string>{"Communication Complete"});
}

INSTANTIATE_TEST_SUITE_P(, TransferReads, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return info.param.name; });

// "Communication Complete" needs a byte in a read after the last frame.
TEST_F(EngineTest, CompleteOnlyOnAByteInALaterRead) {
    struct Case {
        const char* name;
        int direction;
        std::vector<Bytes> toFinished;
    };
    const Bytes data = Pattern(COM_UPLOAD_KEY_SIZE, 7);
    const std::vector<Case> cases = {
        {"download", XFER_DIR_DOWNLOAD, {HELLO, {0x02, 0x04, 0x03, 0x00, 0x00}}},
        {"upload", XFER_DIR_UPLOAD, {HELLO, {0x02, 0x05, 0x03}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port = FakeSerialPort();
        owner = FakeOwner();
        WriteAll(dir.File("send.bin"), Bytes(10, 0x42));
        std::filesystem::remove(ReceivePath());
        ServeBlocks(data);
        Start(c.direction, XFER_KIND_KEY, dir.File("send.bin"));
        for (const Bytes& chunk : c.toFinished)
            ASSERT_TRUE(TurnWith(chunk));
        EXPECT_EQ(engine->State(), COM_STATE_FINISHED);
        EXPECT_TRUE(engine->Turn()) << "a turn without bytes ends nothing";
        EXPECT_TRUE(owner.messages.empty());
        EXPECT_FALSE(TurnWith({0x7F}));
        ASSERT_EQ(owner.MessageTexts(), std::vector<std::string>{"Communication Complete"});
        EXPECT_EQ(owner.messages[0].icon, MessageIcon::None);
        EXPECT_FALSE(port.open);
    }
}

// A port that vanishes (the cable pulled, the adapter unplugged) ends the
// worker with what broke off: an upload with "Data Receive Error" and its
// ".part" kept and named, a download with "Data Send Error", a transfer past
// its last frame as complete; before the hello nothing was under way.
TEST_F(EngineTest, AVanishedPortTellsWhatBrokeOff) {
    struct Case {
        const char* name;
        int direction;
        std::vector<Bytes> before; // frames that arrive before the port fails
        std::vector<std::string> messages;
        MessageIcon icon;
        TransferOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"waiting for the hello", XFER_DIR_UPLOAD, {}, {}, MessageIcon::None,
         TransferOutcome::None},
        {"upload, waiting for the receiver", XFER_DIR_UPLOAD, {HELLO}, {"Data Receive Error"},
         MessageIcon::Stop, TransferOutcome::PartialKept},
        {"download, serving requests", XFER_DIR_DOWNLOAD,
         {HELLO, {0x02, 0x02, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}}, {"Data Send Error"},
         MessageIcon::Stop, TransferOutcome::None},
        {"download, after the last frame", XFER_DIR_DOWNLOAD, {HELLO, {0x02, 0x04, 0x03}},
         {"Communication Complete"}, MessageIcon::None, TransferOutcome::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        WriteAll(dir.File("send.bin"), Bytes(10, 0x42));
        Start(c.direction, XFER_KIND_CHANNEL, dir.File("send.bin"));
        for (const Bytes& frame : c.before)
            ASSERT_TRUE(TurnWith(frame));
        port.failed = true;
        EXPECT_FALSE(engine->Turn());
        engine->Finish();
        EXPECT_EQ(owner.MessageTexts(), c.messages);
        if (!owner.messages.empty()) {
            EXPECT_EQ(owner.messages[0].icon, c.icon);
        }
        EXPECT_EQ(owner.outcome, c.outcome);
        if (c.outcome == TransferOutcome::PartialKept) {
            EXPECT_EQ(owner.endPath, ReceivePath() + ".part");
            EXPECT_TRUE(std::filesystem::exists(ReceivePath() + ".part"));
        }
        EXPECT_FALSE(port.open);
        EXPECT_EQ(owner.ends, 1);
    }
}

} // namespace
