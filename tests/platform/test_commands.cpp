#include "window/cmdui.h"
#include "window/commandrouter.h"
#include "window/commandtarget.h"
#include "window/popupmenu.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include "qt_print.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

// A frame window with two panes (line edits take the focus on a click), a
// view on each pane, the router as the frame's table and an application.
class RouterFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QHBoxLayout(&m_window);
        m_paneA = new QLineEdit(&m_window);
        m_paneB = new QLineEdit(&m_window);
        layout->addWidget(m_paneA);
        layout->addWidget(m_paneB);
        m_window.resize(300, 60);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_router.SetApp(&m_app);
        m_router.AddView(&m_viewA, m_paneA);
        m_router.AddView(&m_viewB, m_paneB);
    }

    void ClickPane(QWidget* pane) {
        QTest::mouseClick(pane, Qt::LeftButton, {}, pane->rect().center());
        ASSERT_TRUE(pane->hasFocus());
    }

    // Registers a handler for id on target that logs the target's name.
    void Handle(CommandTarget& target, unsigned id, const std::string& name) {
        target.MapCommand(id, [this, name] { m_log.push_back(name); });
    }

    QWidget m_window;
    QLineEdit* m_paneA = nullptr;
    QLineEdit* m_paneB = nullptr;
    CommandTarget m_viewA, m_viewB, m_app;
    CommandRouter m_router;
    std::vector<std::string> m_log;
};

TEST_F(RouterFixture, CommandsGoToTheLastFocusedPaneThenFrameThenApp) {
    Handle(m_viewA, 1, "view A");
    Handle(m_viewB, 1, "view B");
    Handle(m_router, 1, "frame");
    Handle(m_app, 1, "app");
    Handle(m_viewB, 2, "view B");
    Handle(m_router, 2, "frame");
    Handle(m_app, 2, "app");
    Handle(m_app, 3, "app");

    struct Case {
        const char* name;
        QWidget* clicked;
        unsigned id;
        const char* expected; // nullptr: nobody handles it
    } cases[] = {
        {"view A has it", m_paneA, 1, "view A"},
        {"view B active", m_paneB, 1, "view B"},
        {"active view lacks it: frame", m_paneA, 2, "frame"},
        {"only the app", m_paneB, 3, "app"},
        {"nobody", m_paneA, 4, nullptr},
    };
    for (const auto& c : cases) {
        ClickPane(c.clicked);
        m_log.clear();
        EXPECT_EQ(m_router.ExecuteCommand(c.id), c.expected != nullptr) << c.name;
        EXPECT_EQ(m_log,
                  c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{})
            << c.name;
    }

    // A control's notification is a command of its own: id and code.
    m_viewA.MapCommand(
        1010, [this] { m_log.push_back("selchange"); }, 1);
    m_log.clear();
    EXPECT_FALSE(m_router.ExecuteCommand(1010));
    EXPECT_TRUE(m_router.ExecuteCommand(1010, 1));
    EXPECT_EQ(m_log, std::vector<std::string>{"selchange"});

    // Focus on a widget outside the panes keeps the last active view.
    QLineEdit outside;
    outside.show();
    outside.setFocus();
    m_log.clear();
    m_router.ExecuteCommand(1);
    EXPECT_EQ(m_log, std::vector<std::string>{"view A"});
}

TEST_F(RouterFixture, UpdateRulesSetActionsAndUnhandledIdsAreDisabled) {
    bool loaded = false;
    Handle(m_router, 10, "frame");
    m_router.MapUpdateCommandUI(10, [&](CmdUI& ui) { ui.Enable(loaded); });
    // The active view's rule wins over the frame's.
    Handle(m_router, 11, "frame");
    m_router.MapUpdateCommandUI(11, [](CmdUI& ui) { ui.Enable(false); });
    m_viewA.MapUpdateCommandUI(11, [](CmdUI& ui) { ui.Enable(true); });
    // A rule that leaves the command as it is.
    Handle(m_router, 12, "frame");
    m_router.MapUpdateCommandUI(12, [](CmdUI&) {});
    // Handled by the application, no rule: enabled.
    Handle(m_app, 13, "app");
    // Nobody handles it: disabled.
    // A check mark.
    Handle(m_router, 15, "frame");
    m_router.MapUpdateCommandUI(15, [&](CmdUI& ui) { ui.SetCheck(loaded ? 1 : 0); });

    for (unsigned id : {10u, 11u, 12u, 13u, 14u, 15u})
        m_router.Action(id, QString::number(id));
    ClickPane(m_paneA);

    struct Case {
        bool loaded;
        unsigned id;
        bool enabled;
        bool checked;
    } cases[] = {
        {false, 10, false, false}, {true, 10, true, false},  {false, 11, true, false},
        {false, 12, true, false},  {false, 13, true, false}, {false, 14, false, false},
        {false, 15, true, false},  {true, 15, true, true},
    };
    for (const auto& c : cases) {
        loaded = c.loaded;
        m_router.UpdateCommands();
        QAction* action = m_router.FindAction(c.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isEnabled(), c.enabled) << c.id << " loaded " << c.loaded;
        EXPECT_EQ(action->isChecked(), c.checked) << c.id << " loaded " << c.loaded;
    }
}

TEST_F(RouterFixture, RulesRunWhenTheEventLoopFallsIdle) {
    bool loaded = false;
    Handle(m_router, 30, "frame");
    m_router.MapUpdateCommandUI(30, [&](CmdUI& ui) { ui.Enable(loaded); });
    QAction* action = m_router.Action(30, "Delete All");
    // The loop waits for its timer: it falls idle on the way.
    const auto idle = [] {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    };
    idle();
    EXPECT_FALSE(action->isEnabled());
    loaded = true;
    idle();
    EXPECT_TRUE(action->isEnabled());
}

TEST_F(RouterFixture, RulesRunBeforeAMenuOpensAndItsItemsRunCommands) {
    bool loaded = false;
    Handle(m_router, 20, "frame");
    m_router.MapUpdateCommandUI(20, [&](CmdUI& ui) { ui.Enable(loaded); });
    QMenu menu(&m_window);
    menu.addAction(m_router.Action(20, "&Add Channel"));
    m_router.WatchMenu(&menu);
    EXPECT_TRUE(m_router.FindAction(20)->isEnabled()); // no rule has run yet

    menu.popup(m_window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_FALSE(m_router.FindAction(20)->isEnabled());
    menu.hide();

    loaded = true;
    menu.popup(m_window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_TRUE(m_router.FindAction(20)->isEnabled());
    const QRect item = menu.actionGeometry(m_router.FindAction(20));
    QTest::mouseClick(&menu, Qt::LeftButton, {}, item.center());
    EXPECT_EQ(m_log, std::vector<std::string>{"frame"});
}

TEST(PopupMenuTest, OnlyAnEnabledItemOfTheMenuCanBeChosen) {
    const std::vector<PopupMenuItem> items = {{"Edit", 32773},
                                              PopupMenuItem::Separator(),
                                              {"Add    Network", 32774},
                                              {"Del     Network", 32775, false, false}};
    struct Case {
        const char* name;
        unsigned answer;
        unsigned result;
    } cases[] = {
        {"an item", 32774, 32774}, {"dismissed", 0, 0},          {"disabled item", 32775, 0},
        {"not in the menu", 1, 0}, {"first item", 32773, 32773},
    };
    for (const auto& c : cases) {
        std::vector<PopupMenuRequest> shown;
        PopupMenuRunner::SetHook([&](const PopupMenuRequest& r) {
            shown.push_back(r);
            return c.answer;
        });
        EXPECT_EQ(PopupMenuRunner::Run(items, QPoint(40, 50)), c.result) << c.name;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].screenPoint, QPoint(40, 50));
        EXPECT_EQ(shown[0].items.size(), items.size());
    }
    PopupMenuRunner::SetHook(nullptr);
}

class TrackPopupFixture : public RouterFixture {
  protected:
    void TearDown() override { PopupMenuRunner::SetHook(nullptr); }
    std::vector<PopupMenuItem> m_shown;
    void Choose(unsigned id) {
        PopupMenuRunner::SetHook([this, id](const PopupMenuRequest& r) {
            m_shown = r.items;
            return id;
        });
    }
};

TEST_F(TrackPopupFixture, TheChosenCommandRunsAfterTheCallerReturns) {
    Handle(m_viewA, 32774, "command");
    Choose(32774);
    // The caller: a right-click handler that goes on after the menu closes.
    auto rightClick = [&] {
        m_log.push_back("caller before");
        TrackPopupMenu({{"Add Network", 32774}}, TPM_RIGHTBUTTON, 5, 5, &m_viewA);
        m_log.push_back("caller after");
    };
    rightClick();
    EXPECT_EQ(m_log, (std::vector<std::string>{"caller before", "caller after"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_log, (std::vector<std::string>{"caller before", "caller after", "command"}));

    // TPM_RETURNCMD hands the id back and posts nothing.
    m_log.clear();
    EXPECT_EQ(TrackPopupMenu({{"Add Network", 32774}}, TPM_RETURNCMD, 5, 5, &m_viewA), 32774u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_log.empty());
}

TEST_F(TrackPopupFixture, AFrameOwnerDisablesWhatNothingHandlesAViewDoesNot) {
    Handle(m_router, 32807, "frame");
    m_router.MapUpdateCommandUI(32807, [](CmdUI& ui) { ui.Enable(false); });
    Handle(m_router, 32808, "frame");
    const std::vector<PopupMenuItem> items = {
        {"Add", 32807}, PopupMenuItem::Separator(), {"Delete", 32808}, {"Unhandled", 32899}};

    Choose(0);
    TrackPopupMenu(items, TPM_RIGHTBUTTON, 0, 0, &m_router);
    ASSERT_EQ(m_shown.size(), 4u);
    EXPECT_FALSE(m_shown[0].enabled); // its rule
    EXPECT_TRUE(m_shown[2].enabled);  // handled, no rule
    EXPECT_FALSE(m_shown[3].enabled); // nobody handles it

    TrackPopupMenu(items, TPM_RIGHTBUTTON, 0, 0, &m_viewB);
    EXPECT_TRUE(m_shown[3].enabled); // a plain window leaves its items alone

    // A greyed item cannot be chosen: nothing is posted.
    Choose(32807);
    EXPECT_EQ(TrackPopupMenu(items, TPM_RIGHTBUTTON, 0, 0, &m_router), 0u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_log.empty());
}

TEST_F(TrackPopupFixture, APostedCommandOfADestroyedOwnerIsDropped) {
    auto owner = std::make_unique<CommandTarget>();
    Handle(*owner, 32776, "command");
    Choose(32776);
    TrackPopupMenu({{"Edit", 32776}}, TPM_RIGHTBUTTON, 0, 0, owner.get());
    owner.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_log.empty());
}

} // namespace
