// DrawText: formatted text in a rectangle.
#include <cwchar>

#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextPainter.h"

using namespace quorvel::gdi;

namespace {

int TextTop(const RECT& rect, UINT format, int textHeight) {
    if (!(format & DT_SINGLELINE)) return rect.top;
    if (format & DT_VCENTER) return rect.top + (rect.bottom - rect.top - textHeight) / 2;
    if (format & DT_BOTTOM) return rect.bottom - textHeight;
    return rect.top;
}

int LineLeft(const RECT& rect, UINT format, int lineWidth) {
    if (format & DT_CENTER) return rect.left + (rect.right - rect.left - lineWidth) / 2;
    if (format & DT_RIGHT) return rect.right - lineWidth;
    return rect.left;
}

void PaintLines(DeviceContext& dc, FontInstance& font, const std::vector<LaidLine>& lines,
                const RECT& rect, UINT format, int top) {
    const RECT clip = dc.ToDevice(rect);
    int y = top;
    for (const LaidLine& l : lines) {
        TextLine line;
        line.text = l.text.c_str();
        line.count = static_cast<int>(l.text.size());
        line.dx = l.advances.data();
        line.baseline = dc.ToDevice(LineLeft(rect, format, l.width), y + font.Ascent());
        line.opaque = dc.attr.bkMode == OPAQUE;
        line.clip = (format & DT_NOCLIP) ? nullptr : &clip;
        line.underlineAt = l.underlineAt;
        PaintText(dc, line);
        y += font.Em();
    }
}

}  // namespace

int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    auto dc = LookupDc(hdc);
    if (!dc || !rect || (!text && count != 0)) return 0;
    if (count < 0) count = text ? static_cast<int>(std::wcslen(text)) : 0;
    FontInstance& font = FontOf(*dc);
    LayoutRequest request;
    request.text.assign(text ? text : L"", static_cast<size_t>(count));
    request.format = format;
    request.width = rect->right - rect->left;
    request.tabWidth = 8 * ((font.Em() + 1) / 2);
    request.advance = [&font](wchar_t ch) { return font.Advance(ch); };
    const std::vector<LaidLine> lines = LayOutText(request);
    const int height = static_cast<int>(lines.size()) * font.Em();
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const LaidLine& l : lines) widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    const int top = TextTop(*rect, format, height);
    PaintLines(*dc, font, lines, *rect, format, top);
    Drew(*dc);
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
               ? top - rect->top + height
               : height;
}
