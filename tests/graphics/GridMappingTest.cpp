#include "graphics/GridMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

GridMapping Map(double n0, double e0, double scale) {
    GridMapping m;
    m.m_dOriginN = n0;
    m.m_dOriginE = e0;
    m.m_dScale = scale;
    m.m_rcDraw = RECT{6, 6, 234, 154};
    return m;
}

}  // namespace

TEST(GridMappingTest, GridAndPixelsBothWays) {
    const GridMapping m = Map(1000, 500, 0.5);
    POINT p = m.WorldToScreen(1010, 520);
    EXPECT_EQ(p.x, 46);   // 20 / 0.5 + 6
    EXPECT_EQ(p.y, 134);  // 154 - 20
    p = m.WorldToScreen(1000.7, 499.7);
    EXPECT_EQ(p.x, 5);    // 5.4 truncated
    EXPECT_EQ(p.y, 152);  // 152.6 truncated
    double n = 0, e = 0;
    m.ScreenToWorld(46, 134, n, e);
    EXPECT_EQ(n, 1010.0);
    EXPECT_EQ(e, 520.0);
}

TEST(GridMappingTest, FarAndDamagedCoordinatesStayInIntRange) {
    const GridMapping m = Map(0, 0, 0.01);
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {1e308, -1e308, inf, -inf, std::nan("")}) {
        const POINT p = m.WorldToScreen(v, v);
        EXPECT_LE(std::abs(static_cast<long long>(p.x)), (1 << 20) + 300);
        EXPECT_LE(std::abs(static_cast<long long>(p.y)), (1 << 20) + 300);
    }
    EXPECT_FALSE(IsUsableWindow(0, 0, 0));
    EXPECT_FALSE(IsUsableWindow(0, 0, -1));
    EXPECT_FALSE(IsUsableWindow(0, 0, std::nan("")));
    EXPECT_FALSE(IsUsableWindow(inf, 0, 1));
    EXPECT_TRUE(IsUsableWindow(3521000, 500000, 0.01));
}

TEST(GridMappingTest, OutCodesAndClipping) {
    const RECT rc{0, 0, 240, 160};
    EXPECT_EQ(ComputeOutCode(rc, -1, -1), 5);
    EXPECT_EQ(ComputeOutCode(rc, 241, 161), 10);
    EXPECT_EQ(ComputeOutCode(rc, 240, 160), 0);
    int x1 = -50, y1 = 10, x2 = 500, y2 = 10;
    ASSERT_TRUE(ClipLine(rc, x1, y1, x2, y2));
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(x2, 240);
    EXPECT_EQ(y1, 10);
    x1 = -50, y1 = -10, x2 = 500, y2 = -5;
    EXPECT_FALSE(ClipLine(rc, x1, y1, x2, y2));
    EXPECT_EQ(x1, -1000);
    EXPECT_EQ(y2, -1000);
    // Vertical and horizontal segments reaching in from outside.
    x1 = 100, y1 = -500, x2 = 100, y2 = 500;
    ASSERT_TRUE(ClipLine(rc, x1, y1, x2, y2));
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(y2, 160);
    x1 = 300, y1 = 50, x2 = -300, y2 = 50;
    ASSERT_TRUE(ClipLine(rc, x1, y1, x2, y2));
    EXPECT_EQ(x1, 240);
    EXPECT_EQ(x2, 0);
    // A single pixel outside; steep segments near the held limits.
    x1 = x2 = 300, y1 = y2 = 300;
    EXPECT_FALSE(ClipLine(rc, x1, y1, x2, y2));
    x1 = -(1 << 20), y1 = -(1 << 20), x2 = 1 << 20, y2 = (1 << 20) - 1;
    EXPECT_TRUE(ClipLine(rc, x1, y1, x2, y2));
    x1 = -(1 << 20), y1 = 80, x2 = -(1 << 20) + 1, y2 = 1 << 20;
    EXPECT_FALSE(ClipLine(rc, x1, y1, x2, y2));
}

TEST(GridMappingTest, ProjectionMarksWhatTouchesTheClient) {
    CGraphLayer layer;
    const GridMapping m = Map(0, 0, 1);
    const RECT client{0, 0, 240, 160};
    CGraphLine crossing;
    crossing.m_ptStart.m_dX = 10;
    crossing.m_ptStart.m_dY = -1000;
    crossing.m_ptEnd.m_dX = 10;
    crossing.m_ptEnd.m_dY = 1000;
    CGraphLine outside = crossing;
    outside.m_ptStart.m_dX = outside.m_ptEnd.m_dX = 1000;
    layer.m_lines.m_items = {crossing, outside};
    CGraphText text;
    text.m_ptAnchor.m_dX = 148;  // y = 6: inside
    layer.m_texts.m_items = {text};
    layer.m_points.m_items.resize(2000);
    layer.m_points.m_items[0].m_dX = 1;  // drawn once: never projected
    ProjectLayer(layer, m, client);
    EXPECT_TRUE(layer.m_lines.m_items[0].m_bOnScreen);
    EXPECT_FALSE(layer.m_lines.m_items[1].m_bOnScreen);
    EXPECT_TRUE(layer.m_texts.m_items[0].m_bOnScreen);
    EXPECT_EQ(layer.m_texts.m_items[0].m_nScreenY, 6);
    EXPECT_FALSE(layer.m_points.m_items[199].m_bOnScreen);
    EXPECT_TRUE(layer.m_points.m_items[200].m_bOnScreen);
    EXPECT_EQ(layer.m_points.m_items[200].m_nScreenY, 154);
}

TEST(GridMappingTest, ScaleBarLabels) {
    EXPECT_EQ(ScaleBarLabel(0.05), CString(L"0.1"));
    EXPECT_EQ(ScaleBarLabel(0.15), CString(L"0.2"));
    EXPECT_EQ(ScaleBarLabel(4.99), CString(L"5"));
    EXPECT_EQ(ScaleBarLabel(7), CString(L"10"));
    EXPECT_EQ(ScaleBarLabel(48), CString(L"50"));
    EXPECT_EQ(ScaleBarLabel(240), CString(L"200"));
    EXPECT_EQ(ScaleBarLabel(1234), CString(L"1000"));
    EXPECT_EQ(ScaleBarLabel(24000), CString(L"20000"));
}
