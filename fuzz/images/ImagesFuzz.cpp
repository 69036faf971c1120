// Fuzz target: the BMP and PNG readers on arbitrary file contents. Each
// input is stored as a file and loaded both as an image (with its opacity)
// and as a bitmap, the way resources and the program's pictures are.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzRoot.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"

namespace {

using quorvel::gdi::Image;

// The file every input is written to.
std::string StoreInput(const uint8_t* data, size_t size) {
    static const quorvel::fuzz::CFuzzFolder folder("images");
    return folder.Store("input", data, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = StoreInput(data, size);
    Image image;
    std::vector<uint8_t> alpha;
    if (quorvel::gdi::LoadImageFile(path, &image, &alpha)) {
        const size_t pixels = static_cast<size_t>(image.width) * image.height;
        if (image.width <= 0 || image.height <= 0 || image.pixels.size() != pixels ||
            alpha.size() != pixels)
            std::abort();
    }
    if (HBITMAP bitmap = quorvel::gdi::LoadBitmapFile(path)) {
        BITMAP info{};
        if (GetObject(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
            info.bmHeight <= 0)
            std::abort();
        DeleteObject(bitmap);
    }
    return 0;
}
