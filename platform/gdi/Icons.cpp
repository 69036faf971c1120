// Icons: a colour image and a monochrome mask (white where the screen shows
// through). Drawing ANDs the mask into the screen and XORs the image over
// it, so image pixels under a white mask invert what is there.
#include <algorithm>

#include "platform/gdi/DeviceContext.h"

using namespace quorvel::gdi;

namespace {

std::shared_ptr<BitmapObject> CopyBitmap(HBITMAP handle) {
    auto source = Lookup<BitmapObject>(handle);
    if (!source) return nullptr;
    auto copy = NewBitmap(source->width, source->height, source->mono);
    copy->pixels = source->pixels;
    return copy;
}

// Mask and image pixels of an icon, whichever way the icon holds them.
struct IconPixels {
    Surface mask;
    Surface image;
    int width = 0, height = 0;
};

IconPixels PixelsOf(IconObject& icon) {
    IconPixels p;
    p.mask = icon.mask->View();
    p.width = p.mask.width;
    if (icon.color) {
        p.image = icon.color->View();
        p.height = p.mask.height;
    } else {  // a monochrome icon: AND mask above, XOR image below
        p.height = p.mask.height / 2;
        p.mask.height = p.height;
        p.image = Surface{p.width, p.height, p.mask.Row(p.height), p.mask.stride};
    }
    return p;
}

void DrawPixels(DeviceContext& dc, const IconPixels& icon, const RECT& to, UINT flags) {
    const Surface out = dc.GetSurface();
    const auto lock = LockPixels(out);
    const int w = to.right - to.left, h = to.bottom - to.top;
    for (const RECT& clip : dc.Clip()) {
        const RECT area = Intersect(to, clip);
        for (int y = area.top; y < area.bottom; ++y) {
            const int sy = (2 * (y - to.top) + 1) * icon.height / (2 * h);
            uint32_t* row = out.Row(y);
            for (int x = area.left; x < area.right; ++x) {
                const int sx = (2 * (x - to.left) + 1) * icon.width / (2 * w);
                const uint32_t mask = icon.mask.Row(sy)[sx];
                const uint32_t image = icon.image.Row(sy)[sx];
                uint32_t pixel = row[x];
                if ((flags & DI_NORMAL) == DI_NORMAL) {
                    pixel = (pixel & mask) ^ image;
                } else if (flags & DI_MASK) {
                    pixel &= mask;
                } else if (flags & DI_IMAGE) {
                    pixel = image;
                }
                row[x] = pixel & kPixelMask;
            }
        }
    }
}

}  // namespace

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) return nullptr;
    auto icon = std::make_shared<IconObject>();
    icon->mask = CopyBitmap(info->hbmMask);
    icon->color = info->hbmColor ? CopyBitmap(info->hbmColor) : nullptr;
    if (!icon->mask || (info->hbmColor && !icon->color)) return nullptr;
    icon->hotspot = POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    icon->isIcon = info->fIcon;
    return reinterpret_cast<HICON>(RegisterObject(icon));
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    auto icon = Lookup<IconObject>(handle);
    if (!icon || !info) return FALSE;
    auto registerCopy = [](const std::shared_ptr<BitmapObject>& bitmap) -> HBITMAP {
        if (!bitmap) return nullptr;
        auto copy = NewBitmap(bitmap->width, bitmap->height, bitmap->mono);
        copy->pixels = bitmap->pixels;
        return static_cast<HBITMAP>(RegisterObject(copy));
    };
    info->fIcon = icon->isIcon;
    info->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    info->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    info->hbmMask = registerCopy(icon->mask);
    info->hbmColor = registerCopy(icon->color);
    return TRUE;
}

BOOL DestroyIcon(HICON handle) {
    if (!Lookup<IconObject>(handle)) return FALSE;
    return UnregisterObject(handle) ? TRUE : FALSE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH,
                UINT flags) {
    auto dc = LookupDc(hdc);
    auto icon = Lookup<IconObject>(handle);
    if (!dc || !icon) return FALSE;
    const IconPixels pixels = PixelsOf(*icon);
    if (pixels.width <= 0 || pixels.height <= 0) return FALSE;
    if (width <= 0) width = pixels.width;
    if (height <= 0) height = pixels.height;
    DrawPixels(*dc, pixels, dc->ToDevice(RECT{x, y, x + width, y + height}),
               flags ? flags : DI_NORMAL);
    Drew(*dc);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
