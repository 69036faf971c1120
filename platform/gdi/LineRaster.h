// The pixels of a one-pixel line. The end point is left out, as the device
// does, so that the segments of a path meet without overlapping and a closed
// figure drawn twice with an inverting raster operation cancels out.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/base/WinTypes.h"

namespace quorvel::gdi {

// Calls plot(x, y, i) for the pixels of the line from (x0, y0) towards
// (x1, y1) whose step i along the longer axis falls inside `limit`; i counts
// from the start, so patterns keep their place however much is skipped.
// Far-away end points cost nothing: only the steps within the limit are
// walked, the first of them found in closed form.
template <typename PlotFn>
void TraceLine(int x0, int y0, int x1, int y1, const RECT& limit, PlotFn&& plot) {
    const int64_t dx = std::llabs(int64_t{x1} - x0), dy = std::llabs(int64_t{y1} - y0);
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    if (major == 0) return;
    const int sMajor = xMajor ? (x1 < x0 ? -1 : 1) : (y1 < y0 ? -1 : 1);
    const int sMinor = xMajor ? (y1 < y0 ? -1 : 1) : (x1 < x0 ? -1 : 1);
    const int64_t start = xMajor ? x0 : y0, startMinor = xMajor ? y0 : x0;
    const int64_t lo = xMajor ? limit.left : limit.top, hi = xMajor ? limit.right : limit.bottom;
    // Steps i with lo <= start + sMajor * i < hi, within 0 .. major-1.
    int64_t first = sMajor > 0 ? lo - start : start - (hi - 1);
    int64_t last = sMajor > 0 ? hi - 1 - start : start - lo;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, major - 1);
    if (first > last) return;
    // Minor steps taken before step i: floor((2 minor i + major - 1) / (2 major)).
    int64_t k = (2 * minor * first + major - 1) / (2 * major);
    int64_t err = 2 * minor * (first + 1) - major - 2 * major * k;
    for (int64_t i = first; i <= last; ++i) {
        const int64_t a = start + sMajor * i, b = startMinor + sMinor * k;
        if (xMajor) {
            plot(static_cast<int>(a), static_cast<int>(b), i);
        } else {
            plot(static_cast<int>(b), static_cast<int>(a), i);
        }
        if (err > 0) {
            ++k;
            err -= 2 * major;
        }
        err += 2 * minor;
    }
}

}  // namespace quorvel::gdi
