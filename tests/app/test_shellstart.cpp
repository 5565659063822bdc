// Start-up of the whole program: caption, about box, the command line's
// read check and recent files, the open after the first show, the panes.
#include "appfixture.h"

#include "aboutdlg.h"
#include "cdlfile.h"
#include "dialogs/dialogbase.h"
#include "networktp.h"
#include "base/profile.h"
#include "quorvandelixview.h"
#include "resource.h"
#include "supervw.h"

#include <QAction>
#include <QDir>
#include <QRegularExpression>
#include <QSplitter>
#include <QTest>

#include <cstring>

namespace {

const QRegularExpression
    kCaption(QStringLiteral(R"(^Kestrawin \([A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d\)$)"));
const QRegularExpression
    kBuildTime(QStringLiteral(R"(^[A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d$)"));

QStringList RecentEntries() {
    QStringList entries;
    for (int n = 1; n <= 5; ++n) {
        const QString value = platform::GetProfileString(QStringLiteral("Recent File List"),
                                                         QStringLiteral("File%1").arg(n));
        if (!value.isEmpty()) entries << value;
    }
    return entries;
}

} // namespace

// The command line's file is only recorded: what an open does is the file
// commands' tests.
class StartUpTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        RecordOpensOnly();
    }
};

TEST_F(StartUpTest, StartsWithoutArgumentsCaptionedAndWithNoListLoaded) {
    ASSERT_EQ(Start(), 1);
    EXPECT_TRUE(kCaption.match(frame()->windowTitle()).hasMatch())
        << frame()->windowTitle().toStdString();
    EXPECT_EQ(frame()->m_bLoaded, 0);
    EXPECT_TRUE(frame()->m_szCmdLine.empty());
    EXPECT_FALSE(frame()->IsTimerActive(CMainFrame::kTimerOpenCmdLine));
    QTest::qWait(CMainFrame::kOpenCmdLineDelayMs * 2);
    EXPECT_TRUE(frame()->opened.empty());
    EXPECT_TRUE(RecentEntries().isEmpty());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(StartUpTest, AboutBoxShowsTheBuildDateAndTime) {
    ASSERT_EQ(Start(), 1);
    QString caption, time;
    auto previous = platform::DialogBase::SetModalHook([&](platform::DialogBase& dialog) {
        caption = QString::fromStdString(dialog.GetWindowText());
        if (auto* text = dialog.GetDlgItem<platform::Static>(IDC_STATIC_BUILDTIME))
            time = QString::fromStdString(text->GetWindowText());
        dialog.EndDialog(platform::IDOK);
    });
    frame()->Action(ID_APP_ABOUT)->trigger();
    platform::DialogBase::SetModalHook(previous);
    EXPECT_EQ(caption, QStringLiteral("About Quorvandelix"));
    EXPECT_TRUE(kBuildTime.match(time).hasMatch()) << time.toStdString();
}

// What the command line becomes: the path the window keeps and opens after
// its first show, and File1 of the recent files.
TEST_F(StartUpTest, CommandLinePathIsKeptWholeAndOpenedOnceAfterTheFirstShow) {
    // A path of 300 characters: deep folders in the scratch folder.
    QString deep = scratch.path();
    while (deep.size() < 280)
        deep += QStringLiteral("/folder_of_some_length");
    ASSERT_TRUE(QDir().mkpath(deep));
    std::string longPath = (deep + QStringLiteral("/")).toStdString();
    longPath += std::string(300 - longPath.size(), 'x');
    ASSERT_EQ(longPath.size(), 300u);
    {
        QFile file(QString::fromStdString(longPath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const std::string plain = MakeFile("plain.bin");

    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string path;
    };
    const Case cases[] = {
        {"plain", {plain}, plain},
        {"quoted", {"\"" + plain + "\""}, plain},
        {"300 characters", {longPath}, longPath},
        {"more arguments ignored", {plain, "second", "third"}, plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_bFirstShow = 1;
        ASSERT_EQ(Start(c.args), 1);
        EXPECT_EQ(frame()->m_szCmdLine, c.path);
        EXPECT_EQ(RecentEntries().value(0), QString::fromStdString(c.path));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !frame()->opened.empty(); }));
        QTest::qWait(CMainFrame::kOpenCmdLineDelayMs * 2);
        EXPECT_EQ(frame()->opened, std::vector<std::string>{c.path});
        EXPECT_FALSE(frame()->IsTimerActive(CMainFrame::kTimerOpenCmdLine));
        Stop();
    }
}

TEST_F(StartUpTest, UnreadablePathIsToldAndEndsTheStartWithNothingWritten) {
    const std::string missing = scratch.filePath(QStringLiteral("missing.cdl")).toStdString();
    EXPECT_EQ(Start({missing}), 0);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const platform::MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.text, QString::fromStdString(missing + "\nNo such file or directory"));
    EXPECT_EQ(box.caption, QStringLiteral("Quorvandelix"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_TRUE(RecentEntries().isEmpty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
}

TEST_F(StartUpTest, RecentFilesKeepTheNewestFourWithoutDuplicates) {
    std::vector<std::string> files;
    for (const char* name : {"one", "two", "three", "four", "five"})
        files.push_back(MakeFile(name));
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    struct Step {
        std::string open;
        QStringList expected;
    };
    const Step steps[] = {
        {files[0], {q(files[0])}},
        {files[1], {q(files[1]), q(files[0])}},
        {files[0], {q(files[0]), q(files[1])}}, // no duplicate: moves up
        {files[2], {q(files[2]), q(files[0]), q(files[1])}},
        {files[3], {q(files[3]), q(files[2]), q(files[0]), q(files[1])}},
        {files[4], {q(files[4]), q(files[3]), q(files[2]), q(files[0])}}, // the oldest falls off
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.open);
        g_bFirstShow = 1;
        ASSERT_EQ(Start({step.open}), 1);
        Stop();
        EXPECT_EQ(RecentEntries(), step.expected);
    }
}

TEST_F(StartUpTest, TheTemplateNamesTheFormViewThatTheWindowNeverShows) {
    ASSERT_EQ(Start(), 1);
    const CQuorvandelixTemplate* docTemplate = app->GetDocTemplate();
    ASSERT_NE(docTemplate, nullptr);
    EXPECT_EQ(docTemplate->GetResourceId(), 128u);
    for (QWidget* widget : frame()->findChildren<QWidget*>())
        EXPECT_EQ(dynamic_cast<CQuorvandelixView*>(platform::Window::FromWidget(widget)), nullptr);
    const auto view = docTemplate->CreateView(app->GetDocument());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), app->GetDocument());
    EXPECT_FALSE(view->IsWindow());
}

TEST_F(StartUpTest, PanesSplitTheWindowAQuarterToTheTree) {
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(frame()->width(), 1095);
    CNetworkTp* tree = frame()->GetNetworkTp();
    CSuperVw* view = frame()->GetSuperVw();
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame()->m_mainSplitter->widget(0), tree);
    EXPECT_EQ(frame()->m_mainSplitter->widget(1), view->GetWidget());
    EXPECT_EQ(tree->width(), 273);
    EXPECT_GT(view->GetWidget()->width(), 800);
}

TEST_F(StartUpTest, StartDirectoryTooLongForTheWorkingPathIsRefusedUncut) {
    const std::string savedStart = g_szStartDir, savedTemp = g_szTempPath;
    ASSERT_EQ(SetStartDirectory("/scratch/start"), 1);
    EXPECT_STREQ(g_szTempPath, "/scratch/start/data.tmp");
    EXPECT_STREQ(g_szStartDir, "/scratch/start");
    const std::string tooLong = "/" + std::string(kStartDirSize, 'd');
    EXPECT_EQ(SetStartDirectory(tooLong), 0);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Quorvandelix"));
    EXPECT_STREQ(g_szTempPath, "/scratch/start/data.tmp");
    EXPECT_STREQ(g_szStartDir, "/scratch/start");
    std::strcpy(g_szStartDir, savedStart.c_str());
    std::strcpy(g_szTempPath, savedTemp.c_str());
}
