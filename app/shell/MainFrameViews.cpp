// The frame's view switching. A new view takes the pane id and so the
// client area; the splitter hides under it with its panes alive. A view
// switched in earlier is destroyed when the next one replaces it.
#include "app/screens/DialogViewSavePoint.h"
#include "app/screens/GGGView.h"
#include "app/screens/VendropView.h"
#include "app/shell/MainFrame.h"
#include "app/shell/RTKListView.h"
#include "res/resource.h"

CView* CMainFrame::SwitchToView(CRuntimeClass* cls) {
    CCreateContext context;
    context.m_pNewViewClass = cls;
    context.m_pCurrentDoc = GetActiveDocument();
    auto* view = static_cast<CView*>(CreateView(&context, AFX_IDW_PANE_FIRST));
    if (!view) return nullptr;
    // The point-store view receives positions from the moment it exists.
    if (cls == RUNTIME_CLASS(CDialogViewSavePoint)) m_hViewWnd = view->m_hWnd;
    view->SendMessage(WM_INITIALUPDATE);
    view->ShowWindow(SW_SHOW);
    SetActiveView(view);
    m_wndSplitter.ShowWindow(SW_HIDE);
    CView* previous = m_pSwitchedView;
    m_pSwitchedView = view;
    if (previous) previous->DestroyWindow();
    RecalcLayout();
    return view;
}

void CMainFrame::OnViewBlank() {
    SwitchToView(RUNTIME_CLASS(CGGGView));
}

void CMainFrame::OnViewMain() {
    SwitchToView(RUNTIME_CLASS(CVendropView));
}

void CMainFrame::OnViewSavePoint() {
    SwitchToView(RUNTIME_CLASS(CDialogViewSavePoint));
}

void CMainFrame::OnViewRtkList() {
    SwitchToView(RUNTIME_CLASS(CRTKListView));
}

void CMainFrame::OnViewToggle() {
    if (m_bToggleToMain) {
        m_bToggleToMain = 0;
        OnViewMain();
    } else {
        m_bToggleToMain = 1;
        OnViewSavePoint();
    }
}
