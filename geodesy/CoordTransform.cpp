// CCoordTransform: setters, getters, geocentric conversions, the seven- and
// four-parameter steps, the height anomaly and plane distance/azimuth.
#include "geodesy/CoordTransform.h"

#include <cmath>
#include <limits>

// ---- Setters and getters ----

void CCoordTransform::SetEllipsoid(double a, double invFlattening) {
    m_a = a;
    m_invF = invFlattening;
}

void CCoordTransform::SetEllipsoid(double a, double invFlattening, double projectionHeight) {
    SetEllipsoid(a, invFlattening);
    m_hp = projectionHeight;
}

void CCoordTransform::SetProjection(double xConst, double yConst, double centralMeridianDeg,
                                    double scale, double baseLatitudeDeg, double projectionHeight) {
    m_xConst = xConst;
    m_yConst = yConst;
    m_L0 = centralMeridianDeg;
    m_k0 = scale;
    m_B0 = baseLatitudeDeg;
    m_hp = projectionHeight;
}

void CCoordTransform::SetFourParams(double dx, double dy, double theta, double k4) {
    m_dx4 = dx;
    m_dy4 = dy;
    m_theta4 = theta;
    m_k4 = k4;
}

void CCoordTransform::SetSevenParams(double dX, double dY, double dZ, double wx, double wy,
                                     double wz, double k7) {
    m_dX7 = dX;
    m_dY7 = dY;
    m_dZ7 = dZ;
    m_wx = wx;
    m_wy = wy;
    m_wz = wz;
    m_k7 = k7;
}

void CCoordTransform::SetHeightFitParams(double a0, double a1, double a2, double a3, double a4,
                                         double a5, double x0, double y0) {
    m_fit[0] = a0;
    m_fit[1] = a1;
    m_fit[2] = a2;
    m_fit[3] = a3;
    m_fit[4] = a4;
    m_fit[5] = a5;
    m_fitX0 = x0;
    m_fitY0 = y0;
}

void CCoordTransform::SetHeightFitThresholds(int planeMinimum, int quadraticMinimum) {
    m_planeMinimum = planeMinimum;
    m_quadraticMinimum = quadraticMinimum;
}

void CCoordTransform::GetEllipsoid(double& a, double& invFlattening) const {
    a = m_a;
    invFlattening = m_invF;
}

void CCoordTransform::GetFourParams(double& dx, double& dy, double& theta, double& k4) const {
    dx = m_dx4;
    dy = m_dy4;
    theta = m_theta4;
    k4 = m_k4;
}

void CCoordTransform::GetSevenParams(double& dX, double& dY, double& dZ, double& wx, double& wy,
                                     double& wz, double& k7) const {
    dX = m_dX7;
    dY = m_dY7;
    dZ = m_dZ7;
    wx = m_wx;
    wy = m_wy;
    wz = m_wz;
    k7 = m_k7;
}

void CCoordTransform::GetHeightFitParams(double coeff[6], double& x0, double& y0) const {
    for (int i = 0; i < 6; ++i) coeff[i] = m_fit[i];
    x0 = m_fitX0;
    y0 = m_fitY0;
}

// ---- Ellipsoid quantities ----

double CCoordTransform::Eccentricity2() const {
    const double f = 1.0 / m_invF;
    return 2.0 * f - f * f;
}

// Projection-height enlargement: the projection works on an ellipsoid whose
// semi-major axis is a + hp (1 - e^2 sin^2 B) / sqrt(1 - e^2). A projection
// height of 1e-6 m or less has no effect.
double CCoordTransform::HeightEnlargement(double e2, double B) const {
    if (!(m_hp > 1e-6)) return 0.0;
    const double sinB = std::sin(B);
    return m_hp * (1.0 - e2 * sinB * sinB) / std::sqrt(1.0 - e2);
}

// ---- Geocentric conversions ----

void CCoordTransform::GeodeticToGeocentric(double B, double L, double H, double& X, double& Y,
                                           double& Z) const {
    const double e2 = Eccentricity2();
    const double Br = B * kDeg;
    const double Lr = L * kDeg;
    const double sinB = std::sin(Br), cosB = std::cos(Br);
    const double N = m_a / std::sqrt(1.0 - e2 * sinB * sinB);
    X = (N + H) * cosB * std::cos(Lr);
    Y = (N + H) * cosB * std::sin(Lr);
    Z = (N * (1.0 - e2) + H) * sinB;
}

// Fixed-point iteration on latitude and height, written out as it has
// always been computed (sin and atan2 on every pass), because stored
// latitudes and heights are these numbers to the last printed decimal:
//   start   H = r - a,  B = atan2(Z/p, 1 - e^2 a / (H + a));
//   repeat  N = a / sqrt(1 - e^2 sin^2 B),  H' = Z / sin B - (1 - e^2) N,
//           B' = atan2(Z/p, 1 - e^2 N / (N + H'))   (B, H: previous pass)
//   until   |B - B'| <= 1e-11 and |H - H'| <= 1e-5;
//   then    B = B',  H = Z / sin B - (1 - e^2) a / sqrt(1 - e^2 sin^2 B).
//
// Deviations from the historical routine, which looped without limit: at
// most 50 passes; a position at the centre of the earth or with a
// non-finite coordinate gives NaN at once; a point exactly in the
// equatorial plane (Z = 0, where Z / sin B is zero over zero) gives B = 0
// and H = p - a.
void CCoordTransform::GeocentricToGeodetic(double X, double Y, double Z, double& B, double& L,
                                           double& H) const {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double r = std::sqrt(X * X + Y * Y + Z * Z);
    if (!std::isfinite(r) || r == 0.0) {
        B = L = H = kNaN;
        return;
    }
    const double e2 = Eccentricity2();
    L = std::atan2(Y, X);
    const double p = std::sqrt(X * X + Y * Y);
    if (Z == 0.0) {
        B = 0.0;
        H = p - m_a;
        return;
    }
    double Hprev = r - m_a;
    double Bprev = std::atan2(Z / p, 1.0 - e2 * m_a / (Hprev + m_a));
    double Bnew = Bprev;
    for (int pass = 0; pass < 50; ++pass) {
        const double sinB = std::sin(Bprev);
        const double N = m_a / std::sqrt(1.0 - e2 * sinB * sinB);
        const double Hnew = Z / sinB - (1.0 - e2) * N;
        Bnew = std::atan2(Z / p, 1.0 - e2 * N / (N + Hnew));
        if (std::fabs(Bprev - Bnew) <= 1e-11 && std::fabs(Hprev - Hnew) <= 1e-5) break;
        Bprev = Bnew;
        Hprev = Hnew;
    }
    B = Bnew;
    const double sinB = std::sin(B);
    H = Z / sinB - (1.0 - e2) * m_a / std::sqrt(1.0 - e2 * sinB * sinB);
}

// ---- Seven and four parameters ----

void CCoordTransform::ApplySevenParams(double& X, double& Y, double& Z) const {
    const double s = 1.0 + m_k7;
    const double x = X, y = Y, z = Z;
    X = m_dX7 + s * x + m_wz * y - m_wy * z;
    Y = m_dY7 - m_wz * x + s * y + m_wx * z;
    Z = m_dZ7 + m_wy * x - m_wx * y + s * z;
}

// First-order inverse: the shifts are removed after the rotation and scale,
// as the program has always done.
void CCoordTransform::InverseSevenParams(double& X, double& Y, double& Z) const {
    const double s = 1.0 - m_k7;
    const double x = X, y = Y, z = Z;
    X = s * x - m_wz * y + m_wy * z - m_dX7;
    Y = m_wz * x + s * y - m_wx * z - m_dY7;
    Z = -m_wy * x + m_wx * y + s * z - m_dZ7;
}

void CCoordTransform::FourParamTrig(double& c, double& s) const {
    if (!SameBits(m_fourTrig.theta, m_theta4)) {
        m_fourTrig.theta = m_theta4;
        m_fourTrig.cosTheta = std::cos(m_theta4);
        m_fourTrig.sinTheta = std::sin(m_theta4);
    }
    c = m_fourTrig.cosTheta;
    s = m_fourTrig.sinTheta;
}

void CCoordTransform::ApplyFourParams(double& x, double& y) const {
    double c = 1.0, s = 0.0;
    FourParamTrig(c, s);
    const double x0 = x, y0 = y;
    x = m_dx4 + m_k4 * (x0 * c - y0 * s);
    y = m_dy4 + m_k4 * (y0 * c + x0 * s);
}

void CCoordTransform::InverseFourParams(double& x, double& y) const {
    double c = 1.0, s = 0.0;
    FourParamTrig(c, s);
    const double u = x - m_dx4;
    const double v = y - m_dy4;
    x = (u * c + v * s) / m_k4;
    y = (v * c - u * s) / m_k4;
}

// ---- Height anomaly, distance and azimuth ----

double CCoordTransform::HeightAnomaly(double x, double y) const {
    const double dx = x - m_fitX0;
    const double dy = y - m_fitY0;
    return m_fit[0] + m_fit[1] * dx + m_fit[2] * dy + m_fit[3] * (dx * dx) + m_fit[4] * (dy * dy) +
           m_fit[5] * dx * dy;
}

void CCoordTransform::CalcDistanceAzimuth(double x1, double y1, double x2, double y2,
                                          double& azimuth, double& distance) {
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    distance = std::sqrt(dx * dx + dy * dy);
    azimuth = std::atan2(dy, dx) * kRho;
    if (azimuth < 1e-9) azimuth += 360.0;
}
