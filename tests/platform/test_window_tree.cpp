// Windows inside windows: destruction order, owner-drawn items reflected to
// the control, redraw switched off, fonts, system keys.
#include "controls/edit.h"
#include "draw/font.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class WindowTreeTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
};

TEST_F(WindowTreeTest, DestroyingAParentDestroysItsChildrenBetweenItsOwnSteps) {
    ASSERT_TRUE(top.active);
    LogWindow parent("parent", &log), child("child", &log);
    ASSERT_TRUE(parent.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 100, 100), &top.window, 1));
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 50), &parent, 2));
    log.clear();
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_FALSE(parent.DestroyWindow());
    EXPECT_EQ(log, (Log{"parent OnDestroy", "child OnDestroy", "child OnNcDestroy",
                        "parent OnNcDestroy"}));
    EXPECT_FALSE(child.IsWindow());
}

TEST_F(WindowTreeTest, WidgetDeletedByQtStillRunsTheLastHandlers) {
    ASSERT_TRUE(top.active);
    auto* child = new LogWindow("child", &log);
    child->deleteOnNcDestroy = true;
    ASSERT_TRUE(child->Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 50), &top.window, 2));
    log.clear();
    delete child->GetWidget(); // the object deletes itself in OnNcDestroy
    EXPECT_EQ(log, (Log{"child OnDestroy", "child OnNcDestroy"}));
}

TEST_F(WindowTreeTest, OwnerDrawRecordsGoToTheControlTheyName) {
    ASSERT_TRUE(top.active);
    LogWindow list("list", &log);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 50), &top.window, 1082));
    log.clear();
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = 1082;
    dis.itemID = 5;
    dis.hwndItem = &list;
    EXPECT_EQ(top.window.SendMessage(WM_DRAWITEM, 1082, reinterpret_cast<LPARAM>(&dis)), TRUE);
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = 1082;
    top.window.SendMessage(WM_MEASUREITEM, 1082, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 17u);
    EXPECT_EQ(log, (Log{"list DrawItem 5", "list MeasureItem"}));
}

TEST_F(WindowTreeTest, NoPaintWhileRedrawIsOff) {
    ASSERT_TRUE(top.active);
    LogWindow child("child", &log);
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 50), &top.window, 1));
    child.paint = [](Dc&) {};
    child.Invalidate();
    child.UpdateWindow();
    log.clear();
    child.SetRedraw(FALSE);
    const Rect row(0, 10, 50, 20);
    child.InvalidateRect(&row);
    child.UpdateWindow();
    EXPECT_TRUE(log.empty());
    child.SetRedraw(TRUE);
    child.UpdateWindow();
    EXPECT_EQ(log, (Log{"child OnEraseBkgnd", "child OnPaint 0,10,50,20"}));
}

TEST_F(WindowTreeTest, FontReachesTheWidgetAndAltKeysAreSystemKeys) {
    ASSERT_TRUE(top.active);
    Edit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, Rect(0, 0, 80, 24), &top.window, 1));
    FontDesc desc;
    desc.lfHeight = -17;
    Font font(desc);
    edit.SetFont(&font);
    EXPECT_EQ(edit.GetFont(), &font);
    EXPECT_EQ(edit.LineEdit()->font().pixelSize(), 17);

    LogWindow child("child", &log);
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, Rect(0, 30, 50, 50), &top.window, 2));
    child.SetFocus();
    log.clear();
    QTest::keyClick(child.GetWidget(), Qt::Key_X, Qt::AltModifier);
    EXPECT_NE(std::find(log.begin(), log.end(), "child OnSysKeyDown 88"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "child OnChar 120"), log.end());
}

} // namespace
} // namespace platform_test
