#include "dialogs/filedialog.h"
#include "dialogs/messagebox.h"
#include "base/profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(FileDialogTest, FilterStringsBecomeQtNameFilters) {
    struct Case {
        QString filter;
        QStringList expected;
    } cases[] = {
        {"Channel List(*.cdl)|*.cdl||", {"Channel List(*.cdl) (*.cdl)"}},
        {"Lists|*.cdl;*.dat|All Files (*.*)|*.*||",
         {"Lists (*.cdl *.dat)", "All Files (*.*) (*.*)"}},
        {"*.CDL", {"*.CDL (*.CDL)"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameFiltersFromFilterString(c.filter), c.expected) << c.filter.toStdString();
}

TEST(FileDialogTest, PatternsMatchInEitherCase) {
    struct Case {
        QStringList filters;
        QStringList expected;
    } cases[] = {
        {{"Channel List(*.cdl) (*.cdl)"}, {"Channel List(*.cdl) (*.cdl *.CDL)"}},
        {{"*.CDL (*.CDL)"}, {"*.CDL (*.CDL *.cdl)"}},
        {{"Lists (*.Cdl *.dat)", "All Files (*.*) (*.*)"},
         {"Lists (*.Cdl *.cdl *.CDL *.dat *.DAT)", "All Files (*.*) (*.*)"}},
        {{"no patterns"}, {"no patterns"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameFiltersInBothCases(c.filters), c.expected)
            << c.filters.join('|').toStdString();
}

// Each test runs in a temporary folder and puts the current folder back.
class FileDialogFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldCurrent = QDir::currentPath();
        SetProfileFile(Path(QStringLiteral("profile.ini")));
        ForgetFileDialogSettings();
    }
    void TearDown() override {
        SetFileDialogHook(nullptr);
        ForgetFileDialogSettings();
        SetProfileFile(QString());
        QDir::setCurrent(m_oldCurrent);
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_oldCurrent;
};

TEST_F(FileDialogFixture, OpenGivesTheFullPathAndMakesItsFolderCurrent) {
    std::vector<FileDialogRequest> asked;
    SetFileDialogHook([&](const FileDialogRequest& r) -> std::optional<QString> {
        asked.push_back(r);
        return Path("list.cdl");
    });
    FileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY, "Channel List(*.cdl)|*.cdl||");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), Path("list.cdl"));
    EXPECT_EQ(dialog.GetFileName(), "list.cdl");
    EXPECT_EQ(dialog.GetFileTitle(), "list");
    EXPECT_EQ(dialog.GetFileExt(), "cdl");
    EXPECT_EQ(QDir::current(), QDir(m_dir.path()));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].open);
    EXPECT_EQ(asked[0].title, "Open");
    EXPECT_EQ(asked[0].nameFilters, QStringList{"Channel List(*.cdl) (*.cdl)"});
}

TEST_F(FileDialogFixture, CancelLeavesNoPathAndTheCurrentFolder) {
    SetFileDialogHook([](const FileDialogRequest&) { return std::nullopt; });
    FileDialog dialog(true);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.GetPathName().isEmpty());
    EXPECT_EQ(QDir::currentPath(), m_oldCurrent);
}

TEST_F(FileDialogFixture, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing) {
    QFile existing(Path("old.cdl"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    struct Case {
        const char* name;
        std::vector<QString> answers; // what the user types, in turn
        std::vector<int> boxAnswers;  // answers to the overwrite question
        int result;
        QString path;
        int questions;
    } cases[] = {
        {"new name gets .cdl", {"newdata"}, {}, IDOK, "newdata.cdl", 0},
        {"own extension kept", {"list.bin"}, {}, IDOK, "list.bin", 0},
        {"replace: yes", {"old"}, {IDYES}, IDOK, "old.cdl", 1},
        {"replace: no, then another name", {"old", "other"}, {IDNO}, IDOK, "other.cdl", 1},
        {"replace: no, then cancel", {"old"}, {IDNO}, IDCANCEL, "", 1},
    };
    for (const auto& c : cases) {
        std::size_t turn = 0;
        std::vector<FileDialogRequest> asked;
        SetFileDialogHook([&](const FileDialogRequest& r) -> std::optional<QString> {
            asked.push_back(r);
            if (turn >= c.answers.size()) return std::nullopt;
            return Path(c.answers[turn++]);
        });
        MessageBoxRecorder boxes;
        for (int a : c.boxAnswers)
            boxes.QueueAnswer(a);

        FileDialog dialog(false, "cdl", "newdata", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          "Channel List(*.cdl)|*.cdl||");
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_EQ(dialog.GetPathName(), c.path.isEmpty() ? QString() : Path(c.path)) << c.name;
        EXPECT_EQ(static_cast<int>(boxes.Calls().size()), c.questions) << c.name;
        if (c.questions) {
            EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Warning) << c.name;
            EXPECT_TRUE(boxes.Calls()[0].text.contains("old.cdl")) << c.name;
        }
        ASSERT_FALSE(asked.empty());
        EXPECT_FALSE(asked[0].open);
        EXPECT_EQ(asked[0].initialName, "newdata");
        EXPECT_EQ(asked[0].defaultExtension, "cdl");
        EXPECT_EQ(asked[0].title, "Save As");
    }
}

// A dialog opens in the folder its caller gives (the current document's),
// else in the folder of the last file chosen, else in the home folder.
TEST_F(FileDialogFixture, DialogsOpenInTheDocumentsOrTheLastFolderElseHome) {
    const QString documents = Path(QStringLiteral("documents"));
    const QString last = Path(QStringLiteral("last"));
    ASSERT_TRUE(QDir().mkpath(documents));
    ASSERT_TRUE(QDir().mkpath(last));
    QString folder;
    QString answer;
    SetFileDialogHook([&](const FileDialogRequest& request) -> std::optional<QString> {
        folder = request.folder;
        return answer.isEmpty() ? std::nullopt : std::optional<QString>(answer);
    });
    struct Step {
        const char* name;
        QString preferred; // given by the caller
        QString chosen;    // the file the user picks ("" Cancel)
        QString opensIn;
    };
    const Step steps[] = {
        {"nothing known yet", QString(), QString(), QDir::homePath()},
        {"the document's folder", documents, last + QStringLiteral("/a.cdl"), documents},
        {"the last folder chosen", QString(), QString(), last},
        {"a document folder that is gone", Path(QStringLiteral("gone")), QString(), last},
        {"the last folder, kept in the settings", QString(), QString(), last},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.name == std::string("the last folder, kept in the settings")) {
            // As a program that ends and starts again.
            ASSERT_TRUE(SaveFileDialogSettings());
            ForgetFileDialogSettings();
        }
        answer = step.chosen;
        FileDialog dialog(true, QString(), QString(), OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
        dialog.SetInitialFolder(step.preferred);
        dialog.DoModal();
        EXPECT_EQ(folder, step.opensIn);
    }
    ASSERT_TRUE(QDir(last).removeRecursively());
    answer.clear();
    FileDialog dialog(true);
    dialog.DoModal();
    EXPECT_EQ(folder, QDir::homePath()) << "the last folder is gone";
}

} // namespace
