// Downloads over a scripted port: what a data request gets for every range,
// the progress it shows, the time reply, and writes the receiver stops taking.
#include <gtest/gtest.h>

#include <future>

#include "enginetest.h"
#include "timereply.h"

namespace {

using namespace std::chrono;

const Bytes HELLO{0x02, 0x01, 0x03};

Bytes DataRequest(uint16_t length, uint32_t offset) {
    return {0x02,
            0x02,
            static_cast<uint8_t>(length),
            static_cast<uint8_t>(length >> 8),
            static_cast<uint8_t>(offset),
            static_cast<uint8_t>(offset >> 8),
            static_cast<uint8_t>(offset >> 16),
            static_cast<uint8_t>(offset >> 24),
            0x03};
}

// What the receiver must get: the file's bytes, 0xFF past its end.
Bytes Expected(const Bytes& file, uint16_t length, uint32_t offset) {
    Bytes expected(length, 0xFF);
    for (size_t i = 0; i < length && uint64_t{offset} + i < file.size(); ++i)
        expected[i] = file[offset + i];
    return expected;
}

TEST_F(EngineTest, DataRequestsSendLengthBytesFromTheOffset) {
    struct Case {
        uint16_t length;
        uint32_t offset;
        int progress;
    };
    const Bytes file = Pattern(70000, 11);
    const std::vector<Case> cases = {
        {16, 0, 0},
        {4096, 4096, 11},
        {65535, 0, 93},
        {65535, 4465, 100},     // ends exactly at the file's end
        {100, 69950, 100},      // half inside, half past the end
        {10, 70000, 100},       // starts at the end
        {10, 0xFFFFFFF0u, 100}, // far beyond, no 32-bit overflow in the progress
        {0, 5, 0},              // asks for nothing, gets nothing
    };
    WriteAll(dir.File("send.cdl"), file);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.length << " at " << c.offset);
        port = FakeSerialPort();
        owner = FakeOwner();
        Start(XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, dir.File("send.cdl"));
        ASSERT_TRUE(TurnWith(HELLO));
        ASSERT_TRUE(TurnWith(DataRequest(c.length, c.offset)));
        if (c.length == 0) {
            EXPECT_EQ(port.writes.size(), 1u);
        } else {
            ASSERT_EQ(port.writes.size(), 2u);
            EXPECT_TRUE(port.writes[1] == Expected(file, c.length, c.offset));
        }
        EXPECT_EQ(owner.progress.back(), c.progress);
    }
}

TEST_F(EngineTest, EmptyFileServesErasedBytesAtFullProgress) {
    WriteAll(dir.File("empty.kdl"), {});
    Start(XFER_DIR_DOWNLOAD, XFER_KIND_KEY, dir.File("empty.kdl"));
    ASSERT_TRUE(TurnWith(HELLO));
    ASSERT_TRUE(TurnWith(DataRequest(16, 0)));
    ASSERT_EQ(port.writes.size(), 2u);
    EXPECT_EQ(port.writes[1], Bytes(16, 0xFF));
    EXPECT_EQ(owner.progress.back(), 100);
}

TEST_F(EngineTest, MissingFileGetsNoReply) {
    for (const std::string& path : {dir.File("gone.sdl"), std::string(), dir.Path().string()}) {
        SCOPED_TRACE(path);
        port = FakeSerialPort();
        owner = FakeOwner();
        Start(XFER_DIR_DOWNLOAD, XFER_KIND_PROGRAM, path);
        EXPECT_FALSE(TurnWith(HELLO));
        engine->Finish();
        EXPECT_TRUE(port.writes.empty());
        ASSERT_EQ(owner.MessageTexts(), std::vector<std::string>{"File Open Error"});
        EXPECT_EQ(owner.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(engine->State(), COM_STATE_WAIT_HELLO);
        EXPECT_FALSE(port.open);
        EXPECT_EQ(owner.outcome, TransferOutcome::None);
    }
}

// A receiver that stops reading while the PC writes: the write gives up
// after its bound (its base and twice the bytes' line time), and the
// transfer ends with the message, the port closed and the dialog idle.
TEST_F(EngineTest, AWriteTheReceiverStopsReadingEndsTheTransfer) {
    struct Case {
        const char* name;
        int direction;
        std::vector<Bytes> frames; // the receiver's frames, one a turn
        size_t stallAt;            // the write that stays unsent
        size_t stalledBytes;
    };
    const std::vector<Case> cases = {
        {"hello reply", XFER_DIR_DOWNLOAD, {HELLO}, 0, 4},
        {"data of a 65535-byte request", XFER_DIR_DOWNLOAD, {HELLO, DataRequest(65535, 0)}, 1,
         65535},
        {"time reply", XFER_DIR_DOWNLOAD, {HELLO, {0x02, 0x03, 0x03}}, 1, 8},
        {"hello reply of an upload", XFER_DIR_UPLOAD, {HELLO}, 0, 4},
    };
    TransferTiming timing = FastTiming();
    timing.writeBase = milliseconds(20);
    WriteAll(dir.File("send.cdl"), Pattern(70000, 5));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port = FakeSerialPort();
        owner = FakeOwner();
        port.stallAt = c.stallAt;
        for (const Bytes& frame : c.frames)
            port.Push(frame);
        const auto bound =
            timing.writeBase + milliseconds(2 * c.stalledBytes * 1000 / timing.lineBytesPerSecond);
        Start(c.direction, XFER_KIND_CHANNEL, dir.File("send.cdl"), timing);
        // The worker on a thread of its own; a worker still waiting well
        // after the bound is stopped, so the test never hangs.
        const auto start = steady_clock::now();
        auto worker = std::async(std::launch::async, [this] { return engine->Run(); });
        const bool ended = worker.wait_for(bound + seconds(5)) == std::future_status::ready;
        if (!ended) flags.SetStop();
        worker.get();
        const auto took = steady_clock::now() - start;
        EXPECT_TRUE(ended) << "still writing after the bound";
        EXPECT_GE(took, bound);
        ASSERT_EQ(owner.MessageTexts(), std::vector<std::string>{"Data Send Error"});
        EXPECT_EQ(owner.messages[0].icon, MessageIcon::Stop);
        EXPECT_FALSE(port.open);
        EXPECT_GE(owner.idles, 1);
        EXPECT_EQ(owner.log.back(), "end");
        EXPECT_EQ(port.writes.size(), c.stallAt + 1) << "nothing goes out after the stalled write";
    }
}

// ---- Time reply ------------------------------------------------------------

sys_seconds At(year_month_day date, hours h, minutes m, seconds s) {
    return sys_days{date} + h + m + s;
}

TEST_F(EngineTest, TimeRequestGetsTheInjectedUtcTime) {
    struct Case {
        const char* name;
        sys_seconds now;
        Bytes reply;
    };
    const std::vector<Case> cases = {
        // The worked example of EN 300 468 Annex C.
        {"1993-10-13 12:45:00",
         At(1993y / 10 / 13, 12h, 45min, 0s),
         {0x02, 0x03, 0xC0, 0x79, 0x12, 0x45, 0x00, 0x03}},
        {"last second of a day",
         At(2000y / 2 / 29, 23h, 59min, 59s),
         {0x02, 0x03, 0xC9, 0x93, 0x23, 0x59, 0x59, 0x03}},
        {"midnight",
         At(2000y / 3 / 1, 0h, 0min, 0s),
         {0x02, 0x03, 0xC9, 0x94, 0x00, 0x00, 0x00, 0x03}},
    };
    WriteAll(dir.File("send.cdl"), Bytes(10, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port = FakeSerialPort();
        clock = [&c]() -> std::optional<sys_seconds> { return c.now; };
        Start(XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, dir.File("send.cdl"));
        ASSERT_TRUE(TurnWith(HELLO));
        ASSERT_TRUE(TurnWith({0x02, 0x03, 0x03}));
        ASSERT_EQ(port.writes.size(), 2u);
        EXPECT_EQ(port.writes[1], c.reply);
    }
}

TEST_F(EngineTest, NoUtcTimeSendsNothing) {
    clock = []() -> std::optional<sys_seconds> { return std::nullopt; };
    WriteAll(dir.File("send.cdl"), Bytes(10, 0));
    Start(XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL, dir.File("send.cdl"));
    ASSERT_TRUE(TurnWith(HELLO));
    EXPECT_EQ(engine->SendTimeReply(), 1);
    EXPECT_TRUE(TurnWith({0x02, 0x03, 0x03}));
    EXPECT_EQ(port.writes.size(), 1u);
}

// The date against the calendar of std::chrono: days since 1858-11-17, the
// origin of the Modified Julian Date, kept as 16 bits.
TEST(ModifiedJulianDate, MatchesDaysSinceTheOrigin) {
    struct Case {
        year_month_day date;
        uint16_t mjd;
    };
    const std::vector<Case> cases = {
        {1993y / 10 / 13, 0xC079}, {2000y / 1 / 1, 0xC958},  {2000y / 2 / 29, 0xC993},
        {2000y / 3 / 1, 0xC994},   {2038y / 4 / 22, 0xFFFF}, {2038y / 4 / 23, 0x0000},
        {1900y / 3 / 1, 15079},    {2026y / 12 / 31, 61405},
    };
    const sys_days origin{1858y / 11 / 17};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.date.year()) << "-"
                                          << static_cast<unsigned>(c.date.month()) << "-"
                                          << static_cast<unsigned>(c.date.day()));
        const auto days = (sys_days{c.date} - origin).count();
        EXPECT_EQ(static_cast<uint16_t>(days), c.mjd);
        EXPECT_EQ(ModifiedJulianDate(static_cast<int>(c.date.year()),
                                     static_cast<unsigned>(c.date.month()),
                                     static_cast<unsigned>(c.date.day())),
                  c.mjd);
    }
}

} // namespace
