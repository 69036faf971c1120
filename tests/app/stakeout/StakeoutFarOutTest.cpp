// Lines, positions and prompt settings far beyond any survey, as a damaged
// library row or settings file gives them: the read-outs show a number
// wherever one exists and stay empty where none does (never "inf" or
// "nan"), and the rings and guide lines come back at once.
#include <cmath>
#include <limits>
#include <numeric>

#include <gtest/gtest.h>

#include "tests/app/stakeout/StakeoutShapes.h"

namespace {

using namespace stakeout;
using namespace stakeouttest;

std::vector<std::string> Texts(const LineReadouts& r) {
    return {U8(r.offset), U8(r.startDist), U8(r.endDist), U8(r.chainage), U8(r.dx), U8(r.dy)};
}

// The number of a read-out, after its direction word (3 bytes) if any.
double Number(const CString& text, size_t word = 3) {
    return std::stod(U8(text).substr(word));
}

TEST(StakeoutFarOutTest, LinesAndPositionsFarOutReadNumbersOrNothing) {
    // Heron's product of this line and position is some 1e600; the same
    // triangle 1e140 times smaller reads the same digits.
    const LineReadouts big = ComputeLineReadouts(Line(0, 1e150, 2e150, 0), 1e149, 1e149, TRUE);
    const LineReadouts small = ComputeLineReadouts(Line(0, 1e10, 2e10, 0), 1e9, 1e9, TRUE);
    EXPECT_EQ(U8(big.offset).substr(0, 3), U8(small.offset).substr(0, 3));
    EXPECT_EQ(U8(big.dy).substr(0, 3), U8(small.dy).substr(0, 3));
    const std::pair<double, double> scaled[] = {
        {Number(big.offset), Number(small.offset)},
        {Number(big.chainage, 0), Number(small.chainage, 0)},
        {Number(big.endDist, 0), Number(small.endDist, 0)},
        {Number(big.dy), Number(small.dy)}};
    for (const auto& [b, s] : scaled) EXPECT_NEAR(b / 1e140, s, 1e-12 * std::fabs(s));
    // A start at (1e300, 1) and an end at (1e300, 0), and a line 1e32 long
    // with the position 5 km from its start: Heron's product loses every
    // digit of the offset (it gave 0), so the offset and what follows from
    // it stay empty; the distances to the ends are shown.
    for (const StakeLine& far : {Line(1e300, 1, 1e300, 0), Line(0, 0, 0, 1e32)}) {
        const LineReadouts r = ComputeLineReadouts(far, 5000, 40, FALSE);
        for (const std::string& t : Texts(r))
            EXPECT_TRUE(t.find("inf") == t.npos && t.find("nan") == t.npos) << t;
        EXPECT_EQ(U8(r.offset), "");
        EXPECT_EQ(U8(r.chainage), "");
        EXPECT_EQ(U8(r.dx) + U8(r.dy), "");
        EXPECT_NE(U8(r.startDist), "");
        EXPECT_NE(U8(r.endDist), "");
    }
    // An ordinary line seen from 100 km down its extension still reads.
    const LineReadouts along = ComputeLineReadouts(Line(0, 0, 0, 1000), 3, 101000, FALSE);
    EXPECT_EQ(U8(along.offset), "左3.000");
    EXPECT_EQ(U8(along.startDist), "101000.000");
    // A chainage past the largest double: that read-out alone is empty.
    const LineReadouts past = ComputeLineReadouts(
        Line(0, 0, 0, 4e292, std::numeric_limits<double>::max()), 1e292, 2e292, TRUE);
    EXPECT_EQ(U8(past.chainage), "");
    EXPECT_NE(U8(past.startDist), "");
    EXPECT_NE(U8(past.offset), "");
    // Distances to the ends past the largest double: nothing to show.
    const LineReadouts lost = ComputeLineReadouts(Line(0, 0, 100, 0), -1.5e308, 1.5e308, FALSE);
    for (const std::string& t : Texts(lost)) EXPECT_EQ(t, "");
    // The point screen alike.
    PointRecord target;
    target.dX = 1e200;
    EXPECT_NEAR(Number(ComputePointReadouts(target, 0, 1e200, 0, FALSE, 0).distance, 0) / 1e200,
                std::sqrt(2.0), 1e-12);
    target.dX = 1.5e308;
    EXPECT_EQ(U8(ComputePointReadouts(target, -1.5e308, 0, 0, FALSE, 0).distance), "");
}

// Prompts 1e-10 of a pixel apart put 1e10 multiples on every pixel; each
// pixel still gets its one mark, at the first multiple that reaches it.
TEST(StakeoutFarOutTest, PromptsFinerThanAPixelGiveOneMarkAPixelAtOnce) {
    std::vector<int> every(176);
    std::iota(every.begin(), every.end(), 1);
    EXPECT_EQ(PromptRingRadii(View(1e6), {100, 75}, 0.0001, 1e30), every);
    // A line through the middle, prompts 10 m apart up to 1e32: a guide
    // line on each pixel to the plan's far corner.
    PlanView v = View(1e6);
    v.Centre(0, 0);
    const std::vector<double> offsets = GuideLineOffsets(v, 0, -1e8, 0, 1e8, 10, 1e32);
    ASSERT_EQ(offsets.size(), 75u);
    for (size_t k = 0; k < offsets.size(); ++k) EXPECT_EQ(offsets[k], (k + 1) * 1e6);
    // Fitted to a line 1e32 long: 1e28 multiples a pixel, past where
    // adding one still changes a double.
    v.ZoomToExtent({{0, 0}, {0, 1e32}});
    const std::vector<double> far = GuideLineOffsets(v, 0, 0, 0, 1e32, 10, 1e32);
    ASSERT_FALSE(far.empty());
    for (size_t k = 1; k < far.size(); ++k)
        EXPECT_GT(std::trunc(far[k] / v.scale), std::trunc(far[k - 1] / v.scale));
    EXPECT_LE(GuideLineOffsets(View(1e290), 0, 0, 1e300, 0, 0.00011, 1e300).size(), 500u);
    EXPECT_LE(PromptRingRadii(View(1e290), {100, 75}, 0.0001, 1e300).size(), 500u);
}

}  // namespace
