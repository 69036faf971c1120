// Puts a line of text on a device context: glyphs in the text colour, the
// cell behind them in the background colour when asked, underline and
// strike-out lines. Rotated fonts lay the line along their escapement.
// Text is always copied: the binary raster operation does not apply.
#pragma once

#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"

namespace quorvel::gdi {

// The selected font's instance.
FontInstance& FontOf(DeviceContext& dc);

// Width of the text in pixels: the sum of the advances, or of `dx` if given.
int TextWidth(FontInstance& font, const wchar_t* text, int count, const int* dx = nullptr);

struct TextLine {
    const wchar_t* text = nullptr;
    int count = 0;
    const int* dx = nullptr;     // per-character advances, or null
    POINT baseline{0, 0};        // device pixels: where the pen starts
    bool opaque = false;         // fill the cell with the background colour
    const RECT* clip = nullptr;  // device pixels, in addition to the context's clip
    int underlineAt = -1;        // index of one character to underline ('&' prefix), or -1
};

void PaintText(DeviceContext& dc, const TextLine& line);

// Unit vectors of a font's baseline direction and of "down" across it.
struct TextAxes {
    double dirX, dirY;
    double downX, downY;
};
TextAxes AxesOf(const FontInstance& font);

}  // namespace quorvel::gdi
