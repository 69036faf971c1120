// One-pixel and wide lines, pen styles and clipping.
#include <gtest/gtest.h>

#include "tests/platform/gdi/MemoryCanvas.h"

namespace quorvel::gdi::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(Lines, EveryOctantStartsAtTheStartAndLeavesTheEndPointOut) {
    const POINT ends[] = {{16, 13}, {13, 16}, {7, 16}, {4, 13}, {4, 7}, {7, 4}, {13, 4}, {16, 7}};
    for (const POINT& end : ends) {
        MemoryCanvas canvas(21, 21);
        MoveToEx(canvas.dc(), 10, 10, nullptr);
        LineTo(canvas.dc(), end.x, end.y);
        SCOPED_TRACE(::testing::Message() << "to " << end.x << "," << end.y << "\n"
                                          << canvas.Art());
        EXPECT_EQ(canvas.At(10, 10), kBlack);
        EXPECT_EQ(canvas.At(end.x, end.y), kWhite);
        // One pixel per step along the longer axis, the end step left out.
        EXPECT_EQ(canvas.Count(kBlack), 6);
        POINT pos{};
        GetCurrentPositionEx(canvas.dc(), &pos);
        EXPECT_EQ(pos.x, end.x);
        EXPECT_EQ(pos.y, end.y);
    }
}

TEST(Lines, ShallowLineStepsEvenly) {
    MemoryCanvas canvas(9, 4);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 8, 3);
    EXPECT_EQ(canvas.Art(),
              "##.......\n"
              "..###....\n"
              ".....##..\n"
              ".......#.\n");
}

TEST(Lines, ClosedPathDrawsEachVertexOnceSoInvertingTwiceRestores) {
    MemoryCanvas canvas(20, 20);
    const POINT star[] = {{10, 1}, {15, 18}, {2, 7}, {18, 7}, {5, 18}, {10, 1}};
    SetROP2(canvas.dc(), R2_NOT);
    Polyline(canvas.dc(), star, 6);
    const int inverted = canvas.Count(kBlack);
    EXPECT_GT(inverted, 50);
    // Vertices are drawn once: a path whose segments cross only at vertices
    // and mid-segment shows every vertex inverted.
    EXPECT_EQ(canvas.At(15, 18), kBlack);
    EXPECT_EQ(canvas.At(2, 7), kBlack);
    Polyline(canvas.dc(), star, 6);
    EXPECT_EQ(canvas.Count(kWhite), 400);
}

TEST(Lines, WidePenCoversItsWidthWithRoundEnds) {
    MemoryCanvas canvas(12, 7);
    Selected pen(canvas.dc(), CreatePen(PS_SOLID, 5, kBlack));
    MoveToEx(canvas.dc(), 2, 3, nullptr);
    LineTo(canvas.dc(), 9, 3);
    EXPECT_EQ(canvas.Art(),
              "............\n"
              ".##########.\n"
              "############\n"
              "############\n"
              "############\n"
              ".##########.\n"
              "............\n");
}

TEST(Lines, EvenWidthPenLiesAboveAndLeftOfThePath) {
    MemoryCanvas canvas(8, 6);
    Selected pen(canvas.dc(), CreatePen(PS_SOLID, 2, kBlack));
    MoveToEx(canvas.dc(), 2, 3, nullptr);
    LineTo(canvas.dc(), 5, 3);
    EXPECT_EQ(canvas.Art(),
              "........\n"
              "........\n"
              ".#####..\n"
              ".#####..\n"
              "........\n"
              "........\n");
}

TEST(Lines, DashAndDotPatternsWithOpaqueAndTransparentGaps) {
    MemoryCanvas canvas(30, 3);
    SetBkColor(canvas.dc(), kRed);
    {
        Selected pen(canvas.dc(), CreatePen(PS_DASH, 0, kBlack));
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 30, 0);
        SetBkMode(canvas.dc(), TRANSPARENT);
        MoveToEx(canvas.dc(), 0, 1, nullptr);
        LineTo(canvas.dc(), 30, 1);
    }
    Selected pen(canvas.dc(), CreatePen(PS_DOT, 1, kBlack));
    MoveToEx(canvas.dc(), 0, 2, nullptr);
    LineTo(canvas.dc(), 30, 2);
    EXPECT_EQ(canvas.Art(),
              "##################rrrrrr######\n"
              "##################......######\n"
              "###...###...###...###...###...\n");
}

TEST(Lines, DashPatternContinuesFromOneSegmentToTheNext) {
    MemoryCanvas canvas(30, 1);
    SetBkMode(canvas.dc(), TRANSPARENT);
    Selected pen(canvas.dc(), CreatePen(PS_DOT, 1, kBlack));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 4, 0);
    LineTo(canvas.dc(), 30, 0);
    EXPECT_EQ(canvas.Art(), "###...###...###...###...###...\n");
}

TEST(Lines, NullPenDrawsNothing) {
    MemoryCanvas canvas(10, 10);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 9, 9);
    EXPECT_EQ(canvas.Count(kWhite), 100);
}

// Clipping never changes which pixels a figure has, only which are shown:
// a scene drawn partly outside a small bitmap matches the same part of it
// drawn on a large one.
TEST(Clipping, PartlyOutsideFiguresMatchTheSamePartDrawnWhole) {
    auto scene = [](HDC dc) {
        Selected pen(dc, CreatePen(PS_SOLID, 3, RGB(0, 0, 255)));
        MoveToEx(dc, -15, -7, nullptr);
        LineTo(dc, 40, 31);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, -8, 5, 20, 45);
        const POINT tri[] = {{30, -10}, {45, 20}, {5, 12}};
        Polygon(dc, tri, 3);
    };
    MemoryCanvas whole(80, 80);
    SetViewportOrgEx(whole.dc(), 30, 30, nullptr);
    scene(whole.dc());
    MemoryCanvas part(20, 20);
    scene(part.dc());
    MemoryCanvas cut(20, 20);
    BitBlt(cut.dc(), 0, 0, 20, 20, whole.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(part.Art(), cut.Art());
}

// Lines are walked only where they can show; the pixels shown must be those
// of the whole line, its dash pattern included.
TEST(Clipping, RandomLinesShowTheSamePixelsThroughASmallWindow) {
    uint32_t seed = 7;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range)) - range / 2;
    };
    MemoryCanvas whole(700, 700), part(30, 30);
    SetViewportOrgEx(whole.dc(), 335, 335, nullptr);
    for (HDC dc : {whole.dc(), part.dc()}) SetBkColor(dc, kRed);
    for (int i = 0; i < 300; ++i) {
        const POINT a{next(700), next(700)}, b{next(700), next(700)};
        for (HDC dc : {whole.dc(), part.dc()}) {
            HPEN pen =
                CreatePen(i % 3 == 0 ? PS_DASHDOT : PS_SOLID, 1, RGB(0, i % 256, 255 - i % 256));
            HGDIOBJ old = SelectObject(dc, pen);
            SetROP2(dc, i % 2 ? R2_XORPEN : R2_COPYPEN);
            MoveToEx(dc, a.x, a.y, nullptr);
            LineTo(dc, b.x, b.y);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
    }
    MemoryCanvas cut(30, 30);
    BitBlt(cut.dc(), 0, 0, 30, 30, whole.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(part.Snapshot(), cut.Snapshot());
}

// Zoomed far in, a plan hands over coordinates millions of pixels away;
// drawing them costs no more than drawing what shows.
TEST(Clipping, FarAwayCoordinatesDrawOnlyWhatShows) {
    MemoryCanvas canvas(20, 20);
    HDC dc = canvas.dc();
    MoveToEx(dc, -1000000000, -1000000000, nullptr);
    LineTo(dc, 1000000000, 1000000000);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(canvas.At(i, i), kBlack);
    EXPECT_EQ(canvas.Count(kBlack), 20);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, -900000000, -900000000, 900000000, 900000000);  // all of it off the screen
    EXPECT_EQ(canvas.Count(kBlack), 20);
    {
        Selected brush(dc, CreateSolidBrush(kRed));
        Ellipse(dc, -900000000, -900000000, 900000000, 900000000);
        const POINT wedge[] = {{-700000000, 0}, {700000000, 0}, {0, 600000000}};
        Polygon(dc, wedge, 3);
        RoundRect(dc, -800000000, 10, 800000000, 900000000, 40000, 40000);
    }
    // Red inside; the wedge's top edge along row 0 and the rounded
    // rectangle's along row 10 are the only outline that shows.
    EXPECT_EQ(canvas.Count(kRed), 20 * 20 - 2 * 20);
    EXPECT_EQ(canvas.At(7, 0), kBlack);
    EXPECT_EQ(canvas.At(7, 10), kBlack);
    Selected pen(dc, CreatePen(PS_SOLID, 4, kBlack));
    MoveToEx(dc, -600000000, 5, nullptr);
    LineTo(dc, 600000000, 5);
    EXPECT_EQ(canvas.At(7, 2), kRed);
    for (int y = 3; y <= 6; ++y) EXPECT_EQ(canvas.At(7, y), kBlack);
    EXPECT_EQ(canvas.At(7, 7), kRed);
}

TEST(Clipping, IntersectAndExcludeClipRectLimitDrawing) {
    MemoryCanvas canvas(10, 6);
    IntersectClipRect(canvas.dc(), 2, 1, 8, 5);
    ExcludeClipRect(canvas.dc(), 4, 2, 6, 4);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.bottom, 5);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(canvas.dc(), 0, 0, 10, 6);
    EXPECT_EQ(canvas.Art(),
              "..........\n"
              "..######..\n"
              "..##..##..\n"
              "..##..##..\n"
              "..######..\n"
              "..........\n");
    SelectClipRgn(canvas.dc(), nullptr);
    HRGN region = CreateRectRgn(0, 0, 1, 6);
    SelectClipRgn(canvas.dc(), region);
    DeleteObject(region);
    FillSolidRect(canvas.dc(), 0, 0, 10, 6, kRed);
    EXPECT_EQ(canvas.Count(kRed), 6);
}

TEST(Clipping, SaveAndRestoreBringBackClipObjectsAndModes) {
    MemoryCanvas canvas(10, 10);
    const int saved = SaveDC(canvas.dc());
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ before = SelectObject(canvas.dc(), pen);
    SetROP2(canvas.dc(), R2_NOT);
    SetTextColor(canvas.dc(), kRed);
    IntersectClipRect(canvas.dc(), 0, 0, 1, 1);
    SetViewportOrgEx(canvas.dc(), 3, 3, nullptr);
    ASSERT_TRUE(RestoreDC(canvas.dc(), saved));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), before);
    EXPECT_EQ(GetROP2(canvas.dc()), R2_COPYPEN);
    EXPECT_EQ(GetTextColor(canvas.dc()), kBlack);
    POINT origin{};
    GetViewportOrgEx(canvas.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    EXPECT_FALSE(RestoreDC(canvas.dc(), -1));
    DeleteObject(pen);
}

}  // namespace
}  // namespace quorvel::gdi::test
