// The heaviest screen the program draws: a plan of 2,000 line segments,
// 200 Chinese labels and 1,800 point dots, drawn into a memory bitmap and
// put on the screen with one BitBlt, as the plan view double-buffers. And
// the picture of that screen a headless run writes once a second while the
// screen changes (to tmpfs: the encoder's cost, not the disk's).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cwchar>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"

namespace {

using namespace quorvel::gdi;

struct Segment {
    POINT a, b;
};

struct Scene {
    std::vector<Segment> lines;
    std::vector<POINT> labels;
    std::vector<POINT> dots;
};

// A fixed pseudo-random plan, the same on every run.
Scene MakeScene() {
    uint32_t state = 12345;
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<uint32_t>(range));
    };
    Scene s;
    for (int i = 0; i < 2000; ++i) {
        const POINT a{next(240), next(320)};
        s.lines.push_back({a, POINT{a.x + next(81) - 40, a.y + next(81) - 40}});
    }
    for (int i = 0; i < 200; ++i) s.labels.push_back(POINT{next(220), next(310)});
    for (int i = 0; i < 1800; ++i) s.dots.push_back(POINT{next(240), next(320)});
    return s;
}

const wchar_t* const kLabels[] = {L"测量", L"放样", L"坐标库", L"控制点12", L"K3+240"};

class Plan {
  public:
    Plan() : m_scene(MakeScene()) {
        ResizeScreen(kScreenWidth, kScreenHeight);
        m_screen = GetDC(nullptr);
        m_memory = CreateCompatibleDC(m_screen);
        m_bitmap = CreateCompatibleBitmap(m_screen, kScreenWidth, kScreenHeight);
        SelectObject(m_memory, m_bitmap);
        m_linePen = CreatePen(PS_SOLID, 1, RGB(0, 130, 90));
        m_dotBrush = CreateSolidBrush(RGB(0, 255, 0));
        m_font = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    }
    ~Plan() {
        DeleteDC(m_memory);
        DeleteObject(m_bitmap);
        DeleteObject(m_linePen);
        DeleteObject(m_dotBrush);
        DeleteObject(m_font);
        ReleaseDC(nullptr, m_screen);
    }

    void Background() { FillSolidRect(m_memory, 0, 0, kScreenWidth, kScreenHeight, RGB(0, 0, 0)); }

    void Lines() {
        HGDIOBJ old = SelectObject(m_memory, m_linePen);
        for (const Segment& s : m_scene.lines) {
            MoveToEx(m_memory, s.a.x, s.a.y, nullptr);
            LineTo(m_memory, s.b.x, s.b.y);
        }
        SelectObject(m_memory, old);
    }

    void Labels() {
        HGDIOBJ old = SelectObject(m_memory, m_font);
        SetBkMode(m_memory, TRANSPARENT);
        SetTextColor(m_memory, RGB(0, 255, 0));
        SetTextAlign(m_memory, TA_BASELINE);
        int i = 0;
        for (const POINT& p : m_scene.labels) {
            const wchar_t* text = kLabels[i++ % 5];
            TextOut(m_memory, p.x, p.y, text, static_cast<int>(wcslen(text)));
        }
        SelectObject(m_memory, old);
    }

    void Dots() {
        HGDIOBJ oldPen = SelectObject(m_memory, GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = SelectObject(m_memory, m_dotBrush);
        for (const POINT& p : m_scene.dots) Ellipse(m_memory, p.x - 1, p.y - 1, p.x + 2, p.y + 2);
        SelectObject(m_memory, oldPen);
        SelectObject(m_memory, oldBrush);
    }

    void Show() { BitBlt(m_screen, 0, 0, kScreenWidth, kScreenHeight, m_memory, 0, 0, SRCCOPY); }

    void Frame() {
        Background();
        Lines();
        Labels();
        Dots();
        Show();
    }

  private:
    Scene m_scene;
    HDC m_screen, m_memory;
    HBITMAP m_bitmap;
    HPEN m_linePen;
    HBRUSH m_dotBrush;
    HFONT m_font;
};

void BM_FullRedraw(benchmark::State& state) {
    Plan plan;
    plan.Frame();  // the glyph cache warms on the first frame, as on the device's first paint
    for (auto _ : state) plan.Frame();
    state.SetLabel("2000 lines, 200 labels, 1800 dots, one BitBlt");
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

template <void (Plan::*Part)()>
void BM_Part(benchmark::State& state) {
    Plan plan;
    plan.Frame();
    for (auto _ : state) (plan.*Part)();
}
BENCHMARK_TEMPLATE(BM_Part, &Plan::Lines)->Name("BM_Lines2000")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Part, &Plan::Labels)->Name("BM_Labels200")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Part, &Plan::Dots)->Name("BM_Dots1800")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Part, &Plan::Show)->Name("BM_BitBlt")->Unit(benchmark::kMicrosecond);

}  // namespace

void BM_SaveScreenPng(benchmark::State& state) {
    Plan plan;
    plan.Frame();
    std::string dir = "/dev/shm/quorvel-png-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("cannot make a folder on /dev/shm");
        return;
    }
    const std::string path = dir + "/screen.png";
    for (auto _ : state) {
        if (!SavePng(CaptureScreen(), path)) state.SkipWithError("cannot write the PNG");
    }
    unlink(path.c_str());
    rmdir(dir.c_str());
}
BENCHMARK(BM_SaveScreenPng)->Unit(benchmark::kMicrosecond);
