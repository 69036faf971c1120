#include "graphics/LineLayout.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CLineLayout, CObject)

namespace {

constexpr double kHalfPi = 1.57079632679485;
constexpr double kTwoPi = 6.2831853071794;
constexpr double kEdgeTolerance = 1e-10;

CNamedPoint At(double n, double e) {
    CNamedPoint p;
    p.m_dX = n;
    p.m_dY = e;
    return p;
}

// Direction of the lines as a mathematical angle from the E axis, and the
// intercept step that puts neighbours `spacing` metres apart.
void LineDirection(double azimuth, double spacing, double& slope, double& step) {
    double theta = 7.85398163397425 - azimuth;
    if (theta > kTwoPi) theta -= kTwoPi;
    slope = std::tan(theta);
    step = std::fabs(spacing / std::cos(theta));
}

void InterceptRange(const std::vector<CNamedPoint>& polygon, double slope, double& low,
                    double& high) {
    low = high = polygon[0].m_dX - slope * polygon[0].m_dY;
    for (const CNamedPoint& p : polygon) {
        const double c = p.m_dX - slope * p.m_dY;
        low = std::min(low, c);
        high = std::max(high, c);
    }
}

}  // namespace

int IntersectLines(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, double& x, double& y) {
    constexpr double kCoincident = 1e-6;
    const bool vertical1 = std::fabs(x1 - x2) < kCoincident;
    const bool vertical2 = std::fabs(x3 - x4) < kCoincident;
    if (vertical1 && vertical2) return 0;
    if (vertical1 && std::fabs(y1 - y2) < kCoincident) return 0;
    if (std::fabs(y3 - y4) < kCoincident && vertical2) return 0;
    const double d1 = (y3 - y4) * (x1 - x2);
    const double d2 = (y1 - y2) * (x3 - x4);
    const double d = d1 - d2;
    // Parallel lines: the determinant vanishes against its own terms.
    if (!(std::fabs(d) > 1e-12 * (std::fabs(d1) + std::fabs(d2)))) return 0;
    const double yy = ((y3 - y4) * (x1 - x2) * y1 - (y3 - y4) * (y1 - y2) * x1 -
                       (y1 - y2) * (x3 - x4) * y3 + (y3 - y4) * (y1 - y2) * x3) /
                      d;
    const double xx = std::fabs(y1 - y2) < kCoincident ? (yy - y3) * (x3 - x4) / (y3 - y4) + x3
                                                       : (yy - y1) * (x1 - x2) / (y1 - y2) + x1;
    if (!std::isfinite(xx) || !std::isfinite(yy)) return 0;
    x = xx;
    y = yy;
    return 1;
}

long long CLineLayout::CountAreaLines(double azimuth, double spacing) const {
    if (m_polygon.empty()) return 0;
    double slope = 0.0, step = 0.0, low = 0.0, high = 0.0;
    LineDirection(azimuth, spacing, slope, step);
    InterceptRange(m_polygon, slope, low, high);
    const double n = (high - low) / step;
    if (!std::isfinite(n)) return std::isnan(n) ? 0 : kMaxLayoutLines + 1;
    return n >= static_cast<double>(kMaxLayoutLines + 1) ? kMaxLayoutLines + 1
                                                         : static_cast<long long>(n);
}

void CLineLayout::GenerateAreaLines(double azimuth, double spacing) {
    m_surveyLines.clear();
    m_edges.clear();
    m_records.clear();
    if (m_polygon.empty()) return;
    double k = 0.0, s = 0.0, cmin = 0.0, cmax = 0.0;
    LineDirection(azimuth, spacing, k, s);
    InterceptRange(m_polygon, k, cmin, cmax);
    const long long n = CountAreaLines(azimuth, spacing);
    if (n > kMaxLayoutLines) return;
    for (long long i = 1; i <= n; ++i)
        m_surveyLines.push_back({k, cmin + static_cast<double>(i) * s});
    const size_t count = m_polygon.size();
    for (size_t j = 0; j < count; ++j) {
        const CNamedPoint& a = m_polygon[j];
        const CNamedPoint& b = m_polygon[(j + 1) % count];
        if (std::fabs(a.m_dY - b.m_dY) > kEdgeTolerance)
            m_edges.push_back({(a.m_dX - b.m_dX) / (a.m_dY - b.m_dY),
                               (b.m_dX * a.m_dY - a.m_dX * b.m_dY) / (a.m_dY - b.m_dY)});
        else
            m_edges.push_back({kVerticalSlope, a.m_dY});
    }
    for (size_t i = 0; i < m_surveyLines.size(); ++i) {
        auto record = std::make_unique<SurveyLineRecord>();
        record->m_nLine = static_cast<int>(i);
        const double c = m_surveyLines[i].m_dIntercept;
        for (size_t j = 0; j < count; ++j) {
            const CNamedPoint& a = m_polygon[j];
            const CNamedPoint& b = m_polygon[(j + 1) % count];
            const LineEquation& edge = m_edges[j];
            if (std::fabs(edge.m_dSlope - kVerticalSlope) > kEdgeTolerance) {
                const double e = (c - edge.m_dIntercept) / (edge.m_dSlope - k);
                const double nn = edge.m_dSlope * e + edge.m_dIntercept;
                if (std::min(a.m_dY, b.m_dY) <= e && e <= std::max(a.m_dY, b.m_dY))
                    record->m_points.push_back(At(nn, e));
            } else {
                const double e = edge.m_dIntercept;
                const double nn = k * e + c;
                if (std::min(a.m_dX, b.m_dX) <= nn && nn <= std::max(a.m_dX, b.m_dX))
                    record->m_points.push_back(At(nn, e));
            }
        }
        // Along the line by N + E; lines that keep N + E constant (135° and
        // 315°) fall back to N, so their pieces still pair up in order.
        auto& pts = record->m_points;
        const bool constantSum = pts.size() > 1 && std::fabs(k + 1.0) < 1e-9;
        for (size_t p = 0; p + 1 < pts.size(); ++p)
            for (size_t q = p + 1; q < pts.size(); ++q) {
                const double kq = constantSum ? pts[q].m_dX : pts[q].m_dX + pts[q].m_dY;
                const double kp = constantSum ? pts[p].m_dX : pts[p].m_dX + pts[p].m_dY;
                if (kq < kp) std::swap(pts[p], pts[q]);
            }
        m_records.push_back(std::move(record));
    }
}

int CLineLayout::GenerateChannelLines(double width, int side) {
    m_left.clear();
    m_right.clear();
    m_leftSegments.clear();
    m_rightSegments.clear();
    if (m_axis.size() < 2) return 0;
    for (size_t i = 0; i + 1 < m_axis.size(); ++i) {
        const CNamedPoint& a = m_axis[i];
        const CNamedPoint& b = m_axis[i + 1];
        const double az = std::atan2(b.m_dY - a.m_dY, b.m_dX - a.m_dX);
        const double ln = std::cos(az - kHalfPi) * width * 0.5,
                     le = std::sin(az - kHalfPi) * width * 0.5;
        const double rn = std::cos(az + kHalfPi) * width * 0.5,
                     re = std::sin(az + kHalfPi) * width * 0.5;
        m_leftSegments.push_back({At(a.m_dX + ln, a.m_dY + le), At(b.m_dX + ln, b.m_dY + le)});
        m_rightSegments.push_back({At(a.m_dX + rn, a.m_dY + re), At(b.m_dX + rn, b.m_dY + re)});
    }
    auto join = [](const std::vector<CNamedSegment>& segments, std::vector<CNamedPoint>& out) {
        out.push_back(segments.front().m_ptStart);
        for (size_t i = 0; i + 1 < segments.size(); ++i) {
            const CNamedSegment& s = segments[i];
            const CNamedSegment& t = segments[i + 1];
            double x = 0.0, y = 0.0;
            // Parallel or degenerate neighbours have no meeting point: the
            // end of the first offset segment joins them.
            if (IntersectLines(s.m_ptStart.m_dX, s.m_ptStart.m_dY, s.m_ptEnd.m_dX, s.m_ptEnd.m_dY,
                               t.m_ptStart.m_dX, t.m_ptStart.m_dY, t.m_ptEnd.m_dX, t.m_ptEnd.m_dY,
                               x, y) == 1)
                out.push_back(At(x, y));
            else
                out.push_back(At(s.m_ptEnd.m_dX, s.m_ptEnd.m_dY));
        }
        out.push_back(segments.back().m_ptEnd);
    };
    join(m_leftSegments, m_left);
    join(m_rightSegments, m_right);
    m_chosen = side ? m_left : m_right;
    return 1;
}

long long CLineLayout::CountPerpLines(double spacing) const {
    long long total = 0;
    if (!(spacing > 0.0)) return 0;
    for (size_t i = 0; i + 1 < m_axis.size(); ++i) {
        const double dn = m_axis[i + 1].m_dX - m_axis[i].m_dX,
                     de = m_axis[i + 1].m_dY - m_axis[i].m_dY;
        const double m = std::sqrt(dn * dn + de * de) / spacing;
        if (!std::isfinite(m) || m > static_cast<double>(kMaxLayoutLines))
            return kMaxLayoutLines + 1;
        if (m >= 1.0) total += static_cast<long long>(m);
    }
    return std::min(total, kMaxLayoutLines + 1);
}

void CLineLayout::GeneratePerpLines(double left, double right, double spacing) {
    if (m_axis.size() < 2 || !(spacing > 0.0)) return;
    for (size_t i = 0; i + 1 < m_axis.size(); ++i) {
        const CNamedPoint& a = m_axis[i];
        const CNamedPoint& b = m_axis[i + 1];
        const double dn = b.m_dX - a.m_dX, de = b.m_dY - a.m_dY;
        const double length = std::sqrt(dn * dn + de * de);
        const double az = std::atan2(de, dn);
        const double m = length / spacing;
        if (!(m >= 1.0)) continue;
        const long long count =
            static_cast<long long>(std::min(m, static_cast<double>(kMaxLayoutLines + 1)));
        for (long long k = 1; k <= count; ++k) {
            const double f = static_cast<double>(k) * spacing / length;
            const double fn = a.m_dX + f * dn, fe = a.m_dY + f * de;
            m_perpSegments.push_back(
                {At(fn + left * std::cos(az - kHalfPi), fe + left * std::sin(az - kHalfPi)),
                 At(fn + right * std::cos(az + kHalfPi), fe + right * std::sin(az + kHalfPi))});
        }
    }
}

CNamedSegment CLineLayout::OffsetSegment(const CNamedSegment& segment, double distance,
                                         int side) const {
    const double az = std::atan2(segment.m_ptEnd.m_dY - segment.m_ptStart.m_dY,
                                 segment.m_ptEnd.m_dX - segment.m_ptStart.m_dX);
    const double b = side ? az - kHalfPi : az + kHalfPi;
    const double dn = std::cos(b) * distance * 0.5, de = std::sin(b) * distance * 0.5;
    return {At(segment.m_ptStart.m_dX + dn, segment.m_ptStart.m_dY + de),
            At(segment.m_ptEnd.m_dX + dn, segment.m_ptEnd.m_dY + de)};
}
