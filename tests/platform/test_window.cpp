// The window core: creation, messages sent and posted, notifications through
// the owner, keys and paint reaching the handlers.
#include "window_fixture.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class WindowTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};

    // Creates child with the given id at (10, 10, 110, 60), focused.
    void MakeChild(LogWindow& child, UINT id = 100) {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, Rect(10, 10, 110, 60), &top.window, id));
        child.SetFocus();
        log.clear();
    }
};

TEST_F(WindowTest, CreateRunsOnCreateAndMinusOneFails) {
    LogWindow ok("child", &log);
    ASSERT_TRUE(ok.Create(WS_CHILD | WS_VISIBLE, Rect(10, 20, 110, 70), &top.window, 7));
    EXPECT_TRUE(ok.IsWindow());
    EXPECT_EQ(ok.GetDlgCtrlID(), 7);
    EXPECT_EQ(ok.GetParent(), &top.window);
    EXPECT_EQ(top.window.GetDlgItem(7), &ok);
    Rect client;
    ok.GetClientRect(&client);
    EXPECT_EQ(client, Rect(0, 0, 100, 50));

    LogWindow failing("bad", &log);
    failing.createResult = -1;
    log.clear();
    EXPECT_FALSE(failing.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), &top.window, 8));
    EXPECT_FALSE(failing.IsWindow());
    EXPECT_EQ(failing.GetWidget(), nullptr);
    EXPECT_EQ(log, (Log{"bad OnCreate", "bad OnDestroy", "bad OnNcDestroy"}));
}

TEST_F(WindowTest, SendRunsAtOncePostRunsLaterAndDiesWithTheWindow) {
    LogWindow child("child", &log);
    MakeChild(child);
    child.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(log, (Log{"child OnTimer 1"}));

    child.PostMessage(WM_TIMER, 2);
    child.PostMessage(WM_TIMER, 3);
    EXPECT_EQ(log.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (Log{"child OnTimer 1", "child OnTimer 2", "child OnTimer 3"}));

    child.PostMessage(WM_TIMER, 4);
    child.DestroyWindow();
    log.clear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, NotificationIsOfferedToTheSenderBeforeTheOwner) {
    struct Case {
        const char* name;
        bool senderTakes;
        Log expected;
        LRESULT result;
    };
    const Case cases[] = {
        {"sender declines", false, {"child OnNotifyReflect -101", "top OnNotify -101"}, 7},
        {"sender takes it", true, {"child OnNotifyReflect -101"}, 5},
    };
    for (const Case& c : cases) {
        LogWindow child("child", &log);
        MakeChild(child);
        child.reflect = [&](NMHDR*) { return c.senderTakes ? TRUE : FALSE; };
        NMLISTVIEW record;
        EXPECT_EQ(child.SendNotify(LVN_ITEMCHANGED, &record.hdr), c.result) << c.name;
        EXPECT_EQ(record.hdr.hwndFrom, &child) << c.name;
        EXPECT_EQ(record.hdr.idFrom, 100u) << c.name;
        EXPECT_EQ(log, c.expected) << c.name;
        child.DestroyWindow();
    }
}

TEST_F(WindowTest, LetterPassesHookKeyDownHookCharHookKeyUp) {
    LogWindow child("child", &log);
    MakeChild(child);
    QTest::keyClick(child.GetWidget(), Qt::Key_A);
    EXPECT_EQ(log, (Log{"child hook WM_KEYDOWN 65", "top hook WM_KEYDOWN 65", "child OnKeyDown 65",
                        "child hook WM_CHAR 97", "top hook WM_CHAR 97", "child OnChar 97",
                        "child hook WM_KEYUP 65", "top hook WM_KEYUP 65", "child OnKeyUp 65"}));
}

TEST_F(WindowTest, PaintReachesOnPaintAndShowsWhatItDrew) {
    LogWindow child("child", &log);
    MakeChild(child);
    int paints = 0;
    child.paint = [&](QImage& image) {
        ++paints;
        image.fill(Qt::red);
    };
    child.Invalidate();
    child.UpdateWindow();
    EXPECT_EQ(paints, 1);
    const QImage shown = child.GetWidget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
}

} // namespace
} // namespace platform_test
