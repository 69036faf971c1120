// Parameter solvers: parameters recovered from synthetic common points made
// with known values; with noise, the least-squares solution checked against
// an independent QR solution; failures that leave the engine untouched.
#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"
#include "platform/base/MessageBox.h"
#include "tests/geodesy/ArrayItems.h"
#include "tests/geodesy/LeastSquares.h"

namespace {

constexpr double kEarth = 6.4e6;

struct Seven {
    double v[7];  // dX, dY, dZ, wx, wy, wz, k7
};
const Seven kBeijing = {{-15.415, 139.221, 51.292, 8.78e-6, -4.53e-6, 1.167e-5, 2.5e-6}};

Seven GetSeven(const CCoordTransform& e) {
    Seven s;
    e.GetSevenParams(s.v[0], s.v[1], s.v[2], s.v[3], s.v[4], s.v[5], s.v[6]);
    return s;
}

// Common points on WGS84 over a region of `spanDeg` degrees around (30, 114),
// targets made with the engine's own forward model.
CCoordTransform SevenParamEngine(const Seven& truth, double spanDeg, int count, double noise) {
    CCoordTransform maker, solver;
    maker.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF);
    maker.SetSevenParams(truth.v[0], truth.v[1], truth.v[2], truth.v[3], truth.v[4], truth.v[5],
                         truth.v[6]);
    Noise rng(7);
    for (int i = 0; i < count; ++i) {
        CommonPoint7 p;
        const double lat = 30.0 + spanDeg * std::sin(1.7 * i),
                     lon = 114.0 + spanDeg * std::cos(2.3 * i);
        maker.GeodeticToGeocentric(lat, lon, 100.0 * (i % 5), p.xs, p.ys, p.zs);
        p.xt = p.xs, p.yt = p.ys, p.zt = p.zs;
        maker.ApplySevenParams(p.xt, p.yt, p.zt);
        p.xt += rng.Next(noise), p.yt += rng.Next(noise), p.zt += rng.Next(noise);
        solver.SevenParamPoints().Add(p);
    }
    return solver;
}

// Effect of a parameter difference on the ground, in metres.
double GroundEffect(const Seven& a, const Seven& b) {
    double worst = 0.0;
    for (int i = 0; i < 3; ++i) worst = std::max(worst, std::fabs(a.v[i] - b.v[i]));
    for (int i = 3; i < 7; ++i) worst = std::max(worst, std::fabs(a.v[i] - b.v[i]) * kEarth);
    return worst;
}

TEST(SevenParams, RecoveredFromExactCommonPoints) {
    // Over a province (4 degrees) the parameters come back to 1e-9 of
    // themselves; from a 20 km site, to a tenth of a millimetre on the
    // ground (the normal equations lose digits to the narrow geometry).
    CCoordTransform wide = SevenParamEngine(kBeijing, 2.0, 8, 0.0);
    ASSERT_TRUE(wide.SolveSevenParams());
    const Seven got = GetSeven(wide);
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR(got.v[i], kBeijing.v[i], 1e-9 * std::fabs(kBeijing.v[i]));

    CCoordTransform site = SevenParamEngine(kBeijing, 0.1, 6, 0.0);
    ASSERT_TRUE(site.SolveSevenParams());
    EXPECT_LT(GroundEffect(GetSeven(site), kBeijing), 1e-4);

    // The matrix's rank test does not refuse a small but real site: three
    // points about 10 m apart.
    quorvel::MessageBoxRecorder boxes;
    CCoordTransform tiny = SevenParamEngine(kBeijing, 1e-4, 3, 0.0);
    EXPECT_TRUE(tiny.SolveSevenParams());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST(SevenParams, NoisyPointsGiveTheLeastSquaresSolution) {
    CCoordTransform engine = SevenParamEngine(kBeijing, 0.5, 10, 0.03);
    const std::vector<CommonPoint7> points = Items(engine.SevenParamPoints());
    ASSERT_TRUE(engine.SolveSevenParams());
    const Seven got = GetSeven(engine);

    // Independent solution in the unknown order dX, dY, dZ, wx, wy, wz, k7
    // of the model target - source = shift + k7 * source + rotation terms.
    Rows A;
    std::vector<double> b;
    for (const CommonPoint7& p : points) {
        A.push_back({1, 0, 0, 0, -p.zs, p.ys, p.xs});
        A.push_back({0, 1, 0, p.zs, 0, -p.xs, p.ys});
        A.push_back({0, 0, 1, -p.ys, p.xs, 0, p.zs});
        b.insert(b.end(), {p.xt - p.xs, p.yt - p.ys, p.zt - p.zs});
    }
    const std::vector<double> qr = SolveLeastSquares(A, b);
    Seven ref;
    for (int i = 0; i < 7; ++i) ref.v[i] = qr[i];
    EXPECT_LT(GroundEffect(got, ref), 1e-5);
    EXPECT_GT(GroundEffect(got, kBeijing), 1e-3);  // the noise did move them

    // Residuals of a least-squares fit are orthogonal to every column.
    for (size_t c = 0; c < 7; ++c) {
        double dot = 0.0, scale = 0.0;
        for (size_t r = 0; r < A.size(); ++r) {
            double fit = 0.0;
            for (size_t k = 0; k < 7; ++k) fit += A[r][k] * got.v[k];
            dot += A[r][c] * (b[r] - fit);
            scale += std::fabs(A[r][c]) * 0.03;
        }
        EXPECT_LT(std::fabs(dot), 1e-4 * scale) << "column " << c;
    }
}

TEST(SevenParams, OneAndTwoPointsGiveShifts) {
    CCoordTransform engine;
    engine.SevenParamPoints().Add({100.0, 200.0, 300.0, 110.0, 190.0, 330.0});
    ASSERT_TRUE(engine.SolveSevenParams());
    Seven s = GetSeven(engine);
    EXPECT_EQ(s.v[0], 10.0);
    EXPECT_EQ(s.v[1], -10.0);
    EXPECT_EQ(s.v[2], 30.0);
    engine.SevenParamPoints().Add({0.0, 0.0, 0.0, 20.0, -20.0, 40.0});
    ASSERT_TRUE(engine.SolveSevenParams());
    s = GetSeven(engine);
    EXPECT_EQ(s.v[0], 15.0);
    EXPECT_EQ(s.v[1], -15.0);
    EXPECT_EQ(s.v[2], 35.0);
    for (int i = 3; i < 7; ++i) EXPECT_EQ(s.v[i], 0.0);
}

TEST(SevenParams, PureShiftFromManyPoints) {
    const Seven shift = {{-32.1, 87.4, 12.9, 0.0, 0.0, 0.0, 0.0}};
    CCoordTransform engine = SevenParamEngine(shift, 1.0, 5, 0.0);
    ASSERT_TRUE(engine.SolveSevenParams());
    const Seven got = GetSeven(engine);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got.v[i], shift.v[i], 1e-6);
    for (int i = 3; i < 7; ++i) EXPECT_NEAR(got.v[i] * kEarth, 0.0, 1e-6);
}

TEST(SevenParams, CollinearOrMissingPointsFailAndChangeNothing) {
    quorvel::MessageBoxRecorder boxes;
    boxes.Expect(L"不能正确计算该矩阵的逆阵", IDOK);
    CCoordTransform engine;
    engine.SetSevenParams(1, 2, 3, 4e-6, 5e-6, 6e-6, 7e-6);
    EXPECT_FALSE(engine.SolveSevenParams());
    for (int i = 0; i < 4; ++i) {
        const double t = 1000.0 * i;
        engine.SevenParamPoints().Add({-2148744.3 + 0.3 * t, 4426641.2 - 0.5 * t,
                                       4044655.9 + 0.8 * t, -2148760.0 + 0.3 * t,
                                       4426780.0 - 0.5 * t, 4044700.0 + 0.8 * t});
    }
    EXPECT_FALSE(engine.SolveSevenParams());
    const Seven s = GetSeven(engine);
    const Seven before = {{1, 2, 3, 4e-6, 5e-6, 6e-6, 7e-6}};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s.v[i], before.v[i]);
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
}

// ---- Four parameters ----

void MakePairs(CCoordTransform& engine, double dx, double dy, double theta, double k,
               double noise) {
    CCoordTransform maker;
    maker.SetFourParams(dx, dy, theta, k);
    Noise rng(3);
    for (int i = 0; i < 9; ++i) {
        PointPair4 p;
        p.xs = 3380000.0 + 1700.0 * std::sin(1.1 * i) + 400.0 * i;
        p.ys = 512000.0 + 2100.0 * std::cos(0.7 * i);
        p.xt = p.xs, p.yt = p.ys;
        maker.ApplyFourParams(p.xt, p.yt);
        p.xt += rng.Next(noise), p.yt += rng.Next(noise);
        engine.FourParamPairs().Add(p);
    }
}

TEST(FourParams, RecoveredFromExactPairs) {
    CCoordTransform engine;
    MakePairs(engine, -2531.27, 1207.5, 0.0123, 1.0000213, 0.0);
    ASSERT_TRUE(engine.SolveFourParams());
    double dx = 0, dy = 0, theta = 0, k = 0;
    engine.GetFourParams(dx, dy, theta, k);
    EXPECT_NEAR(dx, -2531.27, 1e-9 * 2531.27);
    EXPECT_NEAR(dy, 1207.5, 1e-9 * 1207.5);
    EXPECT_NEAR(theta, 0.0123, 1e-9 * 0.0123);
    EXPECT_NEAR(k, 1.0000213, 1e-12);
    // The solver leaves the centred values in the pairs.
    const PointPair4& p = engine.FourParamPairs()[0];
    double mean = 0.0;
    for (const PointPair4& q : Items(engine.FourParamPairs())) mean += q.xs / 9.0;
    EXPECT_NEAR(p.a, p.xs - mean, 1e-6);
}

TEST(FourParams, NoisyPairsGiveTheLeastSquaresSolution) {
    CCoordTransform engine;
    MakePairs(engine, -2531.27, 1207.5, 0.0123, 1.0000213, 0.02);
    const std::vector<PointPair4> pairs = Items(engine.FourParamPairs());
    ASSERT_TRUE(engine.SolveFourParams());
    double dx = 0, dy = 0, theta = 0, k = 0;
    engine.GetFourParams(dx, dy, theta, k);
    // x' = dx + a x - b y, y' = dy + b x + a y with a = k cos, b = k sin.
    Rows A;
    std::vector<double> rhs;
    for (const PointPair4& p : pairs) {
        A.push_back({1, 0, p.xs, -p.ys});
        A.push_back({0, 1, p.ys, p.xs});
        rhs.insert(rhs.end(), {p.xt, p.yt});
    }
    const std::vector<double> q = SolveLeastSquares(A, rhs);
    EXPECT_NEAR(dx, q[0], 1e-5);
    EXPECT_NEAR(dy, q[1], 1e-5);
    EXPECT_NEAR(k, std::hypot(q[2], q[3]), 1e-11);
    EXPECT_NEAR(theta, std::atan2(q[3], q[2]), 1e-11);
}

TEST(FourParams, QuarterTurnSinglePairAndEmptyList) {
    CCoordTransform engine;
    engine.FourParamPairs().Add({100.0, 0.0, 0.0, 100.0});
    engine.FourParamPairs().Add({0.0, 100.0, -100.0, 0.0});
    ASSERT_TRUE(engine.SolveFourParams());
    double dx = 0, dy = 0, theta = 0, k = 0;
    engine.GetFourParams(dx, dy, theta, k);
    EXPECT_NEAR(theta, 1.5707963267948966, 1e-15);
    EXPECT_NEAR(k, 1.0, 1e-15);
    EXPECT_NEAR(dx, 0.0, 1e-12);
    EXPECT_NEAR(dy, 0.0, 1e-12);

    engine.FourParamPairs().RemoveAll();
    engine.FourParamPairs().Add({5.0, 6.0, 50.0, 60.0});
    ASSERT_TRUE(engine.SolveFourParams());
    engine.GetFourParams(dx, dy, theta, k);
    EXPECT_EQ(dx, 0.0);
    EXPECT_EQ(dy, 0.0);
    EXPECT_EQ(theta, 0.0);
    EXPECT_EQ(k, 1.0);

    engine.SetFourParams(1.0, 2.0, 3.0, 4.0);
    engine.FourParamPairs().RemoveAll();
    EXPECT_FALSE(engine.SolveFourParams());
    engine.GetFourParams(dx, dy, theta, k);
    EXPECT_EQ(k, 4.0);
}

}  // namespace
