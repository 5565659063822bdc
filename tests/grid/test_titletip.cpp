// The title tip over a window in an active owner: it shows once and only
// while the application has the focus, clicks on it reach the window below
// (two quick presses as a double click), keys reach its parent, and the
// mouse may stay in the hover rectangle taken at the tip's new place.
#include "support/gridfixture.h"

#include "titletip.h"

#include "base/clock.h"
#include "base/keys.h"
#include "controls/scrollinfo.h"
#include "draw/sysmetrics.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

using namespace grid_test;
using namespace platform;

namespace {

// A window that logs the mouse and key messages it gets.
class Below : public Window {
  public:
    struct Entry {
        UINT message;
        Point point;
        WPARAM key;
    };
    std::vector<Entry> log;

  protected:
    void OnLButtonDown(UINT, Point point) override { log.push_back({WM_LBUTTONDOWN, point, 0}); }
    void OnLButtonDblClk(UINT, Point point) override {
        log.push_back({WM_LBUTTONDBLCLK, point, 0});
    }
    void OnRButtonDown(UINT, Point point) override { log.push_back({WM_RBUTTONDOWN, point, 0}); }
    void OnMouseMove(UINT, Point point) override { log.push_back({WM_MOUSEMOVE, point, 0}); }
    void OnKeyDown(UINT nChar, UINT, UINT) override { log.push_back({WM_KEYDOWN, Point(), nChar}); }
};

// The tip's parent at (20, 20) in an active owner, with the focus, and a
// second window beside it.
struct TipFixture {
    TipFixture() {
        parent.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Rect(20, 20, 320, 220), &owner, 1);
        other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Rect(330, 20, 390, 80), &owner, 2);
        parent.SetFocus();
        tip.Create(&parent);
        previousClock = SetClock(&clock);
    }
    ~TipFixture() { SetClock(previousClock); }

    FakeOwner owner{400, 300};
    Below parent;
    Below other;
    CTitleTip tip;
    ManualClock clock{QDateTime(), QDateTime(), 1000};
    const Clock* previousClock = nullptr;

    QWidget* Widget() { return tip.GetWidget(); }
    bool Shown() { return tip.IsWindowVisible() != FALSE; }
    // A press (and release) on the tip at its client point, as the user makes it.
    void Click(Qt::MouseButton button, Point point) {
        QTest::mouseClick(Widget(), button, Qt::NoModifier, point.ToQPoint());
        QApplication::processEvents();
    }
    void Move(Point point) {
        const QPointF local(point.x, point.y);
        QMouseEvent move(QEvent::MouseMove, local, Widget()->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Widget(), &move);
        QApplication::processEvents();
    }
};

const Rect kCell(30, 40, 130, 60);

} // namespace

TEST(TitleTip, ShowsOnceAndOnlyWithTheFocus) {
    struct Case {
        const char* name;
        bool focus;
        Rect rect;
        bool shown;
    } cases[] = {
        {"cell with the focus", true, kCell, true},
        {"no window has the focus", false, kCell, false},
        {"empty rectangle", true, Rect(30, 40, 30, 60), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TipFixture f;
        ASSERT_TRUE(f.owner.IsActive());
        if (!c.focus) QApplication::focusWidget()->clearFocus();
        f.tip.Show(c.rect, "a longer text than fits", 0, nullptr, nullptr, RGB(0, 0, 0),
                   RGB(255, 0, 0));
        QApplication::processEvents();
        EXPECT_EQ(f.Shown(), c.shown);
        if (!c.shown) continue;

        // Over the cell, in the given back colour, without taking the focus.
        Rect window;
        f.tip.GetWindowRect(&window);
        Point cellTopLeft = c.rect.TopLeft();
        f.parent.ClientToScreen(&cellTopLeft);
        EXPECT_EQ(window.TopLeft(), cellTopLeft);
        EXPECT_EQ(Window::GetFocus(), &f.parent);
        EXPECT_EQ(Window::GetCapture(), &f.tip);
        const QImage* surface = f.tip.GetSurface();
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(PixelAt(*surface, surface->width() - 2, surface->height() - 2), RGB(255, 0, 0));

        // A second Show elsewhere changes nothing.
        f.tip.Show(Rect(0, 100, 50, 120), "other", 0, nullptr, nullptr, RGB(0, 0, 0),
                   RGB(0, 255, 0));
        Rect again;
        f.tip.GetWindowRect(&again);
        EXPECT_EQ(again, window);
        f.tip.Hide();
        EXPECT_FALSE(f.Shown());
        EXPECT_EQ(Window::GetCapture(), nullptr);
    }
}

TEST(TitleTip, PressesReachTheWindowBelowTwoQuickOnesAsADoubleClick) {
    const UINT interval = GetDoubleClickTime();
    struct Case {
        const char* name;
        Qt::MouseButton button;
        UINT wait;
        UINT second;
    } cases[] = {
        {"within the interval", Qt::LeftButton, interval, WM_LBUTTONDBLCLK},
        {"after the interval", Qt::LeftButton, interval + 1, WM_LBUTTONDOWN},
        {"right button", Qt::RightButton, 1, WM_RBUTTONDOWN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TipFixture f;
        ASSERT_TRUE(f.owner.IsActive());
        f.tip.Show(kCell, "text");
        f.Click(c.button, Point(5, 6));
        EXPECT_FALSE(f.Shown());
        f.clock.Advance(c.wait);
        f.tip.Show(kCell, "text");
        ASSERT_TRUE(f.Shown());
        f.Click(c.button, Point(7, 8));
        EXPECT_FALSE(f.Shown());

        // The points are the parent's: the tip lies over the cell.
        const UINT first = c.button == Qt::LeftButton ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        std::vector<Below::Entry> presses;
        for (const Below::Entry& e : f.parent.log)
            if (e.message != WM_MOUSEMOVE) presses.push_back(e);
        ASSERT_EQ(presses.size(), 2u);
        EXPECT_EQ(presses[0].message, first);
        EXPECT_EQ(presses[0].point, Point(kCell.left + 5, kCell.top + 6));
        EXPECT_EQ(presses[1].message, c.second);
        EXPECT_EQ(presses[1].point, Point(kCell.left + 7, kCell.top + 8));
    }
}

TEST(TitleTip, KeysGoToTheParent) {
    TipFixture f;
    ASSERT_TRUE(f.owner.IsActive());
    f.other.SetFocus();
    ASSERT_EQ(Window::GetFocus(), &f.other);
    f.tip.Show(kCell, "text");
    ASSERT_TRUE(f.Shown());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QApplication::processEvents();
    EXPECT_FALSE(f.Shown());
    ASSERT_EQ(f.parent.log.size(), 1u);
    EXPECT_EQ(f.parent.log[0].message, WM_KEYDOWN);
    EXPECT_EQ(f.parent.log[0].key, static_cast<WPARAM>('A'));
    EXPECT_TRUE(f.other.log.empty());

    // Hidden, the tip takes no keys: they go where the focus is.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    QApplication::processEvents();
    EXPECT_EQ(f.parent.log.size(), 1u);
    ASSERT_EQ(f.other.log.size(), 1u);
    EXPECT_EQ(f.other.log[0].key, static_cast<WPARAM>('B'));
}

TEST(TitleTip, HoverRectangleIsTakenAtTheNewPlace) {
    TipFixture f;
    ASSERT_TRUE(f.owner.IsActive());
    // Shown somewhere else first, so that the old place is not the new one.
    f.tip.Show(Rect(150, 150, 250, 170), "text");
    f.tip.Hide();
    const Rect hover(30, 40, 180, 70);
    f.tip.Show(kCell, "text", 0, &hover);
    ASSERT_TRUE(f.Shown());
    // The tip's top-left is the cell's: the hover rectangle, one pixel
    // wider and taller, starts there too.
    EXPECT_EQ(f.tip.GetHoverRect(), Rect(0, 0, 151, 31));

    f.Move(Point(150, 30)); // inside, right and below the tip itself
    EXPECT_TRUE(f.Shown());
    f.Move(Point(151, 10)); // just past the right edge
    EXPECT_FALSE(f.Shown());
    ASSERT_FALSE(f.parent.log.empty());
    EXPECT_EQ(f.parent.log.back().message, WM_MOUSEMOVE);
    EXPECT_EQ(f.parent.log.back().point, Point(kCell.left + 151, kCell.top + 10));
}

TEST(TitleTip, DestroyedTipIsMadeAgainByShow) {
    TipFixture f;
    ASSERT_TRUE(f.owner.IsActive());
    EXPECT_TRUE(f.tip.Create(&f.parent)); // already made
    EXPECT_TRUE(f.tip.DestroyWindow());
    EXPECT_FALSE(f.tip.IsWindow());
    f.tip.Show(kCell, "text");
    EXPECT_TRUE(f.tip.IsWindow());
    EXPECT_TRUE(f.Shown());
    f.tip.Hide();
}

namespace {
// A grid whose tip the test can show.
struct TipGrid : TestGrid {
    using TestGrid::TestGrid;
    CTitleTip& Tip() { return m_TitleTip; }
};
} // namespace

TEST(TitleTip, GridHidesItsTipOnScrollingAndEditing) {
    struct Case {
        const char* name;
        std::function<void(TipGrid&)> act;
    } cases[] = {
        {"scroll", [](TipGrid& g) { g.SendMessage(WM_VSCROLL, SB_LINEDOWN); }},
        {"edit", [](TipGrid& g) { g.OnEditCell(2, 2, Point(-1, -1), VK_LBUTTON); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        TipGrid grid(40, 5, 1, 1);
        ASSERT_TRUE(grid.Create(Rect(0, 0, 300, 200), &owner, 1000));
        grid.SetFocus();
        Rect cell;
        ASSERT_TRUE(grid.GetCellRect(2, 2, &cell));
        grid.Tip().Show(cell, "a text wider than its cell");
        ASSERT_TRUE(grid.Tip().IsWindowVisible());
        c.act(grid);
        EXPECT_FALSE(grid.Tip().IsWindowVisible());
        grid.EndEditing();
        QApplication::processEvents();
    }
}
