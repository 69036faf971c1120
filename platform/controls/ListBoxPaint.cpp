// The list box's geometry and drawing.
#include <algorithm>

#include "platform/controls/ListBox.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
bool ListBox::HasScrollBar() const {
    if (!(style() & WS_VSCROLL)) return false;
    const RECT r = InsideEdge();
    const long fit = std::max<long>(1, (r.bottom - r.top) / std::max(1, m_itemHeight));
    return static_cast<long>(m_items.size()) > fit || (style() & LBS_DISABLENOSCROLL);
}

RECT ListBox::BarArea() const {
    RECT r = InsideEdge();
    r.left = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

RECT ListBox::ItemsArea() const {
    RECT r = InsideEdge();
    if (HasScrollBar()) r.right = BarArea().left;
    return r;
}

int ListBox::VisibleCount() const {
    const RECT r = ItemsArea();
    return std::max(1, static_cast<int>(r.bottom - r.top) / std::max(1, m_itemHeight));
}

RECT ListBox::ItemRect(long index) const {
    const RECT area = ItemsArea();
    const int top = area.top + static_cast<int>(index - m_top) * m_itemHeight;
    return RECT{area.left, top, area.right, top + m_itemHeight};
}

void ListBox::UpdateScrollBar() {
    SetBar(SB_VERT, std::max(0, static_cast<int>(m_items.size()) - 1), VisibleCount(),
           static_cast<int>(m_top));
}

void ListBox::Measure() {
    ScratchDc scratch;
    m_itemHeight = StylePainter(scratch.dc, m_font).TextHeight() + 2;
    UpdateScrollBar();
    Invalidate();
}

void ListBox::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    HBRUSH brush = AskColors(WM_CTLCOLORLISTBOX, hdc, COLOR_WINDOW, COLOR_WINDOWTEXT);
    const COLORREF ink = GetTextColor(hdc);
    StylePainter painter(hdc, m_font);
    PaintBackground(painter, brush);
    PaintBars(painter, HasScrollBar(), false);
    const RECT area = ItemsArea();
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    const bool active = focused() || m_combo;
    for (long i = m_top; i < static_cast<long>(m_items.size()); ++i) {
        const RECT row = ItemRect(i);
        if (row.top >= area.bottom) break;
        RowLook look;
        look.selected = i == m_sel;
        look.active = active;
        look.focusRect = i == m_sel && focused() && !m_combo;
        look.disabled = !enabled();
        const RECT textBox{row.left + 2, row.top, row.right - 1, row.bottom};
        painter.Row(row, textBox, m_items[i].text, DT_LEFT, look, ink, CLR_NONE);
    }
    EndPaint(m_hwnd, &ps);
}

}  // namespace quorvel::controls
