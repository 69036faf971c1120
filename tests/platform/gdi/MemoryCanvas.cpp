#include "tests/platform/gdi/MemoryCanvas.h"

#include <algorithm>

namespace quorvel::gdi::test {

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill)
    : m_width(width),
      m_height(height),
      m_dc(CreateCompatibleDC(nullptr)),
      m_bitmap(CreateBitmap(width, height, 1, 32, nullptr)),
      m_old(SelectObject(m_dc, m_bitmap)) {
    FillSolidRect(m_dc, 0, 0, width, height, fill);
    SetBkColor(m_dc, RGB(255, 255, 255));
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
}

COLORREF MemoryCanvas::At(int x, int y) const {
    const Image image = Snapshot();
    return ColorFromPixel(image.At(x, y));
}

int MemoryCanvas::Count(COLORREF color) const {
    const Image image = Snapshot();
    return static_cast<int>(
        std::count(image.pixels.begin(), image.pixels.end(), PixelFromColor(color)));
}

RECT MemoryCanvas::Ink(COLORREF background) const {
    const Image image = Snapshot();
    RECT box{m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (image.At(x, y) == PixelFromColor(background)) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

std::string MemoryCanvas::Art() const {
    const Image image = Snapshot();
    std::string art;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            switch (ColorFromPixel(image.At(x, y))) {
                case RGB(255, 255, 255):
                    art += '.';
                    break;
                case RGB(0, 0, 0):
                    art += '#';
                    break;
                case RGB(255, 0, 0):
                    art += 'r';
                    break;
                case RGB(0, 255, 0):
                    art += 'g';
                    break;
                case RGB(0, 0, 255):
                    art += 'b';
                    break;
                case RGB(0, 255, 255):
                    art += 'c';
                    break;
                default:
                    art += '?';
            }
        }
        art += '\n';
    }
    return art;
}

}  // namespace quorvel::gdi::test
