// The layer drawn onto a memory bitmap: the order of the sub-layers, the
// 1,800 newest points, and records read from damaged files drawn without
// hanging or overflowing.
#include <gtest/gtest.h>

#include <string>

#include "graphics/DrawingFiles.h"
#include "graphics/GridMapping.h"

namespace {

// A white 32-bit bitmap selected into a memory device context.
class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height)
        : m_width(width),
          m_height(height),
          m_bitmap(::CreateBitmap(width, height, 1, 32, nullptr)) {
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        const RECT all{0, 0, width, height};
        m_dc.FillSolidRect(&all, RGB(255, 255, 255));
    }
    ~MemoryCanvas() {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteDC(m_dc.Detach());
        ::DeleteObject(m_bitmap);
    }
    CDC* dc() { return &m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF At(int x, int y) { return ::GetPixel(m_dc.GetSafeHdc(), x, y); }

  private:
    int m_width, m_height;
    HBITMAP m_bitmap;
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

void DrawOn(MemoryCanvas& canvas, CGraphLayer& layer, const GridMapping& map) {
    ProjectLayer(layer, map, RECT{0, 0, canvas.width(), canvas.height()});
    layer.Draw(canvas.dc());
}

GridMapping Map() {
    GridMapping map;
    map.m_rcDraw = RECT{6, 6, 234, 154};
    return map;
}

}  // namespace

TEST(LayerDrawTest, LinesLieOnPointsAndOnlyTheNewestPointsAreDrawn) {
    MemoryCanvas canvas(240, 160);
    CGraphLayer layer;
    for (int i = 0; i < 2000; ++i) {
        CGraphPoint p;
        p.m_dX = 100;
        p.m_dY = i < 200 ? 20 : 120;  // the 200 oldest stand apart
        layer.m_points.m_items.push_back(p);
    }
    CGraphLine line;
    line.m_ptStart.m_dX = line.m_ptEnd.m_dX = 100;
    line.m_ptStart.m_dY = 100;
    line.m_ptEnd.m_dY = 140;
    line.m_crPen = RGB(255, 0, 0);
    layer.m_lines.m_items.push_back(line);
    DrawOn(canvas, layer, Map());
    const POINT old = Map().WorldToScreen(100, 20), dot = Map().WorldToScreen(100, 120);
    EXPECT_EQ(canvas.At(old.x, old.y), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(dot.x, dot.y), RGB(255, 0, 0));  // the line over the dot
    EXPECT_EQ(canvas.At(dot.x, dot.y + 1), RGB(0, 0, 255));
}

TEST(LayerDrawTest, DamagedRecordsDrawWithoutHangingOrOverflowing) {
    CGraphLayer layer;
    ReadTextLayer(
        L"TEXT:1,1e300,255,100000,,10,10,大\r\nTEXT:0,-1e300,255,-2147483647,nosuchface,20,20,"
        L"小\r\n"
        L"TEXT:0,0,0,2147483647,,1e308,-1e308,far\r\n",
        layer.m_texts);
    ReadLineLayer(
        L"LINE:x,0,0,99,2147483647,-1e308,0,1e308,1\r\nLINE:y,0,0,-3,-5,0,0,1e-300,1e-300\r\n",
        layer.m_lines);
    ASSERT_EQ(layer.m_texts.m_items.size(), 3u);
    ASSERT_EQ(layer.m_lines.m_items.size(), 2u);
    MemoryCanvas canvas(240, 160);
    DrawOn(canvas, layer, Map());
    EXPECT_TRUE(layer.m_lines.m_items[0].m_bOnScreen);
    GridMapping tiny = Map();
    tiny.m_dScale = 1e-300;
    DrawOn(canvas, layer, tiny);
}

TEST(LayerDrawTest, TenMegabytesOfLinesAndOfNoise) {
    std::wstring text;
    const std::wstring line =
        L"LINE:001,8684676,16761024,0,1,3521000.00000000,500000.00000000,3521000.00000000,500100."
        L"00000000\r\n";
    while (text.size() < 10u * 1024 * 1024) text += line;
    CGraphLineSet lines;
    ReadLineLayer(CString(text.c_str()), lines);
    EXPECT_EQ(lines.m_items.size(), text.size() / line.size());
    // Lines of ideographic spaces: no field is a number, so each epoch lies
    // at (0, 0), and every line is read.
    std::wstring noise(10u * 1024 * 1024, L'\x3000');
    size_t count = 0;
    for (size_t i = 996; i < noise.size(); i += 997, ++count) noise[i] = L'\n';
    CGraphPointSet points;
    ReadTrack(CString(noise.c_str()), points);
    ASSERT_EQ(points.m_items.size(), count);
    EXPECT_EQ(points.m_items.back().m_dX, 0.0);
}
