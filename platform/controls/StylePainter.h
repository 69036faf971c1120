// Every pixel of every standard control is drawn here, in the handheld's
// classic look: grey button faces, 3-D edges (white and light grey above
// and left, grey and black below and right), white fields, navy selection,
// the 12-pixel CJK system font. Controls describe what to show; the painter
// knows nothing of windows or messages.
//
// Sections (implementation files): text and shared pieces, buttons and
// statics (StylePainter.cpp); fields, scroll bars and combo boxes
// (StylePainterFields.cpp); rows, headers, trees, tabs and progress bars
// (StylePainterLists.cpp).
#pragma once

#include <string_view>
#include <vector>

#include "platform/controls/CommCtrl.h"
#include "platform/controls/ScrollBarModel.h"

namespace quorvel::controls {

enum class ArrowDir { Up, Down, Left, Right };

struct ButtonLook {
    bool pressed = false;
    bool focused = false;
    bool disabled = false;
    bool isDefault = false;
};

// A row of a list box, list view, tree or drop-down list.
struct RowLook {
    bool selected = false;
    bool active = true;      // the control has the focus: navy, else grey
    bool focusRect = false;  // dotted frame on the row
    bool disabled = false;
};

class StylePainter {
  public:
    // Selects `font` (the system font when null) until destruction.
    StylePainter(HDC hdc, HFONT font);
    ~StylePainter();
    StylePainter(const StylePainter&) = delete;
    StylePainter& operator=(const StylePainter&) = delete;

    HDC dc() const { return m_dc; }
    int TextHeight() const { return m_textHeight; }
    int TextWidth(std::wstring_view text) const;
    // The x offset of every character boundary of `text` (size + 1 entries,
    // the first 0).
    void Offsets(std::wstring_view text, std::vector<int>& offsets) const;

    // ---- Text and shared pieces ----
    void Fill(const RECT& r, COLORREF color);
    void Fill(const RECT& r, HBRUSH brush);
    // Transparent text laid out by DrawText `format`.
    void Label(RECT r, std::wstring_view text, UINT format, COLORREF color);
    // Greyed text of a disabled control: white shifted by one pixel, grey.
    void DisabledLabel(RECT r, std::wstring_view text, UINT format);
    // Height DrawText gives `text` in `width` with `format`.
    int MeasureLabel(std::wstring_view text, int width, UINT format) const;
    void FocusFrame(const RECT& r);
    void RaisedEdge(const RECT& r);
    void SunkenEdge(const RECT& r);
    // The frame of WS_EX_CLIENTEDGE; returns what is inside.
    RECT ClientEdge(const RECT& r);
    void Arrow(const RECT& box, ArrowDir dir, bool disabled);

    // ---- Buttons and statics ----
    void PushButton(const RECT& r, std::wstring_view text, const ButtonLook& look, UINT format);
    // Check box or radio button: the mark at the left (or right with
    // `leftText`), then the text; `check` is BST_UNCHECKED/CHECKED/INDETERMINATE.
    void CheckButton(const RECT& r, std::wstring_view text, UINT check, bool radio,
                     const ButtonLook& look, UINT format, bool leftText, COLORREF textColor);
    void GroupBox(const RECT& r, std::wstring_view text, bool disabled, COLORREF textColor,
                  HBRUSH background);
    // SS_BLACKRECT .. SS_ETCHEDFRAME.
    void StaticShape(const RECT& r, DWORD type);
    void Picture(const RECT& r, HANDLE image, bool icon, bool center);
    void Image(HIMAGELIST list, int index, int x, int y, bool selected);

    // ---- Fields ----
    // A run of edit text at (x, top): highlighted when `selected`.
    void TextRun(int x, int top, std::wstring_view text, bool selected, COLORREF color);
    void Caret(int x, int top, int height);
    void ScrollBar(const ScrollBarLayout& layout, ScrollPart pressed);
    void ArrowButton(const RECT& r, ArrowDir dir, bool pressed, bool disabled);
    // The closed combo box: field (white, or grey when disabled) with the
    // text, the drop button at the right.
    void ComboBox(const RECT& r, std::wstring_view text, const RowLook& field, bool dropped,
                  bool hasText);

    // ---- Rows, headers, trees, tabs, progress ----
    // The row's background and text (`textBox` inside `row`); a background
    // of CLR_NONE leaves an unselected row's background as it is.
    void Row(const RECT& row, const RECT& textBox, std::wstring_view text, UINT format,
             const RowLook& look, COLORREF textColor, COLORREF background);
    void HeaderItem(const RECT& r, std::wstring_view text, UINT format);
    void GridLine(int x0, int y0, int x1, int y1);
    void DottedLine(int x0, int y0, int x1, int y1);
    void TreeButton(POINT centre, bool expanded);
    void Tab(const RECT& r, std::wstring_view text, bool selected, bool focused);
    void TabBody(const RECT& r);
    void Progress(const RECT& r, int low, int high, int pos, bool smooth, bool vertical);

  private:
    void Pen(COLORREF color);
    void HLine(int x0, int x1, int y, COLORREF color);
    void VLine(int x, int y0, int y1, COLORREF color);
    void CheckMark(const RECT& box, bool grey);
    void RadioMark(const RECT& box, bool checked, bool disabled);

    HDC m_dc;
    int m_saved = 0;
    int m_textHeight = 12;
};

// A memory context to measure text in outside painting.
struct ScratchDc {
    ScratchDc() : dc(CreateCompatibleDC(nullptr)) {}
    ~ScratchDc() { DeleteDC(dc); }
    ScratchDc(const ScratchDc&) = delete;
    ScratchDc& operator=(const ScratchDc&) = delete;
    HDC dc;
};

// Colours of the look, by role.
COLORREF SysColor(int index);

}  // namespace quorvel::controls
