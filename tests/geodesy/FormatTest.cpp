// Packed ddd.mmss angles and the angle, time and date texts.
#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"

namespace {

constexpr double kDeg = CCoordTransform::kDeg;

double Dms(double d, double m, double s) {
    return (d + m / 60.0 + s / 3600.0) * kDeg;
}

TEST(PackedAngle, PackedToRadians) {
    // 23 degrees 7 minutes 15.488 seconds, to the last digit of the
    // historical formula: each split nudges by 1e-12 and keeps the nudge in
    // its fraction, so seconds = 15 + 0.488000001..., summed seconds first.
    double whole = 0.0;
    const double r1 = std::modf(23.0715488 + 1e-12, &whole);
    const double r2 = std::modf(r1 * 100.0 + 1e-12, &whole);
    const double r3 = std::modf(r2 * 100.0 + 1e-12, &whole);
    const double expected = (15.0 * 0.0002777777777777778 + (r3 * 100.0) * 2.777777777777778e-6 +
                             7.0 * 0.016666666666666666 + 23.0) *
                            0.01745329251994278;
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(23.0715488, 1), expected);
    // The nudges leave every value 2.8e-12 degrees (0.3 micrometre) high.
    constexpr double kBias = 2.8e-12 * kDeg;
    EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(23.0715488, 1), Dms(23, 7, 15.488) + kBias,
                1e-15);
    EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(23.07, 1), Dms(23, 7, 0) + kBias, 1e-15);
    EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(360.0, 1), 360.0 * kDeg + kBias, 1e-15);
    EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(0.0001, 1), Dms(0, 0, 1) + kBias, 1e-15);
}

TEST(PackedAngle, RadiansToPackedWithCarries) {
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(Dms(23, 7, 15.488), 0), 23.0715488);
    // A fraction of a second of 0.9999 or more carries into the minutes and
    // degrees; 0.9998 does not.
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(Dms(23, 7, 59.99995), 0), 23.08);
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(Dms(23, 7, 59.9999999), 0), 23.08);
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(Dms(23, 59, 59.99995), 0), 24.0);
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(Dms(23, 7, 59.9998), 0), 23.07599998);
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(360.0 * kDeg, 0), 360.0);
    // At most ten decimals survive.
    const double packed = CCoordTransform::ConvertDmsRadian(Dms(1, 2, 3.456789), 0);
    EXPECT_EQ(packed, 1.0203456789);
}

TEST(PackedAngle, SignsAndZero) {
    for (int direction = 0; direction <= 1; ++direction) {
        EXPECT_EQ(CCoordTransform::ConvertDmsRadian(-0.5, direction),
                  -CCoordTransform::ConvertDmsRadian(0.5, direction));
    }
    const double zero = CCoordTransform::ConvertDmsRadian(0.0, 0);
    EXPECT_EQ(zero, 0.0);
    EXPECT_TRUE(std::signbit(zero));
    // Below 1e-9 in magnitude everything is zero, negative zero below 1e-10.
    EXPECT_TRUE(std::signbit(CCoordTransform::ConvertDmsRadian(5e-11, 1)));
    EXPECT_EQ(CCoordTransform::ConvertDmsRadian(-5e-10, 1), 0.0);
    EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(-113.5230123, 1), -Dms(113, 52, 30.123), 1e-13);
    // A NaN is not a magnitude of 1e-9 or less: it stays NaN, so that a
    // failed conversion upstream is not stored as a valid zero angle.
    EXPECT_TRUE(std::isnan(CCoordTransform::ConvertDmsRadian(NAN, 0)));
    EXPECT_TRUE(std::isnan(CCoordTransform::ConvertDmsRadian(NAN, 1)));
}

TEST(PackedAngle, PackedValuesSurviveARoundTrip) {
    const double values[] = {0.0000001,  0.5959999,   23.0715488,  45.3000001,
                             89.5959999, 113.5230123, 179.0000500, 359.5959990};
    for (double packed : values) {
        const double radians = CCoordTransform::ConvertDmsRadian(packed, 1);
        EXPECT_NEAR(CCoordTransform::ConvertDmsRadian(radians, 0), packed, 1.5e-10) << packed;
    }
}

TEST(AngleText, DegreesMinutesSeconds) {
    CString text;
    EXPECT_EQ(CCoordTransform::FormatAngleDMS(text, 0.4035), CString(L"023°07' 07.8493\""));
    EXPECT_EQ(text, CString(L"023°07' 07.8493\""));
    CCoordTransform::FormatAngleDMS(text, -0.4035);
    EXPECT_EQ(text, CString(L"-023°07' 07.8493\""));
    // Truncated, never rounded: a hair below 15 seconds.
    CCoordTransform::FormatAngleDMS(text, (15.0 / 3600.0 - 1e-11) * kDeg);
    EXPECT_EQ(text, CString(L"000°00' 14.9999\""));
    CCoordTransform::FormatAngleDMS(text, Dms(200, 0, 0) + 1e-13);
    EXPECT_EQ(text.Left(4), CString(L"200°"));
}

TEST(TimeAndDateText, AsWritten) {
    CString text;
    EXPECT_EQ(CCoordTransform::FormatTimeHMS(text, 9, 5, 3.256), CString(L"09:05:03.26"));
    CCoordTransform::FormatTimeHMS(text, 8, 5, 3.25);
    EXPECT_EQ(text, CString(L"08:05:03.25"));
    CCoordTransform::FormatTimeHMS(text, 23, 59, 59.999);
    EXPECT_EQ(text, CString(L"23:59:60.00"));  // no carry into the minutes
    EXPECT_EQ(CCoordTransform::FormatDate(text, 2026, 12, 5, 1), CString(L"2026年12月5日"));
    CCoordTransform::FormatDate(text, 2012, 6, 1, 0);
    EXPECT_EQ(text, CString(L"2012-6-1"));
}

}  // namespace
