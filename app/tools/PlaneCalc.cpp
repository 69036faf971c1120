#include "app/tools/PlaneCalc.h"

#include <cmath>

#include "geodesy/CoordTransform.h"

namespace tools {

namespace {

// The quarter turn and the degree factors as the tools have always used
// them; the deflection tool's own factor differs from the others' in the
// ninth digit.
constexpr double kQuarterTurn = 1.57079632679485;
constexpr double kRadToDeg = 57.29577951308402;
constexpr double kDeflectionRadToDeg = 57.29577951471995;
constexpr double kCoincident = 1e-6;
constexpr double kTriangleSlack = 1e-9;

bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

bool Coincide(PlanePoint a, PlanePoint b) {
    return std::fabs(a.x - b.x) < kCoincident && std::fabs(a.y - b.y) < kCoincident;
}

// The square root of a value that only rounding makes negative.
double RootOfNonNegative(double value) {
    return value < 0.0 ? 0.0 : std::sqrt(value);
}

// Heron: the height over side `base` of the triangle base, s1, s2.
double HeightOverBase(double base, double s1, double s2) {
    const double p = (base + s1 + s2) / 2.0;
    return 2.0 * RootOfNonNegative((p - base) * (p - s1) * (p - s2) * p) / base;
}

bool TriangleCloses(double base, double s1, double s2) {
    return s1 + s2 >= base - kTriangleSlack && std::fabs(s1 - s2) <= base + kTriangleSlack;
}

PointResult Point(double x, double y) {
    PointResult r;
    r.bSuccess = Finite(x, y);
    if (r.bSuccess) {
        r.x = x;
        r.y = y;
    }
    return r;
}

}  // namespace

ForwardResult CalcForward(double x0, double y0, double packedAzimuth, double distance) {
    const double a = CCoordTransform::ConvertDmsRadian(packedAzimuth, 1);
    ForwardResult r;
    r.x = x0 + distance * std::cos(a);
    r.y = y0 + distance * std::sin(a);
    r.bSuccess = Finite(r.x, r.y);
    return r;
}

InverseResult CalcInverse(double xs, double ys, double hs, double xe, double ye, double he) {
    const double dx = xe - xs;
    const double dy = ye - ys;
    InverseResult r;
    r.azimuth = std::atan2(dy, dx) * kRadToDeg;
    if (r.azimuth < 0.0) r.azimuth += 360.0;
    r.distance = std::sqrt(dx * dx + dy * dy);
    r.heightDiff = he - hs;
    r.bSuccess = Finite(r.azimuth, r.distance) && std::isfinite(r.heightDiff);
    return r;
}

PointResult CalcDistIntersect(PlanePoint a, PlanePoint b, double distA, double distB, int side) {
    if (Coincide(a, b) || !(distA >= 0.0) || !(distB >= 0.0)) return {};
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    if (!std::isfinite(l) || !TriangleCloses(l, distA, distB)) return {};
    const double h = HeightOverBase(l, distA, distB);
    const double t = (distA * distA + l * l - distB * distB) / (2.0 * l);
    const double theta = std::atan2(b.y - a.y, b.x - a.x);
    const double fx = a.x + t * std::cos(theta);
    const double fy = a.y + t * std::sin(theta);
    const double turned = side == 0 ? theta - kQuarterTurn : theta + kQuarterTurn;
    return Point(fx + h * std::cos(turned), fy + h * std::sin(turned));
}

PointResult CalcOffsetPoint(PlanePoint a, PlanePoint b, const OffsetInput& in) {
    if (Coincide(a, b)) return {};
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    if (in.nMode == 0) {
        const double along = in.nReference == 0 ? in.fromStart : l - in.fromEnd;
        if (!(along >= 0.0) || !(in.offset >= 0.0)) return {};
        const double fx = a.x + along * (b.x - a.x) / l;
        const double fy = a.y + along * (b.y - a.y) / l;
        double theta = std::atan2(b.y - a.y, b.x - a.x);
        theta += in.nSide == 0 ? -kQuarterTurn : kQuarterTurn;
        return Point(fx + in.offset * std::cos(theta), fy + in.offset * std::sin(theta));
    }
    const double along = in.fromEnd;
    const double angle = CCoordTransform::ConvertDmsRadian(in.packedAngle, 1);
    if (!(along >= 0.0) || !(angle >= 0.0)) return {};
    double phi = std::atan2(b.x - a.x, b.y - a.y);
    phi += in.nSide == 0 ? angle : -angle;
    return Point(b.x + along * std::sin(phi), b.y + along * std::cos(phi));
}

namespace {

double NormalisedDegrees(double value) {
    if (value < 1e-6) value += 360.0;
    if (value >= 360.0) value -= 360.0;
    return value;
}

void SplitSexagesimal(DeflectionResult& r) {
    const double magnitude = std::fabs(r.deflection);
    r.nDegrees = static_cast<int>(magnitude);
    const double minutes = (magnitude - r.nDegrees) * 60.0;
    r.nMinutes = static_cast<int>(minutes);
    r.seconds = (minutes - r.nMinutes) * 60.0;
    if (std::fabs(r.seconds - 60.0) < 0.0001) {
        r.seconds = 0.0;
        ++r.nMinutes;
    }
    if (std::fabs(r.nMinutes - 60.0) < 0.0001) {
        r.nMinutes = 0;
        ++r.nDegrees;
    }
}

}  // namespace

DeflectionResult CalcDeflection(PlanePoint p1, PlanePoint p2, PlanePoint p3) {
    DeflectionResult r;
    if (Coincide(p1, p2)) return r;
    const double d12 = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const double d13 = std::hypot(p3.x - p1.x, p3.y - p1.y);
    const double d23 = std::hypot(p3.x - p2.x, p3.y - p2.y);
    if (!TriangleCloses(d12, d13, d23)) return r;
    r.offset = HeightOverBase(d12, d13, d23);
    r.fromStart = RootOfNonNegative(d13 * d13 - r.offset * r.offset);
    r.fromEnd = RootOfNonNegative(d23 * d23 - r.offset * r.offset);
    const double a1 = NormalisedDegrees(std::atan2(p1.y - p2.y, p1.x - p2.x) * kDeflectionRadToDeg);
    const double a2 = NormalisedDegrees(std::atan2(p3.y - p2.y, p3.x - p2.x) * kDeflectionRadToDeg);
    r.deflection = 180.0 - (a1 - a2);
    if (r.deflection > 180.0) r.deflection -= 360.0;
    r.bLeft = r.deflection < 1e-6;
    SplitSexagesimal(r);
    r.bSuccess =
        std::isfinite(r.offset) && Finite(r.fromStart, r.fromEnd) && std::isfinite(r.deflection);
    return r;
}

AreaResult CalcPolygonArea(const std::vector<PlanePoint>& v) {
    AreaResult r;
    const size_t n = v.size();
    if (n < 3) return r;
    double twice = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const PlanePoint& next = v[(i + 1) % n];
        const PlanePoint& prev = v[(i + n - 1) % n];
        twice += v[i].y * (next.x - prev.x);
        r.perimeter += std::hypot(next.x - v[i].x, next.y - v[i].y);
    }
    r.area = std::fabs(twice) / 2.0;
    r.hectares = r.area * 0.0001;
    r.mu = r.area * 0.0015;
    return r;
}

}  // namespace tools
