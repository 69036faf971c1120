// The conversions on whole files, on tmpfs (/dev/shm) so that the figures
// are the code's and not the disk's: a point file of 100,000 and 1,000,000
// lines into format 1 and into a drawing, and a raw RTK file of 100,000
// lines post-processed with seven and with four parameters, each with a
// height fit. "per_line" is the figure the goals are stated in (under
// 2 us a converted line, under 5 us an RTK line, flat with the size).
//
// Side by side, in the same run: the same lines cut and written by the C
// library (fgets, strchr, fputs), and the same RTK positions through PROJ's
// pipeline, the established tools of each half.
#include <benchmark/benchmark.h>
#include <proj.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/convert/PointFileConverter.h"
#include "app/convert/RtkConverter.h"
#include "app/settings/DefaultRecords.h"
#include "platform/files/DevicePath.h"

namespace {

namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;

// A device root on tmpfs with the source files written once per size.
struct ShmRoot {
    ShmRoot() {
        std::string pattern = "/dev/shm/quorvel-convert-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
    }
    ~ShmRoot() {
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        FILE* f = std::fopen((host + "/" + name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::string host;
};

ShmRoot& Root() {
    static ShmRoot root;
    return root;
}

// Point lines as a survey's data file holds them, Chinese names included.
std::string PointFile(int64_t lines) {
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 56);
    char line[128];
    for (int64_t i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "\xB2\xE2\xB5\xE3%lld,%.4f,%.4f,%.3f,DK%lld+%.3f\r\n",
                      static_cast<long long>(i), 3343474.4067 + 0.37 * static_cast<double>(i % 997),
                      538130.9197 - 0.21 * static_cast<double>(i % 991), 45.678 + (i % 50) * 0.01,
                      static_cast<long long>(i / 1000), static_cast<double>(i % 1000));
        text += line;
    }
    return text;
}

// Raw RTK point lines as the point writer writes them.
std::string RtkFile(int64_t lines) {
    std::string text = "Rem Version      Ver1.00.050603\r\n";
    char line[200];
    for (int64_t i = 0; i < lines; ++i) {
        const int minutes = static_cast<int>(i % 60);
        std::snprintf(line, sizeof line,
                      "P%lld,30.%02d%02d123456,117.%02d%02d654321,%.3f,C,1.800,4,0.012,0.020,12,"
                      "1.100,08:01:02.250,1\r\n",
                      static_cast<long long>(i), minutes, static_cast<int>(i % 59), minutes,
                      static_cast<int>((i * 7) % 59), 45.678 + (i % 100) * 0.1);
        text += line;
    }
    return text;
}

CoordSysParams Job(bool seven) {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    if (seven) {
        p.nSevenPar = 1;
        p.szddx = -15.4, p.szddy = 139.2, p.szddz = 51.3, p.szddK = 2.5e-6;
    } else {
        p.nDifang = 1;
        p.szdCx1 = 12.345, p.szdCy1 = -23.456, p.szdCa1 = 1.5e-5, p.szdCk1 = 1.0000035;
    }
    p.nNiheMode = 1;
    p.szdNiheA0 = -8.5, p.szdNiheA1 = 1e-5, p.szdNiheA3 = 1e-10;
    p.szdNiheX0 = 3340000.0, p.szdNiheY0 = 520000.0;
    return p;
}

// Lines per second, and its inverse: the time of one line (shown with its
// SI prefix, "u" for microseconds).
void PerLine(benchmark::State& state, int64_t lines) {
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(lines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void ConvertPoints(benchmark::State& state, int format) {
    const int64_t lines = state.range(0);
    Root().Write("points.dat", PointFile(lines));
    for (auto _ : state) {
        convert::CPointFileConverter converter(format);
        const convert::ConvertStatus status = convert::ConvertFile(
            L"\\points.dat", L"\\out.txt", converter, convert::EmptyOutput::kWrite);
        if (status != convert::ConvertStatus::kWritten) state.SkipWithError("not written");
    }
    PerLine(state, lines);
}

void BM_ConvertFormat1(benchmark::State& state) {
    ConvertPoints(state, 1);
}
BENCHMARK(BM_ConvertFormat1)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ConvertDxf(benchmark::State& state) {
    ConvertPoints(state, convert::kFormatDxf);
}
BENCHMARK(BM_ConvertDxf)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The C library's line loop: fgets, the fields found with strchr, the
// reordered line written with fputs.
void BM_StdioFormat1(benchmark::State& state) {
    const int64_t lines = state.range(0);
    Root().Write("points.dat", PointFile(lines));
    const std::string in = Root().host + "/points.dat";
    const std::string out = Root().host + "/stdio.txt";
    for (auto _ : state) {
        FILE* src = std::fopen(in.c_str(), "rb");
        FILE* dst = std::fopen(out.c_str(), "wb");
        char line[512];
        while (std::fgets(line, sizeof line, src)) {
            char* field[5] = {line};
            for (int i = 1; i < 5; ++i) {
                field[i] = std::strchr(field[i - 1], ',');
                if (!field[i]) break;
                *field[i]++ = 0;
            }
            if (char* end = std::strchr(field[4], '\r')) *end = 0;
            std::fputs(field[0], dst), std::fputc(',', dst), std::fputs(field[4], dst);
            std::fputc(',', dst), std::fputs(field[2], dst), std::fputc(',', dst);
            std::fputs(field[1], dst), std::fputc(',', dst), std::fputs(field[3], dst);
            std::fputs("\r\n", dst);
        }
        std::fclose(src);
        std::fclose(dst);
    }
    PerLine(state, lines);
}
BENCHMARK(BM_StdioFormat1)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void PostProcess(benchmark::State& state, bool seven) {
    const int64_t lines = state.range(0);
    Root().Write("raw.RTK", RtkFile(lines));
    const CoordSysParams job = Job(seven);
    for (auto _ : state) {
        convert::CRtkToGridConverter converter(job, convert::GridShift{2.7, 1.7, -1.5}, TRUE, 4);
        const convert::ConvertStatus status = convert::ConvertFile(
            L"\\raw.RTK", L"\\result.dat", converter, convert::EmptyOutput::kKeepTarget);
        if (status != convert::ConvertStatus::kWritten) state.SkipWithError("not written");
    }
    PerLine(state, lines);
}

void BM_PostProcessSevenParams(benchmark::State& state) {
    PostProcess(state, true);
}
BENCHMARK(BM_PostProcessSevenParams)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PostProcessFourParams(benchmark::State& state) {
    PostProcess(state, false);
}
BENCHMARK(BM_PostProcessFourParams)->Arg(100000)->Unit(benchmark::kMillisecond);

// PROJ's pipeline on the same positions (the transformation alone).
void BM_ProjSevenParams(benchmark::State& state) {
    const int64_t lines = state.range(0);
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* pj = proj_create(ctx,
                         "+proj=pipeline +step +proj=cart +ellps=WGS84 +step +proj=helmert "
                         "+x=-15.4 +y=139.2 +z=51.3 +s=2.5 +step +inv +proj=cart +ellps=krass "
                         "+step +proj=tmerc +lon_0=117 +k=1 +x_0=500000 +ellps=krass");
    for (auto _ : state) {
        double sum = 0.0;
        for (int64_t i = 0; i < lines; ++i) {
            const double lat = 30.0 + static_cast<double>(i % 60) / 60.0;
            const double lon = 117.0 + static_cast<double>((i * 7) % 59) / 60.0;
            const PJ_COORD c =
                proj_trans(pj, PJ_FWD, proj_coord(lon * kPi / 180, lat * kPi / 180, 45.0, 0));
            sum += c.xyz.x;
        }
        benchmark::DoNotOptimize(sum);
    }
    proj_destroy(pj);
    proj_context_destroy(ctx);
    PerLine(state, lines);
}
BENCHMARK(BM_ProjSevenParams)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
