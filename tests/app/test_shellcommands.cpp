// The main window's channel commands and their update rules, with a list
// loaded through the document and rows chosen by real clicks.
#include "appfixture.h"

#include "window/cmdui.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "dialogs/printdialog.h"
#include "resource.h"
#include "supervw.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <iterator>
#include <vector>

namespace {

enum class State { NotLoaded, LoadedNoSelection, LoadedWithSelection };

struct Rule {
    unsigned id;
    bool notLoaded, loadedNoSelection, loadedWithSelection;
};

// Add, Delete Channel, Delete All, Move, Save, New, Open, the five transfers.
const Rule kRules[] = {
    {ID_ADD_CHANNEL, false, true, true},          {ID_DELETE_CHANNEL, false, false, true},
    {ID_DELETE_ALL, false, false, true},          {ID_MOVE_CHANNEL, false, true, true},
    {ID_SAVE_CHANNEL_DATA, true, true, true},     {ID_NEW_FILE, true, true, true},
    {ID_LOAD_CHANNEL_DATA, true, true, true},     {ID_UPLOAD_CHANNEL_DATA, true, true, true},
    {ID_DOWNLOAD_CHANNEL_DATA, true, true, true}, {ID_DOWNLOAD_PROGRAM, true, true, true},
    {ID_KEYDATA_UPLOAD, true, true, true},        {ID_KEYDATA_DOWNLOAD, true, true, true},
};

} // namespace

class ShellCommandTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(Start(), 1);
    }
    // The state each command shows on the toolbar (when it has a button)
    // and in its menu, once the menu is about to open.
    void ExpectStates(State state) {
        for (const Rule& rule : kRules) {
            SCOPED_TRACE(rule.id);
            const bool expected = state == State::NotLoaded           ? rule.notLoaded
                                  : state == State::LoadedNoSelection ? rule.loadedNoSelection
                                                                      : rule.loadedWithSelection;
            QAction* action = frame()->Action(rule.id);
            ASSERT_NE(action, nullptr);
            if (QWidget* button = frame()->ToolBar()->widgetForAction(action)) {
                EXPECT_EQ(button->isEnabled(), expected) << "toolbar";
            }
            for (int m = 0; m < 4; ++m) {
                QMenu* menu = frame()->TopMenu(m);
                if (!menu->actions().contains(action)) continue;
                emit menu->aboutToShow();
                EXPECT_EQ(action->isEnabled(), expected) << "menu";
            }
        }
    }
    CMySuperGrid* grid() const { return frame()->GetSuperVw()->GetGrid(); }
};

TEST_F(ShellCommandTest, CtrlPPrintsOnlyWhileTheChannelListIsTheActiveView) {
    int dialogs = 0;
    platform::SetPrintDialogRunner([&dialogs](QPrinter&) {
        ++dialogs;
        return false; // cancelled: nothing is printed
    });
    LoadDatabase();
    SelectTp(tpA);
    QWidget* list = grid()->GetClientWidget();
    QWidget* tree = frame()->GetNetworkTp()->viewport();
    struct FocusCase {
        const char* name;
        QWidget* clicked;
        int dialogs;
    };
    const FocusCase cases[] = {
        {"list", list, 1},
        {"tree", tree, 0},
        {"list again", list, 1},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs = 0;
        QTest::mouseClick(c.clicked, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
        QTest::keyClick(frame(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(dialogs, c.dialogs);
    }
    platform::SetPrintDialogRunner(nullptr);
}

TEST_F(ShellCommandTest, UpdateRulesFollowTheLoadedListAndTheSelectedRows) {
    ExpectStates(State::NotLoaded);
    LoadDatabase();
    SelectTp(tpA);
    ASSERT_EQ(grid()->GetSelectedCount(), 0u);
    ExpectStates(State::LoadedNoSelection);
    ClickRow(2); // the selection change alone updates the toolbar
    ASSERT_EQ(grid()->GetSelectedCount(), 1u);
    for (const Rule& rule : kRules)
        if (QWidget* button = frame()->ToolBar()->widgetForAction(frame()->Action(rule.id))) {
            EXPECT_EQ(button->isEnabled(), rule.loadedWithSelection) << rule.id;
        }
    ExpectStates(State::LoadedWithSelection);
    frame()->SetLoaded(0);
    ExpectStates(State::NotLoaded);
}

TEST_F(ShellCommandTest, DeleteChannelWithASatelliteSelectedOnlyTellsAndRebuilds) {
    LoadDatabase();
    SelectSatellite(0);
    grid()->SetItemState(0, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
    frame()->rebuilds = 0;
    frame()->Action(ID_DELETE_CHANNEL)->trigger();
    EXPECT_EQ(boxes.Texts(),
              std::vector<QString>{"Delete operation is only operate in Seleted TP."});
    EXPECT_EQ(boxes.Calls().at(0).caption, QStringLiteral("Infomation"));
    EXPECT_EQ(frame()->rebuilds, 1);
    EXPECT_EQ(Services(tpA), (std::vector<std::string>{"A1", "A2", "A3"}));
}

// The list's Delete key asks the main window for each row's delete; that is
// the channel list's own row delete, which needs a transponder selected.
TEST_F(ShellCommandTest, TheRowDeleteOfTheDeleteKeyNeedsASelectedTransponder) {
    LoadDatabase();
    SelectTp(tpA);
    SelectSatellite(tpA.satIndex);
    EXPECT_FALSE(frame()->DeleteRowService(1));
    EXPECT_EQ(Services(tpA), (std::vector<std::string>{"A1", "A2", "A3"}));
    SelectTp(tpA);
    EXPECT_FALSE(frame()->DeleteRowService(0));
    EXPECT_FALSE(frame()->DeleteRowService(4));
    EXPECT_TRUE(frame()->DeleteRowService(2));
    EXPECT_EQ(Services(tpA), (std::vector<std::string>{"A1", "A3"}));
}

TEST_F(ShellCommandTest, DeleteChannelRemovesTheSelectedRowsServices) {
    LoadDatabase();
    SelectTp(tpA);
    ClickRow(1);
    ClickRow(3, Qt::ControlModifier);
    ASSERT_EQ(grid()->GetSelectedCount(), 2u);
    frame()->rebuilds = 0;
    frame()->Action(ID_DELETE_CHANNEL)->trigger();
    EXPECT_EQ(Services(tpA), std::vector<std::string>{"A2"});
    EXPECT_EQ(Services(tpB), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(grid()->GetDeleteByCommand(), 0);
    EXPECT_EQ(frame()->rebuilds, 1);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ShellCommandTest, DeleteAllEmptiesTheSelectedTransponderOnly) {
    LoadDatabase();
    SelectTp(tpA);
    ClickRow(2);
    ASSERT_EQ(grid()->GetSelectedCount(), 1u);
    frame()->rebuilds = 0;
    frame()->Action(ID_DELETE_ALL)->trigger();
    EXPECT_TRUE(Services(tpA).empty());
    EXPECT_EQ(Services(tpB), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(frame()->rebuilds, 1);
}

TEST_F(ShellCommandTest, DeleteAllStopsWhenADeleteFails) {
    LoadDatabase();
    SelectTp(tpA);
    ClickRow(1);
    int calls = 0;
    frame()->m_deleteService = [&calls](SvcHandle) -> SLM_RESULT {
        ++calls;
        return DBERR_NOT_FOUND;
    };
    frame()->Action(ID_DELETE_ALL)->trigger();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Services(tpA), (std::vector<std::string>{"A1", "A2", "A3"}));
}

TEST_F(ShellCommandTest, ChannelListPopupCommandsRunUnderTheSameRules) {
    ASSERT_EQ(grid()->GetHost(), frame());
    ASSERT_EQ(frame()->PopupMenuOwner(), frame());
    LoadDatabase();
    SelectTp(tpA);
    for (unsigned id : {ID_ADD_CHANNEL, ID_DELETE_CHANNEL, ID_DELETE_ALL, ID_MOVE_CHANNEL}) {
        platform::CmdUI ui(id);
        ASSERT_TRUE(frame()->OnCmdMsg(id, 0, platform::CommandCall::Update, &ui));
        frame()->UpdateActions();
        EXPECT_EQ(ui.IsEnabled(), frame()->Action(id)->isEnabled()) << id;
    }
}

// Menu 128 as the window shows it: each popup's items in order, separators
// as "-", and what a real hover over an item writes in the status bar (its
// prompt, nothing for an item without one). A list is loaded and a row
// chosen, so every item is enabled (a disabled one shows no prompt).
TEST_F(ShellCommandTest, MenuBarHoldsMenu128AndAHoveredItemShowsItsPrompt) {
    LoadDatabase();
    SelectTp(tpA);
    ClickRow(1);
    struct Item {
        const char* text; // "-" a separator
        unsigned id;
        const char* prompt;
    };
    struct Popup {
        const char* title;
        std::vector<Item> items;
    };
    const Popup popups[] = {
        {"&File",
         {{"New File", ID_NEW_FILE, "New File"},
          {"Load Channel Data", ID_LOAD_CHANNEL_DATA, "Load Channel Data"},
          {"Save Channel Data", ID_SAVE_CHANNEL_DATA, "Save Channel Data"},
          {"-", 0, ""},
          {"Exit", ID_APP_EXIT, ""}}},
        {"&Edit",
         {{"Add Channel", ID_ADD_CHANNEL, "Add Channel"},
          {"Delete Channel", ID_DELETE_CHANNEL, "Delete Channel"},
          {"Delete All", ID_DELETE_ALL, "Delete All"},
          {"Move Channel", ID_MOVE_CHANNEL, "Move Channel"}}},
        {"&Communication",
         {{"DATA STB->PC", ID_UPLOAD_CHANNEL_DATA, "Upload Channel Data"},
          {"&DATA PC->STB", ID_DOWNLOAD_CHANNEL_DATA, "Download Channel Data"},
          {"&Program PC->STB", ID_DOWNLOAD_PROGRAM, "Download Program"},
          {"KD STB->PC", ID_KEYDATA_UPLOAD, ""},
          {"KD PC->STB", ID_KEYDATA_DOWNLOAD, ""}}},
        {"&Help", {{"&About Quorvandelix...", ID_APP_ABOUT, ""}}},
    };
    QMenuBar* bar = frame()->menuBar();
    ASSERT_EQ(bar->actions().size(), static_cast<qsizetype>(std::size(popups)));
    for (size_t m = 0; m < std::size(popups); ++m) {
        const Popup& expected = popups[m];
        SCOPED_TRACE(expected.title);
        QMenu* menu = frame()->TopMenu(static_cast<int>(m));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QString(expected.title));
        const QList<QAction*> shown = menu->actions();
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(expected.items.size()));
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
        for (int i = 0; i < shown.size(); ++i) {
            const Item& item = expected.items[static_cast<size_t>(i)];
            SCOPED_TRACE(item.text);
            if (item.id == 0) {
                EXPECT_TRUE(shown[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(shown[i], frame()->Action(item.id));
            EXPECT_EQ(shown[i]->text(), QString(item.text));
            frame()->statusBar()->clearMessage();
            QTest::mouseMove(menu, menu->actionGeometry(shown[i]).center());
            QApplication::processEvents();
            EXPECT_EQ(frame()->statusBar()->currentMessage(), QString(item.prompt));
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }, 5000));
    }
}
