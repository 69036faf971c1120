// Filled figures: rectangles, polygons in both fill modes, ellipses, rounded
// rectangles, and inverting raster operations on all of them.
#include <gtest/gtest.h>

#include "tests/platform/gdi/MemoryCanvas.h"

namespace quorvel::gdi::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(Rectangles, OutlineAndFillStopBeforeRightAndBottom) {
    MemoryCanvas canvas(7, 6);
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    EXPECT_EQ(canvas.Art(),
              ".......\n"
              ".#####.\n"
              ".#rrr#.\n"
              ".#rrr#.\n"
              ".#####.\n"
              ".......\n");
}

TEST(Rectangles, WithoutAPenTheFillIsOnePixelSmaller) {
    MemoryCanvas canvas(6, 6);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    Rectangle(canvas.dc(), 1, 1, 5, 5);
    EXPECT_EQ(canvas.Art(),
              "......\n"
              ".rrr..\n"
              ".rrr..\n"
              ".rrr..\n"
              "......\n"
              "......\n");
}

TEST(Rectangles, TwoPixelPenFramesAroundThePath) {
    MemoryCanvas canvas(8, 8);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Selected pen(canvas.dc(), CreatePen(PS_SOLID, 2, kBlack));
    Rectangle(canvas.dc(), 2, 2, 7, 7);
    EXPECT_EQ(canvas.Art(),
              "........\n"
              ".######.\n"
              ".######.\n"
              ".##..##.\n"
              ".##..##.\n"
              ".######.\n"
              ".######.\n"
              "........\n");
}

TEST(Polygons, AlternateLeavesTheStarsMiddleEmptyWindingFillsIt) {
    const POINT star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    for (int mode : {ALTERNATE, WINDING}) {
        MemoryCanvas canvas(40, 40);
        SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
        Selected brush(canvas.dc(), CreateSolidBrush(kRed));
        SetPolyFillMode(canvas.dc(), mode);
        Polygon(canvas.dc(), star, 5);
        SCOPED_TRACE(canvas.Art());
        EXPECT_EQ(canvas.At(20, 20), mode == WINDING ? kRed : kWhite);
        EXPECT_EQ(canvas.At(20, 6), kRed);  // top point
        EXPECT_EQ(canvas.At(6, 15), kRed);  // left point
        EXPECT_EQ(canvas.At(20, 37), kWhite);
    }
}

TEST(Polygons, FillCoversPixelCentresInsideTheEdges) {
    MemoryCanvas canvas(8, 6);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    const POINT box[] = {{1, 1}, {7, 1}, {7, 5}, {1, 5}};
    Polygon(canvas.dc(), box, 4);
    EXPECT_EQ(canvas.Count(kRed), 24);
    EXPECT_EQ(canvas.Ink(), (RECT{1, 1, 7, 5}));
}

TEST(Polygons, OutlineIsTheClosedPathOverTheFill) {
    MemoryCanvas canvas(9, 7);
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    const POINT tri[] = {{1, 1}, {7, 1}, {1, 5}};
    Polygon(canvas.dc(), tri, 3);
    EXPECT_EQ(canvas.Art(),
              ".........\n"
              ".#######.\n"
              ".#rrr##..\n"
              ".#rr#....\n"
              ".###.....\n"
              ".#.......\n"
              ".........\n");
}

TEST(Ellipses, SmallCirclesAreRoundAndSymmetric) {
    MemoryCanvas canvas(7, 7);
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    Ellipse(canvas.dc(), 1, 1, 6, 6);
    EXPECT_EQ(canvas.Art(),
              ".......\n"
              "..###..\n"
              ".#rrr#.\n"
              ".#rrr#.\n"
              ".#rrr#.\n"
              "..###..\n"
              ".......\n");
}

TEST(Ellipses, LargeCircleFitsItsBoxAndMirrorsExactly) {
    MemoryCanvas canvas(60, 44);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Ellipse(canvas.dc(), 3, 2, 57, 42);
    EXPECT_EQ(canvas.Ink(), (RECT{3, 2, 57, 42}));
    const Image image = canvas.Snapshot();
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(image.At(x, y), image.At(59 - x, y)) << x << "," << y;
            ASSERT_EQ(image.At(x, y), image.At(x, 43 - y)) << x << "," << y;
        }
    }
    // A closed thin outline: inside it a flood stays inside.
    EXPECT_EQ(canvas.At(30, 22), kWhite);
    EXPECT_EQ(canvas.At(3, 22), kBlack);
    EXPECT_EQ(canvas.At(30, 2), kBlack);
}

TEST(Ellipses, DashedCircleKeepsItsPattern) {
    MemoryCanvas canvas(40, 40);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    SetBkMode(canvas.dc(), TRANSPARENT);
    Selected pen(canvas.dc(), CreatePen(PS_DASH, 0, kBlack));
    Ellipse(canvas.dc(), 0, 0, 40, 40);
    const int dashed = canvas.Count(kBlack);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    Ellipse(canvas.dc(), 0, 0, 40, 40);
    const int solid = canvas.Count(kBlack);
    // 18 on, 6 off around the circle.
    EXPECT_NEAR(dashed, solid * 18 / 24, 8);
}

TEST(RoundRects, CornersAreQuarterEllipses) {
    MemoryCanvas canvas(14, 10);
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    RoundRect(canvas.dc(), 1, 1, 13, 9, 7, 7);
    EXPECT_EQ(canvas.Art(),
              "..............\n"
              "...########...\n"
              "..#rrrrrrrr#..\n"
              ".#rrrrrrrrrr#.\n"
              ".#rrrrrrrrrr#.\n"
              ".#rrrrrrrrrr#.\n"
              ".#rrrrrrrrrr#.\n"
              "..#rrrrrrrr#..\n"
              "...########...\n"
              "..............\n");
}

// Markers, rubber bands and selection squares are drawn and removed by
// drawing them again with R2_NOT: every figure must invert each of its
// pixels exactly once.
TEST(RasterOps, DrawingEveryFigureTwiceWithNotRestoresThePicture) {
    MemoryCanvas canvas(64, 48);
    for (int i = 0; i < 48; ++i)
        FillSolidRect(canvas.dc(), i, i / 2, 9, 3, RGB(i * 5, 80, 200 - i));
    const Image before = canvas.Snapshot();
    HDC dc = canvas.dc();
    auto figures = [&] {
        SetROP2(dc, R2_NOT);
        {
            Selected pen(dc, CreatePen(PS_DASH, 0, kBlack));
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, 4, 4, 40, 30);
        }
        {
            Selected pen(dc, CreatePen(PS_SOLID, 2, kBlack));
            Rectangle(dc, 20, 10, 29, 19);
            const POINT band[] = {{2, 40}, {60, 3}, {50, 45}, {2, 40}};
            Polyline(dc, band, 4);
        }
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Ellipse(dc, 30, 20, 35, 25);
        Ellipse(dc, 44, 30, 62, 46);
        RoundRect(dc, 8, 32, 30, 46, 6, 6);
        const POINT arrow[] = {{50, 2}, {58, 18}, {50, 12}, {42, 18}};
        Polygon(dc, arrow, 4);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 63, 47);
        const RECT focus{10, 10, 50, 20};
        DrawFocusRect(dc, &focus);
        const RECT selection{3, 40, 20, 47};
        InvertRect(dc, &selection);
    };
    figures();
    EXPECT_NE(canvas.Snapshot(), before);
    figures();
    EXPECT_EQ(canvas.Snapshot(), before);
}

TEST(RasterOps, PenOperationsCombinePenAndScreen) {
    MemoryCanvas canvas(6, 1, RGB(0x0F, 0xF0, 0x33));
    Selected pen(canvas.dc(), CreatePen(PS_SOLID, 1, RGB(0xFF, 0x0F, 0x30)));
    const int rops[] = {R2_XORPEN, R2_NOTXORPEN, R2_WHITE, R2_BLACK, R2_MASKPEN, R2_MERGEPEN};
    for (int i = 0; i < 6; ++i) {
        SetROP2(canvas.dc(), rops[i]);
        MoveToEx(canvas.dc(), i, 0, nullptr);
        LineTo(canvas.dc(), i + 1, 0);
    }
    EXPECT_EQ(canvas.At(0, 0), RGB(0xF0, 0xFF, 0x03));
    EXPECT_EQ(canvas.At(1, 0), RGB(0x0F, 0x00, 0xFC));
    EXPECT_EQ(canvas.At(2, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(4, 0), RGB(0x0F, 0x00, 0x30));
    EXPECT_EQ(canvas.At(5, 0), RGB(0xFF, 0xFF, 0x33));
}

TEST(Edges, RaisedAndSunkenEdgesInTheClassicColours) {
    MemoryCanvas canvas(6, 6, GetSysColor(COLOR_BTNFACE));
    RECT r{0, 0, 6, 6};
    DrawEdge(canvas.dc(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 4);
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(5, 0), GetSysColor(COLOR_3DDKSHADOW));  // top-right goes to the shadow
    EXPECT_EQ(canvas.At(4, 4), GetSysColor(COLOR_BTNSHADOW));
    r = RECT{0, 0, 6, 6};
    DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.At(5, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(Edges, ThreeDRectAndSolidFillLeaveTheBackgroundColour) {
    MemoryCanvas canvas(5, 4);
    Draw3dRect(canvas.dc(), 0, 0, 5, 4, kRed, kBlack);
    EXPECT_EQ(canvas.Art(),
              "rrrr#\n"
              "r...#\n"
              "r...#\n"
              "#####\n");
    EXPECT_EQ(GetBkColor(canvas.dc()), kBlack);
}

}  // namespace
}  // namespace quorvel::gdi::test
