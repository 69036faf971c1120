// Drawing with the selected pen: solid, dashed and dotted one-pixel lines
// (the gaps take the background colour when the background mode is opaque)
// and wide lines with round ends. Styles other than solid apply to one-pixel
// pens only; a wide styled pen draws solid, as on the device.
#pragma once

#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SpanSet.h"

namespace quorvel::gdi {

class PenStroke {
  public:
    explicit PenStroke(DeviceContext& dc);
    ~PenStroke();  // wide strokes are painted here, each pixel once

    bool Visible() const { return m_style != PS_NULL; }
    bool Wide() const { return m_width > 1; }
    int Width() const { return m_width; }

    // Device coordinates; the end point is not drawn.
    void Segment(POINT a, POINT b);
    void Path(const POINT* points, int count, bool closed);
    // A rounded figure's outline; `patternAt` gives the place in the dash
    // pattern of each of its pixels.
    template <typename PatternAt>
    void Outline(const SpanSet& pixels, PatternAt&& patternAt) {
        if (!Visible()) return;
        for (int y = pixels.Top(); y < pixels.Bottom(); ++y) {
            for (const Run& r : pixels.Row(y)) {
                for (int x = r.x0; x < r.x1; ++x) Plot(x, y, patternAt(x, y));
            }
        }
    }
    // A figure's outline that needs no pattern.
    void Fill(const SpanSet& pixels);
    // Where drawing can show, grown by the pen's width: the limit for
    // building figures.
    RECT Limit() const { return m_limit; }

  private:
    void Plot(int x, int y, int64_t patternStep);

    DeviceContext& m_dc;
    Canvas m_canvas;
    int m_style;
    int m_width;
    uint32_t m_pen;
    uint32_t m_gap;
    bool m_opaqueGaps;
    RECT m_limit;
    SpanSet m_wide;
};

// Every pixel a path covers with a pen of `width`, for keeping fills off it.
SpanSet PathPixels(const POINT* points, int count, bool closed, int width, const RECT& limit);

}  // namespace quorvel::gdi
