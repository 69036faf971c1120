#include "platform/gdi/PenStroke.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/LineRaster.h"

namespace quorvel::gdi {
namespace {

struct DashPattern {
    int lengths[6];
    int count;
    int total;
};

// On and off lengths of the styled one-pixel pens, starting with "on".
const DashPattern* PatternFor(int style) {
    static const DashPattern dash{{18, 6}, 2, 24};
    static const DashPattern dot{{3, 3}, 2, 6};
    static const DashPattern dashDot{{9, 6, 3, 6}, 4, 24};
    static const DashPattern dashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
    switch (style) {
        case PS_DASH:
            return &dash;
        case PS_DOT:
            return &dot;
        case PS_DASHDOT:
            return &dashDot;
        case PS_DASHDOTDOT:
            return &dashDotDot;
        default:
            return nullptr;
    }
}

bool PatternOn(const DashPattern& p, int64_t step) {
    int pos = static_cast<int>(step % p.total);
    for (int i = 0; i < p.count; ++i) {
        if (pos < p.lengths[i]) return (i % 2) == 0;
        pos -= p.lengths[i];
    }
    return true;
}

}  // namespace

PenStroke::PenStroke(DeviceContext& dc)
    : m_dc(dc),
      m_canvas(dc.MakeCanvas()),
      m_style(dc.attr.pen->style),
      m_width(dc.attr.pen->width),
      m_pen(dc.Pixel(dc.attr.pen->color)),
      m_gap(dc.Pixel(dc.attr.bkColor)),
      m_opaqueGaps(dc.attr.bkMode == OPAQUE),
      m_limit(Inflated(BoundingBox(dc.Clip()), m_width + 2)),
      m_wide(m_limit) {
    if (m_width > 1 && m_style != PS_NULL) m_style = PS_SOLID;
}

PenStroke::~PenStroke() {
    if (!m_wide.Empty()) m_wide.Paint(m_canvas, m_pen);
}

void PenStroke::Plot(int x, int y, int64_t patternStep) {
    const DashPattern* pattern = PatternFor(m_style);
    if (!pattern || PatternOn(*pattern, patternStep)) {
        m_canvas.Plot(x, y, m_pen);
    } else if (m_opaqueGaps) {
        m_canvas.Plot(x, y, m_gap);
    }
}

// The dash pattern runs on from segment to segment of a path.
void PenStroke::Segment(POINT a, POINT b) {
    if (!Visible()) return;
    if (Wide()) {
        AddWideSegment(m_wide, a, b, m_width);
        return;
    }
    const int64_t base = m_dc.styleCounter;
    TraceLine(a.x, a.y, b.x, b.y, m_limit,
              [this, base](int x, int y, int64_t i) { Plot(x, y, base + i); });
    // Every pattern's length divides 1440.
    const int64_t steps = std::max(std::llabs(int64_t{b.x} - a.x), std::llabs(int64_t{b.y} - a.y));
    m_dc.styleCounter = static_cast<int>((m_dc.styleCounter + steps % 1440) % 1440);
}

void PenStroke::Path(const POINT* points, int count, bool closed) {
    for (int i = 0; i + 1 < count; ++i) Segment(points[i], points[i + 1]);
    if (closed && count > 1) Segment(points[count - 1], points[0]);
}

void PenStroke::Fill(const SpanSet& pixels) {
    if (Visible()) pixels.Paint(m_canvas, m_pen);
}

SpanSet PathPixels(const POINT* points, int count, bool closed, int width, const RECT& limit) {
    SpanSet set(limit);
    auto segment = [&](POINT a, POINT b) {
        if (width > 1) {
            AddWideSegment(set, a, b, width);
        } else {
            TraceLine(a.x, a.y, b.x, b.y, limit,
                      [&set](int x, int y, int64_t) { set.Add(y, x, x + 1); });
        }
    };
    for (int i = 0; i + 1 < count; ++i) segment(points[i], points[i + 1]);
    if (closed && count > 1) segment(points[count - 1], points[0]);
    return set;
}

}  // namespace quorvel::gdi
