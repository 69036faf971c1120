// The small plans' mapping and zooms, on a drawing rectangle of 200 x 100
// pixels with its bottom-left corner at (10, 110).
#include <gtest/gtest.h>

#include "app/tools/ToolPlan.h"

namespace {

tools::PlanView View() {
    tools::PlanView v;
    v.rect = CRect(10, 10, 210, 110);
    return v;
}

TEST(ToolPlanTest, ZoomAllPutsTheExtentsOnTheBottomLeftAndFloorsTheScale) {
    tools::PlanView v = View();
    v.ZoomAll({{100, 200}, {150, 600}});  // 50 m north over 100 px, 400 m east over 200
    EXPECT_DOUBLE_EQ(v.scale, 2.0);
    EXPECT_EQ(v.ToScreen(100, 200), CPoint(10, 110));
    EXPECT_EQ(v.ToScreen(150, 600), CPoint(210, 85));
    EXPECT_TRUE(v.Shows(CPoint(10, 110)));
    EXPECT_FALSE(v.Shows(CPoint(211, 110)));
    v.ZoomAll({{5, 5}, {5, 5}});
    EXPECT_DOUBLE_EQ(v.scale, 0.01);
    EXPECT_EQ(v.ToScreen(5, 5), CPoint(10, 110));
}

TEST(ToolPlanTest, ZoomsKeepTheCentreAndAWindowFillsTheDrawing) {
    tools::PlanView v = View();
    v.scale = 1.0;
    const CPoint centre(110, 60);
    // The world point at the centre: north 50, east 100.
    v.Zoom(0.75);
    EXPECT_DOUBLE_EQ(v.scale, 0.75);
    EXPECT_EQ(v.ToScreen(50, 100), centre);
    v.Zoom(1.25);
    EXPECT_DOUBLE_EQ(v.scale, 0.9375);
    EXPECT_EQ(v.ToScreen(50, 100), centre);
    tools::PlanView w = View();
    // A window of 50 x 25 pixels from (60, 85) to (110, 60): four times in.
    w.WindowZoom(CPoint(110, 60), CPoint(60, 85));
    EXPECT_DOUBLE_EQ(w.scale, 0.25);
    EXPECT_DOUBLE_EQ(w.originN, 25.0);
    EXPECT_DOUBLE_EQ(w.originE, 50.0);
    // A window of one pixel stops at the lowest scale.
    w.WindowZoom(CPoint(60, 60), CPoint(60, 60));
    EXPECT_DOUBLE_EQ(w.scale, 0.01);
}

TEST(ToolPlanTest, PanFollowsTheStylusAndATapFindsTheFirstNearPoint) {
    tools::PlanView v = View();
    v.Pan(CPoint(50, 50), CPoint(60, 40));  // right and up by 10 pixels
    EXPECT_DOUBLE_EQ(v.originE, -10.0);
    EXPECT_DOUBLE_EQ(v.originN, -10.0);
    EXPECT_EQ(v.ToScreen(0, 0), CPoint(20, 100));
    const std::vector<CPoint> screen = {CPoint(100, 100), CPoint(103, 103), CPoint(3, 4)};
    EXPECT_EQ(tools::HitPoint(screen, CPoint(102, 102)), 0);  // both near: the first
    EXPECT_EQ(tools::HitPoint(screen, CPoint(0, 0)), -1);     // exactly 5 away
    EXPECT_EQ(tools::HitPoint(screen, CPoint(0, 1)), 2);      // 4.24
    EXPECT_EQ(tools::HitPoint(screen, CPoint(96, 102)), 0);   // 4.47
}

}  // namespace
