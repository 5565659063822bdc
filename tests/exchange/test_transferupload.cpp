// Uploads over a scripted port: the block requests, the file they make, and
// every way an upload ends early, which keeps the ".part" and loses nothing
// already on disk.
#include <gtest/gtest.h>

#include "enginetest.h"

namespace {

const Bytes HELLO{0x02, 0x01, 0x03};
const Bytes UPLOAD_READY{0x02, 0x05, 0x03};
const Bytes UPLOAD_DONE{0x02, 0x07, 0x03};

struct UploadCase {
    const char* name;
    int kind;
    uint32_t total;
    size_t requests;
    Bytes lastRequest;
};

TEST_F(EngineTest, UploadRequestsEveryBlockAndMakesTheFile) {
    const std::vector<UploadCase> cases = {
        {"channel",
         XFER_KIND_CHANNEL,
         655581,
         161,
         {0x02, 0x06, 0xDD, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x03}},
        {"key",
         XFER_KIND_KEY,
         65631,
         17,
         {0x02, 0x06, 0x5F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x03}},
    };
    for (const UploadCase& c : cases) {
        SCOPED_TRACE(c.name);
        port = FakeSerialPort();
        owner = FakeOwner();
        std::filesystem::remove(ReceivePath());
        const Bytes data = Pattern(c.total, c.total);
        ServeBlocks(data);
        Start(XFER_DIR_UPLOAD, c.kind);
        ASSERT_TRUE(TurnWith(HELLO));
        EXPECT_EQ(owner.pathCleared, 1);
        ASSERT_TRUE(TurnWith(UPLOAD_READY));

        // Hello reply, the requests, then 02 07 03.
        ASSERT_EQ(port.writes.size(), 1 + c.requests + 1);
        EXPECT_EQ(port.writes[1],
                  (Bytes{0x02, 0x06, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}));
        EXPECT_EQ(port.writes[c.requests], c.lastRequest);
        EXPECT_EQ(port.writes.back(), UPLOAD_DONE);
        for (size_t i = 1; i < c.requests; ++i) {
            const Bytes& request = port.writes[i];
            EXPECT_EQ(request[2] | request[3] << 8, 4096) << "block " << i;
            EXPECT_EQ(request[7] | request[8] << 8, static_cast<int>((i - 1) * 4096 >> 8));
        }
        EXPECT_EQ(g_nXferOffset, c.total);
        EXPECT_EQ(owner.progress.back(), 100);
        EXPECT_TRUE(std::is_sorted(owner.progress.begin(), owner.progress.end()));
        EXPECT_TRUE(ReadAll(ReceivePath()) == data);
        EXPECT_EQ(engine->State(), COM_STATE_FINISHED);

        EXPECT_FALSE(TurnWith({0x00}));
        engine->Finish();
        EXPECT_EQ(owner.outcome, TransferOutcome::FileMade);
        EXPECT_EQ(owner.endPath, ReceivePath());
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ChannlList.cdl"});
        EXPECT_EQ(owner.MessageTexts(), std::vector<std::string>{"Communication Complete"});
    }
}

// The 03 of an upload-ready frame read on its own sits in the input queue
// when the first block is asked for; it must not become the block's first byte.
TEST_F(EngineTest, StrayByteBeforeABlockIsDropped) {
    const Bytes data = Pattern(COM_UPLOAD_KEY_SIZE, 5);
    ServeBlocks(data);
    Start(XFER_DIR_UPLOAD, XFER_KIND_KEY);
    ASSERT_TRUE(TurnWith(HELLO));
    port.Push({0x02, 0x05});
    port.Push({0x03});
    ASSERT_TRUE(engine->Turn());
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_TRUE(ReadAll(ReceivePath()) == data);
}

// A block that comes back short, none at all, or a port that fails mid-block:
// "Data Receive Error", no 02 07 03, the ".part" holds exactly the blocks
// before it, and the end report names it.
TEST_F(EngineTest, ShortBlockKeepsTheEarlierBlocksInThePart) {
    struct Case {
        const char* name;
        size_t faultLength; // bytes of block 3 that come
        bool portVanishes;
    };
    const std::vector<Case> cases = {
        {"one byte short", 4095, false},
        {"silent", 0, false},
        {"port vanishes", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        const Bytes data = Pattern(COM_UPLOAD_CHANNEL_SIZE, 9);
        ServeBlocks(data, 3, c.faultLength);
        if (c.portVanishes) {
            auto serve = port.onWrite;
            port.onWrite = [this, serve](const Bytes& written) {
                serve(written);
                if (port.writes.size() == 5) port.failed = true; // the fourth request
            };
        }
        Start(XFER_DIR_UPLOAD, XFER_KIND_CHANNEL);
        ASSERT_TRUE(TurnWith(HELLO));
        EXPECT_FALSE(TurnWith(UPLOAD_READY));
        engine->Finish();

        EXPECT_EQ(port.writes.size(), 5u) << "hello reply and four requests";
        EXPECT_NE(port.writes.back(), UPLOAD_DONE);
        ASSERT_EQ(owner.MessageTexts(), std::vector<std::string>{"Data Receive Error"});
        EXPECT_EQ(owner.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(owner.outcome, TransferOutcome::PartialKept);
        EXPECT_EQ(owner.endPath, ReceivePath() + ".part");
        EXPECT_TRUE(ReadAll(ReceivePath() + ".part") ==
                    Bytes(data.begin(), data.begin() + 3 * 4096));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ChannlList.cdl.part"});
        EXPECT_FALSE(port.open);
        EXPECT_EQ((std::vector<std::string>(owner.log.end() - 3, owner.log.end())),
                  (std::vector<std::string>{"hide", "idle", "end"}));
    }
}

// Disconnect (stop) or Abort (cancel) while a block is awaited: the worker
// gives up at once, without an error message, long before the block's time.
TEST_F(EngineTest, StopOrCancelMidBlockEndsWithoutAnError) {
    struct Case {
        const char* name;
        bool cancel;
    };
    for (const Case& c : {Case{"stop", false}, Case{"cancel", true}}) {
        SCOPED_TRACE(c.name);
        port = FakeSerialPort();
        owner = FakeOwner();
        std::filesystem::remove(ReceivePath() + ".part");
        TransferFlags signals;
        const Bytes data = Pattern(COM_UPLOAD_CHANNEL_SIZE, 3);
        ServeBlocks(data, 2, 0);
        auto serve = port.onWrite;
        port.onWrite = [&, serve](const Bytes& written) {
            serve(written);
            if (port.writes.size() == 4) c.cancel ? signals.SetCancel() : signals.SetStop();
        };
        // The default time of a block (1.7 s) would end in "Data Receive Error".
        TransferSettings settings;
        settings.direction = XFER_DIR_UPLOAD;
        settings.kind = XFER_KIND_CHANNEL;
        settings.receivePath = ReceivePath();
        TransferEngine engine(port, owner, signals, settings);
        port.Push(HELLO);
        port.Push(UPLOAD_READY);
        engine.Run();

        EXPECT_TRUE(owner.messages.empty());
        EXPECT_EQ(engine.State(), c.cancel ? COM_STATE_WAIT_HELLO : COM_STATE_UPLOAD);
        EXPECT_FALSE(port.open);
        EXPECT_EQ(owner.outcome, TransferOutcome::PartialKept);
        EXPECT_TRUE(ReadAll(ReceivePath() + ".part") ==
                    Bytes(data.begin(), data.begin() + 2 * 4096));
        EXPECT_EQ(owner.ends, 1);
        EXPECT_GE(owner.idles, 1);
    }
}

TEST_F(EngineTest, ProgramCannotBeUploaded) {
    Start(XFER_DIR_UPLOAD, XFER_KIND_PROGRAM);
    EXPECT_FALSE(TurnWith(HELLO));
    engine->Finish();
    EXPECT_TRUE(port.writes.empty());
    ASSERT_EQ(owner.MessageTexts(), std::vector<std::string>{"Program cannot be uploaded."});
    EXPECT_EQ(owner.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(port.open);
    EXPECT_EQ(owner.outcome, TransferOutcome::None);
    EXPECT_TRUE(dir.Entries().empty());
}

// A receive file that cannot be made: "File Open Error", no reply.
TEST_F(EngineTest, ReceiveFileThatCannotBeMadeGetsNoReply) {
    TransferSettings settings;
    settings.direction = XFER_DIR_UPLOAD;
    settings.kind = XFER_KIND_CHANNEL;
    settings.receivePath = dir.File("no-such-folder/ChannlList.cdl");
    TransferEngine engine(port, owner, flags, settings);
    port.Push(HELLO);
    EXPECT_FALSE(engine.Turn());
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(owner.MessageTexts(), std::vector<std::string>{"File Open Error"});
    EXPECT_EQ(owner.pathCleared, 0);
    EXPECT_FALSE(port.open);
}

TEST_F(EngineTest, CancelMakesIdleClosesAndReturnsToState0) {
    WriteAll(dir.File("send.bin"), Bytes(100, 1));
    Start(XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, dir.File("send.bin"));
    ASSERT_TRUE(TurnWith(HELLO));
    ASSERT_EQ(engine->State(), COM_STATE_DOWNLOAD);
    flags.SetCancel();
    engine->Run();
    EXPECT_EQ(engine->State(), COM_STATE_WAIT_HELLO);
    EXPECT_FALSE(port.open);
    EXPECT_GE(owner.idles, 2) << "the cancel's and the exit steps'";
    EXPECT_EQ(owner.ends, 1);
    EXPECT_EQ(owner.statusHidden, 1);
    EXPECT_TRUE(owner.messages.empty());
}

} // namespace
