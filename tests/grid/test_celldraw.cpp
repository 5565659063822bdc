// Cells drawing, printing and measuring themselves: pixels at computed
// points of an image context (no glyphs are read: the texts are empty), and
// extents against the layer's own text metrics.
#include "gridfixture.h"

#include "gridctrl.h"
#include "sortarrow.h"

#include "draw/dc.h"
#include "draw/imagelist.h"
#include "draw/screendc.h"
#include "draw/syscolors.h"
#include "base/trace.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

using namespace platform;
using grid_test::PixelAt;
using grid_test::TestGrid;

namespace {

constexpr COLORREF kMarker = RGB(1, 2, 3);
// The cell's rectangle, right and bottom included.
constexpr Rect kCell(10, 10, 49, 29);

// Draws cell (row, col) of grid into a fresh image filled with the marker.
QImage DrawCell(TestGrid& grid, int row, int col, Rect rect = kCell, BOOL erase = FALSE) {
    QImage image(80, 50, QImage::Format_RGB32);
    image.fill(ToQColor(kMarker));
    {
        Dc dc(&image);
        grid.GetCell(row, col)->Draw(&dc, row, col, rect, erase);
    }
    return image;
}

QImage PrintCell(TestGrid& grid, int row, int col, Rect rect = kCell) {
    QImage image(80, 50, QImage::Format_RGB32);
    image.fill(ToQColor(kMarker));
    {
        Dc dc(&image);
        grid.GetCell(row, col)->PrintCell(&dc, row, col, rect);
    }
    return image;
}

TEST(CellDraw, FocusAndSelectionFillAndFrameByGridLineMode) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    ASSERT_NE(highlight, highlightText);
    const struct {
        const char* name;
        UINT state;
        int gridLines;
        COLORREF inside, left, right, lastColumn, pastCell;
    } cases[] = {
        // The frame stops one pixel short of the right edge while grid lines show.
        {"focused selected, lines", CELL_FOCUSED | CELL_SELECTED, GVL_BOTH, highlight,
         highlightText, highlightText, highlight, kMarker},
        {"focused selected, no lines", CELL_FOCUSED | CELL_SELECTED, GVL_NONE, highlight,
         highlightText, highlight, highlightText, kMarker},
        {"focused only, lines", CELL_FOCUSED, GVL_BOTH, kMarker, text, text, kMarker, kMarker},
        {"focused only, horizontal lines", CELL_FOCUSED, GVL_HORZ, kMarker, text, text, kMarker,
         kMarker},
        {"focused only, no lines", CELL_FOCUSED, GVL_NONE, kMarker, text, kMarker, text, kMarker},
        {"selected only", CELL_SELECTED, GVL_BOTH, highlight, highlight, highlight, highlight,
         kMarker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(3, 3, 1, 1);
        grid.SetGridLines(c.gridLines);
        grid.GetCell(1, 1)->SetState(c.state);
        const QImage image = DrawCell(grid, 1, 1);
        EXPECT_EQ(PixelAt(image, 30, 20), c.inside);
        EXPECT_EQ(PixelAt(image, kCell.left, 20), c.left);
        EXPECT_EQ(PixelAt(image, kCell.right - 1, 20), c.right);
        EXPECT_EQ(PixelAt(image, kCell.right, 20), c.lastColumn);
        EXPECT_EQ(PixelAt(image, kCell.right + 1, 20), c.pastCell);
        // The bottom edge follows the same rule as the right one.
        EXPECT_EQ(PixelAt(image, 30, kCell.bottom), c.lastColumn);
    }
}

TEST(CellDraw, FocusFrameOffLeavesOnlyTheFill) {
    TestGrid grid(3, 3, 1, 1);
    grid.SetFrameFocusCell(FALSE);
    grid.GetCell(1, 1)->SetState(CELL_FOCUSED | CELL_SELECTED);
    const QImage image = DrawCell(grid, 1, 1);
    EXPECT_EQ(PixelAt(image, kCell.left, 20), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(CellDraw, OwnBackColourFillsEvenWithoutErase) {
    TestGrid grid(3, 3, 1, 1);
    grid.GetCell(1, 1)->SetBackClr(RGB(200, 10, 10));
    const QImage image = DrawCell(grid, 1, 1);
    EXPECT_EQ(PixelAt(image, kCell.left, kCell.top), RGB(200, 10, 10));
    EXPECT_EQ(PixelAt(image, kCell.right, kCell.bottom), RGB(200, 10, 10));
    EXPECT_EQ(PixelAt(image, kCell.right + 1, 20), kMarker);
    // At the default colour only an erase fills, with the default cell's colour.
    grid.GetCell(1, 1)->SetBackClr(CLR_DEFAULT);
    EXPECT_EQ(PixelAt(DrawCell(grid, 1, 1), 30, 20), kMarker);
    EXPECT_EQ(PixelAt(DrawCell(grid, 1, 1, kCell, TRUE), 30, 20), GetSysColor(COLOR_WINDOW));
}

TEST(CellDraw, HeadingsOfTheFocusRowOrColumnAreSunkenOthersRaised) {
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF midLight = GetSysColor(COLOR_3DLIGHT);
    ASSERT_NE(light, darkShadow);
    ASSERT_NE(midLight, darkShadow);
    const struct {
        const char* name;
        CCellID focus;
        BOOL track;
        bool sunken;
    } cases[] = {
        {"focus in the heading's column", CCellID(2, 1), TRUE, true},
        {"focus elsewhere", CCellID(2, 2), TRUE, false},
        {"no focus", CCellID(-1, -1), TRUE, false},
        {"tracking off", CCellID(2, 1), FALSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(3, 3, 1, 1);
        grid.SetTrackFocusCell(c.track);
        grid.SetFocusCell(c.focus);
        const QImage image = DrawCell(grid, 0, 1);
        EXPECT_EQ(PixelAt(image, kCell.left, 20), c.sunken ? darkShadow : light);
        EXPECT_EQ(PixelAt(image, kCell.right, 20), c.sunken ? midLight : darkShadow);
        EXPECT_EQ(PixelAt(image, 30, kCell.bottom), c.sunken ? midLight : darkShadow);
        EXPECT_EQ(PixelAt(image, 30, 20), kMarker); // the background is the grid's
    }
}

TEST(CellDraw, HeadingsWithoutGridLinesHaveNoEdge) {
    TestGrid grid(3, 3, 1, 1);
    grid.SetGridLines(GVL_NONE);
    EXPECT_EQ(PixelAt(DrawCell(grid, 0, 1), kCell.left, 20), kMarker);
}

struct CellImage : ::testing::Test {
    TestGrid grid{3, 3, 1, 1};
    ImageList images;
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    void SetUp() override {
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(images.Create(red, 16, 1, CLR_NONE));
        grid.SetImageList(&images);
        grid.GetCell(1, 1)->SetImage(0);
        grid.GetCell(1, 1)->SetMargin(0);
    }
};

TEST_F(CellImage, DrawShowsAnImageThatFitsAndSkipsAnOverWideOne) {
    // An image counts 17 pixels wide here: 10 + 17 fits up to a right edge of 27.
    EXPECT_EQ(PixelAt(DrawCell(grid, 1, 1, Rect(10, 10, 27, 29)), 12, 12), kRed);
    EXPECT_NE(PixelAt(DrawCell(grid, 1, 1, Rect(10, 10, 26, 29)), 12, 12), kRed);
    EXPECT_NE(PixelAt(DrawCell(grid, 1, 1, Rect(10, 10, 49, 25)), 12, 12), kRed);
}

TEST_F(CellImage, PrintCellPrintsTheOverWideImage) {
    EXPECT_EQ(PixelAt(PrintCell(grid, 1, 1, Rect(10, 10, 26, 29)), 12, 12), kRed);
}

TEST_F(CellImage, TextRectStartsPastTheImage) {
    Rect rect(10, 10, 49, 29);
    EXPECT_TRUE(grid.GetCell(1, 1)->GetTextRect(&rect));
    EXPECT_EQ(rect.left, 10 + 17);
    grid.GetCell(1, 1)->SetImage(5); // unknown to the list
    rect = Rect(10, 10, 49, 29);
    grid.GetCell(1, 1)->GetTextRect(&rect);
    EXPECT_EQ(rect.left, 10);
}

TEST(CellPrint, ShadedPrintOutFillsHeadingsAndOwnColoursOnly) {
    const struct {
        const char* name;
        int row, col;
        COLORREF own;
        BOOL shaded;
        COLORREF expected;
    } cases[] = {
        {"heading at default", 0, 1, CLR_DEFAULT, TRUE, GetSysColor(COLOR_3DFACE)},
        {"plain at default", 1, 1, CLR_DEFAULT, TRUE, kMarker},
        {"plain at the default colour", 1, 1, GetSysColor(COLOR_WINDOW), TRUE, kMarker},
        {"plain with its own", 1, 1, RGB(0, 200, 0), TRUE, RGB(0, 200, 0)},
        {"shading off", 1, 1, RGB(0, 200, 0), FALSE, kMarker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestGrid grid(3, 3, 1, 1);
        grid.SetShadedPrintOut(c.shaded);
        grid.GetCell(c.row, c.col)->SetBackClr(c.own);
        const QImage image = PrintCell(grid, c.row, c.col);
        EXPECT_EQ(PixelAt(image, 30, 20), c.expected);
        EXPECT_EQ(PixelAt(image, kCell.right + 1, 20), kMarker);
    }
}

TEST(CellDraw, RefusesWithoutGridContextOrArea) {
    TakeTraces();
    TestGrid grid(3, 3, 1, 1);
    QImage image(20, 20, QImage::Format_RGB32);
    Dc dc(&image);
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_FALSE(cell->Draw(nullptr, 1, 1, kCell));
    EXPECT_FALSE(cell->Draw(&dc, 1, 1, Rect(10, 10, 10, 29)));
    EXPECT_FALSE(cell->PrintCell(&dc, 1, 1, Rect(10, 10, 49, 10)));
    EXPECT_TRUE(cell->Draw(&dc, 1, 1, kCell));
    CGridCell orphan;
    EXPECT_FALSE(orphan.Draw(&dc, 1, 1, kCell));
    EXPECT_FALSE(orphan.PrintCell(&dc, 1, 1, kCell));
    EXPECT_EQ(FailedAssertionCount(), 1); // drawing a cell without a grid
    TakeTraces();
}

// ---- measuring

struct CellExtent : ::testing::Test {
    TestGrid grid{3, 3, 1, 1};
    ScreenDc dc;
    CGridCellBase* cell = nullptr;
    void SetUp() override {
        cell = grid.GetCell(1, 1);
        cell->SetMargin(2);
    }
    Size Measured(const char* text) {
        Font* old = dc.SelectObject(cell->GetFontObject());
        const Size size = dc.GetTextExtent(text, static_cast<int>(std::strlen(text)));
        dc.SelectObject(old);
        return size;
    }
};

TEST_F(CellExtent, TextWithFourMarginsAcrossAndTwoDown) {
    const Size text = Measured("Hello, grid");
    EXPECT_EQ(text.cy, QFontMetrics(cell->GetFontObject()->ToQFont()).height());
    EXPECT_EQ(cell->GetTextExtent("Hello, grid", &dc), Size(text.cx + 8, text.cy + 4));
}

TEST_F(CellExtent, NoTextOrNoContextGivesTheDefaultCellsSize) {
    const CGridDefaultCell* def = grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(cell->GetTextExtent(nullptr, &dc), Size(def->GetWidth(), def->GetHeight()));
    // A grid without a window has no context to lend.
    EXPECT_EQ(cell->GetTextExtent("abc"), Size(def->GetWidth(), def->GetHeight()));
    EXPECT_EQ(grid.GetTextExtent(7, 7, "abc"), Size(0, 0));
}

TEST_F(CellExtent, VerticalTextSwapsWidthAndHeight) {
    LOGFONT lf = *cell->GetFont();
    const Size plain = cell->GetTextExtent("Tall", &dc);
    for (int escapement : {900, -900}) {
        lf.lfEscapement = escapement;
        cell->SetFont(&lf);
        const Size text = Measured("Tall");
        EXPECT_EQ(cell->GetTextExtent("Tall", &dc), Size(text.cy + 4, text.cx + 8 + 8));
    }
    (void)plain;
}

TEST_F(CellExtent, WrappedTextMeasuresAtTheWidestLine) {
    cell->SetFormat(DT_WORDBREAK);
    const char* text = "a\nbbbbbbbb\ncc";
    Rect calc(0, 0, Measured("bbbbbbbb").cx + 1, 0);
    Font* old = dc.SelectObject(cell->GetFontObject());
    dc.DrawText(text, static_cast<int>(std::strlen(text)), &calc, DT_WORDBREAK | DT_CALCRECT);
    dc.SelectObject(old);
    EXPECT_EQ(cell->GetTextExtent(text, &dc), Size(calc.Width() + 8, calc.Height() + 4));
    EXPECT_EQ(calc.Height(), 3 * Measured("a").cy);
}

TEST_F(CellExtent, CellExtentAddsTheImage) {
    ImageList images;
    ASSERT_TRUE(images.Create(16, 40, ILC_COLOR32, 1, 1));
    QImage blue(16, 40, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    images.Add(blue, CLR_NONE);
    grid.SetImageList(&images);
    cell->SetText("ab");
    cell->SetImage(0);
    const Size text = cell->GetTextExtent("ab", &dc);
    EXPECT_EQ(cell->GetCellExtent(&dc), Size(text.cx + 17, 41));
}

// ---- the sort arrow

TEST(SortArrowGeometry, SquareAtTheRightOrCentredForVerticalText) {
    const Rect rect(0, 0, 99, 29);
    const Size m(10, 16);
    struct Case {
        const char* name;
        bool vertical, ascending;
        int left;
        std::array<Point, 4> light, shadow;
    };
    const Case cases[] = {
        {"ascending",
         false,
         true,
         87,
         {Point(88, 28), Point(94, 16), Point(100, 28), Point(88, 28)},
         {Point(87, 27), Point(93, 15), Point(99, 27), Point(87, 27)}},
        {"descending",
         false,
         false,
         87,
         {Point(88, 16), Point(94, 28), Point(100, 16), Point(88, 16)},
         {Point(87, 15), Point(93, 27), Point(99, 15), Point(87, 15)}},
        {"vertical",
         true,
         true,
         43,
         {Point(44, 28), Point(50, 16), Point(56, 28), Point(44, 28)},
         {Point(43, 27), Point(49, 15), Point(55, 27), Point(43, 27)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SortArrow arrow = ComputeSortArrow(rect, m, 3, c.vertical, c.ascending);
        EXPECT_TRUE(arrow.fits);
        EXPECT_EQ(arrow.side, 12);
        EXPECT_EQ(arrow.base, 15);
        EXPECT_EQ(arrow.left, c.left);
        EXPECT_EQ(arrow.light, c.light);
        EXPECT_EQ(arrow.shadow, c.shadow);
    }
}

TEST(SortArrowGeometry, ShrinksToTheCellAndIsLeftOutWhenItDoesNotFit) {
    EXPECT_EQ(ComputeSortArrow(Rect(0, 0, 99, 29), Size(10, 40), 0, false, true).side, 25);
    EXPECT_FALSE(ComputeSortArrow(Rect(0, 0, 12, 29), Size(10, 16), 0, false, true).fits);
    // Twice the margin counts as room.
    EXPECT_TRUE(ComputeSortArrow(Rect(0, 0, 12, 29), Size(10, 16), 1, false, true).fits);
}

} // namespace
