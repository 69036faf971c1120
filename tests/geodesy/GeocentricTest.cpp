// Geocentric to geodetic: the engine's iteration against the routine
// written out literally, pass for pass. Latitudes are stored as packed
// ddd.mmss with ten decimals and heights with four, so the engine must give
// the literal numbers bit for bit: a difference of one unit in the last
// place already changes a stored digit a few times in a million points.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "geodesy/CoordTransform.h"

namespace {

// The routine as it has always been written: sin and atan2 on every pass,
// stopping when latitude and height both settle (at most 50 passes).
void LiteralGeocentricToGeodetic(double a, double invF, double X, double Y, double Z, double& B,
                                 double& L, double& H) {
    const double f = 1.0 / invF, e2 = 2.0 * f - f * f;
    L = std::atan2(Y, X);
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

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

TEST(Geocentric, BitForBitTheLiteralIterationOverARandomSample) {
    // The four ellipsoids of the presets, positions from the sea floor to
    // aircraft height, and datum-shift sized offsets as the grid dispatcher
    // produces them.
    const double ellipsoids[][2] = {
        {6378245.0, 298.3}, {6378140.0, 298.257}, {6378137.0, 298.257223563}, {6378388.0, 297.0}};
    std::mt19937_64 rng(20120601);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180.0, 180.0),
        height(-500.0, 12000.0), shift(-200.0, 200.0);
    int differing = 0;
    for (int i = 0; i < 200000; ++i) {
        const auto& ell = ellipsoids[i % 4];
        CCoordTransform engine;
        engine.SetEllipsoid(ell[0], ell[1]);
        double X = 0.0, Y = 0.0, Z = 0.0;
        engine.GeodeticToGeocentric(lat(rng), lon(rng), height(rng), X, Y, Z);
        X += shift(rng), Y += shift(rng), Z += shift(rng);
        double B = 0.0, L = 0.0, H = 0.0, Bl = 0.0, Ll = 0.0, Hl = 0.0;
        engine.GeocentricToGeodetic(X, Y, Z, B, L, H);
        LiteralGeocentricToGeodetic(ell[0], ell[1], X, Y, Z, Bl, Ll, Hl);
        if (!SameBits(B, Bl) || !SameBits(L, Ll) || !SameBits(H, Hl)) {
            if (++differing <= 5) ADD_FAILURE() << "at " << X << " " << Y << " " << Z;
        }
    }
    EXPECT_EQ(differing, 0);
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
