// Changes not saved are never dropped unasked: New, Load, a drop, File >
// Exit, the close box and the reload after an upload of channel data ask
// "Save changes to <name>?" first, and the files on disk show what each
// answer did. The caption carries "*" while the list
// has such changes.
#include "appfixture.h"

#include "dialogs/dialogbase.h"

#include "networktp.h"
#include "quorvandelixdoc.h"
#include "resource.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <optional>

namespace {

using Names = std::vector<std::string>;

enum class Road { New, Load, Drop, Exit, CloseBox, Reload };
enum class Edit { None, Yes, No, Cancel };

const char* RoadName(Road road) {
    static const char* const names[] = {"New", "Load", "drop", "Exit", "close box",
                                        "reload after an upload"};
    return names[static_cast<int>(road)];
}

const char* EditName(Edit edit) {
    static const char* const names[] = {"unchanged", "changed, Yes", "changed, No",
                                        "changed, Cancel"};
    return names[static_cast<int>(edit)];
}

} // namespace

class UnsavedChangesTest : public AppTest {
  protected:
    // The services of the list a ".cdl" holds on disk; nullopt when it does
    // not decode.
    std::optional<Names> ListOnDisk(const QString& path) {
        const std::optional<QByteArray> image = Decoded(path);
        if (!image) return std::nullopt;
        return ServicesOfImage(*image);
    }
    // The services an image holds on TP A, read with the program stopped.
    Names ServicesOfImage(const QByteArray& image) {
        EXPECT_FALSE(app) << "read with the program stopped";
        CQuorvandelixDoc doc;
        EXPECT_EQ(doc.OpenDatabase(reinterpret_cast<const uint8_t*>(image.constData()),
                                   static_cast<std::size_t>(image.size())),
                  1);
        return Services();
    }
    // Takes the road as the user does.
    void Take(Road road, const QString& other, const QString& raw) {
        switch (road) {
        case Road::New:
            Command(ID_NEW_FILE);
            break;
        case Road::Load:
            Answer(other);
            Command(ID_LOAD_CHANNEL_DATA);
            break;
        case Road::Drop:
            Drop({QUrl::fromLocalFile(raw)});
            break;
        case Road::Exit:
            Command(ID_APP_EXIT);
            break;
        case Road::CloseBox:
            frame()->windowHandle()->close(); // as the window manager's close
            break;
        case Road::Reload: {
            // Today's date file is there and the transfer dialog ends with OK.
            const QDate today = QDate::currentDate();
            const QString dateFile = QString::asprintf("Indata(%4d %02d %02d).dat", today.year(),
                                                       today.month(), today.day());
            WriteFile(StartFile(dateFile), QByteArrayLiteral("date"));
            platform::DialogBase::SetModalHook(
                [](platform::DialogBase& dialog) { dialog.EndDialog(platform::IDOK); });
            Command(ID_UPLOAD_CHANNEL_DATA);
            platform::DialogBase::SetModalHook(nullptr);
            QFile::remove(StartFile(dateFile));
            break;
        }
        }
        QCoreApplication::processEvents();
    }
    // The services of the list the road went on to; empty for Exit and the
    // close box, which end the program. The reload goes back to the list as
    // last saved.
    static Names Arrival(Road road, Edit edit) {
        switch (road) {
        case Road::New:
            return {"T1"};
        case Road::Load:
            return {"O1"};
        case Road::Drop:
            return {"R1"};
        case Road::Reload:
            return edit == Edit::Yes ? Names{"A1", "E1"} : Names{"A1"};
        default:
            return {};
        }
    }
};

// Every road meets every answer; the list's file is read back from disk.
TEST_F(UnsavedChangesTest, NoRoadLosesAChangeUnlessTheUserSaidNo) {
    const QString cdl = scratch.filePath(QStringLiteral("X.cdl"));
    const QString other = scratch.filePath(QStringLiteral("other.cdl"));
    const QString raw = scratch.filePath(QStringLiteral("raw.bin"));
    const QByteArray original = Container(ListImage({"A1"}));
    WriteFile(other, Container(ListImage({"O1"})));
    WriteFile(raw, ListImage({"R1"}));
    WriteFile(StartFile(QStringLiteral("Default.dat")), ListImage({"T1"}));

    for (Road road :
         {Road::New, Road::Load, Road::Drop, Road::Exit, Road::CloseBox, Road::Reload}) {
        for (Edit edit : {Edit::None, Edit::Yes, Edit::No, Edit::Cancel}) {
            SCOPED_TRACE(std::string(RoadName(road)) + ", " + EditName(edit));
            WriteFile(cdl, original);
            ASSERT_EQ(Start(), 1);
            Answer(cdl);
            Command(ID_LOAD_CHANNEL_DATA);
            ASSERT_EQ(frame()->m_bLoaded, 1);
            EXPECT_FALSE(Caption().endsWith(QLatin1Char('*')));
            if (edit != Edit::None) {
                AddService("E1");
                EXPECT_TRUE(Caption().endsWith(QStringLiteral("  X.cdl*")))
                    << Caption().toStdString();
            }
            boxes.Clear();
            if (edit == Edit::Yes) boxes.QueueAnswer(platform::IDYES);
            if (edit == Edit::No) boxes.QueueAnswer(platform::IDNO);
            if (edit == Edit::Cancel) boxes.QueueAnswer(platform::IDCANCEL);

            Take(road, other, raw);

            if (edit == Edit::None) {
                EXPECT_TRUE(boxes.Calls().empty());
            } else {
                ASSERT_EQ(boxes.Calls().size(), 1u);
                EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("Save changes to X.cdl?"));
                EXPECT_EQ(boxes.Calls()[0].flags & platform::MB_TYPEMASK, platform::MB_YESNOCANCEL);
                EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Question);
            }
            const bool wentOn = edit != Edit::Cancel;
            const bool ends = road == Road::Exit || road == Road::CloseBox;
            EXPECT_EQ(frame()->isVisible(), !(wentOn && ends)) << "the window closed";
            if (wentOn && !ends) {
                EXPECT_EQ(Services(), Arrival(road, edit));
                // A reload keeps the mark of changes the user let go: the
                // image may hold moves no save has put in a file.
                const bool marked = road == Road::Reload && edit == Edit::No;
                EXPECT_EQ(Caption().endsWith(QLatin1Char('*')), marked);
            }
            if (!wentOn) {
                EXPECT_EQ(Services(), (Names{"A1", "E1"})) << "Cancel changes nothing";
                EXPECT_TRUE(Caption().endsWith(QLatin1Char('*')));
            }
            Stop();
            if (edit == Edit::Yes) {
                EXPECT_EQ(ListOnDisk(cdl), (Names{"A1", "E1"}));
            } else {
                EXPECT_TRUE(ReadFile(cdl) == original) << "the list's file changed";
            }
        }
    }
}

// Yes goes on only when the save succeeded: a new list whose save dialog is
// cancelled, or a save that fails, keeps the window and the change.
TEST_F(UnsavedChangesTest, YesGoesOnOnlyWhenTheSaveSucceeded) {
    WriteFile(StartFile(QStringLiteral("Default.dat")), ListImage({"T1"}));
    const QString chosen = scratch.filePath(QStringLiteral("chosen.cdl"));
    struct Case {
        const char* what;
        std::optional<QString> saveAs; // the save dialog's answer
        bool saved;
    };
    const Case cases[] = {
        {"save dialog cancelled", std::nullopt, false},
        {"saved under a name", chosen, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Start(), 1);
        Command(ID_NEW_FILE);
        ASSERT_EQ(frame()->m_bNewFile, 1);
        AddService("E1");
        boxes.Clear();
        boxes.QueueAnswer(platform::IDYES);
        Answer(c.saveAs);
        Command(ID_APP_EXIT);
        ASSERT_EQ(boxes.Texts(), std::vector<QString>{"Save changes to NewData.cdl?"});
        EXPECT_EQ(frame()->isVisible(), !c.saved);
        EXPECT_EQ(QFile::exists(chosen), c.saved);
        Stop();
        if (c.saved) {
            EXPECT_EQ(ListOnDisk(chosen), (Names{"T1", "E1"}));
        }
    }
}

// The caption marks what the user does in the window itself and loses the
// mark with a save; a raw image's question names its file.
TEST_F(UnsavedChangesTest, EditsInTheWindowMarkTheCaptionAndASaveClearsIt) {
    const QString raw = scratch.filePath(QStringLiteral("raw.bin"));
    WriteFile(raw, ListImage({"R1", "R2", "R3"}));
    ASSERT_EQ(Start({raw.toStdString()}), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame()->m_bLoaded == 1; }));
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  "))) << Caption().toStdString();

    SelectTp(tpA);
    ClickRow(2);
    Command(ID_DELETE_CHANNEL);
    ASSERT_EQ(Services(), (Names{"R1", "R3"}));
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  *"))) << Caption().toStdString();

    Command(ID_SAVE_CHANNEL_DATA);
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  "))) << Caption().toStdString();
    EXPECT_FALSE(frame()->IsListModified());

    ClickRow(1);
    Command(ID_DELETE_ALL);
    ASSERT_TRUE(Services().empty());
    EXPECT_TRUE(Caption().endsWith(QLatin1Char('*')));
    boxes.Clear();
    boxes.QueueAnswer(platform::IDCANCEL);
    Command(ID_NEW_FILE);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Save changes to raw.bin?"});
    Stop();
    EXPECT_EQ(ServicesOfImage(ReadFile(raw)), (Names{"R1", "R3"})) << "the saved state";
}
