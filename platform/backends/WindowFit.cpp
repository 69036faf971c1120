#include "platform/backends/WindowFit.h"

#include <algorithm>

namespace quorvel::backends {
namespace {

int Place(int start, int room, int size) {
    return start + std::max(0, (room - size) / 2);
}

}  // namespace

WindowFit FitWindow(const FitRect& area, int contentWidth, int contentHeight, int requestedScale) {
    WindowFit fit;
    fit.scale = requestedScale;
    if (fit.scale <= 0) {
        fit.scale = 1;
        while (fit.scale < kMaxScale && contentWidth * (fit.scale + 1) <= area.width &&
               contentHeight * (fit.scale + 1) <= area.height)
            ++fit.scale;
    }
    fit.window.width = contentWidth * fit.scale;
    fit.window.height = contentHeight * fit.scale;
    fit.window.x = Place(area.x, area.width, fit.window.width);
    fit.window.y = Place(area.y, area.height, fit.window.height);
    return fit;
}

}  // namespace quorvel::backends
