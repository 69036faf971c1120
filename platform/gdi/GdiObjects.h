// The objects behind GDI handles and the handle table. Handles are never
// reused; an object stays alive while a device context still has it
// selected, even after its handle was deleted.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Surface.h"

namespace quorvel::gdi {

class FontInstance;

struct GdiObject {
    explicit GdiObject(DWORD t) : type(t) {}
    virtual ~GdiObject() = default;
    DWORD type;
    bool stock = false;
    HGDIOBJ handle = nullptr;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    int style = PS_SOLID;
    int width = 1;  // 0 means 1
    COLORREF color = 0;
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    int style = BS_SOLID;
    COLORREF color = 0;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONT log{};
    std::shared_ptr<FontInstance> instance;  // set when the font is made
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(OBJ_BITMAP) {}
    int width = 0;
    int height = 0;
    bool mono = false;  // pixels are then only black or white
    std::vector<uint32_t> pixels;
    HDC selectedInto = nullptr;

    Surface View() { return Surface{width, height, pixels.data(), width}; }
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    std::vector<RECT> rects;
};

// Icons are not GDI objects on the device, but they share the table so that
// their handles are checked the same way.
constexpr DWORD kObjIcon = kIconObjects;
struct IconObject : GdiObject {
    IconObject() : GdiObject(kObjIcon) {}
    std::shared_ptr<BitmapObject> color;  // may be null: the mask holds both halves
    std::shared_ptr<BitmapObject> mask;
    POINT hotspot{0, 0};
    BOOL isIcon = TRUE;
};

HGDIOBJ RegisterObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> LookupObject(HGDIOBJ handle);
bool UnregisterObject(HGDIOBJ handle);

template <typename T>
std::shared_ptr<T> Lookup(HGDIOBJ handle) {
    return std::dynamic_pointer_cast<T>(LookupObject(handle));
}

std::shared_ptr<BitmapObject> NewBitmap(int width, int height, bool mono);
// A bitmap's pixels; an empty surface for an unknown handle.
Surface BitmapSurface(HBITMAP bitmap);
// The one-pixel monochrome bitmap a new memory device context starts with.
HBITMAP DefaultBitmap();

}  // namespace quorvel::gdi
