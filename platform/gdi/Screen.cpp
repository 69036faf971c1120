#include <vector>

#include "platform/gdi/Surface.h"

#include "platform/win/WinInternal.h"

namespace quorvel::gdi {
namespace {

struct ScreenBuffer {
    std::vector<uint32_t> pixels;
    Surface surface;

    void Resize(int width, int height) {
        pixels.assign(static_cast<size_t>(width) * height, 0);
        surface = Surface{width, height, pixels.data(), width};
    }
};

ScreenBuffer& Buffer() {
    static ScreenBuffer* buffer = [] {
        auto* b = new ScreenBuffer;
        b->Resize(kScreenWidth, kScreenHeight);
        return b;
    }();
    return *buffer;
}

}  // namespace

const Surface& Screen() {
    return Buffer().surface;
}

std::unique_lock<std::recursive_mutex> LockPixels(const Surface& surface) {
    static std::recursive_mutex* screen = new std::recursive_mutex;
    if (surface.pixels == nullptr || surface.pixels != Buffer().surface.pixels) return {};
    return std::unique_lock<std::recursive_mutex>(*screen);
}

// The window manager must agree on the size, or maximised windows and the
// visible-area clipping would still assume the full screen.
void ResizeScreen(int width, int height) {
    Buffer().Resize(width, height);
    win::SetScreenSize(width, height);
}

}  // namespace quorvel::gdi
