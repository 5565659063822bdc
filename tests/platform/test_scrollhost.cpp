// A window over a scroll area, as the list control is: the viewport is the
// client area for geometry, mouse and paint, and scrolling repaints it.
#include "controls/scrollwindow.h"
#include "window_fixture.h"
#include "window/windowhost.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

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

// A window with the standard bars that logs the scroll messages it gets.
class BarWindow : public platform::ScrollWindow {
  public:
    explicit BarWindow(Log* log) : m_log(log) {}

  protected:
    void OnVScroll(UINT code, UINT, ScrollBar*) override {
        m_log->push_back("bars OnVScroll " + std::to_string(code));
    }

  private:
    Log* m_log;
};

TEST(ScrollHostTest, TheWheelsDefaultGoesToTheParentAndLeavesTheBars) {
    Log log;
    TopWindow top(&log);
    ASSERT_TRUE(top.active);
    BarWindow bars(&log);
    ASSERT_TRUE(bars.Create(WS_CHILD | WS_VISIBLE, Rect(10, 10, 130, 110), &top.window, 1));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 500;
    si.nPage = 50;
    si.nPos = 100;
    bars.SetScrollInfo(SB_VERT, &si);
    ASSERT_TRUE(bars.IsScrollBarShown(SB_VERT));
    log.clear();

    QWidget* client = bars.GetClientWidget();
    const QPoint at(5, 5);
    QWheelEvent notch(at, client->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(client, &notch);
    QApplication::processEvents();
    EXPECT_EQ(log, (Log{"top OnMouseWheel 0 -120,0"}));
    EXPECT_EQ(bars.GetScrollPos(SB_VERT), 100);
}

} // namespace
} // namespace platform_test
