#include "platform/controls/ScrollingControl.h"

#include "platform/base/Geometry.h"
#include "platform/controls/StylePainter.h"

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

RECT ScrollingControl::InsideEdge() const {
    RECT r = clientRect();
    if (GetWindowLong(m_hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) InflateRect(&r, -2, -2);
    return r;
}

RECT ScrollingControl::BarBeside(const RECT& area, bool vertical) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    if (vertical) return RECT{area.right, area.top, area.right + bar, area.bottom};
    return RECT{area.left, area.bottom, area.right, area.bottom + bar};
}

void ScrollingControl::PaintBackground(StylePainter& painter, COLORREF color) const {
    painter.Fill(clientRect(), color);
    PaintEdge(painter);
}

void ScrollingControl::PaintBackground(StylePainter& painter, HBRUSH brush) const {
    painter.Fill(clientRect(), brush);
    PaintEdge(painter);
}

void ScrollingControl::PaintEdge(StylePainter& painter) const {
    if (GetWindowLong(m_hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) painter.ClientEdge(clientRect());
}

int ScrollingControl::RequestedPos(bool vertical, int code, int thumb) const {
    const SCROLLINFO info = WindowScrollInfo(m_hwnd, vertical ? SB_VERT : SB_HORZ);
    if (code == SB_THUMBTRACK) thumb = info.nTrackPos;
    return RequestedScrollPos(info, code, thumb, vertical ? 1 : kSidewaysStep);
}

void ScrollingControl::SetBar(int bar, int max, int page, int pos) const {
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    max,
                    static_cast<UINT>(page),
                    pos,
                    0};
    SetScrollInfo(m_hwnd, bar, &info, FALSE);
}

ScrollBarLayout ScrollingControl::BarLayout(bool vertical, const SCROLLINFO& info) const {
    return LayoutScrollBar(BarRect(vertical), vertical, info, enabled());
}

bool ScrollingControl::PressBar(bool vertical, POINT p) {
    const int bar = vertical ? SB_VERT : SB_HORZ;
    const SCROLLINFO info = WindowScrollInfo(m_hwnd, bar);
    if (!m_tracker.Begin(m_hwnd, nullptr, bar, vertical, BarLayout(vertical, info), info, p))
        return false;
    m_trackingVertical = vertical;
    return true;
}

bool ScrollingControl::DragBar(POINT p) {
    if (!m_tracker.active()) return false;
    const bool v = m_trackingVertical;
    const SCROLLINFO info = WindowScrollInfo(m_hwnd, v ? SB_VERT : SB_HORZ);
    m_tracker.Move(BarLayout(v, info), info, p);
    Invalidate();
    return true;
}

bool ScrollingControl::ReleaseBar(POINT p, bool ownsCapture) {
    if (!m_tracker.active()) return false;
    const bool v = m_trackingVertical;
    const SCROLLINFO info = WindowScrollInfo(m_hwnd, v ? SB_VERT : SB_HORZ);
    m_tracker.End(BarLayout(v, info), info, p);
    if (ownsCapture && GetCapture() == m_hwnd) ReleaseCapture();
    Invalidate();
    return true;
}

void ScrollingControl::PaintBars(StylePainter& painter, bool vBar, bool hBar) const {
    for (const bool vertical : {true, false}) {
        if (!(vertical ? vBar : hBar)) continue;
        const SCROLLINFO info = WindowScrollInfo(m_hwnd, vertical ? SB_VERT : SB_HORZ);
        const bool held = m_tracker.active() && m_trackingVertical == vertical;
        painter.ScrollBar(BarLayout(vertical, info), held ? m_tracker.pressed() : ScrollPart::None);
    }
    if (!vBar || !hBar) return;
    const RECT v = BarRect(true), h = BarRect(false);
    painter.Fill(RECT{v.left, h.top, v.right, h.bottom}, GetSysColor(COLOR_BTNFACE));
}

}  // namespace quorvel::controls
