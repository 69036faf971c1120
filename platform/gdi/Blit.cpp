// Block transfers between device contexts: straight, stretched (nearest
// pixel), colour-keyed and pattern-only, with the ternary raster operations.
// Pixels that would come from outside the source are left alone.
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/gdi/DeviceContext.h"

using namespace quorvel::gdi;

namespace {

struct Blit {
    DeviceContext* dst = nullptr;
    DeviceContext* src = nullptr;
    RECT to{};                                   // destination, device pixels, normalised
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;  // source, device pixels
    bool flipX = false, flipY = false;
    unsigned code = 0xCC;
    bool keyed = false;
    uint32_t key = 0;  // a source pixel that is not copied
};

// Source pixels as the destination sees them: monochrome becomes the
// destination's text (black) and background (white) colours; colour
// becomes white where it equals the source's background colour.
struct SourceConverter {
    bool toColor = false, toMono = false;
    uint32_t black = 0, white = 0, srcBk = 0;

    SourceConverter(DeviceContext& dst, DeviceContext& src) {
        toColor = src.Mono() && !dst.Mono();
        toMono = !src.Mono() && dst.Mono();
        black = dst.Pixel(dst.attr.textColor);
        white = dst.Pixel(dst.attr.bkColor);
        srcBk = src.Pixel(src.attr.bkColor);
    }
    uint32_t operator()(uint32_t p) const {
        if (toColor) return p ? white : black;
        if (toMono) return p == srcBk ? kPixelMask : 0u;
        return p;
    }
};

// Which source column or row each destination column or row from `first`
// to `last` (exclusive, counted from the destination's start) takes.
std::vector<int> SourceIndex(int64_t first, int64_t last, int64_t dstLen, int64_t srcStart,
                             int64_t srcLen, bool flip) {
    std::vector<int> map;
    for (int64_t i = first; i < last; ++i) {
        int64_t k = (2 * i + 1) * srcLen / (2 * dstLen);
        if (flip) k = srcLen - 1 - k;
        map.push_back(static_cast<int>(srcStart + k));
    }
    return map;
}

// Where each destination pixel's source pixel comes from.
struct SourceView {
    Surface surface;
    std::vector<uint32_t> copy;   // overlapping scrolls read a copy
    std::vector<int> cols, rows;  // for the visible part of the destination only
    RECT visible{};
    std::optional<SourceConverter> convert;
    bool direct = false;  // same size, same kind of pixels: whole rows move

    SourceView(const Blit& b, const Surface& dst, int width, int height) {
        if (!b.src) return;
        surface = b.src->GetSurface();
        if (surface.pixels == dst.pixels) {
            copy.assign(surface.pixels,
                        surface.pixels + static_cast<size_t>(surface.stride) * surface.height);
            surface.pixels = copy.data();
        }
        visible = Intersect(b.to, BoundingBox(b.dst->Clip()));
        cols = SourceIndex(visible.left - b.to.left, visible.right - b.to.left, width, b.srcX,
                           b.srcW, b.flipX);
        rows = SourceIndex(visible.top - b.to.top, visible.bottom - b.to.top, height, b.srcY,
                           b.srcH, b.flipY);
        convert.emplace(*b.dst, *b.src);
        direct = b.code == 0xCC && !b.keyed && !b.flipX && !b.flipY && b.srcW == width &&
                 b.srcH == height && !convert->toColor && !convert->toMono;
    }
};

void BlitRow(const Blit& b, const SourceView& src, uint32_t pattern, const RECT& area,
             const uint32_t* in, uint32_t* out) {
    if (in && src.direct) {
        const int shift = b.srcX - b.to.left;
        const int x0 = std::max<int>(area.left, -shift);
        const int x1 = std::min<int>(area.right, src.surface.width - shift);
        if (x0 < x1) std::memcpy(out + x0, in + x0 + shift, sizeof(uint32_t) * (x1 - x0));
        return;
    }
    for (int x = area.left; x < area.right; ++x) {
        uint32_t s = 0;
        if (in) {
            const int sx = src.cols[static_cast<size_t>(x - src.visible.left)];
            if (sx < 0 || sx >= src.surface.width) continue;
            if (b.keyed && in[sx] == b.key) continue;
            s = (*src.convert)(in[sx]);
        }
        out[x] = b.code == 0xCC ? s : ApplyRop3(b.code, pattern, s, out[x]);
    }
}

void Run(const Blit& b) {
    const Surface dst = b.dst->GetSurface();
    // The screen may be the source, the destination or both.
    const auto lockDestination = LockPixels(dst);
    const auto lockSource = b.src ? LockPixels(b.src->GetSurface()) : decltype(LockPixels(dst)){};
    const int width = b.to.right - b.to.left, height = b.to.bottom - b.to.top;
    if (width <= 0 || height <= 0) return;
    const uint32_t pattern =
        b.dst->attr.brush->style == BS_NULL ? 0u : b.dst->Pixel(b.dst->attr.brush->color);
    const SourceView src(b, dst, width, height);
    for (const RECT& clip : b.dst->Clip()) {
        const RECT area = Intersect(b.to, clip);
        for (int y = area.top; y < area.bottom; ++y) {
            const uint32_t* in = nullptr;
            if (b.src) {
                const int sy = src.rows[static_cast<size_t>(y - src.visible.top)];
                if (sy < 0 || sy >= src.surface.height) continue;
                in = src.surface.Row(sy);
            }
            BlitRow(b, src, pattern, area, in, dst.Row(y));
        }
    }
}

// Fills in the destination and source rectangles of a blit from the
// program's logical coordinates; negative sizes mirror.
void Place(Blit& b, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
    if (w < 0) x += w + 1, w = -w, b.flipX = !b.flipX;
    if (h < 0) y += h + 1, h = -h, b.flipY = !b.flipY;
    if (sw < 0) sx += sw + 1, sw = -sw, b.flipX = !b.flipX;
    if (sh < 0) sy += sh + 1, sh = -sh, b.flipY = !b.flipY;
    b.to = b.dst->ToDevice(RECT{x, y, x + w, y + h});
    if (b.src) {
        const POINT s = b.src->ToDevice(sx, sy);
        b.srcX = s.x, b.srcY = s.y, b.srcW = sw, b.srcH = sh;
    }
}

BOOL Transfer(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
              DWORD rop, const uint32_t* key) {
    auto d = LookupDc(dst);
    if (!d) return FALSE;
    const unsigned code = Rop3Code(rop);
    std::shared_ptr<DeviceContext> s;
    if (Rop3UsesSource(code) || key) {
        s = LookupDc(src);
        if (!s) return FALSE;
    }
    Blit b;
    b.dst = d.get();
    b.src = s.get();
    b.code = code;
    if (key) b.keyed = true, b.key = *key;
    Place(b, x, y, w, h, sx, sy, sw, sh);
    Run(b);
    Drew(*d);
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    return Transfer(dst, x, y, width, height, src, srcX, srcY, width, height, rop, nullptr);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
    return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, rop, nullptr);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    if (Rop3UsesSource(Rop3Code(rop))) return FALSE;
    return Transfer(hdc, x, y, width, height, nullptr, 0, 0, width, height, rop, nullptr);
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                    int srcWidth, int srcHeight, UINT transparent) {
    const uint32_t key = PixelFromColor(transparent & kPixelMask);
    return Transfer(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY, &key);
}

BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HANDLE src, int srcX, int srcY,
                      int srcWidth, int srcHeight, COLORREF transparent) {
    if (LookupDc(static_cast<HDC>(src))) {
        return TransparentBlt(dst, x, y, width, height, static_cast<HDC>(src), srcX, srcY, srcWidth,
                              srcHeight, transparent);
    }
    // A bitmap is read where it is, even while selected into a context.
    auto bitmap = Lookup<BitmapObject>(src);
    if (!bitmap) return FALSE;
    auto reader = NewDc(DeviceContext::Kind::Memory);
    reader->attr.bitmap = bitmap;
    reader->ClipChanged();
    const BOOL ok = TransparentBlt(dst, x, y, width, height, static_cast<HDC>(reader->handle), srcX,
                                   srcY, srcWidth, srcHeight, transparent);
    ReleaseDcObject(*reader);
    return ok;
}
