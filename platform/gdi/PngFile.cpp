// PNG files through libpng.
//
// A screen rarely holds more than a few dozen colours; such a picture is
// written with a palette and deflate's fastest level: the same pixels in a
// third of the bytes, no row filters to try, and about a tenth of the time
// of full-colour rows at the default level (a headless run writes one a
// second while the screen changes). Other pictures go through libpng's
// simplified interface as full-colour rows.
#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdio>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Image.h"

namespace quorvel::gdi {
namespace {

constexpr size_t kMaxPalette = 256;

// Each pixel's index into `palette` (R, G, B of each entry); false when the
// image has more than kMaxPalette colours.
bool IndexColours(const Image& image, std::vector<uint8_t>* indices,
                  std::vector<uint8_t>* palette) {
    // Open addressing, at most a quarter full.
    constexpr size_t kSlots = 1024;
    constexpr uint32_t kEmpty = UINT32_MAX;  // no 0x00RRGGBB colour
    std::array<uint32_t, kSlots> keys;
    std::array<uint8_t, kSlots> slotIndex{};
    keys.fill(kEmpty);
    indices->resize(image.pixels.size());
    palette->clear();
    uint32_t last = kEmpty;
    uint8_t lastIndex = 0;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t colour = image.pixels[i] & 0xFFFFFF;
        if (colour != last) {
            size_t slot = (colour * 2654435761u) >> 22;
            while (keys[slot] != kEmpty && keys[slot] != colour) slot = (slot + 1) % kSlots;
            if (keys[slot] == kEmpty) {
                if (palette->size() == 3 * kMaxPalette) return false;
                keys[slot] = colour;
                slotIndex[slot] = static_cast<uint8_t>(palette->size() / 3);
                palette->insert(palette->end(),
                                {static_cast<uint8_t>(colour >> 16),
                                 static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour)});
            }
            last = colour;
            lastIndex = slotIndex[slot];
        }
        (*indices)[i] = lastIndex;
    }
    return true;
}

// Only plain data lives here: libpng leaves it by longjmp on an error.
bool WritePalettePng(png_structp png, png_infop info, FILE* file, const Image& image,
                     const png_color* colours, int entries, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    // A screen's long runs of a few colours pack well enough at the fastest
    // level (a few kilobytes), in a third of the default level's time.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, entries);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

bool SavePalettePng(const Image& image, std::vector<uint8_t>& indices,
                    const std::vector<uint8_t>& palette, const std::string& path) {
    std::vector<png_color> colours(palette.size() / 3);
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = png_color{palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]};
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = indices.data() + y * image.width;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr && WritePalettePng(png, info, file, image, colours.data(),
                                                 static_cast<int>(colours.size()), rows.data());
    png_destroy_write_struct(&png, &info);
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

}  // namespace

bool SavePng(const Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0) return false;
    std::vector<uint8_t> indices, palette;
    if (IndexColours(image, &indices, &palette))
        return SavePalettePng(image, indices, palette, path);
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
