// CCoordTransform: packed ddd.mmss angles, and the angle, time and date texts
// of survey records. None of these reads the engine's state.
#include <charconv>
#include <cmath>
#include <system_error>

#include "geodesy/CoordTransform.h"

namespace {

// Marks of the degree-minute-second text, string resources 61232..61234.
CString LoadMark(UINT id, LPCTSTR fallback) {
    CString text;
    if (!text.LoadString(id)) text = fallback;
    return text;
}

// Splits value + 1e-12 into its integral part and fraction.
double SplitWhole(double value, double& fraction) {
    double whole = 0.0;
    fraction = std::modf(value + 1e-12, &whole);
    return whole;
}

// v: packed ddd.mmss, at least 1e-9. The digits after the seconds continue
// the seconds, counted here as hundredths.
double PackedToRadians(double v) {
    double r1 = 0.0, r2 = 0.0, r3 = 0.0;
    const double D = SplitWhole(v, r1);
    const double M = SplitWhole(r1 * 100.0, r2);
    const double S = SplitWhole(r2 * 100.0, r3);
    const double degrees = S * 0.0002777777777777778 + (r3 * 100.0) * 2.777777777777778e-6 +
                           M * 0.016666666666666666 + D;
    return degrees * 0.01745329251994278;
}

// v: radians, at least 1e-9. A fraction of a second of 0.9999 or more
// carries into the seconds, and on into minutes and degrees.
double RadiansToPacked(double v) {
    double r1 = 0.0, r2 = 0.0, F = 0.0;
    double D = SplitWhole(v * 57.29577951308402, r1);
    double M = SplitWhole(r1 * 60.0, r2);
    double S = SplitWhole(r2 * 60.0, F);
    if (F * 10000.0 >= 9999.0) S += 1.0, F = 0.0;
    if (S >= 60.0) M += 1.0, S = 0.0;
    if (M >= 60.0) D += 1.0, M = 0.0;
    const double packed = M * 0.01 + F * 9.999999999999999e-5 + S * 0.0001 + D;
    // Printed with ten decimals and read back, as the packed value has
    // always been kept. The buffer holds the widest double so printed.
    char buffer[400];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, packed, std::chars_format::fixed, 10);
    double result = packed;
    if (printed.ec == std::errc()) std::from_chars(buffer, printed.ptr, result);
    return result;
}

}  // namespace

// direction non-zero: packed ddd.mmss to radians; 0: radians to packed.
// Values below 1e-10, zero included, are converted by magnitude and come
// back negated (0 gives -0.0); magnitudes up to 1e-9 convert to 0. A NaN is
// neither and comes back NaN.
double CCoordTransform::ConvertDmsRadian(double value, int direction) {
    const bool negative = value < 1e-10;
    const double v = negative ? -value : value;
    double result = 0.0;
    if (!(v <= 1e-9)) result = direction != 0 ? PackedToRadians(v) : RadiansToPacked(v);
    return negative ? -result : result;
}

// "023°07' 07.8493"": truncated, never rounded or carried.
CString CCoordTransform::FormatAngleDMS(CString& text, double radians) {
    text.Empty();
    if (radians < 0.0) {
        radians = -radians;
        text = L"-";
    }
    const double deg = radians * 180.0 * (1.0 / 3.1415926535897);
    const int D = static_cast<int>(deg);
    const double minutes = (deg - D) * 60.0;
    const int M = static_cast<int>(minutes);
    const double seconds = (minutes - M) * 60.0;
    const int S = static_cast<int>(seconds);
    const int F = static_cast<int>((seconds - S) * 10000.0);
    text.AppendFormat(L"%03d%s", D, LoadMark(61232, L"\u00b0"));
    text.AppendFormat(L"%02d%s", M, LoadMark(61233, L"' "));
    text.AppendFormat(L"%02d.", S);
    text.AppendFormat(L"%04d%s", F, LoadMark(61234, L"\""));
    return text;
}

// "08:05:03.25"; seconds are rounded to hundredths and never carry.
CString CCoordTransform::FormatTimeHMS(CString& text, int hours, int minutes, double seconds) {
    text.Format(L"%02d:", hours);
    text.AppendFormat(L"%02d:", minutes);
    text.AppendFormat(L"%05.2f", seconds);
    return text;
}

// "2026年12月5日" or "2026-12-5".
CString CCoordTransform::FormatDate(CString& text, int year, int month, int day, int chinese) {
    if (chinese != 0) {
        text.Format(L"%d%s", year, L"年");
        text.AppendFormat(L"%d%s", month, L"月");
        text.AppendFormat(L"%d%s", day, L"日");
    } else {
        text.Format(L"%d-", year);
        text.AppendFormat(L"%d-", month);
        text.AppendFormat(L"%d", day);
    }
    return text;
}
