// The main window's file commands: Load, Save, New, a raw image from the
// command line or a drop, each read back from the files on disk.
#include "appfixture.h"
#include "filesizelimit.h"
#include "hangguard.h"

#include "window/dropfiles.h"
#include "networktp.h"
#include "resource.h"
#include "indextable.h"
#include "savesteps.h"
#include "workfile.h"

#include <QDir>
#include <QMimeData>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

using Files = std::vector<std::pair<QString, QByteArray>>;
using Names = std::vector<std::string>;

const QString kInfo = QStringLiteral("Information");
const QString kError = QStringLiteral("Error");
const QString kAppTitle = QStringLiteral("Quorvandelix");

QString WorkFileName() {
    return QFile::decodeName(WorkFilePath());
}

bool SamePath(const QString& a, const QString& b) {
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

} // namespace

class FileCommandTest : public AppTest {
  protected:
    // A ".cdl" of a list with these services, written at path.
    void WriteList(const QString& path, const Names& services) {
        WriteFile(path, Container(ListImage(services)));
    }
    // Load Channel Data of path; the dialog answers it.
    void Load(const QString& path) {
        Answer(path);
        Command(ID_LOAD_CHANNEL_DATA);
    }
    // The state a list shows after it was saved: "data.tmp" is the image
    // that was committed and the list's ".cdl" decodes to it.
    void ExpectSavedTo(const QString& cdl) {
        const QByteArray temp = ReadFile(StartFile("data.tmp"));
        EXPECT_TRUE(temp == FlashImage()) << "data.tmp is not the committed image";
        const std::optional<QByteArray> decoded = Decoded(cdl);
        ASSERT_TRUE(decoded.has_value()) << cdl.toStdString();
        EXPECT_TRUE(*decoded == temp) << "the container does not hold data.tmp";
    }
};

TEST_F(FileCommandTest, LoadEditSaveEditSaveAndReopenGivesTheLastSave) {
    const QString cdl = scratch.filePath("lists/X.cdl");
    ASSERT_TRUE(QDir().mkpath(scratch.filePath("lists")));
    WriteList(cdl, {"A1", "A2"});
    ASSERT_EQ(Start(), 1);

    Load(cdl);
    ASSERT_EQ(frame()->m_bLoaded, 1);
    EXPECT_EQ(frame()->m_bNewFile, 0);
    EXPECT_EQ(Services(), (Names{"A1", "A2"}));
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  X.cdl"))) << Caption().toStdString();
    EXPECT_TRUE(SamePath(WorkFileName(), StartFile("data.tmp")));
    EXPECT_EQ(QDir::currentPath(), start) << "a file dialog changed the current directory";
    EXPECT_GT(TreeItems(), 0);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].open);
    EXPECT_EQ(requests[0].nameFilters, QStringList{"Channel List(*.cdl) (*.cdl)"});

    for (const char* added : {"E1", "E2"}) {
        SCOPED_TRACE(added);
        AddService(added);
        boxes.Clear();
        Command(ID_SAVE_CHANNEL_DATA);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("Do you wnat to save current data."));
        EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Save Data"));
        EXPECT_EQ(boxes.Calls()[0].flags, platform::MB_OKCANCEL | platform::MB_ICONQUESTION);
        ExpectSavedTo(cdl);
    }
    EXPECT_EQ(requests.size(), 1u) << "a loaded list is saved without a dialog";

    boxes.Clear();
    Load(cdl);
    EXPECT_EQ(Services(), (Names{"A1", "A2", "E1", "E2"}));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FileCommandTest, NewListSavedUnderAChosenNameThenSavedAgainThere) {
    WriteFile(StartFile("Default.dat"), ListImage({"T1"}));
    const QByteArray templateHash = Hash(StartFile("Default.dat"));
    ASSERT_EQ(Start(), 1);

    Command(ID_NEW_FILE);
    ASSERT_EQ(frame()->m_bLoaded, 1);
    EXPECT_EQ(frame()->m_bNewFile, 1);
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  NewData.cdl"))) << Caption().toStdString();
    EXPECT_TRUE(SamePath(WorkFileName(), StartFile("Default.dat")));

    AddService("E1");
    const QString chosen = scratch.filePath("chosen");
    Answer(chosen);
    Command(ID_SAVE_CHANNEL_DATA);
    ASSERT_EQ(requests.size(), 1u);
    const platform::FileDialogRequest& request = requests[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.defaultExtension, QStringLiteral("cdl"));
    EXPECT_EQ(request.initialName, QStringLiteral("newdata"));
    EXPECT_TRUE(request.flags & platform::OFN_OVERWRITEPROMPT);
    EXPECT_EQ(request.nameFilters, QStringList{"Channel List(*.cdl) (*.cdl)"});
    ExpectSavedTo(chosen + ".cdl");
    EXPECT_EQ(frame()->m_bNewFile, 0);
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  chosen.cdl"))) << Caption().toStdString();
    EXPECT_TRUE(SamePath(WorkFileName(), StartFile("data.tmp")));

    AddService("E2");
    Command(ID_SAVE_CHANNEL_DATA);
    EXPECT_EQ(requests.size(), 1u) << "the second save reuses the chosen name";
    ExpectSavedTo(chosen + ".cdl");
    EXPECT_EQ(Hash(StartFile("Default.dat")), templateHash);

    Load(chosen + ".cdl");
    EXPECT_EQ(Services(), (Names{"T1", "E1", "E2"}));
}

// Cancel at the question or in the save dialog writes nothing.
TEST_F(FileCommandTest, CancellingTheQuestionOrTheSaveDialogKeepsEveryFile) {
    const QString cdl = StartFile("X.cdl");
    WriteList(cdl, {"A1"});
    WriteFile(StartFile("Default.dat"), ListImage({"T1"}));
    struct Case {
        const char* what;
        unsigned open; // how the list is opened
        bool cancelQuestion;
    };
    const Case cases[] = {
        {"question, loaded list", ID_LOAD_CHANNEL_DATA, true},
        {"question, new list", ID_NEW_FILE, true},
        {"save dialog, new list", ID_NEW_FILE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Start(), 1);
        if (c.open == ID_LOAD_CHANNEL_DATA)
            Load(cdl);
        else
            Command(ID_NEW_FILE);
        ASSERT_EQ(frame()->m_bLoaded, 1);
        AddService("E1");
        const Files before = Tree(scratch.path());
        if (c.cancelQuestion)
            boxes.QueueAnswer(platform::IDCANCEL);
        else
            Answer(std::nullopt);
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(Tree(scratch.path()), before);
        EXPECT_EQ(frame()->m_bLoaded, 1);
        Stop();
    }
}

TEST_F(FileCommandTest, SaveWithNoListLoadedAfterAFailedLoadTouchesNothing) {
    const QString cdl = StartFile("X.cdl");
    QByteArray damaged = Container(ListImage({"A1"}));
    damaged[81 + 3 + 100] = static_cast<char>(damaged[81 + 3 + 100] ^ 0x01); // first DG's payload
    WriteFile(cdl, damaged);
    WriteFile(StartFile("data.tmp"), ListImage({"OLD"}));
    ASSERT_EQ(Start(), 1);

    Load(cdl);
    ASSERT_EQ(boxes.Texts(), std::vector<QString>{"File open Error(DG_CRC_ERROR)"});
    ASSERT_EQ(frame()->m_bLoaded, 0);
    const Files before = Tree(scratch.path());
    const QByteArray image = FlashImage();
    boxes.Clear();
    Command(ID_SAVE_CHANNEL_DATA);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("No channel list is loaded."));
    EXPECT_EQ(boxes.Calls()[0].caption, kInfo);
    EXPECT_EQ(Tree(scratch.path()), before);
    EXPECT_TRUE(FlashImage() == image);
    EXPECT_TRUE(requests.size() == 1u) << "no save dialog";
}

// Cancel in Load's dialog changes nothing: not the list, the views, or
// whether the list is new (its Save still asks for a name).
TEST_F(FileCommandTest, LoadCancelledKeepsTheListTheViewsAndTheNewFlag) {
    const QString cdl = StartFile("X.cdl");
    WriteList(cdl, {"A1", "A2"});
    WriteFile(StartFile("Default.dat"), ListImage({"T1"}));
    for (unsigned open : {ID_LOAD_CHANNEL_DATA, ID_NEW_FILE}) {
        SCOPED_TRACE(open);
        ASSERT_EQ(Start(), 1);
        if (open == ID_LOAD_CHANNEL_DATA)
            Load(cdl);
        else
            Command(ID_NEW_FILE);
        AddService("E1");
        const Names services = Services();
        const int treeItems = TreeItems(), rows = ListRows(), newFile = frame()->m_bNewFile;
        const QString workFile = WorkFileName();
        ASSERT_GT(treeItems, 0);
        ASSERT_GT(rows, 0);

        Answer(std::nullopt);
        Command(ID_LOAD_CHANNEL_DATA);
        EXPECT_EQ(frame()->m_bLoaded, 1);
        EXPECT_EQ(Services(), services);
        EXPECT_EQ(TreeItems(), treeItems);
        EXPECT_EQ(ListRows(), rows);
        EXPECT_EQ(frame()->m_bNewFile, newFile);
        EXPECT_EQ(WorkFileName(), workFile);

        if (open == ID_NEW_FILE) {
            const size_t asked = requests.size();
            Answer(std::nullopt);
            Command(ID_SAVE_CHANNEL_DATA);
            ASSERT_EQ(requests.size(), asked + 1) << "the new list's Save asks for a name";
            EXPECT_FALSE(requests.back().open);
        }
        Stop();
    }
}

// Bad input to Load: its message, no list loaded, empty views, no file
// written; a Save afterwards writes nothing either.
TEST_F(FileCommandTest, LoadOfBadInputLoadsNothingAndWritesNothing) {
    const QByteArray good = Container(ListImage({"A1", "A2"}));
    const QByteArray zeros(static_cast<qsizetype>(DB_IMAGE_SIZE), '\0');
    const auto damaged = [&](const std::function<void(QByteArray&)>& change) {
        QByteArray bytes = good;
        change(bytes);
        return bytes;
    };
    constexpr int kDgPayload = 81 + 3; // the first block's payload
    constexpr int kDgRecord = 3 + 0x8000 + 4;
    struct Case {
        const char* what;
        std::function<void(const QString& path)> make; // nothing: no file at all
        const char* text;                              // "%1": the chosen path
        QString caption;
    };
    const Case cases[] = {
        {"missing file", nullptr, "File Open Fail! [%1]", kError},
        {"a directory of that name", [](const QString& p) { QDir().mkpath(p); },
         "File Open Fail! [%1]", kError},
        {"a changed payload byte",
         [&](const QString& p) {
             WriteFile(p, damaged([](QByteArray& b) { b[kDgPayload + 5 * kDgRecord] ^= 0x10; }));
         },
         "File open Error(DG_CRC_ERROR)", kAppTitle},
        {"cut in the middle of a block",
         [&](const QString& p) { WriteFile(p, good.left(kDgPayload + 3 * kDgRecord + 100)); },
         "File open Error(Abnormal File_DG)", kAppTitle},
        {"a block length larger than any block",
         [&](const QString& p) {
             WriteFile(p, damaged([](QByteArray& b) {
                           b[81 + 1] = static_cast<char>(0xFF);
                           b[81 + 2] = static_cast<char>(0xFF);
                       }));
         },
         "File open Error(Abnormal File_DG)", kAppTitle},
        {"a header length too short for its CRC",
         [&](const QString& p) { WriteFile(p, damaged([](QByteArray& b) { b[1] = 2; })); },
         "File open Error(Abnormal File_DLH)", kAppTitle},
        {"not a database", [&](const QString& p) { WriteFile(p, Container(zeros)); },
         "This File is not HD STB service data file!", kError},
    };
    const QString goodPath = StartFile("good.cdl");
    WriteFile(goodPath, good);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString bad = scratch.filePath("bad.cdl");
        if (c.make) c.make(bad);
        ASSERT_EQ(Start(), 1);
        Load(goodPath);
        ASSERT_EQ(frame()->m_bLoaded, 1);
        const Files before = Tree(scratch.path());

        boxes.Clear();
        Load(bad);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        QString text = QString::fromLatin1(c.text);
        if (text.contains(QStringLiteral("%1"))) text = text.arg(bad);
        EXPECT_EQ(boxes.Calls()[0].text, text);
        EXPECT_EQ(boxes.Calls()[0].caption, c.caption);
        EXPECT_EQ(frame()->m_bLoaded, 0);
        EXPECT_FALSE(g_WorkFile.isOpen());
        EXPECT_EQ(Services(), Names{});
        EXPECT_EQ(TreeItems(), 0);
        EXPECT_EQ(ListRows(), 0);
        EXPECT_EQ(Tree(scratch.path()), before);

        boxes.Clear();
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"No channel list is loaded."});
        EXPECT_EQ(Tree(scratch.path()), before);
        Stop();
        QDir(bad).removeRecursively();
        QFile::remove(bad);
    }
}

// A step of Save that fails stops the save with "File Save Fail!"; the
// list's file keeps its old bytes and still decodes. A new list stays new.
TEST_F(FileCommandTest, ASaveStepThatFailsKeepsTheOldFile) {
    enum Step { Commit, ImageWrite, Flush, FileReplace, ContainerWrite };
    const auto failing = [](Step step) {
        SaveSteps steps = DefaultSaveSteps();
        switch (step) {
        case Commit:
            IDX_SetAddFailAfter(3); // the store refuses the fourth record
            break;
        case ImageWrite:
            steps.writeImage = [](QFile&, const QByteArray&) { return false; };
            break;
        case Flush:
            steps.flush = [](QFile&) { return false; };
            break;
        case FileReplace:
            steps.replaceFile = [](const QByteArray&, const QByteArray&) { return EIO; };
            break;
        case ContainerWrite:
            steps.writeContainer = [](const char*, const QByteArray&) { return 1; };
            break;
        }
        return steps;
    };
    const QString cdl = scratch.filePath("X.cdl");
    WriteList(cdl, {"A1"});
    WriteFile(StartFile("Default.dat"), ListImage({"T1"}));
    const QString chosen = scratch.filePath("new.cdl");
    struct Case {
        const char* what;
        bool newList;
        Step step;
    };
    const Case cases[] = {
        {"commit", false, Commit},
        {"image write", false, ImageWrite},
        {"flush", false, Flush},
        {"container write", false, ContainerWrite},
        {"new list: commit", true, Commit},
        {"new list: working copy write", true, FileReplace},
        {"new list: container write", true, ContainerWrite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Start(), 1);
        if (c.newList) {
            Command(ID_NEW_FILE);
            if (c.step != Commit) Answer(chosen); // the commit comes before the dialog
        } else {
            Load(cdl);
        }
        AddService("E1");
        const QByteArray old = ReadFile(cdl);
        boxes.Clear();
        const QByteArray image = FlashImage();
        SetSaveSteps(failing(c.step));
        Command(ID_SAVE_CHANNEL_DATA);
        SetSaveSteps(DefaultSaveSteps());
        IDX_SetAddFailAfter(-1);
        if (c.step == Commit) {
            EXPECT_TRUE(FlashImage() == image) << "a failed commit changed the image";
        }
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].text, QStringLiteral("File Save Fail! [%1]")
                                             .arg(!c.newList         ? cdl
                                                  : c.step == Commit ? "NewData.cdl"
                                                                     : chosen));
        EXPECT_EQ(boxes.Calls()[1].caption, kError);
        EXPECT_TRUE(ReadFile(cdl) == old);
        EXPECT_TRUE(Decoded(cdl).has_value());
        if (c.newList) {
            EXPECT_FALSE(QFile::exists(chosen));
            EXPECT_EQ(frame()->m_bNewFile, 1);
            EXPECT_TRUE(SamePath(WorkFileName(), StartFile("Default.dat")));
        }
        EXPECT_EQ(frame()->m_bLoaded, 1);

        // The list is intact: the next save writes it.
        if (c.newList) Answer(chosen);
        boxes.Clear();
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
        ExpectSavedTo(c.newList ? chosen : cdl);
        Stop();
        ASSERT_EQ(Start(), 1);
        Load(c.newList ? chosen : cdl);
        EXPECT_EQ(Services(), (Names{c.newList ? "T1" : "A1", "E1"}));
        Stop();
        QFile::remove(chosen);
        WriteList(cdl, {"A1"});
    }
}

// The list's full path is kept: a same-named file in the current directory
// is not the list.
TEST_F(FileCommandTest, SaveWritesTheLoadedFileNotASameNamedOneInTheCurrentDirectory) {
    const QString folder = scratch.filePath(QStringLiteral("Listen f\u00fcr A"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString list = folder + "/list.cdl";
    WriteList(list, {"A1"});
    WriteList(StartFile("list.cdl"), {"DECOY"});
    const QByteArray decoy = Hash(StartFile("list.cdl"));
    ASSERT_EQ(Start(), 1);

    Load(list);
    ASSERT_EQ(Services(), Names{"A1"});
    EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  list.cdl")));
    AddService("E1");
    Command(ID_SAVE_CHANNEL_DATA);
    ExpectSavedTo(list);
    EXPECT_EQ(Hash(StartFile("list.cdl")), decoy);
    EXPECT_EQ(QDir::currentPath(), start);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
}

// Save wraps the committed image in memory: whatever another program does to
// "data.tmp" (a cleaner removes it, another editor leaves its own list there)
// before the save or between the working copy's write and the container's,
// the list's file gets this list.
TEST_F(FileCommandTest, SaveWrapsTheListInMemoryWhateverDataTmpHolds) {
    const QString cdl = scratch.filePath("X.cdl");
    WriteList(cdl, {"A1"});
    const QByteArray other = ListImage({"OTHER"});
    enum class When { BeforeSave, BetweenImageAndContainer };
    enum class What { Removed, Replaced };
    struct Case {
        const char* what;
        When when;
        What act;
    };
    const Case cases[] = {
        {"removed before the save", When::BeforeSave, What::Removed},
        {"replaced before the save", When::BeforeSave, What::Replaced},
        {"removed after the image write", When::BetweenImageAndContainer, What::Removed},
        {"replaced after the image write", When::BetweenImageAndContainer, What::Replaced},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Start(), 1);
        Load(cdl);
        AddService("E1");
        const auto act = [this, &c, &other] {
            const QString temp = StartFile("data.tmp");
            QFile::remove(temp);
            if (c.act == What::Replaced) WriteFile(temp, other);
        };
        if (c.when == When::BeforeSave) act();
        SaveSteps steps = DefaultSaveSteps();
        if (c.when == When::BetweenImageAndContainer) {
            steps.flush = [act](QFile& file) {
                const bool flushed = DefaultSaveSteps().flush(file);
                act();
                return flushed;
            };
        }
        SetSaveSteps(steps);
        boxes.Clear();
        Command(ID_SAVE_CHANNEL_DATA);
        SetSaveSteps(DefaultSaveSteps());
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
        const std::optional<QByteArray> saved = Decoded(cdl);
        ASSERT_TRUE(saved.has_value());
        EXPECT_TRUE(*saved == FlashImage()) << "the list's file holds another list";
        if (c.when == When::BeforeSave) ExpectSavedTo(cdl);

        // The next save makes the working copy whole again.
        AddService("E2");
        Command(ID_SAVE_CHANNEL_DATA);
        ExpectSavedTo(cdl);
        Stop();
        ASSERT_EQ(Start(), 1);
        Load(cdl);
        EXPECT_EQ(Services(), (Names{"A1", "E1", "E2"}));
        Stop();
        WriteList(cdl, {"A1"});
    }
}

// A raw image is replaced whole: a write that fails half way (the file size
// limit stands in for a full disk) leaves the file byte for byte as it was,
// and bytes a larger file holds past the image are kept by a save.
TEST_F(FileCommandTest, RawImageSaveReplacesTheFileWhole) {
    const QString raw = scratch.filePath("raw.bin");
    const QByteArray image = ListImage({"R1", "R2"});
    const QByteArray tail = QByteArrayLiteral("bytes past the image");
    struct Case {
        const char* what;
        QByteArray file;
        bool failHalfWay;
    };
    const Case cases[] = {
        {"write fails half way", image, true},
        {"a larger file", image + tail, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(raw, c.file);
        g_bFirstShow = 1;
        ASSERT_EQ(Start({raw.toStdString()}), 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame()->m_bLoaded == 1; }));
        AddService("E1");
        const Files before = Tree(scratch.path());
        boxes.Clear();
        if (c.failHalfWay) {
            FileSizeLimit full(DB_IMAGE_SIZE / 2);
            ASSERT_TRUE(full.ok());
            Command(ID_SAVE_CHANNEL_DATA);
        } else {
            Command(ID_SAVE_CHANNEL_DATA);
        }
        if (c.failHalfWay) {
            EXPECT_EQ(boxes.Texts(),
                      (std::vector<QString>{"Do you wnat to save current data.",
                                            QStringLiteral("File Save Fail! [%1]").arg(raw)}));
            EXPECT_TRUE(ReadFile(raw) == c.file) << "the raw image changed";
            EXPECT_EQ(Tree(scratch.path()), before) << "a temporary was left";
            EXPECT_EQ(frame()->m_bLoaded, 1);
            boxes.Clear();
            Command(ID_SAVE_CHANNEL_DATA); // with room again it is saved
        }
        EXPECT_TRUE(ReadFile(raw) == FlashImage() + (c.file.size() > image.size() ? tail : ""));
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
        AddService("E2"); // the file saved is the working file again
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_TRUE(ReadFile(raw).left(image.size()) == FlashImage());
        Stop();
    }
}

// A working copy that cannot be written is named with the system's reason,
// and the old "data.tmp" stays whole; the list is not blamed.
TEST_F(FileCommandTest, LoadThatCannotWriteTheWorkingCopyNamesItAndKeepsTheOldOne) {
    const QString cdl = scratch.filePath("X.cdl");
    WriteList(cdl, {"A1"});
    const QByteArray old = ListImage({"OLD"});
    WriteFile(StartFile("data.tmp"), old);
    ASSERT_EQ(Start(), 1);
    const Files before = Tree(scratch.path());
    {
        FileSizeLimit full(DB_IMAGE_SIZE / 2);
        ASSERT_TRUE(full.ok());
        Load(cdl);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("File Open Fail! [%1]\n%2")
                                                      .arg(StartFile("data.tmp"),
                                                           QString::fromLocal8Bit(strerror(EFBIG)))});
    EXPECT_EQ(frame()->m_bLoaded, 0);
    EXPECT_EQ(Tree(scratch.path()), before) << "a partial working copy or a temporary was left";
    EXPECT_FALSE(g_WorkFile.isOpen());
    boxes.Clear();
    Load(cdl); // with room again it loads
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Services(), Names{"A1"});
}

// A raw image opened from the command line or a drop is its own working
// file: Save writes the committed image into it and no container.
TEST_F(FileCommandTest, RawImageFromTheCommandLineOrADropIsSavedIntoItself) {
    const QString first = scratch.filePath("first.bin");
    const QString raw = scratch.filePath("raw image.bin");
    WriteFile(first, ListImage({"F1"}));
    WriteFile(raw, ListImage({"R1", "R2"}));
    const QByteArray firstHash = Hash(first);
    struct Case {
        const char* what;
        bool drop;
    };
    for (const Case& c : {Case{"command line", false}, Case{"drop of two files", true}}) {
        SCOPED_TRACE(c.what);
        g_bFirstShow = 1;
        if (c.drop) {
            ASSERT_EQ(Start(), 1);
            Drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(raw)});
        } else {
            ASSERT_EQ(Start({raw.toStdString()}), 1);
            EXPECT_TRUE(QTest::qWaitFor([&] { return frame()->m_bLoaded == 1; }));
        }
        ASSERT_EQ(frame()->m_bLoaded, 1);
        EXPECT_EQ(Services(), (Names{"R1", "R2"}));
        EXPECT_TRUE(SamePath(WorkFileName(), raw));
        EXPECT_TRUE(Caption().endsWith(QStringLiteral(")  "))) << Caption().toStdString();

        AddService("E1");
        const Files before = Tree(scratch.path());
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_TRUE(ReadFile(raw) == FlashImage());
        EXPECT_EQ(Hash(first), firstHash);
        Files after = Tree(scratch.path());
        EXPECT_EQ(after.size(), before.size()) << "a file was made";
        EXPECT_FALSE(QFile::exists(StartFile("data.tmp")));
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
        boxes.Clear();
        Stop();
        WriteFile(raw, ListImage({"R1", "R2"}));
    }
}

// What is no regular file (a FIFO, a character device, a folder) is refused
// before it is opened, on every road, with that road's open-failure message:
// nothing waits for a writer that never comes.
TEST_F(FileCommandTest, NoRoadOpensWhatIsNoRegularFile) {
    const QString special = scratch.filePath(QStringLiteral("special"));
    ASSERT_TRUE(QDir().mkpath(special));
    const QString fifo = special + QStringLiteral("/list.fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = special + QStringLiteral("/folder.cdl");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Kind {
        const char* what;
        QString path;
        QString reason; // on the command line's line
    };
    const Kind kinds[] = {
        {"FIFO", fifo, QStringLiteral("Not a regular file")},
        {"character device", QStringLiteral("/dev/zero"), QStringLiteral("Not a regular file")},
        {"folder", folder, QString::fromLocal8Bit(strerror(EISDIR))},
    };
    enum class Road { CommandLine, Load, Drop };
    const std::pair<Road, const char*> roads[] = {
        {Road::CommandLine, "command line"}, {Road::Load, "Load"}, {Road::Drop, "drop"}};
    for (const auto& [road, roadName] : roads) {
        for (const Kind& kind : kinds) {
            const std::string step = std::string(roadName) + ", " + kind.what;
            SCOPED_TRACE(step);
            g_bFirstShow = 1;
            const Files before = Tree(scratch.path());
            boxes.Clear();
            {
                HangGuard guard(step, std::chrono::seconds(10));
                if (road == Road::CommandLine) {
                    EXPECT_EQ(Start({kind.path.toStdString()}), 0);
                } else {
                    ASSERT_EQ(Start(), 1);
                    if (road == Road::Load) {
                        Answer(kind.path);
                        Command(ID_LOAD_CHANNEL_DATA);
                    } else {
                        Drop({QUrl::fromLocalFile(kind.path)});
                    }
                    QTest::qWait(CMainFrame::kOpenCmdLineDelayMs * 2);
                }
            }
            ASSERT_EQ(boxes.Calls().size(), 1u);
            if (road == Road::CommandLine) {
                EXPECT_EQ(boxes.Calls()[0].text, kind.path + QLatin1Char('\n') + kind.reason);
                EXPECT_EQ(boxes.Calls()[0].caption, kAppTitle);
                EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Critical);
            } else {
                EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("File Open Fail! [%1]").arg(kind.path));
                EXPECT_EQ(frame()->m_bLoaded, 0);
            }
            EXPECT_FALSE(g_WorkFile.isOpen());
            Stop();
            EXPECT_EQ(Tree(scratch.path()), before);
        }
    }
}

// A file name with a byte that is no UTF-8 reaches every step as the bytes
// it was given: it opens from the command line and from a drop, and Save
// writes the image back into that very file.
TEST_F(FileCommandTest, APathThatIsNoUtf8KeepsItsBytes) {
    const QByteArray folder = QFile::encodeName(scratch.filePath(QStringLiteral("odd")));
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(folder)));
    const QByteArray raw = folder + "/raw\xff" "image.bin";
    const QByteArray image = ListImage({"R1", "R2"});
    const auto write = [&raw](const QByteArray& bytes) {
        std::FILE* file = std::fopen(raw.constData(), "wb");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), file),
                  static_cast<size_t>(bytes.size()));
        std::fclose(file);
    };
    const auto read = [&raw] {
        QByteArray bytes;
        if (std::FILE* file = std::fopen(raw.constData(), "rb")) {
            char chunk[4096];
            for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
                bytes.append(chunk, static_cast<qsizetype>(got));
            std::fclose(file);
        }
        return bytes;
    };
    const auto entries = [&folder] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.toStdString()))
            names.push_back(entry.path().filename().string());
        return names;
    };
    for (bool drop : {false, true}) {
        SCOPED_TRACE(drop ? "drop" : "command line");
        boxes.Clear();
        write(image);
        g_bFirstShow = 1;
        if (drop) {
            ASSERT_EQ(Start(), 1);
            Drop({QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
        } else {
            ASSERT_EQ(Start({raw.toStdString()}), 1);
            ASSERT_TRUE(QTest::qWaitFor([&] { return frame()->m_bLoaded == 1; }));
        }
        EXPECT_TRUE(boxes.Calls().empty());
        ASSERT_EQ(frame()->m_bLoaded, 1);
        EXPECT_EQ(Services(), (Names{"R1", "R2"}));
        AddService("E1");
        Command(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
        EXPECT_TRUE(read() == FlashImage());
        EXPECT_EQ(entries(), std::vector<std::string>{"raw\xff" "image.bin"});
        Stop();
    }
}

#ifdef QV_EDITOR
namespace {

// The editor itself, started in the start-up folder with no user: its boxes
// go to standard error, answered with their default buttons, and its
// profile into a folder of its own below the scratch folder.
QProcess* StartEditor(const QString& folder, const QString& config, const QStringList& args) {
    auto* editor = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QUORVANDELIX_ANSWER_BOXES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    editor->setProcessEnvironment(environment);
    editor->setWorkingDirectory(folder);
    editor->start(QStringLiteral(QV_EDITOR), args);
    return editor;
}

} // namespace

// Two editors in one start-up folder: the second says so and ends without
// touching any file; the first's list then saves intact.
TEST_F(FileCommandTest, ASecondEditorInTheFolderRefusesAndTheFirstSavesIntact) {
    const QString cdl = scratch.filePath("X.cdl");
    WriteList(cdl, {"A1"});
    ASSERT_EQ(Start(), 1);
    Load(cdl);
    AddService("E1");
    const Files before = Tree(scratch.path());

    const std::unique_ptr<QProcess> second(
        StartEditor(start, scratch.filePath(QStringLiteral("second-config")), {cdl}));
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_NE(second->exitCode(), 0);
    const QStringList lines =
        QString::fromLocal8Bit(second->readAllStandardError()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Quorvandelix is already open in this folder.")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("message box: Quorvandelix: Quorvandelix is already open in this folder.")));
    EXPECT_EQ(Tree(scratch.path()), before) << "the second editor touched a file";

    boxes.Clear();
    Command(ID_SAVE_CHANNEL_DATA);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
    ExpectSavedTo(cdl);
    Stop();
    ASSERT_EQ(Start(), 1);
    Load(cdl);
    EXPECT_EQ(Services(), (Names{"A1", "E1"}));
}

// The lock of an editor that was killed is no editor: the next one starts.
TEST_F(FileCommandTest, TheLockOfAKilledEditorIsTakenOver) {
    const std::unique_ptr<QProcess> killed(
        StartEditor(start, scratch.filePath(QStringLiteral("killed-config")), {}));
    ASSERT_TRUE(killed->waitForStarted(30000));
    const QString lock = StartFile(QStringLiteral("data.tmp.lock"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 30000));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(30000));
    ASSERT_TRUE(QFile::exists(lock)) << "a killed editor leaves its lock";

    ASSERT_EQ(Start(), 1);
    EXPECT_TRUE(boxes.Calls().empty());
    Stop();
    EXPECT_FALSE(QFile::exists(lock)) << "an editor that ends lets the folder go";
}

// An editor killed after making its lock but before writing into it leaves a
// lock that names no process: nobody holds it, so the next editor starts.
TEST_F(FileCommandTest, ALockThatNamesNoEditorIsTakenOver) {
    const QString lock = StartFile(QStringLiteral("data.tmp.lock"));
    for (const QByteArray& content : {QByteArray(), QByteArray("garbage\n")}) {
        SCOPED_TRACE(content.toStdString());
        WriteFile(lock, content);
        ASSERT_EQ(Start(), 1);
        EXPECT_TRUE(boxes.Calls().empty());
        Stop();
        EXPECT_FALSE(QFile::exists(lock));
    }
}
#endif

// A dropped name that is no readable file opens nothing and creates nothing.
TEST_F(FileCommandTest, ADropOfAMissingFileOrAFolderCreatesNothing) {
    const QString folder = scratch.filePath("folder.bin");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& path : {scratch.filePath("missing.bin"), folder}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_EQ(Start(), 1);
        const Files before = Tree(scratch.path());
        boxes.Clear();
        Drop({QUrl::fromLocalFile(path)});
        EXPECT_EQ(boxes.Texts(),
                  std::vector<QString>{QStringLiteral("File Open Fail! [%1]").arg(path)});
        EXPECT_EQ(frame()->m_bLoaded, 0);
        EXPECT_EQ(Tree(scratch.path()), before);
        EXPECT_FALSE(g_WorkFile.isOpen());
        Stop();
    }
}

// A new list saved over a working image file of the start-up directory
// would be lost at the next save or New: refused, and nothing changes.
TEST_F(FileCommandTest, ANewListIsNotSavedOverAWorkingImageFile) {
    WriteFile(StartFile("Default.dat"), ListImage({"T1"}));
    WriteFile(StartFile("data.tmp"), ListImage({"OLD"}));
    for (const char* name : {"Default.dat", "data.tmp"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Start(), 1);
        Command(ID_NEW_FILE);
        AddService("E1");
        const Files before = Tree(scratch.path());
        boxes.Clear();
        boxes.QueueAnswer(platform::IDOK);  // the question
        boxes.QueueAnswer(platform::IDYES); // "... already exists. Do you want to replace it?"
        Answer(StartFile(name));
        Command(ID_SAVE_CHANNEL_DATA);
        ASSERT_EQ(boxes.Calls().size(), 3u);
        EXPECT_EQ(boxes.Calls()[2].text,
                  QStringLiteral("File Save Fail! [%1]").arg(StartFile(name)));
        EXPECT_EQ(Tree(scratch.path()), before);
        EXPECT_EQ(frame()->m_bNewFile, 1);
        Stop();
    }
}

TEST_F(FileCommandTest, NewWithoutTheTemplateFailsAndCreatesNothing) {
    ASSERT_EQ(Start(), 1);
    const Files before = Tree(scratch.path());
    Command(ID_NEW_FILE);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text,
              QStringLiteral("File Open Fail! [%1]").arg(StartFile("Default.dat")));
    EXPECT_EQ(boxes.Calls()[0].caption, kError);
    EXPECT_FALSE(QFile::exists(StartFile("Default.dat")));
    EXPECT_EQ(Tree(scratch.path()), before);
    EXPECT_EQ(frame()->m_bLoaded, 0);
    EXPECT_EQ(frame()->m_bNewFile, 1);
}
