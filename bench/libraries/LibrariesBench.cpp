// The coordinate library of a job with 20,000 points (<job>.lib on tmpfs,
// half raw-grid, half library records, some names Chinese): opening the
// dialog in the full mode (read, parse, fill the list control), saving
// it, and a find over all rows; and the control-point recalculation of a
// full table of 50 rows (four parameters and a height fit). Goals: opening
// under 300 ms, a save under 100 ms, a find under 10 ms, a recalculation
// under 1 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/FindCoordDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/DevicePath.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"
#include "pointdata/ControlPoints.h"
#include "res/resource.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPoints = 20000;

// A device root on tmpfs with the default job "ruvo" and its library, and
// the program's one document pointing at it.
struct Job {
    Job() {
        std::string pattern = "/dev/shm/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        fs::create_directories(host + "/Flash Disk/Jobs/ruvo/data");
        std::string lib;
        for (int i = 0; i < kPoints; ++i) {
            const std::string name = (i % 3 == 0   ? "PT"
                                      : i % 3 == 1 ? "pt"
                                                   : "测点") +
                                     std::to_string(i);
            lib += std::to_string(i % 2) + "," + name + "," + std::to_string(3381000 + i) +
                   ".123," + std::to_string(512000 + i) + ".456,12.345,00000000\r\n";
        }
        std::ofstream(host + "/Flash Disk/Jobs/ruvo/ruvo.lib", std::ios::binary)
            << quorvel::ToGbk(quorvel::FromUtf8(lib).GetString());
        quorvel::SetDeviceRoot(host);
        quorvel::gdi::Install();
        quorvel::resources::Install();
        quorvel::controls::RegisterStandardClasses();
        doc = std::make_unique<CVendropDoc>();
        g_pDoc = doc.get();
        doc->SetDefaultJob();
        doc->DeriveJobPaths();
        doc->SetDefaultIniRecord();
        doc->SetDefaultParRecord();
        main.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                      nullptr, nullptr);
    }
    ~Job() {
        main.DestroyWindow();
        g_pDoc = nullptr;
        doc.reset();
        quorvel::SetDeviceRoot("");
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    std::string host;
    std::unique_ptr<CVendropDoc> doc;
    CWnd main;
};

class OpenLibrary : public CCoordLibDlg {
  public:
    OpenLibrary(CWnd* parent) {
        SetMode(2);
        Create(IDD_COORD_LIB, parent);
    }
    ~OpenLibrary() {
        if (GetSafeHwnd()) DestroyWindow();
    }
    int Rows() const {
        return static_cast<int>(
            ::SendDlgItemMessage(GetSafeHwnd(), IDC_LIB_LIST, LVM_GETITEMCOUNT, 0, 0));
    }
};

void BM_OpenLibraryOf20000Points(benchmark::State& state) {
    Job job;
    int rows = 0;
    for (auto _ : state) {
        OpenLibrary dlg(&job.main);
        rows = dlg.Rows();
        state.PauseTiming();
        dlg.DestroyWindow();
        quorvel::win::PumpUntilIdle();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_OpenLibraryOf20000Points)->Unit(benchmark::kMillisecond);

void BM_SaveLibraryOf20000Points(benchmark::State& state) {
    Job job;
    OpenLibrary dlg(&job.main);
    for (auto _ : state) {
        if (!dlg.SaveToFile()) std::abort();
    }
    state.counters["bytes"] =
        static_cast<double>(fs::file_size(job.host + "/Flash Disk/Jobs/ruvo/ruvo.lib"));
}
BENCHMARK(BM_SaveLibraryOf20000Points)->Unit(benchmark::kMillisecond);

void BM_FindAmong20000Points(benchmark::State& state) {
    std::vector<GeoPointRecord> points;
    for (int i = 0; i < kPoints; ++i)
        points.push_back({{(i % 2 ? L"APT" : L"pt") + CString(std::to_wstring(i)), 1.0 * i, 2.0,
                           3.0, L"00000000"},
                          i});
    size_t found = 0;
    for (auto _ : state) {
        found = CFindPointDlg::Matches(points, L"pt12").size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
}
BENCHMARK(BM_FindAmong20000Points)->Unit(benchmark::kMillisecond);

void BM_RecalculateFiftyControlRows(benchmark::State& state) {
    CCoordTransform engine;
    engine.SetEllipsoid(6378245.0, 298.3);
    engine.SetProjection(0, 500000, 114.0, 1.0, 0.0, 0.0);
    std::vector<pointdata::ControlCalcRow> rows(pointdata::kMaxControlRows);
    for (size_t i = 0; i < rows.size(); ++i) {
        pointdata::ControlCalcRow& r = rows[i];
        r.rawN = 3381000.0 + 37.0 * static_cast<double>(i);
        r.rawE = 512000.0 + 53.0 * static_cast<double>(i % 7);
        r.rawH = 40.0 + 0.01 * static_cast<double>(i);
        r.knownN = r.rawN + 120.5 + 1e-3 * std::sin(static_cast<double>(i));
        r.knownE = r.rawE - 80.25;
        r.knownH = r.rawH + 10.1 + 1e-3 * std::cos(static_cast<double>(i));
        r.usePlane = r.useHeight = true;
    }
    pointdata::ControlCalcResult result;
    for (auto _ : state) {
        result = pointdata::RecalculateControlRows(engine, rows, 1, 1, result);
        benchmark::DoNotOptimize(result.planeKind);
    }
    state.counters["plane"] = result.planeKind;
    state.counters["height"] = result.heightKind;
}
BENCHMARK(BM_RecalculateFiftyControlRows)->Unit(benchmark::kMicrosecond);

}  // namespace
