#include "app/stakeout/StakeoutReadouts.h"

#include <cmath>

namespace stakeout {
namespace {

constexpr double kDegrees = 57.29577951308402;

double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

// Rounding on a position exactly on the line can leave a square a hair
// below zero.
double SafeSqrt(double v) {
    return v > 0.0 ? std::sqrt(v) : 0.0;
}

CString Fixed3(double v) {
    CString text;
    text.Format(L"%.3f", v);
    return text;
}

}  // namespace

CString WordAndMagnitude(LPCTSTR word, double magnitude) {
    CString text;
    text.Format(L"%s%.3f", word, magnitude == 0.0 ? 0.0 : magnitude);
    return text;
}

CString FormatAzimuth(double degrees) {
    int deg = static_cast<int>(degrees);
    const double fraction = degrees - deg;
    int minutes = static_cast<int>(60.0 * fraction);
    double seconds = 60.0 * (60.0 * fraction - minutes);
    if (std::fabs(seconds - 60.0) < 0.0001) {
        seconds = 0.0;
        ++minutes;
        if (std::fabs(minutes - 60.0) < 0.0001) {
            minutes = 0;
            ++deg;
        }
    }
    CString text;
    text.Format(L"%d°%02d'%02d\"", deg, minutes, static_cast<int>(seconds));
    return text;
}

PointReadouts ComputePointReadouts(const PointRecord& target, double fixX, double fixY,
                                   double fixGridH, BOOL useAntHeight, double antHeight) {
    PointReadouts r;
    r.dN = target.dX - fixX;
    r.dE = target.dY - fixY;
    r.dx = r.dN >= 0.0 ? WordAndMagnitude(L"北", r.dN) : WordAndMagnitude(L"南", -r.dN);
    r.dy = r.dE >= 0.0 ? WordAndMagnitude(L"东", r.dE) : WordAndMagnitude(L"西", -r.dE);
    r.dH = useAntHeight ? target.dH - (fixGridH - antHeight) : target.dH - fixGridH;
    r.dh = Fixed3(r.dH);
    r.d = std::sqrt(r.dN * r.dN + r.dE * r.dE);
    r.distance = Fixed3(r.d);
    double a = std::atan2(r.dE, r.dN) * kDegrees;
    if (a < 0.0) a += 360.0;
    r.azimuth = FormatAzimuth(a);
    return r;
}

PointPromptStep StepPointPrompt(double distance, double maxPrompt, int soundPrompt, int& sounded) {
    PointPromptStep step;
    if (distance < maxPrompt) {
        step.drawRings = true;
        if (soundPrompt && !sounded) {
            step.sound = true;
            sounded = 1;
        }
    } else if (soundPrompt) {
        sounded = 0;
    }
    return step;
}

Foot PerpendicularFoot(double x1, double y1, double x2, double y2, double px, double py) {
    Foot f;
    if (std::fabs(x1 - x2) < 1e-6) {
        f.x = x1;
        f.y = py;
    } else if (std::fabs(y1 - y2) < 1e-6) {
        f.x = px;
        f.y = y1;
    } else {
        const double k = (y2 - y1) / (x2 - x1);
        const double c = y1 - k * x1;
        f.x = (py + px / k - c) / (k + 1.0 / k);
        f.y = k * f.x + c;
    }
    if (std::fabs(x1 - x2) < 1e-6)
        f.inside = (f.y > y1 && f.y < y2) || (f.y > y2 && f.y < y1);
    else
        f.inside = (f.x > x1 && f.x < x2) || (f.x > x2 && f.x < x1);
    return f;
}

LineReadouts ComputeLineReadouts(const StakeLine& line, double px, double py, BOOL showPlumb) {
    LineReadouts r;
    const double sx = line.start.dX, sy = line.start.dY;
    const double ex = line.end.dX, ey = line.end.dY;
    const double L = Distance(sx, sy, ex, ey);
    if (!(L > 1e-9) || !std::isfinite(L) || !std::isfinite(px) || !std::isfinite(py)) return r;
    r.valid = true;
    double A = std::atan2(ey - sy, ex - sx) * kDegrees;
    if (A < 1e-9) A += 360.0;
    const double dS = Distance(sx, sy, px, py);
    const double dE = Distance(ex, ey, px, py);
    const double s = (L + dE + dS) / 2.0;
    const double h = 2.0 * SafeSqrt(s * (s - L) * (s - dE) * (s - dS)) / L;
    double B = std::atan2(py - sy, px - sx) * kDegrees;
    if (B < 1e-9) B += 360.0;
    bool right;
    if (A < 180.0)
        right = A < B && B < A + 180.0;
    else
        right = !(A - 180.0 < B && B < A);
    r.offsetDist = h;
    r.offset = WordAndMagnitude(right ? L"右" : L"左", h);
    const double aS = SafeSqrt(dS * dS - h * h);
    const double aE = SafeSqrt(dE * dE - h * h);
    r.along = aS;
    double DS = showPlumb ? aS : dS;
    double DE = showPlumb ? aE : dE;
    if (L * L + DS * DS - DE * DE < 0.0) DS = -DS;
    if (L * L + DE * DE - DS * DS < 0.0) DE = -DE;
    r.startDist = Fixed3(DS);
    r.endDist = Fixed3(DE);
    const double chainage = DS < 1e-6 ? line.chainage - aS : line.chainage + aS;
    r.chainage.Format(L"%.2f", chainage);
    if (DS < 0.0 || DE < 0.0) {
        r.dx = L"在直线外";
        return r;
    }
    const double fx = sx + (ex - sx) * aS / L;
    const double fy = sy + (ey - sy) * aS / L;
    const double dx = px - fx, dy = py - fy;
    r.dx = dx > 0.0 ? WordAndMagnitude(L"南", dx) : WordAndMagnitude(L"北", -dx);
    r.dy = dy > 0.0 ? WordAndMagnitude(L"西", dy) : WordAndMagnitude(L"东", -dy);
    return r;
}

LinePromptStep StepLinePrompt(const StakeLine& line, double px, double py, double along,
                              double maxPrompt, int soundPrompt, int intMilPrompt,
                              double intMileage, LinePromptState& state) {
    LinePromptStep step;
    const double L = Distance(line.start.dX, line.start.dY, line.end.dX, line.end.dY);
    if (!(L > 1e-9) || !std::isfinite(px) || !std::isfinite(py)) return step;
    const Foot f =
        PerpendicularFoot(line.start.dX, line.start.dY, line.end.dX, line.end.dY, px, py);
    if (f.inside) {
        const double d = Distance(px, py, f.x, f.y);
        if (d < maxPrompt) {
            if (soundPrompt && state.nearPlayed == 0) {
                step.sound = true;
                state.nearPlayed = 1;
            }
            step.drawGuides = true;
        } else if (soundPrompt) {
            state.nearPlayed = 0;
        }
    }
    if (intMilPrompt && std::isfinite(intMileage) && std::isfinite(along) && along < 2e9 &&
        intMileage < 2e9) {
        const long long n = static_cast<long long>(intMileage);
        // An interval below one metre (an older settings file gives 0) has
        // no whole chainage to announce.
        if (n > 0) {
            const long long a = static_cast<long long>(along);
            if (a % n != 0) {
                state.chainageArmed = 1;
            } else if (state.chainageArmed == 1) {
                step.chainageSound = true;
                state.chainageArmed = 0;
            }
        }
    }
    return step;
}

}  // namespace stakeout
