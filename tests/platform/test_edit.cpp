// The edit box: keys it takes before window shortcuts, select-all with the
// caret at the start, posted characters, the byte limit, alignment and
// Latin-1 text.
#include "controls/edit.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class EditTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    Edit edit;

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                Rect(5, 5, 85, 30), &top.window, 4659));
        edit.SetFocus();
        ASSERT_EQ(GetFocus(), &edit);
    }
};

TEST_F(EditTest, WindowShortcutOnDeleteDoesNotFireInside) {
    QAction action(top.window.GetWidget());
    action.setShortcut(QKeySequence(Qt::Key_Delete));
    action.setShortcutContext(Qt::WindowShortcut);
    top.window.GetWidget()->addAction(&action);
    int fired = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++fired; });

    edit.SetWindowText("abc");
    edit.SetSel(0, 0);
    QTest::keyClick(edit.GetWidget(), Qt::Key_Delete);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(edit.GetWindowText(), "bc");

    // The same key on a plain window is the window's shortcut.
    LogWindow plain("plain", &log);
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, Rect(5, 40, 85, 60), &top.window, 1));
    plain.SetFocus();
    QTest::keyClick(plain.GetWidget(), Qt::Key_Delete);
    EXPECT_EQ(fired, 1);
}

TEST_F(EditTest, SelectAllKeepsTheCaretAtTheStart) {
    edit.SetWindowText("a text much longer than the box is wide, to scroll");
    const int length = edit.GetWindowTextLength();
    edit.SetSel(0, -1);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, length);
    EXPECT_EQ(edit.LineEdit()->cursorPosition(), 0);

    edit.SetSel(2, 5);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELPARAM(2, 5)));
    edit.SetSel(-1, 0);
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);
}

TEST_F(EditTest, PostedCharactersType) {
    edit.SetWindowText("");
    edit.PostMessage(WM_CHAR, 'x');
    edit.PostMessage(WM_IME_CHAR, 'y');
    EXPECT_EQ(edit.GetWindowText(), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(edit.GetWindowText(), "xy");
}

TEST_F(EditTest, LimitStopsTypingAndPastingButKeepsALongerText) {
    edit.SetWindowText("");
    edit.LimitText(3);
    EXPECT_EQ(edit.GetLimitText(), 3u);
    QTest::keyClicks(edit.GetWidget(), "abcd");
    EXPECT_EQ(edit.GetWindowText(), "abc");

    edit.SetWindowText("longer");
    EXPECT_EQ(edit.GetWindowText(), "longer");

    edit.SetWindowText("");
    QApplication::clipboard()->setText("12345");
    edit.Paste();
    EXPECT_EQ(edit.GetWindowText(), "123");
}

TEST_F(EditTest, TextIsLatin1BytesAndAlignmentFollowsTheStyle) {
    edit.SetWindowText("\xE9t\xE9");
    EXPECT_EQ(edit.LineEdit()->text(), QString::fromUtf8("été"));
    EXPECT_EQ(edit.GetWindowText(), "\xE9t\xE9");
    char small[3];
    EXPECT_EQ(edit.GetWindowText(small, 3), 2);
    EXPECT_STREQ(small, "\xE9t");

    struct Case {
        DWORD style;
        Qt::Alignment alignment;
    };
    const Case cases[] = {
        {ES_LEFT, Qt::AlignLeft}, {ES_CENTER, Qt::AlignHCenter}, {ES_RIGHT, Qt::AlignRight}};
    for (const Case& c : cases) {
        edit.ModifyStyle(ES_CENTER | ES_RIGHT, c.style);
        EXPECT_EQ(edit.LineEdit()->alignment() & Qt::AlignHorizontal_Mask, c.alignment) << c.style;
    }
}

} // namespace
} // namespace platform_test
