#include "platform/framework/FrameWnd.h"

#include <algorithm>

#include "platform/base/Collections.h"
#include "platform/framework/CommandBar.h"
#include "platform/framework/CommandBarControl.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/MenuModel.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

bool IsPane(HWND hwnd) {
    return ::GetDlgCtrlID(hwnd) == AFX_IDW_PANE_FIRST;
}

// The child of `frame` that holds `hwnd`, or null.
HWND ChildHolding(HWND frame, HWND hwnd) {
    while (hwnd && ::GetParent(hwnd) != frame) hwnd = ::GetParent(hwnd);
    return hwnd;
}

// The first view with the pane id, looking into a pane (a splitter) when
// the pane is not a view itself.
CView* FirstPaneView(HWND parent) {
    for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!IsPane(h)) continue;
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CView))) return static_cast<CView*>(wnd);
        if (CView* inner = FirstPaneView(h)) return inner;
    }
    return nullptr;
}

// Depth first, each window before its children, framework windows only.
void SendToDescendants(HWND parent, UINT message) {
    for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (CWnd::FromHandlePermanent(h)) ::SendMessage(h, message, 0, 0);
        SendToDescendants(h, message);
    }
}

}  // namespace

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    CString strings;
    strings.LoadString(nIDResource);
    AfxExtractSubString(m_strTitle, strings, 0);
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0, pContext))
        return FALSE;
    if (HICON icon = ::LoadIcon(nullptr, MAKEINTRESOURCE(nIDResource))) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    return TRUE;
}

// The device has no menus on frames: the resource's menu goes into the
// command bar, so the menu name is not used here.
BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle,
                       CCreateContext* pContext) {
    const bool whole = rect.left == CW_USEDEFAULT;
    const int x = whole ? CW_USEDEFAULT : static_cast<int>(rect.left);
    const int y = whole ? CW_USEDEFAULT : static_cast<int>(rect.top);
    const int cx = whole ? CW_USEDEFAULT : static_cast<int>(rect.right - rect.left);
    const int cy = whole ? CW_USEDEFAULT : static_cast<int>(rect.bottom - rect.top);
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass && !CreateView(pContext, AFX_IDW_PANE_FIRST))
        return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (!pContext || !pContext->m_pNewViewClass) return nullptr;
    auto* wnd = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (!wnd) return nullptr;
    // A view that fails deletes itself with its window.
    if (!wnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return wnd;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (pViewNew == old) return;
    m_pViewActive = nullptr;  // neither is active while they are told
    if (old && bNotify) old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

HWND CFrameWnd::LeftOverPane() const {
    if (m_pViewActive) {
        HWND holder = ChildHolding(m_hWnd, m_pViewActive->m_hWnd);
        if (holder && IsPane(holder)) return holder;
    }
    HWND last = nullptr;
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (IsPane(h)) last = h;
    return last;
}

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout || !m_hWnd) return;
    m_bInRecalcLayout = TRUE;
    m_bLayoutPending = FALSE;
    CRect rest;
    GetClientRect(&rest);
    for (CCommandBar* bar : m_bars) {
        // The bar's own style: the frame itself may not be shown yet.
        if (!(bar->GetStyle() & WS_VISIBLE)) continue;
        const int h = std::min(bar->CalcHeight(rest.Width()), rest.Height());
        const bool bottom = (bar->GetBarStyle() & CBRS_ALIGN_BOTTOM) != 0;
        const int top = bottom ? rest.bottom - h : rest.top;
        bar->MoveWindow(rest.left, top, rest.Width(), h);
        (bottom ? rest.bottom : rest.top) = bottom ? rest.bottom - h : rest.top + h;
    }
    if (HWND pane = LeftOverPane())
        ::SetWindowPos(pane, HWND_TOP, rest.left, rest.top, rest.Width(), rest.Height(),
                       SWP_NOACTIVATE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) nCmdShow = IsWindowVisible() ? SW_SHOWNORMAL : SW_SHOW;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    if (!GetActiveView())
        if (CView* view = FirstPaneView(m_hWnd)) SetActiveView(view, FALSE);
    RecalcLayout();
    SendToDescendants(m_hWnd, WM_INITIALUPDATE);
    if (bMakeVisible) {
        ActivateFrame();
        if (CView* view = GetActiveView()) view->OnActivateView(TRUE, view, view);
    }
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc && !doc->GetTitle().IsEmpty()) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = doc->GetTitle() + L" - " + m_strTitle;
        else
            title = m_strTitle + L" - " + doc->GetTitle();
    }
    CString current;
    GetWindowText(current);
    if (current != title) SetWindowText(title);
}

void CFrameWnd::AddControlBar(CCommandBar* pBar) {
    if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end()) m_bars.push_back(pBar);
    DelayRecalcLayout();
}

void CFrameWnd::RemoveControlBar(CCommandBar* pBar) {
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
    DelayRecalcLayout();
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (m_bLayoutPending) RecalcLayout();
    const std::vector<CCommandBar*> bars = m_bars;
    for (CCommandBar* bar : bars)
        if (bar->IsWindowVisible()) bar->OnUpdateCmdUI(this, TRUE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM) {
    OnIdleUpdateCmdUI();
    return 0;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM) {
    auto* popup = quorvel::framework::MenuTree::FromHandle(reinterpret_cast<HMENU>(wParam));
    if (popup) quorvel::framework::UpdateMenuItems(*popup, this, m_bAutoMenuEnable);
    return 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// While a drop-down is open its keys are the menu's.
BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
        for (CCommandBar* bar : m_bars)
            if (auto* control = bar->GetControl();
                control && control->MenuKey(static_cast<UINT>(pMsg->wParam)))
                return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CFrameWnd::DestroyWindow() {
    return CWnd::DestroyWindow();
}

// Closing asks the document whether it may close; the main window closes
// every document, which destroys it; any other frame just goes.
void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd) return;  // gone with its document
    }
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (!m_pViewActive) return;
    m_pViewActive->OnActivateFrame(nState, this);
    HWND focus = ::GetFocus();
    if (nState != WA_INACTIVE && focus != m_pViewActive->m_hWnd &&
        !::IsChild(m_pViewActive->m_hWnd, focus))
        m_pViewActive->SetFocus();
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}
