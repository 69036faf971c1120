// The entries of a message map.
//
// Each entry names its handler through the class being mapped (ThisClass,
// set by BEGIN_MESSAGE_MAP), and a small function (a "thunk") generated for
// that handler unpacks the message into the handler's arguments. The thunk
// checks the handler's type when the map is compiled, so a handler with the
// wrong signature is a compile error naming the signature wanted.
//
// Sections: handler signatures and thunks; window messages; commands and
// control notifications; WM_NOTIFY; reflection; ON_MESSAGE.
#pragma once

#include <type_traits>

#include "platform/controls/CommCtrl.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Dc.h"
#include "platform/framework/Wnd.h"

// The map entry that stands for all the WM_CTLCOLOR* messages, and the
// kinds OnCtlColor is told (WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC, in
// order).
#define WM_CTLCOLOR 0x0019
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

CScrollBar* AfxScrollBarFromHandle(HWND hWnd);

namespace quorvel::framework {

template <class T>
struct PmfTraits;
template <class R, class C, class... A>
struct PmfTraits<R (C::*)(A...)> {
    using Class = C;
    using Sig = R(A...);
};

template <auto P, class Sig>
constexpr bool kHandlerIs = std::is_same_v<typename PmfTraits<decltype(P)>::Sig, Sig>;

template <auto P>
auto* Target(CCmdTarget* t) {
    return static_cast<typename PmfTraits<decltype(P)>::Class*>(t);
}

inline CPoint PointOf(LPARAM lp) {
    return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}

// ---- Thunks, by handler signature ----

template <auto P>
BOOL VoidThunk(CCmdTarget* t, MsgCall&) {
    static_assert(kHandlerIs<P, void()>, "handler must be: void f()");
    (Target<P>(t)->*P)();
    return TRUE;
}

template <auto P>
BOOL BoolThunk(CCmdTarget* t, MsgCall&) {
    static_assert(kHandlerIs<P, BOOL()>, "handler must be: BOOL f()");
    return (Target<P>(t)->*P)();
}

template <auto P>
BOOL IdThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT)>, "handler must be: void f(UINT nID)");
    (Target<P>(t)->*P)(c.id);
    return TRUE;
}

template <auto P>
BOOL IdBoolThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, BOOL(UINT)>, "handler must be: BOOL f(UINT nID)");
    return (Target<P>(t)->*P)(c.id);
}

// An update handler that calls ContinueRouting lets the search go on.
template <auto P>
BOOL UpdateUiThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(CCmdUI*)>, "handler must be: void f(CCmdUI* pCmdUI)");
    auto* ui = static_cast<CCmdUI*>(c.extra);
    ui->m_bContinueRouting = FALSE;
    (Target<P>(t)->*P)(ui);
    const BOOL handled = !ui->m_bContinueRouting;
    ui->m_bContinueRouting = FALSE;
    return handled;
}

template <auto P>
BOOL NotifyThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(NMHDR*, LRESULT*)>,
                  "handler must be: void f(NMHDR* pNMHDR, LRESULT* pResult)");
    (Target<P>(t)->*P)(static_cast<NMHDR*>(c.extra), c.notifyResult);
    return TRUE;
}

template <auto P>
BOOL NotifyBoolThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, BOOL(NMHDR*, LRESULT*)>,
                  "handler must be: BOOL f(NMHDR* pNMHDR, LRESULT* pResult)");
    return (Target<P>(t)->*P)(static_cast<NMHDR*>(c.extra), c.notifyResult);
}

template <auto P>
BOOL NotifyExThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, BOOL(UINT, NMHDR*, LRESULT*)>,
                  "handler must be: BOOL f(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)");
    return (Target<P>(t)->*P)(c.id, static_cast<NMHDR*>(c.extra), c.notifyResult);
}

template <auto P>
BOOL NotifyRangeThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, void(UINT, NMHDR*, LRESULT*)>,
                  "handler must be: void f(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)");
    (Target<P>(t)->*P)(c.id, static_cast<NMHDR*>(c.extra), c.notifyResult);
    return TRUE;
}

template <auto P>
BOOL MessageThunk(CCmdTarget* t, MsgCall& c) {
    static_assert(kHandlerIs<P, LRESULT(WPARAM, LPARAM)>,
                  "handler must be: LRESULT f(WPARAM wParam, LPARAM lParam)");
    c.result = (Target<P>(t)->*P)(c.wParam, c.lParam);
    return TRUE;
}

}  // namespace quorvel::framework

#include "platform/framework/WindowMessageThunks.h"

#define QV_ENTRY(message, code, id, lastId, thunk, fn)                           \
    {static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(id), \
     static_cast<UINT>(lastId), &::quorvel::framework::thunk<&ThisClass::fn>},
#define QV_WM(message, thunk, fn) QV_ENTRY(message, 0, 0, 0, thunk, fn)

// ---- Window messages ----
#define ON_WM_CREATE() QV_WM(WM_CREATE, CreateThunk, OnCreate)
#define ON_WM_DESTROY() QV_WM(WM_DESTROY, VoidThunk, OnDestroy)
#define ON_WM_NCDESTROY() QV_WM(WM_NCDESTROY, VoidThunk, OnNcDestroy)
#define ON_WM_PAINT() QV_WM(WM_PAINT, VoidThunk, OnPaint)
#define ON_WM_ERASEBKGND() QV_WM(WM_ERASEBKGND, EraseThunk, OnEraseBkgnd)
#define ON_WM_TIMER() QV_WM(WM_TIMER, TimerThunk, OnTimer)
#define ON_WM_SIZE() QV_WM(WM_SIZE, SizeThunk, OnSize)
#define ON_WM_MOVE() QV_WM(WM_MOVE, MoveThunk, OnMove)
#define ON_WM_CLOSE() QV_WM(WM_CLOSE, VoidThunk, OnClose)
#define ON_WM_LBUTTONDOWN() QV_WM(WM_LBUTTONDOWN, MouseThunk, OnLButtonDown)
#define ON_WM_LBUTTONUP() QV_WM(WM_LBUTTONUP, MouseThunk, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() QV_WM(WM_LBUTTONDBLCLK, MouseThunk, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() QV_WM(WM_RBUTTONDOWN, MouseThunk, OnRButtonDown)
#define ON_WM_RBUTTONUP() QV_WM(WM_RBUTTONUP, MouseThunk, OnRButtonUp)
#define ON_WM_MOUSEMOVE() QV_WM(WM_MOUSEMOVE, MouseThunk, OnMouseMove)
#define ON_WM_MOUSELEAVE() QV_WM(WM_MOUSELEAVE, VoidThunk, OnMouseLeave)
#define ON_WM_KEYDOWN() QV_WM(WM_KEYDOWN, KeyThunk, OnKeyDown)
#define ON_WM_KEYUP() QV_WM(WM_KEYUP, KeyThunk, OnKeyUp)
#define ON_WM_CHAR() QV_WM(WM_CHAR, KeyThunk, OnChar)
#define ON_WM_SYSKEYDOWN() QV_WM(WM_SYSKEYDOWN, KeyThunk, OnSysKeyDown)
#define ON_WM_SYSKEYUP() QV_WM(WM_SYSKEYUP, KeyThunk, OnSysKeyUp)
#define ON_WM_SETFOCUS() QV_WM(WM_SETFOCUS, FocusThunk, OnSetFocus)
#define ON_WM_KILLFOCUS() QV_WM(WM_KILLFOCUS, FocusThunk, OnKillFocus)
#define ON_WM_CTLCOLOR() QV_WM(WM_CTLCOLOR, CtlColorThunk, OnCtlColor)
#define ON_WM_DRAWITEM() QV_WM(WM_DRAWITEM, DrawItemThunk, OnDrawItem)
#define ON_WM_HSCROLL() QV_WM(WM_HSCROLL, ScrollThunk, OnHScroll)
#define ON_WM_VSCROLL() QV_WM(WM_VSCROLL, ScrollThunk, OnVScroll)
#define ON_WM_SHOWWINDOW() QV_WM(WM_SHOWWINDOW, ShowThunk, OnShowWindow)
#define ON_WM_ACTIVATE() QV_WM(WM_ACTIVATE, ActivateThunk, OnActivate)
#define ON_WM_ENABLE() QV_WM(WM_ENABLE, EnableThunk, OnEnable)
#define ON_WM_CANCELMODE() QV_WM(WM_CANCELMODE, VoidThunk, OnCancelMode)
#define ON_WM_GETDLGCODE() QV_WM(WM_GETDLGCODE, DlgCodeThunk, OnGetDlgCode)
#define ON_WM_SYSCOMMAND() QV_WM(WM_SYSCOMMAND, SysCommandThunk, OnSysCommand)
#define ON_WM_WINDOWPOSCHANGED() QV_WM(WM_WINDOWPOSCHANGED, WindowPosThunk, OnWindowPosChanged)
#define ON_WM_CAPTURECHANGED() QV_WM(WM_CAPTURECHANGED, CaptureThunk, OnCaptureChanged)
#define ON_WM_SETTINGCHANGE() QV_WM(WM_SETTINGCHANGE, SettingThunk, OnSettingChange)

// ---- Commands and control notifications (WM_COMMAND) ----
#define ON_COMMAND(id, fn) QV_ENTRY(WM_COMMAND, CN_COMMAND, id, id, VoidThunk, fn)
#define ON_COMMAND_EX(id, fn) QV_ENTRY(WM_COMMAND, CN_COMMAND, id, id, IdBoolThunk, fn)
#define ON_COMMAND_RANGE(id, idLast, fn) QV_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, IdThunk, fn)
#define ON_UPDATE_COMMAND_UI(id, fn) \
    QV_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, UpdateUiThunk, fn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    QV_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, UpdateUiThunk, fn)
#define ON_CONTROL(code, id, fn) QV_ENTRY(WM_COMMAND, code, id, id, VoidThunk, fn)
#define ON_CONTROL_RANGE(code, id, idLast, fn) QV_ENTRY(WM_COMMAND, code, id, idLast, IdThunk, fn)

#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_BN_SETFOCUS(id, fn) ON_CONTROL(BN_SETFOCUS, id, fn)
#define ON_BN_KILLFOCUS(id, fn) ON_CONTROL(BN_KILLFOCUS, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_SELENDCANCEL(id, fn) ON_CONTROL(CBN_SELENDCANCEL, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_LBN_SETFOCUS(id, fn) ON_CONTROL(LBN_SETFOCUS, id, fn)
#define ON_LBN_KILLFOCUS(id, fn) ON_CONTROL(LBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCANCEL(id, fn) ON_CONTROL(LBN_SELCANCEL, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)

// ---- WM_NOTIFY ----
#define ON_NOTIFY(code, id, fn) QV_ENTRY(WM_NOTIFY, code, id, id, NotifyThunk, fn)
#define ON_NOTIFY_EX(code, id, fn) QV_ENTRY(WM_NOTIFY, code, id, id, NotifyExThunk, fn)
#define ON_NOTIFY_RANGE(code, id, idLast, fn) \
    QV_ENTRY(WM_NOTIFY, code, id, idLast, NotifyRangeThunk, fn)

// ---- Reflection: the control's own class handles its notifications ----
#define ON_CONTROL_REFLECT(code, fn) \
    QV_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, VoidThunk, fn)
#define ON_CONTROL_REFLECT_EX(code, fn) \
    QV_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, BoolThunk, fn)
#define ON_NOTIFY_REFLECT(code, fn) \
    QV_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, NotifyThunk, fn)
#define ON_NOTIFY_REFLECT_EX(code, fn) \
    QV_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, NotifyBoolThunk, fn)
#define ON_WM_CTLCOLOR_REFLECT() \
    QV_WM(WM_REFLECT_BASE + WM_CTLCOLOR, CtlColorReflectThunk, CtlColor)
#define ON_WM_HSCROLL_REFLECT() QV_WM(WM_REFLECT_BASE + WM_HSCROLL, ScrollReflectThunk, HScroll)
#define ON_WM_VSCROLL_REFLECT() QV_WM(WM_REFLECT_BASE + WM_VSCROLL, ScrollReflectThunk, VScroll)

// ---- Any message: LRESULT f(WPARAM, LPARAM) ----
#define ON_MESSAGE(message, fn) QV_WM(message, MessageThunk, fn)
