// What a tip pop-up needs: posted mouse messages arriving as real mouse
// events, the window under a screen point, and the tip window itself (shown
// without activation, its mouse messages and the focus window's keys passing
// its hook first, the mouse grab).
#include "window/mousepost.h"
#include "window/tipwindow.h"
#include "window/windowfrompoint.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

// A tip whose hook logs and consumes what a test says.
class LogTip : public TipWindow {
  public:
    explicit LogTip(Log* log) : m_log(log) {}
    UINT consume = 0; // the message the hook takes

  protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN || msg->message == WM_LBUTTONDOWN) {
            m_log->push_back("tip hook " + std::to_string(msg->message) + " " +
                             std::to_string(msg->wParam));
        }
        return msg->message == consume ? TRUE : FALSE;
    }
    void OnLButtonDown(UINT, Point point) override {
        m_log->push_back("tip OnLButtonDown " + std::to_string(point.x) + "," +
                         std::to_string(point.y));
    }

  private:
    Log* m_log;
};

class TipTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    LogWindow child{"child", &log};
    LogTip tip{&log};

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Rect(10, 10, 110, 60),
                                 &top.window, 3));
        ASSERT_TRUE(tip.CreateEx(0, nullptr, WS_POPUP | WS_BORDER, Rect(), nullptr, 0));
        child.SetFocus();
        log.clear();
    }
    Log Lines(const std::string& prefix) const {
        Log found;
        for (const std::string& line : log)
            if (line.rfind(prefix, 0) == 0) found.push_back(line);
        return found;
    }
};

TEST_F(TipTest, PostedMouseMessagesArriveLaterAsTheWindowsOwn) {
    struct Case {
        UINT message;
        WPARAM flags;
        BOOL posted;
        const char* line;
    } cases[] = {
        {WM_LBUTTONDOWN, 0, TRUE, "child OnLButtonDown 1 5,6"},
        {WM_LBUTTONDOWN, MK_CONTROL, TRUE, "child OnLButtonDown 9 5,6"},
        {WM_LBUTTONDBLCLK, 0, TRUE, "child OnLButtonDblClk 1 5,6"},
        {WM_LBUTTONUP, MK_LBUTTON, TRUE, "child OnLButtonUp 0 5,6"},
        {WM_KEYDOWN, 0, FALSE, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        log.clear();
        EXPECT_EQ(PostMouseMessage(&child, c.message, c.flags, Point(5, 6)), c.posted);
        EXPECT_TRUE(Lines("child On").empty()); // not before the event loop runs
        QCoreApplication::processEvents();
        const Log lines = Lines("child OnL");
        if (c.line) {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0], c.line);
        } else {
            EXPECT_TRUE(lines.empty());
        }
    }
    LogWindow gone("gone", &log);
    EXPECT_FALSE(PostMouseMessage(&gone, WM_LBUTTONDOWN, 0, Point(1, 1)));
}

TEST_F(TipTest, WindowUnderAScreenPoint) {
    struct Case {
        Point client; // in the top window's client coordinates
        Window* expected;
    } cases[] = {
        {Point(20, 20), &child},
        {Point(109, 59), &child},
        {Point(110, 60), &top.window},
        {Point(200, 100), &top.window},
    };
    for (const Case& c : cases) {
        Point screen = c.client;
        top.window.ClientToScreen(&screen);
        EXPECT_EQ(WindowFromPoint(screen), c.expected) << c.client.x << "," << c.client.y;
    }
    Rect frame;
    top.window.GetWindowRect(&frame);
    EXPECT_EQ(WindowFromPoint(Point(frame.right + 50, frame.bottom + 50)), nullptr);
}

TEST_F(TipTest, ShownOnTopWithoutActivationOrFocus) {
    QWidget* widget = tip.GetWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_EQ(widget->windowType(), Qt::ToolTip);
    EXPECT_TRUE(widget->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(tip.IsWindowVisible());

    Point origin(30, 40);
    top.window.ClientToScreen(&origin);
    tip.ShowNoActivate(Rect(origin.x, origin.y, origin.x + 80, origin.y + 20));
    EXPECT_TRUE(tip.IsWindowVisible());
    Rect placed;
    tip.GetWindowRect(&placed);
    EXPECT_EQ(placed, Rect(origin.x, origin.y, origin.x + 80, origin.y + 20));
    EXPECT_EQ(QApplication::activeWindow(), top.window.GetWidget());
    EXPECT_EQ(Window::GetFocus(), &child);

    tip.GrabMouse();
    EXPECT_EQ(Window::GetCapture(), &tip);
    tip.ReleaseMouse();
    EXPECT_EQ(Window::GetCapture(), nullptr);
}

TEST_F(TipTest, MouseMessagesPassTheHookFirst) {
    struct Case {
        UINT consume;
        Log expected;
    } cases[] = {
        {0, {"tip hook 513 1", "tip OnLButtonDown 4,5"}},
        {WM_LBUTTONDOWN, {"tip hook 513 1"}},
    };
    Point origin(30, 40);
    top.window.ClientToScreen(&origin);
    tip.ShowNoActivate(Rect(origin.x, origin.y, origin.x + 80, origin.y + 20));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.consume);
        log.clear();
        tip.consume = c.consume;
        QTest::mouseClick(tip.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
        EXPECT_EQ(Lines("tip "), c.expected);
    }
}

TEST_F(TipTest, QuickSecondPressIsAPressAndAHiddenTipPassesTheMouseOn) {
    Point origin(30, 40);
    top.window.ClientToScreen(&origin);
    tip.ShowNoActivate(Rect(origin.x, origin.y, origin.x + 80, origin.y + 20));
    QWidget* widget = tip.GetWidget();
    const QPointF at(4, 5);
    QMouseEvent dblclk(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dblclk);
    EXPECT_EQ(Lines("tip "), (Log{"tip hook 513 1", "tip OnLButtonDown 4,5"}));

    // Hidden by that press, the tip still gets its release from Qt: the
    // window underneath (the child, from (10, 10)) gets it instead.
    tip.ShowWindow(SW_HIDE);
    log.clear();
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Lines("tip ").empty());
    EXPECT_EQ(Lines("child OnL"), (Log{"child OnLButtonUp 0 24,35"}));
}

TEST_F(TipTest, FocusWindowsKeysPassTheHookWhileShown) {
    struct Case {
        bool shown;
        UINT consume;
        bool hooked;
        bool reachesFocus;
    } cases[] = {
        {true, WM_KEYDOWN, true, false},
        {true, 0, true, true},
        {false, WM_KEYDOWN, false, true},
    };
    Point origin(30, 40);
    top.window.ClientToScreen(&origin);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.shown) + " " + std::to_string(c.consume));
        if (c.shown)
            tip.ShowNoActivate(Rect(origin.x, origin.y, origin.x + 80, origin.y + 20));
        else
            tip.ShowWindow(SW_HIDE);
        tip.consume = c.consume;
        log.clear();
        QTest::keyClick(child.GetWidget(), Qt::Key_Q);
        EXPECT_EQ(!Lines("tip hook 256 81").empty(), c.hooked);
        EXPECT_EQ(!Lines("child OnKeyDown 81").empty(), c.reachesFocus);
    }
}

} // namespace
} // namespace platform_test
