// A dialog made from a template with a menu bar and a progress bar: items in
// dialog units below the bar, hidden items, the menu's states and commands,
// Enter on a focused push button and on a dialog without a default button,
// and minimising reported to OnSize.
#include "controls/button.h"
#include "controls/edit.h"
#include "controls/listcontrol.h"
#include "dialogs/ddx.h"
#include "dialogs/dialogbase.h"
#include "dialogs/dialogtemplate.h"
#include "window/menu.h"
#include "controls/progressctrl.h"
#include "controls/statictext.h"
#include "base/trace.h"
#include "window_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace platform_test {
namespace {

enum : UINT { kGo = 3001, kNote = 3002, kHint = 3003, kBar = 3004 };
enum : UINT { kFirst = 4001, kSecond = 4002, kPlain = 4003 };

const DialogTemplate& Template() {
    static const DialogTemplate dialog{
        200,
        "Template",
        120,
        50,
        WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        0,
        201,
        {
            {DialogItemClass::Button, "Go", kGo, 10, 10, 40, 14, WS_VISIBLE | WS_TABSTOP},
            {DialogItemClass::Static, "Note", kNote, 60, 10, 50, 10, WS_VISIBLE},
            {DialogItemClass::Static, "Hint", kHint, 60, 22, 50, 10, 0},
            {DialogItemClass::Progress, "", kBar, 10, 36, 100, 8, WS_VISIBLE},
        },
    };
    return dialog;
}

const MenuTemplate& Menu201() {
    static const MenuTemplate menu{
        201,
        {{"File", 0, {{"First", kFirst, {}}, {nullptr, 0, {}}, {"Second", kSecond, {}}}},
         {"More", 0, {{"Plain", kPlain, {}}}}},
    };
    return menu;
}

class TemplateDialog : public DialogBase {
  public:
    TemplateDialog() : DialogBase(200) {
        MapCommand(kGo, [this] { log.push_back("Go"); });
        for (UINT id : {kFirst, kSecond, kPlain})
            MapCommand(id, [this, id] { log.push_back("menu " + std::to_string(id)); });
    }

    Button go;
    Static note;
    Static hint;
    ProgressCtrl bar;
    Menu menu;
    Log log;
    std::vector<UINT> sizeTypes;

  protected:
    void CreateControls() override {
        const std::pair<UINT, Window*> members[] = {
            {kGo, &go}, {kNote, &note}, {kHint, &hint}, {kBar, &bar}};
        for (const auto& [id, control] : members)
            EXPECT_TRUE(CreateDialogItem(*this, *FindDialogItem(Template(), id), *control));
        // A control of another class than its item is refused.
        Button wrong;
        EXPECT_FALSE(CreateDialogItem(*this, *FindDialogItem(Template(), kBar), wrong));
        ApplyDialogFrame(*this, Template());
        menu.Attach(this, Menu201());
    }
    void OnOK() override {
        log.push_back("OnOK");
        DialogBase::OnOK();
    }
    void OnSize(UINT type, int cx, int cy) override {
        sizeTypes.push_back(type);
        DialogBase::OnSize(type, cx, cy);
    }
};

class DialogResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override { TakeTraces(); }
    void TearDown() override {
        DialogBase::SetModalHook(nullptr);
        EXPECT_EQ(FailedAssertionCount(), 0);
    }

    int Run(TemplateDialog& dialog, const std::function<void(TemplateDialog&)>& steps) {
        DialogBase::SetModalHook([&](DialogBase& shown) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(shown.GetWidget()));
            steps(dialog);
        });
        return dialog.DoModal();
    }

    static void ChooseMenuItem(TemplateDialog& d, UINT id) {
        QMenuBar* bar = d.menu.Bar();
        QAction* item = d.menu.Action(id);
        ASSERT_TRUE(bar && item);
        QMenu* popup = nullptr;
        for (QAction* top : bar->actions())
            if (top->menu() && top->menu()->actions().contains(item)) popup = top->menu();
        ASSERT_NE(popup, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(popup->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 5000));
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    }
};

TEST_F(DialogResourcesTest, TemplateItemsSitBelowTheMenuBarInDialogUnits) {
    TemplateDialog dialog;
    Run(dialog, [](TemplateDialog& d) {
        EXPECT_EQ(d.GetWindowText(), "Template");
        EXPECT_TRUE(d.GetWidget()->windowFlags() & Qt::WindowMinimizeButtonHint);
        const int barHeight = d.menu.Bar()->height();
        ASSERT_GT(barHeight, 0);
        const Rect client = d.MapDialogRect(Rect(0, 0, 120, 50));
        EXPECT_EQ(d.GetWidget()->height(), client.Height() + barHeight);
        EXPECT_EQ(d.GetWidget()->width(), client.Width());
        const Rect go = d.MapDialogRect(Rect(10, 10, 50, 24));
        EXPECT_EQ(d.go.GetWidget()->geometry(),
                  QRect(go.left, go.top + barHeight, go.Width(), go.Height()));
        EXPECT_TRUE(d.note.IsWindowVisible());
        EXPECT_FALSE(d.hint.IsWindowVisible()) << "no WS_VISIBLE in its item";
        d.SendMessage(WM_CLOSE);
    });
}

TEST_F(DialogResourcesTest, MenuStatesByCommandAndChosenItemsPostTheirCommand) {
    TemplateDialog dialog;
    Run(dialog, [](TemplateDialog& d) {
        Menu& m = d.menu;
        EXPECT_EQ(m.GetMenuState(kFirst), 0u);
        EXPECT_EQ(m.GetMenuState(9999), MENU_NO_ITEM);
        EXPECT_EQ(m.EnableMenuItem(9999, MF_GRAYED), MENU_NO_ITEM);
        EXPECT_EQ(m.EnableMenuItem(kSecond, MF_GRAYED), MF_ENABLED);
        EXPECT_EQ(m.GetMenuState(kSecond), MF_GRAYED);
        EXPECT_EQ(m.EnableMenuItem(kSecond, MF_ENABLED), MF_GRAYED);
        EXPECT_EQ(m.CheckMenuItem(kPlain, MF_CHECKED), MF_UNCHECKED);
        EXPECT_FALSE(m.CheckMenuRadioItem(kFirst, kSecond, kPlain)) << "outside the range";
        EXPECT_TRUE(m.CheckMenuRadioItem(kFirst, kSecond, kSecond));
        EXPECT_EQ(m.GetMenuState(kFirst), MF_UNCHECKED);
        EXPECT_EQ(m.GetMenuState(kSecond), MF_CHECKED);

        // A click posts the command: it runs after the menu has closed, and
        // a plain checked item keeps the check only code gives it.
        ChooseMenuItem(d, kPlain);
        EXPECT_TRUE(d.log.empty());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.log.empty(); }, 5000));
        EXPECT_EQ(d.log, (Log{"menu 4003"}));
        EXPECT_EQ(m.GetMenuState(kPlain), MF_CHECKED);
        // A radio item chosen by the user takes the check from the other.
        ChooseMenuItem(d, kFirst);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.log.size() == 2; }, 5000));
        EXPECT_EQ(m.GetMenuState(kFirst), MF_CHECKED);
        EXPECT_EQ(m.GetMenuState(kSecond), MF_UNCHECKED);
        // A greyed item runs nothing.
        m.EnableMenuItem(kSecond, MF_GRAYED);
        ChooseMenuItem(d, kSecond);
        QCoreApplication::processEvents();
        EXPECT_EQ(d.log.size(), 2u);
        d.SendMessage(WM_CLOSE);
    });
}

TEST_F(DialogResourcesTest, ProgressPositionsStayInTheRange) {
    TemplateDialog dialog;
    Run(dialog, [](TemplateDialog& d) {
        const struct {
            int lower, upper, pos, shown;
        } cases[] = {
            {0, 100, 40, 40}, {0, 100, 150, 100}, {0, 100, -5, 0},
            {10, 20, 15, 15}, {30, 20, 25, 30},
        };
        for (const auto& c : cases) {
            d.bar.SetRange(c.lower, c.upper);
            d.bar.SetPos(c.pos);
            EXPECT_EQ(d.bar.GetPos(), c.shown) << c.lower << ".." << c.upper << " " << c.pos;
            EXPECT_EQ(d.bar.Bar()->value(), c.shown);
        }
        EXPECT_FALSE(d.bar.Bar()->isTextVisible());
        d.SendMessage(WM_CLOSE);
    });
}

// Enter clicks the focused push button; with the focus elsewhere and no
// default button it is the dialog's OK.
TEST_F(DialogResourcesTest, EnterClicksTheFocusedButtonElseItIsOk) {
    TemplateDialog dialog;
    const int result = Run(dialog, [](TemplateDialog& d) {
        d.go.SetFocus();
        QTest::keyClick(d.go.GetWidget(), Qt::Key_Return);
        EXPECT_EQ(d.log, (Log{"Go"}));
        EXPECT_TRUE(d.IsWindowVisible());
        d.SetFocus();
        QTest::keyClick(d.GetWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.log, (Log{"Go", "OnOK"}));
}

TEST_F(DialogResourcesTest, MinimiseAndRestoreReachOnSize) {
    TemplateDialog dialog;
    Run(dialog, [](TemplateDialog& d) {
        d.sizeTypes.clear();
        d.GetWidget()->showMinimized();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d.sizeTypes.empty(); }, 5000));
        EXPECT_EQ(d.sizeTypes.back(), SIZE_MINIMIZED);
        d.GetWidget()->showNormal();
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.sizeTypes.back() == SIZE_RESTORED; }, 5000));
        d.SendMessage(WM_CLOSE);
    });
}

// A template made whole by CreateFromTemplate: the member paired with an id
// gets its control, the other items become controls the dialog owns and
// reaches by id (data exchange included), and a plain frame keeps the
// dialog's own buttons.
enum : UINT { kName = 5001, kCount = 5002, kRows = 5003 };

const DialogTemplate& WholeTemplate() {
    static const DialogTemplate dialog{
        210,
        "Whole",
        150,
        90,
        WS_CAPTION | WS_SYSMENU,
        0,
        0,
        {
            {DialogItemClass::Static, "Name", 0xFFFF, 5, 7, 30, 10, WS_VISIBLE},
            {DialogItemClass::Edit, "", kName, 40, 5, 100, 14, WS_VISIBLE | WS_BORDER},
            {DialogItemClass::Edit, "", kCount, 40, 23, 40, 14, WS_VISIBLE | WS_BORDER},
            {DialogItemClass::ListView, "", kRows, 5, 41, 140, 44,
             WS_VISIBLE | WS_BORDER | LVS_REPORT},
        },
    };
    return dialog;
}

class WholeDialog : public DialogBase {
  public:
    WholeDialog() : DialogBase(210) {}
    Edit name;
    ListControl rows;
    std::string count = "7";

  protected:
    void CreateControls() override {
        EXPECT_TRUE(CreateFromTemplate(WholeTemplate(), {{kName, &name}, {kRows, &rows}}));
    }
    void DoDataExchange(DataExchange* pDX) override {
        DialogBase::DoDataExchange(pDX);
        DDX_Text(pDX, kCount, count);
    }
};

TEST_F(DialogResourcesTest, CreateFromTemplateFillsTheMembersAndOwnsTheRest) {
    WholeDialog dialog;
    DialogBase::SetModalHook([&](DialogBase&) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
        EXPECT_EQ(dialog.GetWindowText(), "Whole");
        const Rect client = dialog.MapDialogRect(Rect(0, 0, 150, 90));
        EXPECT_EQ(dialog.GetWidget()->size(), QSize(client.Width(), client.Height()));
        EXPECT_FALSE(dialog.GetWidget()->windowFlags() & Qt::WindowMinimizeButtonHint);
        const Rect name = dialog.MapDialogRect(Rect(40, 5, 140, 19));
        ASSERT_TRUE(dialog.name.IsWindow());
        EXPECT_EQ(dialog.name.GetWidget()->geometry(),
                  QRect(name.left, name.top, name.Width(), name.Height()));
        EXPECT_EQ(dialog.GetDlgItem<Edit>(kName), &dialog.name);
        ASSERT_TRUE(dialog.rows.IsWindow());
        EXPECT_EQ(dialog.rows.InsertColumn(0, "Number"), 0);
        Edit* count = dialog.GetDlgItem<Edit>(kCount);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count->GetWindowText(), "7");
        count->SetWindowText("12");
        EXPECT_NE(dialog.GetDlgItem<Static>(0xFFFF), nullptr);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    DialogBase::SetModalHook(nullptr);
    EXPECT_EQ(dialog.count, "12");
    EXPECT_EQ(FailedAssertionCount(), 0);
}

} // namespace
} // namespace platform_test
