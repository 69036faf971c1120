// One raw epoch line appended the way a measurement records it: the
// writer's AppendFieldRecord (create when missing, open, look at the last
// byte, write, close) against fopen/fputs/fclose of the same bytes, both on
// tmpfs (/dev/shm) so that the figures are the code's and not the disk's.
// The goal is under 200 us an epoch; "ratio" is the writer's time over the
// C library's, measured in the same run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"
#include "pointdata/SurveyFileWriter.h"
#include "pointdata/SurveyLines.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTruncateEvery = 4096;  // keeps the file small on tmpfs
const wchar_t kRawFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";

// A temporary device root on tmpfs with the job's data folder.
struct ShmRoot {
    ShmRoot() {
        std::string pattern = "/dev/shm/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        for (LPCTSTR folder : {L"\\Flash Disk", L"\\Flash Disk\\Jobs", L"\\Flash Disk\\Jobs\\ruvo",
                               L"\\Flash Disk\\Jobs\\ruvo\\data"}) {
            (void)CreateDirectory(folder, nullptr);  // it may be there already
        }
    }
    ~ShmRoot() {
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    std::string HostFile() const { return host + "/Flash Disk/Jobs/ruvo/data/LN0.org"; }
    std::string host;
};

// A typical epoch: a stored point with a Chinese name, every field set.
CStringRecord32 Epoch() {
    const wchar_t* fields[] = {L"测点12",
                               L"2026-6-1",
                               L"08:05:03.25",
                               L"18.1500000000",
                               L"114.0300000000",
                               L"12.346",
                               L"1.800",
                               L"2018653.113",
                               L"505287.738",
                               L"13.700",
                               L"10",
                               L"0.012",
                               L"0.021",
                               L"1.250",
                               L"",
                               L"",
                               L"9",
                               L"0",
                               L"TIME",
                               L"1.00",
                               L"12.34",
                               L"",
                               L"",
                               L"",
                               L"0",
                               L"1"};
    CStringRecord32 record;
    int i = 0;
    for (const wchar_t* field : fields) record[i++] = field;
    return record;
}

void Truncate(const std::string& hostFile) {
    std::FILE* f = std::fopen(hostFile.c_str(), "wb");
    if (f != nullptr) std::fclose(f);
}

void BM_AppendFieldRecord(benchmark::State& state) {
    ShmRoot root;
    CSurveyFileWriter writer;
    const CStringRecord32 record = Epoch();
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(writer.AppendFieldRecord(kRawFile, record));
        if (++n % kTruncateEvery == 0) {
            state.PauseTiming();
            Truncate(root.HostFile());
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendFieldRecord)->Unit(benchmark::kMicrosecond);

// The same bytes with the C library: append mode, one fputs, close.
void BM_FopenFputsFclose(benchmark::State& state) {
    ShmRoot root;
    const std::string line =
        quorvel::ToGbk(quorvel::pointdata::FieldRecordLine(Epoch()).GetString()) + "\r\n";
    const std::string path = root.HostFile();
    int n = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "ab");
        if (f == nullptr) {
            state.SkipWithError("fopen failed");
            break;
        }
        std::fputs(line.c_str(), f);
        std::fclose(f);
        if (++n % kTruncateEvery == 0) {
            state.PauseTiming();
            Truncate(path);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FopenFputsFclose)->Unit(benchmark::kMicrosecond);

// Both appends interleaved epoch by epoch into two files, so that both see
// the same machine load: "writer_us" and "libc_us" per epoch and their
// "ratio".
void BM_WriterOverLibc(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    ShmRoot root;
    CSurveyFileWriter writer;
    const CStringRecord32 record = Epoch();
    const std::string line =
        quorvel::ToGbk(quorvel::pointdata::FieldRecordLine(record).GetString()) + "\r\n";
    const std::string libcPath = root.HostFile() + ".libc";
    Clock::duration writerTime{}, libcTime{};
    int n = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(writer.AppendFieldRecord(kRawFile, record));
        const auto t1 = Clock::now();
        std::FILE* f = std::fopen(libcPath.c_str(), "ab");
        if (f != nullptr) std::fputs(line.c_str(), f), std::fclose(f);
        writerTime += t1 - t0;
        libcTime += Clock::now() - t1;
        if (++n % kTruncateEvery == 0) Truncate(root.HostFile()), Truncate(libcPath);
    }
    const double epochs = static_cast<double>(state.iterations());
    const double writerUs = std::chrono::duration<double, std::micro>(writerTime).count();
    const double libcUs = std::chrono::duration<double, std::micro>(libcTime).count();
    state.counters["writer_us"] = writerUs / epochs;
    state.counters["libc_us"] = libcUs / epochs;
    state.counters["ratio"] = libcUs > 0.0 ? writerUs / libcUs : 0.0;
}
BENCHMARK(BM_WriterOverLibc)->Unit(benchmark::kMicrosecond);

}  // namespace
