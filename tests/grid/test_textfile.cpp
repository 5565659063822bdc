// The grid's text file: the bytes a save writes, what a load builds from
// files written here byte by byte, and the messages of files that cannot be
// opened, read or written.
#include "gridfixture.h"

#include "gridctrl.h"

#include "dialogs/messagebox.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

using namespace platform;
using grid_test::WindowedGrid;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class GridTextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { TakeTraces(); }

    std::string PathOf(const char* name) const {
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    }
    std::string Write(const char* name, const std::string& bytes) const {
        const std::string path = PathOf(name);
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    static std::string Read(const std::string& path) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) return "<missing>";
        return file.readAll().toStdString();
    }
    // Every cell's text, row by row.
    static Rows Texts(const CGridCtrl& grid) {
        Rows rows;
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                rows.back().push_back(grid.GetItemText(r, c));
        }
        return rows;
    }
    static void Fill(CGridCtrl& grid, const Rows& rows) {
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
                grid.SetItemText(r, c, rows[r][c].c_str());
    }

    QTemporaryDir dir;
};

TEST_F(GridTextFileTest, ASaveWritesEachRowAsALineOfSeparatedTexts) {
    WindowedGrid w(2, 3, 1, 1);
    Fill(w.grid, {{"a", "b", "c"}, {"d", "", "f"}});
    const std::string path = PathOf("grid.txt");
    EXPECT_TRUE(w.grid.SaveToFile(path.c_str(), ','));
    EXPECT_EQ(Read(path), "a,b,c\r\nd,,f\r\n");

    EXPECT_TRUE(w.grid.SaveToFile(path.c_str(), '\t'));
    EXPECT_EQ(Read(path), "a\tb\tc\r\nd\t\tf\r\n");
}

TEST_F(GridTextFileTest, ALoadOfASavedGridGivesItsTextsWithNothingFixed) {
    WindowedGrid w(2, 3, 1, 1);
    const Rows texts = {{"a", "b", "c"}, {"d", "e", "f"}};
    Fill(w.grid, texts);
    const std::string path = PathOf("grid.txt");
    ASSERT_TRUE(w.grid.SaveToFile(path.c_str(), ','));

    WindowedGrid other(5, 5, 2, 2);
    EXPECT_TRUE(other.grid.LoadFromFile(path.c_str(), ','));
    EXPECT_EQ(other.grid.GetColumnCount(), 3);
    EXPECT_EQ(other.grid.GetRowCount(), 2);
    EXPECT_EQ(other.grid.GetFixedRowCount(), 0);
    EXPECT_EQ(other.grid.GetFixedColumnCount(), 0);
    EXPECT_EQ(Texts(other.grid), texts);
    EXPECT_TRUE(other.grid.GetModified());
    // The columns are sized to their texts.
    EXPECT_GT(other.grid.GetColumnWidth(0), 0);
}

TEST_F(GridTextFileTest, LinesOfEveryShapeLoadWithoutLoss) {
    const std::string longText(5000, 'x');
    const struct {
        const char* name;
        std::string bytes;
        Rows rows;
    } cases[] = {
        {"fewer fields than columns", "a,b,c\r\nd\r\n", {{"a", "b", "c"}, {"d", "", ""}}},
        {"more fields than columns", "a,b\r\nc,d,e,f\r\n", {{"a", "b"}, {"c", "d"}}},
        {"an empty line in the middle", "a,b\r\n\r\nc,d\r\n", {{"a", "b"}, {"", ""}, {"c", "d"}}},
        {"a separator at the end", "a,b,\r\nc,d,e\r\n", {{"a", "b", ""}, {"c", "d", "e"}}},
        {"LF only", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"no final line end", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"a CR inside a field", "a,b\r\nc\rx,d\r\n", {{"a", "b"}, {"c\rx", "d"}}},
        {"a NUL ends its field only",
         std::string("a,b,c\r\nd\0e,f,g\r\n", 16),
         {{"a", "b", "c"}, {"d", "f", "g"}}},
        {"a 5,000-character line",
         "a,b\r\n" + longText + ",y\r\nz\r\n",
         {{"a", "b"}, {longText, "y"}, {"z", ""}}},
        {"a 5,000-character heading", longText + "\r\nz\r\n", {{longText}, {"z"}}},
        {"an empty file", "", {}},
        {"only line ends", "\r\n\r\n", {{""}, {""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowedGrid w(3, 3, 1, 1);
        const std::string path = Write("load.txt", c.bytes);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(w.grid.LoadFromFile(path.c_str(), ','));
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(Texts(w.grid), c.rows);
        grid_test::ExpectArraysInStep(w.grid);
    }
}

TEST_F(GridTextFileTest, TextsWithTheSeparatorOrALineEndComeBackSplit) {
    WindowedGrid w(2, 2);
    Fill(w.grid, {{"x,y", "z"}, {"p\nq", "r"}});
    const std::string path = PathOf("split.txt");
    ASSERT_TRUE(w.grid.SaveToFile(path.c_str(), ','));
    EXPECT_EQ(Read(path), "x,y,z\r\np\r\nq,r\r\n");
    ASSERT_TRUE(w.grid.LoadFromFile(path.c_str(), ','));
    EXPECT_EQ(Texts(w.grid), (Rows{{"x", "y", "z"}, {"p", "", ""}, {"q", "r", ""}}));
}

TEST_F(GridTextFileTest, AVirtualGridSavesTheOwnersTextsAndRefusesALoad) {
    WindowedGrid w;
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(2);
    w.grid.SetColumnCount(2);
    w.owner.display[{0, 0}] = {"top"};
    w.owner.display[{1, 1}] = {"owner's"};
    const std::string path = PathOf("virtual.txt");
    EXPECT_TRUE(w.grid.SaveToFile(path.c_str(), ';'));
    EXPECT_EQ(Read(path), "top;\r\n;owner's\r\n");

    MessageBoxRecorder boxes;
    EXPECT_FALSE(w.grid.LoadFromFile(path.c_str(), ';'));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(w.grid.GetRowCount(), 2);
    EXPECT_EQ(w.grid.GetColumnCount(), 2);
}

TEST_F(GridTextFileTest, FilesThatFailGiveFalseAndTheirMessage) {
    struct Case {
        const char* name;
        bool save;
        std::string path;
        QString message; // a prefix of the text shown
        int rowsAfter;
    };
    const std::string missing = PathOf("missing.txt");
    const std::vector<Case> cases = {
        {"save to a full disk", true, "/dev/full", "Unable to save grid list", 2},
        {"save into a missing folder", true, PathOf("none/grid.txt"),
         QString::fromStdString(PathOf("none/grid.txt") + "\n"), 2},
        {"load of a missing file", false, missing, QString::fromStdString(missing + "\n"), 2},
        // A folder opens but cannot be read: what was read (nothing) stays.
        {"load that cannot read", false, dir.path().toStdString(), "Unable to load grid data", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowedGrid w(2, 3);
        Fill(w.grid, {{"a", "b", "c"}, {"d", "e", "f"}});
        MessageBoxRecorder boxes;
        const BOOL done = c.save ? w.grid.SaveToFile(c.path.c_str(), ',')
                                 : w.grid.LoadFromFile(c.path.c_str(), ',');
        EXPECT_FALSE(done);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_TRUE(boxes.Calls()[0].text.startsWith(c.message))
            << boxes.Calls()[0].text.toStdString();
        EXPECT_EQ(boxes.Calls()[0].caption, QString::fromLatin1(kAppTitle));
        EXPECT_EQ(w.grid.GetRowCount(), c.rowsAfter);
        if (c.rowsAfter == 2) {
            EXPECT_EQ(w.grid.GetItemText(1, 2), "f");
        }
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
}

} // namespace
