#include "platform/framework/ScrollBar.h"

#include "platform/controls/CommCtrl.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_SCROLLBAR, nullptr, dwStyle, rect, pParentWnd, nID);
}

// The scroll bar a WM_HSCROLL or WM_VSCROLL came from, as the handlers
// receive it: null for the window's own scroll bars.
CScrollBar* AfxScrollBarFromHandle(HWND hWnd) {
    return dynamic_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}
