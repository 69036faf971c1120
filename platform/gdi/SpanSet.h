// A set of pixels kept as sorted, disjoint runs per row. Shapes are built as
// span sets so that every pixel of a figure is written exactly once, which
// keeps inverting raster operations reversible.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/Canvas.h"

namespace quorvel::gdi {

struct Run {
    int x0;  // first pixel
    int x1;  // one past the last
};

// Shapes are only built where they can be seen: a set made with a limit
// keeps the rows inside it and cuts runs at its sides, so that a figure
// whose coordinates lie far off the screen costs no more than one on it.
constexpr RECT kNoLimit{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};

class SpanSet {
  public:
    SpanSet() = default;
    explicit SpanSet(const RECT& limit) : m_limit(limit) {}

    const RECT& Limit() const { return m_limit; }
    bool Empty() const;
    int Top() const { return m_top; }
    int Bottom() const { return m_top + static_cast<int>(m_rows.size()); }
    const std::vector<Run>& Row(int y) const;

    // Adds pixels x0 .. x1-1 of row y, merging with what is there.
    void Add(int y, int x0, int x1);
    void AddRect(const RECT& rect);
    void Subtract(const SpanSet& other);
    void Translate(int dx, int dy);

    // The pixels that have a 4-neighbour outside the set.
    SpanSet Boundary() const;
    // The set without its boundary.
    SpanSet Interior() const;

    void Paint(Canvas& canvas, uint32_t pixel) const;

  private:
    std::vector<Run>& EnsureRow(int y);

    RECT m_limit = kNoLimit;
    int m_top = 0;
    std::vector<std::vector<Run>> m_rows;
};

// Shapes inside a bounding box (left/top inclusive, right/bottom exclusive),
// built within `limit`.
SpanSet EllipseSpans(const RECT& box, const RECT& limit = kNoLimit);
SpanSet RoundRectSpans(const RECT& box, int ellipseWidth, int ellipseHeight,
                       const RECT& limit = kNoLimit);
// Pixels inside the polygon, a pixel being the point at its coordinates:
// left and top edges are inside, right and bottom edges outside, so the
// fill meets the one-pixel outline without a gap and a rectangle's fill
// stops before its right and bottom edges.
SpanSet PolygonSpans(const POINT* points, int count, bool winding, const RECT& limit = kNoLimit);
// The pixels a pen of `width` covers along a segment, with round ends,
// within the set's limit.
void AddWideSegment(SpanSet& set, POINT a, POINT b, int width);
// A rectangle grown by `by` pixels on every side.
RECT Inflated(const RECT& r, int by);

}  // namespace quorvel::gdi
