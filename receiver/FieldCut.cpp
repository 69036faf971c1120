#include "receiver/FieldCut.h"

#include <cmath>
#include <cstdint>

#include "platform/base/Parse.h"

namespace {

const wchar_t kEmpty[] = L"";

bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Exact powers of ten: every one of them is a double without rounding.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The decimal at p, when it has at most 19 significant digits and no
// exponent letter: mantissa and power of ten. FALSE sends the caller to the
// C library, which rounds every other form correctly.
bool ScanSimpleDecimal(const wchar_t* p, bool* negative, uint64_t* mantissa, int* exponent,
                       bool* none) {
    *negative = *p == L'-';
    if (*p == L'+' || *p == L'-') ++p;
    uint64_t m = 0;
    int digits = 0;  // significant digits taken into m
    int scale = 0;
    bool any = false;
    for (; IsDigit(*p); ++p, any = true) {
        if (m == 0 && *p == L'0') continue;
        if (++digits > 19) return false;
        m = m * 10 + static_cast<uint64_t>(*p - L'0');
    }
    if (*p == L'.') {
        for (++p; IsDigit(*p); ++p, any = true) {
            --scale;
            if (m == 0 && *p == L'0') continue;
            if (++digits > 19) return false;
            m = m * 10 + static_cast<uint64_t>(*p - L'0');
        }
    }
    *none = !any;
    if (any && (*p == L'e' || *p == L'E')) return false;
    *mantissa = m;
    *exponent = scale;
    return true;
}

}  // namespace

CFieldCut::CFieldCut(const wchar_t* text, int count) {
    m_count = count < 0 ? 0 : (count > kMaxFields ? kMaxFields : count);
    int i = 0;
    if (m_count > 0) {
        const wchar_t* p = text ? text : kEmpty;
        m_begin[0] = p;
        for (;; ++p) {
            const wchar_t c = *p;
            if (c > L',') continue;  // every character but the two that end a field
            if (c == L',') {
                m_length[i] = static_cast<int>(p - m_begin[i]);
                if (++i == m_count) break;
                m_begin[i] = p + 1;
            } else if (c == L'\0') {
                m_length[i] = static_cast<int>(p - m_begin[i]);
                ++i;
                break;
            }
        }
    }
    for (; i < m_count; ++i) {
        m_begin[i] = kEmpty;
        m_length[i] = 0;
    }
}

const wchar_t* CFieldCut::Begin(int i) const {
    return i >= 0 && i < m_count ? m_begin[i] : kEmpty;
}

int CFieldCut::Length(int i) const {
    return i >= 0 && i < m_count ? m_length[i] : 0;
}

wchar_t CFieldCut::First(int i) const {
    return IsEmpty(i) ? L'\0' : Begin(i)[0];
}

CString CFieldCut::Text(int i) const {
    return CString(Begin(i), Length(i));
}

bool CFieldCut::Equals(int i, const wchar_t* word) const {
    const wchar_t* p = Begin(i);
    const int n = Length(i);
    for (int k = 0; k < n; ++k) {
        if (word[k] != p[k]) return false;
    }
    return word[n] == L'\0';
}

// Numbers stop at the comma that ends the field, so they are read in place.
int CFieldCut::Int(int i) const {
    return IsEmpty(i) ? 0 : nmea::ReadInt(Begin(i));
}

double CFieldCut::Double(int i) const {
    return IsEmpty(i) ? 0.0 : nmea::ReadDouble(Begin(i));
}

double CFieldCut::Degrees(int i, int degreeDigits) const {
    const int n = Length(i);
    const int head = n < degreeDigits ? n : degreeDigits;
    const double minutes = head < n ? nmea::ReadDouble(Begin(i) + head) : 0.0;
    return nmea::ReadIntPrefix(Begin(i), head) + minutes / 60.0;
}

namespace nmea {

int ReadInt(const wchar_t* text) {
    if (text == nullptr) return 0;
    const wchar_t* p = text;
    while (IsSpace(*p)) ++p;
    const bool negative = *p == L'-';
    if (*p == L'+' || *p == L'-') ++p;
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    uint64_t value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + static_cast<uint64_t>(*p - L'0');
        if (value > limit) return 0;
    }
    return negative ? static_cast<int>(-static_cast<int64_t>(value)) : static_cast<int>(value);
}

int ReadIntPrefix(const wchar_t* text, int count) {
    wchar_t head[16];
    int n = 0;
    for (; n < count && n < 15 && text[n] != L'\0'; ++n) head[n] = text[n];
    head[n] = L'\0';
    return ReadInt(head);
}

double ReadDouble(const wchar_t* text) {
    if (text == nullptr) return 0.0;
    while (IsSpace(*text)) ++text;
    bool negative = false;
    bool none = false;
    uint64_t mantissa = 0;
    int exponent = 0;
    double value = 0.0;
    if (ScanSimpleDecimal(text, &negative, &mantissa, &exponent, &none)) {
        if (none) return 0.0;
        if (mantissa == 0) return negative ? -0.0 : 0.0;
        if (mantissa <= (uint64_t{1} << 53) && exponent >= -22) {
            value = static_cast<double>(mantissa) / kPow10[-exponent];
            return negative ? -value : value;
        }
    }
    value = wcstod_c(text, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

int TruncateToInt(double value) {
    if (!std::isfinite(value) || value <= -2147483649.0 || value >= 2147483648.0) return 0;
    return static_cast<int>(value);
}

}  // namespace nmea
