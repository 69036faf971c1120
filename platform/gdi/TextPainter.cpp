#include "platform/gdi/TextPainter.h"

#include <cmath>
#include <numbers>

#include "platform/gdi/LineRaster.h"
#include "platform/gdi/SpanSet.h"

namespace quorvel::gdi {
namespace {

POINT Along(const POINT& from, const TextAxes& axes, double along, double down) {
    return POINT{from.x + static_cast<LONG>(std::lround(along * axes.dirX + down * axes.downX)),
                 from.y + static_cast<LONG>(std::lround(along * axes.dirY + down * axes.downY))};
}

void PaintBackground(Canvas& canvas, FontInstance& font, const TextLine& line, int width,
                     uint32_t pixel) {
    if (!font.Rotated()) {
        canvas.Fill(RECT{line.baseline.x, line.baseline.y - font.Ascent(), line.baseline.x + width,
                         line.baseline.y + font.Descent()},
                    pixel);
        return;
    }
    const TextAxes axes = AxesOf(font);
    const POINT corners[4] = {Along(line.baseline, axes, 0, -font.Ascent()),
                              Along(line.baseline, axes, width, -font.Ascent()),
                              Along(line.baseline, axes, width, font.Descent()),
                              Along(line.baseline, axes, 0, font.Descent())};
    PolygonSpans(corners, 4, false, BoundingBox(canvas.clip())).Paint(canvas, pixel);
}

// A line under (or through) the text from `from` to `to` pixels along it.
void PaintRule(Canvas& canvas, FontInstance& font, const TextLine& line, int from, int to,
               int below, uint32_t pixel) {
    if (to <= from) return;
    const int thickness = std::max(1, font.Em() / 20);
    if (!font.Rotated()) {
        const int y = line.baseline.y + below;
        canvas.Fill(RECT{line.baseline.x + from, y, line.baseline.x + to, y + thickness}, pixel);
        return;
    }
    const TextAxes axes = AxesOf(font);
    const POINT a = Along(line.baseline, axes, from, below);
    const POINT b = Along(line.baseline, axes, to, below);
    TraceLine(a.x, a.y, b.x, b.y, BoundingBox(canvas.clip()),
              [&](int x, int y, int64_t) { canvas.Plot(x, y, pixel); });
}

void PaintGlyphs(Canvas& canvas, FontInstance& font, const TextLine& line, uint32_t pixel,
                 std::vector<int>& offsets) {
    const TextAxes axes = AxesOf(font);
    int along = 0;
    offsets.clear();
    for (int i = 0; i < line.count; ++i) {
        offsets.push_back(along);
        const wchar_t ch = line.text[i];
        const POINT pen = font.Rotated() ? Along(line.baseline, axes, along, 0)
                                         : POINT{line.baseline.x + along, line.baseline.y};
        for (const GlyphRun& r : font.GetGlyph(ch).runs) {
            canvas.Span(pen.y + r.dy, pen.x + r.x0, pen.x + r.x1, pixel);
        }
        along += line.dx ? line.dx[i] : font.Advance(ch);
    }
    offsets.push_back(along);
}

}  // namespace

FontInstance& FontOf(DeviceContext& dc) {
    auto& font = dc.attr.font;
    return *font->instance;
}

int TextWidth(FontInstance& font, const wchar_t* text, int count, const int* dx) {
    int width = 0;
    for (int i = 0; i < count; ++i) width += dx ? dx[i] : font.Advance(text[i]);
    return width;
}

TextAxes AxesOf(const FontInstance& font) {
    const double angle = font.Key().escapement * std::numbers::pi / 1800.0;
    const double c = std::cos(angle), s = std::sin(angle);
    return TextAxes{c, -s, s, c};
}

void PaintText(DeviceContext& dc, const TextLine& line) {
    FontInstance& font = FontOf(dc);
    const LOGFONT& log = dc.attr.font->log;
    const std::vector<RECT> clip = line.clip ? ClipRects(dc.Clip(), *line.clip) : dc.Clip();
    Canvas canvas(dc.GetSurface(), clip, R2_COPYPEN);
    const int width = TextWidth(font, line.text, line.count, line.dx);
    if (line.opaque) PaintBackground(canvas, font, line, width, dc.Pixel(dc.attr.bkColor));
    const uint32_t ink = dc.Pixel(dc.attr.textColor);
    std::vector<int> offsets;
    PaintGlyphs(canvas, font, line, ink, offsets);
    const int underline = (font.Descent() + 1) / 2;
    if (log.lfUnderline) PaintRule(canvas, font, line, 0, width, underline, ink);
    if (log.lfStrikeOut) PaintRule(canvas, font, line, 0, width, -font.Ascent() / 3, ink);
    if (line.underlineAt >= 0 && line.underlineAt < line.count) {
        PaintRule(canvas, font, line, offsets[line.underlineAt], offsets[line.underlineAt + 1],
                  underline, ink);
    }
}

}  // namespace quorvel::gdi
