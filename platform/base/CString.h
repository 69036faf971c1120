// CString: the framework's wide text, with the operations the program uses.
//
// Indices and lengths are in characters (int). Out-of-range arguments are
// clamped as the framework does (Left(-1) is empty, Mid past the end is
// empty), never undefined.
//
// Format follows the device's wide printf: %s and %c take wide text, %S and
// %C narrow text (%ls/%hs say it explicitly). Numbers are formatted by the C
// library in the "C" locale, so '.' is the decimal point whatever the host
// locale and the digits are exactly those of printf. Format and AppendFormat
// are templates that remember each argument's type: a CString argument is
// passed as its text (`Format(L"%s", name)` works as on the device), and a
// format that does not fit its argument never reads the wrong bytes. int and
// long are 32 bits wide as on the device: %d, %ld, %u and %x print the low 32
// bits of the argument, %lld and %I64d all 64.
#pragma once

#include <string>
#include <type_traits>

#include "platform/base/WinTypes.h"

class CString;

namespace quorvel {
// One argument of Format, with its C type remembered so that a mismatch
// between the format and the argument never reads the wrong bytes.
struct FormatArg {
    enum Kind { kNone, kSigned, kUnsigned, kDouble, kWide, kNarrow, kPointer };
    Kind kind = kNone;
    union {
        long long i;
        unsigned long long u;
        double d;
        const wchar_t* ws;
        const char* ns;
        const void* p;
    };
    FormatArg() : i(0) {}
    FormatArg(const class ::CString& s);
    FormatArg(const wchar_t* s) : kind(kWide), ws(s) {}
    FormatArg(wchar_t* s) : kind(kWide), ws(s) {}
    FormatArg(const char* s) : kind(kNarrow), ns(s) {}
    FormatArg(char* s) : kind(kNarrow), ns(s) {}
    FormatArg(const std::wstring& s) : kind(kWide), ws(s.c_str()) {}
    FormatArg(std::nullptr_t) : kind(kPointer), p(nullptr) {}
    template <typename T>
    FormatArg(T v) : i(0) {
        if constexpr (std::is_floating_point_v<T>) {
            kind = kDouble;
            d = static_cast<double>(v);
        } else if constexpr (std::is_enum_v<T>) {
            kind = kSigned;
            i = static_cast<long long>(v);
        } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
            kind = kSigned;
            i = v;
        } else if constexpr (std::is_integral_v<T>) {
            kind = kUnsigned;
            u = v;
        } else if constexpr (std::is_pointer_v<T>) {
            kind = kPointer;
            p = reinterpret_cast<const void*>(v);
        } else {
            static_assert(std::is_arithmetic_v<T>,
                          "only numbers, text and pointers can be formatted");
        }
    }
};
}  // namespace quorvel

class CString {
  public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCTSTR text);                  // NOLINT: implicit as in the framework
    CString(LPCTSTR text, int length);      // the first `length` characters
    CString(TCHAR ch, int repeat = 1);      // NOLINT
    CString(const char* narrow);            // NOLINT: converted from code page 936
    CString(const std::wstring& text);      // NOLINT
    CString(std::wstring&& text) noexcept;  // NOLINT

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR text);
    CString& operator=(TCHAR ch);
    CString& operator=(const char* narrow);

    CString& operator+=(const CString& text);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);

    // Length and access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    TCHAR GetAt(int index) const;     // 0 outside the text
    void SetAt(int index, TCHAR ch);  // ignored outside the text
    TCHAR operator[](int index) const { return GetAt(index); }
    operator LPCTSTR() const { return m_text.c_str(); }  // NOLINT
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }

    // Comparisons: Compare is exact, CompareNoCase folds ASCII letters.
    int Compare(LPCTSTR other) const;
    int CompareNoCase(LPCTSTR other) const;

    // Searching: -1 when not found; a start beyond the text finds nothing.
    int Find(TCHAR ch, int start = 0) const;
    int Find(LPCTSTR sub, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR chars) const;

    // Extraction.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCTSTR chars) const;
    CString SpanExcluding(LPCTSTR chars) const;

    // Changing in place. Case mapping touches ASCII letters only, as the
    // device's C runtime does in its "C" locale.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(TCHAR ch);
    CString& Trim(LPCTSTR chars);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR ch);
    CString& TrimLeft(LPCTSTR chars);
    CString& TrimRight();
    CString& TrimRight(TCHAR ch);
    CString& TrimRight(LPCTSTR chars);
    int Replace(TCHAR oldCh, TCHAR newCh);          // number replaced
    int Replace(LPCTSTR oldText, LPCTSTR newText);  // number replaced
    int Remove(TCHAR ch);                           // number removed
    int Insert(int index, TCHAR ch);                // new length
    int Insert(int index, LPCTSTR text);            // new length
    int Delete(int index, int count = 1);           // new length

    // Direct access to the characters: GetBuffer gives room for at least
    // minLength characters and a terminating zero; ReleaseBuffer(-1) takes
    // the text up to the first zero, ReleaseBuffer(n) the first n.
    LPTSTR GetBuffer(int minLength = 0);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // The string table (installed by the resources library).
    BOOL LoadString(UINT id);

    template <typename... Args>
    void Format(LPCTSTR format, const Args&... args) {
        const quorvel::FormatArg list[] = {quorvel::FormatArg(args)..., quorvel::FormatArg()};
        FormatList(format, list, sizeof...(Args));
    }
    template <typename... Args>
    void AppendFormat(LPCTSTR format, const Args&... args) {
        const quorvel::FormatArg list[] = {quorvel::FormatArg(args)..., quorvel::FormatArg()};
        AppendFormatList(format, list, sizeof...(Args));
    }
    void FormatList(LPCTSTR format, const quorvel::FormatArg* args, size_t count);
    void AppendFormatList(LPCTSTR format, const quorvel::FormatArg* args, size_t count);

    // The loader LoadString uses; returns false when the id has no string.
    typedef bool (*StringLoader)(UINT id, std::wstring& out);
    static void SetStringLoader(StringLoader loader);

  private:
    std::wstring m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);
CString operator+(const CString& a, TCHAR b);
CString operator+(TCHAR a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// printf-style formatting into a new string, with CString's rules.
template <typename... Args>
CString FormatString(LPCTSTR format, const Args&... args) {
    CString s;
    s.Format(format, args...);
    return s;
}
