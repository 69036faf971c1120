// The toolbar's bitmap strip: image n is the n-th cell of the strip, drawn
// over the button face with the strip's background colour (its top-left
// pixel) left out. Disabled buttons show an embossed grey form of the
// image, made once when the strip is loaded.
#pragma once

#include "platform/gdi/GdiApi.h"

namespace quorvel::framework {

class ToolImages {
  public:
    ToolImages() = default;
    ToolImages(const ToolImages&) = delete;
    ToolImages& operator=(const ToolImages&) = delete;
    ~ToolImages();

    // Loads BITMAP `bitmapId` as cells of cx x cy; false when it is missing.
    bool Load(UINT bitmapId, int cx, int cy);
    int Count() const { return m_count; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Draw(HDC hdc, int index, int x, int y, bool enabled) const;

  private:
    void Release();

    HBITMAP m_normal = nullptr;
    HBITMAP m_disabled = nullptr;
    COLORREF m_key = 0;
    int m_cx = 0;
    int m_cy = 0;
    int m_count = 0;
};

}  // namespace quorvel::framework
