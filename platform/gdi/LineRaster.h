// The pixels of a one-pixel line. The end point is left out, as the device
// does, so that the segments of a path meet without overlapping and a closed
// figure drawn twice with an inverting raster operation cancels out.
#pragma once

#include <cstdlib>

namespace quorvel::gdi {

template <typename PlotFn>
void TraceLine(int x0, int y0, int x1, int y1, PlotFn&& plot) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i, x0 += sx) {
            plot(x0, y0);
            if (err > 0) {
                y0 += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i, y0 += sy) {
            plot(x0, y0);
            if (err > 0) {
                x0 += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
        }
    }
}

}  // namespace quorvel::gdi
