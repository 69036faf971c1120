// The list view's stylus, keys and scrolling.
#include <algorithm>

#include "platform/controls/ListView.h"

namespace quorvel::controls {

LRESULT ListView::HitTest(LVHITTESTINFO* info, bool subItems) const {
    if (!info) return -1;
    const POINT p = info->pt;
    const RECT rows = RowsArea();
    info->iItem = -1;
    info->iSubItem = 0;
    info->flags = 0;
    if (p.y < rows.top) info->flags |= LVHT_ABOVE;
    if (p.y >= rows.bottom) info->flags |= LVHT_BELOW;
    if (p.x < rows.left) info->flags |= LVHT_TOLEFT;
    if (p.x >= rows.right) info->flags |= LVHT_TORIGHT;
    if (info->flags) return -1;
    info->flags = LVHT_NOWHERE;
    const long index = m_top + (p.y - rows.top) / std::max(1, m_rowHeight);
    if (!Valid(index)) return -1;
    long column = -1;
    for (long c = 0; c < static_cast<long>(m_columns.size()); ++c) {
        const int left = ColumnLeft(c);
        if (p.x >= left && p.x < left + m_columns[c].width) column = c;
    }
    if (column < 0) return -1;
    if (column > 0 && !FullRow() && !subItems) return -1;
    info->iItem = static_cast<int>(index);
    info->iSubItem = static_cast<int>(column);
    info->flags = (column == 0 && Inside(IconRect(index), p)) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    return index;
}

void ListView::SendClick(UINT code, POINT p, long item, int subItem) {
    NMITEMACTIVATE nm{};
    nm.iItem = static_cast<int>(item);
    nm.iSubItem = subItem;
    nm.ptAction = p;
    nm.lParam = Valid(item) ? m_rows[item].param : 0;
    Notify(nm.hdr, code);
}

void ListView::OnButtonDown(POINT p, bool doubleTap) {
    if (!focused()) SetFocus(m_hwnd);
    if (!IsWindow(m_hwnd)) return;
    const RECT rows = RowsArea();
    for (const bool vertical : {true, false}) {
        if ((vertical ? m_vBar : m_hBar) && PressBar(vertical, p)) {
            SetCapture(m_hwnd);
            Invalidate();
            return;
        }
    }
    if (!Inside(rows, p)) return;
    LVHITTESTINFO hit{p, 0, -1, 0};
    const long item = HitTest(&hit, false);
    SelectOnly(item);
    if (!IsWindow(m_hwnd)) return;
    m_pressed = true;
    m_doubleTap = doubleTap;
    m_pressPoint = p;
    if (m_exStyle & LVS_EX_TRACKSELECT) m_hot = item;
    SetCapture(m_hwnd);
    if (doubleTap) SendClick(NM_DBLCLK, p, item, hit.iSubItem);
}

void ListView::OnButtonMove(POINT p) {
    if (DragBar(p)) return;
    if (!m_pressed || !(m_exStyle & LVS_EX_TRACKSELECT)) return;
    LVHITTESTINFO hit{p, 0, -1, 0};
    const long hot = HitTest(&hit, false);
    if (hot != m_hot) {
        m_hot = hot;
        Invalidate();
    }
}

// The click is reported when the stylus lifts; the second tap of a double
// tap was already reported as NM_DBLCLK.
void ListView::OnButtonUp(POINT p) {
    if (ReleaseBar(p)) return;
    if (!m_pressed) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (m_doubleTap) return;
    LVHITTESTINFO hit{m_pressPoint, 0, -1, 0};
    const long item = HitTest(&hit, false);
    SendClick(NM_CLICK, m_pressPoint, item, hit.iSubItem);
}

void ListView::OnKeyDown(UINT key) {
    NMLVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(key);
    Notify(nm.hdr, LVN_KEYDOWN);
    if (!IsWindow(m_hwnd) || Count() == 0) return;
    const long current = static_cast<long>(NextItem(-1, LVNI_FOCUSED));
    const long page = std::max(1, VisibleRows() - 1);
    long target;
    switch (key) {
        case VK_UP:
            target = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
            target = current + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = Count() - 1;
            break;
        case VK_PRIOR:
            target = current - page;
            break;
        case VK_NEXT:
            target = current + page;
            break;
        case VK_LEFT:
            ScrollTo(m_top, m_scrollX - kSidewaysStep);
            return;
        case VK_RIGHT:
            ScrollTo(m_top, m_scrollX + kSidewaysStep);
            return;
        default:
            return;
    }
    target = std::clamp<long>(target, 0, Count() - 1);
    SelectOnly(target);
    EnsureVisible(target);
}

void ListView::OnScroll(bool vertical, int code, int thumb) {
    const int pos = RequestedPos(vertical, code, thumb);
    if (vertical)
        ScrollTo(pos, m_scrollX);
    else
        ScrollTo(m_top, pos);
}

void ListView::ScrollTo(long top, int x) {
    const long lastTop = std::max<long>(0, Count() - VisibleRows());
    const RECT rows = RowsArea();
    const int lastX = std::max<int>(0, TotalWidth() - (rows.right - rows.left));
    top = std::clamp<long>(top, 0, lastTop);
    x = std::clamp(x, 0, lastX);
    if (top == m_top && x == m_scrollX) return;
    m_top = top;
    m_scrollX = x;
    Relayout();
    Invalidate();
}

void ListView::EnsureVisible(long index) {
    const long visible = VisibleRows();
    if (index < m_top)
        ScrollTo(index, m_scrollX);
    else if (index >= m_top + visible)
        ScrollTo(index - visible + 1, m_scrollX);
}

}  // namespace quorvel::controls
