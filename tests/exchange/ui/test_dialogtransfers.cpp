// Transfers run from the dialog over a pty against the receiver simulator:
// the busy state and the receive file's name at Connect, a whole upload and a
// whole download, Abort, a refused program upload, and OK, Cancel and
// Disconnect in the middle of an upload.
#include "dialogtest.h"

#include <QElapsedTimer>

#include <future>

#include "cdltest.h"

namespace {

using namespace std::chrono_literals;

const char* const kReceiveName = "ChannlList(20240305_0907).cdl";

// Bounds with room for sanitizers: the worker sees a stop within about a
// second.
constexpr qint64 kPromptMs = 3000;

Bytes ChannelContainer() {
    Bytes container = BuildContainer(PatternBytes(0xA0000, 7));
    EXPECT_EQ(container.size(), 655581u);
    return container;
}

Bytes KeyContainer(uint8_t seed) {
    Bytes container = BuildContainer(PatternBytes(0x10000, seed));
    EXPECT_EQ(container.size(), 65631u);
    return container;
}

TEST_F(TransferDialogTest, ConnectEntersBusyAndNamesTheReceiveFileBeforeAnyHello) {
    Run(1, [&](CSTBDownloadDlg& d) {
        Click(d, ID_COM_CONNECT);
        ASSERT_TRUE(d.Link().IsWorkerRunning());
        EXPECT_TRUE(Enabled(d, ID_COM_ABORT));
        EXPECT_TRUE(Enabled(d, ID_COM_DISCONNECT));
        for (int id : {IDC_COMBO_PORT, IDC_COMBO_BAUD, ID_FILE_LOAD, IDC_COMBO_DIRECTION,
                       ID_COM_CONNECT, IDC_COMBO_KIND})
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (UINT id : {ID_FILE_LOAD, ID_OPTION_CLEAR_CHANNEL_LIST, ID_OPTION_KEEP_CHANNEL_LIST})
            EXPECT_FALSE(MenuEnabled(d, id)) << id;
        EXPECT_EQ(InfoLine(d, 0), kReceiveName);
        EXPECT_EQ(InfoLine(d, 1), "COM1: " + pty.SlavePath() + " - waiting for the receiver on COM1");
        EXPECT_EQ(d.Link().IsWorkerRunning(), true);
        // Ended before any hello: no file was made, so none is named.
        Click(d, ID_COM_DISCONNECT);
        EXPECT_TRUE(PumpUntil([&] { return Ended(d); }));
        EXPECT_EQ(InfoLine(d, 0), "");
        EXPECT_EQ(InfoLine(d, 1), "COM1: " + pty.SlavePath());
        Key(d, ID_COM_CONNECT, Qt::Key_Escape);
    });
    EXPECT_TRUE(boxes->Calls().empty());
    EXPECT_TRUE(dir.Entries().empty());
}

// Enter on the focused Connect button connects instead of ending the dialog.
TEST_F(TransferDialogTest, EnterOnTheConnectButtonConnects) {
    const int result = Run(2, [&](CSTBDownloadDlg& d) {
        Key(d, ID_COM_CONNECT, Qt::Key_Return);
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_TRUE(d.IsBusy());
        EXPECT_TRUE(Enabled(d, ID_COM_DISCONNECT));
        Key(d, ID_COM_DISCONNECT, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(TransferDialogTest, AWholeChannelUploadEndsIdleWithTheFileByteIdentical) {
    const Bytes container = ChannelContainer();
    const int result = Run(1, [&](CSTBDownloadDlg& d) {
        Click(d, ID_COM_CONNECT);
        auto receiver = std::async(std::launch::async, [&] { return sim.RunUpload({container}); });
        // The receiver's hello ends the wait while the transfer goes on.
        EXPECT_TRUE(PumpUntil([&] { return InfoLine(d, 1) == "COM1: " + pty.SlavePath(); }));
        EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
        const UploadReport report = receiver.get();
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.requests.size(), 161u);
        EXPECT_EQ(progressPeak, 100);
        EXPECT_EQ(InfoLine(d, 0), kReceiveName);
        Click(d, ID_COM_CONNECT); // several transfers may follow one another
        EXPECT_TRUE(d.IsBusy());
        QTest::keyClick(d.GetWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(boxes->Calls().size(), 1u);
    EXPECT_EQ(boxes->Calls()[0].text, "Communication Complete");
    EXPECT_EQ(boxes->Calls()[0].caption, "Quorvandelix");
    EXPECT_EQ(boxes->Calls()[0].icon, QMessageBox::NoIcon);
    EXPECT_TRUE(ReadFileBytes(Cwd(kReceiveName)) == container);
}

// A download of a file chosen with Load; then Abort in the middle of another
// gives idle, and a new Connect starts over with a fresh hello.
TEST_F(TransferDialogTest, DownloadOfALoadedFileAndAbortThenConnectAgain) {
    const Bytes file = KeyContainer(3);
    WriteFileBytes(Cwd("keys.kdl"), file);
    AnswerLoad({Cwd("keys.kdl")});
    Run(6, [&](CSTBDownloadDlg& d) {
        Click(d, ID_FILE_LOAD);
        EXPECT_EQ(InfoLine(d, 0), "keys.kdl  65631 Bytes");
        Click(d, ID_COM_CONNECT);
        const std::vector<DownloadStep> steps = {
            {DownloadStep::Data, 4096, 0},
            {DownloadStep::Data, 61535, 4096},
            {DownloadStep::Done},
        };
        auto receiver = std::async(std::launch::async, [&] { return sim.RunDownload(steps); });
        EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
        const DownloadReport report = receiver.get();
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.helloReply, (Bytes{0x02, 0x01, 0xA3, 0x03}));
        ASSERT_EQ(report.answers.size(), 2u);
        Bytes sent = report.answers[0];
        sent.insert(sent.end(), report.answers[1].begin(), report.answers[1].end());
        EXPECT_TRUE(sent == file);
        EXPECT_EQ(progressPeak, 100);
        EXPECT_EQ(boxes->Texts(), std::vector<QString>{"Communication Complete"});

        // Abort while the receiver is being served.
        Click(d, ID_COM_CONNECT);
        Bytes reply;
        auto hello = std::async(std::launch::async, [&] { return sim.Hello(reply); });
        EXPECT_TRUE(PumpUntil([&] { return hello.wait_for(0s) == std::future_status::ready; }));
        ASSERT_TRUE(hello.get());
        Click(d, ID_COM_ABORT);
        EXPECT_TRUE(PumpUntil([&] { return Ended(d); }, 10s));
        EXPECT_EQ(d.TransferPath(), Cwd("keys.kdl"));

        Click(d, ID_COM_CONNECT);
        ASSERT_TRUE(d.IsBusy());
        auto again = std::async(std::launch::async, [&] { return sim.Hello(reply); });
        EXPECT_TRUE(PumpUntil([&] { return again.wait_for(0s) == std::future_status::ready; }));
        EXPECT_TRUE(again.get());
        EXPECT_EQ(reply, (Bytes{0x02, 0x01, 0xA3, 0x03}));
        Key(d, ID_COM_DISCONNECT, Qt::Key_Escape);
    });
    EXPECT_EQ(boxes->Texts(), std::vector<QString>{"Communication Complete"});
}

// Bad input ends the transfer with the worker's stop-icon message and an
// idle dialog; what arrived before stays on disk.
TEST_F(TransferDialogTest, AMissingFileOrAShortBlockShowsTheWorkersMessage) {
    struct Case {
        const char* name;
        unsigned mode;
        std::function<bool(ReceiverSim&)> receiver; // true when it went as expected
        const char* message;
        const char* kept; // the file left in the folder, or null
    };
    const Bytes keys = KeyContainer(9);
    const Case cases[] = {
        {"download with no file", 6,
         [](ReceiverSim& s) {
             Bytes reply;
             return !s.Hello(reply); // no reply
         },
         "File Open Error", nullptr},
        {"block one byte short", 5,
         [&](ReceiverSim& s) {
             return s.RunUpload({keys, false, BlockFault::Short, 1}).requests.size() == 2;
         },
         "Data Receive Error", "KeyData(20240305_0907).kdl.part"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes->Clear();
        ReceiverSim receiverSim(pty);
        receiverSim.SetAnswerTimeout(std::chrono::milliseconds(500));
        Run(c.mode, [&](CSTBDownloadDlg& d) {
            Click(d, ID_COM_CONNECT);
            auto receiver = std::async(std::launch::async, [&] { return c.receiver(receiverSim); });
            EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
            EXPECT_TRUE(receiver.get());
            EXPECT_FALSE(d.Link().IsWorkerRunning());
            Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
        });
        ASSERT_EQ(boxes->Calls().size(), 1u);
        EXPECT_EQ(boxes->Calls()[0].text, c.message);
        EXPECT_EQ(boxes->Calls()[0].caption, "Quorvandelix");
        EXPECT_EQ(boxes->Calls()[0].icon, QMessageBox::Critical);
        if (c.kept)
            EXPECT_TRUE(ReadFileBytes(Cwd(c.kept)) == Bytes(keys.begin(), keys.begin() + 4096));
        else
            EXPECT_TRUE(dir.Entries().empty());
    }
}

// A port that vanishes mid-transfer (the cable pulled) ends with the
// worker's stop-icon message; an upload's ".part" is kept and the dialog
// names it, never a received file that does not exist.
TEST_F(TransferDialogTest, AVanishedPortTellsAndNamesTheKeptPart) {
    const Bytes keys = KeyContainer(4);
    WriteFileBytes(Cwd("keys.kdl"), keys);
    struct Case {
        const char* name;
        unsigned mode;
        bool helloOnly; // the cable goes right after the hello, else mid-block
        const char* message;
        const char* info;     // the file the dialog names at the end
        size_t keptBytes;     // of the ".part", when info names one
    };
    const Case cases[] = {
        {"upload, waiting for the receiver", 5, true, "Data Receive Error",
         "KeyData(20240305_0907).kdl.part", 0},
        {"upload, mid-block", 5, false, "Data Receive Error", "KeyData(20240305_0907).kdl.part",
         4096},
        {"download, serving requests", 6, true, "Data Send Error", "keys.kdl  65631 Bytes", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes->Clear();
        std::filesystem::remove(Cwd("KeyData(20240305_0907).kdl.part"));
        PtyPair cable; // each case pulls its own
        ASSERT_TRUE(cable.IsOpen());
        SetPorts(cable.SlavePath());
        ReceiverSim receiverSim(cable);
        receiverSim.SetAnswerTimeout(std::chrono::milliseconds(2000));
        if (c.mode == 6) AnswerLoad({Cwd("keys.kdl")});
        Run(c.mode, [&](CSTBDownloadDlg& d) {
            if (c.mode == 6) Click(d, ID_FILE_LOAD);
            Click(d, ID_COM_CONNECT);
            auto receiver = std::async(std::launch::async, [&] {
                if (!c.helloOnly) {
                    return receiverSim.RunUpload({keys, false, BlockFault::CloseMaster, 1})
                               .requests.size() == 2;
                }
                Bytes reply;
                const bool answered = receiverSim.Hello(reply);
                cable.CloseMaster();
                return answered;
            });
            EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
            EXPECT_TRUE(receiver.get());
            EXPECT_EQ(InfoLine(d, 0), c.info);
            Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
        });
        ASSERT_EQ(boxes->Texts(), std::vector<QString>{c.message});
        EXPECT_EQ(boxes->Calls()[0].icon, QMessageBox::Critical);
        if (c.mode == 5) {
            EXPECT_TRUE(ReadFileBytes(Cwd(c.info)) ==
                        Bytes(keys.begin(), keys.begin() + static_cast<long>(c.keptBytes)));
        }
    }
}

// After "Communication Complete" the received list is checked: one that
// does not decode is told on the status line and kept as it came; a sound
// one leaves the line hidden.
TEST_F(TransferDialogTest, AReceivedListThatDoesNotDecodeIsToldOnTheStatusLine) {
    Bytes damaged = ChannelContainer();
    damaged[DgAt(7) + 3 + 100] ^= 0x40; // a payload byte of the eighth block
    struct Case {
        const char* name;
        Bytes sent;
        const char* status; // null: the line stays hidden
    };
    const Case cases[] = {
        {"damaged", damaged, "Received file is damaged: File open Error(DG_CRC_ERROR)"},
        {"sound", ChannelContainer(), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes->Clear();
        for (const auto& name : dir.Entries())
            std::filesystem::remove(dir.Path() / name);
        Run(1, [&](CSTBDownloadDlg& d) {
            Click(d, ID_COM_CONNECT);
            auto receiver = std::async(std::launch::async, [&] { return sim.RunUpload({c.sent}); });
            EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
            EXPECT_EQ(receiver.get().error, "");
            Static* status = d.GetDlgItem<Static>(IDC_STATIC_STATUS);
            ASSERT_NE(status, nullptr);
            EXPECT_EQ(status->IsWindowVisible(), c.status != nullptr);
            if (c.status) {
                EXPECT_EQ(status->GetWindowText(), c.status);
            }
            Click(d, ID_COM_CONNECT); // the next transfer starts with the line hidden
            EXPECT_FALSE(status->IsWindowVisible());
            Key(d, ID_COM_DISCONNECT, Qt::Key_Escape);
        });
        EXPECT_EQ(boxes->Texts(), std::vector<QString>{"Communication Complete"});
        EXPECT_TRUE(ReadFileBytes(Cwd(kReceiveName)) == c.sent) << "the file is kept as received";
    }
}

TEST_F(TransferDialogTest, AProgramUploadIsRefusedAndNothingOpens) {
    Run(4, [&](CSTBDownloadDlg& d) {
        Choose(d, IDC_COMBO_DIRECTION, XFER_DIR_UPLOAD);
        Click(d, ID_COM_CONNECT);
        ASSERT_EQ(boxes->Calls().size(), 1u);
        EXPECT_EQ(boxes->Calls()[0].text, "Program cannot be uploaded.");
        EXPECT_EQ(boxes->Calls()[0].caption, "Quorvandelix");
        EXPECT_EQ(boxes->Calls()[0].icon, QMessageBox::Critical);
        EXPECT_FALSE(d.Link().IsWorkerRunning());
        EXPECT_TRUE(Idle(d));
        EXPECT_FALSE(d.IsBusy());
        EXPECT_EQ(InfoLine(d, 0), "");
        Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
    });
    EXPECT_TRUE(dir.Entries().empty()) << dir.Entries()[0];
}

// OK and Cancel in the middle of a block return promptly, after the worker
// has ended; the blocks received so far stay in the ".part".
TEST_F(TransferDialogTest, OkAndCancelMidUploadReturnPromptlyWithTheWorkerGone) {
    struct Case {
        const char* name;
        std::function<void(CSTBDownloadDlg&)> end;
        int result;
    };
    const Case cases[] = {
        {"OK", [](CSTBDownloadDlg& d) { Key(d, IDC_COMBO_PORT, Qt::Key_Return); }, IDOK},
        {"Cancel", [](CSTBDownloadDlg& d) { Key(d, IDC_COMBO_PORT, Qt::Key_Escape); }, IDCANCEL},
    };
    uint8_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes keys = KeyContainer(seed++);
        ReceiverSim receiverSim(pty);
        std::future<UploadReport> receiver;
        QElapsedTimer took;
        const int result = Run(5, [&](CSTBDownloadDlg& d) {
            Click(d, ID_COM_CONNECT);
            receiver = std::async(std::launch::async, [&] {
                return receiverSim.RunUpload({keys, false, BlockFault::StopLink, 2});
            });
            ASSERT_TRUE(receiverSim.WaitUntilHalfBlockSent(20s));
            took.start();
            c.end(d);
            EXPECT_LT(took.elapsed(), kPromptMs);
            EXPECT_FALSE(d.Link().IsWorkerRunning());
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(receiver.get().requests.size(), 3u);
        EXPECT_TRUE(boxes->Calls().empty());
        const std::string part = Cwd("KeyData(20240305_0907).kdl.part");
        EXPECT_TRUE(ReadFileBytes(part) == Bytes(keys.begin(), keys.begin() + 2 * 4096));
        std::filesystem::remove(part);
    }
}

// Disconnect returns at once and the dialog is idle within about a second;
// Disconnect followed at once by Connect runs a second upload to its end.
TEST_F(TransferDialogTest, DisconnectReturnsAtOnceAndConnectRightAfterRunsAgain) {
    const Bytes first = KeyContainer(5);
    const Bytes second = KeyContainer(6);
    const Bytes third = KeyContainer(7);
    Run(5, [&](CSTBDownloadDlg& d) {
        Click(d, ID_COM_CONNECT);
        auto receiver = std::async(std::launch::async, [&] {
            return sim.RunUpload({first, false, BlockFault::StopLink, 1});
        });
        ASSERT_TRUE(sim.WaitUntilHalfBlockSent(20s));
        QElapsedTimer took;
        took.start();
        Click(d, ID_COM_DISCONNECT);
        EXPECT_LT(took.elapsed(), 1000) << "Disconnect does not wait";
        EXPECT_TRUE(Enabled(d, ID_COM_CONNECT));
        EXPECT_TRUE(PumpUntil([&] { return Ended(d); }, std::chrono::milliseconds(kPromptMs)));
        receiver.get();
        EXPECT_EQ(InfoLine(d, 0), "KeyData(20240305_0907).kdl.part");

        // Again, with Connect at once after Disconnect.
        ReceiverSim secondSim(pty);
        Click(d, ID_COM_CONNECT);
        receiver = std::async(std::launch::async, [&] {
            return secondSim.RunUpload({second, false, BlockFault::StopLink, 1});
        });
        ASSERT_TRUE(secondSim.WaitUntilHalfBlockSent(20s));
        Click(d, ID_COM_DISCONNECT);
        receiver.get();
        ReceiverSim thirdSim(pty);
        Click(d, ID_COM_CONNECT);
        ASSERT_TRUE(d.IsBusy());
        receiver = std::async(std::launch::async, [&] { return thirdSim.RunUpload({third}); });
        // The old worker's last notifications came before the new one's
        // first: they leave the new transfer busy.
        EXPECT_TRUE(PumpUntil([&] { return progressPeak > 0; }));
        EXPECT_TRUE(d.IsBusy());
        EXPECT_TRUE(Enabled(d, ID_COM_DISCONNECT));
        EXPECT_TRUE(PumpUntil([&] { return !boxes->Calls().empty() && Ended(d); }));
        EXPECT_EQ(receiver.get().error, "");
        EXPECT_EQ(InfoLine(d, 0), "KeyData(20240305_0907)-3.kdl");
        Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
    });
    EXPECT_EQ(boxes->Texts(), std::vector<QString>{"Communication Complete"});
    EXPECT_TRUE(ReadFileBytes(Cwd("KeyData(20240305_0907)-3.kdl")) == third);
    EXPECT_TRUE(ReadFileBytes(Cwd("KeyData(20240305_0907).kdl.part")) ==
                Bytes(first.begin(), first.begin() + 4096));
    EXPECT_TRUE(ReadFileBytes(Cwd("KeyData(20240305_0907)-2.kdl.part")) ==
                Bytes(second.begin(), second.begin() + 4096));
}

} // namespace
