#include "graphics/DrawCircle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/gdi/MemoryCanvas.h"

using quorvel::gdi::test::MemoryCanvas;

TEST(DrawCircleTest, VertexCountIsTwoPiRTruncated) {
    EXPECT_EQ(CircleVertexCount(8), 50);  // 50.265...
    EXPECT_EQ(CircleVertexCount(2), 12);  // 12.566...
    EXPECT_EQ(CircleVertexCount(1), 6);
    EXPECT_EQ(CircleVertexCount(0.1), 0);
    EXPECT_EQ(CircleVertexCount(0), 0);
    EXPECT_EQ(CircleVertexCount(-3), 0);
    EXPECT_EQ(CircleVertexCount(NAN), 0);
    EXPECT_EQ(CircleVertexCount(1e300), 0);
}

TEST(DrawCircleTest, RadiusTwoDrawsTheTruncatedRing) {
    MemoryCanvas canvas(9, 9);
    DrawCircle(canvas.dc(), 4, 4, 2);
    // Truncation toward zero pulls the off-axis vertices inward, so the
    // ring reaches x = 6 and y = 2 only on the axes.
    EXPECT_EQ(canvas.At(6, 4), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(4, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(2, 4), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(4, 6), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(4, 4), RGB(255, 255, 255));
    const RECT ink = canvas.Ink();
    EXPECT_EQ(ink.left, 2);
    EXPECT_EQ(ink.top, 2);
    EXPECT_EQ(ink.right, 7);
    EXPECT_EQ(ink.bottom, 7);
}

TEST(DrawCircleTest, DrawingTwiceInvertedRestoresTheScreen) {
    MemoryCanvas canvas(40, 40);
    SetROP2(canvas.dc(), R2_NOT);
    for (double r : {2.0, 8.0, 15.5}) {
        DrawCircle(canvas.dc(), 20, 20, r);
        EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 0) << r;
        DrawCircle(canvas.dc(), 20, 20, r);
        EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 40 * 40) << r;
    }
}
