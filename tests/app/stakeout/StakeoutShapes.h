// The lines, plans and texts the stake-out tests build their cases from.
#pragma once

#include <string>

#include "app/stakeout/StakeoutPlan.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "platform/base/TextConv.h"

namespace stakeouttest {

inline std::string U8(const CString& s) {
    return quorvel::ToUtf8(s.GetString());
}

inline PointRecord Pt(LPCTSTR name, double x, double y, double h = 0.0, LPCTSTR code = L"") {
    PointRecord p;
    p.strName = name;
    p.dX = x;
    p.dY = y;
    p.dH = h;
    p.strCode = code;
    return p;
}

// A line from S (sx, sy) to E (ex, ey) whose start has chainage `k0`.
inline stakeout::StakeLine Line(double sx, double sy, double ex, double ey, double k0 = 0.0) {
    stakeout::StakeLine l;
    l.start = Pt(L"S", sx, sy);
    l.end = Pt(L"E", ex, ey);
    l.chainage = k0;
    return l;
}

// A 200 × 150 plan at `scale` metres a pixel.
inline stakeout::PlanView View(double scale) {
    stakeout::PlanView v;
    v.rect = {0, 0, 200, 150};
    v.scale = scale;
    return v;
}

}  // namespace stakeouttest
