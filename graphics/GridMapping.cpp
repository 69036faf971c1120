#include "graphics/GridMapping.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 1048576.0;  // 2^20 pixels

int HeldPixel(double v, LONG low, LONG high) {
    if (std::isnan(v)) return static_cast<int>(low - kMargin);
    return static_cast<int>(std::clamp(v, low - kMargin, high + kMargin));
}

}  // namespace

POINT GridMapping::WorldToScreen(double north, double east) const {
    const double x = (east - m_dOriginE) / m_dScale + m_rcDraw.left;
    const double y = m_rcDraw.bottom - (north - m_dOriginN) / m_dScale;
    return POINT{HeldPixel(x, m_rcDraw.left, m_rcDraw.right),
                 HeldPixel(y, m_rcDraw.top, m_rcDraw.bottom)};
}

void GridMapping::ScreenToWorld(int x, int y, double& north, double& east) const {
    north = (m_rcDraw.bottom - y) * m_dScale + m_dOriginN;
    east = (x - m_rcDraw.left) * m_dScale + m_dOriginE;
}

bool IsUsableWindow(double originN, double originE, double scale) {
    return std::isfinite(originN) && std::isfinite(originE) && std::isfinite(scale) && scale > 0.0;
}

bool PointInClient(const RECT& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

void ProjectLayer(CGraphLayer& layer, const GridMapping& map, const RECT& client) {
    if (layer.m_texts.m_bVisible) {
        for (CGraphText& t : layer.m_texts.m_items) {
            const POINT p = map.WorldToScreen(t.m_ptAnchor.m_dX, t.m_ptAnchor.m_dY);
            t.m_nScreenX = p.x;
            t.m_nScreenY = p.y;
            t.m_bOnScreen = PointInClient(client, p.x, p.y);
        }
    }
    if (layer.m_points.m_bVisible) {
        auto& items = layer.m_points.m_items;
        const size_t first =
            items.size() > kDrawnTrackPoints ? items.size() - kDrawnTrackPoints : 0;
        for (size_t i = first; i < items.size(); ++i) {
            const POINT p = map.WorldToScreen(items[i].m_dX, items[i].m_dY);
            items[i].m_nScreenX = p.x;
            items[i].m_nScreenY = p.y;
            items[i].m_bOnScreen = PointInClient(client, p.x, p.y);
        }
    }
    if (layer.m_lines.m_bVisible) {
        for (CGraphLine& l : layer.m_lines.m_items) {
            const POINT a = map.WorldToScreen(l.m_ptStart.m_dX, l.m_ptStart.m_dY);
            const POINT b = map.WorldToScreen(l.m_ptEnd.m_dX, l.m_ptEnd.m_dY);
            l.m_nStartX = a.x;
            l.m_nStartY = a.y;
            l.m_nEndX = b.x;
            l.m_nEndY = b.y;
            l.m_bOnScreen =
                PointInClient(client, a.x, a.y) || PointInClient(client, b.x, b.y) ||
                (ComputeOutCode(client, a.x, a.y) & ComputeOutCode(client, b.x, b.y)) == 0;
        }
    }
}

int ComputeOutCode(const RECT& rc, int x, int y) {
    int code = 0;
    if (x < rc.left)
        code |= 1;
    else if (x > rc.right)
        code |= 2;
    if (y < rc.top)
        code |= 4;
    else if (y > rc.bottom)
        code |= 8;
    return code;
}

namespace {

// One end moved onto an edge: truncated toward zero as the screen is, held
// in int range for the extreme slopes of nearly vertical or horizontal
// segments.
int Along(int from, double delta) {
    if (!std::isfinite(delta)) return from;
    return static_cast<int>(std::clamp(from + std::trunc(delta), -1e9, 1e9));
}

}  // namespace

BOOL ClipLine(const RECT& rc, int& x1, int& y1, int& x2, int& y2) {
    // Slopes in double: a vertical or horizontal segment gives an infinite
    // one, which only an end that already lies on the other side could use.
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    const double slope = dy / dx;
    const double inverse = dx / dy;
    int c1 = ComputeOutCode(rc, x1, y1);
    int c2 = ComputeOutCode(rc, x2, y2);
    // Each pass puts one end on an edge line; a few passes settle any
    // segment, the bound only guards against a rounding cycle.
    for (int pass = 0; pass < 8; ++pass) {
        if (c1 == 0 && c2 == 0) return TRUE;
        if (c1 & c2) break;
        const bool first = c1 != 0;
        const int code = first ? c1 : c2;
        int x = 0, y = 0;
        if (code & 1) {
            x = rc.left;
            y = Along(y1, (rc.left - x1) * slope);
        } else if (code & 2) {
            x = rc.right;
            y = Along(y1, (rc.right - x1) * slope);
        } else if (code & 4) {
            y = rc.top;
            x = Along(x1, (rc.top - y1) * inverse);
        } else {
            y = rc.bottom;
            x = Along(x1, (rc.bottom - y1) * inverse);
        }
        if (first) {
            x1 = x;
            y1 = y;
            c1 = ComputeOutCode(rc, x1, y1);
        } else {
            x2 = x;
            y2 = y;
            c2 = ComputeOutCode(rc, x2, y2);
        }
    }
    x1 = y1 = x2 = y2 = -1000;
    return FALSE;
}

CString ScaleBarLabel(double half) {
    static const double bounds[] = {0.1, 0.2, 0.5, 1, 2, 5};
    static const wchar_t* names[] = {L"0.1", L"0.2", L"0.5", L"1", L"2", L"5"};
    for (int i = 0; i < 6; ++i)
        if (half < bounds[i]) return names[i];
    static const struct {
        double below;
        double factor;
        const wchar_t* zeros;
    } steps[] = {{100, 0.1, L"0"}, {1000, 0.01, L"00"}, {10000, 0.001, L"000"}};
    CString digits;
    for (const auto& step : steps) {
        if (half < step.below) {
            digits.Format(L"%.0f", half * step.factor);
            return digits + step.zeros;
        }
    }
    digits.Format(L"%.0f", half * 0.0001);
    return digits + L"0000";
}
