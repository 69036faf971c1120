// The painter's fields: edit text and caret, scroll bars, combo boxes.
#include "platform/controls/StylePainter.h"

#include <algorithm>

#include "platform/base/Geometry.h"

namespace quorvel::controls {

void StylePainter::TextRun(int x, int top, std::wstring_view text, bool selected, COLORREF color) {
    if (text.empty()) return;
    if (selected) {
        Fill(RECT{x, top, x + TextWidth(text), top + m_textHeight}, SysColor(COLOR_HIGHLIGHT));
        color = SysColor(COLOR_HIGHLIGHTTEXT);
    }
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, color);
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    TextOut(m_dc, x, top, text.data(), static_cast<int>(text.size()));
}

void StylePainter::Caret(int x, int top, int height) {
    Fill(RECT{x, top, x + 1, top + height}, SysColor(COLOR_WINDOWTEXT));
}

void StylePainter::ArrowButton(const RECT& r, ArrowDir dir, bool pressed, bool disabled) {
    Fill(r, SysColor(COLOR_BTNFACE));
    RECT glyph = r;
    if (pressed) {
        FrameRect(m_dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        OffsetRect(&glyph, 1, 1);
    } else {
        RaisedEdge(r);
    }
    Arrow(glyph, dir, disabled);
}

// The track is the classic dither of white and button face.
void StylePainter::ScrollBar(const ScrollBarLayout& l, ScrollPart pressed) {
    const COLORREF light = SysColor(COLOR_BTNHIGHLIGHT), face = SysColor(COLOR_BTNFACE);
    for (int y = l.track.top; y < l.track.bottom; ++y)
        for (int x = l.track.left; x < l.track.right; ++x)
            SetPixel(m_dc, x, y, ((x + y) & 1) ? face : light);
    const bool disabled = !l.enabled;
    ArrowButton(l.lineBack, l.vertical ? ArrowDir::Up : ArrowDir::Left,
                pressed == ScrollPart::LineBack, disabled);
    ArrowButton(l.lineForward, l.vertical ? ArrowDir::Down : ArrowDir::Right,
                pressed == ScrollPart::LineForward, disabled);
    if (l.thumb.right > l.thumb.left && l.thumb.bottom > l.thumb.top) {
        Fill(l.thumb, face);
        RaisedEdge(l.thumb);
    }
}

void StylePainter::ComboBox(const RECT& r, std::wstring_view text, const RowLook& field,
                            bool dropped, bool hasText) {
    const RECT inner = ClientEdge(r);
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    const RECT arrow{std::max(inner.left, inner.right - button), inner.top, inner.right,
                     inner.bottom};
    const RECT box{inner.left, inner.top, arrow.left, inner.bottom};
    Fill(box, SysColor(field.disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    ArrowButton(arrow, ArrowDir::Down, dropped, field.disabled);
    if (!hasText) return;
    const RECT band{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    RowLook look = field;
    look.focusRect = field.selected;
    Row(band, RECT{band.left + 2, band.top, band.right - 1, band.bottom}, text,
        DT_LEFT | DT_SINGLELINE | DT_VCENTER, look, SysColor(COLOR_WINDOWTEXT),
        SysColor(field.disabled ? COLOR_BTNFACE : COLOR_WINDOW));
}

}  // namespace quorvel::controls
