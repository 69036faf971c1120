// One position update of each stake-out screen (read-outs, marker, dashed
// line or guide lines, prompts) with a library of 10,000 points (5,000
// lines) and 1,000 recorded points, against the same with 10 and 1: the
// goal is under 1 ms an update, not growing with the counts. The screens
// run modeless on a device root in /dev/shm; the fix steps back and forth
// by 5 cm near the target, so every update moves the marker.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/FrameMessages.h"
#include "app/stakeout/LineStakeoutDlg.h"
#include "app/stakeout/StakeoutDlg.h"
#include "platform/controls/Controls.h"
#include "platform/files/DevicePath.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

namespace {

namespace fs = std::filesystem;

struct ShmRoot {
    explicit ShmRoot(int points, int recorded) {
        std::string pattern = "/dev/shm/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        fs::create_directories(host + "/Flash Disk/job");
        std::ofstream ptb(host + "/Flash Disk/job/a.ptb", std::ios::binary);
        std::ofstream lnb(host + "/Flash Disk/job/a.lnb", std::ios::binary);
        for (int i = 0; i < points; ++i) {
            ptb << "0,P" << i << ',' << 1000 + (i % 100) << ',' << 2000 + i / 100 << ",10,c,\r\n";
            if (i % 2 == 0)
                lnb << "S" << i << ',' << 1000 + (i % 100) << ',' << 2000 + i / 100 << ",10,,E" << i
                    << ',' << 1001 + (i % 100) << ',' << 2000 + i / 100 << ",10,,0,\r\n";
        }
        for (const char* ext : {"ptr", "lnr"}) {
            std::ofstream rec(host + "/Flash Disk/job/a." + ext, std::ios::binary);
            for (int i = 0; i < recorded; ++i)
                rec << "R" << i << ',' << 1000 + (i % 100) * 0.5 << ',' << 2000 + i / 100
                    << ",10,c\r\n";
        }
        quorvel::SetDeviceRoot(host);
        quorvel::gdi::Install();
        quorvel::resources::Install();
        quorvel::controls::RegisterStandardClasses();
    }
    ~ShmRoot() {
        quorvel::SetDeviceRoot("");
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    std::string host;
};

SurveyRecord Fix(double x, double y) {
    SurveyRecord fix;
    fix.dX = x;
    fix.dY = y;
    fix.dGridH = 10.0;
    fix.strStatus = L"FIXED";
    fix.nSolution = 10;
    fix.nSatsUsed = 12;
    return fix;
}

void Updates(benchmark::State& state, HWND screen, double x, double y) {
    int i = 0;
    for (auto _ : state) {
        const SurveyRecord fix = Fix(x + (i++ % 2) * 0.05, y);
        ::SendMessage(screen, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix), kGpsPositionNew);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PointScreenUpdate(benchmark::State& state) {
    ShmRoot root(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CStakeoutDlg screen;
    screen.Create(IDD_STAKEOUT);
    screen.TakeLibraryChoice(stakeout::ReadPointLibrary(L"\\Flash Disk\\job\\a.ptb"), 0,
                             L"\\Flash Disk\\job\\a.ptb");
    quorvel::win::PumpUntilIdle();
    // Near the first point: the marker, the dashed line and the rings.
    Updates(state, screen.GetSafeHwnd(), 1000.3, 2000.2);
    state.counters["points"] = static_cast<double>(screen.StakePoints().size());
    state.counters["recorded"] = static_cast<double>(screen.RecordedPoints().size());
    screen.DestroyWindow();
}

void BM_LineScreenUpdate(benchmark::State& state) {
    ShmRoot root(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CLineStakeoutDlg screen;
    screen.Create(IDD_LINE_STAKEOUT);
    std::vector<stakeout::StakeLine> lines = stakeout::ReadLineLibrary(L"\\Flash Disk\\job\\a.lnb");
    screen.ChooseLine(lines, 0, L"\\Flash Disk\\job\\a.lnb");
    quorvel::win::PumpUntilIdle();
    // Beside the first line: read-outs, prompts and the guide lines.
    Updates(state, screen.GetSafeHwnd(), 1000.5, 2000.3);
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["recorded"] = static_cast<double>(screen.RecordedPoints().size());
    screen.DestroyWindow();
}

}  // namespace

BENCHMARK(BM_PointScreenUpdate)->Args({10, 1})->Args({10000, 1000})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineScreenUpdate)->Args({10, 1})->Args({10000, 1000})->Unit(benchmark::kMicrosecond);
