// Pixel storage that device contexts draw into: the screen framebuffer and
// memory bitmaps. Pixels are 32-bit 0x00RRGGBB; the program's colours
// (COLORREF) are 0x00BBGGRR and are swapped on the way in and out.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/base/WinTypes.h"

namespace quorvel::gdi {

struct Surface {
    int width = 0;
    int height = 0;
    uint32_t* pixels = nullptr;
    int stride = 0;  // in pixels, not bytes

    uint32_t* Row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * stride; }
};

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// The screen framebuffer, 240 x 320 until a test asks for another size.
// It starts black; backends read it, window device contexts draw into it.
const Surface& Screen();
// Replaces the framebuffer (tests use small ones); the new one is black.
void ResizeScreen(int width, int height);
// Held while pixels of `surface` are read or written. The screen is shared:
// a worker thread's message box paints it while the interface thread paints
// its windows, so their drawing takes turns, one primitive at a time. For
// any other surface (a memory bitmap belongs to one thread) the lock is
// empty.
std::unique_lock<std::recursive_mutex> LockPixels(const Surface& surface);

constexpr uint32_t PixelFromColor(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF ColorFromPixel(uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

}  // namespace quorvel::gdi
