#include "tests/platform/gdi/Gallery.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorvel::gdi::test {
namespace {

void WithPen(HDC dc, int style, int width, COLORREF color, auto draw) {
    HPEN pen = CreatePen(style, width, color);
    HGDIOBJ old = SelectObject(dc, pen);
    draw();
    SelectObject(dc, old);
    DeleteObject(pen);
}

void WithBrush(HDC dc, COLORREF color, auto draw) {
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ old = SelectObject(dc, brush);
    draw();
    SelectObject(dc, old);
    DeleteObject(brush);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void LinesAndPens(HDC dc) {
    // A fan through every octant.
    for (int i = 0; i < 16; ++i) {
        const double a = i * std::numbers::pi / 8;
        const COLORREF color = RGB(i * 15, 130 - i * 8, 90 + i * 10);
        WithPen(dc, PS_SOLID, 1, color, [&] {
            Line(dc, 40, 40, 40 + static_cast<int>(std::lround(34 * std::cos(a))),
                 40 - static_cast<int>(std::lround(34 * std::sin(a))));
        });
    }
    const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    for (int i = 0; i < 5; ++i) {
        WithPen(dc, styles[i], 0, RGB(0, 0, 0), [&] { Line(dc, 84, 10 + 6 * i, 236, 10 + 6 * i); });
    }
    SetBkMode(dc, TRANSPARENT);
    WithPen(dc, PS_DASH, 0, RGB(255, 0, 0), [&] { Line(dc, 84, 42, 236, 70); });
    SetBkMode(dc, OPAQUE);
    for (int w = 2; w <= 5; ++w) {
        WithPen(dc, PS_SOLID, w, RGB(0, 0, 128),
                [&] { Line(dc, 84 + 30 * (w - 2), 78, 104 + 30 * (w - 2), 62); });
    }
}

void Figures(HDC dc) {
    WithBrush(dc, RGB(0, 255, 0), [&] { Rectangle(dc, 8, 84, 48, 110); });
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    WithPen(dc, PS_SOLID, 2, RGB(0, 0, 0), [&] { Rectangle(dc, 54, 84, 70, 100); });
    WithBrush(dc, RGB(255, 130, 0), [&] { RoundRect(dc, 76, 84, 140, 110, 12, 12); });
    WithBrush(dc, RGB(0, 128, 128), [&] { Ellipse(dc, 146, 84, 196, 110); });
    SelectObject(dc, GetStockObject(NULL_PEN));
    WithBrush(dc, RGB(255, 0, 0), [&] { Ellipse(dc, 202, 84, 232, 114); });
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    const POINT star[] = {{40, 118}, {62, 186}, {4, 144}, {76, 144}, {18, 186}};
    WithBrush(dc, RGB(0, 0, 255), [&] {
        SetPolyFillMode(dc, ALTERNATE);
        Polygon(dc, star, 5);
        std::vector<POINT> moved(star, star + 5);
        for (POINT& p : moved) p.x += 80;
        SetPolyFillMode(dc, WINDING);
        Polygon(dc, moved.data(), 5);
    });
    // The north arrow: two triangles in teal and white.
    const POINT left[] = {{200, 120}, {188, 180}, {200, 170}};
    const POINT right[] = {{200, 120}, {212, 180}, {200, 170}};
    WithBrush(dc, RGB(0, 128, 128), [&] { Polygon(dc, left, 3); });
    Polygon(dc, right, 3);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    WithPen(dc, PS_DASH, 0, RGB(0, 0, 0), [&] { Ellipse(dc, 150, 190, 236, 276); });
}

void EdgesAndMarkers(HDC dc) {
    RECT r{8, 196, 64, 222};
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    r = RECT{70, 196, 126, 222};
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    Draw3dRect(dc, 132, 196, 14, 26, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    const RECT focus{10, 198, 62, 220};
    DrawFocusRect(dc, &focus);
    SetROP2(dc, R2_NOT);
    WithPen(dc, PS_SOLID, 2, RGB(0, 0, 0), [&] { Rectangle(dc, 180, 224, 190, 234); });
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 160, 230, 170, 240);
    Line(dc, 150, 233, 236, 233);
    SetROP2(dc, R2_COPYPEN);
}

// A 4 x 4 chequer blitted as is, stretched, mirrored, colour-keyed, and an
// icon made of it with a round mask, at its size and scaled.
void BlitsAndIcons(HDC dc) {
    const uint32_t bits[16] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x00FF00, 0xFF00FF,
                               0xFFFF00, 0x000000, 0x0000FF, 0xFFFF00, 0x00FFFF, 0x808080,
                               0xFFFFFF, 0x000000, 0x808080, 0xFF0000};
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, bits);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 8, 236, 4, 4, memory, 0, 0, SRCCOPY);
    StretchBlt(dc, 16, 236, 24, 24, memory, 0, 0, 4, 4, SRCCOPY);
    StretchBlt(dc, 68, 236, -24, 24, memory, 0, 0, 4, 4, SRCCOPY);
    TransparentBlt(dc, 72, 236, 24, 24, memory, 0, 0, 4, 4, RGB(255, 255, 255));
    StretchBlt(dc, 100, 236, 24, 24, memory, 0, 0, 4, 4, SRCINVERT);
    StretchBlt(dc, 128, 236, 2, 2, memory, 0, 0, 4, 4, SRCCOPY);
    // The corners show through: white in the mask, black in the image.
    const uint8_t maskRows[8] = {0x90, 0, 0, 0, 0, 0, 0x90, 0};
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, maskRows);
    uint32_t imageBits[16];
    std::copy(bits, bits + 16, imageBits);
    imageBits[0] = imageBits[3] = imageBits[12] = imageBits[15] = 0;
    HBITMAP image = CreateBitmap(4, 4, 1, 32, imageBits);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DrawIconEx(dc, 8, 264, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DrawIconEx(dc, 16, 264, icon, 28, 22, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(image);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

}  // namespace

void DrawPrimitiveGallery(HDC dc) {
    const RECT all{0, 0, 240, 320};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    LinesAndPens(dc);
    Figures(dc);
    EdgesAndMarkers(dc);
    BlitsAndIcons(dc);
}

}  // namespace quorvel::gdi::test
