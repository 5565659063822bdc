// Focus, timers and mouse capture between windows: each handler runs before
// the call returns, and a window's timers and capture go with it.
#include "window/cursor.h"
#include "controls/edit.h"
#include "window/timer.h"
#include "window_fixture.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class TwoWindowsTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    LogWindow a{"a", &log};
    LogWindow b{"b", &log};

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(a.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 100, 50), &top.window, 1));
        ASSERT_TRUE(b.Create(WS_CHILD | WS_VISIBLE, Rect(0, 60, 100, 110), &top.window, 2));
        a.SetFocus();
        log.clear();
    }
};

TEST_F(TwoWindowsTest, SetFocusRunsKillThenSetBeforeReturning) {
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(log, (Log{"a OnKillFocus", "b OnSetFocus"}));
    EXPECT_EQ(GetFocus(), &b);
}

TEST_F(TwoWindowsTest, WindowMayDestroyItselfWhileLosingTheFocus) {
    // The editors' pattern: the kill-focus handler destroys the window, whose
    // last handler deletes the object.
    auto* editor = new LogWindow("editor", &log);
    ASSERT_TRUE(editor->Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 20), &top.window, 3));
    editor->deleteOnNcDestroy = true;
    editor->onKillFocus = [editor] { editor->DestroyWindow(); };
    editor->SetFocus();
    log.clear();

    b.SetFocus();
    EXPECT_EQ(
        log, (Log{"editor OnKillFocus", "editor OnDestroy", "editor OnNcDestroy", "b OnSetFocus"}));
    EXPECT_EQ(GetFocus(), &b);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(TwoWindowsTest, WindowMayDestroyItselfWhenAClickTakesTheFocus) {
    auto* editor = new LogWindow("editor", &log);
    ASSERT_TRUE(editor->Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 20), &top.window, 3));
    editor->deleteOnNcDestroy = true;
    editor->onKillFocus = [editor] { editor->DestroyWindow(); };
    Edit field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE, Rect(0, 120, 80, 140), &top.window, 4));
    editor->SetFocus();
    log.clear();

    QTest::mouseClick(field.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(log, (Log{"editor OnKillFocus", "editor OnDestroy", "editor OnNcDestroy"}));
    EXPECT_EQ(GetFocus(), &field);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(TwoWindowsTest, TimersTickUntilKilledOrDestroyed) {
    SetTimersManual(true);
    EXPECT_EQ(a.SetTimer(2, 75), 2u);
    EXPECT_EQ(a.GetTimerPeriod(2), 75u);
    EXPECT_TRUE(a.FireTimer(2));
    EXPECT_EQ(log, (Log{"a OnTimer 2"}));

    EXPECT_EQ(a.SetTimer(2, 20), 2u); // re-armed with the new period
    EXPECT_EQ(a.GetTimerPeriod(2), 20u);
    EXPECT_TRUE(a.KillTimer(2));
    EXPECT_FALSE(a.KillTimer(2));
    EXPECT_FALSE(a.FireTimer(2));
    EXPECT_EQ(a.GetTimerPeriod(2), 0u);

    b.SetTimer(5, 10);
    b.DestroyWindow();
    EXPECT_FALSE(b.FireTimer(5));
    EXPECT_EQ(log, (Log{"a OnTimer 2", "b OnDestroy", "b OnNcDestroy"}));
    SetTimersManual(false);
}

TEST_F(TwoWindowsTest, TimerTicksFromTheEventLoop) {
    int ticks = 0;
    a.SetTimer(7, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        ticks = static_cast<int>(std::count(log.begin(), log.end(), "a OnTimer 7"));
        return ticks > 0;
    }));
    a.KillTimer(7);
    log.clear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(TwoWindowsTest, NewCaptureHolderNotifiesTheOldOne) {
    std::vector<Window*> gainers;
    a.onCapture = [&](Window* w) { gainers.push_back(w); };
    b.onCapture = [&](Window* w) { gainers.push_back(w); };

    EXPECT_EQ(a.SetCapture(), nullptr);
    EXPECT_EQ(GetCapture(), &a);
    EXPECT_EQ(b.SetCapture(), &a);
    EXPECT_EQ(GetCapture(), &b);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log, (Log{"a OnCaptureChanged", "b OnCaptureChanged"}));
    EXPECT_EQ(gainers, (std::vector<Window*>{&b, nullptr}));
}

TEST_F(TwoWindowsTest, CaptureHolderGetsTheMouseInItsClientPoints) {
    a.SetCapture();
    // A press over b goes to a, in a's coordinates (b lies 60 px lower).
    QTest::mousePress(b.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
    ReleaseCapture();
    QTest::mouseRelease(b.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "a OnLButtonDown 1 5,67");
    EXPECT_EQ(log.back(), "b OnLButtonUp 0 5,7");
}

TEST_F(TwoWindowsTest, CapturedMoveReachesTheHolderOnce) {
    // The holder leaves the move unaccepted, so Qt offers it to the holder's
    // parent next: the parent must not hand it to the holder once more.
    struct Counter : LogWindow {
        using LogWindow::LogWindow;
        void OnMouseMove(UINT flags, Point p) override {
            ++moves;
            LogWindow::OnMouseMove(flags, p);
        }
        int moves = 0;
    } c{"c", &log};
    ASSERT_TRUE(c.Create(WS_CHILD | WS_VISIBLE, Rect(0, 120, 100, 150), &top.window, 3));
    c.SetCapture();
    QTest::mouseMove(b.GetWidget(), QPoint(5, 7));
    ReleaseCapture();
    EXPECT_EQ(c.moves, 1);
}

TEST_F(TwoWindowsTest, DestroyedHolderLosesTheCaptureSilently) {
    b.SetCapture();
    b.DestroyWindow();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log, (Log{"b OnDestroy", "b OnNcDestroy"}));
}

TEST(CursorTest, StandardCursorsPositionAndConfinement) {
    struct Case {
        int id;
        Qt::CursorShape shape;
    };
    const Case cases[] = {{IDC_ARROW, Qt::ArrowCursor},
                          {IDC_SIZEWE, Qt::SizeHorCursor},
                          {IDC_SIZENS, Qt::SizeVerCursor},
                          {IDC_WAIT, Qt::WaitCursor}};
    for (const Case& c : cases) {
        ASSERT_NE(LoadStandardCursor(c.id), nullptr) << c.id;
        EXPECT_EQ(LoadStandardCursor(c.id)->shape, c.shape) << c.id;
    }
    EXPECT_EQ(LoadStandardCursor(1), nullptr);

    SetCursorPosSource([] { return Point(12, 34); });
    Point p;
    EXPECT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, Point(12, 34));
    SetCursorPosSource({});

    Rect r;
    const Rect box(1, 2, 30, 40);
    ClipCursor(&box);
    EXPECT_TRUE(GetClipCursor(&r));
    EXPECT_EQ(r, box);
    ClipCursor(nullptr);
    EXPECT_FALSE(GetClipCursor(&r));

    {
        WaitCursor wait;
        EXPECT_TRUE(WaitCursor::IsShown());
    }
    EXPECT_FALSE(WaitCursor::IsShown());
}

} // namespace
} // namespace platform_test
