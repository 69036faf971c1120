// Message dispatch: the message maps, commands and notifications, their
// reflection to the control's own object, and the pre-translation walk.
#include <mutex>

#include "platform/dialogs/DialogApi.h"
#include "platform/framework/FrameworkInternal.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/ScrollBar.h"

using quorvel::framework::MsgCall;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace quorvel::framework {

namespace {

UINT MapKey(UINT message) {
    const UINT base = message >= WM_REFLECT_BASE ? WM_REFLECT_BASE : 0;
    const UINT m = message - base;
    if (m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC) return base + WM_CTLCOLOR;
    return message;
}

bool PreTranslateHook(MSG* msg) {
    return msg->hwnd && CWnd::WalkPreTranslateTree(nullptr, msg);
}

// A menu or toolbar command is carried out only while its update handler
// (if any) leaves it enabled.
class TestCmdUI : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL enabled = TRUE;
};

}  // namespace

void InstallPreTranslate() {
    static std::once_flag once;
    std::call_once(once, [] { win::SetPreTranslateHook(PreTranslateHook); });
}

BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = CWnd::FromHandlePermanent(child);
    return wnd ? wnd->OnChildNotify(message, wParam, lParam, result) : FALSE;
}

}  // namespace quorvel::framework

using namespace quorvel::framework;

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        result = handled ? 1 : 0;
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        handled = header && header->hwndFrom && OnNotify(wParam, lParam, &result);
    } else if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(MapKey(message), 0, 0)) {
        MsgCall call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        handled = e->pfn(this, call);
        result = call.result;
    }
    if (pResult && handled) *pResult = result;
    return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0) return FALSE;
        TestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.enabled) return TRUE;
        nCode = CN_COMMAND;
    } else {
        // Controls changed by UpdateData must not call back into the dialog.
        if (State().lockoutNotify == m_hWnd) return TRUE;
        if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
        if (nID == 0) return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (State().lockoutNotify == m_hWnd) return TRUE;
    if (ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom),
                    static_cast<int>(MAKELONG(header->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    MsgCall call;
    call.message = WM_REFLECT_BASE + message;
    call.wParam = wParam;
    call.lParam = lParam;
    LRESULT ignored = 0;
    switch (message) {
        case WM_COMMAND: {
            const AFX_MSGMAP_ENTRY* e =
                FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
            if (!e || !e->pfn(this, call)) return FALSE;
            if (pResult) *pResult = 1;
            return TRUE;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            const AFX_MSGMAP_ENTRY* e =
                FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, header->code, 0);
            if (!e) return FALSE;
            call.extra = header;
            call.notifyResult = pResult ? pResult : &ignored;
            return e->pfn(this, call);
        }
        case WM_DRAWITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        default:
            if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
            return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    const MSG& m = State().current;
    return ReflectToChild(hWndChild, m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& m = State().current;
    return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

// ---- Pre-translation ----

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::PreTranslateInput(MSG* pMsg) {
    const UINT m = pMsg->message;
    const bool key = m >= WM_KEYFIRST && m <= WM_KEYLAST;
    const bool mouse = m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
    if (!key && !mouse) return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        const bool topLevel = (::GetWindowLong(h, GWL_STYLE) & WS_CHILD) == 0;
        CWnd* wnd = FromHandlePermanent(h);
        if (wnd && wnd->PreTranslateMessage(pMsg)) return TRUE;
        if (h == hWndStop || topLevel) break;
    }
    return FALSE;
}

// ---- Defaults that reflect to the control before the window's own ----

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS && ReflectToChild(lpDIS->hwndItem, WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                                reinterpret_cast<LPARAM>(lpDIS), nullptr)) {
        return;
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    LRESULT result = 0;
    if (pWnd && ReflectToChild(pWnd->m_hWnd, WM_CTLCOLORMSGBOX + nCtlColor,
                               reinterpret_cast<WPARAM>(pDC ? pDC->m_hDC : nullptr),
                               reinterpret_cast<LPARAM>(pWnd->m_hWnd), &result)) {
        return reinterpret_cast<HBRUSH>(result);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    CWnd* bar = pScrollBar;
    if (bar && ReflectToChild(bar->m_hWnd, WM_HSCROLL, MAKEWPARAM(nSBCode, nPos),
                              reinterpret_cast<LPARAM>(bar->m_hWnd), nullptr)) {
        return;
    }
    Default();
}

void CWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    CWnd* bar = pScrollBar;
    if (bar && ReflectToChild(bar->m_hWnd, WM_VSCROLL, MAKEWPARAM(nSBCode, nPos),
                              reinterpret_cast<LPARAM>(bar->m_hWnd), nullptr)) {
        return;
    }
    Default();
}
