#include "platform/controls/ScrollingControl.h"

#include "platform/controls/ScrollBars.h"

namespace quorvel::controls {

LRESULT ScrollingControl::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            Measure();
            return 0;
        case WM_NCDESTROY:
            ForgetScrollBars(m_hwnd);
            return Default(msg, wParam, lParam);
        case WM_SETFONT:
            Default(msg, wParam, lParam);
            Measure();
            return 0;
        case WM_SIZE:
            Relayout();
            return Default(msg, wParam, lParam);
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocus(msg == WM_SETFOCUS);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return RouteInput(msg, wParam, lParam);
    }
}

LRESULT ScrollingControl::RouteInput(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(MousePoint(lParam), msg == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            OnButtonMove(MousePoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(MousePoint(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureLost();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(msg == WM_VSCROLL, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

LRESULT ScrollingControl::DialogCode(const MSG*) const {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void ScrollingControl::OnFocus(bool gained) {
    Invalidate();
    NMHDR header{};
    Notify(header, gained ? NM_SETFOCUS : NM_KILLFOCUS);
}

}  // namespace quorvel::controls
