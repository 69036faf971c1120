// The list view's geometry and drawing.
#include <algorithm>

#include "platform/controls/ListView.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
namespace {

constexpr int kCellPadding = 6;  // text inset from a column's edges

UINT Align(int fmt) {
    switch (fmt & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_CENTER:
            return DT_CENTER;
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

}  // namespace

void ListView::Measure() {
    ScratchDc scratch;
    const int text = StylePainter(scratch.dc, m_font).TextHeight();
    int cx = 0, cy = 0;
    if (m_small) ImageList_GetIconSize(m_small, &cx, &cy);
    m_rowHeight = std::max(text + 3, cy + 1);
    m_headerHeight = (style() & LVS_NOCOLUMNHEADER) ? 0 : text + 6;
    Relayout();
    Invalidate();
}

int ListView::TotalWidth() const {
    int total = 0;
    for (const Column& c : m_columns) total += c.width;
    return total;
}

RECT ListView::HeaderArea() const {
    const RECT r = InsideEdge();
    return RECT{r.left, r.top, r.right, r.top + m_headerHeight};
}

RECT ListView::RowsArea() const {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    RECT r = InsideEdge();
    r.top += m_headerHeight;
    if (m_vBar) r.right -= bar;
    if (m_hBar) r.bottom -= bar;
    r.bottom = std::max(r.top, r.bottom);
    r.right = std::max(r.left, r.right);
    return r;
}

RECT ListView::BarRect(bool vertical) const {
    return BarBeside(RowsArea(), vertical);
}

// A bar takes room from the other direction, so one may bring the other.
void ListView::Relayout() {
    const bool scrolls = !(style() & LVS_NOSCROLL);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const RECT all = InsideEdge();
    const int height = all.bottom - all.top - m_headerHeight, width = all.right - all.left;
    const int rowsHeight = static_cast<int>(Count()) * m_rowHeight, total = TotalWidth();
    m_vBar = scrolls && rowsHeight > height;
    m_hBar = scrolls && total > width - (m_vBar ? bar : 0);
    if (m_hBar && !m_vBar) m_vBar = scrolls && rowsHeight > height - bar;
    const RECT rows = RowsArea();
    m_top = std::clamp<long>(m_top, 0, std::max<long>(0, Count() - VisibleRows()));
    m_scrollX = std::clamp(m_scrollX, 0, std::max<int>(0, total - (rows.right - rows.left)));
    SetBar(SB_VERT, std::max(0, static_cast<int>(Count()) - 1), VisibleRows(),
           static_cast<int>(m_top));
    SetBar(SB_HORZ, std::max(0, total - 1), std::max<LONG>(1, rows.right - rows.left), m_scrollX);
}

int ListView::VisibleRows() const {
    const RECT r = RowsArea();
    return std::max(1, static_cast<int>(r.bottom - r.top) / std::max(1, m_rowHeight));
}

int ListView::ColumnLeft(long column) const {
    int x = RowsArea().left - m_scrollX;
    for (long c = 0; c < column && c < static_cast<long>(m_columns.size()); ++c)
        x += m_columns[c].width;
    return x;
}

RECT ListView::RowRect(long index) const {
    const RECT rows = RowsArea();
    const int top = rows.top + static_cast<int>(index - m_top) * m_rowHeight;
    const int left = ColumnLeft(0);
    return RECT{left, top, left + TotalWidth(), top + m_rowHeight};
}

RECT ListView::CellRect(long index, long column) const {
    const RECT row = RowRect(index);
    const int left = ColumnLeft(column);
    const int width = column < static_cast<long>(m_columns.size()) ? m_columns[column].width : 0;
    return RECT{left, row.top, left + width, row.bottom};
}

int ListView::ImageWidth() const {
    int cx = 0, cy = 0;
    if (m_small && ImageList_GetIconSize(m_small, &cx, &cy)) return cx + 2;
    return 0;
}

RECT ListView::IconRect(long index) const {
    const RECT cell = CellRect(index, 0);
    const int w = std::max(0, ImageWidth() - 2);
    return RECT{cell.left + 2, cell.top, cell.left + 2 + w, cell.bottom};
}

RECT ListView::LabelRect(long index) const {
    const RECT cell = CellRect(index, 0);
    return RECT{std::min<LONG>(cell.left + 2 + ImageWidth(), cell.right), cell.top, cell.right,
                cell.bottom};
}

RECT ListView::HighlightRect(long index) const {
    RECT r = LabelRect(index);
    if (FullRow()) {
        r.right = ColumnLeft(0) + TotalWidth();
        return r;
    }
    ScratchDc scratch;
    const std::wstring& text = m_rows[index].texts.empty() ? L"" : m_rows[index].texts[0];
    r.right =
        std::min<LONG>(r.right, r.left + StylePainter(scratch.dc, m_font).TextWidth(text) + 4);
    return r;
}

LRESULT ListView::GetItemRect(long index, RECT* rect) const {
    if (!rect || !Valid(index)) return FALSE;
    switch (rect->left) {
        case LVIR_ICON:
            *rect = IconRect(index);
            break;
        case LVIR_LABEL:
            *rect = LabelRect(index);
            break;
        case LVIR_SELECTBOUNDS: {
            const RECT icon = IconRect(index), label = LabelRect(index);
            *rect = RECT{icon.left, icon.top, label.right, label.bottom};
            break;
        }
        default:
            *rect = RowRect(index);
            break;
    }
    return TRUE;
}

LRESULT ListView::GetSubItemRect(long index, RECT* rect) const {
    if (!rect || !Valid(index) || rect->top < 0) return FALSE;
    const long sub = rect->top;
    if (sub >= static_cast<long>(std::max<size_t>(1, m_columns.size()))) return FALSE;
    if (sub == 0 && rect->left == LVIR_BOUNDS)
        *rect = RowRect(index);
    else if (sub == 0 && rect->left == LVIR_ICON)
        *rect = IconRect(index);
    else
        *rect = CellRect(index, sub);
    return TRUE;
}

void ListView::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    StylePainter painter(hdc, m_font);
    const COLORREF background = m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk;
    const COLORREF ink = m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
    PaintBackground(painter, background);
    if (m_headerHeight > 0) {
        const RECT header = HeaderArea();
        const int saved = SaveDC(hdc);
        IntersectClipRect(hdc, header.left, header.top, header.right, header.bottom);
        int x = ColumnLeft(0);
        for (size_t c = 0; c < m_columns.size(); ++c) {
            const RECT item{x, header.top, x + m_columns[c].width, header.bottom};
            painter.HeaderItem(item, m_columns[c].text, Align(c == 0 ? 0 : m_columns[c].fmt));
            x += m_columns[c].width;
        }
        if (x < header.right)
            painter.HeaderItem(RECT{x, header.top, header.right, header.bottom}, L"", DT_LEFT);
        RestoreDC(hdc, saved);
    }
    const RECT rows = RowsArea();
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rows.left, rows.top, rows.right, rows.bottom);
    for (long i = m_top; i < Count() && RowRect(i).top < rows.bottom; ++i)
        PaintRow(painter, i, ink, background);
    if (m_exStyle & LVS_EX_GRIDLINES) PaintGrid(painter);
    RestoreDC(hdc, saved);
    PaintBars(painter, m_vBar, m_hBar);
    EndPaint(m_hwnd, &ps);
}

void ListView::PaintRow(StylePainter& painter, long index, COLORREF ink, COLORREF background) {
    const Row& row = m_rows[index];
    const bool shown = focused() || (style() & LVS_SHOWSELALWAYS);
    const bool selected = (row.state & LVIS_SELECTED) && shown;
    const bool active = focused();
    const RECT highlight = HighlightRect(index);
    if (m_textBk != CLR_DEFAULT && m_textBk != CLR_NONE && m_textBk != background)
        painter.Fill(RowRect(index), m_textBk);
    if (selected) painter.Fill(highlight, GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (m_small && row.image >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_small, &cx, &cy);
        const RECT icon = IconRect(index);
        painter.Image(m_small, row.image, icon.left, icon.top + (m_rowHeight - cy) / 2,
                      selected && active);
    }
    const bool hot = index == m_hot && (m_exStyle & LVS_EX_TRACKSELECT);
    for (long c = 0; c < static_cast<long>(m_columns.size()); ++c) {
        const std::wstring& text = c < static_cast<long>(row.texts.size()) ? row.texts[c] : L"";
        RECT box = CellRect(index, c);
        if (c == 0) {
            box = LabelRect(index);
            box.left += 2;
            box.right -= 2;
        } else {
            box.left += kCellPadding;
            box.right -= kCellPadding;
        }
        COLORREF color = hot ? GetSysColor(COLOR_HIGHLIGHT) : ink;
        if (selected && active && (c == 0 || FullRow())) color = GetSysColor(COLOR_HIGHLIGHTTEXT);
        if (!enabled()) color = GetSysColor(COLOR_GRAYTEXT);
        painter.Label(
            box, text,
            Align(c == 0 ? 0 : m_columns[c].fmt) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS,
            color);
    }
    if (active && (row.state & LVIS_FOCUSED)) painter.FocusFrame(highlight);
}

void ListView::PaintGrid(StylePainter& painter) {
    const RECT rows = RowsArea();
    int x = ColumnLeft(0);
    for (const Column& c : m_columns) {
        x += c.width;
        painter.GridLine(x - 1, rows.top, x - 1, rows.bottom);
    }
    for (int y = rows.top + m_rowHeight - 1; y < rows.bottom; y += m_rowHeight)
        painter.GridLine(rows.left, y, rows.right, y);
}

}  // namespace quorvel::controls
