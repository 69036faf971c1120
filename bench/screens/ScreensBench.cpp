// The point-measuring screen as the frame drives it, headless on a device
// root in tmpfs: one fix handed to it (read-outs, scale bar, marker, link
// indicator, north arrow and time drawn straight into its controls; the
// goal is under 200 us), and a full repaint of its plan with 20,000 points
// of the job's file, all of them shown (nShowSurveyPoint -1; the goal is
// under 20 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/FrameMessages.h"
#include "app/screens/DialogViewSavePoint.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"
#include "platform/files/DevicePath.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"

namespace {

namespace fs = std::filesystem;

// The document of the default job over a root in tmpfs, a host window of
// the handheld's size, and the screen in it after its first fix.
struct Screen {
    explicit Screen(int points) {
        std::string pattern = "/dev/shm/quorvel-screens-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        quorvel::gdi::Install();
        quorvel::resources::Install();
        quorvel::controls::RegisterStandardClasses();
        g_pDoc = &doc;
        doc.SetDefaultJob();
        doc.DeriveJobPaths();
        doc.SetDefaultIniRecord();
        doc.SetDefaultParRecord();
        doc.m_sysParams.nShowSurveyPoint = -1;
        const std::string data = host + "/Flash Disk/Jobs/ruvo/data";
        fs::create_directories(data);
        std::ofstream file(data + "/" + quorvel::ToUtf8(doc.m_strDataFile), std::ios::binary);
        for (int i = 0; i < points; ++i) {
            char line[128];
            std::snprintf(line, sizeof line, "P%d,%.3f,%.3f,10.000,C%d,10,\r\n", i,
                          5416000.0 + (i % 200) * 5.0, 668000.0 + (i / 200) * 5.0, i % 7);
            file << line;
        }
        file.close();
        main.CreateEx(0, AfxRegisterWndClass(0), L"Quorvel", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                      nullptr, nullptr);
        thread.m_pMainWnd = &main;
        view =
            static_cast<CDialogViewSavePoint*>(RUNTIME_CLASS(CDialogViewSavePoint)->CreateObject());
        CCreateContext context;
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 44, 240, 320), &main,
                     AFX_IDW_PANE_FIRST, &context);
        view->SendMessage(WM_INITIALUPDATE);
        Fix(0);
        Fix(1);
    }
    ~Screen() {
        main.DestroyWindow();
        quorvel::win::PumpUntilIdle();
        thread.m_pMainWnd = nullptr;
        g_pDoc = nullptr;
        quorvel::SetDeviceRoot("");
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    // A fix walking north-east, as the frame hands it on.
    void Fix(int i) {
        SurveyRecord& f = doc.m_curFix;
        f.dX = 5416500.0 + 0.3 * i;
        f.dY = 668500.0 + 0.2 * std::sin(i * 0.1);
        f.dGridH = 12.0;
        f.dLat = 48.8583;
        f.dLon = 11.2939;
        f.strStatus = L"固定解";
        f.nSolution = 10;
        f.nSatsUsed = 12;
        f.dDop = 0.9;
        f.nAux = 2;
        f.nHour = 10;
        f.nMinute = (i / 60) % 60;
        f.dSecond = i % 60;
        view->SendMessage(WM_GPS_POSITION, reinterpret_cast<WPARAM>(&f), kGpsPositionNew);
        quorvel::win::PumpUntilIdle();
    }

    std::string host;
    CVendropDoc doc;
    CWinThread thread;
    CWnd main;
    CDialogViewSavePoint* view = nullptr;
};

void BM_OneFix(benchmark::State& state) {
    Screen screen(0);
    int i = 2;
    for (auto _ : state) screen.Fix(i++);
}
BENCHMARK(BM_OneFix)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
    Screen screen(static_cast<int>(state.range(0)));
    if (screen.view->m_points.GetSize() != state.range(0)) {
        state.SkipWithError("the points were not loaded");
        return;
    }
    for (auto _ : state) {
        screen.view->InvalidateRect(nullptr, FALSE);
        screen.view->UpdateWindow();
    }
}
BENCHMARK(BM_FullRepaint)->ArgName("points")->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
