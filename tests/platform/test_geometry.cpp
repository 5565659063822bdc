#include "base/geometry.h"

#include <gtest/gtest.h>

using platform::Point;
using platform::Rect;

namespace {

struct EdgeCase {
    const char* name;
    Rect rect;
    Point point;
    bool inside;
};

TEST(GeometryTest, RightAndBottomEdgesAreExclusive) {
    const EdgeCase cases[] = {
        {"top-left corner", {2, 2, 6, 6}, {2, 2}, true},
        {"last column", {2, 2, 6, 6}, {5, 3}, true},
        {"right edge", {2, 2, 6, 6}, {6, 3}, false},
        {"bottom edge", {2, 2, 6, 6}, {3, 6}, false},
        {"left of it", {2, 2, 6, 6}, {1, 3}, false},
        {"empty rect", {4, 4, 4, 9}, {4, 5}, false},
        {"inverted rect", {6, 6, 2, 2}, {3, 3}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rect.PtInRect(c.point), c.inside) << c.name;
}

struct PairCase {
    const char* name;
    Rect a, b;
    bool intersects;
    Rect intersection;
    Rect unionRect;
};

TEST(GeometryTest, IntersectAndUnion) {
    const PairCase cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {"touching edges", {0, 0, 10, 10}, {10, 0, 20, 10}, false, {}, {0, 0, 20, 10}},
        {"disjoint", {0, 0, 2, 2}, {5, 5, 7, 7}, false, {}, {0, 0, 7, 7}},
        {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}, {0, 0, 10, 10}},
        {"one empty", {0, 0, 10, 10}, {3, 3, 3, 8}, false, {}, {0, 0, 10, 10}},
        {"one inverted", {0, 0, 10, 10}, {8, 8, 2, 2}, false, {}, {0, 0, 10, 10}},
        {"both empty", {1, 1, 1, 1}, {2, 2, 2, 5}, false, {}, {}},
    };
    for (const auto& c : cases) {
        Rect r(9, 9, 9, 9);
        EXPECT_EQ(r.IntersectRect(c.a, c.b), c.intersects) << c.name;
        EXPECT_EQ(r, c.intersection) << c.name;
        Rect u;
        u.UnionRect(c.a, c.b);
        EXPECT_EQ(u, c.unionRect) << c.name;
    }
}

TEST(GeometryTest, SizesOffsetsAndQtConversion) {
    Rect r(2, 3, 12, 8);
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 5);
    r.OffsetRect(-2, 1);
    EXPECT_EQ(r, Rect(0, 4, 10, 9));
    r.InflateRect(1, 2);
    EXPECT_EQ(r, Rect(-1, 2, 11, 11));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, Rect(0, 4, 8, 7));

    // Qt's right() is inclusive: a 10-wide rectangle at 0 ends at pixel 9.
    QRect q = Rect(0, 0, 10, 5).ToQRect();
    EXPECT_EQ(q.right(), 9);
    EXPECT_EQ(q.width(), 10);
    EXPECT_EQ(Rect(q), Rect(0, 0, 10, 5));
    EXPECT_TRUE(Rect(5, 5, 1, 1).ToQRect().isEmpty());

    Rect inverted(6, 7, 2, 3);
    EXPECT_TRUE(inverted.IsRectEmpty());
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, Rect(2, 3, 6, 7));
}

} // namespace
