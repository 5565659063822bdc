// Receive files overwrite nothing: the name taken for an upload, the rename
// at its end, and what stays when it ends early.
#include <gtest/gtest.h>

#include "receivefile.h"
#include "scratchdir.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ReceiveFile, TakesTheFirstFreeNameAndLeavesOthersAlone) {
    struct Case {
        const char* name;
        std::vector<std::string> present;
        std::string chosen;
    };
    const std::vector<Case> cases = {
        {"free", {}, "X.cdl"},
        {"taken", {"X.cdl"}, "X-2.cdl"},
        {"upload under way", {"X.cdl.part"}, "X-2.cdl"},
        {"two taken", {"X.cdl", "X-2.cdl"}, "X-3.cdl"},
        {"taken and under way", {"X.cdl", "X-2.cdl.part"}, "X-3.cdl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        for (size_t i = 0; i < c.present.size(); ++i)
            WriteAll(dir.File(c.present[i]), Bytes(5, static_cast<uint8_t>(i + 1)));
        ReceiveFile file;
        ASSERT_TRUE(file.Create(dir.File("X.cdl")));
        EXPECT_EQ(file.PartPath(), dir.File(c.chosen + ".part"));
        const Bytes data{1, 2, 3, 4, 5, 6};
        EXPECT_TRUE(file.WriteAt(3, data.data() + 3, 3));
        EXPECT_TRUE(file.WriteAt(0, data.data(), 3));
        ASSERT_TRUE(file.Commit());
        EXPECT_EQ(file.FinalPath(), dir.File(c.chosen));
        EXPECT_EQ(ReadAll(dir.File(c.chosen)), data);
        for (size_t i = 0; i < c.present.size(); ++i)
            EXPECT_EQ(ReadAll(dir.File(c.present[i])), Bytes(5, static_cast<uint8_t>(i + 1)));
    }
}

TEST(ReceiveFile, NameTakenDuringTheUploadIsNotReplaced) {
    ScratchDir dir;
    ReceiveFile file;
    ASSERT_TRUE(file.Create(dir.File("KeyData.kdl")));
    WriteAll(dir.File("KeyData.kdl"), Bytes{9, 9});
    const Bytes data{7};
    ASSERT_TRUE(file.WriteAt(0, data.data(), 1));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(file.FinalPath(), dir.File("KeyData-2.kdl"));
    EXPECT_EQ(ReadAll(dir.File("KeyData.kdl")), (Bytes{9, 9}));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"KeyData-2.kdl", "KeyData.kdl"}));
}

TEST(ReceiveFile, CloseKeepsThePart) {
    ScratchDir dir;
    {
        ReceiveFile file;
        ASSERT_TRUE(file.Create(dir.File("data")));
        const Bytes data{1, 2};
        ASSERT_TRUE(file.WriteAt(0, data.data(), 2));
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.part"});
    ReceiveFile next;
    ASSERT_TRUE(next.Create(dir.File("data")));
    EXPECT_EQ(next.PartPath(), dir.File("data-2.part"));
}

TEST(ReceiveFile, NothingIsCreatedWhereNoFileCanBe) {
    ScratchDir dir;
    ReceiveFile file;
    EXPECT_FALSE(file.Create(dir.File("missing/X.cdl")));
    EXPECT_FALSE(file.Create(""));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());
    EXPECT_TRUE(dir.Entries().empty());
}

} // namespace
