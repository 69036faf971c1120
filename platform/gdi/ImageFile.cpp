// Loading BMP and PNG files, and snapshots of what is drawn.
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Image.h"

namespace quorvel::gdi {

bool LoadPngFile(const std::string& path, Image* image, std::vector<uint8_t>* alpha);

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

struct BmpHeader {
    size_t bitsAt = 0;
    int width = 0, height = 0, bpp = 0;
    bool topDown = false;
    std::vector<uint32_t> palette;
};

bool ParseBmpHeader(const std::vector<uint8_t>& b, BmpHeader* h) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t infoSize = Le(b, 14, 4);
    // A negative height is a top-down file. Heights are taken wide, since
    // the most negative one has no positive counterpart in 32 bits.
    const int64_t height = static_cast<int32_t>(Le(b, 22, 4));
    const uint32_t compression = Le(b, 30, 4);
    h->bitsAt = Le(b, 10, 4);
    h->width = static_cast<int32_t>(Le(b, 18, 4));
    const int64_t rows = height < 0 ? -height : height;
    h->height = rows > 8192 ? 0 : static_cast<int>(rows);  // too many is refused below
    h->topDown = height < 0;
    h->bpp = static_cast<int>(Le(b, 28, 2));
    // Only uncompressed pixels (16 and 32 bits may say "bit fields" for
    // the standard layouts).
    if (compression != 0 && compression != 3) return false;
    if (h->width <= 0 || h->height <= 0 || h->width > 8192 || h->height > 8192) return false;
    if (h->bpp <= 8) {
        // The count is the file's word: sized in size_t, so that a huge one
        // cannot wrap round and pass for a palette inside the file.
        size_t colors = Le(b, 46, 4);
        if (colors == 0) colors = size_t{1} << h->bpp;
        const size_t at = 14 + size_t{infoSize};
        if (at + 4 * colors > b.size()) return false;
        for (size_t i = 0; i < colors; ++i) h->palette.push_back(Le(b, at + 4 * i, 4) & 0xFFFFFFu);
    }
    const size_t stride = (static_cast<size_t>(h->width) * h->bpp + 31) / 32 * 4;
    return h->bpp != 0 && h->bitsAt + stride * h->height <= b.size();
}

uint32_t BmpPixel(const BmpHeader& h, const uint8_t* row, int x) {
    auto index = [&](int bits) {
        const int bit = x * bits;
        return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
    };
    switch (h.bpp) {
        case 1:
        case 4:
        case 8: {
            const size_t i = static_cast<size_t>(index(h.bpp));
            return i < h.palette.size() ? h.palette[i] : 0u;
        }
        case 16: {
            const uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
            const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, bl = v & 31;
            return ((r * 255 / 31) << 16) | ((g * 255 / 31) << 8) | (bl * 255 / 31);
        }
        case 24:
            return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
        case 32:
            return (row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16));
        default:
            return 0;
    }
}

bool ReadBmp(const std::vector<uint8_t>& bytes, Image* image, bool* twoColour) {
    BmpHeader h;
    if (!ParseBmpHeader(bytes, &h)) return false;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32) {
        return false;
    }
    const size_t stride = (static_cast<size_t>(h.width) * h.bpp + 31) / 32 * 4;
    image->width = h.width;
    image->height = h.height;
    image->pixels.resize(static_cast<size_t>(h.width) * h.height);
    for (int y = 0; y < h.height; ++y) {
        const int fileRow = h.topDown ? y : h.height - 1 - y;
        const uint8_t* row = bytes.data() + h.bitsAt + stride * static_cast<size_t>(fileRow);
        for (int x = 0; x < h.width; ++x) {
            image->pixels[static_cast<size_t>(y) * h.width + x] = BmpPixel(h, row, x);
        }
    }
    *twoColour = h.bpp == 1;
    return true;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

Image FromSurface(const Surface& s) {
    Image image;
    image.width = s.width;
    image.height = s.height;
    image.pixels.reserve(static_cast<size_t>(s.width) * s.height);
    for (int y = 0; y < s.height; ++y) {
        image.pixels.insert(image.pixels.end(), s.Row(y), s.Row(y) + s.width);
    }
    return image;
}

}  // namespace

bool LoadImageFile(const std::string& path, Image* image, std::vector<uint8_t>* alpha) {
    std::vector<uint8_t> bytes;
    if (!image || !ReadFile(path, &bytes)) return false;
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG", 4) == 0) {
        return LoadPngFile(path, image, alpha);
    }
    bool twoColour = false;
    if (!ReadBmp(bytes, image, &twoColour)) return false;
    if (alpha) alpha->assign(image->pixels.size(), 255);
    return true;
}

HBITMAP BitmapFromImage(const Image& image) {
    if (image.width <= 0 || image.height <= 0) return nullptr;
    auto bitmap = NewBitmap(image.width, image.height, false);
    bitmap->pixels = image.pixels;
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}

HBITMAP LoadBitmapFile(const std::string& hostPath) {
    std::vector<uint8_t> bytes;
    Image image;
    bool twoColour = false;
    if (!ReadFile(hostPath, &bytes)) return nullptr;
    if (!ReadBmp(bytes, &image, &twoColour) && !LoadPngFile(hostPath, &image, nullptr)) {
        return nullptr;
    }
    if (!twoColour) return BitmapFromImage(image);
    auto bitmap = NewBitmap(image.width, image.height, true);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        const int sum = static_cast<int>((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
        bitmap->pixels[i] = sum >= 3 * 128 ? 0xFFFFFFu : 0u;
    }
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}

Image CaptureScreen() {
    const auto lock = LockPixels(Screen());
    return FromSurface(Screen());
}

Image CaptureBitmap(HBITMAP bitmap) {
    return FromSurface(BitmapSurface(bitmap));
}

bool SaveScreenPng(const std::string& path) {
    return SavePng(CaptureScreen(), path);
}

}  // namespace quorvel::gdi
