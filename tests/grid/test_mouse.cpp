// The grid's mouse with real Qt events on its client area: sizing by the
// dividers (and the tracking band on screen), heading clicks, selection by
// cells, rows and Ctrl, drag starts, editing, double clicks, the right
// button, the click command to the owner and the wheel.
#include "support/gridfixture.h"

#include "window/cursor.h"
#include "draw/imagelist.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <string>
#include <vector>

using namespace grid_test;
using namespace platform;

namespace {

constexpr int kChanging = static_cast<int>(LVN_ITEMCHANGING);
constexpr int kChanged = static_cast<int>(LVN_ITEMCHANGED);
constexpr int kClick = static_cast<int>(NM_CLICK);
constexpr int kDblClick = static_cast<int>(NM_DBLCLK);
constexpr int kRClick = static_cast<int>(NM_RCLICK);
constexpr int kExtended = static_cast<int>(LVN_COLUMNCLICK);
constexpr int kSelReset = static_cast<int>(GRIDN_SELRESET);

// An owner that also keeps the commands it receives.
class CommandOwner : public FakeOwner {
  public:
    struct Command {
        UINT id;
        UINT code;
        LPARAM lParam;
    };
    std::vector<Command> commands;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
        return TRUE;
    }
};

// A grid whose drag start (the drag work's) and vertical scrolls are
// recorded, with the options a derived grid may set.
class MouseGrid : public TestGrid {
  public:
    using TestGrid::TestGrid;
    int dragStarts = 0;
    std::vector<UINT> vscrolls;

    void SetDragAndDrop(BOOL allow) { m_bAllowDragAndDrop = allow; }
    void SetWheelLines(int lines) { m_nRowsPerWheelNotch = lines; }
    void SetAllowColHide(BOOL allow) { m_bAllowColHide = allow; }
    void SetAllowRowHide(BOOL allow) { m_bAllowRowHide = allow; }
    void SetColumnDividerPress(BOOL on) { m_bColumnDividerPress = on; }
    BOOL RightButtonDown() const { return m_bRMouseButtonDown; }
    void ForgetWheelRemainder() { m_nWheelRemainder = 0; }
    using CGridCtrl::CreateDragImage;

  protected:
    void OnBeginDrag() override { ++dragStarts; }
    void OnVScroll(UINT nSBCode, UINT nPos, ScrollBar* pScrollBar) override {
        vscrolls.push_back(nSBCode);
        TestGrid::OnVScroll(nSBCode, nPos, pScrollBar);
    }
};

// A 12 x 6 grid, one fixed row and one fixed column, "r,c" in every cell,
// in an owner that keeps its commands.
struct MouseTest : ::testing::Test {
    CommandOwner owner;
    MouseGrid grid{12, 6, 1, 1};

    void SetUp() override {
        ASSERT_TRUE(owner.IsActive());
        ASSERT_TRUE(grid.Create(Rect(0, 0, 380, 220), &owner, 1000));
        for (int r = 0; r < grid.GetRowCount(); ++r)
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                grid.SetItemText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
        // Six columns fit the width, twelve rows need the vertical bar.
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            grid.SetColumnWidth(c, 50);
        for (int r = 0; r < grid.GetRowCount(); ++r)
            grid.SetRowHeight(r, 20);
        grid.ResetScrollBars();
        grid.baseSelecting = true;
        QApplication::processEvents();
        owner.ClearRecords();
    }
    void TearDown() override { SetCursorPosSource({}); }

    QWidget* Client() { return grid.GetClientWidget(); }
    // Points computed from the grid's own geometry.
    Point Origin(int row, int col) {
        Point p;
        EXPECT_TRUE(grid.GetCellOrigin(row, col, &p)) << row << "," << col;
        return p;
    }
    QPoint Centre(int row, int col) {
        Rect r;
        EXPECT_TRUE(grid.GetCellRect(row, col, &r)) << row << "," << col;
        return r.CenterPoint().ToQPoint();
    }
    // In the heading row, dx pixels right of column col's left edge.
    QPoint AtColumnEdge(int col, int dx) {
        return QPoint(Origin(0, col).x + dx, grid.GetFixedRowHeight() / 2);
    }
    QPoint AtRowEdge(int row, int dy) {
        return QPoint(grid.GetFixedColumnWidth() / 2, Origin(row, 0).y + dy);
    }

    // A move with no button, sent even where the cursor already is.
    void Hover(QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, Client()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Client(), &move);
    }
    void Press(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mousePress(Client(), Qt::LeftButton, m, p);
    }
    void Release(QPoint p) { QTest::mouseRelease(Client(), Qt::LeftButton, Qt::NoModifier, p); }
    void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Hover(p);
        Press(p, m);
        Release(p);
    }
    // Through the window system, as a real double click arrives.
    void DoubleClick(QPoint p) {
        Hover(p);
        QWindow* window = owner.GetWidget()->windowHandle();
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier,
                           Client()->mapTo(owner.GetWidget(), p));
    }
    void Wheel(int delta) {
        const QPoint at = Centre(3, 3);
        QWheelEvent wheel(at, Client()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Client(), &wheel);
    }

    std::vector<CCellID> Selected() {
        std::vector<CCellID> cells;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                if (grid.IsCellSelected(r, c)) cells.emplace_back(r, c);
        return cells;
    }
    std::vector<CCellID> Block(int minRow, int minCol, int maxRow, int maxCol) {
        std::vector<CCellID> cells;
        for (int r = minRow; r <= maxRow; ++r)
            for (int c = minCol; c <= maxCol; ++c)
                cells.emplace_back(r, c);
        return cells;
    }
    std::vector<int> Codes() {
        std::vector<int> codes;
        for (const OwnerRecord& r : owner.Records())
            codes.push_back(r.code);
        return codes;
    }
    std::vector<std::string> Column(int col) {
        std::vector<std::string> texts;
        for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r)
            texts.push_back(grid.GetItemText(r, col));
        return texts;
    }
};

COLORREF Inverted(COLORREF c) {
    return ~c & 0xFFFFFF;
}

} // namespace

TEST_F(MouseTest, DraggingAColumnDividerSizesTheColumnAtTheRelease) {
    struct Case {
        const char* name;
        int hidden; // a column of width 0 before the press, -1 none
        BOOL dividerPress;
        int pressCol;  // the press is at this column's left edge ...
        int pressDx;   // ... plus this many pixels
        int releaseDx; // release: this many pixels right of the sized column's start
        BOOL allowHide;
        int sizedCol;
        int width;
    } cases[] = {
        {"just left of the edge", -1, TRUE, 3, -1, 40, TRUE, 2, 40},
        {"within 3 px right of the edge", -1, TRUE, 3, 2, 40, TRUE, 2, 40},
        {"left of the column's start hides it", -1, TRUE, 3, -1, -10, TRUE, 2, 0},
        {"left of the start with hiding off", -1, TRUE, 3, -1, -10, FALSE, 2, 1},
        {"right of a hidden column unhides it", 2, TRUE, 3, 1, 30, TRUE, 2, 30},
        {"with the press option off, hidden ones are passed", 2, FALSE, 3, 1, 30, TRUE, 1, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            grid.SetColumnWidth(col, col == c.hidden ? 0 : 50);
        grid.SetAllowColHide(c.allowHide);
        grid.SetColumnDividerPress(c.dividerPress);
        grid.ResetScrollBars();
        const std::vector<int> before = [&] {
            std::vector<int> w;
            for (int col = 0; col < grid.GetColumnCount(); ++col)
                w.push_back(grid.GetColumnWidth(col));
            return w;
        }();
        const QPoint press = AtColumnEdge(c.pressCol, c.pressDx);
        Hover(press);
        ASSERT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_COL_DIVIDE);
        Press(press);
        EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);
        EXPECT_EQ(GetCapture(), &grid);
        EXPECT_TRUE(GetClipCursor(nullptr));

        const QPoint release(Origin(0, c.sizedCol).x + c.releaseDx, press.y());
        QTest::mouseMove(Client(), release);
        Release(release);
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            EXPECT_EQ(grid.GetColumnWidth(col), col == c.sizedCol ? c.width : before[col])
                << "column " << col;
        EXPECT_NE(GetCapture(), &grid);
        EXPECT_FALSE(GetClipCursor(nullptr));
        EXPECT_TRUE(owner.RecordsOf(kChanging).empty()) << "sizing selects nothing";
    }
}

TEST_F(MouseTest, DraggingARowDividerSizesTheRow) {
    struct Case {
        const char* name;
        int pressDy; // from row 4's top edge
        int releaseDy;
        BOOL allowHide;
        int height;
    } cases[] = {
        {"taller", -1, 35, TRUE, 35},
        {"above its top hides it", 1, -6, TRUE, 0},
        {"above its top with hiding off", 1, -6, FALSE, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int row = 0; row < grid.GetRowCount(); ++row)
            grid.SetRowHeight(row, 20);
        grid.SetAllowRowHide(c.allowHide);
        const QPoint press = AtRowEdge(4, c.pressDy);
        Hover(press);
        ASSERT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_ROW_DIVIDE);
        Press(press);
        EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_ROW);
        const QPoint release(press.x(), Origin(3, 0).y + c.releaseDy);
        QTest::mouseMove(Client(), release);
        Release(release);
        EXPECT_EQ(grid.GetRowHeight(3), c.height);
        EXPECT_EQ(grid.GetRowHeight(4), 20);
    }
}

TEST_F(MouseTest, TheTrackingBandIsInvertedOnScreenAndFollowsTheMouse) {
    QImage image = Paint(grid);
    const QPoint press = AtColumnEdge(3, -1);
    const int x2 = press.x() + 25;
    // Below the heading, in the cells and below them.
    const int ys[] = {Centre(2, 2).y(), Centre(5, 4).y(), grid.GetFixedRowHeight() / 2};
    std::vector<COLORREF> at1, at2, beside;
    for (int y : ys) {
        at1.push_back(PixelAt(image, press.x(), y));
        at2.push_back(PixelAt(image, x2 + 1, y));
        beside.push_back(PixelAt(image, press.x() + 2, y));
    }

    Hover(press);
    Press(press);
    image = grid.GetSurface()->copy();
    for (std::size_t i = 0; i < std::size(ys); ++i) {
        EXPECT_EQ(PixelAt(image, press.x(), ys[i]), Inverted(at1[i])) << ys[i];
        EXPECT_EQ(PixelAt(image, press.x() + 2, ys[i]), beside[i]) << "2 pixels wide";
    }

    QTest::mouseMove(Client(), QPoint(x2, press.y()));
    image = grid.GetSurface()->copy();
    for (std::size_t i = 0; i < std::size(ys); ++i) {
        EXPECT_EQ(PixelAt(image, press.x(), ys[i]), at1[i]) << "the old band is gone";
        EXPECT_EQ(PixelAt(image, x2 + 1, ys[i]), Inverted(at2[i]));
    }
    Release(QPoint(x2, press.y()));
    EXPECT_EQ(grid.GetColumnWidth(2), x2 - Origin(0, 2).x);
}

TEST_F(MouseTest, ADividerThatCannotBeSizedLeavesNoBandAndNoSize) {
    // Scrolled so that column 1 is out of view: the divider at column 2's
    // left edge belongs to a column that has no place on screen.
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        grid.SetColumnWidth(col, 100);
    grid.ResetScrollBars();
    ASSERT_TRUE(grid.IsVisibleHScroll());
    grid.SetScrollPos32(SB_HORZ, 100);
    ASSERT_EQ(grid.GetTopleftNonFixedCell().col, 2);
    QImage image = Paint(grid);
    const QPoint press = AtColumnEdge(2, 1);
    const int y = Centre(3, 2).y();
    const COLORREF before = PixelAt(image, press.x(), y);

    Hover(press);
    ASSERT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_COL_DIVIDE);
    Press(press);
    EXPECT_EQ(PixelAt(grid.GetSurface()->copy(), press.x(), y), before);
    EXPECT_NE(grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);
    EXPECT_FALSE(GetClipCursor(nullptr));
    const QPoint release(press.x() + 30, press.y());
    QTest::mouseMove(Client(), release);
    Release(release);
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        EXPECT_EQ(grid.GetColumnWidth(col), 100) << "column " << col;
}

TEST_F(MouseTest, HeadingClicksSortUpThenDown) {
    const char* texts[] = {"kilo",  "alpha", "lima", "echo",    "bravo",  "juliet",
                           "delta", "hotel", "golf", "foxtrot", "charlie"};
    for (int r = 1; r < grid.GetRowCount(); ++r)
        grid.SetItemText(r, 2, texts[r - 1]);
    grid.SetHeaderSort(TRUE);
    std::vector<std::string> up(std::begin(texts), std::end(texts));
    std::sort(up.begin(), up.end());
    const std::vector<std::string> down(up.rbegin(), up.rend());

    Click(Centre(0, 2));
    EXPECT_EQ(Column(2), up);
    EXPECT_EQ(grid.GetSortColumn(), 2);
    EXPECT_TRUE(grid.GetSortAscending());
    Click(Centre(0, 2));
    EXPECT_EQ(Column(2), down);
    EXPECT_FALSE(grid.GetSortAscending());
    Click(Centre(0, 4));
    EXPECT_EQ(grid.GetSortColumn(), 4);
    EXPECT_TRUE(grid.GetSortAscending()) << "another heading starts ascending";
}

TEST_F(MouseTest, PressesInTheFixedCellsSelectWholeRowsColumnsOrEverything) {
    struct Case {
        const char* name;
        CCellID press;
        CCellID moveTo;
        BOOL fixedColumnSelection;
        BOOL listMode;
        std::vector<CCellID> selected;
    } cases[] = {
        {"a column heading, dragged", {0, 2}, {0, 3}, TRUE, FALSE, Block(1, 2, 11, 3)},
        {"a row heading, dragged", {2, 0}, {5, 0}, TRUE, FALSE, Block(2, 1, 5, 5)},
        {"a row heading in list mode", {2, 0}, {4, 0}, TRUE, TRUE, Block(2, 1, 4, 5)},
        {"a row heading without fixed-column selection", {2, 0}, {4, 0}, FALSE, FALSE, {}},
        {"the corner", {0, 0}, {0, 0}, TRUE, FALSE, Block(1, 1, 11, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ResetSelectedRange();
        grid.SetSelectionOptions(TRUE, c.listMode);
        grid.SetFixedColumnSelection(c.fixedColumnSelection);
        const QPoint to = Centre(c.moveTo.row, c.moveTo.col);
        Hover(Centre(c.press.row, c.press.col));
        Press(Centre(c.press.row, c.press.col));
        QTest::mouseMove(Client(), to);
        Release(to);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(grid.dragStarts, 0);
        EXPECT_EQ(grid.GetSelectionTimerId(), 0u);
    }
}

TEST_F(MouseTest, CellPressesSelectAndHoldTheSelectionTimer) {
    Click(Centre(2, 2));
    Hover(Centre(4, 3));
    Press(Centre(4, 3), Qt::ShiftModifier);
    EXPECT_EQ(grid.GetTimerPeriod(CGridCtrl::kSelectionTimerId), 25u);
    EXPECT_EQ(GetCapture(), &grid);
    Release(Centre(4, 3));
    EXPECT_EQ(grid.GetTimerPeriod(CGridCtrl::kSelectionTimerId), 0u);
    EXPECT_EQ(Selected(), Block(2, 2, 4, 3)) << "Shift extends from the selection start";
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 3));

    // The timer extends a held selection toward the cursor below the grid.
    Rect client;
    grid.GetClientRect(&client);
    Point below(Centre(5, 4).x(), client.bottom + 10);
    grid.ClientToScreen(&below);
    Hover(Centre(5, 4));
    Press(Centre(5, 4));
    QTest::mouseMove(Client(), Centre(6, 4));
    EXPECT_EQ(Selected(), Block(5, 4, 5, 4)) << "a move over cells leaves it to the timer";
    SetCursorPosSource([&] { return below; });
    ASSERT_TRUE(grid.FireTimer(CGridCtrl::kSelectionTimerId));
    const CCellSpan span = grid.GetSelectedCellRange();
    EXPECT_EQ(span.GetMinRow(), 5);
    EXPECT_GT(span.GetMaxRow(), 6);
    Release(Centre(6, 4));
}

TEST_F(MouseTest, CtrlPressesTakeCellsOutOfOrAddThemToTheSelection) {
    struct Case {
        const char* name;
        BOOL listMode;
        CCellID ctrlPress;
        std::vector<CCellID> selected;
    } cases[] = {
        {"a selected cell leaves the selection",
         FALSE,
         {3, 2},
         [&] {
             auto cells = Block(2, 2, 4, 3);
             cells.erase(cells.begin() + 2);
             return cells;
         }()},
        {"an unselected cell joins it",
         FALSE,
         {6, 5},
         [&] {
             auto cells = Block(2, 2, 4, 3);
             cells.emplace_back(6, 5);
             return cells;
         }()},
        {"list mode: a selected row leaves",
         TRUE,
         {3, 2},
         [&] {
             auto cells = Block(2, 1, 2, 5);
             for (const CCellID& cell : Block(4, 1, 4, 5))
                 cells.push_back(cell);
             return cells;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ResetSelectedRange();
        grid.SetSelectionOptions(TRUE, c.listMode);
        Click(Centre(2, 2));
        Click(Centre(4, 3), Qt::ShiftModifier);
        ASSERT_EQ(Selected().size(), c.listMode ? 15u : 6u);
        Click(Centre(c.ctrlPress.row, c.ctrlPress.col), Qt::ControlModifier);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(grid.GetFocusCell(), c.ctrlPress);
    }
}

TEST_F(MouseTest, ListModePressAndMoveStartsADrag) {
    struct Case {
        const char* name;
        BOOL listMode;
        BOOL dragAndDrop;
        int dragStarts;
    } cases[] = {
        {"list mode, drag allowed", TRUE, TRUE, 1},
        // The drag work decides that no drag runs; the move does not extend.
        {"list mode, drag not allowed", TRUE, FALSE, 1},
        {"cells", FALSE, TRUE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ResetSelectedRange();
        grid.SetSelectionOptions(TRUE, c.listMode);
        grid.SetDragAndDrop(c.dragAndDrop);
        grid.dragStarts = 0;
        Hover(Centre(3, 2));
        Press(Centre(3, 2));
        owner.ClearRecords();
        QTest::mouseMove(Client(), Centre(6, 2));
        EXPECT_EQ(grid.dragStarts, c.dragStarts);
        EXPECT_TRUE(owner.RecordsOf(kExtended).empty()) << "the move selects nothing more";
        if (c.dragStarts) {
            EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_PREPARE_DRAG);
        }
        Release(Centre(6, 2));
    }
}

TEST_F(MouseTest, AClickInTheSelectionWithDragAllowedClearsIt) {
    grid.SetDragAndDrop(TRUE);
    Click(Centre(2, 2));
    Click(Centre(3, 4), Qt::ShiftModifier);
    ASSERT_EQ(Selected().size(), 6u);
    owner.ClearRecords();
    Click(Centre(2, 3));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(Codes(), (std::vector<int>{kClick, kChanging, kSelReset, kChanged}));
    EXPECT_EQ(grid.dragStarts, 0);
}

TEST_F(MouseTest, ReleaseOnTheFocusCellsTextOpensTheEditor) {
    struct Case {
        const char* name;
        BOOL editable;
        Qt::KeyboardModifiers second;
        bool editing;
    } cases[] = {
        {"a second click", TRUE, Qt::NoModifier, true},
        {"a grid not editable", FALSE, Qt::NoModifier, false},
        {"with Ctrl", TRUE, Qt::ControlModifier, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetEditable(c.editable);
        grid.ResetSelectedRange();
        Click(Centre(4, 4));
        ASSERT_EQ(grid.GetFocusCell(), CCellID(4, 4));
        EXPECT_FALSE(grid.IsItemEditing(4, 4));
        Click(Centre(4, 4), c.second);
        QApplication::processEvents();
        EXPECT_EQ(grid.IsItemEditing(4, 4) != FALSE, c.editing);
        grid.EndEditing();
        QApplication::processEvents();
    }
}

TEST_F(MouseTest, DoubleClicks) {
    struct Case {
        const char* name;
        CCellID cell;
        bool editing;
    } cases[] = {
        {"a cell opens the editor", {3, 3}, true},
        {"a heading opens none", {0, 3}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.ClearRecords();
        DoubleClick(Centre(c.cell.row, c.cell.col));
        QApplication::processEvents();
        EXPECT_EQ(grid.IsItemEditing(c.cell.row, c.cell.col) != FALSE, c.editing);
        const auto dbl = owner.RecordsOf(kDblClick);
        ASSERT_EQ(dbl.size(), 1u);
        EXPECT_EQ(CCellID(dbl[0].row, dbl[0].col), c.cell);
        grid.EndEditing();
        QApplication::processEvents();
    }
}

TEST_F(MouseTest, ADividerDoubleClickAutoSizesTheShownColumnLeftOfIt) {
    grid.SetItemText(4, 1, "a text much wider than the column it sits in");
    grid.SetColumnWidth(2, 0);
    grid.ResetScrollBars();
    const int narrow = grid.GetColumnWidth(1);
    const int width3 = grid.GetColumnWidth(3);

    DoubleClick(AtColumnEdge(3, 1));
    const int sized = grid.GetColumnWidth(1);
    EXPECT_GT(sized, narrow);
    EXPECT_EQ(grid.GetColumnWidth(2), 0) << "the hidden column stays hidden";
    EXPECT_EQ(grid.GetColumnWidth(3), width3);
    ASSERT_TRUE(grid.AutoSizeColumn(1));
    EXPECT_EQ(grid.GetColumnWidth(1), sized) << "the width is the auto-size's";
}

TEST_F(MouseTest, ARowDividerDoubleClickAutoSizesTheRowAboveIt) {
    grid.SetRowHeight(3, 60);
    DoubleClick(AtRowEdge(4, 1));
    const int sized = grid.GetRowHeight(3);
    EXPECT_LT(sized, 60);
    ASSERT_TRUE(grid.AutoSizeRow(3));
    EXPECT_EQ(grid.GetRowHeight(3), sized);
}

TEST_F(MouseTest, AClickPostsACommandToTheOwner) {
    struct Case {
        const char* name;
        QPoint point;
        std::size_t commands;
    } cases[] = {
        {"on a cell", Centre(2, 2), 1},
        {"on a heading", Centre(0, 3), 1},
        {"right of the last column", QPoint(Origin(0, 5).x + grid.GetColumnWidth(5) + 5, 30), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.commands.clear();
        Click(c.point);
        EXPECT_TRUE(owner.commands.empty()) << "posted, not sent";
        QApplication::processEvents();
        ASSERT_EQ(owner.commands.size(), c.commands);
        if (c.commands == 0) continue;
        EXPECT_EQ(owner.commands[0].id, 1000u);
        EXPECT_EQ(owner.commands[0].code, 0u);
        EXPECT_EQ(owner.commands[0].lParam, reinterpret_cast<LPARAM>(&grid));
    }
}

TEST_F(MouseTest, AClickReportsChangingSelectingChangedAndClick) {
    Click(Centre(3, 2));
    EXPECT_EQ(Codes(), (std::vector<int>{kChanging, kExtended, kChanged, kClick}));
    EXPECT_EQ(owner.Records().back().row, 3);
    EXPECT_EQ(owner.Records().back().col, 2);
    EXPECT_EQ(Selected(), Block(3, 2, 3, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
}

TEST_F(MouseTest, RightClicksMoveTheFocusAndReport) {
    struct Case {
        const char* name;
        QPoint point;
        CCellID focus;
        CCellID reported;
    } cases[] = {
        {"a cell", Centre(5, 3), {5, 3}, {5, 3}},
        {"a heading focuses the first row below it", Centre(0, 3), {1, 3}, {0, 3}},
        {"off the cells", QPoint(Origin(0, 5).x + grid.GetColumnWidth(5) + 5, 30), {1, 3}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.ClearRecords();
        QTest::mousePress(Client(), Qt::RightButton, Qt::NoModifier, c.point);
        EXPECT_FALSE(grid.RightButtonDown()) << "the press is not the grid's";
        QTest::mouseRelease(Client(), Qt::RightButton, Qt::NoModifier, c.point);
        EXPECT_EQ(grid.GetFocusCell(), c.focus);
        const auto clicks = owner.RecordsOf(kRClick);
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(CCellID(clicks[0].row, clicks[0].col), c.reported);
    }
}

TEST_F(MouseTest, TheWheelQueuesScrollMessages) {
    struct Case {
        const char* name;
        int lines;
        std::vector<int> deltas;
        std::vector<UINT> codes;
    } cases[] = {
        {"a notch, three lines", 3, {120}, {SB_LINEUP, SB_LINEUP, SB_LINEUP}},
        {"eight touchpad steps of 15",
         3,
         std::vector<int>(8, 15),
         {SB_LINEUP, SB_LINEUP, SB_LINEUP}},
        {"a notch down", 3, {-120}, {SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}},
        {"one line a notch", 1, {-120, -120}, {SB_LINEDOWN, SB_LINEDOWN}},
        {"a turn drops the rest", 3, {30, -30, -30}, {SB_LINEDOWN}},
        {"a still step keeps it", 3, {-60, 0, -60}, {SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}},
        {"pages", -1, {120, -240}, {SB_PAGEUP, SB_PAGEDOWN, SB_PAGEDOWN}},
        {"pages by half notches", -1, {60, 60, 60}, {SB_PAGEUP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetWheelLines(c.lines);
        grid.ForgetWheelRemainder();
        grid.vscrolls.clear();
        for (int delta : c.deltas)
            Wheel(delta);
        EXPECT_TRUE(grid.vscrolls.empty()) << "posted, not sent";
        QApplication::processEvents();
        EXPECT_EQ(grid.vscrolls, c.codes);
    }
}

TEST_F(MouseTest, ANotchDownScrollsThreeRows) {
    grid.SetWheelLines(3);
    grid.SetRowCount(40);
    grid.ResetScrollBars();
    ASSERT_TRUE(grid.IsVisibleVScroll());
    const int top = grid.GetTopleftNonFixedCell().row;
    Wheel(-120);
    QApplication::processEvents();
    EXPECT_EQ(grid.GetTopleftNonFixedCell().row, top + 3);
}

TEST_F(MouseTest, TheDragImageIsTheFocusCell) {
    Point hotSpot;
    EXPECT_EQ(grid.CreateDragImage(&hotSpot), nullptr) << "no focus cell";
    Click(Centre(2, 3));
    Rect cell;
    ASSERT_TRUE(grid.GetCellRect(2, 3, &cell));
    const std::unique_ptr<ImageList> image = grid.CreateDragImage(&hotSpot);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetImageCount(), 1);
    EXPECT_EQ(hotSpot, Point(cell.Width(), cell.Height()));
    ImageInfo info;
    ASSERT_TRUE(image->GetImageInfo(0, &info));
    EXPECT_EQ(info.rcImage.Width(), cell.Width());
    EXPECT_EQ(info.rcImage.Height(), cell.Height());
}
