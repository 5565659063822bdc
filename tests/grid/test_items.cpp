// Cell attributes by position: which setters mark cells modified and drop the
// sort column, clearing the modified marks, the whole-cell description, the
// search for the next cell in a state, cell types, and virtual mode's cells.
#include "gridfixture.h"

#include "gridctrl.h"

#include "base/stringtable.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace platform;
using grid_test::TestGrid;
using grid_test::WindowedGrid;

namespace {

constexpr int kSortColumn = 2;
constexpr int kOtherColumn = 1;

TEST(GridItems, TextDataAndImageMarkModifiedAndDropTheSortColumnOthersDoNot) {
    LOGFONT font;
    SetFaceName(font, "Serif");
    const struct {
        const char* name;
        std::function<BOOL(TestGrid&, int col)> set;
        bool marks;
    } setters[] = {
        {"text", [](TestGrid& g, int c) { return g.SetItemText(1, c, "x"); }, true},
        {"formatted text", [](TestGrid& g, int c) { return g.SetItemTextFmt(1, c, "%d", 7); },
         true},
        {"data", [](TestGrid& g, int c) { return g.SetItemData(1, c, 9); }, true},
        {"image", [](TestGrid& g, int c) { return g.SetItemImage(1, c, 2); }, true},
        {"format", [](TestGrid& g, int c) { return g.SetItemFormat(1, c, DT_LEFT); }, false},
        {"back colour", [](TestGrid& g, int c) { return g.SetItemBkColour(1, c, RGB(1, 2, 3)); },
         false},
        {"text colour", [](TestGrid& g, int c) { return g.SetItemFgColour(1, c, RGB(1, 2, 3)); },
         false},
        {"font", [&font](TestGrid& g, int c) { return g.SetItemFont(1, c, &font); }, false},
    };
    for (const auto& setter : setters) {
        for (const int col : {kSortColumn, kOtherColumn}) {
            SCOPED_TRACE(std::string(setter.name) + (col == kSortColumn ? ", sort" : ", other"));
            TestGrid grid(3, 3, 1, 1);
            grid.SetModified(FALSE);
            grid.SetSortColumn(kSortColumn);
            ASSERT_TRUE(setter.set(grid, col));
            EXPECT_EQ(grid.GetModified(1, col), setter.marks);
            EXPECT_EQ(grid.GetModified(), setter.marks);
            const bool sortDropped = setter.marks && col == kSortColumn;
            EXPECT_EQ(grid.GetSortColumn(), sortDropped ? -1 : kSortColumn);
        }
    }
}

TEST(GridItems, ClearingTheModifiedMarks) {
    TestGrid grid(4, 4, 1, 1);
    grid.SetItemText(1, 1, "a");
    grid.SetItemText(2, 2, "b");
    grid.SetItemText(3, 3, "c");
    // One cell: the others and the grid flag stay.
    grid.SetModified(FALSE, 1, 1);
    EXPECT_FALSE(grid.GetModified(1, 1));
    EXPECT_TRUE(grid.GetModified(2, 2));
    EXPECT_TRUE(grid.GetModified());
    // The grid flag: every cell.
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.GetModified(2, 2));
    EXPECT_FALSE(grid.GetModified(3, 3));
}

// However a cell came to be marked, clearing the grid flag (or any one cell
// while the grid flag is FALSE) leaves no cell marked.
TEST(GridItems, ClearingFindsEveryMarkedCell) {
    struct Case {
        const char* name;
        std::function<void(TestGrid&)> mark; // marks cell (2, 2)
        std::function<void(TestGrid&)> clear;
    } cases[] = {
        {"whole description",
         [](TestGrid& g) {
             GRIDITEM item;
             item.row = 2;
             item.col = 2;
             item.mask = GRIDITEM_STATE;
             item.nState = CELL_MODIFIED;
             g.SetItem(&item);
         },
         [](TestGrid& g) { g.SetModified(FALSE); }},
        {"item state", [](TestGrid& g) { g.SetItemState(2, 2, CELL_MODIFIED); },
         [](TestGrid& g) { g.SetModified(FALSE); }},
        {"the cell's own state", [](TestGrid& g) { g.GetCell(2, 2)->SetState(CELL_MODIFIED); },
         [](TestGrid& g) { g.SetModified(FALSE); }},
        {"the cell's own state, one cell cleared",
         [](TestGrid& g) { g.GetCell(2, 2)->SetState(CELL_MODIFIED); },
         [](TestGrid& g) { g.SetModified(FALSE, 1, 1); }},
        {"attributes copied from a marked cell",
         [](TestGrid& g) {
             CGridCell marked;
             marked.SetState(CELL_MODIFIED);
             g.GetCell(2, 2)->CopyAttributes(marked);
         },
         [](TestGrid& g) { g.SetModified(FALSE); }},
        {"assigned a marked cell",
         [](TestGrid& g) {
             CGridCell marked;
             marked.SetState(CELL_MODIFIED);
             *g.GetCell(2, 2) = marked;
         },
         [](TestGrid& g) { g.SetModified(FALSE); }},
        {"a marked cell stored in place",
         [](TestGrid& g) {
             CGridCellBase* old = g.GetCell(2, 2);
             auto* marked = new CGridCell;
             marked->SetState(CELL_MODIFIED);
             ASSERT_TRUE(g.SetCell(2, 2, marked));
             delete old;
         },
         [](TestGrid& g) { g.SetModified(FALSE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(4, 4, 1, 1);
        grid.SetModified(FALSE);
        c.mark(grid);
        ASSERT_TRUE(grid.GetModified(2, 2));
        c.clear(grid);
        for (int r = 0; r < 4; ++r)
            for (int col = 0; col < 4; ++col)
                EXPECT_FALSE(grid.GetModified(r, col)) << r << "," << col;
        EXPECT_FALSE(grid.GetModified());
    }
}

TEST(GridItems, WholeDescriptionInAndOut) {
    TestGrid grid(3, 3, 1, 1);
    LOGFONT font;
    font.lfHeight = -20;
    SetFaceName(font, "Serif");
    GRIDITEM in;
    in.row = 1;
    in.col = 2;
    in.mask = GRIDITEM_TEXT | GRIDITEM_PARAM | GRIDITEM_IMAGE | GRIDITEM_STATE | GRIDITEM_FORMAT |
              GRIDITEM_BKCLR | GRIDITEM_FGCLR | GRIDITEM_FONT | GRIDITEM_MARGIN;
    in.strText = "text";
    in.lParam = 77;
    in.iImage = 3;
    in.nState = CELL_SELECTED;
    in.nFormat = DT_RIGHT;
    in.crBkClr = RGB(10, 20, 30);
    in.crFgClr = RGB(40, 50, 60);
    in.lfFont = font;
    in.nMargin = 9;
    ASSERT_TRUE(grid.SetItem(&in));
    // The selection map follows the state; the grid marks the cell modified first.
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_TRUE(grid.GetModified());

    GRIDITEM out;
    out.row = 1;
    out.col = 2;
    out.mask = in.mask;
    ASSERT_TRUE(grid.GetItem(&out));
    EXPECT_EQ(out.strText, "text");
    EXPECT_EQ(out.lParam, 77);
    EXPECT_EQ(out.iImage, 3);
    EXPECT_EQ(out.nState, CELL_SELECTED);
    EXPECT_EQ(out.nFormat, static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(out.crBkClr, RGB(10, 20, 30));
    EXPECT_EQ(out.crFgClr, RGB(40, 50, 60));
    EXPECT_EQ(out.lfFont, font);
    EXPECT_EQ(out.nMargin, 9u);

    // Only the masked fields are read.
    GRIDITEM textOnly;
    textOnly.row = 1;
    textOnly.col = 2;
    textOnly.mask = GRIDITEM_TEXT;
    ASSERT_TRUE(grid.GetItem(&textOnly));
    EXPECT_EQ(textOnly.lParam, 0);

    GRIDITEM outside;
    outside.row = 5;
    outside.mask = GRIDITEM_TEXT;
    EXPECT_FALSE(grid.SetItem(&outside));
    EXPECT_FALSE(grid.GetItem(&outside));
    EXPECT_FALSE(grid.SetItem(nullptr));
    EXPECT_FALSE(grid.GetItem(nullptr));
}

TEST(GridItems, FormattedTextFromTheStringTable) {
    TestGrid grid(2, 2);
    SetStringResource(4711, "%s-%03d");
    EXPECT_TRUE(grid.SetItemTextFmtID(1, 1, 4711, "row", 5));
    EXPECT_EQ(grid.GetItemText(1, 1), "row-005");
    // An id without a text formats the empty text, with an assertion.
    TakeTraces();
    EXPECT_TRUE(grid.SetItemTextFmtID(1, 1, 4712, 1));
    EXPECT_EQ(grid.GetItemText(1, 1), "");
    EXPECT_EQ(FailedAssertionCount(), 1);
    TakeTraces();
    ClearStringResources();
}

TEST(GridItems, OutOfRangeGivesNeutralValues) {
    TestGrid grid(2, 2, 1, 1);
    EXPECT_FALSE(grid.SetItemText(2, 0, "x"));
    EXPECT_EQ(grid.GetItemText(-1, 0), "");
    EXPECT_EQ(grid.GetItemData(0, 5), 0);
    EXPECT_EQ(grid.GetItemImage(9, 9), -1);
    EXPECT_EQ(grid.GetItemState(9, 9), 0u);
    EXPECT_EQ(grid.GetItemFormat(9, 9), 0u);
    EXPECT_EQ(grid.GetItemBkColour(9, 9), 0u);
    EXPECT_FALSE(grid.IsItemEditing(9, 9));
    EXPECT_EQ(grid.GetTextExtent(9, 9, "x"), Size(0, 0));
    TakeTraces();
}

TEST(GridItems, MissingCellsFontIsItsDefaultCellsFont) {
    TestGrid grid(3, 3, 1, 1);
    LOGFONT heading;
    SetFaceName(heading, "Heading");
    grid.GetDefaultCell(TRUE, FALSE)->SetFont(&heading);
    // Take the cell away: the position stays in the grid.
    CGridCellBase* cell = grid.GetCell(0, 2);
    grid.SetCell(0, 2, nullptr);
    delete cell;
    EXPECT_EQ(grid.GetItemFont(0, 2), grid.GetDefaultCell(TRUE, FALSE)->GetFont());
    EXPECT_EQ(*grid.GetItemFont(0, 2), heading);
    EXPECT_EQ(grid.GetItemFont(2, 2), grid.GetCell(2, 2)->GetFont());
    TakeTraces();
}

TEST(GridItems, CellTypeChangeKeepsAttributesAndDefaultTypeAffectsNewCells) {
    TestGrid grid(3, 3, 1, 1);
    grid.SetItemText(1, 1, "kept");
    grid.SetItemBkColour(1, 1, RGB(5, 6, 7));
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | CELL_SELECTED);
    ASSERT_TRUE(grid.SetCellType(1, 1, grid_test::SpyCell::Class()));
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_EQ(cell->GetRuntimeClass(), grid_test::SpyCell::Class());
    EXPECT_EQ(grid.GetItemText(1, 1), "kept");
    EXPECT_EQ(grid.GetItemBkColour(1, 1), RGB(5, 6, 7));
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(cell->GetGrid(), &grid);

    TakeTraces();
    static const GridCellClass notACell{"NotACell", nullptr, nullptr};
    EXPECT_FALSE(grid.SetCellType(1, 1, &notACell));
    EXPECT_FALSE(grid.SetCellType(5, 1, grid_test::SpyCell::Class()));
    EXPECT_FALSE(grid.SetDefaultCellType(&notACell));
    EXPECT_FALSE(grid.SetDefaultCellType(nullptr));
    EXPECT_GT(FailedAssertionCount(), 0);
    TakeTraces();

    EXPECT_TRUE(grid.SetDefaultCellType(grid_test::SpyCell::Class()));
    EXPECT_EQ(grid.GetCell(2, 2)->GetRuntimeClass(), CGridCell::Class());
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetCell(3, 2)->GetRuntimeClass(), grid_test::SpyCell::Class());
}

TEST(GridNextItem, EachDirectionFindsTheFirstCellInAState) {
    TestGrid grid(5, 5, 1, 1);
    for (CCellID c : {CCellID(2, 3), CCellID(3, 1), CCellID(4, 2), CCellID(4, 4)})
        grid.SetItemState(c.row, c.col, grid.GetItemState(c.row, c.col) | CELL_SELECTED);
    grid.SetModified(FALSE);
    grid.SetItemText(3, 3, "changed");
    const int sel = GRID_NEXT_SELECTED;
    const struct {
        CCellID start;
        int flags;
        CCellID found;
    } cases[] = {
        // The whole grid, row by row from the next column.
        {CCellID(-1, -1), GRID_NEXT_ALL | sel, CCellID(2, 3)},
        {CCellID(2, 3), GRID_NEXT_ALL | sel, CCellID(3, 1)},
        {CCellID(4, 4), GRID_NEXT_ALL | sel, CCellID(-1, -1)},
        // Below and right: the columns right of the start in every row.
        {CCellID(-1, -1), GRID_NEXT_AREA | sel, CCellID(2, 3)},
        {CCellID(2, 3), GRID_NEXT_AREA | sel, CCellID(4, 4)},
        {CCellID(-1, -1), GRID_NEXT_AREA | GRID_NEXT_MODIFIED, CCellID(3, 3)},
        // One direction along the row or column.
        {CCellID(4, 3), GRID_NEXT_ABOVE | sel, CCellID(2, 3)},
        {CCellID(2, 3), GRID_NEXT_ABOVE | sel, CCellID(-1, -1)},
        {CCellID(1, 1), GRID_NEXT_BELOW | sel, CCellID(3, 1)},
        {CCellID(4, 4), GRID_NEXT_TOLEFT | sel, CCellID(4, 2)},
        {CCellID(4, 2), GRID_NEXT_TORIGHT | sel, CCellID(4, 4)},
        {CCellID(-1, 0), GRID_NEXT_BELOW | GRID_NEXT_FIXED, CCellID(0, 0)},
        // No state asked for: nothing matches.
        {CCellID(-1, -1), GRID_NEXT_ALL, CCellID(-1, -1)},
        {CCellID(1, 1), GRID_NEXT_BELOW, CCellID(-1, -1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.start.row << "," << c.start.col << " flags " << std::hex << c.flags);
        EXPECT_EQ(grid.GetNextItem(c.start, c.flags), c.found);
    }
}

TEST(GridVirtualCells, StateBitsImagesAndRefusedSetters) {
    WindowedGrid w(4, 4, 1, 1);
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(4);
    w.grid.SetColumnCount(4);
    w.grid.SetFixedRowCount(1);
    w.grid.SetFixedColumnCount(1);
    w.grid.GetDefaultCell(TRUE, TRUE)->SetImage(5);
    w.grid.SetItemState(0, 0, CELL_SELECTED);
    w.grid.SetItemState(2, 2, CELL_SELECTED);
    w.grid.SetFocusCell(2, 2);

    EXPECT_EQ(w.grid.GetItemState(0, 0), 0x70u | CELL_SELECTED);
    EXPECT_EQ(w.grid.GetItemState(0, 2), 0x30u);
    EXPECT_EQ(w.grid.GetItemState(2, 0), 0x50u);
    EXPECT_EQ(w.grid.GetItemState(2, 2), CELL_SELECTED | CELL_FOCUSED);
    EXPECT_EQ(w.grid.GetItemImage(0, 0), 5);
    w.owner.display[{0, 0}] = {"", 8, true};
    EXPECT_EQ(w.grid.GetItemImage(0, 0), 8);

    EXPECT_FALSE(w.grid.SetItemData(1, 1, 3));
    EXPECT_FALSE(w.grid.SetItemImage(1, 1, 3));
    EXPECT_FALSE(w.grid.SetItemFormat(1, 1, DT_LEFT));
    EXPECT_FALSE(w.grid.SetItemBkColour(1, 1, 0));
    EXPECT_FALSE(w.grid.SetItemFgColour(1, 1, 0));
    EXPECT_FALSE(w.grid.SetItemFont(1, 1, w.grid.GetItemFont(1, 1)));
    EXPECT_FALSE(w.grid.SetItemTextFmt(1, 1, "%d", 1));
    GRIDITEM item;
    item.row = item.col = 1;
    EXPECT_FALSE(w.grid.SetItem(&item));
    EXPECT_FALSE(w.grid.SetCell(1, 1, nullptr));
    EXPECT_FALSE(w.grid.SetCellType(1, 1, CGridCell::Class()));
    TakeTraces();
}

TEST(GridVirtualCells, AFaceNameWithoutItsEndIsReadWithinItsField) {
    WindowedGrid w(3, 3, 1, 1);
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(3);
    w.grid.SetColumnCount(3);
    w.owner.display[{1, 1}] = {"odd font", -1, false, true};
    const LOGFONT* font = w.grid.GetItemFont(1, 1);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(std::string(font->lfFaceName, LF_FACESIZE), std::string(LF_FACESIZE, 'A'));
    EXPECT_FALSE(grid_test::Paint(w.grid).isNull());
}

BOOL AnswerFromCallback(NMGRIDITEM* item, LPARAM lParam) {
    item->item.strText = "from callback " + std::to_string(lParam);
    return TRUE;
}

TEST(GridVirtualCells, ACallbackReplacesTheDisplayRequest) {
    WindowedGrid w(2, 2);
    w.grid.SetVirtualMode(TRUE);
    w.grid.SetRowCount(2);
    w.grid.SetColumnCount(2);
    w.grid.SetCallback(&AnswerFromCallback, 42);
    w.owner.ClearRecords();
    EXPECT_EQ(w.grid.GetItemText(1, 1), "from callback 42");
    EXPECT_TRUE(w.owner.RecordsOf(static_cast<int>(LVN_GETDISPINFO)).empty());
}

} // namespace
