// Scan conversion of polygons and of wide pen strokes into span sets.
#include <algorithm>
#include <cmath>

#include "platform/gdi/SpanSet.h"

namespace quorvel::gdi {
namespace {

struct Crossing {
    double x;
    int direction;  // +1 edge going down, -1 going up
};

void RowCrossings(const POINT* points, int count, double y, std::vector<Crossing>& out) {
    out.clear();
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % count];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const double lo = down ? a.y : b.y;
        const double hi = down ? b.y : a.y;
        if (y < lo || y >= hi) continue;
        const double t = (y - a.y) / (static_cast<double>(b.y) - a.y);
        out.push_back(Crossing{a.x + t * (static_cast<double>(b.x) - a.x), down ? 1 : -1});
    }
    std::sort(out.begin(), out.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
}

// Pixels x with from <= x < to, cut to the set's limit.
void AddBetween(SpanSet& set, int y, double from, double to) {
    const double left = set.Limit().left, right = set.Limit().right;
    from = std::max(from, left);
    to = std::min(to, right);
    if (from < to) set.Add(y, static_cast<int>(std::ceil(from)), static_cast<int>(std::ceil(to)));
}

struct Interval {
    double lo = -1e300, hi = 1e300;  // open

    void Cut(double a, double b) {
        lo = std::max(lo, a);
        hi = std::min(hi, b);
    }
    bool Empty() const { return lo >= hi; }
};

// Points x of row y with lo < coef * x + base < hi.
void CutLinear(Interval& in, double coef, double base, double lo, double hi) {
    if (coef == 0) {
        if (!(base > lo && base < hi)) in = Interval{0, 0};
        return;
    }
    const double a = (lo - base) / coef, b = (hi - base) / coef;
    in.Cut(std::min(a, b), std::max(a, b));
}

Interval Disc(double cx, double cy, double r, double y) {
    const double dy = y - cy;
    if (dy * dy >= r * r) return Interval{0, 0};
    const double half = std::sqrt(r * r - dy * dy);
    return Interval{cx - half, cx + half};
}

}  // namespace

SpanSet PolygonSpans(const POINT* points, int count, bool winding, const RECT& limit) {
    SpanSet set(limit);
    if (count < 3) return set;
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    top = std::max<int>(top, limit.top);
    bottom = std::min<int>(bottom, limit.bottom);
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        RowCrossings(points, count, y, crossings);
        int inside = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside += winding ? crossings[i].direction : 1;
            const bool filled = winding ? inside != 0 : (inside & 1) != 0;
            if (filled) AddBetween(set, y, crossings[i].x, crossings[i + 1].x);
        }
    }
    return set;
}

// A pixel is covered when its centre lies closer than width / 2 to the
// segment: per row, the union of the band along the segment and the discs
// at its ends. Even widths have no middle pixel, so their segment runs
// along pixel corners, a half pixel up and left of the given points.
void AddWideSegment(SpanSet& set, POINT a, POINT b, int width) {
    const double r = width / 2.0;
    const double shift = (width % 2 == 0) ? -0.5 : 0.0;
    const double ax = a.x + shift, ay = a.y + shift, bx = b.x + shift, by = b.y + shift;
    const double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    const int top =
        std::max<int>(set.Limit().top, static_cast<int>(std::floor(std::min(ay, by) - r)));
    const int bottom =
        std::min<int>(set.Limit().bottom - 1, static_cast<int>(std::ceil(std::max(ay, by) + r)));
    for (int y = top; y <= bottom; ++y) {
        Interval band;
        // Across: |cross(P - A, d)| < r |d|; along: 0 < dot(P - A, d) < |d|^2.
        CutLinear(band, dy, -(y - ay) * dx - ax * dy, -r * len, r * len);
        CutLinear(band, dx, (y - ay) * dy - ax * dx, 0, len * len);
        double lo = 1e300, hi = -1e300;
        for (const Interval& part : {band, Disc(ax, ay, r, y), Disc(bx, by, r, y)}) {
            if (part.Empty()) continue;
            lo = std::min(lo, part.lo);
            hi = std::max(hi, part.hi);
        }
        if (lo >= hi) continue;
        lo = std::max(lo, static_cast<double>(set.Limit().left) - 1);
        hi = std::min(hi, static_cast<double>(set.Limit().right) + 1);
        const int first = static_cast<int>(std::floor(lo)) + 1;
        const int last = static_cast<int>(std::ceil(hi)) - 1;
        if (first <= last) set.Add(y, first, last + 1);
    }
}

}  // namespace quorvel::gdi
