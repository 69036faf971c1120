// CFieldCut: a received sentence cut at its commas into a fixed number of
// fields, without copying. Field i is the text after the i-th comma up to
// the next comma or the end of the text, as the framework's
// AfxExtractSubString gives it; a field beyond the last comma is empty.
//
// Numbers are read as the device's wcstol (base 10) and wcstod read them:
// white space is skipped, the longest number at the start is taken, and
// anything else (an empty field, trailing "*hh" or a CR) ends it; text that
// does not start with a number gives 0. A number beyond its type's range
// (a 20-digit count, 1e999) gives 0 as well, never an undefined value.
#pragma once

#include "platform/base/CString.h"

class CFieldCut {
  public:
    static constexpr int kMaxFields = 32;

    // `text` must stay alive and unchanged while the cut is used. A count
    // above kMaxFields is taken as kMaxFields.
    CFieldCut(const wchar_t* text, int count);

    int Count() const { return m_count; }
    // Start of field i (points into the text; "" for an absent field) and
    // its length in characters.
    const wchar_t* Begin(int i) const;
    int Length(int i) const;
    bool IsEmpty(int i) const { return Length(i) == 0; }
    // The first character of field i, 0 when it is empty.
    wchar_t First(int i) const;
    // Field i as text.
    CString Text(int i) const;
    // TRUE when field i is exactly `word`.
    bool Equals(int i, const wchar_t* word) const;

    int Int(int i) const;
    double Double(int i) const;
    // An NMEA angle: the integer of the first `degreeDigits` characters plus
    // the rest of the field, in minutes, divided by 60.
    double Degrees(int i, int degreeDigits) const;

  private:
    const wchar_t* m_begin[kMaxFields];
    int m_length[kMaxFields];
    int m_count;
};

namespace nmea {

// wcstol (base 10) with a result that fits an int, else 0.
int ReadInt(const wchar_t* text);
// The integer of the first `count` characters of text (stops earlier at a
// zero character).
int ReadIntPrefix(const wchar_t* text, int count);
// wcstod with a finite result, else 0. Numbers of up to 19 significant
// digits and a small exponent are converted exactly without the C library.
double ReadDouble(const wchar_t* text);
// A double truncated towards zero; 0 when it is not finite or beyond int.
int TruncateToInt(double value);

}  // namespace nmea
