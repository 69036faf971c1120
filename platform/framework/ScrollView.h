// CScrollView: a view whose drawing is larger than its window. When the
// total size set with SetScrollSizes does not fit, scroll bars appear
// along the right and bottom edges; OnDraw keeps drawing in document
// coordinates, moved by the scroll position through OnPrepareDC.
#pragma once

#include "platform/framework/ScrollBar.h"
#include "platform/framework/View.h"

#ifndef MM_TEXT
#define MM_TEXT 1
#endif

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
  public:
    static const SIZE sizeDefault;

    // Only MM_TEXT (pixels) is used. Defaults: a page is a tenth of the
    // total, a line a tenth of a page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const { return m_ptScroll; }
    CSize GetTotalSize() const { return m_totalLog; }
    // The client area less the scroll bars shown (children inside it).
    CSize GetVisibleSize() const { return m_visible; }
    void ScrollToPosition(POINT pt);
    void OnPrepareDC(CDC* pDC) override;

  protected:
    CScrollView();
    ~CScrollView() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_pageDev;
    CSize m_lineDev;

    DECLARE_MESSAGE_MAP()

  private:
    void UpdateBars();
    void PlaceBar(CScrollBar& bar, bool show, const CRect& rect, int total, int page, int pos);
    int Scrolled(UINT code, int pos, int current, int page, int line) const;
    CPoint m_ptScroll;
    CSize m_visible;  // the part of the client area left to the drawing
    CScrollBar m_barV;
    CScrollBar m_barH;
    BOOL m_bInUpdateBars = FALSE;
};
