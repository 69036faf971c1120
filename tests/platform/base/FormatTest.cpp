// Format against the C library: the digits of every number must be exactly
// printf's, and the text must read back with wcstod as in C, because job
// files are written with "%.10f" and read back with wcstod.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>
#include <random>

#include <locale.h>

#include "platform/base/CString.h"
#include "platform/base/Parse.h"
#include "tests/platform/base/CommaLocale.h"

namespace {

class CLocale {
  public:
    CLocale() : m_loc(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        m_old = uselocale(m_loc);
    }
    ~CLocale() {
        uselocale(m_old);
        freelocale(m_loc);
    }

  private:
    locale_t m_loc;
    locale_t m_old;
};

std::wstring CLibraryWide(const wchar_t* format, double d) {
    CLocale c;
    wchar_t buf[512];
    int n = swprintf(buf, 512, format, d);
    return n < 0 ? L"<error>" : std::wstring(buf, static_cast<size_t>(n));
}

double CLibraryRead(const std::wstring& text) {
    CLocale c;
    return strtod(std::string(text.begin(), text.end()).c_str(), nullptr);
}

double RandomDouble(std::mt19937_64& rng) {
    switch (rng() % 4) {
        case 0:
            return std::uniform_real_distribution<double>(-1e7, 1e7)(rng);
        case 1:
            return std::uniform_real_distribution<double>(-1.0, 1.0)(rng);
        case 2: {
            // round-to-even ties and near-ties at the printed precisions
            double base = static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000);
            return base / 1024.0;
        }
        default: {
            int exp = static_cast<int>(rng() % 60) - 30;
            return std::ldexp(std::uniform_real_distribution<double>(0.5, 1.0)(rng), exp) *
                   ((rng() & 1) ? -1.0 : 1.0);
        }
    }
}

std::string Ascii(const wchar_t* text) {
    return std::string(text, text + wcslen(text));
}

// Format gives the C library's text for `d`, and the text reads back with
// wcstod_c to the C library's double; the failure names the value. Only
// decimal numbers read back: "inf", "nan" and hexadecimal text give 0, as on
// the device.
::testing::AssertionResult FormatsAsTheCLibrary(const wchar_t* format, double d) {
    CString ours;
    ours.Format(format, d);
    const std::wstring ref = CLibraryWide(format, d);
    if (ours.str() != ref) {
        return ::testing::AssertionFailure()
               << "format mismatch for " << d << " under " << Ascii(format);
    }
    const double back = wcstod_c(ours, nullptr);
    const bool decimal = std::isfinite(d) && ref.find_first_of(L"xX") == std::wstring::npos;
    const double refBack = CLibraryRead(ref);
    const bool same = decimal ? std::memcmp(&back, &refBack, sizeof back) == 0 : back == 0.0;
    if (!same) {
        return ::testing::AssertionFailure()
               << "read-back mismatch for " << d << " under " << Ascii(format);
    }
    return ::testing::AssertionSuccess();
}

// The formats the program writes numbers with.
const wchar_t* const kProgramFormats[] = {L"%.10f", L"%.8f", L"%.4f",  L"%.3f",
                                          L"%.2f",  L"%f",   L"%06.4f"};

// The program writes numbers with Format and reads them back with wcstod_c:
// every double conversion, with flags, widths and precisions, must give the
// C library's text and double for the values where printing goes wrong
// first: zeros, the ends of the range, subnormals, ties and near-ties at the
// printed precisions, integers beyond 2^53 and the non-numbers.
TEST(Format, EveryConversionOfTheEdgeValuesMatchesTheCLibrary) {
    using limits = std::numeric_limits<double>;
    const double values[] = {0.0,
                             -0.0,
                             limits::denorm_min(),
                             -limits::denorm_min(),
                             limits::min(),
                             limits::max(),
                             limits::lowest(),
                             limits::epsilon(),
                             0.5,
                             1.5,
                             2.5,
                             -2.5,
                             0.125,
                             0.375,
                             2.675,
                             1.0005,
                             0.00005,
                             5e-11,
                             0.99999999995,
                             9.9999999995,
                             99.995,
                             1e15,
                             1e16,
                             1e21,
                             1e22,
                             123456789.123456789,
                             9007199254740993.0,
                             -4503599627370497.5,
                             limits::infinity(),
                             -limits::infinity(),
                             limits::quiet_NaN()};
    const wchar_t* const conversions[] = {
        L"%f", L"%F",    L"%.0f",  L"%#.0f", L"%+.1f",   L"% .3f", L"%e", L"%.3E", L"%-12.5e|",
        L"%g", L"%.15g", L"%.17G", L"%#g",   L"%012.4f", L"%a",    L"%A", L"%.2a"};
    CommaDecimalLocale comma;
    for (double d : values) {
        for (const wchar_t* f : kProgramFormats) EXPECT_TRUE(FormatsAsTheCLibrary(f, d));
        for (const wchar_t* f : conversions) EXPECT_TRUE(FormatsAsTheCLibrary(f, d));
    }
    if (!comma.Active()) GTEST_SKIP() << "digits checked, host locale not: " << comma.Why();
}

// Random values through the program's formats: a few thousand in the normal
// run, a million in the soak run.
TEST(Format, RandomDoublesMatchTheCLibraryAndReadBack) {
    const int count = std::getenv("QUORVEL_SOAK") != nullptr ? 1000000 : 5000;
    std::mt19937_64 rng(20120601);
    CommaDecimalLocale comma;
    int mismatches = 0;
    for (int i = 0; i < count && mismatches < 10; ++i) {
        const double d = RandomDouble(rng);
        for (const wchar_t* f : kProgramFormats) {
            const ::testing::AssertionResult same = FormatsAsTheCLibrary(f, d);
            if (!same) {
                ADD_FAILURE() << same.message();
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    if (!comma.Active()) GTEST_SKIP() << "digits checked, host locale not: " << comma.Why();
}

TEST(Format, RecordLineWithChineseName) {
    CString line;
    line.Format(L"%s,%d-%02d-%02d,%02d:%2d:%02d,%.2f", CString(L"控制点12"), 2012, 6, 1, 8, 5, 9,
                12.345);
    EXPECT_EQ(line, L"控制点12,2012-06-01,08: 5:09,12.35");
}

TEST(Format, WideAndNarrowTextConversions) {
    CString s;
    s.Format(L"[%s][%S][%ls][%hs][%c][%C]", L"宽", "narrow", L"w", "n", L'中', 'a');
    EXPECT_EQ(s, L"[宽][narrow][w][n][中][a]");
    s.Format(L"[%4s][%-4s][%.2s][%s]", L"ab", L"ab", L"abcdef",
             static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(s, L"[  ab][ab  ][ab][(null)]");
}

TEST(Format, IntegersAreThirtyTwoBitsLikeTheDevice) {
    CString s;
    s.Format(L"%d %i %ld %u %x %lx %X %03d %2d %3d %-3d| %+d %05.2f", -5, 7, 123456L, 4000000000u,
             255, 0xabcdefUL, 0xBEEF, 7, 5, 42, 1, 3, 3.14159);
    EXPECT_EQ(s, L"-5 7 123456 4000000000 ff abcdef BEEF 007  5  42 1  | +3 03.14");
    s.Format(L"%d", 0x1'0000'0005LL);  // only the low 32 bits, as on the device
    EXPECT_EQ(s, L"5");
    s.Format(L"%lld %I64d", 0x1'0000'0005LL, -1LL);
    EXPECT_EQ(s, L"4294967301 -1");
}

TEST(Format, ScientificGeneralAndSpecials) {
    CString s;
    s.Format(L"%e|%g|%.3g|%E|%G|%%|%.0f|%.3f", 12345.678, 0.0001, 1234567.0, 1e-10, 1e20, 0.5,
             -0.0);
    EXPECT_EQ(s, L"1.234568e+04|0.0001|1.23e+06|1.000000E-10|1E+20|%|0|-0.000");
    s.Format(L"%*d|%-*d|%.*f", 5, 42, 4, 7, 2, 3.14159);
    EXPECT_EQ(s, L"   42|7   |3.14");
}

TEST(Format, MismatchedOrMissingArgumentsNeverCrash) {
    CString s;
    s.Format(L"%s %d %f %s", 5, L"text", 7, 1.5);
    EXPECT_FALSE(s.IsEmpty());
    s.Format(L"%d %d %s", 1);
    EXPECT_EQ(s, L"1 0 (null)");
    s.Format(L"100%");
    EXPECT_EQ(s, L"100%");
    s.Format(L"%q %w");
    EXPECT_EQ(s, L"%q %w");
    s.Format(L"%.1000000f", 1.0);
    EXPECT_GT(s.GetLength(), 1000);
    // "*" takes an int, as on the device: the low 32 bits of the argument.
    s.Format(L"%*d|%.*f", std::numeric_limits<long long>::min(), 1,
             std::numeric_limits<long long>::min(), 2.5);
    EXPECT_EQ(s, L"1|2");
}

TEST(Format, AppendFormatAndSelfReference) {
    CString s(L"x=%d");
    s.Format(s, 3);
    EXPECT_EQ(s, L"x=3");
    s.AppendFormat(L",%s", s);
    EXPECT_EQ(s, L"x=3,x=3");
    EXPECT_EQ(FormatString(L"%.8f", 1.0 / 3.0), L"0.33333333");
}

}  // namespace
