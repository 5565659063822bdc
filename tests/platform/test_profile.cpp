#include "base/profile.h"
#include "base/recentfilelist.h"

#include <QSettings>
#include <QTemporaryDir>

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class ProfileFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SetProfileFile(m_dir.filePath("profile.ini"));
    }
    void TearDown() override { SetProfileFile(QString()); }
    QTemporaryDir m_dir;
};

TEST(ProfileNameTest, TheUsersProfileIsTheApplicationsKey) {
    auto settings = OpenProfile();
    EXPECT_EQ(settings->organizationName(), "Local AppWizard-Generated Applications");
    EXPECT_EQ(settings->applicationName(), "Quorvandelix");
}

TEST_F(ProfileFixture, ValuesRoundTripAndMissingOnesGiveTheDefault) {
    EXPECT_EQ(GetProfileString("Settings", "Name", "none"), "none");
    EXPECT_EQ(GetProfileInt("Settings", "Lines", 3), 3);
    EXPECT_TRUE(WriteProfileString("Settings", "Name", "list.cdl"));
    EXPECT_TRUE(WriteProfileInt("Settings", "Lines", 7));
    EXPECT_EQ(GetProfileString("Settings", "Name"), "list.cdl");
    EXPECT_EQ(GetProfileInt("Settings", "Lines", 3), 7);
    // Not a number: the default.
    EXPECT_EQ(GetProfileInt("Settings", "Name", 3), 3);
}

TEST_F(ProfileFixture, RecentFilesKeepFourNewestFirstAcrossRuns) {
    RecentFileList list;
    for (const char* name : {"a.cdl", "b.cdl", "c.cdl", "d.cdl", "e.cdl", "c.cdl"})
        list.Add(m_dir.filePath(name));
    list.Add(QString());
    ASSERT_TRUE(list.WriteList());

    RecentFileList reread;
    reread.ReadList();
    const QStringList expected = {m_dir.filePath("c.cdl"), m_dir.filePath("e.cdl"),
                                  m_dir.filePath("d.cdl"), m_dir.filePath("b.cdl")};
    ASSERT_EQ(reread.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(reread[i], expected[i]) << i;
    EXPECT_EQ(reread[4], QString());
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), expected[0]);

    // A shorter list clears the entries it no longer uses.
    reread.Remove(0);
    reread.Remove(0);
    ASSERT_TRUE(reread.WriteList());
    EXPECT_EQ(GetProfileString("Recent File List", "File3", "gone"), "");
    RecentFileList again;
    again.ReadList();
    EXPECT_EQ(again.Count(), 2);
}

} // namespace
