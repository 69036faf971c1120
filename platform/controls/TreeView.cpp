// The tree view's messages.
#include "platform/controls/TreeView.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

TreeView::Node* TreeView::Find(HTREEITEM item) const {
    auto it = m_nodes.find(reinterpret_cast<uintptr_t>(item));
    return it == m_nodes.end() ? nullptr : it->second.get();
}

std::vector<uintptr_t>& TreeView::ChildrenOf(uintptr_t parent) {
    Node* n = parent ? Find(parent) : nullptr;
    return n ? n->children : m_roots;
}

// Messages that neither show nor measure the lines.
bool TreeView::LeavesLayoutStale(UINT msg, WPARAM wParam) {
    switch (msg) {
        case TVM_INSERTITEM:
        case TVM_DELETEITEM:
        case TVM_GETITEM:
        case TVM_GETCOUNT:
        case WM_SETREDRAW:
            return true;
        case TVM_GETNEXTITEM:
            return wParam == TVGN_ROOT || wParam == TVGN_NEXT || wParam == TVGN_PREVIOUS ||
                   wParam == TVGN_PARENT || wParam == TVGN_CHILD || wParam == TVGN_CARET;
        default:
            return false;
    }
}

void TreeView::ItemsChanged() {
    if (m_redrawOff) {
        m_layoutStale = true;
        return;
    }
    Relayout();
    Invalidate();
}

LRESULT TreeView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_layoutStale && !LeavesLayoutStale(msg, wParam)) {
        Relayout();
        Invalidate();
    }
    if (msg == WM_SETREDRAW) {
        m_redrawOff = wParam == 0;
        const LRESULT result = Default(msg, wParam, lParam);
        if (wParam && m_layoutStale) Relayout();
        if (wParam) Invalidate();
        return result;
    }
    if (msg >= TV_FIRST && msg < TV_FIRST + 0x100) return OnTreeMessage(msg, wParam, lParam);
    return Route(msg, wParam, lParam);
}

LRESULT TreeView::OnTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (msg) {
        case TVM_INSERTITEM:
            return Insert(reinterpret_cast<const TVINSERTSTRUCT*>(lParam));
        case TVM_DELETEITEM:
            if (!item || item == TVI_ROOT) {
                DeleteAll();
                return TRUE;
            }
            if (!Find(item)) return FALSE;
            Delete(reinterpret_cast<uintptr_t>(item), true);
            ItemsChanged();
            return TRUE;
        case TVM_GETNEXTITEM:
            return NextItem(static_cast<UINT>(wParam), item);
        case TVM_GETITEM:
            return GetItem(reinterpret_cast<TVITEM*>(lParam));
        case TVM_SETITEM:
            return SetItem(reinterpret_cast<const TVITEM*>(lParam));
        case TVM_EXPAND:
            return Find(item) &&
                   Expand(reinterpret_cast<uintptr_t>(item), static_cast<UINT>(wParam), false);
        case TVM_SELECTITEM:
            if (wParam == TVGN_CARET) return Select(reinterpret_cast<uintptr_t>(item), TVC_UNKNOWN);
            if (wParam == TVGN_FIRSTVISIBLE && Find(item)) {
                EnsureVisible(reinterpret_cast<uintptr_t>(item));
                ScrollTo(LineOf(reinterpret_cast<uintptr_t>(item)), m_scrollX);
                return TRUE;
            }
            return wParam == TVGN_DROPHILITE;
        case TVM_ENSUREVISIBLE:
            if (!Find(item)) return FALSE;
            EnsureVisible(reinterpret_cast<uintptr_t>(item));
            return TRUE;
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(Total());
        case TVM_GETVISIBLECOUNT:
            return VisibleRows();
        case TVM_SETIMAGELIST: {
            HIMAGELIST& slot = wParam == TVSIL_STATE ? m_state : m_normal;
            HIMAGELIST old = slot;
            slot = reinterpret_cast<HIMAGELIST>(lParam);
            Measure();
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? m_state : m_normal);
        case TVM_HITTEST:
            return HitTest(reinterpret_cast<TVHITTESTINFO*>(lParam));
        case TVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect) return FALSE;
            uintptr_t id = 0;
            std::memcpy(&id, rect, sizeof id);  // the item comes in the rectangle
            const long line = LineOf(id);
            if (line < 0) return FALSE;
            *rect = wParam ? LabelRect(line) : LineRect(line);
            return TRUE;
        }
        case TVM_GETINDENT:
            return m_indent;
        case TVM_SETINDENT:
            m_indent = std::max(8, static_cast<int>(wParam));
            Relayout();
            Invalidate();
            return 0;
        case TVM_GETITEMHEIGHT:
            return m_itemHeight;
        case TVM_SETITEMHEIGHT: {
            const int old = m_itemHeight;
            if (static_cast<int>(wParam) > 0) m_itemHeight = static_cast<int>(wParam);
            Relayout();
            Invalidate();
            return old;
        }
        case TVM_SORTCHILDREN:
            SortChildren(item == TVI_ROOT ? 0 : reinterpret_cast<uintptr_t>(item), wParam != 0);
            return TRUE;
        default:
            return 0;
    }
}

std::string TreeView::Describe() const {
    std::string out = " items=" + std::to_string(Total()) + " shown=[";
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Node* n = Find(m_lines[i].id);
        out += (i ? "," : "") + std::string(static_cast<size_t>(m_lines[i].level), '>') +
               Quote(n->text);
        if (HasButton(*n)) out += Expanded(*n) ? "-" : "+";
        if (m_lines[i].id == m_caret) out += "*";
    }
    return out + "]";
}

}  // namespace quorvel::controls
