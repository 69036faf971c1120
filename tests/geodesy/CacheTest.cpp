// The engine keeps the base latitude's meridian arc and the four-parameter
// rotation's cosine and sine between calls. One engine serving a stream of
// changing jobs (as the document's and the receiver's engines do) must give,
// bit for bit, what a fresh engine gives for every call.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "geodesy/CoordTransform.h"

namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Jobs that differ in exactly what the caches depend on: ellipsoid, base
// latitude, projection height (none, negative, small, large) and rotation.
std::vector<CoordSysParams> RandomJobs(std::mt19937_64& rng) {
    const double ellipsoids[][2] = {
        {6378245.0, 298.3}, {6378140.0, 298.257}, {6378137.0, 298.257223563}, {6378388.0, 297.0}};
    const double heights[] = {0.0, -30.0, 1e-7, 50.0, 1830.0};
    const double rotations[] = {0.0, -0.0, 1.5e-5, -0.0123, 3.1};
    std::uniform_int_distribution<int> pick(0, 4);
    std::uniform_real_distribution<double> base(0.0, 45.0);
    std::vector<CoordSysParams> jobs;
    for (int i = 0; i < 12; ++i) {
        CoordSysParams p;
        const int e = pick(rng) % 4;
        p.szdDa = ellipsoids[e][0];
        p.szdDf = ellipsoids[e][1];
        p.nTouYin = pick(rng);
        p.szdCenter = 111.0 + 3.0 * (i % 3);
        p.szlTx = i % 2 == 0 ? 0 : -3000000;
        p.szlTy = 500000;
        p.szdTk = i % 3 == 0 ? 1.0 : 0.9996;
        p.szdTlon = i % 4 == 0 ? 0.0 : base(rng);
        p.szdTHigh = heights[pick(rng)];
        p.nSevenPar = i % 2;
        p.szddx = -15.4, p.szddy = 139.2, p.szddz = 51.3;
        p.szdWx = 8.78e-6, p.szdWy = -4.53e-6, p.szdWz = 1.167e-5, p.szddK = 2.5e-6;
        p.nDifang = i % 3 != 1;
        p.szdCx1 = -2531.27, p.szdCy1 = 1207.5, p.szdCk1 = 1.0000213;
        p.szdCa1 = rotations[pick(rng)];
        jobs.push_back(p);
    }
    return jobs;
}

TEST(Caches, ALongLivedEngineGivesWhatAFreshOneGives) {
    std::mt19937_64 rng(61232);
    const std::vector<CoordSysParams> jobs = RandomJobs(rng);
    std::uniform_int_distribution<size_t> pickJob(0, jobs.size() - 1);
    std::uniform_int_distribution<int> runLength(1, 4);
    std::uniform_real_distribution<double> lat(15.0, 55.0), dlon(-3.0, 3.0), h(-50.0, 3000.0);
    CCoordTransform longLived;
    int differing = 0;
    for (int call = 0; call < 20000;) {
        const CoordSysParams& job = jobs[pickJob(rng)];
        for (int n = runLength(rng); n > 0; --n, ++call) {
            const double B = lat(rng), L = job.szdCenter + dlon(rng), H = h(rng);
            CCoordTransform fresh, freshBack;
            double x1 = 0, y1 = 0, h1 = 0, x2 = 0, y2 = 0, h2 = 0;
            longLived.Wgs84ToGrid(B, L, H, job, x1, y1, h1);
            fresh.Wgs84ToGrid(B, L, H, job, x2, y2, h2);
            double B1 = 0, L1 = 0, H1 = 0, B2 = 0, L2 = 0, H2 = 0;
            longLived.GridToWgs84(x1, y1, h1, job, B1, L1, H1);
            freshBack.GridToWgs84(x1, y1, h1, job, B2, L2, H2);
            const bool same = SameBits(x1, x2) && SameBits(y1, y2) && SameBits(h1, h2) &&
                              SameBits(B1, B2) && SameBits(L1, L2) && SameBits(H1, H2);
            if (!same && ++differing <= 5)
                ADD_FAILURE() << "call " << call << " type " << job.nTouYin;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(Caches, NegativeZeroRotationIsNotTheCachedZero) {
    // x' = dx + k4 (x cos t - y sin t) with every term zero: only the sign
    // of sin(-0.0) decides the sign of the result.
    CCoordTransform engine;
    double x = -0.0, y = 1.0;
    engine.SetFourParams(-0.0, 0.0, -0.0, 1.0);
    engine.ApplyFourParams(x, y);
    const double literal = -0.0 + 1.0 * (-0.0 * std::cos(-0.0) - 1.0 * std::sin(-0.0));
    EXPECT_TRUE(SameBits(x, literal));
}

}  // namespace
