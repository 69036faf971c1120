// A device context: where drawing goes (a memory bitmap or the screen
// framebuffer), how logical coordinates map to its pixels, what clips it,
// and the selected objects and modes.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/Canvas.h"
#include "platform/gdi/GdiObjects.h"

namespace quorvel::gdi {

// What SaveDC keeps and RestoreDC brings back.
struct DcAttributes {
    std::shared_ptr<PenObject> pen;
    std::shared_ptr<BrushObject> brush;
    std::shared_ptr<FontObject> font;
    std::shared_ptr<BitmapObject> bitmap;  // memory device contexts only
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT position{0, 0};
    bool hasClip = false;
    std::vector<RECT> clip;  // the program's clip, in device pixels
};

class DeviceContext : public GdiObject {
  public:
    enum class Kind { Memory, Screen, Window };

    explicit DeviceContext(Kind kind);

    Kind kind;
    HWND hwnd = nullptr;
    POINT origin{0, 0};            // where logical (0, 0) lands before the origins
    std::vector<RECT> systemClip;  // screen pixels a window may draw on
    DcAttributes attr;
    std::vector<DcAttributes> saved;
    int styleCounter = 0;  // position in the pen's dash pattern

    bool OnScreen() const { return kind != Kind::Memory; }
    Surface GetSurface() const;
    bool Mono() const;
    const std::vector<RECT>& Clip();
    void ClipChanged() { m_clipValid = false; }

    int OffsetX() const { return origin.x + attr.viewportOrg.x - attr.windowOrg.x; }
    int OffsetY() const { return origin.y + attr.viewportOrg.y - attr.windowOrg.y; }
    POINT ToDevice(int x, int y) const { return POINT{x + OffsetX(), y + OffsetY()}; }
    RECT ToDevice(const RECT& r) const;

    // A colour as this context's pixels hold it (black or white when the
    // selected bitmap is monochrome).
    uint32_t Pixel(COLORREF color) const;
    Canvas MakeCanvas() { return Canvas(GetSurface(), Clip(), attr.rop2); }

  private:
    std::vector<RECT> m_clip;
    bool m_clipValid = false;
};

std::shared_ptr<DeviceContext> LookupDc(HDC hdc);
// A new context with the default objects selected, registered as a handle.
std::shared_ptr<DeviceContext> NewDc(DeviceContext::Kind kind);
void ReleaseDcObject(DeviceContext& dc);
// Called after drawing into a context: lets the screen's watchers know.
void Drew(const DeviceContext& dc);
// Tells the window manager that the screen's contents changed.
void NoteScreenDrawn();
// Installs the default painting of windows (once, through Install()).
void InstallPaintHooks();

}  // namespace quorvel::gdi
