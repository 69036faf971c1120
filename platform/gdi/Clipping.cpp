// The program's own clip, kept in device pixels on top of the context's
// natural bounds (the bitmap, the screen, or what of a window is visible).
#include "platform/gdi/DeviceContext.h"

using namespace quorvel::gdi;

namespace {

int RegionType(const std::vector<RECT>& rects) {
    if (rects.empty()) return NULLREGION;
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int SetClip(DeviceContext& dc, std::vector<RECT> clip) {
    dc.attr.hasClip = true;
    dc.attr.clip = std::move(clip);
    dc.ClipChanged();
    return RegionType(dc.Clip());
}

std::vector<RECT> CurrentClip(DeviceContext& dc) {
    if (dc.attr.hasClip) return dc.attr.clip;
    const Surface s = dc.GetSurface();
    return {RECT{0, 0, s.width, s.height}};
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN handle) {
    auto dc = LookupDc(hdc);
    if (!dc) return ERROR;
    if (!handle) {
        dc->attr.hasClip = false;
        dc->attr.clip.clear();
        dc->ClipChanged();
        return RegionType(dc->Clip());
    }
    auto region = Lookup<RegionObject>(handle);
    if (!region) return ERROR;
    std::vector<RECT> clip;
    for (const RECT& r : region->rects) {
        clip.push_back(RECT{r.left + dc->origin.x, r.top + dc->origin.y, r.right + dc->origin.x,
                            r.bottom + dc->origin.y});
    }
    return SetClip(*dc, std::move(clip));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    if (!dc) return ERROR;
    const RECT r = dc->ToDevice(RECT{left, top, right, bottom});
    return SetClip(*dc, ClipRects(CurrentClip(*dc), r));
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    if (!dc) return ERROR;
    const RECT r = dc->ToDevice(RECT{left, top, right, bottom});
    return SetClip(*dc, SubtractRect(CurrentClip(*dc), r));
}

int GetClipBox(HDC hdc, LPRECT box) {
    auto dc = LookupDc(hdc);
    if (!dc || !box) return ERROR;
    const auto& clip = dc->Clip();
    const RECT b = BoundingBox(clip);
    *box = RECT{b.left - dc->OffsetX(), b.top - dc->OffsetY(), b.right - dc->OffsetX(),
                b.bottom - dc->OffsetY()};
    return RegionType(clip);
}
