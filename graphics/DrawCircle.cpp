#include "graphics/DrawCircle.h"

#include <cmath>
#include <vector>

#include "platform/framework/Afx.h"

namespace {
// The value the handheld's code used; kept so that vertex counts and
// positions match its screens pixel for pixel.
constexpr double kPi = 3.1415926535897;
// A radius beyond any screen: the path would only allocate.
constexpr double kMaxRadius = 65536.0;
}  // namespace

int CircleVertexCount(double r) {
    if (!std::isfinite(r) || r <= 0.0 || r > kMaxRadius) return 0;
    return static_cast<int>(2.0 * kPi * r);
}

void DrawCircle(HDC hdc, int cx, int cy, double r) {
    const int n = CircleVertexCount(r);
    if (n < 1) return;
    std::vector<POINT> path(static_cast<size_t>(n) + 1);
    for (int i = 0; i < n; ++i) {
        const double phi = 2.0 * kPi * i / n;
        path[static_cast<size_t>(i)].x = cx + static_cast<int>(r * std::cos(phi));
        path[static_cast<size_t>(i)].y = cy - static_cast<int>(r * std::sin(phi));
    }
    path[static_cast<size_t>(n)] = path[0];
    ::Polyline(hdc, path.data(), n + 1);
}

void DrawCircle(CDC* pDC, int cx, int cy, double r) {
    DrawCircle(pDC->GetSafeHdc(), cx, cy, r);
}
