// Rectangle fills and frames, 3-D edges, focus rectangles and single pixels.
// These fill with the brush or colour as is: the binary raster operation of
// the context does not apply to them.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SpanSet.h"

using namespace quorvel::gdi;

namespace {

// A brush handle, or a system colour index plus one as window classes give it.
std::shared_ptr<BrushObject> ResolveBrush(HBRUSH handle) {
    auto brush = Lookup<BrushObject>(handle);
    const auto value = reinterpret_cast<uintptr_t>(handle);
    if (!brush && value >= 1 && value <= COLOR_GRADIENTINACTIVECAPTION + 1) {
        brush = Lookup<BrushObject>(GetSysColorBrush(static_cast<int>(value) - 1));
    }
    return brush;
}

void FillDevice(DeviceContext& dc, const RECT& rect, COLORREF color) {
    Canvas canvas(dc.GetSurface(), dc.Clip(), R2_COPYPEN);
    canvas.Fill(rect, dc.Pixel(color));
}

void FillLogical(DeviceContext& dc, int x, int y, int width, int height, COLORREF color) {
    FillDevice(dc, dc.ToDevice(RECT{x, y, x + width, y + height}), color);
}

// One ring of a 3-D edge: the top and left lines first, then the bottom and
// right lines, which take the top-right and bottom-left corners.
void EdgeRing(DeviceContext& dc, const RECT& r, UINT sides, COLORREF topLeft,
              COLORREF bottomRight) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (sides & BF_TOP) FillLogical(dc, r.left, r.top, w - 1, 1, topLeft);
    if (sides & BF_LEFT) FillLogical(dc, r.left, r.top, 1, h - 1, topLeft);
    if (sides & BF_BOTTOM) FillLogical(dc, r.left, r.bottom - 1, w, 1, bottomRight);
    if (sides & BF_RIGHT) FillLogical(dc, r.right - 1, r.top, 1, h, bottomRight);
}

struct EdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

EdgeColors OuterColors(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)};
    if (flags & BF_FLAT) return {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)};
    if (edge & BDR_RAISEDOUTER) {
        return {GetSysColor((flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT),
                GetSysColor(COLOR_3DDKSHADOW)};
    }
    return {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
}

EdgeColors InnerColors(UINT edge, UINT flags) {
    if (flags & (BF_MONO | BF_FLAT)) return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)};
    if (edge & BDR_RAISEDINNER) {
        return {GetSysColor((flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT),
                GetSysColor(COLOR_BTNSHADOW)};
    }
    return {GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH handle) {
    auto dc = LookupDc(hdc);
    auto brush = ResolveBrush(handle);
    if (!dc || !rect || !brush) return 0;
    if (brush->style != BS_NULL) FillDevice(*dc, dc->ToDevice(*rect), brush->color);
    Drew(*dc);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH handle) {
    auto dc = LookupDc(hdc);
    auto brush = ResolveBrush(handle);
    if (!dc || !rect || !brush || IsEmpty(*rect)) return 0;
    if (brush->style == BS_NULL) return 1;
    const RECT& r = *rect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    FillLogical(*dc, r.left, r.top, w, 1, brush->color);
    FillLogical(*dc, r.left, r.bottom - 1, w, 1, brush->color);
    FillLogical(*dc, r.left, r.top, 1, h, brush->color);
    FillLogical(*dc, r.right - 1, r.top, 1, h, brush->color);
    Drew(*dc);
    return 1;
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    auto dc = LookupDc(hdc);
    if (!dc || !rect) return FALSE;
    RECT r = *rect;
    if (edge & BDR_OUTER) {
        const EdgeColors c = OuterColors(edge, flags);
        EdgeRing(*dc, r, flags, c.topLeft, c.bottomRight);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    }
    if (edge & BDR_INNER) {
        const EdgeColors c = InnerColors(edge, flags);
        EdgeRing(*dc, r, flags, c.topLeft, c.bottomRight);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    }
    if ((flags & BF_MIDDLE) && !IsEmpty(r)) {
        FillDevice(*dc, dc->ToDevice(r),
                   GetSysColor((flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (flags & BF_ADJUST) *rect = r;
    Drew(*dc);
    return TRUE;
}

// Every other pixel of the frame is inverted, starting at the top-left
// corner, so that drawing the same rectangle again removes it.
BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    auto dc = LookupDc(hdc);
    if (!dc || !rect || IsEmpty(*rect)) return FALSE;
    const RECT r = dc->ToDevice(*rect);
    const RECT limit = Inflated(BoundingBox(dc->Clip()), 1);
    SpanSet frame(limit);
    frame.AddRect(r);
    SpanSet hole(limit);
    hole.AddRect(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
    frame.Subtract(hole);
    Canvas canvas(dc->GetSurface(), dc->Clip(), R2_NOT);
    for (int y = frame.Top(); y < frame.Bottom(); ++y) {
        for (const Run& run : frame.Row(y)) {
            for (int x = run.x0; x < run.x1; ++x) {
                if (((x - r.left) + (y - r.top)) % 2 == 0) canvas.Plot(x, y, 0);
            }
        }
    }
    Drew(*dc);
    return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    auto dc = LookupDc(hdc);
    if (!dc || !rect) return FALSE;
    Canvas canvas(dc->GetSurface(), dc->Clip(), R2_NOT);
    canvas.Fill(dc->ToDevice(*rect), 0);
    Drew(*dc);
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    const POINT p = dc->ToDevice(x, y);
    Canvas canvas(dc->GetSurface(), dc->Clip(), R2_COPYPEN);
    if (!canvas.Contains(p.x, p.y)) return CLR_INVALID;
    canvas.Plot(p.x, p.y, dc->Pixel(color));
    Drew(*dc);
    return ColorFromPixel(dc->Pixel(color));
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    auto dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    const POINT p = dc->ToDevice(x, y);
    Canvas canvas(dc->GetSurface(), dc->Clip(), R2_COPYPEN);
    return canvas.Contains(p.x, p.y) ? ColorFromPixel(canvas.Get(p.x, p.y)) : CLR_INVALID;
}

namespace quorvel::gdi {

// As the framework does it, the fill leaves `color` as the background colour.
void FillSolidRect(HDC hdc, int x, int y, int width, int height, COLORREF color) {
    auto dc = LookupDc(hdc);
    if (!dc) return;
    dc->attr.bkColor = color;
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    FillLogical(*dc, x, y, width, height, color);
    Drew(*dc);
}

void FillSolidRect(HDC hdc, const RECT& r, COLORREF color) {
    FillSolidRect(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, color);
}

void Draw3dRect(HDC hdc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight) {
    FillSolidRect(hdc, x, y, width - 1, 1, topLeft);
    FillSolidRect(hdc, x, y, 1, height - 1, topLeft);
    FillSolidRect(hdc, x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(hdc, x, y + height - 1, width, 1, bottomRight);
}

void Draw3dRect(HDC hdc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, topLeft, bottomRight);
}

}  // namespace quorvel::gdi
