// Selecting objects, saving and restoring a context, and its modes.
#include <algorithm>
#include <utility>

#include "platform/gdi/DeviceContext.h"

using namespace quorvel::gdi;

namespace {

HGDIOBJ HandleOf(const std::shared_ptr<GdiObject>& object) {
    return object ? object->handle : nullptr;
}

// Moves the "selected into" mark of bitmaps when a context changes bitmap.
bool SwapBitmap(DeviceContext& dc, const std::shared_ptr<BitmapObject>& next) {
    if (!next->stock && next->selectedInto && next->selectedInto != dc.handle) return false;
    if (dc.attr.bitmap && !dc.attr.bitmap->stock && dc.attr.bitmap->selectedInto == dc.handle) {
        dc.attr.bitmap->selectedInto = nullptr;
    }
    if (!next->stock) next->selectedInto = static_cast<HDC>(dc.handle);
    dc.attr.bitmap = next;
    dc.ClipChanged();
    return true;
}

template <typename R, typename Fn>
R WithDc(HDC hdc, R fail, Fn fn) {
    auto dc = LookupDc(hdc);
    return dc ? static_cast<R>(fn(*dc)) : fail;
}

}  // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    auto dc = LookupDc(hdc);
    auto object = LookupObject(handle);
    if (!dc || !object) return nullptr;
    HGDIOBJ previous = nullptr;
    if (auto pen = std::dynamic_pointer_cast<PenObject>(object)) {
        previous = HandleOf(dc->attr.pen);
        dc->attr.pen = pen;
    } else if (auto brush = std::dynamic_pointer_cast<BrushObject>(object)) {
        previous = HandleOf(dc->attr.brush);
        dc->attr.brush = brush;
    } else if (auto font = std::dynamic_pointer_cast<FontObject>(object)) {
        previous = HandleOf(dc->attr.font);
        dc->attr.font = font;
    } else if (auto bitmap = std::dynamic_pointer_cast<BitmapObject>(object)) {
        if (dc->kind != DeviceContext::Kind::Memory) return nullptr;
        previous = HandleOf(dc->attr.bitmap);
        if (!SwapBitmap(*dc, bitmap)) return nullptr;
    } else if (object->type == OBJ_REGION) {
        return reinterpret_cast<HGDIOBJ>(
            static_cast<intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(handle))));
    }
    return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    auto dc = LookupDc(hdc);
    if (!dc) return nullptr;
    switch (type) {
        case OBJ_PEN:
            return HandleOf(dc->attr.pen);
        case OBJ_BRUSH:
            return HandleOf(dc->attr.brush);
        case OBJ_FONT:
            return HandleOf(dc->attr.font);
        case OBJ_BITMAP:
            return HandleOf(dc->attr.bitmap);
        default:
            return nullptr;
    }
}

int SaveDC(HDC hdc) {
    return WithDc(hdc, 0, [](DeviceContext& dc) {
        dc.saved.push_back(dc.attr);
        return static_cast<int>(dc.saved.size());
    });
}

BOOL RestoreDC(HDC hdc, int level) {
    return WithDc(hdc, FALSE, [level](DeviceContext& dc) -> BOOL {
        const int count = static_cast<int>(dc.saved.size());
        const int target = level < 0 ? count + level + 1 : level;
        if (target < 1 || target > count) return FALSE;
        DcAttributes restored = std::move(dc.saved[target - 1]);
        dc.saved.resize(target - 1);
        if (restored.bitmap && restored.bitmap != dc.attr.bitmap) SwapBitmap(dc, restored.bitmap);
        restored.bitmap = dc.attr.bitmap;
        dc.attr = std::move(restored);
        dc.ClipChanged();
        return TRUE;
    });
}

#define QUORVEL_DC_ATTRIBUTE(Setter, Getter, Type, field)                                          \
    Type Setter(HDC hdc, Type value) {                                                             \
        return WithDc(hdc, static_cast<Type>(0),                                                   \
                      [value](DeviceContext& dc) { return std::exchange(dc.attr.field, value); }); \
    }                                                                                              \
    Type Getter(HDC hdc) {                                                                         \
        return WithDc(hdc, static_cast<Type>(0), [](DeviceContext& dc) { return dc.attr.field; }); \
    }

QUORVEL_DC_ATTRIBUTE(SetTextColor, GetTextColor, COLORREF, textColor)
QUORVEL_DC_ATTRIBUTE(SetBkColor, GetBkColor, COLORREF, bkColor)
QUORVEL_DC_ATTRIBUTE(SetBkMode, GetBkMode, int, bkMode)
QUORVEL_DC_ATTRIBUTE(SetROP2, GetROP2, int, rop2)
QUORVEL_DC_ATTRIBUTE(SetPolyFillMode, GetPolyFillMode, int, polyFillMode)
QUORVEL_DC_ATTRIBUTE(SetTextAlign, GetTextAlign, UINT, textAlign)

int SetStretchBltMode(HDC hdc, int mode) {
    return WithDc(hdc, 0,
                  [mode](DeviceContext& dc) { return std::exchange(dc.attr.stretchMode, mode); });
}

namespace {

BOOL SetOrigin(HDC hdc, POINT DcAttributes::*field, int x, int y, LPPOINT previous) {
    return WithDc(hdc, FALSE, [=](DeviceContext& dc) {
        if (previous) *previous = dc.attr.*field;
        dc.attr.*field = POINT{x, y};
        return TRUE;
    });
}

BOOL GetOrigin(HDC hdc, POINT DcAttributes::*field, LPPOINT origin) {
    return WithDc(hdc, FALSE, [=](DeviceContext& dc) {
        if (origin) *origin = dc.attr.*field;
        return TRUE;
    });
}

}  // namespace

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    return SetOrigin(hdc, &DcAttributes::viewportOrg, x, y, previous);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) {
    return GetOrigin(hdc, &DcAttributes::viewportOrg, origin);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    return SetOrigin(hdc, &DcAttributes::windowOrg, x, y, previous);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin) {
    return GetOrigin(hdc, &DcAttributes::windowOrg, origin);
}

// The screen of the handheld: 240 x 320 at 96 dots per inch. The
// framebuffer keeps 8 bits per colour channel in 32-bit words.
int GetDeviceCaps(HDC hdc, int index) {
    if (!LookupDc(hdc)) return 0;
    const Surface& screen = Screen();
    switch (index) {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZRES:
            return screen.width;
        case VERTRES:
            return screen.height;
        case HORZSIZE:
            return (screen.width * 254 + 480) / 960;
        case VERTSIZE:
            return (screen.height * 254 + 480) / 960;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case ASPECTX:
        case ASPECTY:
            return 36;
        case ASPECTXY:
            return 51;
        case RASTERCAPS:
            return RC_BITBLT | RC_STRETCHBLT;
        default:
            return 0;
    }
}
