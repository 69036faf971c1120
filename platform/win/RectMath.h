// Rectangle arithmetic on RECT (right and bottom exclusive) for clipping and
// update areas; kept here so the window manager needs nothing but base types.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/base/WinTypes.h"

namespace quorvel::win::detail {

inline bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

inline RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return Empty(r) ? RECT{0, 0, 0, 0} : r;
}

// Bounding rectangle; an empty operand does not count.
inline RECT Bound(const RECT& a, const RECT& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

inline RECT Offset(RECT r, LONG dx, LONG dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}

inline bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The parts of `from` outside `cut`: up to four bands (above, below, left,
// right of the cut).
inline void SubtractInto(const RECT& from, const RECT& cut, std::vector<RECT>* out) {
    const RECT x = Intersect(from, cut);
    if (Empty(x)) {
        out->push_back(from);
        return;
    }
    if (from.top < x.top) out->push_back({from.left, from.top, from.right, x.top});
    if (x.bottom < from.bottom) out->push_back({from.left, x.bottom, from.right, from.bottom});
    if (from.left < x.left) out->push_back({from.left, x.top, x.left, x.bottom});
    if (x.right < from.right) out->push_back({x.right, x.top, from.right, x.bottom});
}

inline void Subtract(std::vector<RECT>* rects, const RECT& cut) {
    if (Empty(cut)) return;
    std::vector<RECT> out;
    for (const RECT& r : *rects) SubtractInto(r, cut, &out);
    rects->swap(out);
}

inline RECT BoundAll(const std::vector<RECT>& rects) {
    RECT b{0, 0, 0, 0};
    for (const RECT& r : rects) b = Bound(b, r);
    return b;
}

}  // namespace quorvel::win::detail
