#include "platform/base/Parse.h"

#include <locale.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

template <typename Ch>
bool IsSpace(Ch c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename Ch>
bool IsDigit(Ch c) {
    return c >= '0' && c <= '9';
}

template <typename Ch>
const Ch* SkipDigits(const Ch* p) {
    while (IsDigit(*p)) ++p;
    return p;
}

// The decimal number at the start of `text` (after white space): where it
// starts and where it ends; begin == end when there is none.
template <typename Ch>
const Ch* ScanDecimal(const Ch* text, const Ch** begin) {
    const Ch* p = text;
    while (IsSpace(*p)) ++p;
    *begin = p;
    const Ch* q = p;
    if (*q == '+' || *q == '-') ++q;
    const Ch* intEnd = SkipDigits(q);
    const Ch* fracEnd = intEnd;
    if (*intEnd == '.') fracEnd = SkipDigits(intEnd + 1);
    if (intEnd == q && fracEnd <= intEnd + 1) return p;  // no digits at all
    q = fracEnd;
    if (*q == 'e' || *q == 'E') {
        const Ch* e = q + 1;
        if (*e == '+' || *e == '-') ++e;
        if (IsDigit(*e)) q = SkipDigits(e);
    }
    return q;
}

template <typename Ch>
double ParseDouble(const Ch* text, const Ch** end) {
    if (!text) {
        if (end) *end = text;
        return 0.0;
    }
    const Ch* begin = nullptr;
    const Ch* stop = ScanDecimal(text, &begin);
    if (stop == begin) {
        if (end) *end = text;
        return 0.0;
    }
    std::string ascii;
    ascii.reserve(static_cast<size_t>(stop - begin));
    for (const Ch* p = begin; p < stop; ++p) ascii.push_back(static_cast<char>(*p));
    if (end) *end = stop;
    return strtod_l(ascii.c_str(), nullptr, CLocale());
}

int DigitValue(uint32_t c) {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A' + 10);
    return 99;
}

// Skips a "0x" prefix when base 0 or 16 allows it; settles base 0.
const wchar_t* Prefix(const wchar_t* p, int* base) {
    const bool hex = p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') && DigitValue(p[2]) < 16;
    if ((*base == 0 || *base == 16) && hex) {
        *base = 16;
        return p + 2;
    }
    if (*base == 0) *base = p[0] == L'0' ? 8 : 10;
    return p;
}

}  // namespace

double wcstod_c(const wchar_t* text, wchar_t** end) {
    const wchar_t* stop = nullptr;
    const double v = ParseDouble(text, &stop);
    if (end) *end = const_cast<wchar_t*>(stop);
    return v;
}

double strtod_c(const char* text, char** end) {
    const char* stop = nullptr;
    const double v = ParseDouble(text, &stop);
    if (end) *end = const_cast<char*>(stop);
    return v;
}

double atof_c(const char* text) {
    return strtod_c(text, nullptr);
}

long wcstol_c(const wchar_t* text, wchar_t** end, int base) {
    if (end) *end = const_cast<wchar_t*>(text);
    if (!text || base < 0 || base == 1 || base > 36) return 0;
    const wchar_t* p = text;
    while (IsSpace(*p)) ++p;
    const bool negative = *p == L'-';
    if (*p == L'+' || *p == L'-') ++p;
    p = Prefix(p, &base);
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    uint64_t value = 0;
    bool overflow = false;
    const wchar_t* digits = p;
    for (int d; (d = DigitValue(static_cast<uint32_t>(*p))) < base; ++p) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > limit) overflow = true, value = limit;
    }
    if (p == digits) return 0;
    if (end) *end = const_cast<wchar_t*>(p);
    if (overflow) errno = ERANGE;
    return negative ? -static_cast<long>(value) : static_cast<long>(value);
}

long _wtol(const wchar_t* text) {
    return wcstol_c(text, nullptr, 10);
}
int _wtoi(const wchar_t* text) {
    return static_cast<int>(wcstol_c(text, nullptr, 10));
}
double _wtof(const wchar_t* text) {
    return wcstod_c(text, nullptr);
}
