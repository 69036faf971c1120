#include "platform/gdi/Canvas.h"

#include <algorithm>

namespace quorvel::gdi {

Canvas::Canvas(const Surface& surface, const std::vector<RECT>& clip, int rop2)
    : m_surface(surface), m_lock(LockPixels(surface)), m_clip(clip), m_rop(rop2) {}

bool Canvas::Contains(int x, int y) const {
    for (const RECT& r : m_clip) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
}

void Canvas::Plot(int x, int y, uint32_t pixel) {
    if (!Contains(x, y)) return;
    uint32_t& p = m_surface.Row(y)[x];
    p = m_rop == 13 ? pixel : ApplyRop2(m_rop, pixel, p);
}

void Canvas::WriteRun(uint32_t* row, int x0, int x1, uint32_t pixel) const {
    switch (m_rop) {
        case 13:  // R2_COPYPEN
            std::fill(row + x0, row + x1, pixel);
            return;
        case 11:  // R2_NOP
            return;
        case 6:  // R2_NOT
            for (int x = x0; x < x1; ++x) row[x] = ~row[x] & kPixelMask;
            return;
        default:
            for (int x = x0; x < x1; ++x) row[x] = ApplyRop2(m_rop, pixel, row[x]);
    }
}

void Canvas::Span(int y, int x0, int x1, uint32_t pixel) {
    for (const RECT& r : m_clip) {
        if (y < r.top || y >= r.bottom) continue;
        const int a = std::max<int>(x0, r.left);
        const int b = std::min<int>(x1, r.right);
        if (a < b) WriteRun(m_surface.Row(y), a, b, pixel);
    }
}

void Canvas::Fill(const RECT& rect, uint32_t pixel) {
    for (const RECT& r : m_clip) {
        const RECT c = Intersect(rect, r);
        if (IsEmpty(c)) continue;
        for (int y = c.top; y < c.bottom; ++y) WriteRun(m_surface.Row(y), c.left, c.right, pixel);
    }
}

std::vector<RECT> ClipRects(const std::vector<RECT>& rects, const RECT& bounds) {
    std::vector<RECT> out;
    for (const RECT& r : rects) {
        const RECT c = Intersect(r, bounds);
        if (!IsEmpty(c)) out.push_back(c);
    }
    return out;
}

RECT BoundingBox(const std::vector<RECT>& rects) {
    if (rects.empty()) return RECT{0, 0, 0, 0};
    RECT box = rects.front();
    for (const RECT& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

}  // namespace quorvel::gdi
