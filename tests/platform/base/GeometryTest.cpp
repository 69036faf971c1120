// Points, sizes and half-open rectangles.
#include "platform/base/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, PointInsideIsHalfOpen) {
    const CRect r(10, 20, 30, 40);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
    EXPECT_FALSE(r.PtInRect(CPoint(9, 25)));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(CRect, NormalizeInflateDeflateOffset) {
    CRect r(30, 40, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    r.DeflateRect(6, 6);
    EXPECT_EQ(r, CRect(16, 26, 24, 34));
    r.InflateRect(10, 10);
    EXPECT_EQ(r, CRect(6, 16, 34, 44));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(7, 18, 31, 40));
    r.OffsetRect(-7, 2);
    EXPECT_EQ(r, CRect(0, 20, 24, 42));
    r += CPoint(1, 1);
    EXPECT_EQ(r.TopLeft(), CPoint(1, 21));
    EXPECT_EQ(r.Size(), CSize(24, 22));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r.BottomRight(), CPoint(24, 22));
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull());
}

TEST(CRect, IntersectAndUnion) {
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));  // touching
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(0, 0, 20, 20));
    EXPECT_TRUE(r.UnionRect(CRect(), CRect(1, 2, 3, 4)));  // an empty one adds nothing
    EXPECT_EQ(r, CRect(1, 2, 3, 4));
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(5, 5, 5, 9)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(2, 2, 4, 4), CRect(2, 2, 4, 4));
    EXPECT_EQ(CRect(0, 0, 1, 1) | CRect(2, 2, 4, 4), CRect(0, 0, 4, 4));
    EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
}

TEST(CRect, FreeFunctionsAndConversions) {
    RECT raw{};
    EXPECT_TRUE(SetRect(&raw, 1, 2, 3, 4));
    CRect r(raw);
    EXPECT_TRUE(EqualRect(r, &raw));
    EXPECT_TRUE(OffsetRect(&raw, 1, 1));
    EXPECT_TRUE(InflateRect(&raw, 1, 1));
    EXPECT_EQ(CRect(raw), CRect(1, 2, 5, 6));
    RECT copy{};
    EXPECT_TRUE(CopyRect(&copy, &raw));
    EXPECT_FALSE(CopyRect(nullptr, &raw));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(SetRectEmpty(nullptr));
    EXPECT_EQ(CRect(CPoint(1, 1), CSize(2, 3)), CRect(1, 1, 3, 4));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 5) + CSize(1, 1), CPoint(6, 6));
    EXPECT_EQ(-CSize(1, 2), CSize(-1, -2));
    LPRECT p = r;
    EXPECT_EQ(p->left, 1);
}

}  // namespace
