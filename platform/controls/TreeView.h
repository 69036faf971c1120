// "SysTreeView32": items in a hierarchy, each with text, an image and a
// selected image, item data, and the expanded and selected states; buttons
// and dotted lines; expanding and collapsing by the program, the stylus and
// the keys; one selected item (the caret); scrolling with bars drawn inside
// the client area. Handles (HTREEITEM) are never reused.
//
// Expansion follows the platform's rule: TVM_EXPAND tells the parent
// (TVN_ITEMEXPANDING / TVN_ITEMEXPANDED) only until the item has been
// expanded once; TVE_COLLAPSE | TVE_COLLAPSERESET clears that. The user's
// expanding and collapsing always tells it.
//
// While redrawing is off (WM_SETREDRAW FALSE), inserting and deleting items
// leaves the lines shown as they were; they are laid out again once, when
// redrawing comes back or a message needs them, so that filling a folder of
// thousands of items costs one layout.
//
// Files: messages (TreeView.cpp), items (TreeItems.cpp), expanding,
// selecting, stylus and keys (TreeActions.cpp), geometry and drawing
// (TreeViewPaint.cpp).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ScrollBars.h"
#include "platform/controls/ScrollingControl.h"

namespace quorvel::controls {

class TreeView : public ScrollingControl {
  public:
    using ScrollingControl::ScrollingControl;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    struct Node {
        uintptr_t id = 0;
        uintptr_t parent = 0;  // 0: a top-level item
        std::vector<uintptr_t> children;
        std::wstring text;
        int image = 0;
        int selectedImage = 0;
        UINT state = 0;
        LPARAM param = 0;
        int childrenFlag = 0;  // cChildren as set: 1 shows a button without children
    };
    struct Line {
        uintptr_t id;
        int level;
    };
    Node* Find(HTREEITEM item) const;
    Node* Find(uintptr_t id) const { return Find(reinterpret_cast<HTREEITEM>(id)); }
    static HTREEITEM Handle(uintptr_t id) { return reinterpret_cast<HTREEITEM>(id); }
    std::vector<uintptr_t>& ChildrenOf(uintptr_t parent);
    bool HasButton(const Node& n) const { return !n.children.empty() || n.childrenFlag > 0; }
    bool Expanded(const Node& n) const { return (n.state & TVIS_EXPANDED) != 0; }

    // ---- TreeView.cpp ----
    LRESULT OnTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- TreeItems.cpp ----
    LRESULT Insert(const TVINSERTSTRUCT* insert);
    void Delete(uintptr_t id, bool notify);
    void DeleteAll();
    LRESULT GetItem(TVITEM* item) const;
    LRESULT SetItem(const TVITEM* item);
    LRESULT NextItem(UINT flag, HTREEITEM item) const;
    void SortChildren(uintptr_t parent, bool recurse);
    // After items came or went: lays out now, or later when redraw is off.
    void ItemsChanged();
    static bool LeavesLayoutStale(UINT msg, WPARAM wParam);
    size_t Total() const { return m_nodes.size(); }

    // ---- TreeActions.cpp ----
    // `byUser`: always tells the parent; else only before the first expansion.
    bool Expand(uintptr_t id, UINT code, bool byUser);
    bool Select(uintptr_t id, UINT cause);
    void EnsureVisible(uintptr_t id);
    bool NotifyTree(UINT code, UINT action, const Node* oldItem, const Node* newItem);
    void OnButtonDown(POINT p, bool doubleTap) override;
    void OnButtonMove(POINT p) override;
    void OnButtonUp(POINT p) override;
    void OnCaptureLost() override { m_pressed = false; }
    void OnKeyDown(UINT key) override;
    void OnScroll(bool vertical, int code, int thumb) override;
    void ScrollTo(long top, int x);

    // ---- TreeViewPaint.cpp ----
    void Measure() override;
    void Relayout() override;  // visible lines, bars and ranges
    long LineOf(uintptr_t id) const;
    RECT ItemsArea() const;
    RECT BarRect(bool vertical) const override;
    int VisibleRows() const;
    int ImageSize() const;
    int IndentOf(int level) const;  // x of the item's icon, before scrolling
    RECT LineRect(long line) const;
    RECT LabelRect(long line) const;
    LRESULT HitTest(TVHITTESTINFO* info) const;
    void Paint() override;
    void PaintLines(class StylePainter& painter, long line);
    void PaintItem(class StylePainter& painter, long line);

    std::map<uintptr_t, std::unique_ptr<Node>> m_nodes;
    std::vector<uintptr_t> m_roots;
    uintptr_t m_nextId = 0x10;
    uintptr_t m_caret = 0;
    std::vector<Line> m_lines;  // the items shown, top to bottom
    HIMAGELIST m_normal = nullptr;
    HIMAGELIST m_state = nullptr;
    int m_indent = 19;
    int m_itemHeight = 18;
    long m_top = 0;
    int m_scrollX = 0;
    int m_widest = 0;  // right edge of the widest label, before scrolling
    bool m_vBar = false;
    bool m_hBar = false;
    bool m_pressed = false;
    bool m_doubleTap = false;
    mutable size_t m_siblingHint = 0;  // where NextItem last found an item
    bool m_redrawOff = false;
    bool m_layoutStale = false;  // m_lines lag behind the items
    POINT m_pressPoint{};
};

}  // namespace quorvel::controls
