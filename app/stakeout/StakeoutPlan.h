// The plan maths the two stake-out screens share: the north-up mapping of
// a view (origin E0, N0 at the drawing rectangle's bottom-left corner,
// metres per pixel), its zooms, the position marker's shape, the prompt
// rings, the guide lines beside a line and the scale bar's label.
//
// A view never holds a scale of 0 or one that is not finite (it becomes
// 0.01), and a mapped point saturates at +-1,000,000 pixels, so that no
// position, however far, turns into an undefined integer.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace stakeout {

inline constexpr double kMinScale = 0.01;

struct PlanView {
    double e0 = 0.0;
    double n0 = 0.0;
    double scale = 1.0;
    RECT rect{};  // the drawing rectangle

    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
    POINT ToScreen(double n, double e) const;
    bool Contains(POINT p) const;  // inside the drawing rectangle
    void SetScale(double s);       // 0 or not finite: the minimum
    // The view's centre on (n, e) at the current scale.
    void Centre(double n, double e);
    void ZoomIn();   // centre kept, scale x 0.75
    void ZoomOut();  // centre kept, scale x 1.25
    // Extents of the points, ratio at least 0.01, then x 1.1, centred.
    // FALSE (nothing changed) without points.
    bool ZoomToExtent(const std::vector<std::pair<double, double>>& points);
    // The rectangle spanned by two screen points becomes the view.
    void ZoomWindow(POINT a, POINT b);
    // A stylus drag from `from` to `to` moves the plan with it.
    void Drag(POINT from, POINT to);
};

// The point screen's auto-pan; TRUE when the view changed.
bool AutoPanPoint(PlanView& view, double pn, double pe, bool hasTarget, double tn, double te);
// The line screen's: `tn`, `te` is the foot on the segment or the line's
// middle.
bool AutoPanLine(PlanView& view, double pn, double pe, bool hasLine, double tn, double te);

// The position symbol: none, a standing circle (one point) or an arrow
// along the motion (dot, tip, two back corners).
struct MarkerShape {
    int count = 0;
    POINT pts[4]{};
};
// dN, dE: the move since the previous position; `single`: a SINGLE fix.
// count 0 when the move is below 1e-6 m in both axes (nothing drawn).
MarkerShape ComputeMarker(const PlanView& view, double n, double e, double dN, double dE,
                          bool single, bool hasPrevious);

// Radii in pixels of the prompt rings around a target at `centre`; none
// unless 0.0001 <= min < max. Rings at a radius already drawn or wholly
// outside the drawing rectangle are left out, and never more than 500.
std::vector<int> PromptRingRadii(const PlanView& view, POINT centre, double minPrompt,
                                 double maxPrompt);

// The offsets (metres, positive) of the guide lines on each side of a line;
// none unless maxPrompt >= minPrompt, maxPrompt >= 0 and minPrompt >
// 0.0001. Offsets one pixel apart or less and lines wholly outside the
// plan are left out, and never more than 500 per side.
std::vector<double> GuideLineOffsets(const PlanView& view, double sn, double se, double en,
                                     double ee, double minPrompt, double maxPrompt);

}  // namespace stakeout
