// The combo box: adds that select nothing, prefix selection, item data,
// notifications of the user's choices only, the order of choice, close-up and
// focus loss, and keys in the open list taking the box's road.
#include "controls/combobox.h"
#include "controls/edit.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

// A combo box that logs its hook and its focus loss with the selection then.
class LogCombo : public ComboBox {
  public:
    explicit LogCombo(Log* log) : m_log(log) {}

  protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) m_log->push_back("hook " + std::to_string(msg->wParam));
        return FALSE;
    }
    void OnKillFocus(Window* next) override {
        m_log->push_back("OnKillFocus sel " + std::to_string(GetCurSel()));
        ComboBox::OnKillFocus(next);
    }

  private:
    Log* m_log;
};

class ComboTest : public ::testing::Test {
  protected:
    Log log;
    TopWindow top{&log};
    LogCombo combo{&log};
    LogWindow other{"other", &log};

    void SetUp() override {
        ASSERT_TRUE(top.active);
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, Rect(5, 5, 105, 30),
                                 &top.window, 1084));
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, Rect(5, 100, 50, 120), &top.window, 2));
        top.window.onCommand = [this](UINT id, UINT code) {
            if (id != 1084) return;
            const std::string sel = std::to_string(combo.GetCurSel());
            if (code == CBN_SELCHANGE) log.push_back("CBN_SELCHANGE sel " + sel);
            if (code == CBN_DROPDOWN) log.push_back("CBN_DROPDOWN");
            if (code == CBN_CLOSEUP) {
                log.push_back("CBN_CLOSEUP sel " + sel);
                other.SetFocus(); // choosing ends the edit, as the editors do
                if (GetFocus() == &other) log.push_back("focus moved");
            }
        };
        combo.AddString("T V");
        combo.AddString("RADIO");
        combo.SetFocus();
        ASSERT_EQ(GetFocus(), &combo);
        log.clear();
    }
    // Entries of the log that are not the plain windows'.
    Log Events() const {
        Log events;
        for (const std::string& line : log)
            if (line.rfind("top ", 0) != 0 && line.rfind("other ", 0) != 0) events.push_back(line);
        return events;
    }
};

TEST_F(ComboTest, AddsSelectNothingAndCodeChangesAreNotReported) {
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.SetCurSel(5), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.InsertString(0, "DATA"), 0);
    EXPECT_EQ(combo.DeleteString(7), CB_ERR);
    EXPECT_TRUE(Events().empty());
}

TEST_F(ComboTest, SelectStringByPrefix) {
    struct Case {
        int start;
        const char* prefix;
        int result;
        int selection;
    };
    const Case cases[] = {
        {-1, "RA", 1, 1}, {-1, "ra", 1, 1}, {-1, "T", 0, 0}, {0, "T", 0, 0}, {-1, "X", CB_ERR, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(combo.SelectString(c.start, c.prefix), c.result) << c.prefix;
        EXPECT_EQ(combo.GetCurSel(), c.selection) << c.prefix;
    }
    std::string text;
    EXPECT_EQ(combo.GetLBText(1, text), 5);
    EXPECT_EQ(text, "RADIO");
    EXPECT_EQ(combo.GetLBText(2, text), CB_ERR);
}

TEST_F(ComboTest, ItemDataAndBadIndices) {
    EXPECT_EQ(combo.SetItemData(1, 0xDEADBEEFCAFEull), 0);
    EXPECT_EQ(combo.GetItemData(1), 0xDEADBEEFCAFEull);
    EXPECT_EQ(combo.GetItemData(0), 0u);
    EXPECT_EQ(combo.SetItemData(2, 1), CB_ERR);
    EXPECT_EQ(combo.GetItemData(-1), static_cast<DWORD_PTR>(CB_ERR));
    EXPECT_EQ(combo.SetDroppedWidth(300), 300);
    EXPECT_EQ(combo.GetDroppedWidth(), 300);
    EXPECT_EQ(combo.SetDroppedWidth(10), 100); // never narrower than the box

    const int boxHeight = combo.GetWidget()->height();
    const int fieldHeight = combo.GetItemHeight(-1);
    EXPECT_EQ(combo.SetItemHeight(-1, static_cast<UINT>(fieldHeight + 10)), 0);
    EXPECT_EQ(combo.GetItemHeight(-1), fieldHeight + 10);
    EXPECT_EQ(combo.GetWidget()->height(), boxHeight + 10);
    EXPECT_EQ(combo.SetItemHeight(0, 18), 0);
    EXPECT_EQ(combo.GetItemHeight(1), 18);
    EXPECT_EQ(combo.SetItemHeight(0, 0), CB_ERR);
}

TEST_F(ComboTest, ChoosingInTheOpenListSetsThenReportsThenClosesThenLosesFocus) {
    combo.SetCurSel(0);
    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(GetFocus(), &combo); // the list's focus is still the box's
    QWidget* list = combo.Combo()->view();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(combo.GetDroppedState());
    QCoreApplication::processEvents();
    EXPECT_EQ(Events(), (Log{"CBN_DROPDOWN", "hook 40", "hook 13", "CBN_SELCHANGE sel 1",
                             "CBN_CLOSEUP sel 1", "OnKillFocus sel 1", "focus moved"}));
}

TEST_F(ComboTest, EscapeInTheOpenListReachesTheHookAndChoosesNothing) {
    combo.ShowDropDown(TRUE);
    QTest::keyClick(combo.Combo()->view(), Qt::Key_Escape);
    EXPECT_FALSE(combo.GetDroppedState());
    QCoreApplication::processEvents();
    EXPECT_EQ(Events(), (Log{"CBN_DROPDOWN", "hook 27", "CBN_CLOSEUP sel -1", "OnKillFocus sel -1",
                             "focus moved"}));
}

// The focus leaving for another window while the list is open is the box's
// focus loss, before the other window hears of its gain; the list closes
// once the focus change is over.
TEST_F(ComboTest, AFocusMoveByCodeWhileTheListIsOpenClosesItAndIsTheBoxsFocusLoss) {
    combo.SetCurSel(1);
    combo.ShowDropDown(TRUE);
    QCoreApplication::processEvents(); // the list shows before anything else happens
    ASSERT_TRUE(combo.GetDroppedState());
    log.clear();

    other.SetFocus();
    EXPECT_EQ(GetFocus(), &other);
    for (int n = 0; n < 3; ++n)
        QCoreApplication::processEvents();

    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(GetFocus(), &other);
    Log focus;
    for (const std::string& line : log)
        if (line.find("Focus") != std::string::npos || line.rfind("CBN_", 0) == 0)
            focus.push_back(line);
    EXPECT_EQ(focus, (Log{"OnKillFocus sel 1", "other OnSetFocus", "CBN_CLOSEUP sel 1"}));
}

// A click outside the open list closes it; the owner's close-up handling
// moves the focus on.
TEST_F(ComboTest, AClickOutsideTheOpenListClosesItAndTheCloseUpMovesTheFocus) {
    combo.SetCurSel(0);
    combo.ShowDropDown(TRUE);
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    const QPoint outside = popup->mapFromGlobal(other.GetWidget()->mapToGlobal(QPoint(3, 3)));
    ASSERT_FALSE(popup->rect().contains(outside));
    QTest::mouseClick(popup, Qt::LeftButton, {}, outside);
    QCoreApplication::processEvents();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(GetFocus(), &other);
    EXPECT_EQ(Events(),
              (Log{"CBN_DROPDOWN", "CBN_CLOSEUP sel 0", "OnKillFocus sel 0", "focus moved"}));
}

TEST(ComboFieldTest, DropDownHasAnEditFieldWithTheFocus) {
    Log log;
    TopWindow top(&log);
    ASSERT_TRUE(top.active);
    ComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, Rect(5, 5, 105, 30), &top.window, 8));
    Window* field = combo.GetEditField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetDlgCtrlID(), static_cast<int>(kComboFieldId));
    EXPECT_EQ(combo.GetDlgItem(kComboFieldId), field);
    combo.SetFocus();
    EXPECT_EQ(GetFocus(), field);
    combo.AddString("alpha");
    combo.SetWindowText("typed");
    EXPECT_EQ(combo.GetWindowText(), "typed");
    EXPECT_EQ(combo.GetCurSel(), -1);
    QTest::keyClicks(field->GetWidget(), "x");
    EXPECT_EQ(combo.GetWindowText(), "typedx");
}

TEST(ComboFieldTest, AnotherEditTakesOverTheField) {
    Log log;
    TopWindow top(&log);
    ASSERT_TRUE(top.active);
    ComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, Rect(5, 5, 105, 30), &top.window, 8));
    struct Field : Edit {
        Log* log = nullptr;
        void OnKeyDown(UINT ch, UINT rep, UINT flags) override {
            log->push_back("field OnKeyDown " + std::to_string(ch));
            Edit::OnKeyDown(ch, rep, flags);
        }
    } field;
    field.log = &log;
    EXPECT_FALSE(field.SubclassDlgItem(99, &combo));
    ASSERT_TRUE(field.SubclassDlgItem(kComboFieldId, &combo));
    EXPECT_EQ(combo.GetEditField(), &field);
    EXPECT_EQ(field.GetParent(), &combo);
    combo.SetFocus();
    EXPECT_EQ(GetFocus(), &field);
    log.clear();
    QTest::keyClick(field.GetWidget(), Qt::Key_Q);
    EXPECT_EQ(std::count(log.begin(), log.end(), "field OnKeyDown 81"), 1);
    EXPECT_EQ(combo.GetWindowText(), "q");
}

} // namespace
} // namespace platform_test

namespace platform_test {
namespace {

TEST_F(ComboTest, DroppedHeightGivesTheRowsThatFit) {
    for (int i = 0; i < 10; ++i)
        combo.AddString(("item " + std::to_string(i)).c_str());
    const int item = combo.GetItemHeight(0);
    ASSERT_GT(item, 0);
    struct Case {
        int height;
        int rows;
    } cases[] = {{3 * item, 3}, {3 * item + item - 1, 3}, {item - 1, 1}, {0, 1}};
    for (const Case& c : cases) {
        EXPECT_TRUE(combo.SetDroppedHeight(c.height));
        EXPECT_EQ(combo.Combo()->maxVisibleItems(), c.rows) << c.height;
    }
    ComboBox none;
    EXPECT_FALSE(none.SetDroppedHeight(100));
}

} // namespace
} // namespace platform_test
