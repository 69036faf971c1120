// Lines, positions and prompt settings far beyond any survey, as a damaged
// library row or settings file gives them: the read-outs show a number
// wherever one exists and stay empty where none does (never "inf" or
// "nan"), and the rings and guide lines come back at once.
#include <cmath>
#include <numeric>

#include <gtest/gtest.h>

#include "app/stakeout/StakeoutPlan.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "platform/base/TextConv.h"

namespace {

using namespace stakeout;

std::string U8(const CString& s) {
    return quorvel::ToUtf8(s.GetString());
}

StakeLine Line(double sx, double sy, double ex, double ey, double k0 = 0.0) {
    StakeLine l;
    l.start.dX = sx;
    l.start.dY = sy;
    l.end.dX = ex;
    l.end.dY = ey;
    l.chainage = k0;
    return l;
}

std::vector<std::string> Texts(const LineReadouts& r) {
    return {U8(r.offset), U8(r.startDist), U8(r.endDist), U8(r.chainage), U8(r.dx), U8(r.dy)};
}

bool HoldsNonNumber(const std::vector<std::string>& texts) {
    for (const std::string& t : texts)
        if (t.find("inf") != std::string::npos || t.find("nan") != std::string::npos) return true;
    return false;
}

// The number after a read-out's direction word (3 bytes in UTF-8).
double Magnitude(const CString& text) {
    return std::stod(U8(text).substr(3));
}

// `big` is `small` times 1e140, to the precision of a double.
void ExpectScaled(double big, double small) {
    EXPECT_NEAR(big / 1e140, small, 1e-12 * std::fabs(small));
}

TEST(StakeoutFarOutTest, ALineLongerThanHeronsSquaresReadsAsItsSmallerTwin) {
    // Heron's product of this triangle is some 1e600; the same triangle
    // 1e140 times smaller reads the same digits.
    for (BOOL plumb : {FALSE, TRUE}) {
        const LineReadouts big = ComputeLineReadouts(Line(0, 1e150, 2e150, 0), 1e149, 1e149, plumb);
        const LineReadouts small = ComputeLineReadouts(Line(0, 1e10, 2e10, 0), 1e9, 1e9, plumb);
        ASSERT_TRUE(big.valid);
        EXPECT_FALSE(HoldsNonNumber(Texts(big))) << U8(big.offset);
        EXPECT_EQ(U8(big.offset).substr(0, 3), U8(small.offset).substr(0, 3));
        ExpectScaled(Magnitude(big.offset), Magnitude(small.offset));
        ExpectScaled(big.along, small.along);
        ExpectScaled(std::stod(U8(big.chainage)), std::stod(U8(small.chainage)));
        ExpectScaled(std::stod(U8(big.endDist)), std::stod(U8(small.endDist)));
        EXPECT_EQ(U8(big.dy).substr(0, 3), U8(small.dy).substr(0, 3));
        ExpectScaled(Magnitude(big.dy), Magnitude(small.dy));
    }
}

TEST(StakeoutFarOutTest, ADamagedRowFarOutShowsNumbersOrNothing) {
    // A start at (1e300, 1) and an end at (1e300, 0) seen from near the
    // origin: every distance is finite, so each read-out is a number.
    const LineReadouts far = ComputeLineReadouts(Line(1e300, 1, 1e300, 0), 5, 5, TRUE);
    ASSERT_TRUE(far.valid);
    for (const std::string& t : Texts(far)) {
        EXPECT_FALSE(t.empty());
        EXPECT_EQ(HoldsNonNumber({t}), false) << t;
    }
    // A chainage beyond the largest double: that read-out alone is empty.
    const LineReadouts past = ComputeLineReadouts(Line(1e308, 1, 1e308, 0, 1e308), 5, 5, TRUE);
    EXPECT_EQ(U8(past.chainage), "");
    EXPECT_FALSE(HoldsNonNumber(Texts(past)));
    EXPECT_FALSE(past.offset.IsEmpty());
    // A position whose distances to the ends exceed the largest double:
    // nothing can be measured, nothing is shown.
    const LineReadouts lost = ComputeLineReadouts(Line(0, 0, 100, 0), -1.5e308, 1.5e308, FALSE);
    EXPECT_TRUE(lost.valid);
    for (const std::string& t : Texts(lost)) EXPECT_EQ(t, "");
}

TEST(StakeoutFarOutTest, APointTargetFarOutShowsNumbersOrNothing) {
    PointRecord target;
    target.dX = 1e200;
    target.dY = -1e200;
    PointReadouts r = ComputePointReadouts(target, 0, 0, 0, FALSE, 0);
    EXPECT_NEAR(std::stod(U8(r.distance)) / 1e200, std::sqrt(2.0), 1e-12);
    target.dX = 1.5e308;
    r = ComputePointReadouts(target, -1.5e308, 0, 0, FALSE, 0);
    EXPECT_EQ(U8(r.dx), "");
    EXPECT_EQ(U8(r.distance), "");
    EXPECT_EQ(U8(r.dy).substr(0, 3), "西");
}

PlanView View(double scale) {
    PlanView v;
    v.rect = {0, 0, 200, 150};
    v.scale = scale;
    return v;
}

// Prompts 1e-10 of a pixel apart put 1e10 multiples on every pixel; each
// pixel still gets its one mark, at the first multiple that reaches it.
TEST(StakeoutFarOutTest, PromptsFinerThanAPixelGiveOneMarkAPixelAtOnce) {
    std::vector<int> every(176);
    std::iota(every.begin(), every.end(), 1);
    EXPECT_EQ(PromptRingRadii(View(1e6), {100, 75}, 0.0001, 1e30), every);
    // A horizontal line through the middle, 2e8 m long, prompts 10 m apart
    // up to 1e32: a guide line on each pixel to the plan's far corner.
    PlanView v = View(1e6);
    v.Centre(0, 0);
    const std::vector<double> offsets = GuideLineOffsets(v, 0, -1e8, 0, 1e8, 10, 1e32);
    ASSERT_EQ(offsets.size(), 75u);
    for (size_t k = 0; k < offsets.size(); ++k) EXPECT_EQ(offsets[k], (k + 1) * 1e6);
}

TEST(StakeoutFarOutTest, GuideLinesOfALineFarLongerThanTheCounterCanCount) {
    // The view fitted to a line 1e32 long: some 1e28 multiples of 10 m on
    // one pixel, beyond where adding one still changes a double.
    PlanView v = View(1.0);
    v.ZoomToExtent({{0, 0}, {0, 1e32}});
    const std::vector<double> offsets = GuideLineOffsets(v, 0, 0, 0, 1e32, 10, 1e32);
    ASSERT_FALSE(offsets.empty());
    EXPECT_LE(offsets.size(), 500u);
    double pixel = 0.0;
    for (double off : offsets) {
        EXPECT_GT(std::trunc(off / v.scale), pixel) << off;
        pixel = std::trunc(off / v.scale);
    }
    // Prompts as fine as allowed over a view of 1e290 m a pixel.
    EXPECT_LE(GuideLineOffsets(View(1e290), 0, 0, 1e300, 0, 0.00011, 1e300).size(), 500u);
    EXPECT_LE(PromptRingRadii(View(1e290), {100, 75}, 0.0001, 1e300).size(), 500u);
}

}  // namespace
