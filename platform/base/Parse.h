// Number parsing as the device's C runtime does it in the "C" locale,
// whatever the host's locale: '.' is the decimal point, leading white space
// is skipped, the longest number at the start is taken, and text that does
// not start with a number gives 0 (with *end at the start of the text).
//
// Only decimal forms are numbers: [sign] digits [. digits] [e [sign]
// digits]. "inf", "nan" and hexadecimal floating forms, which the host C
// library would accept, give 0 as on the device. Integers are the device's
// 32-bit long: out-of-range values are clamped (errno ERANGE). A null text
// gives 0.
#pragma once

#include "platform/base/WinTypes.h"

double wcstod_c(const wchar_t* text, wchar_t** end);
long wcstol_c(const wchar_t* text, wchar_t** end, int base);
double strtod_c(const char* text, char** end);
double atof_c(const char* text);

int _wtoi(const wchar_t* text);
long _wtol(const wchar_t* text);
double _wtof(const wchar_t* text);
inline int _ttoi(const TCHAR* text) {
    return _wtoi(text);
}
inline long _ttol(const TCHAR* text) {
    return _wtol(text);
}
inline double _tstof(const TCHAR* text) {
    return _wtof(text);
}
inline double _ttof(const TCHAR* text) {
    return _wtof(text);
}
