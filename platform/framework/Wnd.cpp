// CWnd's life: construction, creation through the creation hook,
// subclassing, the framework's window procedure and the end of a window.
#include "platform/framework/Wnd.h"

#include "platform/framework/AfxGlobals.h"
#include "platform/framework/FrameworkInternal.h"
#include "platform/framework/MessageMap.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace quorvel::framework {

ThreadState& State() {
    thread_local ThreadState state;
    return state;
}

namespace {

void CreateHookProc(HWND hWnd, CREATESTRUCT* cs) {
    ThreadState& s = State();
    win::CreateHook prev = s.prevHook;
    if (CWnd* wnd = s.wndInit) {
        s.wndInit = nullptr;
        if (wnd->Attach(hWnd)) {
            wnd->PreSubclassWindow();
            SubclassWithFramework(wnd, hWnd);
        }
    }
    if (prev) prev(hWnd, cs);
}

}  // namespace

CreateHookScope::CreateHookScope(CWnd* wnd)
    : m_wnd(wnd), m_savedInit(State().wndInit), m_savedPrev(State().prevHook) {
    ThreadState& s = State();
    s.wndInit = wnd;
    m_replaced = win::SetWindowCreateHook(CreateHookProc);
    if (m_replaced != CreateHookProc) s.prevHook = m_replaced;
}

CreateHookScope::~CreateHookScope() {
    win::SetWindowCreateHook(m_replaced);
    ThreadState& s = State();
    s.wndInit = m_savedInit;
    s.prevHook = m_savedPrev;
}

bool CreateHookScope::Attached() const {
    return State().wndInit != m_wnd;
}

void SubclassWithFramework(CWnd* wnd, HWND hWnd) {
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWL_WNDPROC));
    if (current == AfxWndProc) return;
    CWndAccess::Super(wnd) = current;
    ::SetWindowLongPtr(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
}

}  // namespace quorvel::framework

using namespace quorvel::framework;

CWnd::CWnd() = default;

CWnd::CWnd(HWND pseudo) : m_hWnd(pseudo) {}

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // An object going while its window lives takes the window with it,
        // so that no message ever reaches a dead object.
        ::DestroyWindow(m_hWnd);
        Detach();
    }
}

// ---- Creation ----

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    CREATESTRUCT cs{
        lpParam, AfxGetInstanceHandle(),     nIDorHMenu,     hWndParent,    nHeight,  nWidth, y,
        x,       static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    bool attached;
    HWND hWnd;
    {
        CreateHookScope scope(this);
        hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
        attached = scope.Attached();
    }
    // A window that failed after it was made has already had its
    // PostNcDestroy; one that never was made has it now.
    if (!attached) PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---- Subclassing ----

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    SubclassWithFramework(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent) return FALSE;
    HWND control = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd && m_pfnSuper &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWL_WNDPROC)) == AfxWndProc) {
        ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- The framework's window procedure ----

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd) return ::DefWindowProc(hWnd, message, wParam, lParam);
    ThreadState& s = State();
    const MSG saved = s.current;
    s.current = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    // The last message: the object lets go of the handle, whatever the
    // program's handlers did, and may then delete itself.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd) {
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    }
    State().current = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = State().current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    return &State().current;
}
