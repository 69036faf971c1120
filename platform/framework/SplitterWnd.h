// CSplitterWnd: a static splitter that divides its window into rows and
// columns of panes (usually views), each a child with the id
// IdFromRowCol(row, col).
//
// Geometry, in the splitter's client area: panes sit m_cxBorder/m_cyBorder
// in from the edges; neighbouring panes are m_cxSplitterGap/m_cySplitterGap
// apart; every row and column but the last has its ideal size (SetRowInfo,
// SetColumnInfo, or the size given to CreateView) and the last takes what
// is left. Each pane is framed by a sunken border of the border width drawn
// around it. A subclass may change any of these members in its
// constructor. The bar between two panes can be dragged with the stylus to
// move it; m_cxSplitter/m_cySplitter widen the part of the gap that grabs
// it when the gap is wider than the bar.
#pragma once

#include <vector>

#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
  public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane (row, col) as an object of pViewClass; sizeInit gives
    // the row's and column's ideal sizes.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    // Places every pane for the current size.
    virtual void RecalcLayout();

  protected:
    struct CRowColInfo {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    int m_cxSplitter;
    int m_cySplitter;
    int m_cxSplitterGap;
    int m_cySplitterGap;
    int m_cxBorder;
    int m_cyBorder;
    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<CRowColInfo> m_rowInfo;
    std::vector<CRowColInfo> m_colInfo;

    DECLARE_MESSAGE_MAP()

  private:
    static void Lay(std::vector<CRowColInfo>& info, int extent, int border, int gap);
    CRect PaneRect(int row, int col) const;
    // The bar under a point: the row (or column) above (left of) it, or -1.
    int RowBarAt(CPoint point) const;
    int ColBarAt(CPoint point) const;
    int m_trackRow = -1;
    int m_trackCol = -1;
};
