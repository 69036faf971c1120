#include "app/stakeout/StakeoutReadouts.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "app/InputRules.h"

namespace stakeout {
namespace {

constexpr double kDegrees = 57.29577951308402;
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The binary exponent of the largest finite magnitude (0 for none). Values
// divided by its power of two lie near one, so that their squares and
// products cannot overflow for a line or a position far out; a power of two
// changes no digit, so an ordinary line reads exactly as it always has.
int CommonExponent(std::initializer_list<double> values) {
    double big = 0.0;
    for (double v : values)
        if (std::isfinite(v)) big = std::max(big, std::fabs(v));
    return big > 0.0 ? std::ilogb(big) : 0;
}

double Distance(double x1, double y1, double x2, double y2) {
    const double dx = x1 - x2, dy = y1 - y2;
    const int e = CommonExponent({dx, dy});
    const double sx = std::ldexp(dx, -e), sy = std::ldexp(dy, -e);
    return std::ldexp(std::sqrt(sx * sx + sy * sy), e);
}

// Rounding on a position exactly on the line can leave a square a hair
// below zero.
double SafeSqrt(double v) {
    return v > 0.0 ? std::sqrt(v) : 0.0;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Heron's formula: the height over side `l` of the triangle with sides l,
// a and b.
double HeronHeight(double l, double a, double b) {
    if (!AllFinite({l, a, b})) return kNotANumber;
    const int e = CommonExponent({l, a, b});
    const double L = std::ldexp(l, -e), A = std::ldexp(a, -e), B = std::ldexp(b, -e);
    const double s = (L + B + A) / 2.0;
    return std::ldexp(2.0 * SafeSqrt(s * (s - L) * (s - B) * (s - A)) / L, e);
}

// The distance of (px, py) from the line through S and E, from the cross
// product: no cancellation of long sides, but other rounding than Heron's.
// The line's direction and the way to the position are scaled apart, so
// that a short line far out neither overflows nor underflows.
double CrossHeight(double sx, double sy, double ex, double ey, double px, double py) {
    const double ux = ex - sx, uy = ey - sy, vx = px - sx, vy = py - sy;
    const int eu = CommonExponent({ux, uy}), ev = CommonExponent({vx, vy});
    const double UX = std::ldexp(ux, -eu), UY = std::ldexp(uy, -eu);
    const double VX = std::ldexp(vx, -ev), VY = std::ldexp(vy, -ev);
    return std::ldexp(std::fabs(UX * VY - UY * VX) / std::sqrt(UX * UX + UY * UY), ev);
}

// Heron's height keeps every printed digit of a survey's triangles (the
// two agree to well under a millimetre there). A line far shorter than
// its distances to the position, or a position far nearer one end of a
// line 1e32 long, cancels all of them: the height reads 0 where it is
// kilometres. Such a height, a metre and a hundredth away from the cross
// product's, is noise and shows nothing.
bool HeightResolved(double heron, double cross) {
    return std::isfinite(cross) && std::fabs(heron - cross) <= 1.0 + 0.01 * cross;
}

// The other leg of the right triangle with hypotenuse `c` and leg `a`.
double OtherLeg(double c, double a) {
    if (!AllFinite({c, a})) return kNotANumber;
    const int e = CommonExponent({c, a});
    const double C = std::ldexp(c, -e), A = std::ldexp(a, -e);
    return std::ldexp(SafeSqrt(C * C - A * A), e);
}

// a^2 + b^2 - c^2 < 0: the angle facing side c is obtuse.
bool Obtuse(double a, double b, double c) {
    const int e = CommonExponent({a, b, c});
    const double A = std::ldexp(a, -e), B = std::ldexp(b, -e), C = std::ldexp(c, -e);
    return A * A + B * B - C * C < 0.0;
}

// a * b / c without overflow in the product.
double ScaledProduct(double a, double b, double c) {
    const int ea = CommonExponent({a}), eb = CommonExponent({b}), ec = CommonExponent({c});
    const double q = std::ldexp(a, -ea) * std::ldexp(b, -eb) / std::ldexp(c, -ec);
    return std::ldexp(q, ea + eb - ec);
}

}  // namespace

CString WordAndMagnitude(LPCTSTR word, double magnitude) {
    CString text;
    if (std::isfinite(magnitude)) text.Format(L"%s%.3f", word, magnitude == 0.0 ? 0.0 : magnitude);
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
    SetNumber(r.dh, L"%.3f", r.dH);
    r.d = Distance(target.dX, target.dY, fixX, fixY);
    SetNumber(r.distance, L"%.3f", r.d);
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

namespace {

// Right of the line when the direction from the start to the position turns
// clockwise from the line's own, both as azimuths from the x axis.
bool RightOfLine(double A, double B) {
    if (A < 180.0) return A < B && B < A + 180.0;
    return !(A - 180.0 < B && B < A);
}

double AzimuthFromX(double dy, double dx) {
    double a = std::atan2(dy, dx) * kDegrees;
    if (a < 1e-9) a += 360.0;
    return a;
}

// The way from the position to its foot on the line, once the foot lies
// between the ends.
void FootDirections(const StakeLine& line, double L, double along, double px, double py,
                    LineReadouts& r) {
    const double sx = line.start.dX, sy = line.start.dY;
    const double fx = sx + ScaledProduct(line.end.dX - sx, along, L);
    const double fy = sy + ScaledProduct(line.end.dY - sy, along, L);
    const double dx = px - fx, dy = py - fy;
    r.dx = dx > 0.0 ? WordAndMagnitude(L"南", dx) : WordAndMagnitude(L"北", -dx);
    r.dy = dy > 0.0 ? WordAndMagnitude(L"西", dy) : WordAndMagnitude(L"东", -dy);
}

}  // namespace

LineReadouts ComputeLineReadouts(const StakeLine& line, double px, double py, BOOL showPlumb) {
    LineReadouts r;
    const double sx = line.start.dX, sy = line.start.dY;
    const double ex = line.end.dX, ey = line.end.dY;
    const double L = Distance(sx, sy, ex, ey);
    if (!(L > 1e-9) || !std::isfinite(L) || !std::isfinite(px) || !std::isfinite(py)) return r;
    r.valid = true;
    const double dS = Distance(sx, sy, px, py);
    const double dE = Distance(ex, ey, px, py);
    double h = HeronHeight(L, dS, dE);
    if (!HeightResolved(h, CrossHeight(sx, sy, ex, ey, px, py))) h = kNotANumber;
    const bool right = RightOfLine(AzimuthFromX(ey - sy, ex - sx), AzimuthFromX(py - sy, px - sx));
    r.offsetDist = h;
    r.offset = WordAndMagnitude(right ? L"右" : L"左", h);
    const double aS = OtherLeg(dS, h);
    const double aE = OtherLeg(dE, h);
    r.along = aS;
    double DS = showPlumb ? aS : dS;
    double DE = showPlumb ? aE : dE;
    if (Obtuse(L, DS, DE)) DS = -DS;
    if (Obtuse(L, DE, DS)) DE = -DE;
    SetNumber(r.startDist, L"%.3f", DS);
    SetNumber(r.endDist, L"%.3f", DE);
    SetNumber(r.chainage, L"%.2f", DS < 1e-6 ? line.chainage - aS : line.chainage + aS);
    if (DS < 0.0 || DE < 0.0) {
        r.dx = L"在直线外";
        return r;
    }
    FootDirections(line, L, aS, px, py, r);
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
