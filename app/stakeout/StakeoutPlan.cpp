#include "app/stakeout/StakeoutPlan.h"

#include <algorithm>
#include <cmath>

namespace stakeout {
namespace {

constexpr double kLimitPx = 1000000.0;
// Rings, or guide lines a side.
constexpr size_t kMaxPromptMarks = 500;
// A kept mark costs at most four turns (NextMultiple); twice that bounds
// the loops whatever the prompts and the scale.
constexpr int kMaxPromptTurns = 8 * static_cast<int>(kMaxPromptMarks);

int Saturate(double v) {
    if (!(v > -kLimitPx)) return v != v ? static_cast<int>(kLimitPx) : -static_cast<int>(kLimitPx);
    if (v > kLimitPx) return static_cast<int>(kLimitPx);
    return static_cast<int>(v);
}

// The rings and guide lines are multiples k of a prompt distance `metres`.
// After multiple `k` fell short of `pixels` on the plan: the next multiple
// worth looking at. A prompt far finer than a pixel puts millions of
// multiples on one pixel; the jump lands two short of the first multiple
// that may reach `pixels`, so rounding never skips it and what is kept is
// what stepping one by one keeps. A kept multiple then costs at most four
// turns. Past 2^53 adding one no longer changes k: the next double does.
double NextMultiple(double k, double pixels, double scale, double metres) {
    const double next = std::max(k + 1.0, std::nextafter(k, HUGE_VAL));
    return std::max(next, std::floor(pixels * scale / metres) - 1.0);
}

// The offset of the plan's corner farthest from the line: beyond it a
// shifted line cannot cross the plan.
double FarthestCornerOffset(const PlanView& view, double sn, double se, double en, double ee,
                            double L) {
    double far = 0.0;
    const RECT& r = view.rect;
    const double corners[4][2] = {{static_cast<double>(r.left), static_cast<double>(r.top)},
                                  {static_cast<double>(r.right), static_cast<double>(r.top)},
                                  {static_cast<double>(r.left), static_cast<double>(r.bottom)},
                                  {static_cast<double>(r.right), static_cast<double>(r.bottom)}};
    for (const auto& c : corners) {
        const double ce = view.e0 + (c[0] - r.left) * view.scale;
        const double cn = view.n0 + (r.bottom - c[1]) * view.scale;
        far = std::max(far, std::fabs((en - sn) * (ce - se) - (ee - se) * (cn - sn)) / L);
    }
    return far;
}

double PixelDistance(POINT a, POINT b) {
    const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

POINT PlanView::ToScreen(double n, double e) const {
    POINT p;
    p.x = Saturate((e - e0) / scale + rect.left);
    p.y = Saturate(rect.bottom - (n - n0) / scale);
    return p;
}

bool PlanView::Contains(POINT p) const {
    return p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom;
}

void PlanView::SetScale(double s) {
    scale = (std::isfinite(s) && s > 0.0) ? s : kMinScale;
}

void PlanView::Centre(double n, double e) {
    n0 = n - Height() * scale / 2.0;
    e0 = e - Width() * scale / 2.0;
}

void PlanView::ZoomIn() {
    e0 += Width() * scale / 8.0;
    n0 += Height() * scale / 8.0;
    SetScale(scale * 0.75);
}

void PlanView::ZoomOut() {
    e0 -= Width() * scale / 8.0;
    n0 -= Height() * scale / 8.0;
    SetScale(scale * 1.25);
}

bool PlanView::ZoomToExtent(const std::vector<std::pair<double, double>>& points) {
    if (points.empty()) return false;
    double minN = points[0].first, maxN = minN, minE = points[0].second, maxE = minE;
    for (const auto& [n, e] : points) {
        if (!std::isfinite(n) || !std::isfinite(e)) continue;
        minN = std::min(minN, n);
        maxN = std::max(maxN, n);
        minE = std::min(minE, e);
        maxE = std::max(maxE, e);
    }
    const double h = std::max(1, Height()), w = std::max(1, Width());
    const double ratio = std::max({(maxN - minN) / h, (maxE - minE) / w, kMinScale});
    SetScale(1.1 * ratio);
    Centre((minN + maxN) / 2.0, (minE + maxE) / 2.0);
    return true;
}

void PlanView::ZoomWindow(POINT a, POINT b) {
    const int minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
    const int minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
    n0 += (rect.bottom - maxY) * scale;
    e0 += (minX - rect.left) * scale;
    const double h = std::max(1, Height()), w = std::max(1, Width());
    SetScale(std::max({(maxY - minY) * scale / h, (maxX - minX) * scale / w, kMinScale}));
}

void PlanView::Drag(POINT from, POINT to) {
    n0 -= (from.y - to.y) * scale;
    e0 -= (to.x - from.x) * scale;
}

bool AutoPanPoint(PlanView& view, double pn, double pe, bool hasTarget, double tn, double te) {
    const POINT pp = view.ToScreen(pn, pe);
    if (!hasTarget) {
        if (view.Contains(pp)) return false;
        view.Centre(pn, pe);
        return true;
    }
    const POINT tp = view.ToScreen(tn, te);
    const double dN = tn - pn, dE = te - pe;
    if (view.Contains(pp) && view.Contains(tp) && view.scale <= 50000.0) {
        if (std::sqrt(dN * dN + dE * dE) <= 0.2 || PixelDistance(pp, tp) >= 20.0) return false;
    }
    const double h = std::max(1, view.Height() - 12), w = std::max(1, view.Width() - 12);
    view.SetScale(std::max(2.5 * std::max(std::fabs(dN) / h, std::fabs(dE) / w), kMinScale));
    view.Centre(tn, te);
    return true;
}

bool AutoPanLine(PlanView& view, double pn, double pe, bool hasLine, double tn, double te) {
    if (!hasLine) {
        const double cn = view.n0 + view.Height() * view.scale / 2.0;
        const double ce = view.e0 + view.Width() * view.scale / 2.0;
        if (std::fabs(pn - cn) > view.Height() * view.scale / 2.0 ||
            std::fabs(pe - ce) > view.Width() * view.scale / 2.0) {
            view.Centre(pn, pe);
            return true;
        }
        return false;
    }
    if (view.Contains(view.ToScreen(pn, pe)) && view.Contains(view.ToScreen(tn, te))) return false;
    const double h = std::max(1, view.Height() - 10), w = std::max(1, view.Width() - 10);
    view.SetScale(
        std::max(2.0 * std::max(std::fabs(pn - tn) / h, std::fabs(pe - te) / w), kMinScale));
    view.Centre(tn, te);
    return true;
}

MarkerShape ComputeMarker(const PlanView& view, double n, double e, double dN, double dE,
                          bool single, bool hasPrevious) {
    MarkerShape shape;
    if (hasPrevious && std::fabs(dN) < 1e-6 && std::fabs(dE) < 1e-6) return shape;
    const double m = std::sqrt(dN * dN + dE * dE);
    const bool standing = !hasPrevious || !std::isfinite(m) || (single && m < 0.1) || m < 0.02;
    shape.pts[0] = view.ToScreen(n, e);
    if (standing) {
        shape.count = 1;
        return shape;
    }
    double a = std::atan2(dN, dE) + 3.1415926535897;
    if (a < 0.0) a += 6.2831853071794;
    const double step = 15.0 * view.scale / m;
    const POINT tip = view.ToScreen(n + dN * step, e + dE * step);
    shape.pts[1] = tip;
    shape.pts[2] = {tip.x + static_cast<int>(25.0 * std::cos(a - 0.25)),
                    tip.y + static_cast<int>(-25.0 * std::sin(a - 0.25))};
    shape.pts[3] = {tip.x + static_cast<int>(25.0 * std::cos(a + 0.25)),
                    tip.y + static_cast<int>(-25.0 * std::sin(a + 0.25))};
    shape.count = 4;
    return shape;
}

std::vector<int> PromptRingRadii(const PlanView& view, POINT centre, double minPrompt,
                                 double maxPrompt) {
    std::vector<int> radii;
    if (!(minPrompt >= 0.0001 && minPrompt < maxPrompt) || !std::isfinite(maxPrompt)) return radii;
    // The rectangle's nearest and farthest pixels from the centre: a ring
    // outside that band does not cross the plan.
    const RECT& r = view.rect;
    const double nx = std::clamp<double>(centre.x, r.left, r.right);
    const double ny = std::clamp<double>(centre.y, r.top, r.bottom);
    const double near = std::hypot(nx - centre.x, ny - centre.y);
    const double far = std::max(std::fabs(static_cast<double>(centre.x) - r.left),
                                std::fabs(static_cast<double>(centre.x) - r.right)) +
                       std::max(std::fabs(static_cast<double>(centre.y) - r.top),
                                std::fabs(static_cast<double>(centre.y) - r.bottom));
    const double n = std::floor(maxPrompt / minPrompt);
    const double pxPerRing = minPrompt / view.scale;
    double first = std::max(1.0, std::floor(near / pxPerRing) - 1.0);
    const bool extra = std::fabs(maxPrompt - n * minPrompt) > 0.0001;
    const double last = extra ? n + 1.0 : n;
    int previous = 0;
    double k = first;
    for (int turn = 0; turn < kMaxPromptTurns && k <= last && radii.size() < kMaxPromptMarks;
         ++turn) {
        const double px = k * minPrompt / view.scale;
        if (px > far + 1.0 || px > 1e6) break;
        const int radius = static_cast<int>(px);
        if (radius <= 0 || radius == previous || px < near - 1.0) {
            k = NextMultiple(k, std::max(previous + 1.0, near - 1.0), view.scale, minPrompt);
            continue;
        }
        radii.push_back(radius);
        previous = radius;
        k += 1.0;
    }
    return radii;
}

std::vector<double> GuideLineOffsets(const PlanView& view, double sn, double se, double en,
                                     double ee, double minPrompt, double maxPrompt) {
    std::vector<double> offsets;
    if (!(maxPrompt >= minPrompt && maxPrompt >= 0.0 && minPrompt > 0.0001) ||
        !std::isfinite(maxPrompt))
        return offsets;
    const double L = std::hypot(en - sn, ee - se);
    if (!(L > 1e-9)) return offsets;
    const double far = FarthestCornerOffset(view, sn, se, en, ee, L);
    const double n = std::floor(maxPrompt / minPrompt);
    // Pixels as whole doubles: a line far off the plan is more pixels away
    // than an int holds.
    double previous = 0.0;
    double i = 1.0;
    for (int turn = 0; turn < kMaxPromptTurns && i <= n && offsets.size() < kMaxPromptMarks;
         ++turn) {
        const double off = i * minPrompt;
        if (off > far) break;
        const double px = std::trunc(off / view.scale);
        if (px == previous) {
            i = NextMultiple(i, previous + 1.0, view.scale, minPrompt);
            continue;
        }
        offsets.push_back(off);
        previous = px;
        i += 1.0;
    }
    if (std::fabs(maxPrompt - n * minPrompt) > 0.0001 && maxPrompt <= far &&
        offsets.size() < kMaxPromptMarks && std::trunc(maxPrompt / view.scale) != previous)
        offsets.push_back(maxPrompt);
    return offsets;
}

}  // namespace stakeout
