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

void RowCrossings(const POINT* points, int count, double yc, std::vector<Crossing>& out) {
    out.clear();
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % count];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const double lo = down ? a.y : b.y;
        const double hi = down ? b.y : a.y;
        if (yc < lo || yc >= hi) continue;
        const double t = (yc - a.y) / static_cast<double>(b.y - a.y);
        out.push_back(Crossing{a.x + t * (b.x - a.x), down ? 1 : -1});
    }
    std::sort(out.begin(), out.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
}

// Pixels x with from <= x < to.
void AddCentres(SpanSet& set, int y, double from, double to) {
    set.Add(y, static_cast<int>(std::ceil(from)), static_cast<int>(std::ceil(to)));
}

}  // namespace

SpanSet PolygonSpans(const POINT* points, int count, bool winding) {
    SpanSet set;
    if (count < 3) return set;
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        RowCrossings(points, count, y, crossings);
        int inside = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside += winding ? crossings[i].direction : 1;
            const bool filled = winding ? inside != 0 : (inside & 1) != 0;
            if (filled) AddCentres(set, y, crossings[i].x, crossings[i + 1].x);
        }
    }
    return set;
}

// A pixel is covered when its centre lies closer than width / 2 to the
// segment. Even widths have no middle pixel, so their segment runs along
// pixel corners, a half pixel up and left of the given points.
void AddWideSegment(SpanSet& set, POINT a, POINT b, int width) {
    const double r = width / 2.0;
    const double shift = (width % 2 == 0) ? -0.5 : 0.0;
    const double ax = a.x + shift, ay = a.y + shift;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const int top = static_cast<int>(std::floor(std::min(ay, ay + dy) - r));
    const int bottom = static_cast<int>(std::ceil(std::max(ay, ay + dy) + r));
    const int left = static_cast<int>(std::floor(std::min(ax, ax + dx) - r));
    const int right = static_cast<int>(std::ceil(std::max(ax, ax + dx) + r));
    for (int y = top; y <= bottom; ++y) {
        int first = right + 1, last = left - 1;
        for (int x = left; x <= right; ++x) {
            const double px = x - ax, py = y - ay;
            double t = len2 > 0 ? (px * dx + py * dy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey < r * r) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        if (first <= last) set.Add(y, first, last + 1);
    }
}

}  // namespace quorvel::gdi
