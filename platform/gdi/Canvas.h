// The rasteriser's target: a surface seen through a list of clip rectangles
// (device pixels), written with one binary raster operation. It knows pixels
// only; pens, brushes and fonts are resolved to colours before they get here.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/Rop.h"
#include "platform/gdi/Surface.h"
#include "platform/win/RectMath.h"

namespace quorvel::gdi {

class Canvas {
  public:
    // `clip` must already lie inside the surface.
    Canvas(const Surface& surface, const std::vector<RECT>& clip, int rop2 = 13);

    const Surface& surface() const { return m_surface; }
    const std::vector<RECT>& clip() const { return m_clip; }
    int rop() const { return m_rop; }

    bool Contains(int x, int y) const;
    void Plot(int x, int y, uint32_t pixel);
    // Pixels x0 .. x1-1 of row y.
    void Span(int y, int x0, int x1, uint32_t pixel);
    void Fill(const RECT& rect, uint32_t pixel);
    uint32_t Get(int x, int y) const { return m_surface.Row(y)[x]; }

  private:
    void WriteRun(uint32_t* row, int x0, int x1, uint32_t pixel) const;

    Surface m_surface;
    std::unique_lock<std::recursive_mutex> m_lock;  // the screen's, while this draws on it
    const std::vector<RECT>& m_clip;
    int m_rop;
};

// Rectangle helpers shared by the drawing code; clip lists are cut up the
// way the window manager cuts its visible regions, so they share its
// arithmetic.
using win::detail::Intersect;
inline bool IsEmpty(const RECT& r) {
    return win::detail::Empty(r);
}
// The parts of `rects` inside `bounds`.
std::vector<RECT> ClipRects(const std::vector<RECT>& rects, const RECT& bounds);
// The parts of `rects` outside `hole`.
inline std::vector<RECT> SubtractRect(std::vector<RECT> rects, const RECT& hole) {
    win::detail::Subtract(&rects, hole);
    return rects;
}
RECT BoundingBox(const std::vector<RECT>& rects);

}  // namespace quorvel::gdi
