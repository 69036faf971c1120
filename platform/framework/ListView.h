// CListView: a view that is itself a report list control
// ("SysListView32"); GetListCtrl gives the control's operations.
#pragma once

#include "platform/framework/ListCtrl.h"
#include "platform/framework/View.h"

class CListView : public CView {
    DECLARE_DYNCREATE(CListView)
  public:
    CListCtrl& GetListCtrl() const;
    void OnDraw(CDC* pDC) override;

  protected:
    CListView();
    ~CListView() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

  private:
    // The same window seen as a list control; not in the handle map, so it
    // never owns or destroys the window.
    mutable CListCtrl m_list;
};
