// The in-place edit box: opened by a click or F2, ended by keys or a focus
// loss, its report's column rules, growth, scroll tracking and its end when
// the rows change or the list goes. Driven by real key and mouse events.
#include "treefixture.h"

#include "listeditctrl.h"
#include "scrollbarparts.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Commit {
    int row;
    int column;
    std::string text;
    int rowsThen;
    bool operator==(const Commit&) const = default;
};

// Records every commit with the row count at that moment.
class RecordingGrid : public CopyingGrid {
  public:
    void CommitCellText(CTreeItem* node, platform::LV_ITEM* item) override {
        commits.push_back({item->iItem, item->iSubItem, item->pszText, GetItemCount()});
        if (onCommit) onCommit();
        CSuperGridCtrl::CommitCellText(node, item);
    }
    void SetCurrentColumn(int column) { m_CurSubItem = column; }
    void SetIconWidth(int width) { m_cxImage = width; }
    std::vector<Commit> commits;
    std::function<void()> onCommit; // what a commit does besides, as a message box would
    int limit = 80;                 // what GetEditTextLimit answers
    int GetEditTextLimit(int /*row*/, int /*column*/) override { return limit; }
};

class EditorTest : public TreeListTest {
  protected:
    void SetUp() override {
        TreeListTest::SetUp();
        grid.reset(); // the recording control takes the fixture's place
        recorder = new RecordingGrid;
        grid.reset(recorder);
        ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                                 platform::Rect(0, 0, 600, 300), owner.get(), 256));
        for (int column = 0; column < kColumns; ++column)
            grid->InsertColumn(column, std::to_string(column).c_str(), platform::LVCFMT_LEFT, 90);
        for (int r = 0; r < kRows; ++r)
            grid->InsertRootItem(Info(
                "name" + std::to_string(r), 0,
                {"chan" + std::to_string(r), "100", "200", "300", "400", "500", "600", "700"}));
    }

    static void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QWidget* ListWidget() const { return grid->GetClientWidget(); }
    QWidget* FocusWidget() const { return QApplication::focusWidget(); }
    CListEditCtrl* Box() const { return grid->GetEditBox(); }

    void Focus(int row) {
        grid->SelectAllRows(FALSE);
        grid->SetItemState(row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                           platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
        grid->SetFocus();
    }
    // F2 on the focused row, current column.
    void PressF2(int row, int column) {
        Focus(row);
        recorder->SetCurrentColumn(column);
        QTest::keyClick(ListWidget(), Qt::Key_F2);
        Settle();
    }
    QPoint CellCentre(int row, int column) const {
        platform::Rect rect;
        grid->GetSubItemRect(row, column, platform::LVIR_BOUNDS, rect);
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Click(int row, int column) {
        QTest::mouseClick(ListWidget(), Qt::LeftButton, {}, CellCentre(row, column));
        Settle();
    }
    static void Type(const char* keys) {
        QTest::keyClicks(QApplication::focusWidget(), keys);
        Settle();
    }
    static void Key(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        Settle();
    }

    static constexpr int kRows = 8;
    RecordingGrid* recorder = nullptr;
};

enum class Open { F2, Click };

struct EditCase {
    const char* name;
    int column;
    Open open;
    std::vector<Qt::Key> before; // keys after opening, before typing
    const char* typed;
    std::vector<Qt::Key> end;
    std::vector<Commit> commits;
    int focusRow;      // -1: not checked
    int currentColumn; // -1: not checked
};

TEST_F(EditorTest, KeysEndTheEditAndTheColumnRulesDecideTheCommit) {
    const std::string thirty(30, 'n');
    const EditCase cases[] = {
        {"name cut to 21",
         1,
         Open::F2,
         {},
         thirty.c_str(),
         {Qt::Key_Return},
         {{2, 1, std::string(21, 'n'), kRows}},
         3,
         -1},
        {"letter refused", 3, Open::F2, {}, "12a", {Qt::Key_Return}, {}, 3, -1},
        {"Esc cancels a selected text", 1, Open::F2, {}, "", {Qt::Key_Escape}, {}, -1, -1},
        {"first Esc empties, second cancels",
         1,
         Open::F2,
         {},
         "x",
         {Qt::Key_Escape, Qt::Key_Escape},
         {},
         -1,
         -1},
        {"click: caret at 0, Tab moves on",
         2,
         Open::Click,
         {},
         "9",
         {Qt::Key_Tab},
         {{2, 2, "9100", kRows}},
         -1,
         3},
        {"click: Down ends with the old text",
         2,
         Open::Click,
         {},
         "",
         {Qt::Key_Down},
         {{2, 2, "100", kRows}},
         3,
         -1},
        {"tree column: caret at 0",
         0,
         Open::F2,
         {},
         "x",
         {Qt::Key_Return},
         {{2, 0, "xname2", kRows}},
         -1,
         -1},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder->commits.clear();
        if (c.open == Open::F2)
            PressF2(2, c.column);
        else
            Click(2, c.column);
        ASSERT_NE(Box(), nullptr);
        const std::string old = RowText(2, c.column);
        for (Qt::Key key : c.before)
            Key(key);
        Type(c.typed);
        for (Qt::Key key : c.end)
            Key(key);
        EXPECT_EQ(Box(), nullptr);
        EXPECT_EQ(recorder->commits, c.commits);
        if (c.commits.empty()) {
            EXPECT_EQ(RowText(2, c.column), old);
        }
        if (c.focusRow >= 0) {
            EXPECT_EQ(grid->GetSelectedItem(), c.focusRow);
        }
        if (c.currentColumn >= 0) {
            EXPECT_EQ(grid->GetCurSubItem(), c.currentColumn);
        }
        EXPECT_EQ(platform::Window::GetFocus(), grid.get());
        // Put the row back for the next case.
        grid->DeleteAll();
        for (int r = 0; r < kRows; ++r)
            grid->InsertRootItem(Info(
                "name" + std::to_string(r), 0,
                {"chan" + std::to_string(r), "100", "200", "300", "400", "500", "600", "700"}));
    }
}

TEST_F(EditorTest, EscThenAFocusLossCommitsTheEmptiedBox) {
    Click(2, 4);
    ASSERT_NE(Box(), nullptr);
    Key(Qt::Key_End);
    Type("7");
    Key(Qt::Key_Escape);
    ASSERT_NE(Box(), nullptr);
    Click(5, 0); // elsewhere: the tree column opens its own box
    EXPECT_EQ(recorder->commits, (std::vector<Commit>{{2, 4, "", kRows}}));
}

TEST_F(EditorTest, OpenedBoxesSelectAsTheirOpeningSays) {
    struct Case {
        Open open;
        int column;
        int selStart, selEnd;
    };
    const Case cases[] = {
        {Open::Click, 2, 0, 0},
        {Open::F2, 2, 0, 3},
        {Open::F2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        if (c.open == Open::F2)
            PressF2(1, c.column);
        else
            Click(1, c.column);
        ASSERT_NE(Box(), nullptr);
        int start = -1, end = -1;
        Box()->GetSel(start, end);
        EXPECT_EQ(start, c.selStart);
        EXPECT_EQ(end, c.selEnd);
        EXPECT_EQ(Box()->ArrowsToList(), c.open == Open::Click);
        EXPECT_EQ(FocusWidget(), Box()->GetWidget());
        Key(Qt::Key_Escape);
        Key(Qt::Key_Escape);
    }
}

TEST_F(EditorTest, AnF2BoxKeepsTheArrows) {
    PressF2(1, 2);
    ASSERT_NE(Box(), nullptr);
    Key(Qt::Key_Down);
    EXPECT_NE(Box(), nullptr);
    EXPECT_TRUE(recorder->commits.empty());
}

TEST_F(EditorTest, DeleteInTheBoxRemovesTheCharacterAtTheCaret) {
    Click(1, 2); // "100", caret at 0
    ASSERT_NE(Box(), nullptr);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Box()->GetWindowText(), "00");
    Key(Qt::Key_Return);
    EXPECT_EQ(recorder->commits, (std::vector<Commit>{{1, 2, "00", kRows}}));
}

TEST_F(EditorTest, TypingWidensTheBoxUpToTheClientEdge) {
    // The last column that starts inside the client area.
    platform::Rect client;
    grid->GetClientRect(&client);
    int column = kColumns - 1;
    platform::Rect cell;
    while (column > 1 && (grid->GetSubItemRect(1, column, platform::LVIR_BOUNDS, cell),
                          cell.left >= client.right))
        --column;
    PressF2(1, column);
    ASSERT_NE(Box(), nullptr);
    Key(Qt::Key_End);
    int lastWidth = Box()->GetWidget()->width();
    for (int n = 0; n < 60; ++n) {
        Type("W");
        const int width = Box()->GetWidget()->width();
        EXPECT_GE(width, lastWidth);
        lastWidth = width;
    }
    platform::Rect box;
    Box()->GetWindowRect(&box);
    grid->ScreenToClient(&box);
    EXPECT_EQ(box.right, client.right);
}

TEST_F(EditorTest, AnOpenBoxFollowsItsCellWhenTheListScrolls) {
    for (int r = kRows; r < 40; ++r)
        grid->InsertRootItem(Info("more", 0, {"c", "1"}));
    recorder->SetIconWidth(16);
    grid->GetData(grid->GetTreeItem(5))->SetSubItemImage(1, 0);
    PressF2(5, 2);
    CListEditCtrl* box = Box();
    ASSERT_NE(box, nullptr);
    const int width = box->GetWidget()->width();

    // A line down on the bar: a click into its lower arrow.
    auto* area = qobject_cast<QAbstractScrollArea*>(grid->GetWidget());
    ASSERT_NE(area, nullptr);
    QScrollBar* bar = area->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const QRect arrow = ScrollBarPart(bar, QStyle::SC_ScrollBarAddLine);
    ASSERT_FALSE(arrow.isEmpty());
    const int topBefore = grid->GetTopIndex();
    QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
    Settle();
    EXPECT_EQ(grid->GetTopIndex(), topBefore + 1);
    QPoint wheelAt = CellCentre(10, 3);
    QWheelEvent wheel(wheelAt, ListWidget()->mapToGlobal(wheelAt), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ListWidget(), &wheel);
    grid->SendMessage(platform::WM_HSCROLL, platform::MAKEWPARAM(platform::SB_THUMBPOSITION, 40),
                      0);
    Settle();

    ASSERT_EQ(Box(), box);
    EXPECT_GT(grid->GetTopIndex(), 0);
    platform::Rect cell;
    grid->GetSubItemRect(5, 2, platform::LVIR_BOUNDS, cell);
    EXPECT_EQ(box->GetWidget()->pos(), QPoint(cell.left + 16, cell.top));
    EXPECT_EQ(box->GetWidget()->width(), width);
    EXPECT_EQ(FocusWidget(), box->GetWidget());
}

TEST_F(EditorTest, ATreeColumnBoxStaysOnTheLabel) {
    for (int r = kRows; r < 40; ++r)
        grid->InsertRootItem(Info("more"));
    PressF2(5, 0);
    ASSERT_NE(Box(), nullptr);
    grid->SendMessage(platform::WM_VSCROLL, platform::SB_LINEDOWN, 0);
    grid->SendMessage(platform::WM_HSCROLL, platform::MAKEWPARAM(platform::SB_THUMBPOSITION, 40),
                      0);
    Settle();
    ASSERT_NE(Box(), nullptr);
    platform::Rect label;
    grid->GetItemRect(5, &label, platform::LVIR_LABEL);
    EXPECT_EQ(Box()->GetWidget()->pos(), QPoint(label.left, label.top));
}

TEST_F(EditorTest, RowChangesEndTheBoxWithOneCommitForItsOwnRow) {
    struct Case {
        const char* name;
        void (*change)(CSuperGridCtrl*);
    };
    const Case cases[] = {
        {"DeleteAll", [](CSuperGridCtrl* g) { g->DeleteAll(); }},
        {"DeleteItemRows", [](CSuperGridCtrl* g) { g->DeleteItemRows(g->GetTreeItem(3), 3); }},
        {"InsertRootItem", [](CSuperGridCtrl* g) { g->InsertRootItem(new CItemInfo); }},
    };
    // A commit that takes the focus away from the box (as a message box
    // does) must not make it report again.
    platform::Window elsewhere;
    ASSERT_TRUE(elsewhere.Create(platform::WS_CHILD | platform::WS_VISIBLE,
                                 platform::Rect(610, 0, 650, 40), owner.get(), 77));
    elsewhere.GetWidget()->setFocusPolicy(Qt::StrongFocus);
    for (const bool commitMovesFocus : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) +
                         (commitMovesFocus ? ", the commit moves the focus" : ""));
            grid->DeleteAll();
            for (int r = 0; r < kRows; ++r)
                grid->InsertRootItem(Info("name", 0, {"chan", "100"}));
            recorder->commits.clear();
            PressF2(3, 1);
            CListEditCtrl* box = Box();
            ASSERT_NE(box, nullptr);
            const auto boxAlive = box->AliveToken();
            Type("X");
            recorder->onCommit =
                commitMovesFocus ? [&elsewhere] { elsewhere.SetFocus(); } : std::function<void()>();
            c.change(grid.get());
            recorder->onCommit = nullptr;
            EXPECT_EQ(recorder->commits, (std::vector<Commit>{{3, 1, "X", kRows}}));
            EXPECT_EQ(Box(), nullptr);
            EXPECT_TRUE(*boxAlive); // deleted only once the event loop runs
            Settle();
            EXPECT_FALSE(*boxAlive);
            EXPECT_EQ(recorder->commits.size(), 1u);
        }
    }
}

TEST_F(EditorTest, TheListGoingWithABoxOpenCommitsNothing) {
    PressF2(3, 1);
    ASSERT_NE(Box(), nullptr);
    const auto boxAlive = Box()->AliveToken();
    Type("X");
    std::vector<Commit>* commits = &recorder->commits;
    (void)commits;
    grid.reset();
    recorder = nullptr;
    Settle();
    EXPECT_FALSE(*boxAlive);
}

TEST_F(EditorTest, ReportsForNoRowOrACancelledEditChangeNothing) {
    struct Case {
        int row;
        int column;
        const char* text;
    };
    const Case cases[] = {
        {-1, 1, "text"},     // no row
        {2, 1, nullptr},     // cancelled
        {kRows + 3, 1, "x"}, // a row gone
        {2, 3, "4e5"},       // a letter in a number column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        std::string text = c.text ? c.text : "";
        platform::LV_DISPINFO info{};
        info.hdr.hwndFrom = grid.get();
        info.hdr.code = platform::LVN_ENDLABELEDIT;
        info.item.mask = platform::LVIF_TEXT;
        info.item.iItem = c.row;
        info.item.iSubItem = c.column;
        info.item.pszText = c.text ? text.data() : nullptr;
        owner->SendMessage(platform::WM_NOTIFY, 256, reinterpret_cast<platform::LPARAM>(&info));
    }
    EXPECT_TRUE(recorder->commits.empty());
    EXPECT_EQ(RowText(2, 1), "chan2");
}

// Text the box cannot hold: it stops at its limit, and characters outside
// Latin-1 are stored and shown as '?'.
TEST_F(EditorTest, TheBoxStopsAtItsLimitAndKeepsCharactersOutsideLatin1AsQuestionMarks) {
    struct Case {
        const char* name;
        int limit;
        QString typed;
        std::string committed;
    };
    const Case cases[] = {
        {"past the limit", 5, QStringLiteral("123456789"), "12345"},
        {"outside Latin-1", 80, QStringLiteral("a\u20ACb\u03A9"), "a?b?"},
        {"Latin-1 itself", 80, QStringLiteral("caf\u00E9"), "caf\xE9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder->commits.clear();
        recorder->limit = c.limit;
        PressF2(2, 1);
        ASSERT_NE(Box(), nullptr);
        for (const QChar ch : c.typed)
            QTest::sendKeyEvent(QTest::Click, FocusWidget(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
        Settle();
        Key(Qt::Key_Return);
        EXPECT_EQ(recorder->commits, (std::vector<Commit>{{2, 1, c.committed, kRows}}));
        EXPECT_EQ(RowText(2, 1), c.committed);
    }
}

// A report for a column the list does not have writes no cell of any row.
TEST_F(EditorTest, AReportForAColumnPastTheListWritesNoOtherCell) {
    std::vector<std::string> before;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            before.push_back(RowText(row, column));
    std::string text = "x";
    platform::LV_DISPINFO info{};
    info.hdr.hwndFrom = grid.get();
    info.hdr.code = platform::LVN_ENDLABELEDIT;
    info.item.mask = platform::LVIF_TEXT;
    info.item.iItem = 2;
    info.item.iSubItem = kColumns + 3;
    info.item.pszText = text.data();
    owner->SendMessage(platform::WM_NOTIFY, 256, reinterpret_cast<platform::LPARAM>(&info));
    std::vector<std::string> after;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            after.push_back(RowText(row, column));
    EXPECT_EQ(after, before);
}

TEST_F(EditorTest, OneEditorAtATime) {
    PressF2(1, 2);
    CListEditCtrl* first = Box();
    ASSERT_NE(first, nullptr);
    Type("5");
    grid->EditSubItem(4, 3);
    EXPECT_NE(Box(), first);
    EXPECT_EQ(recorder->commits, (std::vector<Commit>{{1, 2, "5", kRows}}));
    EXPECT_EQ(grid->GetDlgItem(4660), Box());
}

} // namespace

namespace {

TEST_F(EditorTest, WindowShortcutsDoNotFireInAFocusedBox) {
    QWidget* window = owner->GetWidget();
    int fired = 0;
    QAction deleteAction(window);
    deleteAction.setShortcut(QKeySequence(Qt::Key_Delete));
    QAction printAction(window);
    printAction.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction* action : {&deleteAction, &printAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, [&fired] { ++fired; });
        window->addAction(action);
    }
    Click(1, 2); // "100", caret at 0
    ASSERT_NE(Box(), nullptr);
    QTest::keyClick(FocusWidget(), Qt::Key_Delete);
    QTest::keyClick(FocusWidget(), Qt::Key_P, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(fired, 0);
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->GetWindowText(), "00");
    // The same keys on the list reach the window.
    grid->SetFocus();
    Settle();
    QTest::keyClick(ListWidget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(fired, 1);
}

} // namespace
