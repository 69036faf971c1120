// The grid dispatchers: round trips through every projection type with and
// without datum shift, plane adjustment and projection height, and the edge
// cases of the chain.
#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"

namespace {

constexpr double kDeg = CCoordTransform::kDeg;

// A Beijing-54 job: Krassovsky ellipsoid, central meridian 114, false
// easting 500 km.
CoordSysParams Beijing54Job() {
    CoordSysParams p;
    p.nCoord = 0;
    p.szdDa = 6378245.0;
    p.szdDf = 298.3;
    p.szdCenter = 114.0;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.szdCk1 = 1.0;
    return p;
}

void WithSevenParams(CoordSysParams& p) {
    p.nSevenPar = 1;
    p.szddx = -15.415;
    p.szddy = 139.221;
    p.szddz = 51.292;
    p.szdWx = 8.78e-6;
    p.szdWy = -4.53e-6;
    p.szdWz = 1.167e-5;
    p.szddK = 2.5e-6;
}

void WithFourParams(CoordSysParams& p) {
    p.nDifang = 1;
    p.szdCx1 = -2531.27;
    p.szdCy1 = 1207.5;
    p.szdCa1 = 0.0123;
    p.szdCk1 = 1.0000213;
}

struct Site {
    double lat, lon, h;
};
// The first is the documented case: 23 N, 113 E, 35 m about meridian 114.
const Site kSites[] = {{23.0, 113.0, 35.0},  {22.31, 111.2, -12.0}, {30.9, 116.9, 1520.0},
                       {45.7, 114.4, 210.0}, {52.9, 117.3, 80.0},   {18.2, 110.6, 3.0},
                       {39.95, 114.0, 48.0}};

struct Variant {
    bool seven, four;
    double hp;
};
const Variant kVariants[] = {{false, false, 0.0}, {true, false, 0.0},   {false, true, 0.0},
                             {true, true, 0.0},   {false, false, 50.0}, {true, true, 1200.0}};

CoordSysParams Configure(const Variant& v, int type) {
    CoordSysParams p = Beijing54Job();
    p.nTouYin = type;
    p.szdTHigh = v.hp;
    if (v.seven) WithSevenParams(p);
    if (v.four) WithFourParams(p);
    return p;
}

// Round trip of every site through one projection type; returns the worst
// angle miss in radians and height miss in metres.
void RoundTrip(int type, double& worstAngle, double& worstHeight) {
    worstAngle = worstHeight = 0.0;
    for (const Variant& v : kVariants) {
        const CoordSysParams p = Configure(v, type);
        for (const Site& s : kSites) {
            CCoordTransform engine;
            double x = 0.0, y = 0.0, h = 0.0, B = 0.0, L = 0.0, H = 0.0;
            engine.Wgs84ToGrid(s.lat, s.lon, s.h, p, x, y, h);
            engine.GridToWgs84(x, y, h, p, B, L, H);
            worstAngle = std::max(worstAngle, std::fabs(B - s.lat * kDeg));
            worstAngle = std::max(worstAngle, std::fabs(L - s.lon * kDeg));
            worstHeight = std::max(worstHeight, std::fabs(H - s.h));
        }
    }
}

TEST(Dispatch, TransverseMercatorTypesRoundTripWithinNanoradian) {
    for (int type = 0; type <= 2; ++type) {
        double angle = 0.0, height = 0.0;
        RoundTrip(type, angle, height);
        EXPECT_LT(angle, 1e-9) << "type " << type;
        // The first-order inverse of the seven parameters costs millimetres.
        EXPECT_LT(height, 0.005) << "type " << type;
    }
}

TEST(Dispatch, MercatorAndShortSeriesRoundTrip) {
    // Type 3 finds its latitude by a root scan to 1e-9; type 4 is a short
    // series, good to about 1e-8 rad (6 cm) within 3 degrees.
    double angle = 0.0, height = 0.0;
    RoundTrip(3, angle, height);
    EXPECT_LT(angle, 2e-9);
    EXPECT_LT(height, 0.005);
    RoundTrip(4, angle, height);
    EXPECT_LT(angle, 2e-8);
    EXPECT_LT(height, 0.005);
}

TEST(Dispatch, ProjectionHeightEnlargesTheEllipsoid) {
    CoordSysParams p = Beijing54Job();
    CCoordTransform engine;
    double x0 = 0.0, y0 = 0.0, x50 = 0.0, y50 = 0.0, xNeg = 0.0, yNeg = 0.0, h = 0.0;
    engine.Wgs84ToGrid(30.0, 116.0, 0.0, p, x0, y0, h);
    p.szdTHigh = 50.0;
    engine.Wgs84ToGrid(30.0, 116.0, 0.0, p, x50, y50, h);
    // Everything scales by about 1 + hp (1 - e^2 sin^2 B) / sqrt(1 - e^2) / a.
    const double f = 1.0 / 298.3, e2 = 2 * f - f * f, s = std::sin(30.0 * kDeg);
    const double ratio = 50.0 * (1 - e2 * s * s) / std::sqrt(1 - e2) / 6378245.0;
    EXPECT_NEAR((y50 - 500000.0) / (y0 - 500000.0) - 1.0, ratio, 1e-8);
    EXPECT_NEAR(x50 / x0 - 1.0, ratio, 2e-7);

    // A negative projection height changes nothing, either way.
    p.szdTHigh = -50.0;
    engine.Wgs84ToGrid(30.0, 116.0, 0.0, p, xNeg, yNeg, h);
    EXPECT_EQ(xNeg, x0);
    EXPECT_EQ(yNeg, y0);
    double B = 0.0, L = 0.0, H = 0.0, Bz = 0.0, Lz = 0.0;
    engine.GridToWgs84(x0, y0, 0.0, p, B, L, H);
    p.szdTHigh = 0.0;
    engine.GridToWgs84(x0, y0, 0.0, p, Bz, Lz, H);
    EXPECT_EQ(B, Bz);
    EXPECT_EQ(L, Lz);
}

TEST(Dispatch, InverseMakesOnePassWithoutProjectionHeightAndFiveWithIt) {
    // With hp > 0 the first pass takes its enlargement at the 20 rad seed;
    // a single pass would leave the latitude metres off. Five passes bring
    // it back to the round-trip accuracy.
    CCoordTransform engine;
    engine.SetEllipsoid(6378245.0, 298.3, 3000.0);
    engine.SetProjection(0.0, 500000.0, 114.0, 1.0, 0.0, 3000.0);
    double x = 0.0, y = 0.0, B = 0.0, L = 0.0;
    engine.TransverseMercatorForward(41.0, 115.5, x, y);
    engine.TransverseMercatorInverse(x, y, B, L);
    EXPECT_NEAR(B, 41.0 * kDeg, 1e-9);
    EXPECT_NEAR(L, 115.5 * kDeg, 1e-9);
    const double footAtSeed = engine.MeridianFootpointLatitude(1.0 / 298.3, x, 20.0);
    const double footAtSite = engine.MeridianFootpointLatitude(1.0 / 298.3, x, 41.0 * kDeg);
    EXPECT_GT(std::fabs(footAtSeed - footAtSite), 1e-7);
}

TEST(Dispatch, SetEllipsoidWithThirdValueSetsProjectionHeight) {
    CCoordTransform a, b;
    a.SetProjection(0.0, 500000.0, 114.0, 1.0, 0.0, 0.0);
    a.SetEllipsoid(6378245.0, 298.3, 80.0);
    b.SetEllipsoid(6378245.0, 298.3);
    b.SetProjection(0.0, 500000.0, 114.0, 1.0, 0.0, 80.0);
    double xa = 0.0, ya = 0.0, xb = 0.0, yb = 0.0;
    a.TransverseMercatorForward(35.0, 115.0, xa, ya);
    b.TransverseMercatorForward(35.0, 115.0, xb, yb);
    EXPECT_EQ(xa, xb);
    EXPECT_EQ(ya, yb);
}

TEST(Dispatch, MercatorAtTheEquatorAndSouthOfIt) {
    CoordSysParams p = Beijing54Job();
    p.nTouYin = 3;
    CCoordTransform engine;
    double x = 1.0, y = 0.0, h = 0.0;
    engine.Wgs84ToGrid(0.0, 114.0, 10.0, p, x, y, h);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 500000.0);

    // Only northern latitudes are searched: a negative northing about the
    // equator finds none and leaves B alone (the pole is not a root).
    double B = 0.123, L = 0.0;
    EXPECT_EQ(engine.MercatorInverse(-1000.0, 0.0, 0.0, 114.0 * kDeg, B, L), 0);
    EXPECT_EQ(B, 0.123);
    EXPECT_EQ(engine.MercatorInverse(1000.0, 0.0, 0.0, 114.0 * kDeg, B, L), 1);
    EXPECT_NEAR(B * 6378245.0, 1000.0, 10.0);
    // Up near the end of the searched range the root is still found.
    engine.SetEllipsoid(6378245.0, 298.3);
    engine.MercatorForward(85.0, 114.0, 0.0, 114.0 * kDeg, x, y);
    EXPECT_EQ(engine.MercatorInverse(x, y, 0.0, 114.0 * kDeg, B, L), 1);
    EXPECT_NEAR(B, 85.0 * kDeg, 1e-9);
}

TEST(Dispatch, MercatorNorthingsAreShortByTheLogarithmConstant) {
    // ln 10 is taken as 1/0.4342945: northings come out 4.2e-8 short of
    // true Mercator.
    CCoordTransform engine;
    engine.SetEllipsoid(6378137.0, 298.257223563);
    double x = 0.0, y = 0.0;
    engine.MercatorForward(45.0, 0.0, 0.0, 0.0, x, y);
    const double e = std::sqrt(2 * (1 / 298.257223563) - 1 / (298.257223563 * 298.257223563));
    const double phi = M_PI / 4, es = e * std::sin(phi);
    const double trueX =
        6378137.0 * std::log(std::tan(M_PI / 4 + phi / 2) * std::pow((1 - es) / (1 + es), e / 2));
    EXPECT_NEAR(x / trueX - 1.0, -4.17e-8, 0.02e-8);
}

TEST(Dispatch, PlaneAdjustmentNeedsBothFlagAndScale) {
    CoordSysParams p = Beijing54Job();
    CCoordTransform engine;
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0, h = 0.0;
    engine.Wgs84ToGrid(30.0, 115.0, 0.0, p, x0, y0, h);
    WithFourParams(p);
    p.szdCk1 = 0.0;
    engine.Wgs84ToGrid(30.0, 115.0, 0.0, p, x1, y1, h);
    EXPECT_EQ(x1, x0);
    EXPECT_EQ(y1, y0);
    double B = 0.0, L = 0.0, H = 0.0;
    engine.GridToWgs84(x0, y0, 0.0, p, B, L, H);
    EXPECT_NEAR(B, 30.0 * kDeg, 1e-9);
    EXPECT_NEAR(L, 115.0 * kDeg, 1e-9);
}

TEST(Dispatch, UnknownProjectionTypeLeavesPlaneCoordinates) {
    CoordSysParams p = Beijing54Job();
    p.nTouYin = 7;
    CCoordTransform engine;
    double x = 1234.5, y = 6789.0, h = 0.0;
    engine.Wgs84ToGrid(30.0, 115.0, 12.0, p, x, y, h);
    EXPECT_EQ(x, 1234.5);
    EXPECT_EQ(y, 6789.0);
    EXPECT_EQ(h, 12.0);
    double B = 0.5, L = 2.0, H = 0.0;
    engine.GridToWgs84(x, y, h, p, B, L, H);
    EXPECT_NEAR(B, 0.5, 1e-15);
    EXPECT_NEAR(L, 2.0, 1e-15);
}

TEST(Dispatch, LocalGeodeticAlwaysAppliesTheSevenParameters) {
    CoordSysParams p = Beijing54Job();
    WithSevenParams(p);
    p.nSevenPar = 0;
    CCoordTransform engine;
    double B = 30.0, L = 115.0, H = 20.0;
    engine.Wgs84ToLocalGeodetic(B, L, H, p);
    // The same as the datum step of the grid dispatcher with nSevenPar set.
    p.nSevenPar = 1;
    p.nTouYin = 7;
    double x = 0.0, y = 0.0, h = 0.0;
    engine.Wgs84ToGrid(30.0, 115.0, 20.0, p, x, y, h);
    EXPECT_EQ(h, H);
    EXPECT_GT(std::fabs(B - 30.0) * 111000.0, 1.0);  // metres of datum shift
}

TEST(Dispatch, EngineKeepsWhatADispatcherLoaded) {
    CoordSysParams p = Beijing54Job();
    WithSevenParams(p);
    CCoordTransform engine;
    double x = 0.0, y = 0.0, h = 0.0, B = 0.0, L = 0.0, H = 0.0, a = 0.0, invF = 0.0;
    engine.Wgs84ToGrid(30.0, 115.0, 0.0, p, x, y, h);
    engine.GetEllipsoid(a, invF);
    EXPECT_EQ(a, 6378245.0);
    engine.GridToWgs84(x, y, h, p, B, L, H);
    engine.GetEllipsoid(a, invF);
    EXPECT_EQ(a, CCoordTransform::kWgs84A);
    EXPECT_EQ(invF, CCoordTransform::kWgs84InvF);
}

TEST(Dispatch, GeocentricDegenerateInputs) {
    CCoordTransform engine;
    engine.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF);
    double B = 0.0, L = 0.0, H = 0.0;
    engine.GeocentricToGeodetic(0.0, 0.0, 0.0, B, L, H);
    EXPECT_TRUE(std::isnan(B) && std::isnan(L) && std::isnan(H));
    engine.GeocentricToGeodetic(NAN, 1.0, 1.0, B, L, H);
    EXPECT_TRUE(std::isnan(B) && std::isnan(H));
    engine.GeocentricToGeodetic(INFINITY, 1.0, 1.0, B, L, H);
    EXPECT_TRUE(std::isnan(B) && std::isnan(H));
    // In the equatorial plane the height is the distance beyond the equator.
    engine.GeocentricToGeodetic(6378237.0, 0.0, 0.0, B, L, H);
    EXPECT_EQ(B, 0.0);
    EXPECT_NEAR(H, 100.0, 1e-9);
    // A point a millimetre off the plane still converges.
    engine.GeocentricToGeodetic(6378237.0, 0.0, 1e-3, B, L, H);
    EXPECT_NEAR(H, 100.0, 1e-4);
}

TEST(Dispatch, DistanceAndAzimuth) {
    double az = 0.0, dist = -1.0;
    CCoordTransform::CalcDistanceAzimuth(100.0, 200.0, 100.0, 200.0, az, dist);
    EXPECT_EQ(dist, 0.0);
    EXPECT_EQ(az, 360.0);
    CCoordTransform::CalcDistanceAzimuth(110.0, 200.0, 100.0, 200.0, az, dist);
    EXPECT_EQ(az, 360.0);  // due north
    EXPECT_EQ(dist, 10.0);
    CCoordTransform::CalcDistanceAzimuth(100.0, 190.0, 100.0, 200.0, az, dist);
    EXPECT_NEAR(az, 270.0, 1e-10);  // due west, never negative
}

TEST(Dispatch, EngineStartsAtZero) {
    CCoordTransform engine;
    double v[7] = {1, 1, 1, 1, 1, 1, 1};
    engine.GetSevenParams(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    for (double d : v) EXPECT_EQ(d, 0.0);
    engine.GetFourParams(v[0], v[1], v[2], v[3]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i], 0.0);
    EXPECT_EQ(engine.HeightAnomaly(5.0, 5.0), 0.0);
}

}  // namespace
