// The plane calculations against tables. Expected values: the independent
// Python of tests/app/tools/plane_reference.py, run as
//   python3 tests/app/tools/plane_reference.py
// (circle-circle intersection, vector rotation, shoelace), its output
// copied here. The deflection's own degree factor (57.29577951471995) puts
// its angles a few 1e-9 degrees off, so angles compare within 1e-7.
#include <gtest/gtest.h>

#include <cmath>

#include "app/tools/PlaneCalc.h"

namespace {

using tools::PlanePoint;

constexpr double kMm = 1e-9;  // metres: the formulas agree far below a millimetre

TEST(PlaneCalcTest, ForwardFromAPackedAzimuth) {
    const struct {
        double x0, y0, az, d, x, y;
    } kCases[] = {
        {0, 0, 90.0, 10, 6.123233995736766e-16, 10.0},
        {1000, 2000, 45.3030, 123.456, 1086.5186461306964, 2088.06763200922},
        {3345678.123, 512345.678, 231.45123, 87.65, 3345623.8635200965, 512276.8417352801},
    };
    for (const auto& c : kCases) {
        const tools::ForwardResult r = tools::CalcForward(c.x0, c.y0, c.az, c.d);
        EXPECT_TRUE(r.bSuccess);
        EXPECT_NEAR(r.x, c.x, 1e-6) << c.az;
        EXPECT_NEAR(r.y, c.y, 1e-6) << c.az;
    }
    EXPECT_FALSE(tools::CalcForward(0, 0, 10, HUGE_VAL).bSuccess);
}

TEST(PlaneCalcTest, InverseInEveryQuadrantAndOnTheAxes) {
    const struct {
        double xe, ye, az, d;
    } kCases[] = {
        {10, 10, 45, 14.142135623730951},
        {-10, 10, 135, 14.142135623730951},
        {-10, -10, 225, 14.142135623730951},
        {10, -10, 315, 14.142135623730951},
        {0, 10, 90, 10},
        {-10, 0, 180, 10},
        {0, -10, 270, 10},
        {0, 0, 0, 0},
    };
    for (const auto& c : kCases) {
        const tools::InverseResult r = tools::CalcInverse(0, 0, 1.5, c.xe, c.ye, 0.25);
        EXPECT_TRUE(r.bSuccess);
        EXPECT_NEAR(r.azimuth, c.az, 1e-9) << c.xe << "," << c.ye;
        EXPECT_NEAR(r.distance, c.d, kMm);
        EXPECT_DOUBLE_EQ(r.heightDiff, -1.25);
    }
    const tools::InverseResult far =
        tools::CalcInverse(3345678.123, 512345.678, 0, 3345001.5, 513000.25, 0);
    EXPECT_NEAR(far.azimuth, 135.94900724109425, 1e-9);
    EXPECT_NEAR(far.distance, 941.426145437425, 1e-7);
}

TEST(PlaneCalcTest, DistanceIntersectionOnBothSidesAndBehindTheStart) {
    const struct {
        PlanePoint a, b;
        double da, db;
        int side;
        double x, y;
    } kCases[] = {
        {{0, 0}, {10, 0}, 5, 5, 0, 5.0, 0.0},
        {{0, 0}, {10, 0}, 5, 5, 1, 5.0, 0.0},
        {{0, 0}, {10, 0}, 6, 8, 0, 3.6, -4.8},
        {{0, 0}, {10, 0}, 6, 8, 1, 3.6, 4.8},
        // The angle at A is obtuse: the foot lies 0.95 m behind A.
        {{0, 0}, {10, 0}, 5, 12, 0, -0.95, -4.908920451586072},
        {{0, 0}, {10, 0}, 5, 12, 1, -0.95, 4.908920451586072},
        {{100, 200}, {130, 240}, 30, 25, 1, 107.5307895078576, 229.03940786910678},
    };
    for (const auto& c : kCases) {
        const tools::PointResult r = tools::CalcDistIntersect(c.a, c.b, c.da, c.db, c.side);
        ASSERT_TRUE(r.bSuccess) << c.da << "," << c.db;
        EXPECT_NEAR(r.x, c.x, kMm) << c.da << "," << c.db << " side " << c.side;
        EXPECT_NEAR(r.y, c.y, kMm) << c.da << "," << c.db << " side " << c.side;
        EXPECT_NEAR(std::hypot(r.x - c.b.x, r.y - c.b.y), c.db, 1e-9);
    }
    // Impossible triangles, coincident points, negative lengths.
    EXPECT_FALSE(tools::CalcDistIntersect({0, 0}, {10, 0}, 2, 3, 0).bSuccess);
    EXPECT_FALSE(tools::CalcDistIntersect({0, 0}, {10, 0}, 20, 5, 0).bSuccess);
    EXPECT_FALSE(tools::CalcDistIntersect({1, 1}, {1, 1}, 5, 5, 0).bSuccess);
    EXPECT_FALSE(tools::CalcDistIntersect({0, 0}, {10, 0}, -5, 15, 0).bSuccess);
    // Touching circles close within the slack: one point on the line.
    const tools::PointResult touch = tools::CalcDistIntersect({0, 0}, {10, 0}, 4, 6, 1);
    ASSERT_TRUE(touch.bSuccess);
    EXPECT_NEAR(touch.x, 4, kMm);
    EXPECT_NEAR(touch.y, 0, kMm);
}

TEST(PlaneCalcTest, OffsetPointInBothModesAndOnBothSides) {
    tools::OffsetInput in;
    in.fromStart = 5;
    in.offset = 2;
    tools::PointResult r = tools::CalcOffsetPoint({0, 0}, {10, 0}, in);
    EXPECT_NEAR(r.x, 5, kMm);
    EXPECT_NEAR(r.y, -2, kMm);
    in.nSide = 1;
    r = tools::CalcOffsetPoint({0, 0}, {10, 0}, in);
    EXPECT_NEAR(r.x, 5, kMm);
    EXPECT_NEAR(r.y, 2, kMm);
    // Measured from the end: 3 from B is 7 along.
    in.nSide = 0;
    in.nReference = 1;
    in.fromEnd = 3;
    r = tools::CalcOffsetPoint({0, 0}, {10, 0}, in);
    EXPECT_NEAR(r.x, 7, kMm);
    EXPECT_NEAR(r.y, -2, kMm);
    in = {};
    in.nReference = 0;
    in.nSide = 1;
    in.fromStart = 12.5;
    in.offset = 3.25;
    r = tools::CalcOffsetPoint({100, 200}, {130, 240}, in);
    EXPECT_NEAR(r.x, 104.9, kMm);
    EXPECT_NEAR(r.y, 211.95, kMm);

    const struct {
        PlanePoint a, b;
        double dist, angle;
        int side;
        double x, y;
    } kAngles[] = {
        {{0, 0}, {10, 0}, 5, 90.0, 0, 10.0, -5.0},
        {{0, 0}, {10, 0}, 5, 90.0, 1, 10.0, 5.0},
        {{0, 0}, {10, 0}, 5, 30.0, 0, 14.330127018922195, -2.5},
        {{100, 200}, {130, 240}, 8, 15.3045, 1, 132.9134751658317, 247.45061490469627},
    };
    for (const auto& c : kAngles) {
        tools::OffsetInput a;
        a.nMode = 1;
        a.nReference = 1;
        a.fromEnd = c.dist;
        a.packedAngle = c.angle;
        a.nSide = c.side;
        r = tools::CalcOffsetPoint(c.a, c.b, a);
        ASSERT_TRUE(r.bSuccess);
        EXPECT_NEAR(r.x, c.x, kMm) << c.angle << " side " << c.side;
        EXPECT_NEAR(r.y, c.y, kMm) << c.angle << " side " << c.side;
    }
    // A distance from the end longer than the line, a negative offset,
    // coincident points.
    tools::OffsetInput bad;
    bad.nReference = 1;
    bad.fromEnd = 11;
    EXPECT_FALSE(tools::CalcOffsetPoint({0, 0}, {10, 0}, bad).bSuccess);
    bad = {};
    bad.offset = -1;
    EXPECT_FALSE(tools::CalcOffsetPoint({0, 0}, {10, 0}, bad).bSuccess);
    EXPECT_FALSE(tools::CalcOffsetPoint({3, 3}, {3, 3}, {}).bSuccess);
}

TEST(PlaneCalcTest, DeflectionStraightOnAndTurningBothWays) {
    const struct {
        PlanePoint p3;
        double fromStart, fromEnd, offset, deflection;
        bool left;
    } kCases[] = {
        {{20, 0}, 20.0, 10.0, 0.0, 0.0, true},
        {{15, 5}, 15.0, 5.0, 5.0, 45.0, false},
        {{15, -5}, 15.0, 5.0, 5.0, -45.0, true},
        {{5, 5}, 5.0, 5.0, 5.0, 135.0, false},
        {{100.5, -33.25}, 100.5, 90.5, 33.25, -20.173499417765065, true},
    };
    for (const auto& c : kCases) {
        const tools::DeflectionResult r = tools::CalcDeflection({0, 0}, {10, 0}, c.p3);
        ASSERT_TRUE(r.bSuccess);
        EXPECT_NEAR(r.fromStart, c.fromStart, 1e-6) << c.p3.x << "," << c.p3.y;
        EXPECT_NEAR(r.fromEnd, c.fromEnd, 1e-6) << c.p3.x << "," << c.p3.y;
        EXPECT_NEAR(r.offset, c.offset, 1e-6) << c.p3.x << "," << c.p3.y;
        EXPECT_NEAR(r.deflection, c.deflection, 1e-7) << c.p3.x << "," << c.p3.y;
        EXPECT_EQ(r.bLeft == TRUE, c.left);
    }
    // 45 degrees less a few 1e-9: 44 59 59.99999 rounds up to 45 00 00.
    const tools::DeflectionResult right = tools::CalcDeflection({0, 0}, {10, 0}, {15, 5});
    EXPECT_EQ(right.nDegrees, 45);
    EXPECT_EQ(right.nMinutes, 0);
    EXPECT_NEAR(right.seconds, 0, 1e-3);
    const tools::DeflectionResult odd = tools::CalcDeflection({0, 0}, {10, 0}, {100.5, -33.25});
    EXPECT_EQ(odd.nDegrees, 20);
    EXPECT_EQ(odd.nMinutes, 10);
    EXPECT_NEAR(odd.seconds, 24.598, 1e-3);
    EXPECT_FALSE(tools::CalcDeflection({2, 2}, {2, 2}, {5, 5}).bSuccess);
}

TEST(PlaneCalcTest, AreaOfTheUnitSquareEitherWayAndOfAFieldPlot) {
    const std::vector<PlanePoint> ccw = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    const std::vector<PlanePoint> cw = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& square : {ccw, cw}) {
        const tools::AreaResult r = tools::CalcPolygonArea(square);
        EXPECT_DOUBLE_EQ(r.area, 1.0);
        EXPECT_DOUBLE_EQ(r.perimeter, 4.0);
        EXPECT_DOUBLE_EQ(r.hectares, 0.0001);
        EXPECT_DOUBLE_EQ(r.mu, 0.0015);
    }
    const tools::AreaResult plot = tools::CalcPolygonArea({{3345678.1, 512345.6},
                                                           {3345700.4, 512390.2},
                                                           {3345650.0, 512420.9},
                                                           {3345630.7, 512360.3}});
    EXPECT_NEAR(plot.area, 3044.3, 1e-6);
    EXPECT_NEAR(plot.perimeter, 222.10454203345103, 1e-9);
    // A vertex twice adds a side of nought.
    const tools::AreaResult twice =
        tools::CalcPolygonArea({{0, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 0}});
    EXPECT_DOUBLE_EQ(twice.area, 1.0);
    EXPECT_DOUBLE_EQ(twice.perimeter, 4.0);
}

}  // namespace
