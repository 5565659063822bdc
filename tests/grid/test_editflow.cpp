// The editing flow and the keyboard on a windowed grid in a fake owner:
// owner answers, refusals, structural changes under an open editor, the
// navigation keys and the continuation after Tab or an arrow.
#include "support/gridfixture.h"

#include "inplaceedit.h"
#include "window/cursor.h"
#include "draw/font.h"
#include "base/keys.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <functional>

using namespace grid_test;
using namespace platform;

namespace {

constexpr int kBegin = static_cast<int>(LVN_BEGINLABELEDIT);
constexpr int kEnd = static_cast<int>(LVN_ENDLABELEDIT);

CInPlaceEdit* EditorOf(CGridCtrl& grid, int row, int col) {
    CGridCellBase* cell = grid.GetCell(row, col);
    return cell ? dynamic_cast<CInPlaceEdit*>(cell->GetEditWnd()) : nullptr;
}

// A 20 x 8 grid (one fixed row and column) with "r,c" in every cell.
struct EditGrid : WindowedGrid {
    EditGrid() : WindowedGrid(20, 8, 1, 1) {
        ResetInputState();
        for (int r = 0; r < 20; ++r)
            for (int c = 0; c < 8; ++c)
                grid.SetItemText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
        grid.SetModified(FALSE);
        grid.baseSelecting = true;
        owner.ClearRecords();
    }
    void Open(int row, int col, UINT ch) {
        grid.OnEditCell(row, col, Point(-1, -1), ch);
        QApplication::processEvents();
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const OwnerRecord& r : owner.Records())
            codes.push_back(r.code);
        return codes;
    }
};

} // namespace

TEST(GridEditFlow, OwnerAnswersDecide) {
    {
        SCOPED_TRACE("begin answered -1 blocks the edit");
        EditGrid g;
        ASSERT_TRUE(g.owner.IsActive());
        g.owner.answers[kBegin] = -1;
        g.Open(2, 2, 'x');
        EXPECT_EQ(EditorOf(g.grid, 2, 2), nullptr);
        EXPECT_FALSE(g.grid.IsItemEditing(2, 2));
    }
    {
        SCOPED_TRACE("end answered -1 keeps the old text");
        EditGrid g;
        g.owner.answers[kEnd] = -1;
        g.Open(2, 2, 'x');
        ASSERT_NE(EditorOf(g.grid, 2, 2), nullptr);
        g.grid.EndEditing();
        EXPECT_EQ(g.grid.GetItemText(2, 2), "2,2");
        EXPECT_FALSE(g.grid.IsItemEditing(2, 2));
        EXPECT_EQ(g.Codes(), (std::vector<int>{kBegin, kEnd}));
    }
    {
        SCOPED_TRACE("an unchanged end notifies and marks modified");
        EditGrid g;
        g.Open(2, 2, VK_LBUTTON);
        g.grid.EndEditing();
        EXPECT_EQ(g.grid.GetItemText(2, 2), "2,2");
        EXPECT_EQ(g.Codes(), (std::vector<int>{kBegin, kEnd}));
        EXPECT_TRUE(g.grid.GetModified(2, 2));
        EXPECT_TRUE(g.grid.GetModified());
    }
}

TEST(GridEditFlow, RefusalsSendNothing) {
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> setup;
    } cases[] = {
        {"read-only cell", [](CGridCtrl& g) { g.SetItemState(2, 2, CELL_READONLY); }},
        {"grid not editable", [](CGridCtrl& g) { g.SetEditable(FALSE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        c.setup(g.grid);
        g.owner.ClearRecords();
        g.Open(2, 2, 'x');
        EXPECT_TRUE(g.owner.Records().empty());
        EXPECT_EQ(EditorOf(g.grid, 2, 2), nullptr);
    }
}

TEST(GridEditFlow, AScrolledOutCellIsScrolledIn) {
    EditGrid g;
    ASSERT_FALSE(g.grid.IsCellVisible(18, 7));
    g.Open(18, 7, 'x');
    EXPECT_TRUE(g.grid.IsCellVisible(18, 7));
    ASSERT_NE(EditorOf(g.grid, 18, 7), nullptr);
    g.grid.EndEditing();
    EXPECT_EQ(g.grid.GetItemText(18, 7), "x");
}

TEST(GridEditFlow, StructuralChangesEndTheEditFirst) {
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> change;
        bool cellSurvives;
        size_t ends = 1; // end reports the owner hears
    } cases[] = {
        // The owner deletes the row of the cell about to be edited while it
        // answers the end of the editor still open on another cell.
        {"edit another cell, its row deleted at the end report",
         [](CGridCtrl& g) {
             auto* owner = dynamic_cast<FakeOwner*>(g.GetOwner());
             ASSERT_NE(owner, nullptr);
             owner->answerFor = [&g, done = false](const OwnerRecord& r) mutable -> LRESULT {
                 if (r.code == kEnd && !done) {
                     done = true;
                     g.DeleteRow(2);
                 }
                 return 0;
             };
             // Inside the shown block: no scroll ends the editor beforehand.
             const CCellSpan shown = g.GetVisibleNonFixedCellRange();
             ASSERT_TRUE(shown.InRange(CCellID(2, 2)));
             g.OnEditCell(2, 2, Point(-1, -1), 'b');
             QApplication::processEvents();
             // The edit opens on the cell that took the row's place; Escape
             // leaves it as it was.
             CInPlaceEdit* edit = EditorOf(g, 2, 2);
             ASSERT_NE(edit, nullptr);
             EXPECT_EQ(edit->GetWindowText(), "b");
             EXPECT_EQ(g.GetItemText(2, 2), "3,2");
             QTest::keyClick(edit->GetWidget(), Qt::Key_Escape);
         },
         true, 2},
        {"sort", [](CGridCtrl& g) { g.SortTextItems(2, FALSE); }, true},
        {"delete a row above", [](CGridCtrl& g) { g.DeleteRow(1); }, true},
        {"insert a row above", [](CGridCtrl& g) { g.InsertRow("new", 1); }, true},
        {"fewer rows", [](CGridCtrl& g) { g.SetRowCount(3); }, false},
        {"delete everything", [](CGridCtrl& g) { g.DeleteAllItems(); }, false},
        {"new cell type", [](CGridCtrl& g) { g.SetCellType(5, 2, CGridCell::Class()); }, false},
        {"end off the focus cell", [](CGridCtrl& g) { g.EndEditing(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        g.grid.SetFocusCell(1, 1);
        g.Open(5, 2, 'n'); // not the focus cell
        ASSERT_NE(EditorOf(g.grid, 5, 2), nullptr);
        c.change(g.grid);
        QApplication::processEvents();
        int typed = 0;
        for (int r = 0; r < g.grid.GetRowCount(); ++r)
            for (int col = 0; col < g.grid.GetColumnCount(); ++col) {
                const std::string text = g.grid.GetItemText(r, col);
                EXPECT_FALSE(g.grid.IsItemEditing(r, col)) << r << "," << col;
                if (text == "n") {
                    ++typed;
                    EXPECT_EQ(col, 2);
                } else if (!text.empty() && text != "new") { // not an inserted row
                    // Every other cell still holds a text it was given.
                    EXPECT_EQ(text.find(','), text.rfind(',')) << text;
                    EXPECT_EQ(text.substr(text.find(',') + 1), std::to_string(col)) << text;
                }
            }
        EXPECT_LE(typed, 1);
        if (c.cellSurvives) {
            EXPECT_EQ(typed, 1);
        }
        EXPECT_EQ(g.owner.RecordsOf(kEnd).size(), c.ends);
    }
}

// One key on the grid: focus before, key, modifiers -> focus after,
// selected block and top-left cell.
struct KeyCase {
    const char* name;
    CCellID focus;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    CCellID expectFocus;
    CCellSpan expectSelection; // invalid: nothing selected
    int expectLeftCol;         // -1: not checked
    std::function<void(CGridCtrl&)> before = nullptr;
};

TEST(GridKeys, NavigationTable) {
    const KeyCase cases[] = {
        {"no focus", CCellID(), Qt::Key_Down, Qt::NoModifier, CCellID(), CCellSpan(), -1},
        {"down on the last row", CCellID(19, 2), Qt::Key_Down, Qt::NoModifier, CCellID(19, 2),
         CCellSpan(), -1},
        {"up at the first row", CCellID(1, 2), Qt::Key_Up, Qt::NoModifier, CCellID(1, 2),
         CCellSpan(), -1},
        {"down over a hidden row", CCellID(2, 2), Qt::Key_Down, Qt::NoModifier, CCellID(4, 2),
         CCellSpan(4, 2, 4, 2), -1},
        {"right over a hidden column", CCellID(1, 2), Qt::Key_Right, Qt::NoModifier, CCellID(1, 4),
         CCellSpan(1, 4, 1, 4), -1},
        {"tab at a row's end", CCellID(1, 7), Qt::Key_Tab, Qt::NoModifier, CCellID(2, 1),
         CCellSpan(2, 1, 2, 1), 1,
         [](CGridCtrl& g) {
             g.EnsureVisible(1, 7);
             EXPECT_GT(g.GetTopleftNonFixedCell().col, 1);
         }},
        {"tab at the last cell", CCellID(19, 7), Qt::Key_Tab, Qt::NoModifier, CCellID(19, 7),
         CCellSpan(), -1},
        {"shift+tab at a row's start", CCellID(2, 1), Qt::Key_Backtab, Qt::ShiftModifier,
         CCellID(1, 7), CCellSpan(1, 7, 1, 7), -1},
        // A hidden row is never a target: with none shown below (above) the
        // focus stays.
        {"tab at a row's end, every row below hidden", CCellID(2, 7), Qt::Key_Tab,
         Qt::NoModifier, CCellID(2, 7), CCellSpan(), -1,
         [](CGridCtrl& g) {
             for (int r = 4; r < 20; ++r)
                 g.SetRowHeight(r, 0);
         }},
        {"shift+tab at a row's start, every row above hidden", CCellID(2, 1), Qt::Key_Backtab,
         Qt::ShiftModifier, CCellID(2, 1), CCellSpan(), -1,
         [](CGridCtrl& g) { g.SetRowHeight(1, 0); }},
        {"tab at a row's end over hidden rows", CCellID(2, 7), Qt::Key_Tab, Qt::NoModifier,
         CCellID(6, 1), CCellSpan(6, 1, 6, 1), -1,
         [](CGridCtrl& g) {
             g.SetRowHeight(4, 0);
             g.SetRowHeight(5, 0);
         }},
        {"shift+right keeps the anchor", CCellID(1, 1), Qt::Key_Right, Qt::ShiftModifier,
         CCellID(1, 2), CCellSpan(1, 1, 1, 2), -1},
        {"page down at the bottom", CCellID(10, 1), Qt::Key_PageDown, Qt::NoModifier,
         CCellID(19, 1), CCellSpan(19, 1, 19, 1), -1,
         [](CGridCtrl& g) { g.SendMessage(WM_VSCROLL, SB_BOTTOM, 0); }},
        {"ctrl+home", CCellID(10, 5), Qt::Key_Home, Qt::ControlModifier, CCellID(1, 1),
         CCellSpan(1, 1, 1, 1), 1, [](CGridCtrl& g) { g.EnsureVisible(10, 7); }},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        ASSERT_TRUE(g.owner.IsActive());
        g.grid.SetRowHeight(3, 0);
        g.grid.SetColumnWidth(3, 0);
        g.grid.SetFocusCell(c.focus);
        g.grid.SetSelectionStart(c.focus);
        if (c.before) c.before(g.grid);
        QTest::keyClick(g.grid.GetWidget(), c.key, c.mods);
        ResetInputState();
        EXPECT_EQ(g.grid.GetFocusCell(), c.expectFocus);
        if (c.expectSelection.IsValid()) {
            EXPECT_EQ(g.grid.GetSelectedCellRange(), c.expectSelection);
        } else {
            EXPECT_EQ(g.grid.GetSelectedCount(), 0);
        }
        if (c.expectLeftCol >= 0) {
            EXPECT_EQ(g.grid.GetTopleftNonFixedCell().col, c.expectLeftCol);
        }
        if (c.expectFocus == CCellID(1, 1)) {
            EXPECT_EQ(g.grid.GetTopleftNonFixedCell().row, 1);
        }
        for (int r = 0; r < 20; ++r)
            for (int col = 0; col < 8; ++col)
                EXPECT_FALSE(g.grid.IsItemEditing(r, col));
    }
}

TEST(GridKeys, TypedKeysAndF2) {
    {
        SCOPED_TRACE("esc and tab typed open nothing");
        EditGrid g;
        g.grid.SetFocusCell(2, 2);
        QTest::keyClick(g.grid.GetWidget(), Qt::Key_Escape);
        QTest::keyClick(g.grid.GetWidget(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_TRUE(g.owner.RecordsOf(kBegin).empty());
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 3));
    }
    {
        SCOPED_TRACE("a letter opens an editor holding it");
        EditGrid g;
        g.grid.SetFocusCell(2, 2);
        QTest::keyClick(g.grid.GetWidget(), Qt::Key_K);
        QApplication::processEvents();
        CInPlaceEdit* edit = EditorOf(g.grid, 2, 2);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetWindowText(), "k");
        g.grid.EndEditing();
        EXPECT_EQ(g.grid.GetItemText(2, 2), "k");
    }
    {
        SCOPED_TRACE("F2 puts the caret at the end");
        EditGrid g;
        g.grid.SetFocusCell(2, 2);
        QTest::keyClick(g.grid.GetWidget(), Qt::Key_F2);
        QApplication::processEvents();
        CInPlaceEdit* edit = EditorOf(g.grid, 2, 2);
        ASSERT_NE(edit, nullptr);
        int start = -1, end = -1;
        edit->GetSel(start, end);
        EXPECT_EQ(start, 3);
        EXPECT_EQ(end, 3);
        EXPECT_FALSE(edit->GetExitOnArrows());
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
        g.grid.EndEditing();
    }
}

TEST(GridKeys, AnEditEndedByAKeyMovesOn) {
    {
        SCOPED_TRACE("down writes and opens the editor below");
        EditGrid g;
        g.grid.SetFocusCell(2, 2);
        g.Open(2, 2, 'q');
        CInPlaceEdit* edit = EditorOf(g.grid, 2, 2);
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit->GetWidget(), Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(g.grid.GetItemText(2, 2), "q");
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(3, 2));
        CInPlaceEdit* below = EditorOf(g.grid, 3, 2);
        ASSERT_NE(below, nullptr);
        EXPECT_EQ(below->GetWindowText(), "3,2");
        g.grid.EndEditing();
    }
    {
        SCOPED_TRACE("tab logs the end, the move and the next begin");
        EditGrid g;
        g.grid.SetFocusCell(2, 2);
        g.grid.SetSelectionStart(CCellID(2, 2));
        g.Open(2, 2, 'q');
        CInPlaceEdit* edit = EditorOf(g.grid, 2, 2);
        ASSERT_NE(edit, nullptr);
        g.owner.ClearRecords();
        QTest::keyClick(edit->GetWidget(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(g.Codes(), (std::vector<int>{kEnd, static_cast<int>(LVN_ITEMCHANGING),
                                               static_cast<int>(LVN_COLUMNCLICK),
                                               static_cast<int>(LVN_ITEMCHANGED), kBegin}));
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 3));
        EXPECT_NE(EditorOf(g.grid, 2, 3), nullptr);
        g.grid.EndEditing();
    }
    {
        SCOPED_TRACE("shift+tab moves back");
        EditGrid g;
        g.grid.SetFocusCell(2, 3);
        QTest::keyClick(g.grid.GetWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        ResetInputState();
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
    }
}

TEST(GridKeys, AFontGivenToTheWindowReachesTheFourDefaultCells) {
    EditGrid g;
    FontDesc desc;
    desc.lfHeight = -23;
    std::strcpy(desc.lfFaceName, "Sans");
    Font font(desc);
    g.grid.SetFont(&font);
    for (BOOL fixedRow : {FALSE, TRUE})
        for (BOOL fixedCol : {FALSE, TRUE}) {
            const LOGFONT* lf = g.grid.GetDefaultCell(fixedRow, fixedCol)->GetFont();
            ASSERT_NE(lf, nullptr);
            EXPECT_EQ(lf->lfHeight, -23);
            EXPECT_STREQ(lf->lfFaceName, "Sans");
        }
    EXPECT_EQ(g.grid.GetFont(), g.grid.GetDefaultCell(FALSE, FALSE)->GetFontObject());
}

TEST(GridKeys, CursorFollowsTheMouseMode) {
    EditGrid g;
    struct Case {
        int mode;
        int cursor;
    } cases[] = {{6, IDC_SIZENS}, {8, IDC_SIZEWE}};
    for (const Case& c : cases) {
        g.grid.SetMouseMode(c.mode);
        SetCursor(LoadStandardCursor(IDC_ARROW));
        EXPECT_TRUE(g.grid.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(&g.grid),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadStandardCursor(c.cursor));
    }
    // Dragging leaves the cursor alone.
    g.grid.SetMouseMode(CGridCtrl::MOUSE_DRAGGING);
    SetCursor(LoadStandardCursor(IDC_ARROW));
    g.grid.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(&g.grid),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_ARROW));
    g.grid.SetMouseMode(CGridCtrl::MOUSE_NOTHING);
}

namespace {

// Logs which clipboard command a key reached.
class ClipboardGrid : public TestGrid {
  public:
    std::vector<std::string> calls;
    void OnEditCopy() override { calls.push_back("copy"); }
    void OnEditCut() override { calls.push_back("cut"); }
    void OnEditPaste() override { calls.push_back("paste"); }
    void OnEditSelectAll() override { calls.push_back("select all"); }
};

} // namespace

TEST(GridKeys, ClipboardKeysReachTheCommands) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* call; // null: none
    } cases[] = {
        {Qt::Key_C, Qt::ControlModifier, "copy"},
        {Qt::Key_Insert, Qt::ControlModifier, "copy"},
        {Qt::Key_X, Qt::ControlModifier, "cut"},
        {Qt::Key_V, Qt::ControlModifier, "paste"},
        {Qt::Key_Insert, Qt::ShiftModifier, "paste"},
        {Qt::Key_A, Qt::ControlModifier, "select all"},
        {Qt::Key_Insert, Qt::NoModifier, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call ? c.call : "plain insert");
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        ClipboardGrid grid;
        grid.SetRowCount(4);
        grid.SetColumnCount(4);
        grid.Create(Rect(0, 0, 300, 200), &owner, 1000);
        grid.SetFocusCell(1, 1);
        ResetInputState();
        QTest::keyClick(grid.GetWidget(), c.key, c.mods);
        ResetInputState();
        if (c.call) {
            EXPECT_EQ(grid.calls, std::vector<std::string>{c.call});
        } else {
            EXPECT_TRUE(grid.calls.empty());
        }
        // No key here opens an editor.
        EXPECT_FALSE(grid.IsItemEditing(1, 1));
    }
}

TEST(GridEditFlow, AGridClosedWithAnOpenEditorLeavesNothingBehind) {
    int reports = 0;
    {
        EditGrid g;
        g.Open(2, 2, 'x');
        ASSERT_NE(EditorOf(g.grid, 2, 2), nullptr);
        g.grid.DestroyWindow();
        reports = static_cast<int>(g.owner.RecordsOf(kEnd).size());
        EXPECT_FALSE(g.grid.IsItemEditing(2, 2));
    }
    EXPECT_LE(reports, 1);
    QApplication::processEvents();
}
