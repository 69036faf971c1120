// Post-processing of a raw epoch file of 1,000,000 lines (about 150 MB; one
// epoch in 100 stored as a point, one name in 100 Chinese), on tmpfs
// (/dev/shm) so that the figures are the code's and not the disk's.
//
// Side by side, in the same run:
//   Copy       the file read whole and written as the atomic replace
//              writes (temporary file, flush, rename): the floor;
//   Correct    CorrectCoordinates with seven and four parameters and a
//              height fit (source 1), the whole raw file rewritten;
//   Run/N      LoadRawFile and Run for format 0, 1 and a user format.
// "MB/s" is the raw file's size over the time. PeakMemory runs each once in
// a child process and reports its peak resident size against the file's
// size ("peak_over_file"). Goals: Run at least half the copy's MB/s,
// Correct a third; peak under three times the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "app/DeviceFiles.h"
#include "app/convert/RtkConverter.h"
#include "app/postproc/PostProcJob.h"
#include "app/postproc/PostProcText.h"
#include "app/settings/DefaultRecords.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/DevicePath.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1000000;
const wchar_t kRaw[] = L"\\LN0.org";

class Quiet : public postproc::IPostProcMessages {
  public:
    void Inform(LPCTSTR) override {}
    BOOL AskYesNo(LPCTSTR) override { return FALSE; }
};

std::string RawLine(int i) {
    char line[400];
    const double lat = 30.1234567890 + (i % 1000) * 1e-7;
    const double lon = 117.2345678901 + (i / 1000) * 1e-7;
    const char* name = i % 97 == 0 ? "\xB5\xE3" : "P";  // GBK for a Chinese name
    std::snprintf(line, sizeof line,
                  "%s%d,2026-12-07,10:%02d:%05.2f,%.10f,%.10f,45.678,1.800,3343474.407,538130.920,"
                  "43.878,10,0.012,0.020,1.100,,,12,0,TIME,5.00,3.25,,,,0,%d,,,,,,,\r\n",
                  name, i, (i / 60) % 60, (i % 60) * 1.0, lat, lon, i % 100 == 0 ? 1 : 0);
    return line;
}

struct Fixture {
    Fixture() {
        std::string pattern = "/dev/shm/quorvel-postproc-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        for (int i = 0; i < kLines; ++i) raw += RawLine(i);
        FillDefaultParRecord(job);
        job.szdCenter = 117.0;
        job.nSevenPar = 1;
        job.szddx = -15.4;
        job.szddy = 139.2;
        job.szddz = 51.3;
        job.szddK = 2.5e-6;
        job.nDifang = 1;
        job.szdCx1 = 12.0;
        job.szdCa1 = 1.5e-5;
        job.szdCk1 = 1.0000035;
        job.nNiheMode = 1;
        job.szdNiheA0 = -8.5;
        job.szdNiheA3 = 1e-10;
        job.szdNiheX0 = 3340000.0;
        job.szdNiheY0 = 520000.0;
        FillDefaultIniRecord(settings);
        ResultFormatRecord f;
        f.m_strName = L"Coords";
        f.m_strSeparator = L",";
        f.m_strCoordExt = L"txt";
        f.m_strCoordFields = L"0:7:8:9:10:11:";
        f.m_bDepthFile = 1;
        f.m_strDepthExt = L"dep";
        f.m_strDepthFields = L"0:19:";
        formats.Add(f);
        Reset();
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    void Reset() const {
        FILE* f = std::fopen((host + "/LN0.org").c_str(), "wb");
        std::fwrite(raw.data(), 1, raw.size(), f);
        std::fclose(f);
    }
    std::string host;
    std::string raw;
    CoordSysParams job;
    SystemParams settings;
    CArray<ResultFormatRecord> formats;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Copy() {
    std::string bytes;
    ReadWholeDeviceFile(L"\\LN0.org", bytes);
    (void)quorvel::WriteFileAtomic(L"\\copy.org", bytes.data(),
                                   bytes.size());  // only the time counts
}

void Correct() {
    Fixture& f = Shared();
    Quiet quiet;
    CPostProcJob job;
    job.Attach(f.job, f.settings, f.formats, quiet);
    (void)job.CorrectCoordinates(1, L"", kRaw);  // only the time counts
}

void RunFormat(int index) {
    Fixture& f = Shared();
    Quiet quiet;
    CPostProcJob job;
    job.Attach(f.job, f.settings, f.formats, quiet);
    job.LoadRawFile(kRaw);
    job.SetOutputParams(0.0, index);
    (void)job.Run();  // only the time counts
}

void Measure(benchmark::State& state, const std::function<void()>& work) {
    Fixture& f = Shared();
    for (auto _ : state) {
        work();
        state.PauseTiming();
        f.Reset();
        state.ResumeTiming();
    }
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(f.raw.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Copy(benchmark::State& state) {
    Measure(state, Copy);
}
// The grid chain alone on the file's million positions, on one thread: the
// geodesy's share of Correct.
void BM_Chain(benchmark::State& state) {
    Fixture& f = Shared();
    convert::CGridChain chain(f.job, convert::GridShift{}, FALSE);
    double sum = 0.0;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) {
            double x = 0.0;
            double y = 0.0;
            double h = 0.0;
            chain.ToGrid(30.1234567890 + (i % 1000) * 1e-7, 117.2345678901 + (i / 1000) * 1e-7,
                         45.678, x, y, h);
            sum += x;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(f.raw.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

// The recompute of the file's bytes in memory, without the file's reading
// and writing.
void BM_RewriteInMemory(benchmark::State& state) {
    Fixture& f = Shared();
    const convert::CGridChain chain(f.job, convert::GridShift{}, FALSE);
    for (auto _ : state) {
        std::vector<std::string> pieces;
        postproc::RewriteRawParts(f.raw, chain, pieces);
        benchmark::DoNotOptimize(pieces.data());
    }
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(f.raw.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Correct(benchmark::State& state) {
    Measure(state, Correct);
}
void BM_Run(benchmark::State& state) {
    const int index = static_cast<int>(state.range(0));
    Measure(state, [index] { RunFormat(index); });
}

// A line of /proc/self/status in kB.
long StatusKb(const char* key) {
    FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = 0;
    const size_t length = std::strlen(key);
    while (f != nullptr && std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, key, length) == 0) kb = std::atol(line + length);
    }
    if (f != nullptr) std::fclose(f);
    return kb;
}

// Each operation once in a child: its peak resident size (VmHWM) less what
// it had at the start (the parent's pages it shares), over the file's size.
void BM_PeakMemory(benchmark::State& state) {
    Fixture& f = Shared();
    const std::function<void()> work[] = {Copy, Correct, [] { RunFormat(0); }, [] { RunFormat(1); },
                                          [] { RunFormat(2); }};
    const auto& chosen = work[state.range(0)];
    double ratio = 0.0;
    for (auto _ : state) {
        int channel[2];
        if (pipe(channel) != 0) std::abort();
        const pid_t child = fork();
        if (child == 0) {
            const long before = StatusKb("VmRSS:");
            chosen();
            const double peak = static_cast<double>(StatusKb("VmHWM:") - before) * 1024.0;
            if (write(channel[1], &peak, sizeof peak) != sizeof peak) _exit(1);
            _exit(0);
        }
        double peak = 0.0;
        if (read(channel[0], &peak, sizeof peak) != sizeof peak) peak = -1.0;
        close(channel[0]);
        close(channel[1]);
        int status = 0;
        waitpid(child, &status, 0);
        ratio = peak / static_cast<double>(f.raw.size());
        f.Reset();
    }
    state.counters["peak_over_file"] = ratio;
}

}  // namespace

BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Chain)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->Threads(1)
    ->Threads(4);
BENCHMARK(BM_RewriteInMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Correct)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Run)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_PeakMemory)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);
