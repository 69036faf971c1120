// CPoint, CSize and CRect, and the rectangle functions of the system.
//
// Rectangles are half-open: a point is inside when left <= x < right and
// top <= y < bottom; a rectangle whose right <= left or bottom <= top is
// empty. The functions take null pointers as failure (FALSE), never crash.
#pragma once

#include "platform/base/WinTypes.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT pt);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
// Both set *dst and return whether it is non-empty; an empty result is
// (0, 0, 0, 0).
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);

// Each class compares through one symmetric friend that both operands
// convert to alike, so C++20's rewritten and reversed forms (!=, POINT ==
// CPoint) always find one best candidate.
class CSize : public SIZE {
  public:
    CSize() : SIZE{0, 0} {}
    CSize(int x, int y) : SIZE{x, y} {}
    CSize(SIZE s) : SIZE(s) {}  // NOLINT: implicit as in the framework
    explicit CSize(POINT p) : SIZE{p.x, p.y} {}

    friend bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
    CSize& operator+=(SIZE s) { return cx += s.cx, cy += s.cy, *this; }
    CSize& operator-=(SIZE s) { return cx -= s.cx, cy -= s.cy, *this; }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
  public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x0, int y0) : POINT{x0, y0} {}
    CPoint(POINT p) : POINT(p) {}  // NOLINT
    explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}

    void SetPoint(int x0, int y0) { x = x0, y = y0; }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    void Offset(POINT p) { Offset(p.x, p.y); }
    void Offset(SIZE s) { Offset(s.cx, s.cy); }

    friend bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
    CPoint& operator+=(SIZE s) { return Offset(s), *this; }
    CPoint& operator-=(SIZE s) { return Offset(-s.cx, -s.cy), *this; }
    CPoint& operator+=(POINT p) { return Offset(p), *this; }
    CPoint& operator-=(POINT p) { return Offset(-p.x, -p.y), *this; }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}  // NOLINT
    explicit CRect(const RECT* r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }             // NOLINT
    operator const RECT*() const { return this; }  // NOLINT

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }
    BOOL EqualRect(const RECT* r) const { return ::EqualRect(this, r); }

    void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
    void SetRect(POINT topLeft, POINT bottomRight);
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(const RECT* src) { ::CopyRect(this, src); }
    void NormalizeRect();

    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(const RECT* r);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(const RECT* r);
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }

    BOOL IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }

    friend bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
    CRect& operator+=(POINT p) { return OffsetRect(p), *this; }
    CRect& operator+=(SIZE s) { return OffsetRect(s), *this; }
    CRect& operator-=(POINT p) { return OffsetRect(-p.x, -p.y), *this; }
    CRect& operator-=(SIZE s) { return OffsetRect(-s.cx, -s.cy), *this; }
    CRect& operator&=(const RECT& r);
    CRect& operator|=(const RECT& r);
    CRect operator+(POINT p) const { return CRect(*this) += p; }
    CRect operator-(POINT p) const { return CRect(*this) -= p; }
    CRect operator+(SIZE s) const { return CRect(*this) += s; }
    CRect operator-(SIZE s) const { return CRect(*this) -= s; }
    CRect operator&(const RECT& r) const { return CRect(*this) &= r; }
    CRect operator|(const RECT& r) const { return CRect(*this) |= r; }
};
