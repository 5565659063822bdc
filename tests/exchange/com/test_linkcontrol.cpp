// The link's own behaviour: opening and closing, a worker that stops within
// about a second of Disconnect, Connect again at once, receive files that
// overwrite nothing, reads of the queue, and which device "COMn" is.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "comports.h"
#include "linktest.h"
#include "qtcomport.h"

namespace {

using namespace std::chrono_literals;

Bytes KeyContainer(uint32_t seed) {
    Bytes bytes(COM_UPLOAD_KEY_SIZE);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + seed);
    return bytes;
}

// Disconnect (ClosePort) while a block is on its way: the worker ends well
// within the block's time, with no error, and keeps the ".part".
TEST_F(LinkTest, ClosePortMidBlockEndsTheWorkerAndKeepsThePart) {
    const Bytes keys = KeyContainer(1);
    Configure(XFER_DIR_UPLOAD, XFER_KIND_KEY);
    ASSERT_EQ(link.OpenPort(), 1);
    auto running = std::async(std::launch::async, [&] {
        return sim.RunUpload({keys, false, BlockFault::StopLink, 3});
    });
    ASSERT_TRUE(sim.WaitUntilHalfBlockSent(20s));
    EXPECT_EQ(link.ClosePort(), 1);
    EXPECT_TRUE(link.WaitForWorker(5s)) << "the worker outlived Disconnect";
    EXPECT_TRUE(PumpUntil([&] { return owner.ends == 1; }));
    EXPECT_EQ(running.get().requests.size(), 4u);
    EXPECT_TRUE(owner.messages.empty()) << owner.messages[0].text;
    EXPECT_EQ(owner.outcome, TransferOutcome::PartialKept);
    EXPECT_EQ(owner.endPath, ReceivePath() + ".part");
    EXPECT_TRUE(ReadAll(owner.endPath) == Bytes(keys.begin(), keys.begin() + 3 * 4096));
    EXPECT_EQ(link.ClosePort(), 0);
}

// Disconnect, then Connect at once while the first worker may still run: the
// new worker gets the port and its upload completes beside the kept ".part".
TEST_F(LinkTest, DisconnectThenConnectAtOnce) {
    const Bytes first = KeyContainer(2);
    const Bytes second = KeyContainer(3);
    Configure(XFER_DIR_UPLOAD, XFER_KIND_KEY);
    ASSERT_EQ(link.OpenPort(), 1);
    auto running = std::async(std::launch::async, [&] {
        return sim.RunUpload({first, false, BlockFault::StopLink, 1});
    });
    ASSERT_TRUE(sim.WaitUntilHalfBlockSent(20s));
    EXPECT_EQ(link.ClosePort(), 1);
    running.get();

    const UploadReport report = Run<UploadReport>(
        XFER_DIR_UPLOAD, XFER_KIND_KEY, [&](ReceiverSim& s) { return s.RunUpload({second}); });
    EXPECT_EQ(report.error, "");
    EXPECT_EQ(owner.ends, 2);
    EXPECT_EQ(owner.MessageTexts(), std::vector<std::string>{"Communication Complete"});
    const std::string secondName = dir.File("ChannlList(20261210_1245)-2.cdl");
    EXPECT_EQ(owner.endPath, secondName);
    EXPECT_TRUE(ReadAll(secondName) == second);
    EXPECT_TRUE(ReadAll(ReceivePath() + ".part") == Bytes(first.begin(), first.begin() + 4096));
}

// A file already under the receive name keeps its bytes; each later upload
// of the same minute takes the next free name.
TEST_F(LinkTest, UploadsOverwriteNothing) {
    const Bytes existing(1234, 0x5A);
    WriteAll(ReceivePath(), existing);
    const std::vector<std::string> names = {"ChannlList(20261210_1245)-2.cdl",
                                            "ChannlList(20261210_1245)-3.cdl"};
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const Bytes keys = KeyContainer(static_cast<uint32_t>(10 + i));
        const UploadReport report = Run<UploadReport>(
            XFER_DIR_UPLOAD, XFER_KIND_KEY, [&](ReceiverSim& s) { return s.RunUpload({keys}); });
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(owner.outcome, TransferOutcome::FileMade);
        EXPECT_EQ(owner.endPath, dir.File(names[i]));
        EXPECT_TRUE(ReadAll(dir.File(names[i])) == keys);
    }
    EXPECT_TRUE(ReadAll(ReceivePath()) == existing);
}

TEST_F(LinkTest, OpenTwiceAndCloseWhenClosed) {
    EXPECT_EQ(link.ClosePort(), 0) << "never opened";
    Configure(XFER_DIR_DOWNLOAD, XFER_KIND_CHANNEL);
    ASSERT_EQ(link.OpenPort(), 1);
    EXPECT_EQ(owner.snapshots, 1);
    EXPECT_EQ(link.OpenPort(), 0) << "already open";
    EXPECT_EQ(owner.snapshots, 1) << "a refused open takes no snapshot";
    EXPECT_TRUE(link.IsWorkerRunning());
    EXPECT_EQ(link.ClosePort(), 1);
    EXPECT_EQ(link.ClosePort(), 0);
    EXPECT_TRUE(link.WaitForWorker(5s));
    EXPECT_TRUE(PumpUntil([&] { return owner.ends == 1; }));
    EXPECT_TRUE(owner.messages.empty());
}

// A cancel while the receiver is being served: idle, closed, and a new
// Connect starts over in state 0 (the hello is answered again).
TEST_F(LinkTest, CancelThenConnectStartsOver) {
    WriteAll(SendPath(), Bytes(5000, 0x11));
    Configure(XFER_DIR_DOWNLOAD, XFER_KIND_KEY);
    ASSERT_EQ(link.OpenPort(), 1);
    Bytes reply;
    ASSERT_TRUE(sim.Hello(reply));
    EXPECT_EQ(reply, (Bytes{0x02, 0x01, 0xA3, 0x03}));
    link.CancelTransfer();
    EXPECT_TRUE(link.WaitForWorker(5s));
    EXPECT_TRUE(PumpUntil([&] { return owner.ends == 1; }));
    EXPECT_GE(owner.idles, 2);
    EXPECT_EQ(link.ClosePort(), 0) << "the cancel closed the port";
    ASSERT_EQ(link.OpenPort(), 1);
    ASSERT_TRUE(sim.Hello(reply));
    EXPECT_EQ(reply, (Bytes{0x02, 0x01, 0xA3, 0x03}));
}

// The edge cases of a read: nothing queued gives 0 at once; with 3 bytes
// queued a read of 10 gives those 3.
TEST_F(LinkTest, ReadsTakeOnlyWhatIsQueued) {
    QtComPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), PortOpenResult::Opened);
    FakeOwner sink;
    TransferFlags flags;
    TransferEngine engine(port, sink, flags, {});
    uint8_t buffer[10] = {};
    EXPECT_EQ(engine.ReadData(buffer, 10), 0u);
    ASSERT_TRUE(sim.SendFrame({0x21, 0x22, 0x23}));
    ASSERT_TRUE(PumpUntil([&] { return port.Queued() >= 3; }, 5s));
    EXPECT_EQ(engine.ReadData(buffer, 10), 3u);
    EXPECT_EQ((Bytes(buffer, buffer + 3)), (Bytes{0x21, 0x22, 0x23}));
    EXPECT_EQ(engine.ReadData(buffer, 10), 0u);
}

TEST_F(LinkTest, ComPortNumbersNameTheListedDevices) {
    ::setenv("QUORVANDELIX_PORTS", ("/dev/qv-missing:" + pty.SlavePath()).c_str(), 1);
    struct Case {
        unsigned port;
        std::string device;
    };
    for (const Case& c :
         {Case{0, ""}, Case{1, "/dev/qv-missing"}, Case{2, pty.SlavePath()}, Case{3, ""}})
        EXPECT_EQ(ComPortDevice(c.port), c.device) << "COM" << c.port;

    struct OpenCase {
        unsigned char port;
        int opened;
        std::vector<std::string> messages;
        std::string reason;
    };
    const std::vector<OpenCase> opens = {
        {1, 0, {"CreateFile FAIL"}, "no such port"}, // listed, but no such device
        {3, 0, {"CreateFile FAIL"}, "no such port"}, // past the end of the list
        {2, 1, {}, ""},
    };
    for (const OpenCase& c : opens) {
        SCOPED_TRACE(static_cast<int>(c.port));
        owner = FakeOwner();
        link.m_nPort = c.port;
        EXPECT_EQ(link.OpenPort(), c.opened);
        EXPECT_EQ(owner.MessageTexts(), c.messages);
        EXPECT_EQ(link.LastOpenError(), c.reason);
        EXPECT_EQ(link.IsWorkerRunning(), c.opened == 1);
    }
}

} // namespace

namespace {

// A link destroyed while its worker runs closes the port and joins the
// worker first: the device is free again at once, and nothing the worker
// posted reaches the owner afterwards.
TEST_F(LinkTest, DestroyedLinkLeavesNoWorkerBehind) {
    FakeOwner early;
    early.settings.direction = XFER_DIR_UPLOAD;
    early.settings.kind = XFER_KIND_KEY;
    early.settings.receivePath = ReceivePath();
    {
        CCOM doomed;
        doomed.SetOwnerDialog(&early);
        ASSERT_EQ(doomed.OpenPort(), 1);
        Bytes reply;
        ASSERT_TRUE(sim.Hello(reply));
        EXPECT_EQ(reply, (Bytes{0x02, 0x01, 0xB3, 0x03}));
    }
    EXPECT_TRUE(PumpUntil([] { return true; }));
    EXPECT_TRUE(early.log.empty()) << early.log.front();
    EXPECT_TRUE(ReadAll(ReceivePath() + ".part").empty());

    Configure(XFER_DIR_DOWNLOAD, XFER_KIND_KEY);
    WriteAll(SendPath(), Bytes(10, 0x33));
    EXPECT_EQ(link.OpenPort(), 1);
    EXPECT_TRUE(owner.messages.empty());
}

} // namespace

namespace {

// What a user is told of a device that does not open, by the error the port
// reports and what the user may do with the device.
TEST(PortOpenErrorTest, ErrorsAreToldInTheUsersWords) {
    struct Case {
        const char* name;
        std::string device;
        QSerialPort::SerialPortError error;
        std::string systemText;
        std::string told;
    };
    const Case cases[] = {
        {"no device", "/dev/qv-missing", QSerialPort::DeviceNotFoundError, "", "no such port"},
        {"refused, and gone", "/dev/qv-missing", QSerialPort::PermissionError, "",
         "no such port"},
        {"refused, yet the user may use it", "/dev/null", QSerialPort::PermissionError, "",
         "busy"},
        {"already open", "/dev/null", QSerialPort::OpenError, "", "busy"},
        {"anything else", "/dev/null", QSerialPort::UnknownError, "Input/output error",
         "Input/output error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortOpenErrorText(c.device, c.error, c.systemText), c.told) << c.name;
}

// A pty that the user may not open (mode 000 to its owner; a root test runs
// the open as "nobody", whom a root-owned device refuses): the open fails
// and says why. Read in a child process, whose user can be changed.
TEST(PortOpenErrorTest, ADeviceWithoutPermissionAsksForTheDialoutGroup) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0), 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeEnds[0]);
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
        QtComPort port;
        const bool opened = port.Open(pty.SlavePath()) == PortOpenResult::Opened;
        const std::string told = opened ? std::string("opened") : port.OpenError();
        const bool written =
            ::write(pipeEnds[1], told.data(), told.size()) == static_cast<ssize_t>(told.size());
        ::_exit(written ? 0 : 3);
    }
    ::close(pipeEnds[1]);
    std::string told;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        told.append(buffer, static_cast<size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(told, "permission denied (add yourself to the dialout group)");
}

// A device another port holds is busy.
TEST(PortOpenErrorTest, ADeviceHeldByAnotherPortIsBusy) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    QtComPort first;
    ASSERT_EQ(first.Open(pty.SlavePath()), PortOpenResult::Opened);
    EXPECT_EQ(first.OpenError(), "");
    QtComPort second;
    EXPECT_EQ(second.Open(pty.SlavePath()), PortOpenResult::NoDevice);
    EXPECT_EQ(second.OpenError(), "busy");
}

} // namespace
