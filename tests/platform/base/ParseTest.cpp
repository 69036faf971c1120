// Number parsing in the "C" locale, and the fixed build date.
#include "platform/base/Parse.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/base/BuildDate.h"
#include "tests/platform/base/CommaLocale.h"

namespace {

struct DoubleCase {
    const wchar_t* text;
    double value;
    int consumed;
};

TEST(Parse, WcstodTakesTheLeadingDecimalNumber) {
    const DoubleCase cases[] = {
        {L"  12.5abc", 12.5, 6}, {L"-.5", -0.5, 3},
        {L"+3.", 3.0, 3},        {L"1e3x", 1000.0, 3},
        {L"1e", 1.0, 1},         {L"2E-2", 0.02, 4},
        {L"1,5", 1.0, 1},        {L"abc", 0.0, 0},
        {L"", 0.0, 0},           {L".", 0.0, 0},
        {L"-", 0.0, 0},          {L"inf", 0.0, 0},
        {L"nan", 0.0, 0},        {L"0x1p3", 0.0, 1},
        {L"\t\n 7", 7.0, 4},     {L"30.1234567891", 30.1234567891, 13},
    };
    for (const DoubleCase& c : cases) {
        wchar_t* end = nullptr;
        EXPECT_EQ(wcstod_c(c.text, &end), c.value) << "text: " << testing::PrintToString(c.text);
        EXPECT_EQ(end - c.text, c.consumed) << "text: " << testing::PrintToString(c.text);
    }
    EXPECT_EQ(wcstod_c(nullptr, nullptr), 0.0);
    EXPECT_EQ(atof_c("2.5e1"), 25.0);
    EXPECT_EQ(atof_c(nullptr), 0.0);
    EXPECT_EQ(_wtof(L"3.25m"), 3.25);
    EXPECT_EQ(_tstof(L"x"), 0.0);
}

TEST(Parse, IgnoresTheHostLocale) {
    CommaDecimalLocale comma;
    if (!comma.Active()) GTEST_SKIP() << comma.Why();
    ASSERT_EQ(std::strtod("1,5", nullptr), 1.5);  // the host's own parser takes the comma
    wchar_t* end = nullptr;
    const wchar_t* point = L"1.5";
    EXPECT_EQ(wcstod_c(point, &end), 1.5);
    EXPECT_EQ(end, point + 3);
    const wchar_t* comma15 = L"1,5";
    EXPECT_EQ(wcstod_c(comma15, &end), 1.0);
    EXPECT_EQ(end, comma15 + 1);
    EXPECT_EQ(atof_c("-2.25e1"), -22.5);
    EXPECT_EQ(_wtof(L"3.75"), 3.75);
}

TEST(Parse, WcstolIsTheDevices32BitLong) {
    wchar_t* end = nullptr;
    EXPECT_EQ(wcstol_c(L"  -42z", &end, 10), -42);
    EXPECT_EQ(*end, L'z');
    errno = 0;
    EXPECT_EQ(wcstol_c(L"2147483648", &end, 10), 2147483647L);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(*end, L'\0');
    EXPECT_EQ(wcstol_c(L"-2147483649", nullptr, 10), -2147483647L - 1);
    EXPECT_EQ(wcstol_c(L"-2147483648", nullptr, 10), -2147483647L - 1);
    EXPECT_EQ(wcstol_c(L"99999999999999999999999", nullptr, 10), 2147483647L);
    EXPECT_EQ(wcstol_c(L"0x1A", nullptr, 16), 26);
    EXPECT_EQ(wcstol_c(L"1a", nullptr, 16), 26);
    EXPECT_EQ(wcstol_c(L"010", nullptr, 0), 8);
    EXPECT_EQ(wcstol_c(L"0xg", &end, 16), 0);
    EXPECT_EQ(*end, L'x');
    const wchar_t* plus = L"+";
    EXPECT_EQ(wcstol_c(plus, &end, 10), 0);
    EXPECT_EQ(end, plus);
    EXPECT_EQ(wcstol_c(L"5", nullptr, 1), 0);
    EXPECT_EQ(wcstol_c(nullptr, nullptr, 10), 0);
    EXPECT_EQ(_wtoi(L"12abc"), 12);
    EXPECT_EQ(_wtoi(L"abc"), 0);
    EXPECT_EQ(_wtoi(nullptr), 0);
    EXPECT_EQ(_ttoi(L" 0031"), 31);
    EXPECT_EQ(_wtol(L"-7"), -7);
}

TEST(BuildDate, IsTheDevicesFixedDate) {
    EXPECT_STREQ(quorvel::kBuildDate, L"Jun  1 2012");
    EXPECT_STREQ(quorvel::kBuildDateA, "Jun  1 2012");
}

}  // namespace
