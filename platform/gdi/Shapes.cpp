// Lines and filled figures. The brush fills a figure's inside and the pen
// draws its outline; the two never share a pixel, so inverting raster
// operations stay reversible.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/PenStroke.h"

using namespace quorvel::gdi;

namespace {

bool HasBrush(const DeviceContext& dc) {
    return dc.attr.brush->style != BS_NULL;
}

void FillWithBrush(DeviceContext& dc, const SpanSet& area) {
    if (!HasBrush(dc)) return;
    Canvas canvas = dc.MakeCanvas();
    area.Paint(canvas, dc.Pixel(dc.attr.brush->color));
}

RECT NormalizedDeviceRect(DeviceContext& dc, int left, int top, int right, int bottom) {
    return dc.ToDevice(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                            std::max(top, bottom)});
}

// Where a pixel of a rounded outline falls in the dash pattern: its angle
// about the centre times the figure's perimeter, so that the pattern runs
// round the figure whatever part of it is visible.
struct PatternAround {
    double cx, cy, perimeter;

    explicit PatternAround(const RECT& box)
        : cx((static_cast<double>(box.left) + box.right - 1) / 2),
          cy((static_cast<double>(box.top) + box.bottom - 1) / 2) {
        const double a = (static_cast<double>(box.right) - box.left) / 2,
                     b = (static_cast<double>(box.bottom) - box.top) / 2;
        const double h = (a - b) * (a - b) / ((a + b) * (a + b));
        perimeter = std::numbers::pi * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
    }
    int64_t operator()(int x, int y) const {
        double turn = std::atan2(cy - y, x - cx) / (2 * std::numbers::pi);
        if (turn < 0) turn += 1;
        return static_cast<int64_t>(turn * perimeter);
    }
};

// A rounded figure (ellipse or rounded rectangle) whose shape `make` gives.
template <typename MakeShape>
BOOL DrawRounded(HDC hdc, int left, int top, int right, int bottom, MakeShape make) {
    auto dc = LookupDc(hdc);
    if (!dc) return FALSE;
    RECT box = NormalizedDeviceRect(*dc, left, top, right, bottom);
    PenStroke pen(*dc);
    if (!pen.Visible()) {
        // Without an outline the figure is a pixel smaller to the right and
        // below, as the device draws it.
        FillWithBrush(*dc,
                      make(RECT{box.left, box.top, box.right - 1, box.bottom - 1}, pen.Limit()));
        Drew(*dc);
        return TRUE;
    }
    const SpanSet shape = make(box, pen.Limit());
    SpanSet inside = shape.Interior();
    for (int i = 1; i < pen.Width(); ++i) inside = inside.Interior();
    SpanSet outline = shape;
    outline.Subtract(inside);
    FillWithBrush(*dc, inside);
    if (dc->attr.pen->style == PS_SOLID || pen.Wide()) {
        pen.Fill(outline);
    } else {
        pen.Outline(outline, PatternAround(box));
    }
    Drew(*dc);
    return TRUE;
}

// A new path: its points in device pixels, its dash pattern from the start.
std::vector<POINT> StartPath(DeviceContext& dc, const POINT* points, int count) {
    std::vector<POINT> device(points, points + count);
    for (POINT& p : device) p = dc.ToDevice(p.x, p.y);
    dc.styleCounter = 0;
    return device;
}

SpanSet WideFrame(const RECT& box, int width, const RECT& limit) {
    SpanSet frame(limit);
    frame.AddRect(RECT{box.left - width / 2, box.top - width / 2, box.right + (width - 1) / 2,
                       box.bottom + (width - 1) / 2});
    SpanSet hole(limit);
    hole.AddRect(RECT{box.left + (width + 1) / 2, box.top + (width + 1) / 2,
                      box.right - 1 - width / 2, box.bottom - 1 - width / 2});
    frame.Subtract(hole);
    return frame;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    auto dc = LookupDc(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->attr.position;
    dc->attr.position = POINT{x, y};
    dc->styleCounter = 0;
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
    auto dc = LookupDc(hdc);
    if (!dc || !position) return FALSE;
    *position = dc->attr.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    auto dc = LookupDc(hdc);
    if (!dc) return FALSE;
    {
        PenStroke pen(*dc);
        pen.Segment(dc->ToDevice(dc->attr.position.x, dc->attr.position.y), dc->ToDevice(x, y));
    }
    dc->attr.position = POINT{x, y};
    Drew(*dc);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    auto dc = LookupDc(hdc);
    if (!dc || !points || count < 2) return FALSE;
    const std::vector<POINT> device = StartPath(*dc, points, count);
    {
        PenStroke pen(*dc);
        pen.Path(device.data(), count, false);
    }
    Drew(*dc);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    auto dc = LookupDc(hdc);
    if (!dc || !points || count < 2) return FALSE;
    const std::vector<POINT> device = StartPath(*dc, points, count);
    PenStroke pen(*dc);
    SpanSet fill =
        PolygonSpans(device.data(), count, dc->attr.polyFillMode == WINDING, pen.Limit());
    if (pen.Visible()) {
        fill.Subtract(PathPixels(device.data(), count, true, pen.Width(), pen.Limit()));
    }
    FillWithBrush(*dc, fill);
    pen.Path(device.data(), count, true);
    Drew(*dc);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    if (!dc) return FALSE;
    const RECT box = NormalizedDeviceRect(*dc, left, top, right, bottom);
    PenStroke pen(*dc);
    if (!pen.Visible()) {
        SpanSet area(pen.Limit());
        area.AddRect(RECT{box.left, box.top, box.right - 1, box.bottom - 1});
        FillWithBrush(*dc, area);
    } else if (pen.Wide()) {
        SpanSet inside(pen.Limit());
        inside.AddRect(RECT{box.left + (pen.Width() + 1) / 2, box.top + (pen.Width() + 1) / 2,
                            box.right - 1 - pen.Width() / 2, box.bottom - 1 - pen.Width() / 2});
        FillWithBrush(*dc, inside);
        pen.Fill(WideFrame(box, pen.Width(), pen.Limit()));
    } else {
        SpanSet inside(pen.Limit());
        inside.AddRect(RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1});
        FillWithBrush(*dc, inside);
        const POINT corners[4] = {{box.left, box.top},
                                  {box.right - 1, box.top},
                                  {box.right - 1, box.bottom - 1},
                                  {box.left, box.bottom - 1}};
        dc->styleCounter = 0;
        if (box.right - box.left == 1 || box.bottom - box.top == 1) {
            SpanSet line(pen.Limit());
            line.AddRect(box);
            pen.Fill(line);
        } else {
            pen.Path(corners, 4, true);
        }
    }
    Drew(*dc);
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return DrawRounded(hdc, left, top, right, bottom,
                       [](const RECT& box, const RECT& limit) { return EllipseSpans(box, limit); });
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight) {
    return DrawRounded(hdc, left, top, right, bottom, [=](const RECT& box, const RECT& limit) {
        return RoundRectSpans(box, ellipseWidth, ellipseHeight, limit);
    });
}
