// Images outside device contexts: snapshots of the screen, a window or a
// bitmap; PNG files; and BMP/PNG files loaded as bitmaps for resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace quorvel::gdi {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Image&) const = default;
};

Image CaptureScreen();
Image CaptureBitmap(HBITMAP bitmap);
// The window's whole rectangle as it is on the screen (what covers it too).
Image CaptureWindow(HWND hwnd);

bool SavePng(const Image& image, const std::string& path);
// `alpha`, when given, receives each pixel's opacity (255 where the file has none).
bool LoadImageFile(const std::string& path, Image* image, std::vector<uint8_t>* alpha = nullptr);

bool SaveScreenPng(const std::string& path);
bool SaveWindowPng(HWND hwnd, const std::string& path);

// A colour bitmap holding the image.
HBITMAP BitmapFromImage(const Image& image);
// A BMP (1, 4, 8, 16, 24 or 32 bits, uncompressed) or PNG file as a bitmap;
// a two-colour BMP becomes a monochrome bitmap. Null when the file cannot
// be read.
HBITMAP LoadBitmapFile(const std::string& hostPath);

}  // namespace quorvel::gdi
