// The list box's stylus, keys and scrolling.
#include <algorithm>

#include "platform/controls/ListBox.h"

namespace quorvel::controls {

void ListBox::Select(long index, bool notify) {
    if (index < 0 || index >= static_cast<long>(m_items.size())) return;
    EnsureVisible(index);
    if (index == m_sel) return;
    m_sel = index;
    Invalidate();
    if (notify && Notifies() && !m_combo) Command(LBN_SELCHANGE);
}

long ListBox::ItemAt(POINT p) const {
    const RECT area = ItemsArea();
    if (!Inside(area, p)) return -1;
    const long index = m_top + (p.y - area.top) / std::max(1, m_itemHeight);
    return index < static_cast<long>(m_items.size()) ? index : -1;
}

void ListBox::OnButtonDown(POINT p, bool doubleTap) {
    if (!m_combo && !focused()) SetFocus(m_hwnd);
    if (!IsWindow(m_hwnd)) return;
    if (HasScrollBar() && PressBar(true, p)) {
        if (!m_combo) SetCapture(m_hwnd);
        Invalidate();
        return;
    }
    if (m_combo && !Inside(clientRect(), p)) {
        SendMessage(m_combo, kComboListDone, FALSE, 0);
        return;
    }
    m_pressedInside = true;
    const long item = ItemAt(p);
    Select(item, true);
    m_tracking = true;
    if (!m_combo) SetCapture(m_hwnd);
    if (doubleTap && item >= 0 && Notifies() && !m_combo) Command(LBN_DBLCLK);
}

void ListBox::OnButtonMove(POINT p) {
    if (DragBar(p)) return;
    if (!m_tracking && !m_combo) return;
    Select(ItemAt(p), true);
}

// A drop-down list takes the item the stylus is lifted on.
void ListBox::OnButtonUp(POINT p) {
    m_pressedInside = false;
    if (ReleaseBar(p, !m_combo)) return;
    const bool wasTracking = m_tracking;
    m_tracking = false;
    if (m_combo) {
        const long item = ItemAt(p);
        if (item >= 0) {
            m_sel = item;
            SendMessage(m_combo, kComboListDone, TRUE, 0);
        }
        return;
    }
    if (wasTracking && GetCapture() == m_hwnd) ReleaseCapture();
}

void ListBox::OnKeyDown(UINT key) {
    const long count = static_cast<long>(m_items.size());
    if (count == 0) return;
    const long page = std::max(1, VisibleCount() - 1);
    long target = m_sel;
    switch (key) {
        case VK_UP:
            target = m_sel < 0 ? 0 : m_sel - 1;
            break;
        case VK_DOWN:
            target = m_sel + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            target = m_sel - page;
            break;
        case VK_NEXT:
            target = m_sel + page;
            break;
        default:
            return;
    }
    Select(std::clamp<long>(target, 0, count - 1), true);
}

void ListBox::OnChar(wchar_t ch) {
    if (ch < L' ') return;
    const LRESULT found = Find(m_sel, std::wstring(1, ch).c_str(), false);
    if (found != LB_ERR) Select(static_cast<long>(found), true);
}

void ListBox::OnScroll(bool, int code, int thumb) {
    SetTop(RequestedPos(true, code, thumb));
}

void ListBox::SetTop(long top) {
    const long last = std::max<long>(0, static_cast<long>(m_items.size()) - VisibleCount());
    top = std::clamp<long>(top, 0, last);
    if (top == m_top) return;
    m_top = top;
    UpdateScrollBar();
    Invalidate();
}

void ListBox::EnsureVisible(long index) {
    const long visible = VisibleCount();
    if (index < m_top)
        SetTop(index);
    else if (index >= m_top + visible)
        SetTop(index - visible + 1);
}

}  // namespace quorvel::controls
