// Whole transfers through the serial link over a pty, against the receiver
// simulator: uploads and downloads byte for byte, and the receiver's faults.
#include <gtest/gtest.h>

#include <cstring>

#include "cdlfile.h"
#include "cdltest.h"
#include "linktest.h"

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const std::vector<std::string> COMPLETE{"Communication Complete"};

// What a data request must bring: the file's bytes, 0xFF past its end.
Bytes Served(const Bytes& file, size_t length, size_t offset) {
    Bytes served(length, 0xFF);
    for (size_t i = 0; i < length && offset + i < file.size(); ++i)
        served[i] = file[offset + i];
    return served;
}

// The receiver's containers: a channel list written by the project's own
// writer, and key data in the layout of the record tables.
class LinkTransfers : public LinkTest {
  protected:
    void SetUp() override {
        LinkTest::SetUp();
        std::strncpy(m_savedTempPath, g_szTempPath, sizeof m_savedTempPath);
        std::strncpy(g_szTempPath, dir.File("data.tmp").c_str(), sizeof g_szTempPath - 1);
        CdlSetMessageBoxHook(
            [this](const char* text, const char*) { decodeMessages.push_back(text); });
    }
    void TearDown() override {
        CdlSetMessageBoxHook({});
        std::strncpy(g_szTempPath, m_savedTempPath, sizeof g_szTempPath);
        LinkTest::TearDown();
    }

    Bytes ChannelContainer(const Bytes& image) {
        WriteAll(dir.File("data.tmp"), image);
        EXPECT_EQ(CdlEncodeFile(dir.File("made.cdl").c_str()), 0);
        return ReadAll(dir.File("made.cdl"));
    }

    // Decodes a received container into "data.tmp" and returns its data.
    Bytes Decoded(const std::string& path) {
        EXPECT_EQ(CdlDecodeFile(path.c_str()), 0);
        return ReadAll(dir.File("data.tmp"));
    }

    std::vector<std::string> decodeMessages;

  private:
    char m_savedTempPath[CDL_TEMP_PATH_SIZE] = {};
};

TEST_F(LinkTransfers, UploadsAreByteIdenticalAndDecode) {
    struct Case {
        const char* name;
        int kind;
        uint8_t replyCode;
        size_t blocks;
    };
    const Bytes image = PatternBytes(0xA0000, 21);
    const Bytes keys = PatternBytes(0x10000, 22);
    const std::vector<Case> cases = {
        {"channel", XFER_KIND_CHANNEL, 0xB2, 161},
        {"key", XFER_KIND_KEY, 0xB3, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner = FakeOwner();
        const Bytes container =
            c.kind == XFER_KIND_CHANNEL ? ChannelContainer(image) : BuildContainer(keys);
        const UploadReport report = Run<UploadReport>(
            XFER_DIR_UPLOAD, c.kind, [&](ReceiverSim& s) { return s.RunUpload({container}); });
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.helloReply, (Bytes{0x02, 0x01, c.replyCode, 0x03}));
        EXPECT_EQ(report.requests.size(), c.blocks);
        EXPECT_TRUE(report.uploadDone);
        EXPECT_EQ(owner.MessageTexts(), COMPLETE);
        ASSERT_EQ(owner.outcome, TransferOutcome::FileMade);
        EXPECT_EQ(owner.endPath, ReceivePath());
        EXPECT_EQ(owner.progress.back(), 100);
        EXPECT_EQ(owner.pathCleared, 1);
        EXPECT_TRUE(ReadAll(ReceivePath()) == container);
        EXPECT_TRUE(Decoded(ReceivePath()) == (c.kind == XFER_KIND_CHANNEL ? image : keys));
        EXPECT_TRUE(decodeMessages.empty());
        std::filesystem::remove(ReceivePath());
    }
}

TEST_F(LinkTransfers, DownloadsOfEveryKindServeTheFile) {
    struct Case {
        const char* name;
        int kind;
        uint8_t replyCode;
        size_t size;
    };
    const std::vector<Case> cases = {
        {"channel", XFER_KIND_CHANNEL, 0xA2, 655581},
        {"program", XFER_KIND_PROGRAM, 0xA1, 70000},
        {"key", XFER_KIND_KEY, 0xA3, 65631},
    };
    link.SetUtcClock(
        []() -> std::optional<sys_seconds> { return sys_days{1993y / 10 / 13} + 12h + 45min; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner = FakeOwner();
        const Bytes file = PatternBytes(c.size, static_cast<uint32_t>(c.size));
        WriteAll(SendPath(), file);
        const uint32_t last = static_cast<uint32_t>(c.size - 100);
        const std::vector<DownloadStep> steps = {
            {DownloadStep::Data, 4096, 0},
            {DownloadStep::Time},
            {DownloadStep::Data, 65535, 4096},
            {DownloadStep::Garbage},
            {DownloadStep::Data, 1, 69999},
            {DownloadStep::Data, 200, last},
            {DownloadStep::Done},
        };
        const DownloadReport report = Run<DownloadReport>(
            XFER_DIR_DOWNLOAD, c.kind, [&](ReceiverSim& s) { return s.RunDownload(steps); });
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.helloReply, (Bytes{0x02, 0x01, c.replyCode, 0x03}));
        ASSERT_EQ(report.answers.size(), 5u);
        EXPECT_TRUE(report.answers[0] == Served(file, 4096, 0));
        EXPECT_EQ(report.answers[1], (Bytes{0x02, 0x03, 0xC0, 0x79, 0x12, 0x45, 0x00, 0x03}));
        EXPECT_TRUE(report.answers[2] == Served(file, 65535, 4096));
        EXPECT_EQ(report.answers[3], Served(file, 1, 69999));
        EXPECT_TRUE(report.answers[4] == Served(file, 200, last));
        EXPECT_EQ(owner.MessageTexts(), COMPLETE);
        EXPECT_EQ(owner.progress.back(), 100);
        EXPECT_EQ(owner.outcome, TransferOutcome::None);
        EXPECT_EQ(owner.pathCleared, 0);
    }
}

// The receiver misbehaves during an upload: a clear message within the
// block's time, the ".part" holds the blocks before the fault, and a
// receiver that only chatters between frames still gets its transfer done.
TEST_F(LinkTransfers, ReceiverFaultsDuringAnUpload) {
    struct Case {
        const char* name;
        bool garbage;
        BlockFault fault;
        size_t faultAt;
        std::vector<std::string> messages;
        TransferOutcome outcome;
        size_t blocksKept;
    };
    const Bytes keys = BuildContainer(PatternBytes(0x10000, 23));
    // clang-format off
    const std::vector<Case> cases = {
        {"short block", false, BlockFault::Short, 4, {"Data Receive Error"},
         TransferOutcome::PartialKept, 4},
        {"silent receiver", false, BlockFault::Silent, 0, {"Data Receive Error"},
         TransferOutcome::PartialKept, 0},
        {"garbage between frames", true, BlockFault::None, 0, COMPLETE,
         TransferOutcome::FileMade, 17},
        // Last: the pty has no master afterwards.
        {"cable pulled mid-block", false, BlockFault::CloseMaster, 2, {"Data Receive Error"},
         TransferOutcome::PartialKept, 2},
    };
    // clang-format on
    TransferTiming timing;
    timing.readBase = 300ms; // a silent receiver is given up sooner
    link.SetTransferTiming(timing);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner = FakeOwner();
        for (const auto& name : dir.Entries())
            std::filesystem::remove(dir.Path() / name);
        const UploadScript script{keys, c.garbage, c.fault, c.faultAt};
        const UploadReport report = Run<UploadReport>(
            XFER_DIR_UPLOAD, XFER_KIND_KEY, [&](ReceiverSim& s) { return s.RunUpload(script); });
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.uploadDone, c.outcome == TransferOutcome::FileMade);
        EXPECT_EQ(owner.MessageTexts(), c.messages);
        EXPECT_EQ(owner.outcome, c.outcome);
        const Bytes kept = ReadAll(owner.endPath);
        EXPECT_TRUE(kept ==
                    Bytes(keys.begin(), keys.begin() + std::min(keys.size(), c.blocksKept * 4096)));
        EXPECT_EQ(owner.log.back(), "end");
        EXPECT_FALSE(link.IsWorkerRunning());
    }
}

} // namespace
