#include "platform/base/Geometry.h"

#include <algorithm>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (!a || !b) return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* rect, POINT pt) {
    return rect && pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top &&
           pt.y < rect->bottom;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx, rect->right += dx;
    rect->top += dy, rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left -= dx, rect->right += dx;
    rect->top -= dy, rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst) return FALSE;
    if (!a || !b || IsRectEmpty(a) || IsRectEmpty(b)) return SetRectEmpty(dst), FALSE;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) return SetRectEmpty(dst), FALSE;
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst) return FALSE;
    const bool aEmpty = !a || IsRectEmpty(a);
    const bool bEmpty = !b || IsRectEmpty(b);
    if (aEmpty && bEmpty) return SetRectEmpty(dst), FALSE;
    if (aEmpty) return CopyRect(dst, b);
    if (bEmpty) return CopyRect(dst, a);
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

void CRect::SetRect(POINT topLeft, POINT bottomRight) {
    ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CRect::NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

void CRect::InflateRect(const RECT* r) {
    if (r) InflateRect(r->left, r->top, r->right, r->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left -= l, top -= t;
    right += r, bottom += b;
}

void CRect::DeflateRect(const RECT* r) {
    if (r) DeflateRect(r->left, r->top, r->right, r->bottom);
}

CRect& CRect::operator&=(const RECT& r) {
    const RECT self = *this;
    ::IntersectRect(this, &self, &r);
    return *this;
}

CRect& CRect::operator|=(const RECT& r) {
    const RECT self = *this;
    ::UnionRect(this, &self, &r);
    return *this;
}
