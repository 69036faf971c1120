// The printf engine behind CString::Format.
//
// The format string is walked here; every number is handed to the C
// library's snprintf in the "C" locale with the same flags, width and
// precision, so that the digits are exactly the C library's and read back
// with wcstod as they do in C. Text arguments (%s, %c) are laid out here
// because the device's wide printf takes wide text for %s, unlike C's.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>

#include <locale.h>

#include "platform/base/CString.h"
#include "platform/base/TextConv.h"

namespace {

using quorvel::FormatArg;

enum class Len { kNone, kShort, kChar, kLong, kLongLong, kLongDouble, kSize };

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    Len len = Len::kNone;
    wchar_t conv = 0;
};

locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

class CLocaleScope {
  public:
    CLocaleScope() : m_old(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(m_old); }

  private:
    locale_t m_old;
};

class ArgCursor {
  public:
    ArgCursor(const FormatArg* args, size_t count) : m_args(args), m_count(count) {}
    const FormatArg& Take() {
        static const FormatArg none;
        return m_next < m_count ? m_args[m_next++] : none;
    }

  private:
    const FormatArg* m_args;
    size_t m_count;
    size_t m_next = 0;
};

long long ClampToLongLong(double d) {
    if (!(d == d)) return 0;
    if (d >= 9.2e18) return std::numeric_limits<long long>::max();
    if (d <= -9.2e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(d);
}

long long AsSigned(const FormatArg& a) {
    switch (a.kind) {
        case FormatArg::kSigned:
            return a.i;
        case FormatArg::kUnsigned:
            return static_cast<long long>(a.u);
        case FormatArg::kDouble:
            return ClampToLongLong(a.d);
        case FormatArg::kWide:
        case FormatArg::kNarrow:
        case FormatArg::kPointer:
            return static_cast<long long>(reinterpret_cast<intptr_t>(a.p));
        default:
            return 0;
    }
}

double AsDouble(const FormatArg& a) {
    switch (a.kind) {
        case FormatArg::kDouble:
            return a.d;
        case FormatArg::kSigned:
            return static_cast<double>(a.i);
        case FormatArg::kUnsigned:
            return static_cast<double>(a.u);
        default:
            return 0.0;
    }
}

// Integers are as wide as the device's: int and long are 32 bits.
long long NarrowSigned(long long v, Len len) {
    switch (len) {
        case Len::kChar:
            return static_cast<signed char>(v);
        case Len::kShort:
            return static_cast<short>(v);
        case Len::kLongLong:
        case Len::kSize:
            return v;
        default:
            return static_cast<int32_t>(v);
    }
}

unsigned long long NarrowUnsigned(long long v, Len len) {
    switch (len) {
        case Len::kChar:
            return static_cast<unsigned char>(v);
        case Len::kShort:
            return static_cast<unsigned short>(v);
        case Len::kLongLong:
        case Len::kSize:
            return static_cast<unsigned long long>(v);
        default:
            return static_cast<uint32_t>(v);
    }
}

std::string CFormat(const Conversion& s, const char* length, char conv) {
    // Built with append alone: GCC 12 at -O3 warns falsely on "%" + string.
    std::string out(1, '%');
    out.append(s.flags);
    if (s.width >= 0) out.append(std::to_string(s.width));
    if (s.precision >= 0) {
        out.push_back('.');
        out.append(std::to_string(s.precision));
    }
    out.append(length);
    out.push_back(conv);
    return out;
}

template <typename T>
void AppendC(std::wstring& out, const std::string& cFormat, T value) {
    char stack[128];
    int n = snprintf(stack, sizeof stack, cFormat.c_str(), value);
    if (n < 0) return;
    const char* text = stack;
    std::vector<char> heap;
    if (static_cast<size_t>(n) >= sizeof stack) {
        heap.resize(static_cast<size_t>(n) + 1);
        snprintf(heap.data(), heap.size(), cFormat.c_str(), value);
        text = heap.data();
    }
    for (int i = 0; i < n; ++i) out += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
}

void AppendPadded(std::wstring& out, const Conversion& s, const std::wstring& text) {
    size_t pad = s.width > 0 && static_cast<size_t>(s.width) > text.size()
                     ? static_cast<size_t>(s.width) - text.size()
                     : 0;
    bool left = s.flags.find('-') != std::string::npos;
    if (!left) out.append(pad, L' ');
    out += text;
    if (left) out.append(pad, L' ');
}

std::wstring TextOf(const FormatArg& a) {
    if (a.kind == FormatArg::kWide) return a.ws ? a.ws : L"(null)";
    if (a.kind == FormatArg::kNarrow) {
        return a.ns ? quorvel::FromGbk(a.ns, strlen(a.ns)).str() : L"(null)";
    }
    return L"(null)";
}

void AppendString(std::wstring& out, const Conversion& s, const FormatArg& a) {
    std::wstring text = TextOf(a);
    if (s.precision >= 0 && static_cast<size_t>(s.precision) < text.size()) {
        text.resize(static_cast<size_t>(s.precision));
    }
    AppendPadded(out, s, text);
}

void AppendChar(std::wstring& out, const Conversion& s, const FormatArg& a, bool narrow) {
    long long v = AsSigned(a);
    wchar_t c = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(v))
                       : static_cast<wchar_t>(static_cast<uint32_t>(v));
    AppendPadded(out, s, std::wstring(1, c));
}

void AppendConversion(std::wstring& out, const Conversion& s, const FormatArg& a) {
    switch (s.conv) {
        case L'd':
        case L'i':
            AppendC(out, CFormat(s, "ll", 'd'), NarrowSigned(AsSigned(a), s.len));
            break;
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            AppendC(out, CFormat(s, "ll", static_cast<char>(s.conv)),
                    NarrowUnsigned(AsSigned(a), s.len));
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            AppendC(out, CFormat(s, "", static_cast<char>(s.conv)), AsDouble(a));
            break;
        case L'p':
            AppendC(out, CFormat(s, "", 'p'), reinterpret_cast<const void*>(AsSigned(a)));
            break;
        case L's':
            AppendString(out, s, a);
            break;
        case L'S':
            AppendString(out, s, a);
            break;
        case L'c':
            AppendChar(out, s, a, s.len == Len::kShort);
            break;
        case L'C':
            AppendChar(out, s, a, s.len != Len::kLong);
            break;
        default:
            break;
    }
}

int ReadNumber(const wchar_t*& p) {
    long long n = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (n < 100000) n = n * 10 + (*p - L'0');
        ++p;
    }
    return static_cast<int>(n);
}

void ReadWidthAndPrecision(const wchar_t*& p, Conversion& s, ArgCursor& args) {
    if (*p == L'*') {
        ++p;
        // The width argument is an int, as the device's printf reads it.
        long long w = static_cast<int32_t>(AsSigned(args.Take()));
        if (w < 0) {
            s.flags += '-';
            w = -w;
        }
        s.width = static_cast<int>(w > 100000 ? 100000 : w);
    } else if (*p >= L'0' && *p <= L'9') {
        s.width = ReadNumber(p);
    }
    if (*p != L'.') return;
    ++p;
    if (*p == L'*') {
        ++p;
        long long prec = static_cast<int32_t>(AsSigned(args.Take()));
        s.precision = prec < 0 ? -1 : static_cast<int>(prec > 100000 ? 100000 : prec);
    } else {
        s.precision = ReadNumber(p);
    }
}

void ReadLength(const wchar_t*& p, Conversion& s) {
    if (p[0] == L'h') {
        s.len = (p[1] == L'h') ? Len::kChar : Len::kShort;
        p += (p[1] == L'h') ? 2 : 1;
    } else if (p[0] == L'l') {
        s.len = (p[1] == L'l') ? Len::kLongLong : Len::kLong;
        p += (p[1] == L'l') ? 2 : 1;
    } else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        s.len = Len::kLongLong;
        p += 3;
    } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
        s.len = Len::kLong;
        p += 3;
    } else if (p[0] == L'L' || p[0] == L'q') {
        s.len = Len::kLongDouble;
        ++p;
    } else if (p[0] == L'z' || p[0] == L'j' || p[0] == L't' || p[0] == L'I') {
        s.len = Len::kSize;
        ++p;
    }
}

bool IsConversion(wchar_t c) {
    return c != 0 && wcschr(L"diuxXofFeEgGaApsScCn", c) != nullptr;
}

// Wide %s with an explicit narrow length prefix (%hs) is narrow text, and
// %S with a wide prefix (%ls) is wide text; the argument's own type decides
// in the end, so a mismatch prints the text rather than garbage.
const wchar_t* FormatOne(const wchar_t* p, std::wstring& out, ArgCursor& args) {
    const wchar_t* start = p;
    ++p;  // '%'
    Conversion s;
    while (*p && wcschr(L"-+ #0", *p)) s.flags += static_cast<char>(*p++);
    ReadWidthAndPrecision(p, s, args);
    ReadLength(p, s);
    if (!IsConversion(*p)) {
        out.append(start, static_cast<size_t>(p - start));
        return p;
    }
    s.conv = *p++;
    if (s.conv == L'n') {
        args.Take();
        return p;
    }
    AppendConversion(out, s, args.Take());
    return p;
}

std::wstring FormatToString(LPCTSTR format, const FormatArg* args, size_t count) {
    std::wstring out;
    if (!format) return out;
    CLocaleScope cLocale;
    ArgCursor cursor(args, count);
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
        } else if (p[1] == L'%') {
            out += L'%';
            p += 2;
        } else {
            p = FormatOne(p, out, cursor);
        }
    }
    return out;
}

}  // namespace

void CString::FormatList(LPCTSTR format, const quorvel::FormatArg* args, size_t count) {
    // The format may be this very string's text: build first, then assign.
    std::wstring text = FormatToString(format, args, count);
    m_text.swap(text);
}

void CString::AppendFormatList(LPCTSTR format, const quorvel::FormatArg* args, size_t count) {
    m_text += FormatToString(format, args, count);
}
