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

void ResizeScreen(int width, int height) {
    Buffer().Resize(width, height);
}

}  // namespace quorvel::gdi
