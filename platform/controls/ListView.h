// "SysListView32" in report view: columns with widths and alignment under a
// header, rows of texts (one per column) with an image, item data and the
// selected/focused states, single or multiple selection, full-row
// selection, grid lines, hot tracking, vertical and horizontal scroll bars
// drawn inside the client area. Every state change goes to the parent as
// LVN_ITEMCHANGING / LVN_ITEMCHANGED; taps as NM_CLICK / NM_DBLCLK.
//
// Files: messages (ListView.cpp), items, columns and states
// (ListViewItems.cpp), stylus, keys and scrolling (ListViewInput.cpp),
// geometry and drawing (ListViewPaint.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/controls/ScrollBars.h"
#include "platform/controls/ScrollingControl.h"

namespace quorvel::controls {

class ListView : public ScrollingControl {
  public:
    using ScrollingControl::ScrollingControl;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    struct Column {
        std::wstring text;
        int width = 50;
        int fmt = LVCFMT_LEFT;
    };
    struct Row {
        std::vector<std::wstring> texts;  // one per column
        int image = -1;
        LPARAM param = 0;
        UINT state = 0;
        int indent = 0;
    };
    long Count() const { return static_cast<long>(m_rows.size()); }
    bool Valid(long index) const { return index >= 0 && index < Count(); }
    bool SingleSel() const { return (style() & LVS_SINGLESEL) != 0; }
    bool FullRow() const { return (m_exStyle & LVS_EX_FULLROWSELECT) != 0; }

    // ---- ListView.cpp ----
    LRESULT OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnViewMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnColorMessage(UINT msg, LPARAM lParam);

    // ---- ListViewItems.cpp ----
    LRESULT InsertColumn(long index, const LVCOLUMN* column);
    LRESULT SetColumn(long index, const LVCOLUMN* column);
    LRESULT GetColumn(long index, LVCOLUMN* column) const;
    LRESULT DeleteColumn(long index);
    LRESULT SetColumnWidth(long index, int width);
    LRESULT InsertItem(const LVITEM* item);
    LRESULT SetItem(const LVITEM* item);
    LRESULT GetItem(LVITEM* item) const;
    LRESULT GetItemText(long index, LVITEM* item) const;
    LRESULT DeleteItem(long index);
    LRESULT DeleteAllItems();
    LRESULT NextItem(long start, UINT flags) const;
    // Changes a row's state bits under `mask` with LVN_ITEMCHANGING/CHANGED.
    bool SetState(long index, UINT state, UINT mask);
    // Selects and focuses one row, clearing every other (-1: clears all).
    void SelectOnly(long index);
    void NotifyItem(UINT code, long index, UINT oldState, UINT newState, UINT changed,
                    LRESULT* result = nullptr);

    // ---- ListViewInput.cpp ----
    void OnButtonDown(POINT p, bool doubleTap) override;
    void OnButtonMove(POINT p) override;
    void OnButtonUp(POINT p) override;
    void OnCaptureLost() override { m_pressed = false; }
    void OnKeyDown(UINT key) override;
    void OnScroll(bool vertical, int code, int thumb) override;
    void ScrollTo(long top, int x);
    void EnsureVisible(long index);
    // Without full-row selection only the first column hits a row, unless
    // `subItems` (LVM_SUBITEMHITTEST) asks for every column.
    LRESULT HitTest(LVHITTESTINFO* info, bool subItems) const;
    void SendClick(UINT code, POINT p, long item, int subItem);

    // ---- ListViewPaint.cpp ----
    void Measure() override;
    void Relayout() override;  // which bars show, the scroll ranges
    RECT RowsArea() const;
    RECT BarRect(bool vertical) const override;
    RECT HeaderArea() const;
    int TotalWidth() const;
    int VisibleRows() const;
    int ColumnLeft(long column) const;  // client x, after scrolling
    RECT RowRect(long index) const;     // the whole row, client coordinates
    RECT CellRect(long index, long column) const;
    RECT LabelRect(long index) const;  // column 0 after the image
    RECT IconRect(long index) const;
    RECT HighlightRect(long index) const;
    int ImageWidth() const;
    LRESULT GetItemRect(long index, RECT* rect) const;
    LRESULT GetSubItemRect(long index, RECT* rect) const;
    void Paint() override;
    void PaintRow(class StylePainter& painter, long index, COLORREF ink, COLORREF background);
    void PaintGrid(class StylePainter& painter);

    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    DWORD m_exStyle = 0;
    HIMAGELIST m_small = nullptr;
    HIMAGELIST m_normal = nullptr;
    HIMAGELIST m_state = nullptr;
    COLORREF m_bk = CLR_DEFAULT;
    COLORREF m_text = CLR_DEFAULT;
    COLORREF m_textBk = CLR_DEFAULT;
    long m_top = 0;     // first row shown
    int m_scrollX = 0;  // pixels scrolled off at the left
    int m_rowHeight = 16;
    int m_headerHeight = 18;
    bool m_vBar = false;
    bool m_hBar = false;
    long m_hot = -1;
    long m_mark = -1;
    bool m_pressed = false;  // the stylus went down on the rows
    bool m_doubleTap = false;
    POINT m_pressPoint{};
};

}  // namespace quorvel::controls
