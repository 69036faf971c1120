// A memory device context on a colour bitmap, for pixel-exact tests, with
// the picture as text: '.' white, '#' black, 'r' red, 'g' green, 'b' blue,
// 'c' cyan (R2_NOT of red), '?' anything else.
#pragma once

#include <ostream>
#include <string>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"

// For comparing and printing rectangles in expectations.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace quorvel::gdi::test {

class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    COLORREF At(int x, int y) const;
    int Count(COLORREF color) const;
    // Bounding box of the pixels that are not `background`.
    RECT Ink(COLORREF background = RGB(255, 255, 255)) const;
    std::string Art() const;
    Image Snapshot() const { return CaptureBitmap(m_bitmap); }

  private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// Pen and brush selected for the life of the object, then restored and deleted.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_object(object), m_old(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

}  // namespace quorvel::gdi::test
