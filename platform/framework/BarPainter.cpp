#include "platform/framework/BarPainter.h"

#include "platform/base/Collections.h"
#include "platform/base/Geometry.h"

namespace quorvel::framework::paint {

namespace {

void Line(HDC hdc, int x0, int y0, int x1, int y1, COLORREF color, int width = 1) {
    HPEN pen = CreatePen(PS_SOLID, width, color);
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void Text(HDC hdc, RECT rect, LPCTSTR text, UINT format, COLORREF color) {
    SetTextColor(hdc, color);
    DrawText(hdc, text, -1, &rect, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

HFONT MenuFont() {
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void Label(HDC hdc, const RECT& rect, LPCTSTR text, UINT format, bool enabled, COLORREF color) {
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    if (enabled) {
        Text(hdc, rect, text, format, color);
    } else {
        // Greyed text keeps a white shadow one pixel down and right, so it
        // reads as engraved in the face rather than merely faint.
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        Text(hdc, shadow, text, format, GetSysColor(COLOR_BTNHIGHLIGHT));
        Text(hdc, rect, text, format, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

int LabelWidth(HDC hdc, LPCTSTR text) {
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    SIZE size{};
    GetTextExtentPoint32(hdc, text, lstrlenW(text), &size);
    SelectObject(hdc, oldFont);
    return size.cx;
}

void CheckMark(HDC hdc, const RECT& rect, COLORREF color) {
    const int x = rect.left + (rect.right - rect.left - 7) / 2;
    const int y = rect.top + (rect.bottom - rect.top - 7) / 2;
    // Three strokes one pixel apart make the usual bold tick.
    for (int i = 0; i < 3; ++i) {
        Line(hdc, x, y + 2 + i, x + 2, y + 4 + i, color);
        Line(hdc, x + 2, y + 4 + i, x + 7, y - 1 + i, color);
    }
}

void ButtonFace(HDC hdc, const RECT& rect, bool sunken) {
    RECT r = rect;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CloseBox(HDC hdc, const RECT& rect, bool pressed) {
    ButtonFace(hdc, rect, pressed);
    const int shift = pressed ? 1 : 0;
    const int cx = (rect.left + rect.right) / 2 + shift;
    const int cy = (rect.top + rect.bottom) / 2 + shift;
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (int d = 0; d < 2; ++d) {
        Line(hdc, cx - 4 + d, cy - 4, cx + 4 + d, cy + 4, ink);
        Line(hdc, cx + 3 + d, cy - 4, cx - 5 + d, cy + 4, ink);
    }
}

void EtchedLine(HDC hdc, const RECT& rect) {
    const int y = (rect.top + rect.bottom) / 2 - 1;
    Line(hdc, rect.left, y, rect.right, y, GetSysColor(COLOR_BTNSHADOW));
    Line(hdc, rect.left, y + 1, rect.right, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace quorvel::framework::paint
