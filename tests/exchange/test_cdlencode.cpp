// The container writer: layout from the record tables and padding, in memory
// and through the file; a target that survives every failure and a killed save.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "filesizelimit.h"
#endif

#include "cdlbytes.h"
#include "cdlfile.h"
#include "cdltest.h"

namespace fs = std::filesystem;

namespace {

TEST(CdlEncodeBytesTest, ImageOfAnySizeGivesTheContainerOfTheRecordTablesAndDecodesBack) {
    for (size_t size : {size_t{0}, size_t{1000}, size_t{0x8000}, size_t{0x8001}, size_t{0xA0000},
                        size_t{0xA0010}}) {
        SCOPED_TRACE(size);
        const Bytes image = PatternBytes(size, 6);
        Bytes expected = image;
        expected.resize(0xA0000, 0xFF); // the missing tail is erased flash
        Bytes container(3, 0x77);       // must be replaced
        ASSERT_EQ(CdlEncodeBytes(image.data(), image.size(), container), 0);
        EXPECT_TRUE(container == BuildContainer(expected)) << "differs from the hand-built one";
        EXPECT_EQ(g_PhRecord.dataCrc, RefCrc32(expected.data(), expected.size()));
        EXPECT_EQ(g_PhRecord.blockCount, 20);
        EXPECT_EQ(g_PhRecord.headerCrc, GetBe32(container, 49 + 28));
        EXPECT_EQ(g_DlhRecord.headerCrc, GetBe32(container, 2 + 41));

        Bytes decoded;
        EXPECT_EQ(CdlDecodeBytes(container.data(), container.size(), decoded), CdlCheck{});
        EXPECT_TRUE(decoded == expected);
    }
}

TEST(CdlEncodeBytesTest, NullImageWithBytesIsRefusedAndChangesNothing) {
    const Bytes image(10, 3);
    Bytes container;
    ASSERT_EQ(CdlEncodeBytes(image.data(), image.size(), container), 0);
    const uint32_t dataCrc = g_PhRecord.dataCrc;
    EXPECT_EQ(CdlEncodeBytes(nullptr, 5, container), 1);
    EXPECT_TRUE(container.empty());
    EXPECT_EQ(g_PhRecord.dataCrc, dataCrc);
    EXPECT_EQ(CdlEncodeBytes(nullptr, 0, container), 0) << "no image: all erased";
    EXPECT_TRUE(container == BuildContainer(Bytes(0xA0000, 0xFF)));
}

class CdlEncodeTest : public CdlTest {
  protected:
    int Encode(const std::string& name) { return CdlEncodeFile(PathOf(name).string().c_str()); }
};

TEST_F(CdlEncodeTest, FullImageGivesTheContainerOfTheRecordTablesAndReadsBack) {
    const Bytes image = PatternBytes(0xA0000, 1);
    WriteFileBytes(TempPath(), image);
    ASSERT_EQ(Encode("list.cdl"), 0);

    const Bytes file = ReadFileBytes(PathOf("list.cdl"));
    ASSERT_EQ(file.size(), 655581u);
    for (size_t block = 0; block < 20; ++block) {
        SCOPED_TRACE(block);
        EXPECT_EQ(file[DgAt(block)], 0x33);
        EXPECT_EQ(GetBe16(file, DgAt(block) + 1), 0x8004);
    }
    EXPECT_TRUE(file == BuildContainer(image)) << "differs from the hand-built container";
    EXPECT_EQ(g_PhRecord.blockCount, 20);
    EXPECT_EQ(g_PhRecord.blockSize, 0x8000);
    EXPECT_EQ(g_PhRecord.dataCrc, RefCrc32(image.data(), image.size()));
    EXPECT_EQ(g_PhRecord.headerCrc, GetBe32(file, 49 + 28));
    EXPECT_EQ(g_DlhRecord.byte3, 1);
    EXPECT_EQ(g_DlhRecord.headerCrc, GetBe32(file, 2 + 41));
    EXPECT_EQ(DirEntries(), (std::vector<std::string>{"data.tmp", "list.cdl"}));

    fs::remove(TempPath());
    ASSERT_EQ(CdlDecodeFile(PathOf("list.cdl").string().c_str()), 0);
    EXPECT_TRUE(ReadFileBytes(TempPath()) == image);
    EXPECT_TRUE(messages_.empty());
}

// The largest first: a save after a larger one must show none of its bytes.
TEST_F(CdlEncodeTest, AnyOtherSizeOfDataTmpGivesExactly0xA0000DataBytes) {
    for (size_t size :
         {size_t{0xA0010}, size_t{0}, size_t{1000}, size_t{0x8000}, size_t{0x9FFFF}}) {
        SCOPED_TRACE(size);
        const Bytes content = PatternBytes(size, 2);
        WriteFileBytes(TempPath(), content);
        ASSERT_EQ(Encode("list.cdl"), 0);
        Bytes expected = content;
        expected.resize(0xA0000, 0xFF); // the missing tail is erased flash
        const Bytes file = ReadFileBytes(PathOf("list.cdl"));
        EXPECT_EQ(GetBe32(file, 49 + 12), RefCrc32(expected.data(), expected.size()));
        EXPECT_TRUE(file == BuildContainer(expected));
    }
}

TEST_F(CdlEncodeTest, ReplacesAnExistingListKeepingItsPermissions) {
    WriteFileBytes(PathOf("list.cdl"), Bytes(100, 0x5A));
    fs::permissions(PathOf("list.cdl"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const Bytes image = PatternBytes(0xA0000, 3);
    WriteFileBytes(TempPath(), image);
    ASSERT_EQ(Encode("list.cdl"), 0);
    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == BuildContainer(image));
    EXPECT_EQ(fs::status(PathOf("list.cdl")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(DirEntries(), (std::vector<std::string>{"data.tmp", "list.cdl"}));
}

TEST_F(CdlEncodeTest, BareNameIsWrittenInTheCurrentDirectory) {
    WriteFileBytes(TempPath(), Bytes(10, 1));
    const fs::path saved = fs::current_path();
    fs::current_path(Dir());
    const int result = CdlEncodeFile("bare.cdl");
    fs::current_path(saved);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(fs::file_size(PathOf("bare.cdl")), 655581u);
    EXPECT_EQ(DirEntries(), (std::vector<std::string>{"bare.cdl", "data.tmp"}));
}

TEST_F(CdlEncodeTest, ListReachedThroughALinkIsReplacedWhereItLies) {
    fs::create_directory(PathOf("lists"));
    WriteFileBytes(PathOf("lists/real.cdl"), Bytes(5, 0));
    fs::create_symlink(PathOf("lists/real.cdl"), PathOf("link.cdl"));
    WriteFileBytes(TempPath(), Bytes(10, 2));
    ASSERT_EQ(Encode("link.cdl"), 0);
    EXPECT_TRUE(fs::is_symlink(PathOf("link.cdl")));
    EXPECT_EQ(fs::file_size(PathOf("lists/real.cdl")), 655581u);
}

TEST_F(CdlEncodeTest, OpenFailuresGiveMinusOneAndTouchNothing) {
    const Bytes previous(300, 0x42);
    enum class DataTmp { File, Missing, Folder };
    struct Case {
        const char* what;
        std::string target;
        DataTmp dataTmp;
    };
    fs::create_directory(PathOf("folder.cdl"));
    const Case cases[] = {
        {"no data.tmp", PathOf("list.cdl").string(), DataTmp::Missing},
        {"data.tmp is a folder", PathOf("list.cdl").string(), DataTmp::Folder},
        {"target is a folder", PathOf("folder.cdl").string(), DataTmp::File},
        {"target in a missing folder", PathOf("missing/list.cdl").string(), DataTmp::File},
        {"empty name", "", DataTmp::File},
        {"name ends in a separator", PathOf("list.cdl").string() + "/", DataTmp::File},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(PathOf("list.cdl"), previous);
        fs::remove_all(TempPath());
        if (c.dataTmp == DataTmp::File) WriteFileBytes(TempPath(), Bytes(0xA0000, 7));
        if (c.dataTmp == DataTmp::Folder) fs::create_directory(TempPath());
        const std::vector<std::string> before = DirEntries();
        EXPECT_EQ(CdlEncodeFile(c.target.c_str()), -1);
        EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == previous);
        EXPECT_EQ(DirEntries(), before);
    }
    EXPECT_EQ(CdlEncodeFile(nullptr), -1);
}

#if defined(__unix__) || defined(__APPLE__)

TEST_F(CdlEncodeTest, WriteFailingAnywhereLeavesThePreviousListByteIdentical) {
    const Bytes previous = BuildContainer(PatternBytes(0xA0000, 4));
    WriteFileBytes(PathOf("list.cdl"), previous);
    WriteFileBytes(TempPath(), PatternBytes(0xA0000, 5));
    const std::vector<std::string> before = DirEntries();
    // Inside the DLH, the PH, the first block, a middle block, the last CRC.
    for (rlim_t limit : {rlim_t{1}, rlim_t{60}, rlim_t{100}, rlim_t{0x50000}, rlim_t{655580}}) {
        SCOPED_TRACE(limit);
        int result = 0;
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.ok());
            result = Encode("list.cdl");
        }
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == previous);
        EXPECT_EQ(DirEntries(), before) << "the temporary must be removed";
    }
    ASSERT_EQ(Encode("list.cdl"), 0); // and with room again it is written
    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == BuildContainer(PatternBytes(0xA0000, 5)));
}

// The image in memory is wrapped as the file writer wraps "data.tmp", whatever
// "data.tmp" holds or whether it exists; a failed write keeps the old list
// and names the system's reason.
TEST_F(CdlEncodeTest, ImageInMemoryIsWrappedWithoutTheWorkingFile) {
    const Bytes image = PatternBytes(0xA0000, 11);
    struct Case {
        const char* what;
        bool workingFile; // "data.tmp" holds another image
    };
    for (const Case& c : {Case{"no data.tmp", false}, Case{"another data.tmp", true}}) {
        SCOPED_TRACE(c.what);
        fs::remove(TempPath());
        if (c.workingFile) WriteFileBytes(TempPath(), PatternBytes(0xA0000, 12));
        const std::string list = PathOf("list.cdl").string();
        int error = -1;
        ASSERT_EQ(CdlEncodeImageFile(list.c_str(), image.data(), image.size(), &error), 0);
        EXPECT_EQ(error, 0);
        EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == BuildContainer(image));
    }
    const Bytes previous = ReadFileBytes(PathOf("list.cdl"));
    const Bytes other = PatternBytes(0xA0000, 13);
    int result = 0, error = 0;
    {
        FileSizeLimit full(0x50000);
        ASSERT_TRUE(full.ok());
        result = CdlEncodeImageFile(PathOf("list.cdl").string().c_str(), other.data(), other.size(),
                                    &error);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(error, EFBIG);
    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == previous);
    EXPECT_EQ(CdlEncodeImageFile(PathOf("list.cdl").string().c_str(), nullptr, 5), -1);
    EXPECT_EQ(CdlEncodeImageFile(nullptr, image.data(), image.size()), -1);
}

// Images of any size in turn, the largest first: each container holds only
// its own image's bytes.
TEST_F(CdlEncodeTest, ImageInMemoryAfterALargerOneGivesTheContainerOfItsOwnBytes) {
    for (size_t size : {size_t{0xA0010}, size_t{0}, size_t{1000}, size_t{0x9FFFF}}) {
        SCOPED_TRACE(size);
        const Bytes image = PatternBytes(size, 9);
        ASSERT_EQ(
            CdlEncodeImageFile(PathOf("list.cdl").string().c_str(), image.data(), image.size()), 0);
        Bytes expected = image;
        expected.resize(0xA0000, 0xFF);
        EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == BuildContainer(expected));
    }
}

// A save killed while it writes (here by the file-size signal, whose default
// action ends the process) leaves its temporary behind and the list as it
// was; the next save of that list removes it, and only what looks exactly
// like a temporary of that list.
TEST_F(CdlEncodeTest, TemporaryOfAKilledSaveIsRemovedByTheNextSaveOfThatList) {
    const Bytes previous = BuildContainer(PatternBytes(0xA0000, 8));
    WriteFileBytes(PathOf("list.cdl"), previous);
    WriteFileBytes(TempPath(), PatternBytes(0xA0000, 9));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 0x40000; // part way through the blocks
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        CdlEncodeFile(PathOf("list.cdl").string().c_str());
        _exit(0); // not reached: the write past the limit ends the process
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == previous);
    const std::vector<std::string> afterKill = DirEntries();
    ASSERT_EQ(afterKill.size(), 3u);
    ASSERT_EQ(afterKill[0].rfind(".list.cdl.", 0), 0u) << afterKill[0];

    struct Entry {
        const char* name;
        bool kept;
    };
    const Entry entries[] = {
        {".list.cdl.00000000abcd.tmp", false}, // an older killed save
        {".other.cdl.00000000abcd.tmp", true}, // another list's
        {".list.cdl.00000000ABCD.tmp", true},  // not a name the writer makes
        {".list.cdl.0000000abcd.tmp", true},   {".list.cdl.00000000abcd.tmp.keep", true},
        {"list.cdl.00000000abcd.tmp", true},   {".list.cdl.00000000abcd.tmpx", true},
    };
    for (const Entry& e : entries)
        WriteFileBytes(PathOf(e.name), Bytes(10, 1));
    fs::create_directory(PathOf(".list.cdl.0000000000ff.tmp")); // a folder is never removed

    ASSERT_EQ(Encode("list.cdl"), 0);
    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == BuildContainer(PatternBytes(0xA0000, 9)));
    std::vector<std::string> expected = {"data.tmp", "list.cdl", ".list.cdl.0000000000ff.tmp"};
    for (const Entry& e : entries) {
        if (e.kept) expected.push_back(e.name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DirEntries(), expected);
}

TEST_F(CdlEncodeTest, ReadOnlyFolderOrFileLeavesThePreviousListAlone) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const Bytes previous(300, 0x42);
    WriteFileBytes(PathOf("list.cdl"), previous);
    WriteFileBytes(TempPath(), Bytes(0xA0000, 7));

    fs::permissions(PathOf("list.cdl"), fs::perms::owner_read);
    EXPECT_EQ(Encode("list.cdl"), -1);
    fs::permissions(PathOf("list.cdl"), fs::perms::owner_read | fs::perms::owner_write);

    fs::permissions(Dir(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Encode("list.cdl"), -1);
    fs::permissions(Dir(), fs::perms::owner_all);

    EXPECT_TRUE(ReadFileBytes(PathOf("list.cdl")) == previous);
    EXPECT_EQ(DirEntries(), (std::vector<std::string>{"data.tmp", "list.cdl"}));
}

#endif

} // namespace
