// The tree view's expanding and selecting, and its stylus and keys.
#include <algorithm>

#include "platform/controls/TreeView.h"

namespace quorvel::controls {

bool TreeView::NotifyTree(UINT code, UINT action, const Node* oldItem, const Node* newItem) {
    NMTREEVIEW nm{};
    nm.action = action;
    auto fill = [&](TVITEM& item, const Node* n) {
        if (!n) return;
        item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = Handle(n->id);
        item.state = n->state | (n->id == m_caret ? TVIS_SELECTED : 0);
        item.stateMask = ~0u;
        item.lParam = n->param;
        item.iImage = n->image;
        item.iSelectedImage = n->selectedImage;
    };
    fill(nm.itemOld, oldItem);
    fill(nm.itemNew, newItem);
    return Notify(nm.hdr, code) != 0;
}

bool TreeView::Expand(uintptr_t id, UINT code, bool byUser) {
    Node* n = Find(id);
    if (!n) return false;
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE) action = Expanded(*n) ? TVE_COLLAPSE : TVE_EXPAND;
    const bool tell = byUser || !(n->state & TVIS_EXPANDEDONCE);
    if (action == TVE_EXPAND) {
        if (Expanded(*n) || !HasButton(*n)) return false;
        if (tell && NotifyTree(TVN_ITEMEXPANDING, TVE_EXPAND, nullptr, n)) return false;
        if (!(n = Find(id))) return false;
        n->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        const bool reset = (code & TVE_COLLAPSERESET) != 0;
        if (!Expanded(*n) && !reset) return false;
        if (tell && Expanded(*n) && NotifyTree(TVN_ITEMEXPANDING, TVE_COLLAPSE, nullptr, n))
            return false;
        if (!(n = Find(id))) return false;
        n->state &= ~TVIS_EXPANDED;
        bool caretInside = false;
        for (Node* c = Find(m_caret); c && !caretInside; c = c->parent ? Find(c->parent) : nullptr)
            caretInside = c->parent == id;
        if (reset) {
            n->state &= ~TVIS_EXPANDEDONCE;
            const std::vector<uintptr_t> children = n->children;
            for (auto child = children.rbegin(); child != children.rend(); ++child)
                Delete(*child, true);
        }
        if (caretInside) Select(id, TVC_UNKNOWN);
    }
    Relayout();
    Invalidate();
    if (tell && Find(id)) NotifyTree(TVN_ITEMEXPANDED, action, nullptr, Find(id));
    return true;
}

bool TreeView::Select(uintptr_t id, UINT cause) {
    if (id && !Find(id)) return false;
    if (id == m_caret) {
        if (id) EnsureVisible(id);
        return true;
    }
    const uintptr_t old = m_caret;
    if (NotifyTree(TVN_SELCHANGING, cause, Find(old), Find(id))) return false;
    if (id && !Find(id)) return false;
    m_caret = id;
    if (id) EnsureVisible(id);
    Invalidate();
    NotifyTree(TVN_SELCHANGED, cause, Find(old), Find(id));
    return true;
}

void TreeView::EnsureVisible(uintptr_t id) {
    std::vector<uintptr_t> ancestors;
    for (Node* n = Find(id); n && n->parent; n = Find(n->parent)) ancestors.push_back(n->parent);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        Node* a = Find(*it);
        if (a && !Expanded(*a)) Expand(*it, TVE_EXPAND, false);
    }
    const long line = LineOf(id);
    if (line < 0) return;
    if (line < m_top)
        ScrollTo(line, m_scrollX);
    else if (line >= m_top + VisibleRows())
        ScrollTo(line - VisibleRows() + 1, m_scrollX);
}

void TreeView::OnButtonDown(POINT p, bool doubleTap) {
    if (!focused()) SetFocus(m_hwnd);
    if (!IsWindow(m_hwnd)) return;
    for (const bool vertical : {true, false}) {
        if ((vertical ? m_vBar : m_hBar) && PressBar(vertical, p)) {
            SetCapture(m_hwnd);
            Invalidate();
            return;
        }
    }
    TVHITTESTINFO hit{p, 0, nullptr};
    HitTest(&hit);
    const auto id = reinterpret_cast<uintptr_t>(hit.hItem);
    m_pressed = true;
    m_doubleTap = doubleTap;
    m_pressPoint = p;
    SetCapture(m_hwnd);
    if (hit.flags & TVHT_ONITEMBUTTON) {
        Expand(id, TVE_TOGGLE, true);
    } else if ((hit.flags & TVHT_ONITEM) ||
               ((style() & TVS_FULLROWSELECT) && (hit.flags & TVHT_ONITEMRIGHT))) {
        Select(id, TVC_BYMOUSE);
        if (!doubleTap || !IsWindow(m_hwnd)) return;
        NMHDR header{};
        if (!Notify(header, NM_DBLCLK)) Expand(id, TVE_TOGGLE, true);
    }
}

void TreeView::OnButtonMove(POINT p) {
    DragBar(p);
}

void TreeView::OnButtonUp(POINT p) {
    if (ReleaseBar(p)) return;
    if (!m_pressed) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (m_doubleTap) return;
    NMHDR header{};
    Notify(header, NM_CLICK);
}

void TreeView::OnKeyDown(UINT key) {
    NMTVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(key);
    Notify(nm.hdr, TVN_KEYDOWN);
    if (!IsWindow(m_hwnd) || m_lines.empty()) return;
    const long line = m_caret ? LineOf(m_caret) : -1;
    const long last = static_cast<long>(m_lines.size()) - 1;
    const long page = std::max(1, VisibleRows() - 1);
    Node* n = Find(m_caret);
    long target = -2;
    switch (key) {
        case VK_UP:
            target = line < 0 ? 0 : line - 1;
            break;
        case VK_DOWN:
            target = line + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = last;
            break;
        case VK_PRIOR:
            target = line - page;
            break;
        case VK_NEXT:
            target = line + page;
            break;
        case VK_ADD:
            if (n) Expand(n->id, TVE_EXPAND, true);
            return;
        case VK_SUBTRACT:
            if (n) Expand(n->id, TVE_COLLAPSE, true);
            return;
        case VK_RIGHT:
            if (n && HasButton(*n) && !Expanded(*n))
                Expand(n->id, TVE_EXPAND, true);
            else if (n && !n->children.empty())
                Select(n->children.front(), TVC_BYKEYBOARD);
            return;
        case VK_LEFT:
            if (n && Expanded(*n))
                Expand(n->id, TVE_COLLAPSE, true);
            else if (n && n->parent)
                Select(n->parent, TVC_BYKEYBOARD);
            return;
        default:
            return;
    }
    Select(m_lines[std::clamp<long>(target, 0, last)].id, TVC_BYKEYBOARD);
}

void TreeView::OnScroll(bool vertical, int code, int thumb) {
    const int pos = RequestedPos(vertical, code, thumb);
    if (vertical)
        ScrollTo(pos, m_scrollX);
    else
        ScrollTo(m_top, pos);
}

void TreeView::ScrollTo(long top, int x) {
    const long lastTop = std::max<long>(0, static_cast<long>(m_lines.size()) - VisibleRows());
    top = std::clamp<long>(top, 0, lastTop);
    x = std::max(0, x);
    if (top == m_top && x == m_scrollX) return;
    m_top = top;
    m_scrollX = x;
    Relayout();
    Invalidate();
}

}  // namespace quorvel::controls
