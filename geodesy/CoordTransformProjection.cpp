// CCoordTransform: the map projections.
//
// Sections: meridian arc and footpoint latitude; transverse Mercator by the
// long series (projection types 0, 1, 2); ellipsoidal Mercator (type 3);
// Gauss-Krueger by the short series in arc seconds (type 4).
//
// Accuracy, measured against exact transverse Mercator (GeographicLib) on
// four ellipsoids: within 3.5 degrees of the central meridian the long series
// is good to 0.01 mm (0.003 mm within 3 degrees) and its inverse returns the
// exact projection's grid values to their position within 1e-9 rad.
// Types 3 and 4 are approximations kept for old jobs; see each function.
#include <algorithm>
#include <cmath>

#include "geodesy/CoordTransform.h"

namespace {

constexpr double kQuarterTurn = 0.785398163397425;  // pi/4 of the Mercator formulas
constexpr double kLn10 = 2.3025849970469348;        // 1 / 0.4342945
constexpr double kLog10e = 0.4342945;
constexpr double kArcSecond = 4.84813681109536e-6;
constexpr double kExactDeg = 0.017453292519943295;  // only in the type-4 arc

// Coefficient A of the meridian arc series, also the footpoint's start.
double ArcCoefficientA(double e2) {
    const double e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
    return 1.0 + 3.0 / 4.0 * e2 + 45.0 / 64.0 * e4 + 175.0 / 256.0 * e6 + 11025.0 / 16384.0 * e8;
}

// Looks for up to maxRoots zeros of g on [start, end] by stepping and
// bisection, the program's general root finder. Deviation: the historical
// scan let its last step reach beyond `end`; for Mercator that step crosses
// the pole, where tan() changes sign without a zero, and bisection then
// "found" a latitude of 90 degrees for every point south of the equator.
// Steps now stop at `end`.
template <typename Fn>
int ScanRoots(Fn g, double start, double end, double step, double tol, int maxRoots,
              double* roots) {
    int found = 0;
    double x = start;
    while (x <= end + step / 2.0 && found < maxRoots) {
        if (std::fabs(g(x)) < tol) {
            roots[found++] = x;
            x += step / 2.0;
            continue;
        }
        double y = std::min(x + step, end);
        if (!(y > x)) break;
        if (std::fabs(g(y)) < tol) {
            roots[found++] = y;
            x = y + step / 2.0;
            continue;
        }
        if (g(x) * g(y) > 0.0) {
            x = y;
            continue;
        }
        bool done = false;
        while (std::fabs(y - x) >= tol) {
            const double mid = (x + y) / 2.0;
            if (std::fabs(g(mid)) < tol) {
                roots[found++] = mid;
                x = mid + step / 2.0;
                done = true;
                break;
            }
            if (g(mid) * g(x) < 0.0) {
                y = mid;
            } else {
                x = mid;
            }
        }
        if (!done) {
            roots[found++] = (x + y) / 2.0;
            x = y + step / 2.0;
        }
    }
    return found;
}

// tan(phi/2 + pi/4) ((1 - e sin phi) / (1 + e sin phi))^(e/2): the isometric
// latitude before its logarithm.
double MercatorT(double phi, double e) {
    const double es = e * std::sin(phi);
    return std::tan(phi / 2.0 + kQuarterTurn) * std::pow((1.0 - es) / (1.0 + es), e / 2.0);
}

double MercatorQ(double phi, double e) {
    return kLn10 * std::log10(MercatorT(phi, e));
}

}  // namespace

// ---- Meridian arc and footpoint ----

// Arc from the equator to latitude B (radians), on the ellipsoid enlarged by
// the projection height at B. Series to e^8.
double CCoordTransform::MeridianArcLength(double f, double B) const {
    const double e2 = 2.0 * f - f * f;
    const double e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
    const double A = ArcCoefficientA(e2);
    const double C2 = 3.0 / 4.0 * e2 + 15.0 / 16.0 * e4 + 525.0 / 512.0 * e6 + 2205.0 / 2048.0 * e8;
    const double C4 = 15.0 / 64.0 * e4 + 105.0 / 256.0 * e6 + 2205.0 / 4096.0 * e8;
    const double C6 = 35.0 / 512.0 * e6 + 315.0 / 2048.0 * e8;
    const double C8 = 315.0 / 16384.0 * e8;
    const double ap = m_a + HeightEnlargement(e2, B);
    return ap * (1.0 - e2) *
           (A * B - C2 / 2.0 * std::sin(2.0 * B) + C4 / 4.0 * std::sin(4.0 * B) -
            C6 / 6.0 * std::sin(6.0 * B) + C8 / 8.0 * std::sin(8.0 * B));
}

// Arc to the base latitude, recomputed only when the ellipsoid, the
// projection height or the base latitude change.
double CCoordTransform::BaseLatitudeArc() const {
    ArcCache& c = m_baseArc;
    if (!c.valid || !SameBits(c.a, m_a) || !SameBits(c.invF, m_invF) || !SameBits(c.hp, m_hp) ||
        !SameBits(c.B0, m_B0)) {
        c.arc = MeridianArcLength(1.0 / m_invF, m_B0 * kDeg);
        c.a = m_a, c.invF = m_invF, c.hp = m_hp, c.B0 = m_B0;
        c.valid = true;
    }
    return c.arc;
}

// Latitude whose meridian arc is X; the enlargement is taken at latitude Bh.
double CCoordTransform::MeridianFootpointLatitude(double f, double X, double Bh) const {
    const double e2 = 2.0 * f - f * f;
    const double e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
    const double A = ArcCoefficientA(e2);
    const double ap = m_a + HeightEnlargement(e2, Bh);
    const double B1 = X / (ap * (1.0 - e2) * A);
    const double s = std::sin(B1) * std::sin(B1);
    const double K1 = A - 1.0;
    const double K2 = 63.0 / 64.0 * e4 + 277.0 / 128.0 * e6 + 58239.0 / 16384.0 * e8;
    const double K3 = 151.0 / 128.0 * e6 + 17121.0 / 4096.0 * e8;
    const double K4 = 3291.0 / 2048.0 * e8;
    return B1 + std::sin(2.0 * B1) * (K1 / 2.0 + s * (-K2 / 3.0 + s * (K3 / 3.0 - s * K4 / 3.0)));
}

// ---- Transverse Mercator, long series (types 0, 1, 2) ----

// B, L in degrees. x is the northing from the base latitude, y the easting;
// both include the scale k0 and the constants Xc, Yc.
void CCoordTransform::TransverseMercatorForward(double B, double L, double& x, double& y) const {
    const double f = 1.0 / m_invF;
    const double e2 = Eccentricity2();
    const double Br = B * kDeg;
    const double l = L * kDeg - m_L0 * kDeg;
    const double sinB = std::sin(Br);
    const double m = l * std::cos(Br);
    const double t = std::tan(Br), t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
    const double W2 = 1.0 - e2 * sinB * sinB;
    const double W = std::sqrt(W2);
    const double ap = m_a + HeightEnlargement(e2, Br);
    const double N = ap / W;
    const double M = ap * (1.0 - e2) / (W2 * W);
    const double p = N / M, p2 = p * p, p3 = p2 * p, p4 = p3 * p;
    const double m2 = m * m, m3 = m2 * m, m5 = m3 * m2, m7 = m5 * m2;
    const double Sx = m / 2.0 + m3 / 24.0 * (4.0 * p2 + p - t2) +
                      m5 / 720.0 *
                          (8.0 * p4 * (11.0 - 24.0 * t2) - 28.0 * p3 * (1.0 - 6.0 * t2) +
                           p2 * (1.0 - 32.0 * t2) - 2.0 * p * t2 + t4) +
                      m7 / 40320.0 * (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6);
    x = m_k0 * (MeridianArcLength(f, Br) - BaseLatitudeArc() + N * l * sinB * Sx) + m_xConst;
    const double Sy =
        m + m3 / 6.0 * (p - t2) +
        m5 / 120.0 * (4.0 * p3 * (1.0 - 6.0 * t2) + p2 * (1.0 + 8.0 * t2) - 2.0 * p * t2 + t4) +
        m7 / 5040.0 * (61.0 - 479.0 * t2 + 179.0 * t4 - t6);
    y = m_k0 * N * Sy + m_yConst;
}

// One pass of the inverse: x', y' without scale and constants; Bh is the
// latitude at which the footpoint takes the projection-height enlargement.
void CCoordTransform::TransverseMercatorPass(double xp, double yp, double Bh, double& B,
                                             double& L) const {
    const double f = 1.0 / m_invF;
    const double e2 = Eccentricity2();
    const double Xf = BaseLatitudeArc() + xp;
    const double Bf = MeridianFootpointLatitude(f, Xf, Bh);
    const double sinB = std::sin(Bf);
    const double t = std::tan(Bf), t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
    const double W2 = 1.0 - e2 * sinB * sinB;
    const double W = std::sqrt(W2);
    const double ap = m_a + HeightEnlargement(e2, Bf);
    const double N = ap / W;
    const double M = ap * (1.0 - e2) / (W2 * W);
    const double p = N / M, p2 = p * p, p3 = p2 * p, p4 = p3 * p;
    const double n = yp / N, n3 = n * n * n, n5 = n3 * n * n, n7 = n5 * n * n;
    B = Bf + (t * yp / M) * (-n / 2.0 + n3 / 24.0 * (-4.0 * p2 + 9.0 * p * (1.0 - t2) + 12.0 * t2) -
                             n5 / 720.0 *
                                 (8.0 * p4 * (11.0 - 24.0 * t2) - 12.0 * p3 * (21.0 - 71.0 * t2) +
                                  15.0 * p2 * (15.0 - 98.0 * t2 + 15.0 * t4) +
                                  180.0 * p * (5.0 * t2 - 3.0 * t4) + 360.0 * t4) +
                             n7 / 40320.0 * (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6));
    L = m_L0 * kDeg +
        (n - n3 / 6.0 * (p + 2.0 * t2) +
         n5 / 120.0 *
             (-4.0 * p3 * (1.0 - 6.0 * t2) + p2 * (9.0 - 68.0 * t2) + 72.0 * p * t2 + 24.0 * t4) -
         n7 / 5040.0 * (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6)) /
            std::cos(Bf);
}

// B, L out in radians. Without a projection height one pass; with one, five
// passes, each taking the enlargement at the previous latitude (the first
// at 20 rad, a value that only seeds the iteration).
void CCoordTransform::TransverseMercatorInverse(double x, double y, double& B, double& L) const {
    const double xp = (x - m_xConst) / m_k0;
    const double yp = (y - m_yConst) / m_k0;
    const int passes = (m_hp == 0.0) ? 1 : 5;
    double Bh = 20.0;
    for (int i = 0; i < passes; ++i) {
        TransverseMercatorPass(xp, yp, Bh, B, L);
        Bh = B;
    }
}

// ---- Mercator (type 3) ----

// B, L in degrees; B0, L0 in radians. Without k0 and the constants. The
// logarithm is log10 times 1/0.4342945, which makes northings 4.2e-8 shorter
// than true Mercator (4 mm per 100 km from the base latitude).
void CCoordTransform::MercatorForward(double B, double L, double B0, double L0, double& x,
                                      double& y) const {
    const double e = std::sqrt(Eccentricity2());
    const double es0 = e * std::sin(B0);
    const double r0 = m_a * std::cos(B0) / std::sqrt(1.0 - es0 * es0);
    x = r0 * (MercatorQ(B * kDeg, e) - MercatorQ(B0, e));
    y = r0 * (L * kDeg - L0);
}

// Returns the number of latitudes found, 0 or 1. Only latitudes from 0 to
// pi/2 are searched: a point south of the equator is not found. When none
// is found B is left as it was.
int CCoordTransform::MercatorInverse(double x, double y, double B0, double L0, double& B,
                                     double& L) const {
    const double e = std::sqrt(Eccentricity2());
    const double es0 = e * std::sin(B0);
    const double r0 = m_a * std::cos(B0) / std::sqrt(1.0 - es0 * es0);
    L = L0 + y / r0;
    const double U = std::pow(10.0, ((x + r0 * MercatorQ(B0, e)) / r0) * kLog10e);
    double root = 0.0;
    const int found = ScanRoots([&](double phi) { return MercatorT(phi, e) - U; }, 0.0,
                                1.57079632679485, 0.2, 1e-9, 1, &root);
    if (found > 0) B = root;
    return found;
}

// ---- Gauss-Krueger short series (type 4) ----

// B, L in degrees, L0 in radians; without k0 and the constants. The series
// stops at l^4 in x and l^5 in y: near 3 degrees from the central meridian
// it is a few millimetres short of the long series.
void CCoordTransform::ProjectionType4Forward(double B, double L, double L0, double& x,
                                             double& y) const {
    const double f = 1.0 / m_invF;
    const double b = m_a * (1.0 - f);
    const double ep2 = (m_a * m_a - b * b) / (b * b);
    const double e2 = (m_a * m_a - b * b) / (m_a * m_a);
    const double e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
    const double c = m_a * m_a / b;
    const double Br = B * kDeg;
    const double sinB = std::sin(Br), cosB = std::cos(Br);
    const double N = c / std::sqrt(1.0 + ep2 * cosB * cosB);
    const double lsec = (L * kDeg - L0) * kRho * 3600.0;
    const double m = lsec * kArcSecond;
    const double t = std::tan(Br), t2 = t * t;
    const double eta2 = ep2 * cosB * cosB;
    const double A = ArcCoefficientA(e2);
    const double K1 = A - 1.0;
    const double C3 = 15.0 / 32.0 * e4 + 175.0 / 384.0 * e6 + 3675.0 / 8192.0 * e8;
    const double C5 = 35.0 / 96.0 * e6 + 735.0 / 2048.0 * e8;
    const double C7 = 315.0 / 1024.0 * e8;
    const double Bp = (Br * kRho) * kExactDeg;
    const double s3 = sinB * sinB * sinB, s5 = s3 * sinB * sinB, s7 = s5 * sinB * sinB;
    const double X = (b * b / m_a) * (A * Bp - cosB * (K1 * sinB + C3 * s3 + C5 * s5 + C7 * s7));
    const double m2 = m * m;
    x = X + N * sinB * cosB * m2 / 2.0 +
        N * sinB * cosB * cosB * cosB * m2 * m2 / 24.0 *
            (5.0 - t2 + 9.0 * eta2 + 4.0 * eta2 * eta2);
    const double mc = m * cosB;
    y = N * cosB * m + N * mc * mc * mc / 6.0 * (1.0 - t2 + eta2) +
        N * mc * mc * mc * mc * mc / 120.0 * (5.0 - 18.0 * t2 + t2 * t2);
}

// Footpoint of the type-4 inverse: B = mu + c2 sin 2B + c4 sin 4B + c6 sin 6B
// by Steffensen-accelerated fixed-point iteration from 0, stopping when two
// successive values agree to 1e-7 rad, at most 20 rounds.
double CCoordTransform::FootpointType4(double mu, double c2, double c4, double c6) const {
    auto g = [&](double b) {
        return mu + c2 * std::sin(2.0 * b) + c4 * std::sin(4.0 * b) + c6 * std::sin(6.0 * b);
    };
    double B = 0.0;
    for (int i = 0; i < 20; ++i) {
        const double x1 = g(B);
        const double x2 = g(x1);
        if (std::fabs(x1 - x2) < 1e-7) return x2;
        B = x2 - (x2 - x1) * (x2 - x1) / (x2 - 2.0 * x1 + B);
    }
    return B;
}

// x, y without k0 and the constants; L0 in radians; B, L out in radians.
void CCoordTransform::ProjectionType4Inverse(double x, double y, double L0, double& B,
                                             double& L) const {
    const double f = 1.0 / m_invF;
    const double e2 = 1.0 - (1.0 - f) * (1.0 - f);
    const double e4 = e2 * e2, e6 = e4 * e2;
    const double D = 1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0;
    const double mu = x / (m_a * D);
    const double c2 = (3.0 / 8.0 * e2 + 3.0 / 32.0 * e4 + 45.0 / 1024.0 * e6) / D;
    const double c4 = -(15.0 / 256.0 * e4 + 45.0 / 1024.0 * e6) / D;
    const double c6 = (35.0 / 3072.0 * e6) / D;
    const double Bf = FootpointType4(mu, c2, c4, c6);
    const double sinB = std::sin(Bf), cosB = std::cos(Bf);
    const double W2 = 1.0 - e2 * sinB * sinB;
    const double M = (1.0 - e2) * m_a / std::pow(W2, 1.5);
    const double N = m_a / std::sqrt(W2);
    const double t = std::tan(Bf), t2 = t * t;
    const double eta2 = e2 * cosB * cosB / (1.0 - e2);
    const double n = y / N, n3 = n * n * n;
    B = Bf - t * y * y / (2.0 * M * N) +
        t * (5.0 + 3.0 * t2) * y * y * y * y / (24.0 * M * N * N * N);
    L = L0 + n / cosB - (1.0 + 2.0 * t2 + eta2) * n3 / (6.0 * cosB) +
        (5.0 + 28.0 * t2 + 24.0 * t2 * t2) * n3 * n * n / (120.0 * cosB);
}
