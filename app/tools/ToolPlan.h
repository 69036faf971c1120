// The small plans of the calculation tools (the tools' graph page and the
// area dialog): north up, east right, screen x = (E - E0) / scale + left
// and screen y = bottom - (N - N0) / scale, truncated toward zero, where
// (E0, N0) is the view's origin at the drawing rectangle's bottom-left
// corner and the scale is metres per pixel. Also the marks the two plans
// draw alike.
#pragma once

#include <vector>

#include "app/tools/PlaneCalc.h"
#include "platform/framework/Afx.h"

namespace tools {

// The lowest scale any zoom gives: every extent of nought (points on one
// spot) would otherwise divide by zero later.
constexpr double kMinPlanScale = 0.01;

struct PlanView {
    double originN = 0.0;
    double originE = 0.0;
    double scale = 1.0;
    CRect rect;  // the drawing rectangle, client coordinates

    CPoint ToScreen(double x, double y) const;
    // On the drawing rectangle or inside it: zoom all puts the extents'
    // minimum corner on its bottom edge, where a point is still drawn.
    bool Shows(CPoint p) const;
    // The extents' minimum corner on the bottom-left corner, no margin.
    void ZoomAll(const std::vector<PlanePoint>& points);
    // In (factor 0.75) and out (1.25) about the centre.
    void Zoom(double factor);
    // The rectangle from press to release fills the drawing.
    void WindowZoom(CPoint press, CPoint release);
    // The view follows the stylus from `last` to `now`.
    void Pan(CPoint last, CPoint now);
    // The drawing rectangle: control `nId` of `dialog`, inset by `inset`.
    void PlaceOn(CWnd& dialog, int nId, int inset);
    // The point in the middle of the drawing (half sizes in whole pixels).
    void CentreOn(double x, double y);
};

// The stylus on a plan: a drag pans the view; once the window-zoom button
// has armed it, a drag draws the rubber band and the lift zooms to it.
struct PlanDrag {
    BOOL bWindowZoom = FALSE;
    CPoint press{-1, -1};
    CPoint band{-1, -1};
    CPoint last{-1, -1};

    void Down(CPoint point);
    // The stylus moved, the buttons in `nFlags`: the band redrawn on
    // `wnd`, or the view panned (TRUE: the plan wants repainting).
    bool Move(CWnd& wnd, PlanView& view, UINT nFlags, CPoint point);
    // The stylus lifted: TRUE when the view zoomed to the band.
    bool Up(PlanView& view, CPoint point);
};

// The first point whose screen position lies less than 5 pixels away (the
// distance's square root truncated), -1 for none.
int HitPoint(const std::vector<CPoint>& screen, CPoint at);

// A point's circle of radius 2 and its name in 8-point "宋体" in the box
// from (sx + 5, sy - 5) to (sx + 30, sy + 5).
void DrawPointMark(CDC& dc, CPoint at, const CString& name);
// The square of +-4 pixels around `at`, 2-pixel pen, inverting: drawing it
// twice leaves the plan as it was.
void DrawSelectionSquare(CDC& dc, CPoint at);
// The rubber rectangle of a window zoom: dashed, inverting.
void DrawRubberBand(CDC& dc, CPoint from, CPoint to);

}  // namespace tools
