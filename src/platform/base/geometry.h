// Points, sizes and rectangles with the edge rules of the original platform:
// a rectangle holds left <= x < right and top <= y < bottom (right and bottom
// are exclusive), so its width is right - left and an empty one has no pixel.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;

    constexpr Point() = default;
    constexpr Point(int px, int py) : x(px), y(py) {}
    explicit Point(const QPoint& p) : x(p.x()), y(p.y()) {}

    QPoint ToQPoint() const { return QPoint(x, y); }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    constexpr bool operator==(const Point&) const = default;
    constexpr Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    constexpr Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
    Point& operator+=(const Point& o) {
        x += o.x, y += o.y;
        return *this;
    }
    Point& operator-=(const Point& o) {
        x -= o.x, y -= o.y;
        return *this;
    }
};

struct Size {
    int cx = 0;
    int cy = 0;

    constexpr Size() = default;
    constexpr Size(int w, int h) : cx(w), cy(h) {}
    explicit Size(const QSize& s) : cx(s.width()), cy(s.height()) {}

    constexpr bool operator==(const Size&) const = default;
    constexpr Size operator+(const Size& o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr Size operator-(const Size& o) const { return {cx - o.cx, cy - o.cy}; }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect(Point topLeft, Size size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {
    }
    constexpr Rect(Point topLeft, Point bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}
    // From Qt's inclusive rectangle: right = x + width.
    explicit Rect(const QRect& r)
        : left(r.x()), top(r.y()), right(r.x() + r.width()), bottom(r.y() + r.height()) {}

    // To Qt's rectangle; an inverted rectangle becomes an empty QRect.
    QRect ToQRect() const;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Size GetSize() const { return {Width(), Height()}; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Point CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty: no pixel inside (zero or negative width or height).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool operator==(const Rect&) const = default;

    void SetRectEmpty() { left = top = right = bottom = 0; }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(Point p) { OffsetRect(p.x, p.y); }
    void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    // Swaps edges so that left <= right and top <= bottom.
    void NormalizeRect();
    // Sets this to the overlap of a and b; returns false and an all-zero
    // rectangle when they do not overlap (either one empty counts as none).
    bool IntersectRect(const Rect& a, const Rect& b);
    // Sets this to the smallest rectangle holding both; an empty one is ignored.
    // Returns false (all zero) when both are empty.
    bool UnionRect(const Rect& a, const Rect& b);

    Rect& operator+=(Point p) {
        OffsetRect(p);
        return *this;
    }
    Rect& operator-=(Point p) {
        OffsetRect(-p.x, -p.y);
        return *this;
    }
    Rect& operator&=(const Rect& o) {
        IntersectRect(*this, o);
        return *this;
    }
    Rect& operator|=(const Rect& o) {
        UnionRect(*this, o);
        return *this;
    }
};

} // namespace platform
