// The tree view's items: insertion, deletion, reading and changing them,
// and the ways from one to another.
#include <algorithm>
#include <cwchar>

#include "platform/controls/ListBox.h"
#include "platform/controls/TreeView.h"

namespace quorvel::controls {

LRESULT TreeView::Insert(const TVINSERTSTRUCT* insert) {
    if (!insert) return 0;
    const HTREEITEM parentHandle = insert->hParent;
    const uintptr_t parent =
        (!parentHandle || parentHandle == TVI_ROOT) ? 0 : reinterpret_cast<uintptr_t>(parentHandle);
    if (parent && !Find(parent)) return 0;
    auto node = std::make_unique<Node>();
    node->id = m_nextId++;
    node->parent = parent;
    const TVITEM& item = insert->item;
    if ((item.mask & TVIF_TEXT) && item.pszText && reinterpret_cast<intptr_t>(item.pszText) != -1)
        node->text = item.pszText;
    if (item.mask & TVIF_IMAGE) node->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE) node->selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_STATE)
        node->state = item.state & item.stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED);
    if (item.mask & TVIF_PARAM) node->param = item.lParam;
    if (item.mask & TVIF_CHILDREN) node->childrenFlag = item.cChildren;
    std::vector<uintptr_t>& siblings = ChildrenOf(parent);
    size_t at = siblings.size();
    const HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        at = 0;
    } else if (after == TVI_SORT) {
        at = 0;
        while (at < siblings.size() && CompareListText(Find(siblings[at])->text, node->text) <= 0)
            ++at;
    } else if (after && after != TVI_LAST) {
        auto it = std::find(siblings.begin(), siblings.end(), reinterpret_cast<uintptr_t>(after));
        if (it != siblings.end()) at = static_cast<size_t>(it - siblings.begin()) + 1;
    }
    const uintptr_t id = node->id;
    siblings.insert(siblings.begin() + static_cast<ptrdiff_t>(at), id);
    m_nodes[id] = std::move(node);
    ItemsChanged();
    return reinterpret_cast<LRESULT>(Handle(id));
}

// Children go before their parent, the last first, so that each leaves
// the end of its parent's list; the parent hears of every one. A deleted
// selection leaves the tree without one.
void TreeView::Delete(uintptr_t id, bool notify) {
    Node* n = Find(id);
    if (!n) return;
    const std::vector<uintptr_t> children = n->children;
    for (auto child = children.rbegin(); child != children.rend(); ++child) Delete(*child, notify);
    n = Find(id);
    if (!n) return;
    if (notify) NotifyTree(TVN_DELETEITEM, 0, n, nullptr);
    n = Find(id);
    if (!n) return;
    std::vector<uintptr_t>& siblings = ChildrenOf(n->parent);
    const auto at = std::find(siblings.rbegin(), siblings.rend(), id);
    if (at != siblings.rend()) siblings.erase(std::next(at).base());
    if (m_caret == id) m_caret = 0;
    m_nodes.erase(id);
}

void TreeView::DeleteAll() {
    const std::vector<uintptr_t> roots = m_roots;
    for (auto id = roots.rbegin(); id != roots.rend(); ++id) Delete(*id, true);
    m_top = 0;
    m_scrollX = 0;
    ItemsChanged();
}

LRESULT TreeView::GetItem(TVITEM* item) const {
    if (!item) return FALSE;
    const Node* n = Find(item->hItem);
    if (!n) return FALSE;
    if (item->mask & TVIF_TEXT) {
        if (item->pszText && item->cchTextMax > 0) {
            const size_t count = std::min<size_t>(n->text.size(), item->cchTextMax - 1);
            std::wmemcpy(item->pszText, n->text.data(), count);
            item->pszText[count] = L'\0';
        }
    }
    if (item->mask & TVIF_IMAGE) item->iImage = n->image;
    if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = n->selectedImage;
    if (item->mask & TVIF_STATE) {
        const UINT state = n->state | (n->id == m_caret ? TVIS_SELECTED : 0);
        item->state = state & (item->stateMask ? item->stateMask : ~0u);
    }
    if (item->mask & TVIF_PARAM) item->lParam = n->param;
    if (item->mask & TVIF_CHILDREN) item->cChildren = n->children.empty() ? n->childrenFlag : 1;
    return TRUE;
}

LRESULT TreeView::SetItem(const TVITEM* item) {
    if (!item) return FALSE;
    Node* n = Find(item->hItem);
    if (!n) return FALSE;
    if ((item->mask & TVIF_TEXT) && item->pszText &&
        reinterpret_cast<intptr_t>(item->pszText) != -1)
        n->text = item->pszText;
    if (item->mask & TVIF_IMAGE) n->image = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE) n->selectedImage = item->iSelectedImage;
    if (item->mask & TVIF_PARAM) n->param = item->lParam;
    if (item->mask & TVIF_CHILDREN) n->childrenFlag = item->cChildren;
    if (item->mask & TVIF_STATE) {
        const UINT mask = item->stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED);
        n->state = (n->state & ~mask) | (item->state & mask);
    }
    Relayout();
    Invalidate();
    return TRUE;
}

LRESULT TreeView::NextItem(UINT flag, HTREEITEM item) const {
    const Node* n = Find(item);
    auto result = [](uintptr_t id) { return static_cast<LRESULT>(id); };
    switch (flag) {
        case TVGN_ROOT:
            return m_roots.empty() ? 0 : result(m_roots.front());
        case TVGN_CARET:
            return result(m_caret);
        case TVGN_FIRSTVISIBLE:
            return m_top < static_cast<long>(m_lines.size()) ? result(m_lines[m_top].id) : 0;
        case TVGN_LASTVISIBLE:
            return m_lines.empty() ? 0 : result(m_lines.back().id);
        case TVGN_DROPHILITE:
            return 0;
        default:
            break;
    }
    if (!n) return 0;
    const std::vector<uintptr_t>& siblings = n->parent ? Find(n->parent)->children : m_roots;
    // Walking a long list item by item: the last position found is tried first.
    auto at = siblings.end();
    if (m_siblingHint < siblings.size() && siblings[m_siblingHint] == n->id)
        at = siblings.begin() + static_cast<ptrdiff_t>(m_siblingHint);
    else
        at = std::find(siblings.begin(), siblings.end(), n->id);
    if (at == siblings.end()) return 0;
    m_siblingHint = static_cast<size_t>(at - siblings.begin());
    if (flag == TVGN_NEXT) ++m_siblingHint;
    if (flag == TVGN_PREVIOUS && m_siblingHint > 0) --m_siblingHint;
    switch (flag) {
        case TVGN_NEXT:
            return at + 1 < siblings.end() ? result(*(at + 1)) : 0;
        case TVGN_PREVIOUS:
            return at > siblings.begin() ? result(*(at - 1)) : 0;
        case TVGN_PARENT:
            return result(n->parent);
        case TVGN_CHILD:
            return n->children.empty() ? 0 : result(n->children.front());
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            const long line = LineOf(n->id);
            const long next = line + (flag == TVGN_NEXTVISIBLE ? 1 : -1);
            if (line < 0 || next < 0 || next >= static_cast<long>(m_lines.size())) return 0;
            return result(m_lines[next].id);
        }
        default:
            return 0;
    }
}

void TreeView::SortChildren(uintptr_t parent, bool recurse) {
    std::vector<uintptr_t>& children = ChildrenOf(parent);
    std::stable_sort(children.begin(), children.end(), [&](uintptr_t a, uintptr_t b) {
        return CompareListText(Find(a)->text, Find(b)->text) < 0;
    });
    if (recurse)
        for (uintptr_t child : children) SortChildren(child, true);
    Relayout();
    Invalidate();
}

}  // namespace quorvel::controls
