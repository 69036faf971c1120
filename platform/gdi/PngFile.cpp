// PNG files through libpng's simplified interface.
#include <png.h>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Image.h"

namespace quorvel::gdi {

bool SavePng(const Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0) return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        rgb[3 * i] = static_cast<uint8_t>(image.pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(image.pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(image.pixels[i]);
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool LoadPngFile(const std::string& path, Image* image, std::vector<uint8_t>* alpha) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    // The header alone decides the buffer: a few bytes claiming a huge
    // picture must not claim gigabytes. The same bound as for BMP files.
    if (png.width > 8192 || png.height > 8192) {
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    image->width = static_cast<int>(png.width);
    image->height = static_cast<int>(png.height);
    image->pixels.resize(static_cast<size_t>(image->width) * image->height);
    if (alpha) alpha->resize(image->pixels.size());
    for (size_t i = 0; i < image->pixels.size(); ++i) {
        const uint8_t* p = &rgba[4 * i];
        image->pixels[i] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        if (alpha) (*alpha)[i] = p[3];
    }
    return true;
}

}  // namespace quorvel::gdi
