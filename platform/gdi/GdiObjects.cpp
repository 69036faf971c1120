#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/Canvas.h"
#include "platform/gdi/FontInstance.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace quorvel::gdi {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<GdiObject>> objects;
    uintptr_t next = 0x10000;
};

HandleTable& Table() {
    static HandleTable* table = new HandleTable;
    return *table;
}

HGDIOBJ Stock(std::shared_ptr<GdiObject> object) {
    object->stock = true;
    return RegisterObject(std::move(object));
}

HGDIOBJ StockPen(int style, COLORREF color) {
    auto pen = std::make_shared<PenObject>();
    pen->style = style;
    pen->color = color;
    return Stock(pen);
}

HGDIOBJ StockBrush(int style, COLORREF color) {
    auto brush = std::make_shared<BrushObject>();
    brush->style = style;
    brush->color = color;
    return Stock(brush);
}

HGDIOBJ StockFont(const wchar_t* face) {
    auto font = std::make_shared<FontObject>();
    font->log.lfHeight = -12;
    font->log.lfWeight = FW_NORMAL;
    font->log.lfCharSet = GB2312_CHARSET;
    wcsncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
    font->instance = InstanceFor(font->log);
    return Stock(font);
}

// The device's stock objects: grey levels of the classic look and the
// 12-pixel system font the handheld's screens were laid out with.
const std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1>& StockObjects() {
    static const std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> objects = [] {
        std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> o{};
        o[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
        o[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
        o[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
        o[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
        o[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
        o[NULL_BRUSH] = StockBrush(BS_NULL, 0);
        o[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
        o[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
        o[NULL_PEN] = StockPen(PS_NULL, 0);
        o[OEM_FIXED_FONT] = StockFont(L"Courier New");
        o[ANSI_FIXED_FONT] = StockFont(L"Courier New");
        o[ANSI_VAR_FONT] = StockFont(L"System");
        o[SYSTEM_FONT] = StockFont(L"System");
        o[DEVICE_DEFAULT_FONT] = StockFont(L"System");
        o[SYSTEM_FIXED_FONT] = StockFont(L"Courier New");
        o[DEFAULT_GUI_FONT] = StockFont(L"System");
        return o;
    }();
    return objects;
}

int WidthBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 15) / 16 * 2;
}

void CopyBits(BitmapObject& bitmap, int bitsPerPixel, const void* bits) {
    const auto* bytes = static_cast<const uint8_t*>(bits);
    const int rowBytes = WidthBytes(bitmap.width, bitsPerPixel);
    for (int y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = bytes + static_cast<size_t>(y) * rowBytes;
        uint32_t* out = bitmap.pixels.data() + static_cast<size_t>(y) * bitmap.width;
        for (int x = 0; x < bitmap.width; ++x) {
            if (bitsPerPixel == 1) {
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFFu : 0u;
            } else {
                uint32_t v;
                std::memcpy(&v, row + x * 4, 4);
                out[x] = v & 0xFFFFFFu;
            }
        }
    }
}

}  // namespace

HGDIOBJ RegisterObject(std::shared_ptr<GdiObject> object) {
    HandleTable& t = Table();
    std::lock_guard lock(t.mutex);
    const uintptr_t id = t.next;
    t.next += 4;
    object->handle = reinterpret_cast<HGDIOBJ>(id);
    t.objects.emplace(id, std::move(object));
    return reinterpret_cast<HGDIOBJ>(id);
}

std::shared_ptr<GdiObject> LookupObject(HGDIOBJ handle) {
    HandleTable& t = Table();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

bool UnregisterObject(HGDIOBJ handle) {
    HandleTable& t = Table();
    std::lock_guard lock(t.mutex);
    return t.objects.erase(reinterpret_cast<uintptr_t>(handle)) != 0;
}

size_t LiveObjectCount(DWORD type) {
    HandleTable& t = Table();
    std::lock_guard lock(t.mutex);
    return static_cast<size_t>(
        std::count_if(t.objects.begin(), t.objects.end(),
                      [&](const auto& o) { return o.second->type == type && !o.second->stock; }));
}

std::shared_ptr<BitmapObject> NewBitmap(int width, int height, bool mono) {
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->mono = mono;
    bitmap->pixels.assign(static_cast<size_t>(width) * height, 0);
    return bitmap;
}

Surface BitmapSurface(HBITMAP handle) {
    auto bitmap = Lookup<BitmapObject>(handle);
    return bitmap ? bitmap->View() : Surface{};
}

HBITMAP DefaultBitmap() {
    static const HGDIOBJ bitmap = Stock(NewBitmap(1, 1, true));
    return static_cast<HBITMAP>(bitmap);
}

}  // namespace quorvel::gdi

using namespace quorvel::gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
    auto pen = std::make_shared<PenObject>();
    pen->style = style & PS_STYLE_MASK;
    pen->width = width < 1 ? 1 : width;
    pen->color = color & kPixelMask;
    return static_cast<HPEN>(RegisterObject(pen));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<BrushObject>();
    brush->color = color & kPixelMask;
    return static_cast<HBRUSH>(RegisterObject(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* log) {
    if (!log) return nullptr;
    if (log->lbStyle == BS_NULL) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return CreateSolidBrush(log->lbColor);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto bitmap = NewBitmap(width, height, bitsPerPixel == 1);
    if (bits) CopyBits(*bitmap, static_cast<int>(bitsPerPixel), bits);
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto region = std::make_shared<RegionObject>();
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
           std::max(top, bottom)};
    if (!IsEmpty(r)) region->rects.push_back(r);
    return static_cast<HRGN>(RegisterObject(region));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HGDIOBJ GetStockObject(int index) {
    const auto& objects = StockObjects();
    if (index < 0 || index >= static_cast<int>(objects.size())) return nullptr;
    return objects[index];
}

BOOL DeleteObject(HGDIOBJ handle) {
    auto object = LookupObject(handle);
    if (!object || object->type == OBJ_DC || object->type == OBJ_MEMDC ||
        object->type == kObjIcon) {
        return FALSE;
    }
    if (object->stock) return TRUE;
    // A bitmap still selected into a device context cannot go.
    if (auto bitmap = std::dynamic_pointer_cast<BitmapObject>(object); bitmap) {
        if (bitmap->selectedInto) return FALSE;
    }
    return UnregisterObject(handle) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ handle) {
    auto object = LookupObject(handle);
    return object && object->type != kObjIcon ? object->type : 0;
}

namespace {

template <typename T>
int CopyOut(const T& value, int size, LPVOID out) {
    if (!out) return static_cast<int>(sizeof(T));
    const int n = std::min<int>(size, static_cast<int>(sizeof(T)));
    if (n <= 0) return 0;
    std::memcpy(out, &value, static_cast<size_t>(n));
    return n;
}

}  // namespace

int GetObject(HGDIOBJ handle, int size, LPVOID out) {
    auto object = LookupObject(handle);
    if (!object) return 0;
    if (auto pen = std::dynamic_pointer_cast<PenObject>(object)) {
        LOGPEN log{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->color};
        return CopyOut(log, size, out);
    }
    if (auto brush = std::dynamic_pointer_cast<BrushObject>(object)) {
        LOGBRUSH log{static_cast<UINT>(brush->style), brush->color, 0};
        return CopyOut(log, size, out);
    }
    if (auto font = std::dynamic_pointer_cast<FontObject>(object)) {
        return CopyOut(font->log, size, out);
    }
    if (auto bitmap = std::dynamic_pointer_cast<BitmapObject>(object)) {
        const int bpp = bitmap->mono ? 1 : 32;
        BITMAP info{0, bitmap->width,          bitmap->height, WidthBytes(bitmap->width, bpp),
                    1, static_cast<WORD>(bpp), nullptr};
        return CopyOut(info, size, out);
    }
    return 0;
}
