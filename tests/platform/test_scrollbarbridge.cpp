// A thumb dragged on a Qt scroll bar with the mouse and let go, as the
// window behind the bar hears it: the same scroll messages for the list and
// for a scroll window, which share one bridge.
#include "list_fixture.h"

#include "controls/scrollwindow.h"
#include "scrollbarparts.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace platform_test {
namespace {

using Heard = std::vector<std::pair<UINT, UINT>>; // (code, pos) of each WM_VSCROLL

// A scroll window that follows its vertical bar as the grid does: a thumb's
// position becomes the bar's.
class HearingScrollWindow : public ScrollWindow {
  public:
    Heard heard;

  protected:
    void OnVScroll(UINT code, UINT pos, ScrollBar*) override {
        heard.emplace_back(code, pos);
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
            SetScrollPos(SB_VERT, static_cast<int>(pos));
    }
};

// The list's own handling moves it; the messages are only heard on the way.
class HearingList : public TestList {
  public:
    Heard heard;

  protected:
    void OnVScroll(UINT code, UINT pos, ScrollBar* bar) override {
        heard.emplace_back(code, pos);
        TestList::OnVScroll(code, pos, bar);
    }
};

// One user of the bridge, shown and active: its vertical Qt bar, what its
// window heard and where the window stands now.
class BarUser {
  public:
    virtual ~BarUser() = default;
    virtual QScrollBar* Bar() const = 0;
    virtual const Heard& HeardMessages() const = 0;
    virtual int Position() const = 0;
    bool active = false;

  protected:
    void Show(QWidget* top) {
        top->show();
        top->activateWindow();
        active = QTest::qWaitForWindowActive(top);
    }
};

// A 200 x 150 scroll window over 300 units shown 100 at a time.
class ScrollWindowUser : public BarUser {
  public:
    ScrollWindowUser() {
        window.Create(WS_OVERLAPPED, Rect(0, 0, 200, 150), nullptr, 0);
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        si.nMax = 299;
        si.nPage = 100;
        window.SetScrollInfo(SB_VERT, &si);
        Show(window.GetWidget());
    }
    ~ScrollWindowUser() override { window.DestroyWindow(); }
    QScrollBar* Bar() const override { return window.GetQtScrollBar(SB_VERT); }
    const Heard& HeardMessages() const override { return window.heard; }
    int Position() const override { return window.GetScrollPos(SB_VERT); }

  private:
    HearingScrollWindow window;
};

// A 300 x 200 list of 60 rows.
class ListUser : public BarUser {
  public:
    ListUser() {
        owner.Create(WS_OVERLAPPED, Rect(0, 0, 300, 200), nullptr, 0);
        Show(owner.GetWidget());
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, Rect(0, 0, 300, 200),
                    &owner, 256);
        list.InsertColumn(0, "c0", LVCFMT_LEFT, 100);
        for (int r = 0; r < 60; ++r)
            list.InsertItem(r, "row");
        QApplication::processEvents();
    }
    ~ListUser() override { owner.DestroyWindow(); }
    QScrollBar* Bar() const override {
        auto* area = qobject_cast<QAbstractScrollArea*>(list.GetWidget());
        return area ? area->verticalScrollBar() : nullptr;
    }
    const Heard& HeardMessages() const override { return list.heard; }
    int Position() const override { return list.GetTopIndex(); }

  private:
    ListOwner owner;
    HearingList list;
};

TEST(ScrollBarBridge, AThumbDraggedAndLetGoTellsTrackPositionAndEnd) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<BarUser>()> make;
    };
    const Case cases[] = {
        {"scroll window", [] { return std::make_unique<ScrollWindowUser>(); }},
        {"list", [] { return std::make_unique<ListUser>(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<BarUser> user = c.make();
        ASSERT_TRUE(user->active);
        QScrollBar* bar = user->Bar();
        ASSERT_NE(bar, nullptr);
        ASSERT_TRUE(bar->isVisible());
        ASSERT_EQ(bar->value(), 0);

        const QPoint from = ScrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
        for (int dy = 5; dy <= 25; dy += 5)
            QTest::mouseMove(bar, from + QPoint(0, dy));
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, 25));

        const Heard& heard = user->HeardMessages();
        ASSERT_GE(heard.size(), 3u);
        const std::size_t tracks = heard.size() - 2;
        UINT last = 0;
        for (std::size_t i = 0; i < tracks; ++i) {
            EXPECT_EQ(heard[i].first, SB_THUMBTRACK) << "message " << i;
            EXPECT_GT(heard[i].second, last) << "the thumb goes down at message " << i;
            last = heard[i].second;
        }
        EXPECT_EQ(heard[tracks], std::make_pair(SB_THUMBPOSITION, last));
        EXPECT_EQ(heard[tracks + 1], std::make_pair(SB_ENDSCROLL, 0u));
        EXPECT_EQ(user->Position(), static_cast<int>(last));
        EXPECT_EQ(bar->value(), static_cast<int>(last));
    }
}

} // namespace
} // namespace platform_test
