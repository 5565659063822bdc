// Mouse messages: key flags, client points, the double-click order and the
// wheel's notches.
#include "window_fixture.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class MouseTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    LogWindow a{"a", &log};

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(a.Create(WS_CHILD | WS_VISIBLE, Rect(20, 30, 120, 80), &top.window, 1));
        log.clear();
    }
};

TEST_F(MouseTest, ButtonsCarryFlagsAndClientPoints) {
    struct Case {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        std::string down;
    };
    const Case cases[] = {
        {"plain", Qt::NoModifier, "a OnLButtonDown 1 4,6"},
        {"Shift", Qt::ShiftModifier, "a OnLButtonDown 5 4,6"},
        {"Ctrl", Qt::ControlModifier, "a OnLButtonDown 9 4,6"},
    };
    for (const Case& c : cases) {
        log.clear();
        QTest::mouseClick(a.GetWidget(), Qt::LeftButton, c.modifiers, QPoint(4, 6));
        ASSERT_EQ(log.size(), 2u) << c.name;
        EXPECT_EQ(log[0], c.down) << c.name;
        EXPECT_EQ(log[1].substr(0, 14), "a OnLButtonUp ") << c.name;
    }
}

TEST_F(MouseTest, DoubleClickIsDownUpDoubleClickUp) {
    // Through the window system, as a real double click arrives.
    QWindow* window = top.window.GetWidget()->windowHandle();
    const QPoint at = a.GetWidget()->mapTo(top.window.GetWidget(), QPoint(3, 3));
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(log, (Log{"a OnLButtonDown 1 3,3", "a OnLButtonUp 0 3,3", "a OnLButtonDblClk 1 3,3",
                        "a OnLButtonUp 0 3,3"}));
}

TEST_F(MouseTest, WheelGives120ANotch) {
    const QPoint at(5, 5);
    QWheelEvent notch(at, a.GetWidget()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(a.GetWidget(), &notch);
    EXPECT_EQ(log, (Log{"a OnMouseWheel 8 -120,0"}));
}

} // namespace
} // namespace platform_test
