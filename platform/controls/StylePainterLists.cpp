// The painter's rows, headers, tree marks, tabs and progress bars.
#include "platform/controls/StylePainter.h"

#include <algorithm>

namespace quorvel::controls {

void StylePainter::Row(const RECT& row, const RECT& textBox, std::wstring_view text, UINT format,
                       const RowLook& look, COLORREF textColor, COLORREF background) {
    COLORREF fill = background, ink = textColor;
    if (look.selected) {
        fill = SysColor(look.active ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        if (look.active) ink = SysColor(COLOR_HIGHLIGHTTEXT);
    }
    if (look.disabled) ink = SysColor(COLOR_GRAYTEXT);
    if (fill != CLR_NONE) Fill(row, fill);
    Label(textBox, text, format | DT_SINGLELINE | DT_VCENTER, ink);
    if (look.focusRect) FocusFrame(row);
}

void StylePainter::HeaderItem(const RECT& r, std::wstring_view text, UINT format) {
    Fill(r, SysColor(COLOR_BTNFACE));
    RaisedEdge(r);
    const RECT textBox{r.left + 4, r.top, r.right - 4, r.bottom};
    Label(textBox, text, format | DT_SINGLELINE | DT_VCENTER, SysColor(COLOR_BTNTEXT));
}

void StylePainter::GridLine(int x0, int y0, int x1, int y1) {
    const RECT line{x0, y0, std::max(x1, x0 + 1), std::max(y1, y0 + 1)};
    Fill(line, SysColor(COLOR_BTNFACE));
}

void StylePainter::DottedLine(int x0, int y0, int x1, int y1) {
    const COLORREF color = SysColor(COLOR_BTNSHADOW);
    if (y0 == y1) {
        for (int x = x0 + ((x0 + y0) & 1); x < x1; x += 2) SetPixel(m_dc, x, y0, color);
    } else {
        for (int y = y0 + ((x0 + y0) & 1); y < y1; y += 2) SetPixel(m_dc, x0, y, color);
    }
}

void StylePainter::TreeButton(POINT c, bool expanded) {
    const RECT box{c.x - 4, c.y - 4, c.x + 5, c.y + 5};
    Fill(box, SysColor(COLOR_WINDOW));
    FrameRect(m_dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    HLine(c.x - 2, c.x + 3, c.y, SysColor(COLOR_WINDOWTEXT));
    if (!expanded) VLine(c.x, c.y - 2, c.y + 3, SysColor(COLOR_WINDOWTEXT));
}

// Tabs are drawn after the body: the selected tab covers the body's top
// edge below it, so the two read as one sheet.
void StylePainter::Tab(const RECT& r, std::wstring_view text, bool selected, bool focused) {
    const COLORREF light = SysColor(COLOR_BTNHIGHLIGHT), shadow = SysColor(COLOR_BTNSHADOW),
                   dark = SysColor(COLOR_3DDKSHADOW);
    RECT body = r;
    if (selected) body.bottom += 1;
    Fill(RECT{body.left + 1, body.top + 1, body.right - 1, body.bottom}, SysColor(COLOR_BTNFACE));
    HLine(r.left + 2, r.right - 2, r.top, light);
    VLine(r.left, r.top + 2, body.bottom, light);
    SetPixel(m_dc, r.left + 1, r.top + 1, light);
    VLine(r.right - 2, r.top + 1, body.bottom, shadow);
    VLine(r.right - 1, r.top + 2, body.bottom, dark);
    SetPixel(m_dc, r.right - 2, r.top + 1, dark);
    const RECT textBox{r.left + 3, r.top + 2, r.right - 3, r.bottom};
    Label(textBox, text, DT_CENTER | DT_SINGLELINE | DT_VCENTER, SysColor(COLOR_BTNTEXT));
    if (!(selected && focused)) return;
    const int w = std::min<int>(TextWidth(text), textBox.right - textBox.left);
    const int x = (textBox.left + textBox.right - w) / 2;
    const int y = (textBox.top + textBox.bottom - m_textHeight) / 2;
    FocusFrame(RECT{x - 2, y - 1, x + w + 2, y + m_textHeight + 1});
}

void StylePainter::TabBody(const RECT& r) {
    Fill(r, SysColor(COLOR_BTNFACE));
    HLine(r.left, r.right - 1, r.top, SysColor(COLOR_BTNHIGHLIGHT));
    VLine(r.left, r.top, r.bottom - 1, SysColor(COLOR_BTNHIGHLIGHT));
    VLine(r.right - 2, r.top + 1, r.bottom - 1, SysColor(COLOR_BTNSHADOW));
    HLine(r.left + 1, r.right - 1, r.bottom - 2, SysColor(COLOR_BTNSHADOW));
    VLine(r.right - 1, r.top, r.bottom, SysColor(COLOR_3DDKSHADOW));
    HLine(r.left, r.right, r.bottom - 1, SysColor(COLOR_3DDKSHADOW));
}

void StylePainter::Progress(const RECT& r, int low, int high, int pos, bool smooth, bool vertical) {
    Fill(r, SysColor(COLOR_BTNFACE));
    RECT edge = r;
    DrawEdge(m_dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    const RECT in{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    const int length = vertical ? in.bottom - in.top : in.right - in.left;
    if (high <= low || length <= 0) return;
    const long long done =
        static_cast<long long>(std::clamp(pos, low, high) - low) * length / (high - low);
    const int thickness = vertical ? in.right - in.left : in.bottom - in.top;
    const int chunk = smooth ? length : std::max(2, thickness * 2 / 3);
    const int gap = smooth ? 0 : 2;
    const COLORREF bar = SysColor(COLOR_HIGHLIGHT);
    for (int at = 0; at < done; at += chunk + gap) {
        const int end = smooth ? static_cast<int>(done) : std::min(at + chunk, length);
        if (vertical)
            Fill(RECT{in.left, in.bottom - end, in.right, in.bottom - at}, bar);
        else
            Fill(RECT{in.left + at, in.top, in.left + end, in.bottom}, bar);
    }
}

}  // namespace quorvel::controls
