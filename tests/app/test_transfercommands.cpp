// The Communication commands: the transfer dialog in each command's mode,
// the date-file step after an upload of channel data that ends with OK, and
// a whole upload from the receiver simulator that is then loaded.
#include "appfixture.h"

#include "base/clock.h"
#include "dialogs/dialogbase.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "ptypair.h"
#include "receiversim.h"
#include "resource.h"
#include "stbdownloaddlg.h"
#include "supervw.h"
#include "workfile.h"
#include "wrapper.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>

namespace {

using Names = std::vector<std::string>;

const QString kDateFile = QStringLiteral("Indata(2024 03 05).dat");
const QRegularExpression kUploadCaption(QStringLiteral(
    R"(^Quorvandelix  Data\([A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d\) Version:1  Indata\(2024 03 05\)\.dat$)"));

// Delivers events until done holds; false when it did not within bound.
bool PumpUntil(const std::function<bool()>& done, int boundMs = 30000) {
    const QDeadlineTimer deadline(boundMs);
    QTimer tick; // wakes the wait below when nothing is posted
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace

// The local clock stands at 2024-03-05 09:07.
class TransferCommandTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        const QDateTime local(QDate(2024, 3, 5), QTime(9, 7, 30), QTimeZone::utc());
        m_clock = std::make_unique<platform::ManualClock>(local.addSecs(-3600), local);
        m_previousClock = platform::SetClock(m_clock.get());
    }
    void TearDown() override {
        platform::DialogBase::SetModalHook(nullptr);
        AppTest::TearDown();
        platform::SetClock(m_previousClock);
    }

    // Every transfer dialog runs steps in place of the user (the steps end
    // it); any other modal dialog ("Please Wait") ends at once.
    void OnTransferDialog(std::function<void(CSTBDownloadDlg&)> steps) {
        platform::DialogBase::SetModalHook([steps](platform::DialogBase& dialog) {
            if (auto* transfer = dynamic_cast<CSTBDownloadDlg*>(&dialog))
                steps(*transfer);
            else
                dialog.EndDialog(platform::IDOK);
        });
    }
    // The transfer dialog ends with result as soon as it is up.
    void EndTransferDialogWith(int result) {
        OnTransferDialog([this, result](CSTBDownloadDlg& dialog) {
            captions.push_back(QString::fromStdString(dialog.GetWindowText()));
            dialog.EndDialog(result);
        });
    }
    void LoadList(const Names& services) {
        WriteFile(StartFile("X.cdl"), Container(ListImage(services)));
        Answer(StartFile("X.cdl"));
        Command(ID_LOAD_CHANNEL_DATA);
        ASSERT_EQ(frame()->m_bLoaded, 1);
    }

    std::vector<QString> captions;

  private:
    std::unique_ptr<platform::ManualClock> m_clock;
    const platform::Clock* m_previousClock = nullptr;
};

TEST_F(TransferCommandTest, EachCommandOpensTheDialogInItsMode) {
    ASSERT_EQ(Start(), 1);
    EndTransferDialogWith(platform::IDCANCEL);
    const std::pair<unsigned, const char*> commands[] = {
        {ID_UPLOAD_CHANNEL_DATA, "Upload Channel Data Sat->Pc"},     // mode 1
        {ID_DOWNLOAD_CHANNEL_DATA, "Download Channel Data Pc->Sat"}, // mode 2
        {ID_DOWNLOAD_PROGRAM, "Download Program Pc->Sat"},           // mode 4
        {ID_KEYDATA_UPLOAD, "Upload Key Data Sat->PC"},              // mode 5
        {ID_KEYDATA_DOWNLOAD, "Download Key Data Pc->Sat"},          // mode 6
    };
    for (const auto& [id, caption] : commands) {
        SCOPED_TRACE(caption);
        captions.clear();
        Command(id);
        EXPECT_EQ(captions, std::vector<QString>{caption});
    }
    EXPECT_TRUE(boxes.Calls().empty());
}

// After the dialog: only an upload of channel data that ended with OK looks
// for today's date file; only then is the list reloaded from memory.
TEST_F(TransferCommandTest, DateFileStepAfterAnUploadThatEndsWithOk) {
    struct Case {
        const char* what;
        bool listLoaded;
        bool dateFile;
        bool damageImage; // the image in memory is no database any more
        unsigned command;
        int result;
        const char* message; // null: none
        bool captioned;      // the upload caption replaces the list's
        int loadedAfter;
    };
    const Case cases[] = {
        {"no date file", true, false, false, ID_UPLOAD_CHANNEL_DATA, platform::IDOK,
         "No such file or directory", false, 1},
        {"date file", true, true, false, ID_UPLOAD_CHANNEL_DATA, platform::IDOK, nullptr, true, 1},
        {"image no database", true, true, true, ID_UPLOAD_CHANNEL_DATA, platform::IDOK,
         "111111111111111111111111111111111111", true, 0},
        {"no list to reload", false, true, false, ID_UPLOAD_CHANNEL_DATA, platform::IDOK, nullptr,
         true, 0},
        {"cancelled", true, true, false, ID_UPLOAD_CHANNEL_DATA, platform::IDCANCEL, nullptr, false,
         1},
        {"another command", true, true, false, ID_DOWNLOAD_CHANNEL_DATA, platform::IDOK, nullptr,
         false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(StartFile(kDateFile));
        if (c.dateFile) WriteFile(StartFile(kDateFile), QByteArrayLiteral("date"));
        ASSERT_EQ(Start(), 1);
        if (c.listLoaded) LoadList({"A1", "A2", "A3"});
        if (c.damageImage) std::memset(g_FlashImage, 0, FLASH_DB_SIZE);
        const QString caption = Caption();
        const Names services = Services();
        const auto before = Tree(scratch.path());
        boxes.Clear();
        EndTransferDialogWith(c.result);
        Command(c.command);
        platform::DialogBase::SetModalHook(nullptr);

        if (c.message) {
            ASSERT_EQ(boxes.Calls().size(), 1u);
            EXPECT_EQ(boxes.Calls()[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Quorvandelix"));
        } else {
            EXPECT_TRUE(boxes.Calls().empty());
        }
        if (c.captioned)
            EXPECT_TRUE(kUploadCaption.match(Caption()).hasMatch()) << Caption().toStdString();
        else
            EXPECT_EQ(Caption(), caption);
        EXPECT_EQ(frame()->m_bLoaded, c.loadedAfter);
        EXPECT_EQ(Services(), c.loadedAfter ? services : Names{});
        EXPECT_EQ(g_WorkFile.isOpen(), c.loadedAfter == 1);
        if (!c.loadedAfter) {
            EXPECT_EQ(TreeItems(), 0);
            EXPECT_EQ(ListRows(), 0);
        } else {
            EXPECT_GT(TreeItems(), 0);
        }
        EXPECT_EQ(Tree(scratch.path()), before) << "a file was made or changed";
        Stop();
    }
}

// The receiver sends its channel list; it lands in the current directory
// beside a file of the same name, which it spares, and Load opens it.
TEST_F(TransferCommandTest, AnUploadFromTheReceiverLandsBesideASameNamedFileAndLoads) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    ::setenv("QUORVANDELIX_PORTS", pty.SlavePath().c_str(), 1);
    const QString received = StartFile("ChannlList(20240305_0907).cdl");
    WriteFile(received, QByteArrayLiteral("an earlier upload"));
    const QByteArray earlier = Hash(received);
    const QByteArray container = Container(ListImage({"R1", "R2"}));
    ASSERT_EQ(Start(), 1);

    ReceiverSim sim(pty);
    OnTransferDialog([&](CSTBDownloadDlg& dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
        QTest::mouseClick(dialog.GetDlgItem(ID_COM_CONNECT)->GetWidget(), Qt::LeftButton);
        const Bytes data(container.begin(), container.end());
        auto receiver = std::async(std::launch::async, [&] { return sim.RunUpload({data}); });
        EXPECT_TRUE(
            PumpUntil([&] { return !boxes.Calls().empty() && !dialog.Link().IsWorkerRunning(); }));
        EXPECT_EQ(receiver.get().error, "");
        QTest::keyClick(dialog.GetWidget(), Qt::Key_Return); // OK
    });
    Command(ID_UPLOAD_CHANNEL_DATA);
    platform::DialogBase::SetModalHook(nullptr);
    ::unsetenv("QUORVANDELIX_PORTS");
    // "Communication Complete", then the date-file step without a date file.
    EXPECT_EQ(boxes.Texts(),
              (std::vector<QString>{"Communication Complete", "No such file or directory"}));
    EXPECT_EQ(Hash(received), earlier);
    const QString landed = StartFile("ChannlList(20240305_0907)-2.cdl");
    EXPECT_TRUE(ReadFile(landed) == container);

    boxes.Clear();
    Answer(landed);
    Command(ID_LOAD_CHANNEL_DATA);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(frame()->m_bLoaded, 1);
    EXPECT_EQ(Services(), (Names{"R1", "R2"}));
}
