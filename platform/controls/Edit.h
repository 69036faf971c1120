// "Edit": single-line (scrolling sideways to follow the caret) and
// multi-line (word-wrapped, scrolling down) text fields with read-only,
// password, digits-only and case-folding styles, a text limit, the
// selection, keyboard editing and stylus placement of the caret. The caret
// does not blink, so snapshots are deterministic.
//
// Files: messages (Edit.cpp), keys, characters and stylus (EditInput.cpp),
// layout, scrolling and drawing (EditView.cpp).
#pragma once

#include <vector>

#include "platform/controls/EditLayout.h"
#include "platform/controls/EditModel.h"
#include "platform/controls/ScrollBars.h"
#include "platform/controls/ScrollingControl.h"

namespace quorvel::controls {

class Edit : public ScrollingControl {
  public:
    using ScrollingControl::ScrollingControl;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

    // Default limit, in characters, until EM_LIMITTEXT sets another.
    static constexpr size_t kDefaultLimit = 30000;
    static constexpr size_t kMaxLimit = 0x7FFFFFFE;

  private:
    bool Multiline() const { return (style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (style() & ES_READONLY) != 0; }

    // ---- Edit.cpp ----
    LRESULT OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(LPCTSTR text);
    LRESULT OnGetText(WPARAM size, LPTSTR buffer) const;
    LRESULT OnGetSel(DWORD* start, DWORD* end) const;
    LRESULT OnLineMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DialogCode(const MSG* msg) const override;
    void SetPasswordChar(wchar_t ch);
    void SetReadOnly(bool on);
    void OnFocus(bool gained) override;
    // After a change the user made: EN_UPDATE, the new look, EN_CHANGE.
    void Changed();
    void SyncWindowText();

    // ---- EditInput.cpp ----
    void OnChar(wchar_t ch);
    void OnKeyDown(UINT key) override;
    void Insert(std::wstring_view text);
    void MoveVertically(int lines, bool extend);
    // A double tap acts as a single one: the edit selects no words.
    void OnButtonDown(POINT p, bool doubleTap) override;
    void OnButtonMove(POINT p) override;
    void OnButtonUp(POINT p) override;
    void OnCaptureLost() override { m_dragging = false; }

    // ---- EditView.cpp ----
    RECT TextArea() const;
    RECT ScrollBarArea() const;
    RECT BarRect(bool) const override { return ScrollBarArea(); }
    bool HasScrollBar() const;
    // The text as drawn (password characters), kept in `scratch` if need be.
    std::wstring_view Shown(std::wstring& scratch) const;
    MeasureOffsets Measurer(class StylePainter& painter) const;
    int WrapWidth() const;  // 0: no word wrap
    void Relayout() override;
    // After an edit: lays out again from the change only, when nothing else
    // the layout depends on has changed.
    void Reflow();
    void Measure() override { Relayout(); }
    int LineHeight() const { return m_lineHeight; }
    int VisibleLines() const;
    int LineX(size_t line) const;  // left of the line's text, before scrolling
    int XOf(size_t pos) const;     // text-area x of a character position
    size_t PosAt(POINT p) const;
    void ScrollToCaret();
    void ScrollLines(int delta);
    // Only ever vertical: the edit leaves WM_HSCROLL to Default.
    void OnScroll(bool vertical, int code, int thumb) override;
    void UpdateScrollBar();
    void Paint() override;
    void PaintLine(class StylePainter& painter, std::wstring_view shown, size_t line, int top,
                   COLORREF ink);

    EditModel m_model;
    size_t m_limit = kDefaultLimit;
    bool m_modified = false;
    wchar_t m_passwordChar = L'*';
    std::vector<EditLine> m_lines{EditLine{}};
    // What the lines were laid out for.
    size_t m_layoutLength = 0;
    int m_layoutWrap = 0;
    HFONT m_layoutFont = nullptr;
    int m_lineHeight = 12;
    int m_scrollX = 0;     // single-line: pixels scrolled off at the left
    size_t m_topLine = 0;  // multi-line: first line shown
    bool m_dragging = false;
};

}  // namespace quorvel::controls
