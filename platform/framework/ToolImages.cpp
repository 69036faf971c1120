#include "platform/framework/ToolImages.h"

#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"
#include "platform/resources/Resources.h"

namespace quorvel::framework {

namespace {

bool IsDark(uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r * 30 + g * 59 + b * 11 < 160 * 100;
}

// The classic disabled form: the image's dark strokes in shadow grey with a
// white copy one pixel down and right; its light parts vanish into the face.
gdi::Image Embossed(const gdi::Image& source, uint32_t key) {
    gdi::Image out = source;
    std::fill(out.pixels.begin(), out.pixels.end(), key);
    const uint32_t white = gdi::PixelFromColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    const uint32_t grey = gdi::PixelFromColor(GetSysColor(COLOR_BTNSHADOW));
    auto at = [&](gdi::Image& image, int x, int y) -> uint32_t& {
        return image.pixels[static_cast<size_t>(y) * image.width + x];
    };
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const uint32_t p = source.At(x, y);
            if (p == key || !IsDark(p)) continue;
            if (x + 1 < source.width && y + 1 < source.height) at(out, x + 1, y + 1) = white;
        }
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const uint32_t p = source.At(x, y);
            if (p != key && IsDark(p)) at(out, x, y) = grey;
        }
    return out;
}

}  // namespace

ToolImages::~ToolImages() {
    Release();
}

void ToolImages::Release() {
    if (m_normal) DeleteObject(m_normal);
    if (m_disabled) DeleteObject(m_disabled);
    m_normal = m_disabled = nullptr;
    m_count = 0;
}

bool ToolImages::Load(UINT bitmapId, int cx, int cy) {
    Release();
    HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(bitmapId));
    if (!strip || cx <= 0 || cy <= 0) {
        if (strip) DeleteObject(strip);
        return false;
    }
    const gdi::Image image = gdi::CaptureBitmap(strip);
    const uint32_t key = image.pixels.empty() ? 0 : image.At(0, 0);
    m_normal = strip;
    m_disabled = gdi::BitmapFromImage(Embossed(image, key));
    m_key = gdi::ColorFromPixel(key);
    m_cx = cx;
    m_cy = cy;
    m_count = image.width / cx;
    return true;
}

void ToolImages::Draw(HDC hdc, int index, int x, int y, bool enabled) const {
    if (index < 0 || index >= m_count) return;
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, enabled ? m_normal : m_disabled);
    TransparentBlt(hdc, x, y, m_cx, m_cy, mem, index * m_cx, 0, m_cx, m_cy, m_key);
    SelectObject(mem, old);
    DeleteDC(mem);
}

}  // namespace quorvel::framework
