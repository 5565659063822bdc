// Dialogs run modally through the test hook: OnInitDialog first, the data
// exchange on OK with the framework's messages, a failure that keeps the
// dialog open with the bad field focused, Escape, the close box, and
// OnDestroy before DoModal returns; modeless dialogs and mapped commands.
#include "test_dialog.h"
#include "base/trace.h"
#include "window_fixture.h"

#include "qt_print.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

class DialogTest : public ::testing::Test {
  protected:
    void TearDown() override { DialogBase::SetModalHook(nullptr); }

    // Runs the dialog with steps in place of the user; the hook checks that
    // the dialog is up, active and initialised.
    // A dialog the steps leave open is an assertion; only the test of that
    // road expects one.
    int Run(NetworkDialog& dialog, const std::function<void(NetworkDialog&)>& steps,
            int expectedAssertions = 0) {
        TakeTraces();
        DialogBase::SetModalHook([&](DialogBase& shown) {
            log.push_back("hook");
            EXPECT_EQ(&shown, &dialog);
            EXPECT_TRUE(shown.IsWindowVisible());
            EXPECT_TRUE(shown.GetWidget()->isModal());
            EXPECT_TRUE(QTest::qWaitForWindowActive(shown.GetWidget()));
            steps(dialog);
        });
        const int result = dialog.DoModal();
        log.push_back("returned");
        EXPECT_EQ(FailedAssertionCount(), expectedAssertions);
        return result;
    }

    static void Click(Button* button) {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button->GetWidget(), Qt::LeftButton);
    }

    Log log;
};

TEST_F(DialogTest, OkMovesTheControlsIntoTheMembersAfterInitShowedThem) {
    NetworkDialog dialog(&log);
    const int result = Run(dialog, [](NetworkDialog& d) {
        // OnInitDialog has bound the member controls and put the members
        // into the controls.
        EXPECT_EQ(d.GetDlgItem(kName), &d.m_name);
        EXPECT_EQ(d.GetDlgItem(kAngle), &d.m_angle);
        EXPECT_EQ(d.GetWindowText(), "Edit Network");
        EXPECT_EQ(d.EditOf(kName)->GetWindowText(), "Hotbird");
        EXPECT_EQ(d.EditOf(kAngle)->GetWindowText(), "13");
        EXPECT_EQ(d.EditOf(kFrequency)->GetWindowText(), "11200");
        EXPECT_EQ(d.ButtonOf(kTone)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(d.GetDlgItem(kInfo)->GetWindowText(), "info");
        // The name edit takes no more than 15 bytes.
        TypeInto(d.EditOf(kName), "ASTRA 1KR/1L/1M/1N");
        EXPECT_EQ(d.EditOf(kName)->GetWindowText(), "ASTRA 1KR/1L/1M");
        TypeInto(d.EditOf(kAngle), "19.2");
        TypeInto(d.EditOf(kFrequency), " 10600 ");
        Click(d.ButtonOf(kTone));
        d.SetDlgItemText(kInfo, "list.cdl  655581 Bytes");
        Click(d.ButtonOf(IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(log, (Log{"OnInitDialog", "hook", "OnDestroy", "returned"}));
    EXPECT_EQ(dialog.m_strName, "ASTRA 1KR/1L/1M");
    EXPECT_EQ(dialog.m_fAngle, 19.2f);
    EXPECT_EQ(dialog.m_nFrequency, 10600u);
    EXPECT_EQ(dialog.m_bTone, 0);
    EXPECT_EQ(dialog.m_strInfo, "list.cdl  655581 Bytes");
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(dialog.m_angle.IsWindow());
}

TEST_F(DialogTest, BadFieldsShowTheFrameworksTextAndKeepTheDialogOpen) {
    struct Case {
        const char* name;
        std::string storedName; // what the record holds when the dialog opens
        const char* angle;
        const char* frequency;
        const char* message;
        UINT focused;
    } cases[] = {
        {"name of 16 bytes", "ABCDEFGHIJKLMNOP", "13", "11200",
         "Please enter no more than 15 characters.", kName},
        {"angle above 180", "Hotbird", "200", "11200", "Please enter a number between 0 and 180.",
         kAngle},
        {"angle below 0", "Hotbird", "-0.5", "11200", "Please enter a number between 0 and 180.",
         kAngle},
        {"angle not a number", "Hotbird", "19,2", "11200", "Please enter a number.", kAngle},
        {"angle empty", "Hotbird", "", "11200", "Please enter a number.", kAngle},
        {"frequency empty", "Hotbird", "13", "", "Please enter a positive integer.", kFrequency},
        {"frequency negative", "Hotbird", "13", "-5", "Please enter a positive integer.",
         kFrequency},
        {"frequency 1e3", "Hotbird", "13", "1e3", "Please enter a positive integer.", kFrequency},
        {"frequency past 32 bits", "Hotbird", "13", "4294967296",
         "Please enter a positive integer.", kFrequency},
        {"first bad field only", "Hotbird", "200", "-5", "Please enter a number between 0 and 180.",
         kAngle},
    };
    for (const auto& c : cases) {
        log.clear();
        NetworkDialog dialog(&log);
        dialog.m_strName = c.storedName;
        MessageBoxRecorder boxes;
        const int result = Run(dialog, [&](NetworkDialog& d) {
            TypeInto(d.EditOf(kAngle), c.angle);
            TypeInto(d.EditOf(kFrequency), c.frequency);
            Click(d.ButtonOf(IDOK));
            ASSERT_EQ(boxes.Calls().size(), 1u) << c.name;
            EXPECT_EQ(boxes.Calls()[0].text, c.message) << c.name;
            EXPECT_EQ(boxes.Calls()[0].caption, "Quorvandelix") << c.name;
            EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Warning) << c.name;
            // Still open, the bad field focused with its text selected.
            EXPECT_TRUE(d.IsWindowVisible()) << c.name;
            Edit* bad = d.EditOf(c.focused);
            EXPECT_EQ(Window::GetFocus(), bad) << c.name;
            int start = -1, end = -1;
            bad->GetSel(start, end);
            EXPECT_EQ(start, 0) << c.name;
            EXPECT_EQ(end, bad->GetWindowTextLength()) << c.name;
            // Escape on the focused field cancels.
            QTest::keyClick(bad->GetWidget(), Qt::Key_Escape);
        });
        EXPECT_EQ(result, IDCANCEL) << c.name;
        EXPECT_EQ(log, (Log{"OnInitDialog", "hook", "OnDestroy", "returned"})) << c.name;
        EXPECT_EQ(dialog.m_nFrequency, 11200u) << c.name;
    }
}

TEST_F(DialogTest, EscapeCloseBoxAndEnterEndTheDialog) {
    struct Case {
        const char* name;
        std::function<void(NetworkDialog&)> end;
        int result;
    } cases[] = {
        {"Escape",
         [](NetworkDialog& d) { QTest::keyClick(d.EditOf(kName)->GetWidget(), Qt::Key_Escape); },
         IDCANCEL},
        {"Cancel button", [](NetworkDialog& d) { Click(d.ButtonOf(IDCANCEL)); }, IDCANCEL},
        {"close box", [](NetworkDialog& d) { d.GetWidget()->close(); }, IDCANCEL},
        {"Enter presses OK",
         [](NetworkDialog& d) { QTest::keyClick(d.EditOf(kName)->GetWidget(), Qt::Key_Return); },
         IDOK},
    };
    for (const auto& c : cases) {
        log.clear();
        NetworkDialog dialog(&log);
        EXPECT_EQ(Run(dialog,
                      [&](NetworkDialog& d) {
                          d.EditOf(kName)->SetFocus();
                          c.end(d);
                      }),
                  c.result)
            << c.name;
        EXPECT_EQ(log, (Log{"OnInitDialog", "hook", "OnDestroy", "returned"})) << c.name;
    }
}

TEST_F(DialogTest, AHookThatLeavesTheDialogOpenIsAnAssertionNotAHang) {
    NetworkDialog dialog(&log);
    EXPECT_EQ(Run(
                  dialog, [](NetworkDialog&) {}, 1),
              IDCANCEL);
    EXPECT_EQ(log, (Log{"OnInitDialog", "hook", "OnDestroy", "returned"}));

    // Ended during OnInitDialog: never shown, the hook does not run.
    log.clear();
    NetworkDialog ended(&log);
    ended.endInInit = true;
    EXPECT_EQ(Run(ended, [](NetworkDialog&) {}), IDABORT);
    EXPECT_EQ(log, (Log{"OnInitDialog", "OnDestroy", "returned"}));

    // The same object runs again with fresh controls.
    log.clear();
    EXPECT_EQ(Run(dialog, [](NetworkDialog& d) { Click(d.ButtonOf(IDOK)); }), IDOK);
    EXPECT_EQ(log, (Log{"OnInitDialog", "hook", "OnDestroy", "returned"}));
}

// A dialog that refuses Cancel and ends as OK when it is told to close, as
// the editor's short "Please Wait" dialog does.
class PleaseWait : public DialogBase {
  public:
    PleaseWait() : DialogBase(162) {}

  protected:
    void CreateControls() override {
        SetWindowText("Please Wait");
        SetDialogSize(179, 53);
        AddControl<Static>()->Create("Please Wait", WS_CHILD | WS_VISIBLE,
                                     MapDialogRect({60, 20, 120, 30}), this, 0xFFFF);
    }
    void OnCancel() override { MessageBox("fdasfsda", "Quorvandelix", MB_OK); }
    void OnClose() override { EndDialog(IDOK); }
};

TEST_F(DialogTest, OnCancelAndOnCloseCanBeReplaced) {
    PleaseWait wait;
    MessageBoxRecorder boxes;
    DialogBase::SetModalHook([&](DialogBase& d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d.GetWidget()));
        // Its size comes from dialog units.
        const Rect size = d.MapDialogRect(Rect(0, 0, 179, 53));
        EXPECT_EQ(d.GetWidget()->size(), QSize(size.Width(), size.Height()));
        QTest::keyClick(d.GetWidget(), Qt::Key_Escape);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"fdasfsda"});
        EXPECT_TRUE(d.IsWindowVisible());
        d.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(wait.DoModal(), IDOK);
    EXPECT_FALSE(wait.IsWindow());
}

// Without a hook the dialog runs its own modal loop, which delivers posted
// messages (the editor closes its "Please Wait" dialog from a timer so).
TEST_F(DialogTest, TheModalLoopRunsUntilAPostedCloseEndsIt) {
    struct Closing : PleaseWait {
        BOOL OnInitDialog() override {
            PostMessage(WM_CLOSE);
            return PleaseWait::OnInitDialog();
        }
    } wait;
    // A safety net: should the loop miss the message, the test fails, not hangs.
    bool rescued = false;
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [&] {
        rescued = true;
        wait.EndDialog(IDABORT);
    });
    safety.start(5000);
    EXPECT_EQ(wait.DoModal(), IDOK);
    EXPECT_FALSE(rescued);
    EXPECT_FALSE(wait.IsWindow());
}

// A modeless dialog that goes away on Cancel and deletes itself afterwards.
class WaitDialog : public DialogBase {
  public:
    explicit WaitDialog(Log* log) : m_log(log) {
        MapCommand(57673, [this] { m_log->push_back("Load"); });
    }

  protected:
    void CreateControls() override {
        SetWindowText("New File");
        AddControl<Static>()->Create("Please Wait ......", WS_CHILD | WS_VISIBLE,
                                     Rect(10, 10, 150, 30), this, 0xFFFF);
        AddControl<Button>()->Create("Load", WS_CHILD | WS_VISIBLE, Rect(10, 40, 80, 65), this,
                                     57673);
    }
    void OnCancel() override { DestroyWindow(); }
    void OnDestroy() override { m_log->push_back("OnDestroy"); }
    void PostNcDestroy() override {
        m_log->push_back("deleted");
        delete this;
    }

  private:
    Log* m_log;
};

TEST_F(DialogTest, ModelessDialogsRunCommandsAndEndThemselves) {
    Log top_log;
    TopWindow top(&top_log);
    ASSERT_TRUE(top.active);
    auto* wait = new WaitDialog(&log);
    ASSERT_TRUE(wait->Create(151, &top.window));
    EXPECT_FALSE(wait->Create(151, &top.window)); // exists already
    ASSERT_TRUE(QTest::qWaitForWindowActive(wait->GetWidget()));
    EXPECT_FALSE(wait->GetWidget()->isModal());
    EXPECT_EQ(wait->GetParent(), &top.window);

    QTest::mouseClick(wait->GetDlgItem<Button>(57673)->GetWidget(), Qt::LeftButton);
    EXPECT_EQ(log, Log{"Load"});
    EXPECT_TRUE(wait->IsWindowVisible());

    QTest::keyClick(wait->GetWidget(), Qt::Key_Escape);
    EXPECT_EQ(log, (Log{"Load", "OnDestroy", "deleted"}));
}

} // namespace
} // namespace platform_test
