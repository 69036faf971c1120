// The image list behind an HIMAGELIST: equal-sized images, each its pixels
// and which of them are transparent.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/controls/CommCtrl.h"
#include "platform/gdi/Image.h"

namespace quorvel::controls {

struct ImageListData {
    int cx = 16;
    int cy = 16;
    UINT flags = ILC_COLOR;
    COLORREF background = CLR_NONE;
    bool system = false;  // the shell's list: never destroyed
    struct Entry {
        std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
        std::vector<uint8_t> clear;    // 1: the background shows through
    };
    std::vector<Entry> images;

    bool masked() const { return (flags & ILC_MASK) != 0; }
};

// The list behind a handle, or null for handles that are not (or no
// longer) image lists.
ImageListData* FindImageList(HIMAGELIST list);
// A new list registered under a fresh handle.
HIMAGELIST NewImageList(int cx, int cy, UINT flags);
// Cuts `image` into entries `cx` wide; `clear` says which pixels are
// transparent (one entry per pixel of the whole image). Returns the first index or -1.
int AppendImages(ImageListData& list, const gdi::Image& image, const std::vector<uint8_t>* clear);

}  // namespace quorvel::controls
