// The in-place editor on its own, in a fake owner that logs its report: the
// start by first character, the end keys, growth while typing, one report.
#include "support/gridfixture.h"

#include "inplaceedit.h"
#include "base/keys.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace grid_test;
using namespace platform;

namespace {

constexpr UINT kEditorId = 8;

// Opens an editor over (10, 10, 60, 30) holding "abc" and lets its posted
// character arrive.
CInPlaceEdit* Open(FakeOwner& owner, UINT firstChar, const char* text = "abc",
                   Rect rect = Rect(10, 10, 60, 30)) {
    auto* edit = new CInPlaceEdit(&owner, rect, ES_LEFT, kEditorId, 3, 4, text, firstChar);
    QApplication::processEvents();
    return edit;
}

std::vector<OwnerRecord> Reports(const FakeOwner& owner) {
    return owner.RecordsOf(static_cast<int>(LVN_ENDLABELEDIT));
}

} // namespace

TEST(InPlaceEdit, FirstCharacterDecidesTextSelectionAndArrows) {
    struct Case {
        UINT firstChar;
        const char* text;
        int selStart, selEnd;
        BOOL exitOnArrows;
    } cases[] = {
        {VK_LBUTTON, "abc", 3, 3, FALSE}, {VK_RETURN, "abc", 3, 3, TRUE},
        {VK_BACK, "ab", 2, 2, TRUE},      {VK_TAB, "abc", 0, 3, TRUE},
        {VK_SPACE, "abc", 0, 3, TRUE},    {VK_DOWN, "abc", 0, 3, TRUE},
        {'a', "a", 1, 1, TRUE},           {0xE9, "\xE9", 1, 1, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstChar);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceEdit* edit = Open(owner, c.firstChar);
        ASSERT_TRUE(edit->IsWindow());
        EXPECT_EQ(edit->GetWindowText(), c.text);
        int start = -1, end = -1;
        edit->GetSel(start, end);
        EXPECT_EQ(start, c.selStart);
        EXPECT_EQ(end, c.selEnd);
        EXPECT_EQ(edit->GetExitOnArrows(), c.exitOnArrows);

        // Down ends the edit exactly when the arrows are to end it.
        const auto alive = edit->AliveToken();
        QTest::keyClick(edit->GetWidget(), Qt::Key_Down);
        QApplication::processEvents();
        const auto reports = Reports(owner);
        if (c.exitOnArrows) {
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(VK_DOWN));
            EXPECT_EQ(reports[0].text, c.text);
            EXPECT_EQ(reports[0].row, 3);
            EXPECT_EQ(reports[0].col, 4);
        } else {
            EXPECT_TRUE(reports.empty());
            edit->EndEdit();
        }
        EXPECT_FALSE(*alive);
    }
}

TEST(InPlaceEdit, EscapeReportsTheInitialTextOnce) {
    FakeOwner owner;
    ASSERT_TRUE(owner.IsActive());
    CInPlaceEdit* edit = Open(owner, VK_LBUTTON);
    QTest::keyClicks(edit->GetWidget(), "xyz");
    EXPECT_EQ(edit->GetWindowText(), "abcxyz");
    QTest::keyClick(edit->GetWidget(), Qt::Key_Escape);
    // The late focus loss and any later request find the report made.
    QApplication::processEvents();
    const auto reports = Reports(owner);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, "abc");
    EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(VK_ESCAPE));
}

TEST(InPlaceEdit, EndKeysReportTheirCode) {
    struct Case {
        Qt::Key key;
        UINT code;
    } cases[] = {{Qt::Key_Tab, VK_TAB}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_PageDown, VK_NEXT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceEdit* edit = Open(owner, 'q');
        QTest::keyClick(edit->GetWidget(), c.key);
        QApplication::processEvents();
        const auto reports = Reports(owner);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, "q");
        EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(c.code));
    }
}

TEST(InPlaceEdit, GrowsWhileTypingUpToTheParentsEdge) {
    FakeOwner owner(200, 100);
    ASSERT_TRUE(owner.IsActive());
    CInPlaceEdit* edit = Open(owner, VK_LBUTTON, "", Rect(150, 10, 170, 30));
    Rect before;
    edit->GetWindowRect(&before);
    QTest::keyClicks(edit->GetWidget(), "wide text that cannot fit in twenty pixels");
    Rect after;
    edit->GetWindowRect(&after);
    owner.ScreenToClient(&after);
    Rect client;
    owner.GetClientRect(&client);
    EXPECT_EQ(after.left, 150);
    EXPECT_EQ(after.right, client.right);
    edit->EndEdit();
    EXPECT_EQ(Reports(owner).size(), 1u);
}

TEST(InPlaceEdit, AltCharactersAreSwallowed) {
    FakeOwner owner;
    ASSERT_TRUE(owner.IsActive());
    CInPlaceEdit* edit = Open(owner, VK_LBUTTON);
    MSG msg;
    msg.hwnd = edit;
    msg.message = WM_SYSCHAR;
    msg.wParam = 'x';
    EXPECT_TRUE(edit->PreTranslateMessage(&msg));
    EXPECT_EQ(edit->SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTALLKEYS));
    edit->EndEdit();
}
