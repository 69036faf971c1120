// "ListBox": a list of strings with item data, sorted or in insertion
// order, one selected item (-1 for none), scrolling with a vertical bar
// drawn inside the client area when the items overflow, the stylus and the
// arrow keys. The combo box's drop-down list ("ComboLBox") is the same
// control working for its combo box.
//
// Files: items and messages (ListBox.cpp), stylus, keys and scrolling
// (ListBoxInput.cpp), drawing (ListBoxPaint.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ScrollBars.h"
#include "platform/controls/ScrollingControl.h"

namespace quorvel::controls {

// The drop-down list tells its combo box it is done: wParam TRUE when an
// item was chosen, FALSE when the list was dismissed.
constexpr UINT kComboListDone = WM_USER + 0x1F0;

// Case-blind comparison of list texts, the order LBS_SORT / CBS_SORT keep.
int CompareListText(const std::wstring& a, const std::wstring& b);
// Whether `text` starts with `prefix` (whole: equals it), ignoring case.
bool ListTextMatches(const std::wstring& text, const std::wstring& prefix, bool whole);

class ListBox : public ScrollingControl {
  public:
    using ScrollingControl::ScrollingControl;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    struct Item {
        std::wstring text;
        LPARAM data = 0;
    };
    bool Notifies() const { return m_combo || (style() & LBS_NOTIFY); }
    bool ValidIndex(WPARAM index) const { return static_cast<size_t>(index) < m_items.size(); }

    // ---- ListBox.cpp ----
    LRESULT OnItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Insert(long index, LPCTSTR text);
    LRESULT Delete(WPARAM index);
    LRESULT Find(long start, LPCTSTR text, bool whole) const;
    LRESULT SetSelection(long index);  // by the program: no notification
    void OnFocus(bool gained) override;

    // ---- ListBoxInput.cpp ----
    void Select(long index, bool notify);  // by the user
    void OnButtonDown(POINT p, bool doubleTap) override;
    void OnButtonMove(POINT p) override;
    void OnButtonUp(POINT p) override;
    void OnCaptureLost() override { m_tracking = false; }
    void OnKeyDown(UINT key) override;
    void OnChar(wchar_t ch);
    // Only ever vertical: the list leaves WM_HSCROLL to Default.
    void OnScroll(bool vertical, int code, int thumb) override;
    void SetTop(long top);
    void EnsureVisible(long index);
    long ItemAt(POINT p) const;  // -1 outside the items

    // ---- ListBoxPaint.cpp ----
    bool HasScrollBar() const;
    int VisibleCount() const;  // whole rows that fit
    RECT ItemsArea() const;
    RECT BarArea() const;
    RECT BarRect(bool) const override { return BarArea(); }
    RECT ItemRect(long index) const;
    void UpdateScrollBar();
    void Relayout() override { UpdateScrollBar(); }
    void Measure() override;
    void Paint() override;

    std::vector<Item> m_items;
    long m_sel = -1;
    long m_top = 0;
    int m_itemHeight = 14;
    bool m_tracking = false;
    HWND m_combo = nullptr;  // set for a combo box's drop-down list
    bool m_pressedInside = false;
};

}  // namespace quorvel::controls
