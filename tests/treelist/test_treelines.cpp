// The expand button's geometry and drawing, and the tree lines of a row,
// drawn on an image of their own.
#include "drawfixture.h"

#include "expandbutton.h"

#include <QImage>

#include <string>
#include <vector>

namespace {

using platform::COLORREF;
using platform::Point;
using platform::Rect;

constexpr COLORREF kBlack = platform::RGB(0, 0, 0);
constexpr COLORREF kWhite = platform::RGB(255, 255, 255);
constexpr COLORREF kOutline = platform::RGB(198, 198, 198);
constexpr COLORREF kLine = platform::RGB(192, 192, 192);
constexpr COLORREF kGround = platform::RGB(90, 90, 90);

class TreeLinesTest : public DrawTest {
  protected:
    TreeLinesTest() : canvas(200, 2 * kRowHeight, QImage::Format_RGB32) {
        canvas.fill(platform::ToQColor(kGround));
    }
    COLORREF Pixel(int x, int y) const { return platform::FromQColor(canvas.pixelColor(x, y)); }
    // The rows of the row rectangle at top.
    static Rect RowRect(int top) { return Rect(0, top, 200, top + kRowHeight); }

    QImage canvas;
};

TEST_F(TreeLinesTest, ButtonBoxSitsOnTheIndentsLine) {
    struct Case {
        int indent;
        int top;
        Rect box;
    };
    const Case cases[] = {
        {1, 0, Rect(3, 4, 14, 15)},
        {1, 36, Rect(3, 40, 14, 51)},
        {2, 0, Rect(19, 4, 30, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("indent " + std::to_string(c.indent) + " top " + std::to_string(c.top));
        const CExpandButton button(grid.get(), nullptr, c.indent, RowRect(c.top));
        EXPECT_EQ(button.GetButtonRect(), c.box);
        EXPECT_EQ(button.GetCenterX(), c.indent * kIcon - kIcon / 2);
        EXPECT_TRUE(button.HitTest(c.box.TopLeft()));
        EXPECT_TRUE(button.HitTest(Point(c.box.right - 1, c.box.bottom - 1)));
        EXPECT_FALSE(button.HitTest(Point(c.box.right, c.box.top)));
        EXPECT_FALSE(button.HitTest(Point(c.box.left, c.box.bottom)));
        EXPECT_FALSE(button.HitTest(Point(c.box.left - 1, c.box.top)));
    }
}

TEST_F(TreeLinesTest, BoxPlusAndMinus) {
    {
        platform::Dc dc(&canvas);
        CExpandButton plus(grid.get(), &dc, 1, RowRect(0));
        plus.DrawBox();
        plus.DrawPlus();
        CExpandButton minus(grid.get(), &dc, 1, RowRect(kRowHeight));
        minus.DrawBox();
        minus.DrawMinus();
    }
    // Outline and fill of the upper box [3, 14) x [4, 15), centre (8, 9).
    for (int x = 3; x < 14; ++x) {
        EXPECT_EQ(Pixel(x, 4), kOutline) << x;
        EXPECT_EQ(Pixel(x, 14), kOutline) << x;
    }
    for (int y = 4; y < 15; ++y) {
        EXPECT_EQ(Pixel(3, y), kOutline) << y;
        EXPECT_EQ(Pixel(13, y), kOutline) << y;
    }
    EXPECT_EQ(Pixel(2, 9), kGround);
    EXPECT_EQ(Pixel(14, 9), kGround);
    EXPECT_EQ(Pixel(5, 6), kWhite);
    // The strokes cover exactly [c - 2, c + 2].
    for (int d = -3; d <= 3; ++d) {
        const COLORREF expected = d >= -2 && d <= 2 ? kBlack : kWhite;
        EXPECT_EQ(Pixel(8 + d, 9), expected) << "plus across " << d;
        EXPECT_EQ(Pixel(8, 9 + d), expected) << "plus down " << d;
        EXPECT_EQ(Pixel(8 + d, kRowHeight + 9), expected) << "minus across " << d;
    }
    EXPECT_EQ(Pixel(8, kRowHeight + 8), kWhite);
    EXPECT_EQ(Pixel(8, kRowHeight + 10), kWhite);
}

// Rows: 0 root, 1 first child with a child of its own (row 2) expanded,
// 3 and 4 the other children.
TEST_F(TreeLinesTest, LinesShowWhereTheSiblingsContinue) {
    Node* grandchild = grid->InsertItem(children[0], nullptr);
    grid->Expand(children[0], 1);
    ASSERT_EQ(grid->GetNodeRow(grandchild), 2);
    struct Case {
        const char* what;
        Node* node;
        int row;
        std::vector<int> wholeRow;  // x of vertical lines over the whole row
        std::vector<int> upperHalf; // x of vertical lines from the top to the middle
        int horizontal;             // x where the line to the node's icon starts, -1 none
    };
    const Case cases[] = {
        {"child with a later sibling", children[1], 3, {24}, {}, 24},
        {"last child", children[2], 4, {}, {24}, 24},
        {"grandchild under a child with later siblings", grandchild, 2, {24}, {40}, 40},
        {"root", root, 0, {}, {}, -1},
    };
    const int middle = kIcon / 2 + (kRowHeight - kIcon) / 2; // 9
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        canvas.fill(platform::ToQColor(kGround));
        {
            platform::Dc dc(&canvas);
            grid->PaintTreeLines(&dc, c.node, c.row, RowRect(0));
        }
        for (int x : c.wholeRow)
            for (int y = 0; y < kRowHeight; ++y)
                EXPECT_EQ(Pixel(x, y), kLine) << "x " << x << " y " << y;
        for (int x : c.upperHalf) {
            for (int y = 0; y < middle; ++y)
                EXPECT_EQ(Pixel(x, y), kLine) << "x " << x << " y " << y;
            EXPECT_EQ(Pixel(x, middle + 2), kGround) << "x " << x;
        }
        if (c.horizontal >= 0) {
            for (int x = c.horizontal; x < c.horizontal + kIcon / 2; ++x)
                EXPECT_EQ(Pixel(x, middle), kLine) << "x " << x;
            EXPECT_EQ(Pixel(c.horizontal + kIcon / 2, middle), kGround);
        }
        if (c.node == root) {
            // Its button: a box with a minus, and the start of the line down.
            EXPECT_EQ(Pixel(3, 4), kOutline);
            EXPECT_EQ(Pixel(8, 9), kBlack);
            EXPECT_EQ(Pixel(8, 8), kWhite);
            EXPECT_EQ(Pixel(24, kRowHeight - 1), kLine);
        }
    }
}

TEST_F(TreeLinesTest, LinesStopAtTheScrolledTreeColumnsEdge) {
    grid->SetColumnWidth(0, 30);
    {
        platform::Dc dc(&canvas);
        grid->PaintTreeLines(&dc, children[2], 3, Rect(-10, 0, 500, kRowHeight));
    }
    // The line starts at 2 * 16 - 8 - 10 = 14 and ends before -10 + 30.
    EXPECT_EQ(Pixel(19, 9), kLine);
    EXPECT_EQ(Pixel(20, 9), kGround);
}

} // namespace
