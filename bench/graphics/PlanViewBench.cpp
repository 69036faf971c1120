// The plan view's paint with a day's track: 100,000 epochs in the layer
// (1,800 of them drawn), 50 named stored points, 200 named survey lines and
// 20 texts (5 rotated, Chinese), projected and drawn into a memory bitmap
// and put on the window's surface with one BitBlt, as the view paints; the
// same after a drag step and after a zoom command; and the live drawing of
// one position (the new track point and the glyph) without a repaint.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "graphics/DrawCircle.h"
#include "graphics/GraphRecords.h"
#include "graphics/GridMapping.h"
#include "platform/framework/Afx.h"

namespace {

constexpr int kWidth = 240, kHeight = 170;

CGraphLayer MakeLayer(size_t trackPoints) {
    CGraphLayer layer;
    uint32_t state = 12345;
    auto next = [&state](double range) {
        state = state * 1664525u + 1013904223u;
        return range * static_cast<double>(state >> 8) / 16777216.0;
    };
    // A boat's day: a slow walk over a 2 km square, the window on its end.
    double n = 3521000, e = 500000;
    for (size_t i = 0; i < trackPoints; ++i) {
        CGraphPoint p;
        n += next(2.0) - 1.0;
        e += next(2.0) - 0.98;
        p.m_dX = n;
        p.m_dY = e;
        p.m_nSymbol = 1;
        layer.m_points.m_items.push_back(p);
    }
    for (int i = 0; i < 50; ++i) {
        CGraphPoint p = layer.m_points.m_items[trackPoints - 1 - static_cast<size_t>(i) * 30];
        p.m_nSymbol = 0;
        p.m_strName.Format(L"P%d", i + 1);
        layer.m_points.m_items.push_back(p);
    }
    for (int i = 0; i < 200; ++i) {
        CGraphLine l;
        l.m_strName.Format(L"%03d", i + 1);
        l.m_ptStart.m_dX = n - 100 + i;
        l.m_ptStart.m_dY = e - 150;
        l.m_ptEnd.m_dX = n - 100 + i;
        l.m_ptEnd.m_dY = e + 150;
        l.m_crPen = 0xFFC0C0;
        l.m_crText = 0x848484;
        layer.m_lines.m_items.push_back(l);
    }
    for (int i = 0; i < 20; ++i) {
        CGraphText t;
        t.m_strText = L"测线起点码头";
        t.m_dAngle = i < 5 ? 30.0 * (i + 1) : 0.0;
        t.m_ptAnchor.m_dX = n - 40 + 4 * i;
        t.m_ptAnchor.m_dY = e - 60 + 6 * i;
        t.m_crColor = 0xFF0063;
        layer.m_texts.m_items.push_back(t);
    }
    return layer;
}

struct Surfaces {
    Surfaces() {
        window.Attach(::CreateCompatibleDC(nullptr));
        bitmap = ::CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        old = ::SelectObject(window.GetSafeHdc(), bitmap);
    }
    ~Surfaces() {
        ::SelectObject(window.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
        ::DeleteDC(window.Detach());
    }
    CDC window;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// What OnDraw does with the layer: bitmap, white, project, draw, one blit.
void Paint(CDC& window, CGraphLayer& layer, const GridMapping& map) {
    const RECT client{0, 0, kWidth, kHeight};
    CDC mem;
    mem.CreateCompatibleDC(&window);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&window, kWidth, kHeight);
    CBitmap* old = mem.SelectObject(&bitmap);
    mem.FillSolidRect(&client, RGB(255, 255, 255));
    ProjectLayer(layer, map, client);
    layer.Draw(&mem);
    window.BitBlt(0, 0, kWidth, kHeight, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

GridMapping WindowOnTheEnd(const CGraphLayer& layer) {
    const CGraphPoint& last = layer.m_points.m_items.back();
    GridMapping map;
    map.m_dScale = 1.0;
    map.m_rcDraw = RECT{6, 6, kWidth - 6, kHeight - 6};
    map.m_dOriginN = last.m_dX - 80;
    map.m_dOriginE = last.m_dY - 110;
    return map;
}

void BM_FullRedraw(benchmark::State& state) {
    CGraphLayer layer = MakeLayer(static_cast<size_t>(state.range(0)));
    Surfaces s;
    const GridMapping map = WindowOnTheEnd(layer);
    for (auto _ : state) Paint(s.window, layer, map);
}
BENCHMARK(BM_FullRedraw)->Arg(100000)->Arg(1800)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
    CGraphLayer layer = MakeLayer(100000);
    Surfaces s;
    GridMapping map = WindowOnTheEnd(layer);
    int step = 0;
    for (auto _ : state) {
        const int d = (step++ & 1) ? 3 : -3;
        map.m_dOriginN -= d * map.m_dScale;
        map.m_dOriginE -= d * map.m_dScale;
        Paint(s.window, layer, map);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

void BM_ZoomCommand(benchmark::State& state) {
    CGraphLayer layer = MakeLayer(100000);
    Surfaces s;
    GridMapping map = WindowOnTheEnd(layer);
    int step = 0;
    for (auto _ : state) {
        map.m_dScale *= (step++ & 1) ? 0.75 : 1.3333333333333333;
        Paint(s.window, layer, map);
    }
}
BENCHMARK(BM_ZoomCommand)->Unit(benchmark::kMillisecond);

// A position while measuring: the new track point drawn at once, the old
// glyph removed and the new one drawn in the inverting mode.
void BM_LivePosition(benchmark::State& state) {
    CGraphLayer layer = MakeLayer(1800);
    Surfaces s;
    const GridMapping map = WindowOnTheEnd(layer);
    CGraphPoint point = layer.m_points.m_items.back();
    const POINT p = map.WorldToScreen(point.m_dX, point.m_dY);
    point.m_nScreenX = p.x;
    point.m_nScreenY = p.y;
    point.m_nSymbol = 1;
    for (auto _ : state) {
        layer.m_points.m_items.push_back(point);
        DrawPointNow(&s.window, point);
        const int oldMode = s.window.SetROP2(R2_NOT);
        DrawCircle(&s.window, p.x, p.y, 8);
        DrawCircle(&s.window, p.x, p.y, 2);
        DrawCircle(&s.window, p.x, p.y, 8);
        DrawCircle(&s.window, p.x, p.y, 2);
        s.window.SetROP2(oldMode);
    }
}
BENCHMARK(BM_LivePosition)->Unit(benchmark::kMicrosecond);

}  // namespace
