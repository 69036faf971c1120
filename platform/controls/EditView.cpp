// The edit control's layout, scrolling and drawing.
#include <algorithm>

#include "platform/base/Geometry.h"
#include "platform/controls/Edit.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
namespace {

constexpr int kMargin = 2;

}  // namespace

bool Edit::HasScrollBar() const {
    return Multiline() && (style() & WS_VSCROLL);
}

RECT Edit::ScrollBarArea() const {
    RECT r = InsideEdge();
    r.left = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

RECT Edit::TextArea() const {
    RECT r = InsideEdge();
    if (HasScrollBar()) r.right = ScrollBarArea().left;
    r.left += kMargin;
    r.right = std::max(r.left, r.right - kMargin);
    if (Multiline()) {
        r.top += 1;
    } else {
        const int spare = static_cast<int>(r.bottom - r.top) - m_lineHeight;
        r.top += std::max(0, spare / 2);
    }
    return r;
}

std::wstring_view Edit::Shown(std::wstring& scratch) const {
    if ((style() & ES_PASSWORD) && !Multiline()) {
        scratch.assign(m_model.text().size(), m_passwordChar);
        return scratch;
    }
    return m_model.text();
}

MeasureOffsets Edit::Measurer(StylePainter& painter) const {
    return [&painter](std::wstring_view run, std::vector<int>& offsets) {
        painter.Offsets(run, offsets);
    };
}

int Edit::WrapWidth() const {
    const bool wrap = Multiline() && !(style() & (WS_HSCROLL | ES_AUTOHSCROLL));
    const RECT area = TextArea();
    return wrap ? std::max<int>(1, area.right - area.left) : 0;
}

void Edit::Relayout() {
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    m_lineHeight = painter.TextHeight();
    std::wstring password;
    const std::wstring_view shown = Shown(password);
    size_t from = 0, tail = 0;
    m_model.TakeChange(from, tail);
    m_layoutWrap = WrapWidth();
    m_layoutFont = m_font;
    m_layoutLength = shown.size();
    m_lines = LayoutEditLines(shown, Multiline(), m_layoutWrap, Measurer(painter));
    m_topLine = std::min(m_topLine, m_lines.size() - 1);
    UpdateScrollBar();
}

void Edit::Reflow() {
    size_t from = 0, tail = 0;
    if (!Multiline() || m_layoutFont != m_font || m_layoutWrap != WrapWidth() ||
        !m_model.TakeChange(from, tail)) {
        Relayout();
        return;
    }
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    const std::wstring& text = m_model.text();
    RelayoutEditLines(m_lines, m_layoutLength, text, from, tail, true, m_layoutWrap,
                      Measurer(painter));
    m_layoutLength = text.size();
    m_topLine = std::min(m_topLine, m_lines.size() - 1);
    UpdateScrollBar();
}

int Edit::VisibleLines() const {
    const RECT area = TextArea();
    return std::max(1, static_cast<int>(area.bottom - area.top) / std::max(1, m_lineHeight));
}

int Edit::LineX(size_t line) const {
    const RECT area = TextArea();
    const int spare = static_cast<int>(area.right - area.left) - m_lines[line].width;
    if (spare <= 0) return 0;
    if (style() & ES_CENTER) return spare / 2;
    if (style() & ES_RIGHT) return spare;
    return 0;
}

int Edit::XOf(size_t pos) const {
    const size_t line = LineOf(m_lines, pos);
    const EditLine& l = m_lines[line];
    std::wstring password;
    const std::wstring_view shown = Shown(password);
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    const size_t n = std::min(pos, l.end) - std::min(l.start, pos);
    const int x = painter.TextWidth(shown.substr(l.start, n));
    return LineX(line) + x - (Multiline() ? 0 : m_scrollX);
}

size_t Edit::PosAt(POINT p) const {
    const RECT area = TextArea();
    long line = static_cast<long>(m_topLine);
    if (Multiline()) line += (p.y - area.top) / std::max(1, m_lineHeight) - (p.y < area.top);
    line = std::clamp<long>(line, 0, static_cast<long>(m_lines.size()) - 1);
    const EditLine& l = m_lines[static_cast<size_t>(line)];
    std::wstring password;
    const std::wstring_view shown = Shown(password);
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    std::vector<int> offsets;
    painter.Offsets(shown.substr(l.start, l.end - l.start), offsets);
    const int x =
        p.x - area.left + (Multiline() ? 0 : m_scrollX) - LineX(static_cast<size_t>(line));
    size_t best = 0;
    for (size_t i = 0; i < offsets.size(); ++i)
        if (std::abs(offsets[i] - x) < std::abs(offsets[best] - x)) best = i;
    return l.start + best;
}

void Edit::ScrollToCaret() {
    if (!Multiline()) {
        const RECT area = TextArea();
        const int width = std::max<int>(1, area.right - area.left);
        const int caret = XOf(m_model.caret()) + m_scrollX;
        if (m_lines[0].width < width) m_scrollX = 0;
        if (caret < m_scrollX) m_scrollX = caret;
        if (caret >= m_scrollX + width) m_scrollX = caret - width + 1;
        return;
    }
    const size_t line = LineOf(m_lines, m_model.caret());
    const size_t visible = static_cast<size_t>(VisibleLines());
    if (line < m_topLine) m_topLine = line;
    if (line >= m_topLine + visible) m_topLine = line - visible + 1;
    UpdateScrollBar();
}

void Edit::ScrollLines(int delta) {
    const long top = static_cast<long>(m_topLine) + delta;
    const long last = std::max<long>(0, static_cast<long>(m_lines.size()) - VisibleLines());
    m_topLine = static_cast<size_t>(std::clamp<long>(top, 0, last));
    UpdateScrollBar();
    Invalidate();
}

void Edit::OnScroll(bool, int code, int thumb) {
    if (!Multiline()) return;
    ScrollLines(RequestedPos(true, code, thumb) - static_cast<int>(m_topLine));
}

void Edit::UpdateScrollBar() {
    if (!Multiline()) return;
    SetBar(SB_VERT, static_cast<int>(m_lines.size()) - 1, VisibleLines(),
           static_cast<int>(m_topLine));
}

void Edit::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    const bool grey = ReadOnly() || !enabled();
    HBRUSH brush = grey ? AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_BTNFACE, COLOR_WINDOWTEXT)
                        : AskColors(WM_CTLCOLOREDIT, hdc, COLOR_WINDOW, COLOR_WINDOWTEXT);
    const COLORREF ink = GetTextColor(hdc);
    StylePainter painter(hdc, m_font);
    PaintBackground(painter, brush);
    PaintBars(painter, HasScrollBar(), false);
    const RECT area = TextArea();
    RECT clip = area;
    clip.left -= kMargin;
    clip.right += kMargin - 1;
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    const size_t rows = Multiline() ? static_cast<size_t>(VisibleLines()) + 1 : 1;
    std::wstring password;
    const std::wstring_view shown = Shown(password);
    for (size_t i = m_topLine; i < m_lines.size() && i < m_topLine + rows; ++i)
        PaintLine(painter, shown, i, area.top + static_cast<int>(i - m_topLine) * m_lineHeight,
                  ink);
    if (focused()) {
        const size_t line = LineOf(m_lines, m_model.caret());
        if (line >= m_topLine)
            painter.Caret(area.left + XOf(m_model.caret()),
                          area.top + static_cast<int>(line - m_topLine) * m_lineHeight,
                          m_lineHeight);
    }
    EndPaint(m_hwnd, &ps);
}

void Edit::PaintLine(StylePainter& painter, std::wstring_view all, size_t line, int top,
                     COLORREF ink) {
    const EditLine& l = m_lines[line];
    const bool showSelection = focused() || (style() & ES_NOHIDESEL);
    const size_t s0 = showSelection ? std::clamp(m_model.selStart(), l.start, l.end) : l.end;
    const size_t s1 = showSelection ? std::clamp(m_model.selEnd(), l.start, l.end) : l.end;
    const RECT area = TextArea();
    int x = area.left + LineX(line) - (Multiline() ? 0 : m_scrollX);
    const size_t cuts[4] = {l.start, s0, s1, l.end};
    for (int part = 0; part < 3; ++part) {
        const std::wstring_view run = all.substr(cuts[part], cuts[part + 1] - cuts[part]);
        painter.TextRun(x, top, run, part == 1, ink);
        x += painter.TextWidth(run);
    }
}

}  // namespace quorvel::controls

namespace quorvel::controls {

// Questions and requests about lines (EM_GETLINECOUNT ... EM_CHARFROMPOS).
LRESULT Edit::OnLineMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const long count = static_cast<long>(m_lines.size());
    const long asked = static_cast<long>(static_cast<int>(wParam));
    auto lineOfChar = [&](long pos) {
        const size_t at = pos < 0 ? m_model.selStart() : static_cast<size_t>(pos);
        return static_cast<long>(LineOf(m_lines, at));
    };
    switch (msg) {
        case EM_GETLINECOUNT:
            return count;
        case EM_LINEINDEX: {
            const long line = asked < 0 ? lineOfChar(-1) : asked;
            return line < count ? static_cast<LRESULT>(m_lines[line].start) : -1;
        }
        case EM_LINELENGTH: {
            const EditLine& l = m_lines[lineOfChar(asked)];
            return static_cast<LRESULT>(l.end - l.start);
        }
        case EM_LINEFROMCHAR:
            return lineOfChar(asked);
        case EM_GETLINE: {
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            if (!buffer || asked < 0 || asked >= count) return 0;
            const size_t room = static_cast<WORD>(buffer[0]);
            const EditLine& l = m_lines[static_cast<size_t>(asked)];
            const size_t n = std::min(room, l.end - l.start);
            m_model.text().copy(buffer, n, l.start);
            return static_cast<LRESULT>(n);
        }
        case EM_GETFIRSTVISIBLELINE:
            if (Multiline()) return static_cast<LRESULT>(m_topLine);
            return static_cast<LRESULT>(PosAt(POINT{TextArea().left, TextArea().top}));
        case EM_LINESCROLL:
            if (!Multiline()) return FALSE;
            ScrollLines(static_cast<int>(lParam));
            return TRUE;
        case EM_POSFROMCHAR: {
            const size_t pos = std::min<size_t>(wParam, m_model.text().size());
            const long line =
                static_cast<long>(LineOf(m_lines, pos)) - static_cast<long>(m_topLine);
            const RECT area = TextArea();
            return MAKELONG(area.left + XOf(pos), area.top + line * m_lineHeight);
        }
        case EM_CHARFROMPOS: {
            const size_t pos = PosAt(MousePoint(lParam));
            return MAKELONG(pos, LineOf(m_lines, pos));
        }
        default:
            return 0;
    }
}

}  // namespace quorvel::controls
