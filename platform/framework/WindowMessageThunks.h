// Thunks of the window-message entries: each unpacks wParam and lParam the
// way the framework's handler for that message receives them. Included by
// MessageMap.h only.
#pragma once

namespace quorvel::framework {

template <auto P>
BOOL CreateThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, int(LPCREATESTRUCT)>,
                  "handler must be: int OnCreate(LPCREATESTRUCT lpCreateStruct)");
    c.result = (Target<P>(t)->*P)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    return TRUE;
}

template <auto P>
BOOL EraseThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, BOOL(CDC*)>, "handler must be: BOOL OnEraseBkgnd(CDC* pDC)");
    c.result = (Target<P>(t)->*P)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)));
    return TRUE;
}

// The device's framework passed the timer id as UINT, later ones as
// UINT_PTR; both are accepted.
template <auto P>
BOOL TimerThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT_PTR)> || kHandlerIs<P, void(UINT)>,
                  "handler must be: void OnTimer(UINT_PTR nIDEvent)");
    using Arg = std::conditional_t<kHandlerIs<P, void(UINT)>, UINT, UINT_PTR>;
    (Target<P>(t)->*P)(static_cast<Arg>(c.wParam));
    return TRUE;
}

template <auto P>
BOOL SizeThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, int, int)>,
                  "handler must be: void OnSize(UINT nType, int cx, int cy)");
    (Target<P>(t)->*P)(static_cast<UINT>(c.wParam), GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
    return TRUE;
}

template <auto P>
BOOL MoveThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(int, int)>, "handler must be: void OnMove(int x, int y)");
    (Target<P>(t)->*P)(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
    return TRUE;
}

template <auto P>
BOOL MouseThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, CPoint)>,
                  "handler must be: void f(UINT nFlags, CPoint point)");
    (Target<P>(t)->*P)(static_cast<UINT>(c.wParam), PointOf(c.lParam));
    return TRUE;
}

template <auto P>
BOOL KeyThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, UINT, UINT)>,
                  "handler must be: void f(UINT nChar, UINT nRepCnt, UINT nFlags)");
    (Target<P>(t)->*P)(static_cast<UINT>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <auto P>
BOOL FocusThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(CWnd*)>, "handler must be: void f(CWnd* pWnd)");
    (Target<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
    return TRUE;
}

template <auto P>
BOOL CaptureThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(CWnd*)>, "handler must be: void f(CWnd* pWnd)");
    (Target<P>(t)->*P)(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)));
    return TRUE;
}

inline UINT CtlColorType(UINT message) {
    const UINT m = message >= WM_REFLECT_BASE ? message - WM_REFLECT_BASE : message;
    return m - WM_CTLCOLORMSGBOX;
}

template <auto P>
BOOL CtlColorThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, HBRUSH(CDC*, CWnd*, UINT)>,
                  "handler must be: HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)");
    HBRUSH b = (Target<P>(t)->*P)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)),
                                  CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),
                                  CtlColorType(c.message));
    c.result = reinterpret_cast<LRESULT>(b);
    return TRUE;
}

// A control that answers no brush leaves the colours to its parent.
template <auto P>
BOOL CtlColorReflectThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, HBRUSH(CDC*, UINT)>,
                  "handler must be: HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)");
    HBRUSH b = (Target<P>(t)->*P)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)),
                                  CtlColorType(c.message));
    c.result = reinterpret_cast<LRESULT>(b);
    return b != nullptr;
}

template <auto P>
BOOL DrawItemThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(int, LPDRAWITEMSTRUCT)>,
                  "handler must be: void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)");
    (Target<P>(t)->*P)(static_cast<int>(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <auto P>
BOOL ScrollThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, UINT, CScrollBar*)>,
                  "handler must be: void f(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)");
    (Target<P>(t)->*P)(LOWORD(c.wParam), HIWORD(c.wParam),
                       AfxScrollBarFromHandle(reinterpret_cast<HWND>(c.lParam)));
    return TRUE;
}

template <auto P>
BOOL ScrollReflectThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, UINT)>,
                  "handler must be: void f(UINT nSBCode, UINT nPos)");
    (Target<P>(t)->*P)(LOWORD(c.wParam), HIWORD(c.wParam));
    return TRUE;
}

template <auto P>
BOOL ShowThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(BOOL, UINT)>,
                  "handler must be: void OnShowWindow(BOOL bShow, UINT nStatus)");
    (Target<P>(t)->*P)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
    return TRUE;
}

template <auto P>
BOOL ActivateThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(
        kHandlerIs<P, void(UINT, CWnd*, BOOL)>,
        "handler must be: void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)");
    (Target<P>(t)->*P)(LOWORD(c.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),
                       HIWORD(c.wParam));
    return TRUE;
}

template <auto P>
BOOL EnableThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(BOOL)>, "handler must be: void OnEnable(BOOL bEnable)");
    (Target<P>(t)->*P)(static_cast<BOOL>(c.wParam));
    return TRUE;
}

template <auto P>
BOOL DlgCodeThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, UINT()>, "handler must be: UINT OnGetDlgCode()");
    c.result = (Target<P>(t)->*P)();
    return TRUE;
}

template <auto P>
BOOL SysCommandThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, LPARAM)>,
                  "handler must be: void OnSysCommand(UINT nID, LPARAM lParam)");
    (Target<P>(t)->*P)(static_cast<UINT>(c.wParam), c.lParam);
    return TRUE;
}

template <auto P>
BOOL WindowPosThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(WINDOWPOS*)>,
                  "handler must be: void OnWindowPosChanged(WINDOWPOS* lpwndpos)");
    (Target<P>(t)->*P)(reinterpret_cast<WINDOWPOS*>(c.lParam));
    return TRUE;
}

template <auto P>
BOOL SettingThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, LPCTSTR)>,
                  "handler must be: void OnSettingChange(UINT uFlags, LPCTSTR lpszSection)");
    (Target<P>(t)->*P)(static_cast<UINT>(c.wParam), reinterpret_cast<LPCTSTR>(c.lParam));
    return TRUE;
}

}  // namespace quorvel::framework
