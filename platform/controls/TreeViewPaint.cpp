// The tree view's geometry and drawing.
#include <algorithm>

#include "platform/controls/StylePainter.h"
#include "platform/controls/TreeView.h"

namespace quorvel::controls {

void TreeView::Measure() {
    ScratchDc scratch;
    const int text = StylePainter(scratch.dc, m_font).TextHeight();
    m_itemHeight = std::max(text, ImageSize() ? ImageSize() : text) + 2;
    Relayout();
    Invalidate();
}

int TreeView::ImageSize() const {
    int cx = 0, cy = 0;
    return m_normal && ImageList_GetIconSize(m_normal, &cx, &cy) ? cx : 0;
}

// The lines shown are the top-level items and, under every expanded item,
// its children.
void TreeView::Relayout() {
    m_layoutStale = false;
    m_lines.clear();
    auto walk = [&](auto&& self, const std::vector<uintptr_t>& ids, int level) -> void {
        for (uintptr_t id : ids) {
            const Node* n = Find(id);
            m_lines.push_back({id, level});
            if (Expanded(*n)) self(self, n->children, level + 1);
        }
    };
    walk(walk, m_roots, 0);
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    m_widest = 0;
    for (const Line& line : m_lines) {
        const int left = IndentOf(line.level) + m_scrollX + (ImageSize() ? ImageSize() + 3 : 1);
        m_widest = std::max(m_widest, left + painter.TextWidth(Find(line.id)->text) + 4);
    }
    const bool scrolls = !(style() & TVS_NOSCROLL);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const RECT all = InsideEdge();
    const int height = all.bottom - all.top, width = all.right - all.left;
    const int rows = static_cast<int>(m_lines.size()) * m_itemHeight;
    m_vBar = scrolls && rows > height;
    m_hBar = scrolls && m_widest > width - (m_vBar ? bar : 0);
    if (m_hBar && !m_vBar) m_vBar = rows > height - bar;
    const RECT area = ItemsArea();
    const int view = std::max<int>(1, area.right - area.left);
    m_top = std::clamp<long>(m_top, 0,
                             std::max<long>(0, static_cast<long>(m_lines.size()) - VisibleRows()));
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, m_widest - view));
    SetBar(SB_VERT, std::max(0, static_cast<int>(m_lines.size()) - 1), VisibleRows(),
           static_cast<int>(m_top));
    SetBar(SB_HORZ, std::max(0, m_widest - 1), view, m_scrollX);
}

long TreeView::LineOf(uintptr_t id) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].id == id) return static_cast<long>(i);
    return -1;
}

RECT TreeView::ItemsArea() const {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    RECT r = InsideEdge();
    if (m_vBar) r.right = std::max(r.left, r.right - bar);
    if (m_hBar) r.bottom = std::max(r.top, r.bottom - bar);
    return r;
}

RECT TreeView::BarRect(bool vertical) const {
    return BarBeside(ItemsArea(), vertical);
}

int TreeView::VisibleRows() const {
    const RECT r = ItemsArea();
    return std::max(1, static_cast<int>(r.bottom - r.top) / std::max(1, m_itemHeight));
}

int TreeView::IndentOf(int level) const {
    const int cells = level + ((style() & TVS_LINESATROOT) ? 1 : 0);
    return ItemsArea().left - m_scrollX + cells * m_indent;
}

RECT TreeView::LineRect(long line) const {
    const RECT area = ItemsArea();
    const int top = area.top + static_cast<int>(line - m_top) * m_itemHeight;
    return RECT{area.left, top, area.right, top + m_itemHeight};
}

RECT TreeView::LabelRect(long line) const {
    const RECT row = LineRect(line);
    const int left = IndentOf(m_lines[line].level) + (ImageSize() ? ImageSize() + 3 : 1);
    ScratchDc scratch;
    const int width = StylePainter(scratch.dc, m_font).TextWidth(Find(m_lines[line].id)->text);
    return RECT{left, row.top, left + width + 4, row.bottom};
}

LRESULT TreeView::HitTest(TVHITTESTINFO* info) const {
    if (!info) return 0;
    const POINT p = info->pt;
    const RECT area = ItemsArea();
    info->hItem = nullptr;
    info->flags = 0;
    if (p.y < area.top) info->flags |= TVHT_ABOVE;
    if (p.y >= area.bottom) info->flags |= TVHT_BELOW;
    if (p.x < area.left) info->flags |= TVHT_TOLEFT;
    if (p.x >= area.right) info->flags |= TVHT_TORIGHT;
    if (info->flags) return 0;
    const long line = m_top + (p.y - area.top) / std::max(1, m_itemHeight);
    if (line >= static_cast<long>(m_lines.size())) {
        info->flags = TVHT_NOWHERE;
        return 0;
    }
    const int level = m_lines[line].level;
    const Node& n = *Find(m_lines[line].id);
    const int icon = IndentOf(level);
    const bool button =
        (style() & TVS_HASBUTTONS) && HasButton(n) && (level > 0 || (style() & TVS_LINESATROOT));
    if (button && p.x >= icon - m_indent && p.x < icon)
        info->flags = TVHT_ONITEMBUTTON;
    else if (p.x < icon)
        info->flags = TVHT_ONITEMINDENT;
    else if (ImageSize() && p.x < icon + ImageSize() + 1)
        info->flags = TVHT_ONITEMICON;
    else if (p.x < LabelRect(line).right)
        info->flags = TVHT_ONITEMLABEL;
    else
        info->flags = TVHT_ONITEMRIGHT;
    info->hItem = Handle(n.id);
    return reinterpret_cast<LRESULT>(info->hItem);
}

void TreeView::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    StylePainter painter(hdc, m_font);
    PaintBackground(painter, GetSysColor(COLOR_WINDOW));
    const RECT area = ItemsArea();
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    for (long i = m_top; i < static_cast<long>(m_lines.size()); ++i) {
        if (LineRect(i).top >= area.bottom) break;
        if (style() & TVS_HASLINES) PaintLines(painter, i);
        PaintItem(painter, i);
    }
    RestoreDC(hdc, saved);
    PaintBars(painter, m_vBar, m_hBar);
    EndPaint(m_hwnd, &ps);
}

// The dotted line of the item itself, and of every ancestor whose later
// siblings are still to come below.
void TreeView::PaintLines(StylePainter& painter, long line) {
    const bool atRoot = (style() & TVS_LINESATROOT) != 0;
    const RECT row = LineRect(line);
    const int mid = row.top + m_itemHeight / 2;
    const Node* n = Find(m_lines[line].id);
    auto hasNext = [&](const Node* x) {
        const std::vector<uintptr_t>& s = x->parent ? Find(x->parent)->children : m_roots;
        return !s.empty() && s.back() != x->id;
    };
    auto column = [&](int level) { return IndentOf(level) - m_indent / 2; };
    const int level = m_lines[line].level;
    if (level > 0 || atRoot) {
        const int x = column(level);
        painter.DottedLine(x, mid, IndentOf(level), mid);
        const bool first = !n->parent && !m_roots.empty() && m_roots.front() == n->id;
        painter.DottedLine(x, first ? mid : row.top, x, hasNext(n) ? row.bottom : mid + 1);
    }
    int k = level - 1;
    for (const Node* a = n->parent ? Find(n->parent) : nullptr; a;
         a = a->parent ? Find(a->parent) : nullptr, --k) {
        if ((k > 0 || atRoot) && hasNext(a))
            painter.DottedLine(column(k), row.top, column(k), row.bottom);
    }
}

void TreeView::PaintItem(StylePainter& painter, long line) {
    const Node& n = *Find(m_lines[line].id);
    const int level = m_lines[line].level;
    const RECT row = LineRect(line);
    const bool selected = n.id == m_caret;
    if ((style() & TVS_HASBUTTONS) && HasButton(n) && (level > 0 || (style() & TVS_LINESATROOT)))
        painter.TreeButton(POINT{IndentOf(level) - m_indent / 2, row.top + m_itemHeight / 2},
                           Expanded(n));
    if (ImageSize()) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_normal, &cx, &cy);
        painter.Image(m_normal, selected ? n.selectedImage : n.image, IndentOf(level) + 1,
                      row.top + (m_itemHeight - cy) / 2, false);
    }
    const RECT label = LabelRect(line);
    RowLook look;
    look.selected = selected && (focused() || (style() & TVS_SHOWSELALWAYS));
    look.active = focused();
    look.focusRect = selected && focused();
    look.disabled = !enabled();
    const RECT text{label.left + 2, label.top, label.right - 1, label.bottom};
    painter.Row(label, text, n.text, DT_LEFT, look, GetSysColor(COLOR_WINDOWTEXT), CLR_NONE);
}

}  // namespace quorvel::controls
