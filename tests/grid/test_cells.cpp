// The cell model: attributes that fall back to the four default cells, the
// default cell's own rules, copying, resetting and the font objects.
#include "gridfixture.h"

#include "gridcell.h"
#include "gridctrl.h"

#include "draw/dc.h"
#include "draw/fontcache.h"
#include "draw/screendc.h"
#include "base/trace.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;
using grid_test::TestGrid;

namespace {

LOGFONT FontNamed(const char* face, int height) {
    LOGFONT lf;
    lf.lfHeight = height;
    SetFaceName(lf, face);
    return lf;
}

// A 2 x 2 grid with one fixed row and column: (0,0) the corner, (0,1) a fixed
// row, (1,0) a fixed column, (1,1) a plain cell. Each default cell gets its
// own format, margin and font so that a fallback shows where it came from.
struct FourDefaults : ::testing::Test {
    TestGrid grid{2, 2, 1, 1};
    void SetUp() override {
        TakeTraces();
        const struct {
            BOOL fixedRow, fixedCol;
            DWORD format;
            UINT margin;
            int height;
        } setup[] = {{TRUE, TRUE, DT_RIGHT, 11, -11},
                     {TRUE, FALSE, DT_CENTER, 12, -12},
                     {FALSE, TRUE, DT_BOTTOM, 13, -13},
                     {FALSE, FALSE, DT_LEFT, 14, -14}};
        for (const auto& s : setup) {
            CGridDefaultCell* cell = grid.GetDefaultCell(s.fixedRow, s.fixedCol);
            cell->SetFormat(s.format);
            const LOGFONT lf = FontNamed("Sans", s.height);
            cell->SetFont(&lf);
            cell->SetMargin(s.margin); // after SetFont, which measures a margin
        }
    }
};

TEST_F(FourDefaults, EachCellFallsBackToItsDefaultCellUntilItHasItsOwn) {
    const struct {
        int row, col;
        DWORD format;
        UINT margin;
        int height;
    } cases[] = {{0, 0, DT_RIGHT, 11, -11},
                 {0, 1, DT_CENTER, 12, -12},
                 {1, 0, DT_BOTTOM, 13, -13},
                 {1, 1, DT_LEFT, 14, -14}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.row << "," << c.col);
        CGridCellBase* cell = grid.GetCell(c.row, c.col);
        ASSERT_NE(cell, nullptr);
        // Cells take the default cell's format as their own when made;
        // the marker hands it back to the default cell.
        cell->SetFormat(0xFFFFFFFF);
        EXPECT_EQ(cell->GetFormat(), c.format);
        EXPECT_EQ(cell->GetMargin(), c.margin);
        ASSERT_NE(cell->GetFont(), nullptr);
        EXPECT_EQ(cell->GetFont()->lfHeight, c.height);
        EXPECT_TRUE(cell->IsDefaultFont());
        EXPECT_EQ(cell->GetFontObject(),
                  grid.GetDefaultCell(c.row == 0, c.col == 0)->GetFontObject());

        cell->SetFormat(DT_WORDBREAK);
        cell->SetMargin(2);
        const LOGFONT own = FontNamed("Serif", -20);
        cell->SetFont(&own);
        EXPECT_EQ(cell->GetFormat(), DT_WORDBREAK);
        EXPECT_EQ(cell->GetMargin(), 2u);
        EXPECT_EQ(cell->GetFont()->lfHeight, -20);
        EXPECT_FALSE(cell->IsDefaultFont());
        EXPECT_EQ(cell->GetFontObject()->Desc(), own);
    }
}

TEST_F(FourDefaults, ColoursAreNotResolvedByTheCell) {
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_EQ(cell->GetTextClr(), CLR_DEFAULT);
    EXPECT_EQ(cell->GetBackClr(), CLR_DEFAULT);
}

TEST(GridCell, WithoutAGridTheFallbacksAreZeroAndNull) {
    TestGrid grid(1, 1);
    CGridCellBase* cell = grid.GetCell(0, 0);
    cell->Reset();
    EXPECT_EQ(cell->GetGrid(), nullptr);
    EXPECT_EQ(cell->GetFormat(), 0u);
    EXPECT_EQ(cell->GetMargin(), 0u);
    EXPECT_EQ(cell->GetFont(), nullptr);
    EXPECT_EQ(cell->GetFontObject(), nullptr);
    EXPECT_EQ(cell->GetDefaultCell(), nullptr);
    EXPECT_EQ(cell->SendMessageToParent(0, 0, 1), 0);
}

TEST(GridCell, StartsEmptyAndResetKeepsTheItemData) {
    CGridCell cell;
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetState(), 0u);
    cell.SetText(nullptr);
    EXPECT_STREQ(cell.GetText(), "");

    const LOGFONT lf = FontNamed("Sans", -9);
    cell.SetText("abc");
    cell.SetData(42);
    cell.SetImage(3);
    cell.SetState(CELL_SELECTED | CELL_MODIFIED);
    cell.SetFont(&lf);
    cell.SetTextClr(RGB(1, 2, 3));
    cell.Reset();
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 42);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetTextClr(), CLR_DEFAULT);
}

TEST(GridCell, StatePredicatesReturnTheirBit) {
    CGridCell cell;
    cell.SetState(0xFF);
    EXPECT_EQ(cell.IsFocused(), 0x01);
    EXPECT_EQ(cell.IsSelected(), 0x02);
    EXPECT_EQ(cell.IsDropHighlighted(), 0x04);
    EXPECT_EQ(cell.IsReadOnly(), 0x08);
    EXPECT_EQ(cell.IsFixed(), 0x10);
    EXPECT_EQ(cell.IsFixedRow(), 0x20);
    EXPECT_EQ(cell.IsFixedCol(), 0x40);
    EXPECT_EQ(cell.IsModified(), 0x80);
}

TEST(GridDefaultCell, ReadsReadOnlyAndRefusesStateDataAndPlace) {
    TakeTraces();
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetState(), CELL_READONLY);
    cell.SetState(CELL_SELECTED);
    cell.SetData(7);
    cell.SetCoords(1, 1);
    EXPECT_EQ(cell.GetState(), CELL_READONLY);
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_EQ(FailedAssertionCount(), 3);
    TakeTraces();
    cell.SetFont(nullptr); // refused: the font stays
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(cell.GetFont(), nullptr);
    TakeTraces();
}

TEST(GridDefaultCell, StartsWithTheMessageFontAndTheFixedFormat) {
    CGridDefaultCell cell;
    LOGFONT message;
    GetMessageFont(&message);
    ASSERT_NE(cell.GetFont(), nullptr);
    EXPECT_EQ(*cell.GetFont(), message);
    EXPECT_EQ(cell.GetFormat(),
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    EXPECT_EQ(cell.GetExtraValue(), 0);
    cell.SetExtraValue(-5);
    EXPECT_EQ(cell.GetExtraValue(), -5);
}

TEST(GridDefaultCell, MeasuresMarginAndSizeInItsFont) {
    const LOGFONT lf = FontNamed("Sans", -15);
    CGridDefaultCell cell;
    cell.SetFont(&lf);
    // Figures of the layer's screen context, in whole-pixel advances; the
    // height is the font's line height half as much again.
    ScreenDc dc;
    dc.SelectObject(cell.GetFontObject());
    EXPECT_EQ(static_cast<int>(cell.GetMargin()), dc.GetTextExtent(" ", 1).cx);
    EXPECT_EQ(cell.GetWidth(), dc.GetTextExtent(" XXXXXXXXXXXX ", 14).cx);
    EXPECT_EQ(cell.GetHeight(), QFontMetrics(ToQFont(lf)).height() * 3 / 2);
}

TEST(GridDefaultCell, WithoutAScreenContextTakesFixedFigures) {
    CGridDefaultCell::SetScreenDcUnavailable(true);
    CGridDefaultCell cell;
    CGridDefaultCell::SetScreenDcUnavailable(false);
    EXPECT_EQ(cell.GetMargin(), 3u);
    EXPECT_EQ(cell.GetWidth(), 40);
    EXPECT_EQ(cell.GetHeight(), 16);
}

TEST(GridCell, CopyAttributesTakesResolvedFormatStoredColoursAndOnlyAnOwnFont) {
    TestGrid grid(2, 2, 1, 1);
    CGridCellBase* source = grid.GetCell(1, 1);
    source->SetText("text");
    source->SetImage(2);
    source->SetData(99);
    source->SetFormat(0xFFFFFFFF);
    source->SetMargin(0xFFFFFFFF);

    CGridCell target;
    const LOGFONT own = FontNamed("Serif", -30);
    target.SetFont(&own);
    target = *source;
    EXPECT_EQ(target.GetGrid(), &grid);
    EXPECT_STREQ(target.GetText(), "text");
    EXPECT_EQ(target.GetImage(), 2);
    EXPECT_EQ(target.GetData(), 99);
    EXPECT_EQ(target.GetFormat(), grid.GetDefaultCell(FALSE, FALSE)->GetFormat());
    EXPECT_EQ(target.GetMargin(), grid.GetDefaultCell(FALSE, FALSE)->GetMargin());
    EXPECT_EQ(target.GetTextClr(), CLR_DEFAULT);
    EXPECT_TRUE(target.IsDefaultFont());

    source->SetFont(&own);
    target = *source;
    EXPECT_FALSE(target.IsDefaultFont());
    EXPECT_EQ(*target.GetFont(), own);

    CGridCellBase& same = target;
    target = same; // itself: nothing changes
    EXPECT_STREQ(target.GetText(), "text");
}

TEST(GridCell, FontObjectsAreSharedByDescription) {
    CGridCell a, b, c;
    const LOGFONT small = FontNamed("Sans", -10);
    const LOGFONT large = FontNamed("Sans", -24);
    a.SetFont(&small);
    b.SetFont(&small);
    c.SetFont(&large);
    EXPECT_EQ(a.GetFontObject(), b.GetFontObject());
    EXPECT_EQ(a.GetFontObject()->Desc(), small);
    EXPECT_EQ(c.GetFontObject()->Desc(), large);
}

TEST(GridCellClass, MakesCellsAndKnowsItsBases) {
    EXPECT_TRUE(CGridCell::Class()->IsDerivedFrom(CGridCellBase::Class()));
    EXPECT_TRUE(CGridDefaultCell::Class()->IsDerivedFrom(CGridCell::Class()));
    EXPECT_FALSE(CGridCellBase::Class()->IsDerivedFrom(CGridCell::Class()));
    EXPECT_EQ(CGridCellBase::Class()->CreateObject(), nullptr);
    std::unique_ptr<CGridCellBase> cell(CGridCell::Class()->CreateObject());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetRuntimeClass(), CGridCell::Class());
}

} // namespace
