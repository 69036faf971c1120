// Height-fit solver and the matrix it runs on.
#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"
#include "geodesy/Matrix.h"
#include "platform/base/MessageBox.h"
#include "tests/geodesy/ArrayItems.h"
#include "tests/geodesy/LeastSquares.h"

namespace {

// Points scattered over a 6 km site; h1 - h2 follows the given surface
// about the points' own mean position.
void MakeHeightPoints(CCoordTransform& engine, int count, const double a[6], double noise,
                      double& x0, double& y0) {
    HeightFitPointArray& pts = engine.HeightFitPoints();
    pts.RemoveAll();
    x0 = y0 = 0.0;
    for (int i = 0; i < count; ++i) {
        HeightFitPoint p;
        p.x = 2562000.0 + 3000.0 * std::sin(1.3 * i + 0.4);
        p.y = 438000.0 + 2500.0 * std::cos(2.1 * i);
        x0 += p.x / count;
        y0 += p.y / count;
        pts.Add(p);
    }
    Noise rng(11);
    for (int i = 0; i < pts.GetSize(); ++i) {
        HeightFitPoint& p = pts[i];
        const double dx = p.x - x0, dy = p.y - y0;
        p.h2 = 40.0 + 0.001 * dx;
        p.h1 = p.h2 + a[0] + a[1] * dx + a[2] * dy + a[3] * dx * dx + a[4] * dy * dy +
               a[5] * dx * dy + rng.Next(noise);
    }
}

double Coefficient(const CCoordTransform& e, int i) {
    double c[6], x0, y0;
    e.GetHeightFitParams(c, x0, y0);
    return c[i];
}

const double kSurface[6] = {-12.31, 2.1e-5, -3.4e-5, 1.2e-9, -0.8e-9, 2.3e-9};

TEST(HeightFit, QuadraticSurfaceRecovered) {
    CCoordTransform engine;
    engine.SetHeightFitThresholds(4, 7);
    double x0 = 0.0, y0 = 0.0;
    MakeHeightPoints(engine, 9, kSurface, 0.0, x0, y0);
    ASSERT_TRUE(engine.SolveHeightFit());
    double c[6], fx0, fy0;
    engine.GetHeightFitParams(c, fx0, fy0);
    EXPECT_NEAR(fx0, x0, 1e-6);
    EXPECT_NEAR(fy0, y0, 1e-6);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(c[i], kSurface[i], 1e-9 * std::fabs(kSurface[i]));
    // The points now hold their centred positions; the anomaly at each is
    // its own h1 - h2.
    for (const HeightFitPoint& p : Items(engine.HeightFitPoints())) {
        EXPECT_NEAR(engine.HeightAnomaly(p.x + x0, p.y + y0), p.h1 - p.h2, 1e-9);
    }
}

TEST(HeightFit, NoisyPointsGiveTheLeastSquaresSurface) {
    CCoordTransform engine;
    engine.SetHeightFitThresholds(4, 7);
    double x0 = 0.0, y0 = 0.0;
    MakeHeightPoints(engine, 15, kSurface, 0.02, x0, y0);
    const std::vector<HeightFitPoint> pts = Items(engine.HeightFitPoints());
    ASSERT_TRUE(engine.SolveHeightFit());
    Rows A;
    std::vector<double> b;
    for (const HeightFitPoint& p : pts) {
        const double dx = p.x - x0, dy = p.y - y0;
        A.push_back({1, dx, dy, dx * dx, dy * dy, dx * dy});
        b.push_back(p.h1 - p.h2);
    }
    const std::vector<double> q = SolveLeastSquares(A, b);
    for (int i = 0; i < 6; ++i) {
        // Compared by their effect at 3 km from the origin.
        const double reach = i == 0 ? 1.0 : (i < 3 ? 3e3 : 9e6);
        EXPECT_NEAR(Coefficient(engine, i) * reach, q[i] * reach, 1e-8) << "a" << i;
    }
}

TEST(HeightFit, PointCountChoosesTheSurface) {
    CCoordTransform engine;
    engine.SetHeightFitThresholds(4, 7);
    engine.SetHeightFitParams(1, 2, 3, 4, 5, 6, 7, 8);
    double x0 = 0.0, y0 = 0.0;
    MakeHeightPoints(engine, 3, kSurface, 0.0, x0, y0);
    ASSERT_TRUE(engine.SolveHeightFit());  // between 3 and Tp - 1: unchanged
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Coefficient(engine, i), i + 1.0);

    const double plane[6] = {0.5, 1e-4, -2e-4, 0, 0, 0};
    MakeHeightPoints(engine, 5, plane, 0.0, x0, y0);
    ASSERT_TRUE(engine.SolveHeightFit());
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(Coefficient(engine, i), plane[i], 1e-12);
    for (int i = 3; i < 6; ++i) EXPECT_EQ(Coefficient(engine, i), 0.0);

    engine.HeightFitPoints().RemoveAll();
    engine.HeightFitPoints().Add({0, 0, 10.5, 10.0, 1.0, 2.0});
    ASSERT_TRUE(engine.SolveHeightFit());
    EXPECT_EQ(Coefficient(engine, 0), 0.5);
    engine.HeightFitPoints().Add({0, 0, 10.0, 10.25, 3.0, 4.0});
    ASSERT_TRUE(engine.SolveHeightFit());
    EXPECT_EQ(Coefficient(engine, 0), 0.125);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(Coefficient(engine, i), 0.0);
}

TEST(HeightFit, CollinearOrMissingPointsFailAndChangeNothing) {
    quorvel::MessageBoxRecorder boxes;
    boxes.Expect(L"不能正确计算该矩阵的逆阵", IDOK);
    CCoordTransform engine;
    engine.SetHeightFitThresholds(4, 7);
    engine.SetHeightFitParams(1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_FALSE(engine.SolveHeightFit());
    for (int i = 0; i < 5; ++i) {
        engine.HeightFitPoints().Add(
            {0, 0, 30.0 + i, 29.0, 2562000.0 + 137.1 * i, 438000.0 - 71.3 * i});
    }
    const HeightFitPointArray before = engine.HeightFitPoints();
    EXPECT_FALSE(engine.SolveHeightFit());
    double c[6], x0, y0;
    engine.GetHeightFitParams(c, x0, y0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(c[i], i + 1.0);
    EXPECT_EQ(x0, 7.0);
    EXPECT_EQ(y0, 8.0);
    EXPECT_EQ(engine.HeightFitPoints()[4].x, before[4].x);
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
}

// ---- CMatrix ----

CMatrix Make(unsigned rows, unsigned cols, std::initializer_list<double> values) {
    CMatrix m(rows, cols);
    unsigned i = 0;
    for (double v : values) m.SetAt(i / cols, i % cols, v), ++i;
    return m;
}

TEST(Matrix, InverseOfKnownMatrices) {
    const CMatrix swap = Make(2, 2, {0, 1, 1, 0});
    const CMatrix inv = swap.Inverse();
    ASSERT_TRUE(inv.IsValid());
    for (unsigned r = 0; r < 2; ++r) {
        for (unsigned c = 0; c < 2; ++c) EXPECT_EQ(inv.GetAt(r, c), swap.GetAt(r, c));
    }
    // A matrix needing row and column exchanges; its product with the
    // inverse is the identity.
    const CMatrix a = Make(3, 3, {2, -1, 0, -1, 2, -1, 0, -1, 2e3});
    const CMatrix product = a.Multiply(a.Inverse());
    for (unsigned r = 0; r < 3; ++r) {
        for (unsigned c = 0; c < 3; ++c) EXPECT_NEAR(product.GetAt(r, c), r == c, 1e-14);
    }
}

TEST(Matrix, SingularMatricesGiveAnEmptyResult) {
    quorvel::MessageBoxRecorder boxes;
    for (int i = 0; i < 3; ++i) boxes.Expect(L"发生错误，不能正确计算该矩阵的逆阵!", IDOK);
    EXPECT_FALSE(Make(2, 2, {0, 0, 0, 0}).Inverse().IsValid());
    EXPECT_FALSE(Make(2, 2, {1, 2, 2, 4}).Inverse().IsValid());
    // Singular in exact arithmetic, but rounding leaves a pivot of 1e-16
    // size relative to the entries: still refused.
    EXPECT_FALSE(Make(3, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}).Inverse().IsValid());
    EXPECT_FALSE(Make(2, 3, {1, 2, 3, 4, 5, 6}).Inverse().IsValid());  // no message
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    ASSERT_EQ(boxes.Count(), 3);
    const quorvel::MessageBoxRequest box = boxes.Requests()[0];
    EXPECT_EQ(box.caption, CString(L"矩阵运算提示"));
    EXPECT_EQ(box.type, UINT(MB_OK | MB_ICONINFORMATION));
}

TEST(Matrix, ShapesOfProducts) {
    const CMatrix a = Make(2, 3, {1, 2, 3, 4, 5, 6});
    const CMatrix t = a.Transpose();
    EXPECT_EQ(t.GetRowCount(), 3u);
    EXPECT_EQ(t.GetAt(2, 1), 6.0);
    const CMatrix p = a.Multiply(t);
    EXPECT_EQ(p.GetRowCount(), 2u);
    EXPECT_EQ(p.GetAt(0, 1), 32.0);
    EXPECT_FALSE(a.Multiply(a).IsValid());
    EXPECT_EQ(a.Scale(-2.0).GetAt(1, 2), -12.0);
    CMatrix m;
    EXPECT_FALSE(m.Resize(0, 3));
    EXPECT_FALSE(m.SetAt(0, 0, 1.0));
    EXPECT_TRUE(m.Assign(a));
    EXPECT_EQ(m.GetAt(1, 0), 4.0);
}

}  // namespace
