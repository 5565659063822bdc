// Buttons and static texts on a modeless dialog: what a click does to each
// kind of button, the BN_CLICKED it sends to the dialog, and texts shown.
#include "controls/button.h"
#include "dialogs/dialogbase.h"
#include "controls/statictext.h"

#include "qt_print.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace platform;

struct Kind {
    const char* name;
    DWORD style;
    std::vector<int> afterClicks; // the check state after each of three clicks
};

const Kind kKinds[] = {
    {"push button", BS_PUSHBUTTON, {0, 0, 0}},
    {"default push button", BS_DEFPUSHBUTTON, {0, 0, 0}},
    {"auto check box", BS_AUTOCHECKBOX, {1, 0, 1}},
    {"check box left to the owner", BS_CHECKBOX, {0, 0, 0}},
    {"auto three-state", BS_AUTO3STATE, {1, 2, 0}},
    {"auto radio button", BS_AUTORADIOBUTTON, {1, 1, 1}},
    {"radio button left to the owner", BS_RADIOBUTTON, {0, 0, 0}},
};

class Board : public DialogBase {
  public:
    std::vector<unsigned> clicked;
    std::vector<std::unique_ptr<Button>> buttons;

  protected:
    void CreateControls() override {
        int y = 5;
        UINT id = 100;
        for (const auto& kind : kKinds) {
            buttons.push_back(std::make_unique<Button>());
            buttons.back()->Create(kind.name, WS_CHILD | WS_VISIBLE | kind.style,
                                   Rect(5, y, 200, y + 22), this, id);
            MapCommand(
                id, [this, id] { clicked.push_back(id); }, BN_CLICKED);
            y += 26;
            ++id;
        }
    }
};

TEST(ButtonTest, ClicksChangeTheAutomaticKindsAndAlwaysTellTheOwner) {
    Board board;
    ASSERT_TRUE(board.Create(300));
    ASSERT_TRUE(QTest::qWaitForWindowActive(board.GetWidget()));
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        Button& button = *board.buttons[i];
        board.clicked.clear();
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(button.GetWidget(), Qt::LeftButton, {},
                              QPoint(8, button.GetWidget()->height() / 2));
            EXPECT_EQ(button.GetCheck(), kKinds[i].afterClicks[static_cast<std::size_t>(click)])
                << kKinds[i].name << " click " << click;
        }
        EXPECT_EQ(board.clicked, std::vector<unsigned>(3, static_cast<unsigned>(100 + i)))
            << kKinds[i].name;
        EXPECT_EQ(button.QtButton()->text(), kKinds[i].name);
    }
    // The owner sets what a plain check box shows; a two-state box shows
    // the third state as checked.
    board.buttons[3]->SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(board.buttons[3]->GetCheck(), BST_CHECKED);
    board.buttons[4]->SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(board.buttons[4]->GetCheck(), BST_INDETERMINATE);
    EXPECT_TRUE(qobject_cast<QPushButton*>(board.buttons[1]->QtButton())->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(board.buttons[0]->QtButton())->isDefault());
    board.DestroyWindow();
}

// Record bytes show as Latin-1; a caption of the program's own in another
// script is given as UTF-8 and shows as that text.
TEST(ButtonTest, OwnCaptionsAreUtf8WhileOtherTextsAreLatin1Bytes) {
    Board board;
    ASSERT_TRUE(board.Create(300));
    Button& button = *board.buttons[0];
    button.SetWindowText("Caf\xE9");
    EXPECT_EQ(button.QtButton()->text(), QString::fromUtf8("Café"));
    button.SetOwnCaption("\xED\x99\x95\xEC\x9D\xB8"); // "확인"
    EXPECT_EQ(button.QtButton()->text(), QString(QChar(0xD655)) + QChar(0xC778));
    EXPECT_EQ(button.GetWindowText(), "\xED\x99\x95\xEC\x9D\xB8");
    board.DestroyWindow();
}

TEST(StaticTest, TextsAreBytesShownAsLatin1AndPlain) {
    Board board;
    ASSERT_TRUE(board.Create(300));
    Static label;
    ASSERT_TRUE(label.Create("Caf\xE9 <b>&x</b>", WS_CHILD | WS_VISIBLE | SS_RIGHT,
                             Rect(5, 200, 200, 220), &board, 1003));
    EXPECT_EQ(label.Label()->text(), QString::fromUtf8("Café <b>&x</b>"));
    EXPECT_EQ(label.Label()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    board.SetDlgItemText(1003, "list.cdl  655581 Bytes");
    EXPECT_EQ(label.GetWindowText(), "list.cdl  655581 Bytes");
    EXPECT_EQ(label.Label()->text(), "list.cdl  655581 Bytes");
    board.DestroyWindow();
}

// A dialog with a hint its template makes hidden, to be shown later.
class HintBoard : public DialogBase {
  public:
    Static hint;

  protected:
    void CreateControls() override {
        hint.Create("[ hint ]", WS_CHILD, Rect(5, 5, 200, 25), this, 1085);
    }
};

TEST(StaticTest, AChildMadeWithoutVisibleStaysHiddenWhenTheDialogShows) {
    HintBoard board;
    ASSERT_TRUE(board.Create(301));
    ASSERT_TRUE(board.IsWindowVisible());
    EXPECT_FALSE(board.hint.IsWindowVisible());
    EXPECT_FALSE(board.hint.ShowWindow(SW_SHOW));
    EXPECT_TRUE(board.hint.IsWindowVisible());
    EXPECT_TRUE(board.hint.ShowWindow(SW_HIDE));
    EXPECT_FALSE(board.hint.IsWindowVisible());
    board.DestroyWindow();
}

} // namespace
