#include "platform/gdi/DeviceContext.h"

#include <algorithm>

namespace quorvel::gdi {

DeviceContext::DeviceContext(Kind k) : GdiObject(k == Kind::Memory ? OBJ_MEMDC : OBJ_DC), kind(k) {}

Surface DeviceContext::GetSurface() const {
    if (kind != Kind::Memory) return Screen();
    return attr.bitmap ? attr.bitmap->View() : Surface{};
}

bool DeviceContext::Mono() const {
    return kind == Kind::Memory && attr.bitmap && attr.bitmap->mono;
}

const std::vector<RECT>& DeviceContext::Clip() {
    if (m_clipValid) return m_clip;
    const Surface s = GetSurface();
    const RECT bounds{0, 0, s.width, s.height};
    if (kind == Kind::Window) {
        m_clip = ClipRects(systemClip, bounds);
    } else {
        m_clip.assign(1, bounds);
        if (IsEmpty(bounds)) m_clip.clear();
    }
    if (attr.hasClip) {
        std::vector<RECT> both;
        for (const RECT& c : attr.clip) {
            auto part = ClipRects(m_clip, c);
            both.insert(both.end(), part.begin(), part.end());
        }
        m_clip = std::move(both);
    }
    m_clipValid = true;
    return m_clip;
}

RECT DeviceContext::ToDevice(const RECT& r) const {
    return RECT{r.left + OffsetX(), r.top + OffsetY(), r.right + OffsetX(), r.bottom + OffsetY()};
}

uint32_t DeviceContext::Pixel(COLORREF color) const {
    const uint32_t pixel = PixelFromColor(color);
    if (!Mono()) return pixel;
    const int sum = GetRValue(color) + GetGValue(color) + GetBValue(color);
    return sum >= 3 * 128 ? kPixelMask : 0u;
}

std::shared_ptr<DeviceContext> LookupDc(HDC hdc) {
    return Lookup<DeviceContext>(hdc);
}

std::shared_ptr<DeviceContext> NewDc(DeviceContext::Kind kind) {
    auto dc = std::make_shared<DeviceContext>(kind);
    dc->attr.pen = Lookup<PenObject>(GetStockObject(BLACK_PEN));
    dc->attr.brush = Lookup<BrushObject>(GetStockObject(WHITE_BRUSH));
    dc->attr.font = Lookup<FontObject>(GetStockObject(SYSTEM_FONT));
    RegisterObject(dc);
    if (kind == DeviceContext::Kind::Memory) {
        dc->attr.bitmap = Lookup<BitmapObject>(DefaultBitmap());
    }
    return dc;
}

void ReleaseDcObject(DeviceContext& dc) {
    if (dc.attr.bitmap && dc.attr.bitmap->selectedInto == dc.handle) {
        dc.attr.bitmap->selectedInto = nullptr;
    }
    UnregisterObject(dc.handle);
}

void Drew(const DeviceContext& dc) {
    if (dc.OnScreen()) NoteScreenDrawn();
}

}  // namespace quorvel::gdi

using namespace quorvel::gdi;

HDC CreateCompatibleDC(HDC) {
    return static_cast<HDC>(NewDc(DeviceContext::Kind::Memory)->handle);
}

BOOL DeleteDC(HDC hdc) {
    auto dc = LookupDc(hdc);
    if (!dc) return FALSE;
    ReleaseDcObject(*dc);
    return TRUE;
}

// A memory context whose bitmap is monochrome makes monochrome bitmaps, as
// on the device: the pitfall of a fresh memory context is kept.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    auto dc = LookupDc(hdc);
    if (!dc || width < 0 || height < 0) return nullptr;
    auto bitmap = NewBitmap(std::max(width, 1), std::max(height, 1), dc->Mono());
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}
