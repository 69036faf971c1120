// One epoch of a running measurement as the receiver dispatcher records it:
// CMainFrame::RecordEpoch formats the 32 fields from the fix, applies the
// point-storing rule (naming the point and rewriting "GPSPtNum" when the
// epoch is stored), copies the record to the document and appends the line
// to the raw file. Measured on tmpfs (/dev/shm) so that the figures are the
// code's and not the disk's, beside fopen/fputs/fclose of the same line.
//
// The goal is under 200 us an epoch. "stored" stores every epoch (the
// counter file is rewritten each time: the worst case), "plain" none.
// BM_RecordEpochOverLibc interleaves both writers epoch by epoch so that
// they see the same load: "record_us", "libc_us" and their "ratio".
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/settings/DefaultRecords.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"
#include "pointdata/SurveyLines.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTruncateEvery = 4096;  // keeps the file small on tmpfs

// The program's document and frame over a job on tmpfs, measuring.
struct Run {
    Run() {
        std::string pattern = "/dev/shm/quorvel-record-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        for (LPCTSTR folder : {L"\\Flash Disk", L"\\Flash Disk\\Jobs", L"\\Flash Disk\\Jobs\\ruvo",
                               L"\\Flash Disk\\Jobs\\ruvo\\data"})
            (void)CreateDirectory(folder, nullptr);  // it may be there already
        g_pDoc = &doc;
        FillDefaultIniRecord(doc.m_sysParams);
        doc.m_strJobDir = L"\\Flash Disk\\Jobs\\ruvo\\";
        doc.m_strDataDir = L"\\Flash Disk\\Jobs\\ruvo\\data\\";
        doc.m_strRawFile = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
        doc.m_bMeasuring = 1;
        doc.m_dPointAntHeight = 1.8;
        frame.m_depth = SounderDepthBlock{12.34, 0, {1, 1}};
        SurveyRecord& f = frame.m_fix;
        f.dLat = 18.2519;
        f.dLon = 114.0512;
        f.dHeight = 12.3456;
        f.dX = 2018653.1134;
        f.dY = 505287.7381;
        f.dGridH = 13.7;
        f.nSolution = 10;
        f.dHrms = 0.012;
        f.dVrms = 0.021;
        f.dDop = 1.25;
        f.nSatsUsed = 9;
        f.nYear = 2026;
        f.nMonth = 6;
        f.nDay = 1;
        f.nHour = 8;
    }
    ~Run() {
        g_pDoc = nullptr;
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    // The next second of the run.
    void Tick() {
        SurveyRecord& f = frame.m_fix;
        f.dSecond += 1.0;
        if (f.dSecond >= 60.0) f.dSecond = 0.0, f.nMinute = (f.nMinute + 1) % 60;
    }
    std::string RawHostFile() const { return host + "/Flash Disk/Jobs/ruvo/data/LN0.org"; }

    std::string host;
    CVendropDoc doc;
    CMainFrame frame;
};

void Truncate(const std::string& hostFile) {
    std::FILE* f = std::fopen(hostFile.c_str(), "wb");
    if (f != nullptr) std::fclose(f);
}

void BM_RecordEpoch(benchmark::State& state) {
    Run run;
    // Every epoch stored (1 s) or none (a day).
    run.doc.m_sysParams.dCollectTime = state.range(0) ? 1.0 : 86400.0;
    int n = 0;
    for (auto _ : state) {
        run.Tick();
        run.frame.RecordEpoch();
        if (++n % kTruncateEvery == 0) {
            state.PauseTiming();
            Truncate(run.RawHostFile());
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecordEpoch)->ArgName("stored")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RecordEpochOverLibc(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Run run;
    run.doc.m_sysParams.dCollectTime = state.range(0) ? 1.0 : 86400.0;
    const std::string libcPath = run.RawHostFile() + ".libc";
    Clock::duration recordTime{}, libcTime{};
    int n = 0;
    for (auto _ : state) {
        run.Tick();
        const auto t0 = Clock::now();
        run.frame.RecordEpoch();
        const auto t1 = Clock::now();
        // The line just recorded, as the C library would append it.
        state.PauseTiming();
        const std::string line =
            quorvel::ToGbk(quorvel::pointdata::FieldRecordLine(run.frame.m_record).GetString()) +
            "\r\n";
        state.ResumeTiming();
        const auto t2 = Clock::now();
        std::FILE* f = std::fopen(libcPath.c_str(), "ab");
        if (f != nullptr) std::fputs(line.c_str(), f), std::fclose(f);
        recordTime += t1 - t0;
        libcTime += Clock::now() - t2;
        if (++n % kTruncateEvery == 0) Truncate(run.RawHostFile()), Truncate(libcPath);
    }
    const double epochs = static_cast<double>(state.iterations());
    const double recordUs = std::chrono::duration<double, std::micro>(recordTime).count();
    const double libcUs = std::chrono::duration<double, std::micro>(libcTime).count();
    state.counters["record_us"] = recordUs / epochs;
    state.counters["libc_us"] = libcUs / epochs;
    state.counters["ratio"] = libcUs > 0.0 ? recordUs / libcUs : 0.0;
}
BENCHMARK(BM_RecordEpochOverLibc)->ArgName("stored")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
