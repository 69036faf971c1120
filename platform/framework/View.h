// CView: a child window of a frame that shows a document. Its commands come
// before the document's; painting goes through OnPrepareDC and OnDraw; it
// becomes the frame's active view when tapped; the object deletes itself
// with its window.
#pragma once

#include "platform/framework/Wnd.h"

class CDocument;
class CFrameWnd;

// The style the framework gives a view it creates.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE)

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
  public:
    CDocument* GetDocument() const { return m_pDocument; }
    // The nearest frame window above the view, or null.
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnPrepareDC(CDC* pDC);
    virtual void OnDraw(CDC* pDC) = 0;

    // The view's own map first, then its document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  protected:
    CView();
    ~CView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

// The frame above any window, or null.
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);
