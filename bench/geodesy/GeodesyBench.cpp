// The engine's chain and projection against PROJ and GeographicLib, in one
// run. Each benchmark converts the same 1024 WGS84 points within 3 degrees
// of the central meridian; "max_diff_mm" is the largest disagreement with
// the engine over those points.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <GeographicLib/TransverseMercator.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "geodesy/CoordTransform.h"

namespace {

constexpr double kArcSecond = 4.84813681109536e-6;
constexpr double kPi = 3.14159265358979323846;
constexpr int kCount = 1024;

struct Point {
    double lat, lon, h;
};

const std::vector<Point>& Points() {
    static const std::vector<Point> points = [] {
        std::vector<Point> out;
        for (int i = 0; i < kCount; ++i) {
            out.push_back({22.0 + 20.0 * std::fabs(std::sin(0.37 * i)),
                           114.0 + 2.9 * std::sin(1.13 * i), 20.0 + (i % 50) * 13.0});
        }
        return out;
    }();
    return points;
}

// A Beijing-54 job with seven and four parameters.
CoordSysParams Job() {
    CoordSysParams p;
    p.szTitle = L"Quorvel1.1 Ver: 2012.06.01";
    p.szdDa = 6378245.0;
    p.szdDf = 298.3;
    p.szdCenter = 114.0;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.nSevenPar = 1;
    p.szddx = -15.415, p.szddy = 139.221, p.szddz = 51.292;
    p.szdWx = 1.812 * kArcSecond, p.szdWy = -0.934 * kArcSecond, p.szdWz = 2.407 * kArcSecond;
    p.szddK = 0.0;
    p.nDifang = 1;
    p.szdCx1 = -2531.27, p.szdCy1 = 1207.5, p.szdCa1 = 3.1 * kArcSecond, p.szdCk1 = 1.0000213;
    return p;
}

// The same chain as a PROJ pipeline on (longitude, latitude) in radians.
// PROJ's 2D Helmert works on (east, north); its scale is a plain factor.
std::string PipelineDefinition(const CoordSysParams& p) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "+proj=pipeline +step +proj=cart +ellps=WGS84 "
                  "+step +proj=helmert +x=%.6f +y=%.6f +z=%.6f +rx=%.6f +ry=%.6f +rz=%.6f "
                  "+s=%.6f +convention=coordinate_frame "
                  "+step +inv +proj=cart +a=%.3f +rf=%.9f "
                  "+step +proj=tmerc +lon_0=%.9f +k=%.9f +x_0=%d +y_0=%d +a=%.3f +rf=%.9f "
                  "+step +proj=helmert +x=%.6f +y=%.6f +theta=%.9f +s=%.12f",
                  p.szddx, p.szddy, p.szddz, p.szdWx / kArcSecond, p.szdWy / kArcSecond,
                  p.szdWz / kArcSecond, p.szddK * 1e6, p.szdDa, p.szdDf, p.szdCenter, p.szdTk,
                  p.szlTy, p.szlTx, p.szdDa, p.szdDf, p.szdCy1, p.szdCx1, p.szdCa1 / kArcSecond,
                  p.szdCk1);
    return text;
}

struct Proj {
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* pj = nullptr;
    explicit Proj(const std::string& definition) { pj = proj_create(ctx, definition.c_str()); }
    ~Proj() {
        proj_destroy(pj);
        proj_context_destroy(ctx);
    }
    PJ_COORD Forward(const Point& q) const {
        return proj_trans(pj, PJ_FWD, proj_coord(q.lon * kPi / 180, q.lat * kPi / 180, q.h, 0));
    }
};

void BM_Ours_Wgs84ToGrid(benchmark::State& state) {
    const CoordSysParams job = Job();
    CCoordTransform engine;
    for (auto _ : state) {
        for (const Point& q : Points()) {
            double x = 0.0, y = 0.0, h = 0.0;
            engine.Wgs84ToGrid(q.lat, q.lon, q.h, job, x, y, h);
            benchmark::DoNotOptimize(x + y + h);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_Ours_Wgs84ToGrid);

void BM_Proj_Pipeline(benchmark::State& state) {
    const CoordSysParams job = Job();
    const Proj proj(PipelineDefinition(job));
    if (proj.pj == nullptr) return state.SkipWithError("PROJ pipeline not created");
    double worst = 0.0;
    CCoordTransform engine;
    for (const Point& q : Points()) {
        double x = 0.0, y = 0.0, h = 0.0;
        engine.Wgs84ToGrid(q.lat, q.lon, q.h, job, x, y, h);
        const PJ_COORD c = proj.Forward(q);
        worst = std::max(worst, std::hypot(c.xyz.x - y, c.xyz.y - x, c.xyz.z - h));
    }
    for (auto _ : state) {
        for (const Point& q : Points()) benchmark::DoNotOptimize(proj.Forward(q));
    }
    state.SetItemsProcessed(state.iterations() * kCount);
    state.counters["max_diff_mm"] = worst * 1e3;
}
BENCHMARK(BM_Proj_Pipeline);

CCoordTransform TmEngine() {
    CCoordTransform engine;
    engine.SetEllipsoid(6378245.0, 298.3, 0.0);
    engine.SetProjection(0.0, 500000.0, 114.0, 1.0, 0.0, 0.0);
    return engine;
}

void BM_Ours_TmForward(benchmark::State& state) {
    const CCoordTransform engine = TmEngine();
    for (auto _ : state) {
        for (const Point& q : Points()) {
            double x = 0.0, y = 0.0;
            engine.TransverseMercatorForward(q.lat, q.lon, x, y);
            benchmark::DoNotOptimize(x + y);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_Ours_TmForward);

void BM_Ours_TmInverse(benchmark::State& state) {
    const CCoordTransform engine = TmEngine();
    std::vector<std::pair<double, double>> grid;
    for (const Point& q : Points()) {
        double x = 0.0, y = 0.0;
        engine.TransverseMercatorForward(q.lat, q.lon, x, y);
        grid.emplace_back(x, y);
    }
    for (auto _ : state) {
        for (const auto& [x, y] : grid) {
            double B = 0.0, L = 0.0;
            engine.TransverseMercatorInverse(x, y, B, L);
            benchmark::DoNotOptimize(B + L);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_Ours_TmInverse);

void BM_GeographicLib_TmForward(benchmark::State& state) {
    const GeographicLib::TransverseMercator tm(6378245.0, 1 / 298.3, 1.0);
    const CCoordTransform engine = TmEngine();
    double worst = 0.0;
    for (const Point& q : Points()) {
        double x = 0.0, y = 0.0, e = 0.0, n = 0.0;
        engine.TransverseMercatorForward(q.lat, q.lon, x, y);
        tm.Forward(114.0, q.lat, q.lon, e, n);
        worst = std::max(worst, std::hypot(e + 500000.0 - y, n - x));
    }
    for (auto _ : state) {
        for (const Point& q : Points()) {
            double e = 0.0, n = 0.0;
            tm.Forward(114.0, q.lat, q.lon, e, n);
            benchmark::DoNotOptimize(e + n);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
    state.counters["max_diff_mm"] = worst * 1e3;
}
BENCHMARK(BM_GeographicLib_TmForward);

void BM_GeographicLib_TmInverse(benchmark::State& state) {
    const GeographicLib::TransverseMercator tm(6378245.0, 1 / 298.3, 1.0);
    std::vector<std::pair<double, double>> grid;
    for (const Point& q : Points()) {
        double e = 0.0, n = 0.0;
        tm.Forward(114.0, q.lat, q.lon, e, n);
        grid.emplace_back(e, n);
    }
    for (auto _ : state) {
        for (const auto& [e, n] : grid) {
            double lat = 0.0, lon = 0.0;
            tm.Reverse(114.0, e, n, lat, lon);
            benchmark::DoNotOptimize(lat + lon);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_GeographicLib_TmInverse);

const char* kProjTmerc = "+proj=tmerc +lon_0=114 +k=1 +x_0=500000 +a=6378245 +rf=298.3";

void BM_Proj_TmForward(benchmark::State& state) {
    const Proj proj(kProjTmerc);
    const CCoordTransform engine = TmEngine();
    double worst = 0.0;
    for (const Point& q : Points()) {
        double x = 0.0, y = 0.0;
        engine.TransverseMercatorForward(q.lat, q.lon, x, y);
        const PJ_COORD c = proj.Forward(q);
        worst = std::max(worst, std::hypot(c.xy.x - y, c.xy.y - x));
    }
    for (auto _ : state) {
        for (const Point& q : Points()) benchmark::DoNotOptimize(proj.Forward(q));
    }
    state.SetItemsProcessed(state.iterations() * kCount);
    state.counters["max_diff_mm"] = worst * 1e3;
}
BENCHMARK(BM_Proj_TmForward);

void BM_Proj_TmInverse(benchmark::State& state) {
    const Proj proj(kProjTmerc);
    std::vector<PJ_COORD> grid;
    for (const Point& q : Points()) grid.push_back(proj.Forward(q));
    for (auto _ : state) {
        for (const PJ_COORD& c : grid) benchmark::DoNotOptimize(proj_trans(proj.pj, PJ_INV, c));
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_Proj_TmInverse);

}  // namespace
