// Small text steps shared by the receiver parsers. Internal to receiver/.
#pragma once

#include <cmath>
#include <cwchar>

#include "platform/base/CString.h"
#include "receiver/FieldCut.h"
#include "receiver/SurveyRecord.h"

namespace receiver_text {

// The text from the first `ch` on, or the whole text without one.
inline const wchar_t* FromFirst(const wchar_t* text, wchar_t ch) {
    const wchar_t* at = std::wcschr(text, ch);
    return at != nullptr ? at : text;
}

// hhmmss.ss of field i: hour from characters 0-1, minute from 2-3, seconds
// from 4 on; no time-zone shift.
inline void ReadClock(const CFieldCut& f, int i, SurveyRecord* rec) {
    const wchar_t* p = f.Begin(i);
    const int n = f.Length(i);
    rec->nHour = n > 0 ? nmea::ReadIntPrefix(p, n < 2 ? n : 2) : 0;
    rec->nMinute = n > 2 ? nmea::ReadIntPrefix(p + 2, n < 4 ? n - 2 : 2) : 0;
    rec->dSecond = n > 4 ? nmea::ReadDouble(p + 4) : 0.0;
}

// The NMEA angle of field i, negative when the next field begins with S or
// W.
inline double SignedDegrees(const CFieldCut& f, int i, int degreeDigits) {
    const double value = f.Degrees(i, degreeDigits);
    const wchar_t letter = f.First(i + 1);
    return letter == L'S' || letter == L'W' ? -value : value;
}

// A tag of one character: the first character of field i (empty when the
// field is).
inline void SetTag(CString& tag, const CFieldCut& f, int i) {
    if (f.IsEmpty(i)) {
        tag.Empty();
    } else {
        tag = f.First(i);
    }
}

// sqrt(a^2 + b^2), without overflow for very large sigmas.
inline double Hypot(double a, double b) {
    const double r = std::sqrt(a * a + b * b);
    return std::isfinite(r) ? r : std::hypot(a, b);
}

}  // namespace receiver_text
