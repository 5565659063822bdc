// The key road: virtual keys from Qt keys, the order in which hooks and
// handlers see a key, posted and sent keys, Tab and Enter left to the dialog,
// and GetKeyState during a key.
#include "base/keys.h"
#include "window_fixture.h"
#include "window/windowhost.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

TEST(VirtualKeyTest, KeypadKeysAreTheirOwn) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        UINT vk;
    };
    const Case cases[] = {
        {Qt::Key_Asterisk, Qt::KeypadModifier, VK_MULTIPLY},
        {Qt::Key_Asterisk, Qt::ShiftModifier, '8'},
        {Qt::Key_Plus, Qt::KeypadModifier, VK_ADD},
        {Qt::Key_Plus, Qt::ShiftModifier, VK_OEM_PLUS},
        {Qt::Key_Minus, Qt::KeypadModifier, VK_SUBTRACT},
        {Qt::Key_Minus, Qt::NoModifier, VK_OEM_MINUS},
        {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD0 + 5},
        {Qt::Key_5, Qt::NoModifier, '5'},
        {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
        {Qt::Key_Backtab, Qt::ShiftModifier, VK_TAB},
        {Qt::Key_A, Qt::ControlModifier, 'A'},
        {Qt::Key_F2, Qt::NoModifier, VK_F2},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE},
        {Qt::Key_PageUp, Qt::NoModifier, VK_PRIOR},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.key, c.modifiers), c.vk) << std::hex << c.key;
}

class KeyRoadTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    LogWindow a{"a", &log};
    LogWindow b{"b", &log};

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(
            a.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Rect(0, 0, 100, 50), &top.window, 1));
        ASSERT_TRUE(
            b.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, Rect(0, 60, 100, 110), &top.window, 2));
        a.SetFocus();
        ASSERT_EQ(GetFocus(), &a);
        log.clear();
    }
    // Only the child's own lines, without the top window's hook.
    Log Own() const {
        Log own;
        for (const std::string& line : log)
            if (line.rfind("top ", 0) != 0) own.push_back(line);
        return own;
    }
};

TEST_F(KeyRoadTest, PressesReachHooksThenHandlers) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        Log expected;
    };
    const Case cases[] = {
        {"Delete",
         Qt::Key_Delete,
         Qt::NoModifier,
         {"a hook WM_KEYDOWN 46", "a OnKeyDown 46", "a hook WM_KEYUP 46", "a OnKeyUp 46"}},
        {"keypad star",
         Qt::Key_Asterisk,
         Qt::KeypadModifier,
         {"a hook WM_KEYDOWN 106", "a OnKeyDown 106", "a hook WM_CHAR 42", "a OnChar 42",
          "a hook WM_KEYUP 106", "a OnKeyUp 106"}},
        {"main star",
         Qt::Key_Asterisk,
         Qt::NoModifier,
         {"a hook WM_KEYDOWN 56", "a OnKeyDown 56", "a hook WM_CHAR 42", "a OnChar 42",
          "a hook WM_KEYUP 56", "a OnKeyUp 56"}},
        {"Ctrl+C",
         Qt::Key_C,
         Qt::ControlModifier,
         {"a hook WM_KEYDOWN 17", "a OnKeyDown 17", "a hook WM_KEYDOWN 67", "a OnKeyDown 67",
          "a hook WM_CHAR 3", "a OnChar 3", "a hook WM_KEYUP 67", "a OnKeyUp 67",
          "a hook WM_KEYUP 17", "a OnKeyUp 17"}},
    };
    for (const Case& c : cases) {
        log.clear();
        QTest::keyClick(a.GetWidget(), static_cast<Qt::Key>(c.key), c.modifiers);
        EXPECT_EQ(Own(), c.expected) << c.name;
    }
    // The parents' hooks come right after the focus window's.
    log.clear();
    QTest::keyClick(a.GetWidget(), Qt::Key_Delete);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], "top hook WM_KEYDOWN 46");
}

TEST_F(KeyRoadTest, PostedKeyPassesTheHooksSentKeyDoesNot) {
    a.PostMessage(WM_KEYDOWN, VK_F2);
    EXPECT_TRUE(log.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 113", "a OnKeyDown 113"}));

    log.clear();
    a.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(log, (Log{"a OnKeyDown 46"}));
}

TEST_F(KeyRoadTest, HookConsumesOrDispatchesAtOnce) {
    // Consumed: no handler sees the key, and no character follows.
    a.hook = [](MSG* msg) { return msg->message == WM_KEYDOWN ? TRUE : FALSE; };
    QTest::keyClick(a.GetWidget(), Qt::Key_X);
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 88", "a hook WM_KEYUP 88", "a OnKeyUp 88"}));

    // Translated and dispatched by the hook, then consumed: handled once,
    // and its character still follows.
    log.clear();
    a.hook = [](MSG* msg) {
        if (msg->message != WM_KEYDOWN) return FALSE;
        TranslateMessage(msg);
        DispatchMessage(msg);
        return TRUE;
    };
    QTest::keyClick(a.GetWidget(), Qt::Key_X);
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 88", "a OnKeyDown 88", "a hook WM_CHAR 120",
                          "a OnChar 120", "a hook WM_KEYUP 88", "a OnKeyUp 88"}));

    // A hook that changes the key: the handler sees the new one.
    log.clear();
    a.hook = [](MSG* msg) {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) msg->wParam = VK_DOWN;
        return FALSE;
    };
    a.dlgCode = DLGC_WANTALLKEYS;
    QTest::keyClick(a.GetWidget(), Qt::Key_Return);
    EXPECT_EQ(Own()[1], "a OnKeyDown 40");
}

TEST_F(KeyRoadTest, TabMovesTheFocusAfterTheHooksUnlessTheWindowWantsIt) {
    Window* focusAtHook = nullptr;
    a.hook = [&](MSG* msg) {
        if (msg->wParam == VK_TAB && msg->message == WM_KEYDOWN) focusAtHook = GetFocus();
        return FALSE;
    };
    QTest::keyClick(a.GetWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusAtHook, &a);
    EXPECT_EQ(GetFocus(), &b);
    // (The test sends the release to a as well.)
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 9", "a OnKillFocus", "b OnSetFocus",
                          "a hook WM_KEYUP 9", "a OnKeyUp 9"}));

    a.SetFocus();
    a.dlgCode = DLGC_WANTTAB;
    log.clear();
    QTest::keyClick(a.GetWidget(), Qt::Key_Tab);
    EXPECT_EQ(GetFocus(), &a);
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 9", "a OnKeyDown 9", "a hook WM_CHAR 9", "a OnChar 9",
                          "a hook WM_KEYUP 9", "a OnKeyUp 9"}));
}

TEST_F(KeyRoadTest, EnterPressesTheDefaultButtonUnlessTheWindowWantsIt) {
    auto* button = new QPushButton("OK", top.window.GetWidget());
    button->setDefault(true);
    button->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    QTest::keyClick(a.GetWidget(), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Own(), (Log{"a hook WM_KEYDOWN 13", "a hook WM_KEYUP 13", "a OnKeyUp 13"}));

    a.dlgCode = DLGC_WANTALLKEYS;
    log.clear();
    QTest::keyClick(a.GetWidget(), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Own()[1], "a OnKeyDown 13");
}

// A window whose widget is a dialog, as the dialogs' windows are.
class DialogWindow : public LogWindow {
  public:
    using LogWindow::LogWindow;

  protected:
    QWidget* CreateWidget(QWidget* parent) override {
        return new WindowHost<QDialog>(this, parent);
    }
};

TEST(DialogKeyTest, EscapeCancelsTheDialogUnlessAHookOrTheWindowTakesIt) {
    struct Case {
        const char* name;
        bool hookDispatches;
        UINT dlgCode;
        bool cancelled;
    };
    const Case cases[] = {
        {"nobody takes it", false, 0, true},
        {"the window wants every key", false, DLGC_WANTALLKEYS, false},
        {"a hook dispatches it at once", true, 0, false},
    };
    for (const Case& c : cases) {
        Log log;
        DialogWindow dialog("dialog", &log);
        ASSERT_TRUE(dialog.Create(WS_POPUP, Rect(0, 0, 200, 100), nullptr, 0));
        auto* widget = static_cast<QDialog*>(dialog.GetWidget());
        widget->show();
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
        LogWindow field("field", &log);
        ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE, Rect(5, 5, 80, 25), &dialog, 1));
        field.SetFocus();
        field.dlgCode = c.dlgCode;
        if (c.hookDispatches)
            field.hook = [](MSG* msg) {
                if (msg->message != WM_KEYDOWN) return FALSE;
                TranslateMessage(msg);
                DispatchMessage(msg);
                return TRUE;
            };
        QTest::keyClick(field.GetWidget(), Qt::Key_Escape);
        EXPECT_EQ(!widget->isVisible(), c.cancelled) << c.name;
        const bool handled = std::find(log.begin(), log.end(), "field OnKeyDown 27") != log.end();
        EXPECT_EQ(handled, !c.cancelled) << c.name;
        dialog.DestroyWindow();
    }
}

TEST_F(KeyRoadTest, KeyStateIsDownOrUpWithoutToggle) {
    std::vector<std::pair<SHORT, SHORT>> seen; // Shift, Ctrl at each key-down
    a.onKeyDown = [&](UINT vk) {
        if (vk == VK_DOWN) seen.emplace_back(GetKeyState(VK_SHIFT), GetKeyState(VK_CONTROL));
    };
    // One Ctrl press before: a toggle bit would make Ctrl read non-zero now.
    QTest::keyClick(a.GetWidget(), Qt::Key_Control);
    QTest::keyClick(a.GetWidget(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(a.GetWidget(), Qt::Key_Down);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_LT(seen[0].first, 0);
    EXPECT_EQ(seen[0].second, 0);
    EXPECT_EQ(seen[1].first, 0);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_DOWN), 0);
}

} // namespace
} // namespace platform_test
