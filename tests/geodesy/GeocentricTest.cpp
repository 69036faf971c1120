// Geocentric to geodetic: the engine evaluates the historical iteration
// through identities (see CoordTransform.cpp); this checks it against the
// iteration written out literally, pass for pass.
#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"

namespace {

// The routine as it has always been written: sin and atan2 on every pass.
void LiteralGeocentricToGeodetic(double a, double invF, double X, double Y, double Z, double& B,
                                 double& H) {
    const double f = 1.0 / invF, e2 = 2.0 * f - f * f;
    const double r = std::sqrt(X * X + Y * Y + Z * Z), p = std::sqrt(X * X + Y * Y);
    double Hprev = r - a;
    double Bprev = std::atan2(Z / p, 1.0 - e2 * a / (Hprev + a));
    double Bnew = Bprev;
    for (int pass = 0; pass < 50; ++pass) {
        const double s = std::sin(Bprev);
        const double N = a / std::sqrt(1.0 - e2 * s * s);
        const double Hnew = Z / s - (1.0 - e2) * N;
        Bnew = std::atan2(Z / p, 1.0 - e2 * N / (N + Hnew));
        if (std::fabs(Bprev - Bnew) <= 1e-11 && std::fabs(Hprev - Hnew) <= 1e-5) break;
        Bprev = Bnew;
        Hprev = Hnew;
    }
    B = Bnew;
    const double s = std::sin(B);
    H = Z / s - (1.0 - e2) * a / std::sqrt(1.0 - e2 * s * s);
}

TEST(Geocentric, SameNumbersAsTheLiteralIteration) {
    const double ellipsoids[][2] = {
        {6378137.0, 298.257223563}, {6378245.0, 298.3}, {6378140.0, 298.257}, {6378388.0, 297.0}};
    const double heights[] = {-120.0, 0.0, 35.0, 1500.0, 8848.0, 30000.0};
    double worstB = 0.0, worstH = 0.0;
    for (const auto& ell : ellipsoids) {
        CCoordTransform engine;
        engine.SetEllipsoid(ell[0], ell[1]);
        for (double lat = -89.75; lat < 90.0; lat += 0.5) {
            for (double h : heights) {
                double X = 0.0, Y = 0.0, Z = 0.0, B = 0.0, L = 0.0, H = 0.0, Bl = 0.0, Hl = 0.0;
                engine.GeodeticToGeocentric(lat, 100.0 + lat, h, X, Y, Z);
                engine.GeocentricToGeodetic(X, Y, Z, B, L, H);
                LiteralGeocentricToGeodetic(ell[0], ell[1], X, Y, Z, Bl, Hl);
                worstB = std::max(worstB, std::fabs(B - Bl));
                worstH = std::max(worstH, std::fabs(H - Hl));
            }
        }
    }
    EXPECT_LT(worstB, 1e-15);
    EXPECT_LT(worstH, 1e-8);
}

TEST(Geocentric, PolesAndEquatorialPlane) {
    CCoordTransform engine;
    engine.SetEllipsoid(6378137.0, 298.257223563);
    const double b = 6378137.0 * (1.0 - 1.0 / 298.257223563);
    double B = 0.0, L = 0.0, H = 0.0;
    engine.GeocentricToGeodetic(0.0, 0.0, b + 100.0, B, L, H);
    EXPECT_EQ(B, std::atan2(1.0, 0.0));
    EXPECT_NEAR(H, 100.0, 1e-8);
    engine.GeocentricToGeodetic(0.0, 0.0, -(b + 100.0), B, L, H);
    EXPECT_EQ(B, -std::atan2(1.0, 0.0));
    EXPECT_NEAR(H, 100.0, 1e-8);
}

}  // namespace
