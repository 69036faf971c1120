// The layout engine on the figures a surveyor would check by hand.
#include "graphics/LineLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CNamedPoint P(double n, double e) {
    CNamedPoint p;
    p.m_dX = n;
    p.m_dY = e;
    return p;
}

constexpr double kDeg = 3.14159265358979323846 / 180.0;

}  // namespace

TEST(LineLayoutTest, AreaLinesRunEastAcrossARectangle) {
    CLineLayout engine;
    engine.m_polygon = {P(0, 0), P(45, 0), P(45, 100), P(0, 100)};
    engine.GenerateAreaLines(90 * kDeg, 10);
    // No line at the smallest intercept (N = 0); 45 is no whole multiple.
    ASSERT_EQ(engine.m_records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const auto& pts = engine.m_records[i]->m_points;
        EXPECT_EQ(engine.m_records[i]->m_nLine, static_cast<int>(i));
        ASSERT_EQ(pts.size(), 2u);
        EXPECT_NEAR(pts[0].m_dX, 10.0 * (i + 1), 1e-9);
        EXPECT_NEAR(pts[0].m_dY, 0.0, 1e-9);
        EXPECT_NEAR(pts[1].m_dX, 10.0 * (i + 1), 1e-9);
        EXPECT_NEAR(pts[1].m_dY, 100.0, 1e-9);
        EXPECT_TRUE(pts[0].m_strName.IsEmpty());
    }
    EXPECT_EQ(engine.m_edges.size(), 4u);
    EXPECT_EQ(engine.m_edges[0].m_dSlope, kVerticalSlope);
}

TEST(LineLayoutTest, AreaAtAzimuthZeroAndHalfTurnNeedsNoSpecialCase) {
    for (double azimuth : {0.0, 180.0}) {
        CLineLayout engine;
        engine.m_polygon = {P(0, 0), P(45, 0), P(45, 100), P(0, 100)};
        engine.GenerateAreaLines(azimuth * kDeg, 10);
        ASSERT_GE(engine.m_records.size(), 9u) << azimuth;
        for (const auto& record : engine.m_records) {
            const auto& pts = record->m_points;
            // A line on the boundary (E = 0 or 100) meets edges along it:
            // rounding decides which points it gets.
            if (pts.size() < 2 || pts[0].m_dY < 1.0 || pts[0].m_dY > 99.0) continue;
            // Lines run north: both ends share their east, on the two
            // northern and southern edges.
            EXPECT_NEAR(pts[0].m_dY, pts[1].m_dY, 1e-6) << azimuth;
            EXPECT_NEAR(pts[0].m_dX, 0.0, 1e-6) << azimuth;
            EXPECT_NEAR(pts[1].m_dX, 45.0, 1e-6) << azimuth;
            EXPECT_NEAR(std::fmod(pts[0].m_dY + 1e-6, 10.0), 0.0, 1e-5) << azimuth;
        }
    }
}

TEST(LineLayoutTest, AConcavePolygonGivesTwoPiecesPerLine) {
    // A U open to the north: the line at N = 30 crosses both arms.
    CLineLayout engine;
    engine.m_polygon = {P(0, 0),   P(0, 30),  P(40, 30), P(40, 20),
                        P(10, 20), P(10, 10), P(40, 10), P(40, 0)};
    engine.GenerateAreaLines(90 * kDeg, 10);
    ASSERT_EQ(engine.m_records.size(), 4u);
    const auto& pts = engine.m_records[2]->m_points;  // N = 30
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_NEAR(pts[0].m_dY, 0.0, 1e-9);
    EXPECT_NEAR(pts[1].m_dY, 10.0, 1e-9);
    EXPECT_NEAR(pts[2].m_dY, 20.0, 1e-9);
    EXPECT_NEAR(pts[3].m_dY, 30.0, 1e-9);
}

TEST(LineLayoutTest, LinesOfConstantSumAreOrderedByNorth) {
    CLineLayout engine;
    engine.m_polygon = {P(0, 0),   P(0, 30),  P(40, 30), P(40, 20),
                        P(10, 20), P(10, 10), P(40, 10), P(40, 0)};
    engine.GenerateAreaLines(135 * kDeg, 5);
    for (const auto& record : engine.m_records) {
        const auto& pts = record->m_points;
        for (size_t i = 1; i < pts.size(); ++i) EXPECT_LE(pts[i - 1].m_dX, pts[i].m_dX);
    }
}

TEST(LineLayoutTest, TooManyLinesAreCountedFirstAndNoneMade) {
    CLineLayout engine;
    engine.m_polygon = {P(0, 0), P(100000, 0), P(100000, 100000)};
    EXPECT_GT(engine.CountAreaLines(90 * kDeg, 1), kMaxLayoutLines);
    engine.GenerateAreaLines(90 * kDeg, 1);
    EXPECT_TRUE(engine.m_records.empty());
    engine.GenerateAreaLines(90 * kDeg, 0);
    EXPECT_TRUE(engine.m_records.empty());
    engine.m_polygon.clear();
    engine.GenerateAreaLines(90 * kDeg, 10);
    EXPECT_TRUE(engine.m_records.empty());
    engine.m_axis = {P(0, 0), P(1e9, 0)};
    EXPECT_GT(engine.CountPerpLines(1), kMaxLayoutLines);
    EXPECT_EQ(engine.CountPerpLines(0), 0);
}

TEST(LineLayoutTest, ChannelOffsetsAndJoins) {
    CLineLayout engine;
    engine.m_axis = {P(0, 0), P(100, 0)};
    ASSERT_EQ(engine.GenerateChannelLines(10, 1), 1);
    // Half the width each side: left of travel north is west.
    ASSERT_EQ(engine.m_left.size(), 2u);
    EXPECT_NEAR(engine.m_left[0].m_dY, -5.0, 1e-9);
    EXPECT_NEAR(engine.m_left[1].m_dX, 100.0, 1e-9);
    EXPECT_NEAR(engine.m_right[1].m_dY, 5.0, 1e-9);
    EXPECT_EQ(engine.m_chosen.size(), 2u);
    EXPECT_NEAR(engine.m_chosen[0].m_dY, -5.0, 1e-9);

    // A bend: the offset lines meet at their intersection.
    engine.m_axis = {P(0, 0), P(100, 0), P(100, 100)};
    engine.GenerateChannelLines(20, 0);
    ASSERT_EQ(engine.m_right.size(), 3u);
    EXPECT_NEAR(engine.m_right[1].m_dX, 90.0, 1e-9);
    EXPECT_NEAR(engine.m_right[1].m_dY, 10.0, 1e-9);
    EXPECT_NEAR(engine.m_left[1].m_dX, 110.0, 1e-9);
    EXPECT_NEAR(engine.m_left[1].m_dY, -10.0, 1e-9);

    // A straight axis of three points: the neighbours are parallel, the
    // join is the end of the first offset segment, never "nan".
    engine.m_axis = {P(0, 0), P(50, 0), P(100, 0)};
    engine.GenerateChannelLines(10, 1);
    ASSERT_EQ(engine.m_left.size(), 3u);
    EXPECT_NEAR(engine.m_left[1].m_dX, 50.0, 1e-9);
    EXPECT_NEAR(engine.m_left[1].m_dY, -5.0, 1e-9);

    engine.m_axis = {P(1, 1)};
    EXPECT_EQ(engine.GenerateChannelLines(10, 1), 0);
}

TEST(LineLayoutTest, CrossSectionsStandAtWholeSpacings) {
    CLineLayout engine;
    engine.m_axis = {P(0, 0), P(25, 0)};
    engine.GeneratePerpLines(10, 20, 10);
    ASSERT_EQ(engine.m_perpSegments.size(), 2u);
    EXPECT_NEAR(engine.m_perpSegments[0].m_ptStart.m_dX, 10.0, 1e-9);
    EXPECT_NEAR(engine.m_perpSegments[0].m_ptStart.m_dY, -10.0, 1e-9);
    EXPECT_NEAR(engine.m_perpSegments[0].m_ptEnd.m_dY, 20.0, 1e-9);
    EXPECT_NEAR(engine.m_perpSegments[1].m_ptStart.m_dX, 20.0, 1e-9);
    engine.m_axis = {P(0, 0)};
    engine.GeneratePerpLines(10, 10, 10);
    EXPECT_EQ(engine.m_perpSegments.size(), 2u);
}

TEST(LineLayoutTest, OffsetSegmentMovesByHalfTheDistance) {
    CLineLayout engine;
    CNamedSegment base{P(0, 0), P(0, 100)};
    base.m_ptStart.m_strName = L"A";
    const CNamedSegment left = engine.OffsetSegment(base, 10, 1);
    EXPECT_NEAR(left.m_ptStart.m_dX, 5.0, 1e-9);  // left of travel east is north
    EXPECT_NEAR(left.m_ptEnd.m_dY, 100.0, 1e-9);
    EXPECT_TRUE(left.m_ptStart.m_strName.IsEmpty());
    EXPECT_NEAR(engine.OffsetSegment(base, 10, 0).m_ptEnd.m_dX, -5.0, 1e-9);
}

// The channel layout's joins and the tools' intersection calculation both
// rely on a refusal leaving x and y untouched.
TEST(LineLayoutTest, IntersectLinesAndItsRefusals) {
    double x = -1, y = -1;
    ASSERT_EQ(IntersectLines(0, 0, 10, 10, 0, 10, 10, 0, x, y), 1);
    EXPECT_NEAR(x, 5, 1e-12);
    EXPECT_NEAR(y, 5, 1e-12);
    // Line 2 of constant x: the second branch of the x formula.
    ASSERT_EQ(IntersectLines(0, 0, 10, 10, 3, -2, 3, 8, x, y), 1);
    EXPECT_NEAR(x, 3, 1e-12);
    EXPECT_NEAR(y, 3, 1e-12);
    // Line 1 of constant x.
    ASSERT_EQ(IntersectLines(4, -5, 4, 5, 0, 0, 10, 20, x, y), 1);
    EXPECT_NEAR(x, 4, 1e-12);
    EXPECT_NEAR(y, 8, 1e-12);
    ASSERT_EQ(IntersectLines(0, 1, 5, 1, 2, 0, 2, 9, x, y), 1);  // first of constant y
    EXPECT_NEAR(x, 2.0, 1e-12);
    EXPECT_NEAR(y, 1.0, 1e-12);
    x = y = 77;
    // Both of constant x, a single point each way, slanted parallels,
    // the same line twice, and a result too far to be finite.
    EXPECT_EQ(IntersectLines(5, 0, 5, 10, 7, 0, 7, 10, x, y), 0);
    EXPECT_EQ(IntersectLines(1, 1, 1, 1, 0, 0, 10, 3, x, y), 0);
    EXPECT_EQ(IntersectLines(0, 0, 10, 3, 2, 2, 2, 2, x, y), 0);
    EXPECT_EQ(IntersectLines(0, 0, 10, 10, 0, 1, 10, 11, x, y), 0);
    EXPECT_EQ(IntersectLines(0, 0, 10, 10, 0, 0, 20, 20, x, y), 0);
    EXPECT_EQ(IntersectLines(0, 0, 1e300, 1e-5, 0, 1, 1e300, 1 + 0.99999e-5, x, y), 0);
    EXPECT_EQ(x, 77);
    EXPECT_EQ(y, 77);
}
