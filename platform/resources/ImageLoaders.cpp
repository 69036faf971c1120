#include <vector>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"
#include "platform/resources/Resources.h"

namespace {

using quorvel::resources::ImageType;

std::string PathOf(LPCTSTR name, ImageType type) {
    std::string path;
    if (!name || !IS_INTRESOURCE(name)) return path;
    const UINT id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    quorvel::resources::FindImageFile(id, type, path);
    return path;
}

// Nearest-neighbour, the way the device stretches an icon to a button.
void Scale(quorvel::gdi::Image& image, std::vector<uint8_t>& alpha, int cx, int cy) {
    quorvel::gdi::Image out{cx, cy, std::vector<uint32_t>(static_cast<size_t>(cx) * cy)};
    std::vector<uint8_t> outAlpha(out.pixels.size());
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const size_t from = static_cast<size_t>(y * image.height / cy) * image.width +
                                static_cast<size_t>(x * image.width / cx);
            out.pixels[static_cast<size_t>(y) * cx + x] = image.pixels[from];
            outAlpha[static_cast<size_t>(y) * cx + x] = alpha[from];
        }
    }
    image = std::move(out);
    alpha = std::move(outAlpha);
}

HICON IconFromFile(const std::string& path, int cx, int cy) {
    quorvel::gdi::Image image;
    std::vector<uint8_t> alpha;
    if (path.empty() || !quorvel::gdi::LoadImageFile(path, &image, &alpha)) return nullptr;
    if (cx > 0 && cy > 0 && (cx != image.width || cy != image.height)) {
        Scale(image, alpha, cx, cy);
    }
    // Mask white where the file is transparent; the image is black there so
    // that drawing (AND mask, XOR image) leaves the screen as it was.
    const int rowBytes = (image.width + 15) / 16 * 2;
    std::vector<uint8_t> maskBits(static_cast<size_t>(rowBytes) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const size_t i = static_cast<size_t>(y) * image.width + x;
            if (alpha[i] >= 128) continue;
            maskBits[static_cast<size_t>(y) * rowBytes + x / 8] |=
                static_cast<uint8_t>(0x80 >> (x % 8));
            image.pixels[i] = 0;
        }
    }
    ICONINFO info{TRUE, 0, 0, CreateBitmap(image.width, image.height, 1, 1, maskBits.data()),
                  quorvel::gdi::BitmapFromImage(image)};
    HICON icon = info.hbmMask && info.hbmColor ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return icon;
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE, LPCTSTR name) {
    const std::string path = PathOf(name, ImageType::Bitmap);
    return path.empty() ? nullptr : quorvel::gdi::LoadBitmapFile(path);
}

HICON LoadIcon(HINSTANCE, LPCTSTR name) {
    return IconFromFile(PathOf(name, ImageType::Icon), 0, 0);
}

HANDLE LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int cx, int cy, UINT) {
    if (type == IMAGE_BITMAP) return LoadBitmap(instance, name);
    if (type == IMAGE_ICON) return IconFromFile(PathOf(name, ImageType::Icon), cx, cy);
    return nullptr;
}
