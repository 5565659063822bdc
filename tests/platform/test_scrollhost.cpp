// A window over a scroll area, as the list control is: the viewport is the
// client area for geometry, mouse and paint, and scrolling repaints it.
#include "window_fixture.h"
#include "windowhost.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class ScrollWindow : public LogWindow {
  public:
    using LogWindow::LogWindow;
    QAbstractScrollArea* Area() const { return static_cast<QAbstractScrollArea*>(GetWidget()); }

  protected:
    QWidget* CreateWidget(QWidget* parent) override {
        return new WindowHost<QAbstractScrollArea>(this, parent);
    }
};

TEST(ScrollHostTest, ViewportIsTheClientArea) {
    Log log;
    TopWindow top(&log);
    ASSERT_TRUE(top.active);
    ScrollWindow list("list", &log);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, Rect(10, 10, 130, 110), &top.window, 1));
    QWidget* viewport = list.Area()->viewport();
    ASSERT_NE(viewport, list.GetWidget());
    EXPECT_EQ(list.GetClientWidget(), viewport);
    Rect client;
    list.GetClientRect(&client);
    EXPECT_EQ(client, Rect(0, 0, viewport->width(), viewport->height()));

    log.clear();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    EXPECT_NE(std::find(log.begin(), log.end(), "list OnLButtonDown 1 3,4"), log.end());

    list.paint = [](Dc& dc) {
        Rect box;
        dc.GetClipBox(&box);
        dc.FillSolidRect(box, RGB(255, 0, 0));
    };
    list.Invalidate();
    list.UpdateWindow();
    EXPECT_EQ(viewport->grab().toImage().pixelColor(2, 2), QColor(Qt::red));

    // A scroll repaints the whole client area.
    list.Area()->verticalScrollBar()->setRange(0, 10);
    list.UpdateWindow();
    log.clear();
    list.Area()->verticalScrollBar()->setValue(3);
    list.UpdateWindow();
    EXPECT_EQ(log, (Log{"list OnEraseBkgnd", "list OnPaint " + LogWindow::RectText(client)}));
}

} // namespace
} // namespace platform_test
