// The window core: creation, messages sent and posted, notifications through
// the owner, keys and paint reaching the handlers.
#include "window_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
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
    child.paint = [](Dc& dc) {
        Rect box;
        dc.GetClipBox(&box);
        dc.FillSolidRect(box, RGB(255, 0, 0));
    };
    child.Invalidate();
    child.UpdateWindow();
    EXPECT_EQ(log, (Log{"child OnEraseBkgnd", "child OnPaint 0,0,100,50"}));
    EXPECT_EQ(child.GetWidget()->grab().toImage().pixelColor(5, 5), QColor(Qt::red));

    // Only the invalid part is painted, and without erasing when not asked.
    log.clear();
    const Rect part(10, 20, 30, 40);
    child.InvalidateRect(&part, FALSE);
    child.UpdateWindow();
    EXPECT_EQ(log, (Log{"child OnPaint 10,20,30,40"}));
}

TEST_F(WindowTest, APartInvalidatedWhilePaintingIsPaintedAgain) {
    LogWindow child("child", &log);
    MakeChild(child);
    const Rect part(10, 20, 30, 40);
    int paints = 0;
    child.paint = [&](Dc& dc) {
        Rect box;
        dc.GetClipBox(&box);
        // The first paint changes what the part shows, as a drawer that
        // updates its data does; the paint after it shows the change.
        dc.FillSolidRect(box, paints == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
        if (paints++ == 0) child.InvalidateRect(&part, FALSE);
    };
    child.Invalidate();
    child.UpdateWindow();
    QApplication::processEvents();
    EXPECT_EQ(paints, 2);
    const QImage shown = child.GetWidget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(15, 25), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
}

TEST_F(WindowTest, DrawingOutsideAPaintStaysUntilThatPartIsPainted) {
    LogWindow child("child", &log);
    MakeChild(child);
    child.paint = [](Dc& dc) {
        Rect box;
        dc.GetClipBox(&box);
        dc.FillSolidRect(box, RGB(0, 0, 255));
    };
    child.Invalidate();
    child.UpdateWindow();
    Dc* dc = child.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(Rect(0, 0, 100, 50), RGB(0, 255, 0));
    child.ReleaseDC(dc);
    const QImage shown = child.GetWidget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 25), QColor(Qt::green));

    const Rect left(0, 0, 20, 50);
    child.InvalidateRect(&left, FALSE);
    child.UpdateWindow();
    const QImage after = child.GetWidget()->grab().toImage();
    EXPECT_EQ(after.pixelColor(5, 25), QColor(Qt::blue));
    EXPECT_EQ(after.pixelColor(50, 25), QColor(Qt::green));
}

TEST_F(WindowTest, SizeShowAndSystemColoursReachTheirHandlers) {
    LogWindow child("child", &log);
    MakeChild(child);
    child.MoveWindow(10, 10, 60, 30);
    EXPECT_EQ(log, (Log{"child OnSize 60x30"}));

    log.clear();
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_FALSE(child.ShowWindow(SW_SHOW));
    EXPECT_EQ(log, (Log{"child OnShowWindow 0", "child OnShowWindow 1"}));

    log.clear();
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Base, Qt::yellow);
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(log.begin(), log.end(), "child OnSysColorChange"), 2);
}

TEST_F(WindowTest, TextMappingAndCursor) {
    LogWindow a("a", &log), b("b", &log);
    ASSERT_TRUE(a.Create(WS_CHILD | WS_VISIBLE, Rect(10, 10, 60, 40), &top.window, 1));
    ASSERT_TRUE(b.Create(WS_CHILD | WS_VISIBLE, Rect(30, 50, 90, 90), &top.window, 2));
    a.SetWindowText("caf\xE9");
    EXPECT_EQ(a.GetWindowText(), "caf\xE9");
    EXPECT_EQ(a.GetWindowTextLength(), 4);

    Point p(0, 0);
    a.MapWindowPoints(&b, &p, 1);
    EXPECT_EQ(p, Point(-20, -40));
    Rect r(1, 2, 3, 4);
    a.ClientToScreen(&r);
    b.ScreenToClient(&r);
    EXPECT_EQ(r, Rect(-19, -38, -17, -36));

    a.cursor = LoadStandardCursor(IDC_SIZEWE);
    QTest::mouseMove(a.GetWidget(), QPoint(5, 5));
    EXPECT_EQ(a.GetWidget()->cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(WindowTest, DroppedFilesReachAWindowThatAcceptsThem) {
    LogWindow child("child", &log);
    MakeChild(child);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/one.dat"), QUrl::fromLocalFile("/tmp/two.dat")});
    const auto dropAt = [&](QWidget* widget) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &drop);
    };
    dropAt(child.GetWidget());
    EXPECT_TRUE(log.empty());

    child.DragAcceptFiles();
    dropAt(child.GetWidget());
    EXPECT_EQ(log, (Log{"child OnDropFiles 2"}));

    DropFiles files{{"/tmp/one.dat"}, {}};
    char buffer[8];
    struct Case {
        UINT index;
        char* buffer;
        UINT size;
        UINT result;
    };
    const Case cases[] = {{kDragQueryCount, nullptr, 0, 1},
                          {0, nullptr, 0, 12},
                          {0, buffer, 8, 7},
                          {1, buffer, 8, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(DragQueryFile(&files, c.index, c.buffer, c.size), c.result) << c.index;
    EXPECT_STREQ(buffer, "/tmp/on");
}

// Dropped paths arrive as the file system's bytes, so that a folder with a
// letter outside ASCII opens again.
TEST_F(WindowTest, DroppedPathsAreTheFileSystemsBytes) {
    struct PathWindow : LogWindow {
        using LogWindow::LogWindow;
        void OnDropFiles(DropFiles* drop) override { paths = drop->paths; }
        std::vector<std::string> paths;
    } child("child", &log);
    MakeChild(child);
    child.DragAcceptFiles();
    const QString path = QStringLiteral("/tmp/Listen f\u00fcr A/list.cdl");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(child.GetWidget(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(child.GetWidget(), &drop);
    EXPECT_EQ(child.paths, std::vector<std::string>{QFile::encodeName(path).toStdString()});
}

} // namespace
} // namespace platform_test
