// Image lists: creation, adding from bitmaps and icons, drawing.
#include "platform/controls/ImageList.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/gdi/Surface.h"
#include "platform/resources/Resources.h"

namespace quorvel::controls {
namespace {

std::mutex g_mutex;
std::map<HIMAGELIST, std::unique_ptr<ImageListData>>& Lists() {
    static std::map<HIMAGELIST, std::unique_ptr<ImageListData>> lists;
    return lists;
}

// Nearest-neighbour scaling of an icon's pixels to the list's size.
ImageListData::Entry Scaled(const gdi::Image& color, const gdi::Image& mask, int cx, int cy) {
    ImageListData::Entry e;
    e.pixels.resize(static_cast<size_t>(cx) * cy);
    e.clear.resize(e.pixels.size());
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const int sx = x * color.width / cx, sy = y * color.height / cy;
            const size_t i = static_cast<size_t>(y) * cx + x;
            e.pixels[i] = color.At(sx, sy);
            const bool hasMask = mask.width == color.width && mask.height == color.height;
            e.clear[i] = hasMask && (mask.At(sx, sy) & 0xFFFFFFu) == 0xFFFFFFu;
        }
    }
    return e;
}

uint32_t Blend(uint32_t pixel, uint32_t tint, int percent) {
    auto mix = [&](int shift) {
        const int a = (pixel >> shift) & 0xFF, b = (tint >> shift) & 0xFF;
        return static_cast<uint32_t>((a * (100 - percent) + b * percent) / 100) << shift;
    };
    return mix(16) | mix(8) | mix(0);
}

}  // namespace

ImageListData* FindImageList(HIMAGELIST list) {
    std::lock_guard lock(g_mutex);
    auto it = Lists().find(list);
    return it == Lists().end() ? nullptr : it->second.get();
}

HIMAGELIST NewImageList(int cx, int cy, UINT flags) {
    auto data = std::make_unique<ImageListData>();
    data->cx = cx;
    data->cy = cy;
    data->flags = flags;
    auto handle = reinterpret_cast<HIMAGELIST>(data.get());
    std::lock_guard lock(g_mutex);
    Lists()[handle] = std::move(data);
    return handle;
}

int AppendImages(ImageListData& list, const gdi::Image& image, const std::vector<uint8_t>* clear) {
    if (image.width < list.cx || list.cx <= 0) return -1;
    const int first = static_cast<int>(list.images.size());
    for (int n = 0; n < image.width / list.cx; ++n) {
        ImageListData::Entry e;
        for (int y = 0; y < list.cy; ++y) {
            for (int x = 0; x < list.cx; ++x) {
                const int sx = n * list.cx + x;
                const bool inside = y < image.height;
                e.pixels.push_back(inside ? image.At(sx, y) : 0);
                const size_t at = static_cast<size_t>(y) * image.width + sx;
                e.clear.push_back(inside && clear && list.masked() ? (*clear)[at] : 0);
            }
        }
        list.images.push_back(std::move(e));
    }
    return first;
}

}  // namespace quorvel::controls

using namespace quorvel::controls;
using quorvel::gdi::CaptureBitmap;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0) return nullptr;
    return NewImageList(cx, cy, flags);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    ImageListData* data = FindImageList(list);
    if (!data) return FALSE;
    if (data->system) return TRUE;
    std::lock_guard lock(g_mutex);
    Lists().erase(list);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageListData* data = FindImageList(list);
    return data ? static_cast<int>(data->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageListData* data = FindImageList(list);
    if (!data || !cx || !cy) return FALSE;
    *cx = data->cx;
    *cy = data->cy;
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    ImageListData* data = FindImageList(list);
    if (!data || !image) return -1;
    const quorvel::gdi::Image pixels = CaptureBitmap(image);
    if (!mask) return AppendImages(*data, pixels, nullptr);
    const quorvel::gdi::Image bits = CaptureBitmap(mask);
    std::vector<uint8_t> clear(pixels.pixels.size(), 0);
    for (int y = 0; y < std::min(pixels.height, bits.height); ++y)
        for (int x = 0; x < std::min(pixels.width, bits.width); ++x)
            clear[static_cast<size_t>(y) * pixels.width + x] = (bits.At(x, y) & 0xFFFFFF) != 0;
    return AppendImages(*data, pixels, &clear);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
    ImageListData* data = FindImageList(list);
    if (!data || !image) return -1;
    const quorvel::gdi::Image pixels = CaptureBitmap(image);
    const uint32_t key = quorvel::gdi::PixelFromColor(maskColor);
    std::vector<uint8_t> clear(pixels.pixels.size());
    for (size_t i = 0; i < clear.size(); ++i) clear[i] = (pixels.pixels[i] & 0xFFFFFF) == key;
    return AppendImages(*data, pixels, &clear);
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    ImageListData* data = FindImageList(list);
    ICONINFO info{};
    if (!data || !icon || !GetIconInfo(icon, &info)) return -1;
    const quorvel::gdi::Image color = CaptureBitmap(info.hbmColor ? info.hbmColor : info.hbmMask);
    const quorvel::gdi::Image mask = info.hbmMask ? CaptureBitmap(info.hbmMask) : color;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (color.width <= 0 || color.height <= 0) return -1;
    ImageListData::Entry e =
        Scaled(color, info.hbmMask ? mask : quorvel::gdi::Image{}, data->cx, data->cy);
    if (!data->masked()) std::fill(e.clear.begin(), e.clear.end(), 0);
    if (index < 0) {
        data->images.push_back(std::move(e));
        return static_cast<int>(data->images.size()) - 1;
    }
    if (index >= static_cast<int>(data->images.size())) return -1;
    data->images[static_cast<size_t>(index)] = std::move(e);
    return index;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    ImageListData* data = FindImageList(list);
    if (!data || data->system) return FALSE;
    if (index < 0) {
        data->images.clear();
        return TRUE;
    }
    if (index >= static_cast<int>(data->images.size())) return FALSE;
    data->images.erase(data->images.begin() + index);
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
    ImageListData* data = FindImageList(list);
    if (!data) return CLR_NONE;
    const COLORREF previous = data->background;
    data->background = color;
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    ImageListData* data = FindImageList(list);
    return data ? data->background : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style) {
    ImageListData* data = FindImageList(list);
    if (!data || !hdc || index < 0 || index >= static_cast<int>(data->images.size())) return FALSE;
    const ImageListData::Entry& e = data->images[static_cast<size_t>(index)];
    const uint32_t tint = quorvel::gdi::PixelFromColor(GetSysColor(COLOR_HIGHLIGHT));
    const int blend = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
    const bool fillClear = !(style & ILD_TRANSPARENT) && data->background != CLR_NONE;
    for (int py = 0; py < data->cy; ++py) {
        for (int px = 0; px < data->cx; ++px) {
            const size_t i = static_cast<size_t>(py) * data->cx + px;
            COLORREF color;
            if (style & ILD_MASK) {
                color = e.clear[i] ? RGB(255, 255, 255) : RGB(0, 0, 0);
            } else if (e.clear[i]) {
                if (!fillClear) continue;
                color = data->background;
            } else {
                const uint32_t p = blend ? Blend(e.pixels[i], tint, blend) : e.pixels[i];
                color = quorvel::gdi::ColorFromPixel(p);
            }
            SetPixel(hdc, x + px, y + py, color);
        }
    }
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    ImageListData* data = FindImageList(list);
    if (!data || index < 0 || index >= static_cast<int>(data->images.size())) return nullptr;
    const ImageListData::Entry& e = data->images[static_cast<size_t>(index)];
    quorvel::gdi::Image color{data->cx, data->cy, e.pixels};
    quorvel::gdi::Image mask{data->cx, data->cy, {}};
    for (uint8_t c : e.clear) mask.pixels.push_back(c ? 0xFFFFFFu : 0u);
    ICONINFO info{TRUE, 0, 0, quorvel::gdi::BitmapFromImage(mask),
                  quorvel::gdi::BitmapFromImage(color)};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return icon;
}

HIMAGELIST ImageList_LoadImage(HINSTANCE instance, LPCTSTR name, int cx, int, COLORREF maskColor,
                               UINT, UINT flags) {
    auto bitmap = static_cast<HBITMAP>(LoadImage(instance, name, IMAGE_BITMAP, 0, 0, flags));
    if (!bitmap) return nullptr;
    const quorvel::gdi::Image pixels = CaptureBitmap(bitmap);
    DeleteObject(bitmap);
    if (cx <= 0 || pixels.width < cx) return nullptr;
    const bool masked = maskColor != CLR_NONE;
    HIMAGELIST list = NewImageList(cx, pixels.height, masked ? ILC_MASK : ILC_COLOR);
    ImageListData* data = FindImageList(list);
    const uint32_t key = maskColor == CLR_DEFAULT ? (pixels.At(0, 0) & 0xFFFFFF)
                                                  : quorvel::gdi::PixelFromColor(maskColor);
    std::vector<uint8_t> clear(pixels.pixels.size());
    for (size_t i = 0; i < clear.size(); ++i) clear[i] = (pixels.pixels[i] & 0xFFFFFF) == key;
    AppendImages(*data, pixels, masked ? &clear : nullptr);
    return list;
}
