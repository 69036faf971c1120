// CFrameWnd: the program's top-level window. It fills the screen, holds
// its command bar at the top and gives the rest of its client area to the
// pane (the window with id AFX_IDW_PANE_FIRST: a view or a splitter).
// Commands go to the active view (and through it to the document), then to
// the frame's own map, then to the application.
//
// Replacing a view: the program creates a new view with the pane id, makes
// it active, destroys the previous one and calls RecalcLayout; the newest
// window with the pane id is the one given the client area, above any older
// one.
#pragma once

#include <vector>

#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

class CView;
class CDocument;
class CCommandBar;
struct CCreateContext;

// Frame styles, in the class-specific bits of the window style.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
  public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // Loads the title (the first field of string nIDResource) and icon of
    // the resource and creates the window over the whole screen.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPED | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    using CWnd::Create;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPED,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);

    virtual CView* GetActiveView() const { return m_pViewActive; }
    // bNotify: the views are told through OnActivateView.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // A new view of the context's view class for the context's document.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout() { m_bLayoutPending = TRUE; }
    virtual void ActivateFrame(int nCmdShow = -1);
    // Lays out, gives every view its initial update and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Update handlers of the bars' buttons, and a pending layout.
    void OnIdleUpdateCmdUI();

    void AddControlBar(CCommandBar* pBar);
    void RemoveControlBar(CCommandBar* pBar);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL DestroyWindow() override;

    // Menu items without a handler are greyed.
    BOOL m_bAutoMenuEnable = TRUE;
    CString m_strTitle;

  protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);

    CView* m_pViewActive = nullptr;

    DECLARE_MESSAGE_MAP()

  private:
    HWND LeftOverPane() const;
    std::vector<CCommandBar*> m_bars;
    BOOL m_bLayoutPending = FALSE;
    BOOL m_bInRecalcLayout = FALSE;
};
