// Scroll bars with the original platform's range, page and position rules,
// and the window whose Qt bars report scroll codes and only show the state.
#include "draw/dc.h"
#include "base/drawconstants.h"
#include "base/messages.h"
#include "controls/scrollbarstate.h"
#include "controls/scrollwindow.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

SCROLLINFO Info(UINT mask, int min, int max, UINT page, int pos) {
    SCROLLINFO si;
    si.fMask = mask;
    si.nMin = min;
    si.nMax = max;
    si.nPage = page;
    si.nPos = pos;
    return si;
}

TEST(ScrollBarState, ClampsPageAndPosition) {
    using V = ScrollBarState::Visibility;
    const struct {
        const char* name;
        SCROLLINFO info;
        int min, max;
        UINT page;
        int pos;
        V visibility;
        bool enabled;
    } cases[] = {
        {"plain", Info(SIF_ALL, 0, 99, 10, 20), 0, 99, 10, 20, V::Show, true},
        {"position past the last page", Info(SIF_ALL, 0, 99, 10, 95), 0, 99, 10, 90, V::Show, true},
        {"page larger than the range", Info(SIF_ALL, 0, 9, 50, 5), 0, 9, 10, 0, V::Hide, true},
        {"page 0 leaves the whole range", Info(SIF_ALL, 0, 9, 0, 9), 0, 9, 0, 9, V::Show, true},
        {"negative position", Info(SIF_ALL, 5, 50, 1, -3), 5, 50, 1, 5, V::Show, true},
        {"inverted range collapses", Info(SIF_ALL, 7, 3, 0, 4), 7, 7, 0, 7, V::Hide, true},
        {"not needed, disabled instead", Info(SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0), 0, 0, 0,
         0, V::Keep, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollBarState state;
        EXPECT_EQ(state.SetScrollInfo(c.info), c.visibility);
        SCROLLINFO out;
        out.fMask = SIF_ALL;
        ASSERT_TRUE(state.GetScrollInfo(&out));
        EXPECT_EQ(out.nMin, c.min);
        EXPECT_EQ(out.nMax, c.max);
        EXPECT_EQ(out.nPage, c.page);
        EXPECT_EQ(out.nPos, c.pos);
        EXPECT_EQ(state.IsEnabled(), c.enabled);
    }
}

TEST(ScrollBarState, UnchangedRangeKeepsTheBarAndPositionsClamp) {
    ScrollBarState state;
    state.SetScrollInfo(Info(SIF_RANGE | SIF_PAGE, 0, 99, 10, 0));
    EXPECT_EQ(state.SetScrollInfo(Info(SIF_RANGE | SIF_PAGE, 0, 99, 10, 0)),
              ScrollBarState::Visibility::Keep);
    EXPECT_EQ(state.SetPos(500), 0);
    EXPECT_EQ(state.GetPos(), 90);
    EXPECT_EQ(state.MaxPos(), 90);
    SCROLLINFO none;
    none.fMask = 0;
    EXPECT_FALSE(state.GetScrollInfo(&none));
    EXPECT_FALSE(state.GetScrollInfo(nullptr));
}

TEST(ScrollBarState, QtBarShowsTheLastPageAsItsMaximum) {
    QScrollBar bar(Qt::Horizontal);
    ScrollBarState state;
    state.Attach(&bar);
    state.SetScrollInfo(Info(SIF_ALL, 0, 199, 50, 30));
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 150);
    EXPECT_EQ(bar.pageStep(), 50);
    EXPECT_EQ(bar.value(), 30);
    state.SetScrollInfo(Info(SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0));
    EXPECT_FALSE(bar.isEnabled());
}

// A scroll window that logs its scroll messages and moves as asked.
class LoggingScrollWindow : public ScrollWindow {
  public:
    std::vector<std::pair<UINT, UINT>> log; // (code, pos)
    bool follow = true;

  protected:
    void OnHScroll(UINT code, UINT pos, ScrollBar*) override {
        log.emplace_back(code, pos);
        if (!follow) return;
        if (code == SB_LINEDOWN) SetScrollPos(SB_HORZ, GetScrollPos(SB_HORZ) + 7);
        if (code == SB_THUMBTRACK) SetScrollPos(SB_HORZ, static_cast<int>(pos));
    }
};

TEST(ScrollWindow, ActionsArriveAsScrollCodesAndTheWindowSetsThePosition) {
    LoggingScrollWindow window;
    ASSERT_TRUE(window.Create(WS_OVERLAPPED, Rect(0, 0, 200, 150), nullptr, 0));
    SCROLLINFO si = Info(SIF_ALL, 0, 299, 100, 0);
    EXPECT_EQ(window.SetScrollInfo(SB_HORZ, &si), 0);
    EXPECT_TRUE(window.IsScrollBarShown(SB_HORZ));
    QScrollBar* bar = window.GetQtScrollBar(SB_HORZ);
    ASSERT_NE(bar, nullptr);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    const std::vector<std::pair<UINT, UINT>> expected = {
        {SB_LINEDOWN, 0}, {SB_PAGEDOWN, 7}, {SB_TOP, 7}};
    EXPECT_EQ(window.log, expected);
    // Only the window's own line step moved the bar.
    EXPECT_EQ(window.GetScrollPos(SB_HORZ), 7);
    EXPECT_EQ(bar->value(), 7);

    window.log.clear();
    bar->setSliderDown(true);
    bar->setSliderPosition(120);
    bar->setSliderDown(false);
    const std::vector<std::pair<UINT, UINT>> drag = {
        {SB_THUMBTRACK, 120}, {SB_THUMBPOSITION, 120}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(window.log, drag);
    EXPECT_EQ(window.GetScrollPos(SB_HORZ), 120);

    // A window that does not move leaves the bar where it was.
    window.follow = false;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), 120);

    // A range that needs no bar hides it; with SIF_DISABLENOSCROLL it stays.
    si = Info(SIF_RANGE | SIF_PAGE, 0, 50, 100, 0);
    window.SetScrollInfo(SB_HORZ, &si);
    EXPECT_FALSE(window.IsScrollBarShown(SB_HORZ));
    window.ShowScrollBar(SB_VERT, TRUE);
    si = Info(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0);
    window.SetScrollInfo(SB_VERT, &si);
    EXPECT_TRUE(window.IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(window.GetQtScrollBar(SB_VERT)->isEnabled());
    EXPECT_FALSE(window.ShowScrollBar(SB_CTL, TRUE));
    window.DestroyWindow();
}

TEST(DeviceCaps, GreyImagesCountTwoColours) {
    QImage grey(4, 4, QImage::Format_Grayscale8);
    QImage colour(4, 4, QImage::Format_RGB32);
    QImage mono(4, 4, QImage::Format_Mono);
    EXPECT_EQ(Dc(&grey).GetDeviceCaps(NUMCOLORS), 2);
    EXPECT_EQ(Dc(&mono).GetDeviceCaps(NUMCOLORS), 2);
    EXPECT_EQ(Dc(&colour).GetDeviceCaps(NUMCOLORS), -1);
}

} // namespace
