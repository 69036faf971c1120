#include "platform/controls/ScrollBarControl.h"

#include <algorithm>

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

LRESULT ScrollBarControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case SBM_SETPOS: {
            const int old = m_info.nPos;
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, static_cast<int>(wParam), 0};
            SetInfo(&info, lParam != 0);
            return old;
        }
        case SBM_GETPOS:
            return m_info.nPos;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            const int old = m_info.nPos;
            SCROLLINFO info{sizeof(SCROLLINFO),
                            SIF_RANGE,
                            static_cast<int>(wParam),
                            static_cast<int>(lParam),
                            0,
                            0,
                            0};
            SetInfo(&info, msg == SBM_SETRANGEREDRAW);
            return old;
        }
        case SBM_GETRANGE:
            if (wParam) *reinterpret_cast<int*>(wParam) = m_info.nMin;
            if (lParam) *reinterpret_cast<int*>(lParam) = m_info.nMax;
            return 0;
        case SBM_SETSCROLLINFO:
            return SetInfo(reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
        case SBM_GETSCROLLINFO: {
            auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
            if (!info) return FALSE;
            if (info->fMask & SIF_RANGE) {
                info->nMin = m_info.nMin;
                info->nMax = m_info.nMax;
            }
            if (info->fMask & SIF_PAGE) info->nPage = m_info.nPage;
            if (info->fMask & SIF_POS) info->nPos = m_info.nPos;
            if (info->fMask & SIF_TRACKPOS) info->nTrackPos = m_tracker.trackPos();
            return TRUE;
        }
        case SBM_ENABLE_ARROWS:
            EnableWindow(m_hwnd, wParam != ESB_DISABLE_BOTH);
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (m_tracker.Begin(GetParent(m_hwnd), m_hwnd, SB_CTL, Vertical(), Layout(), m_info,
                                MousePoint(lParam)))
                SetCapture(m_hwnd);
            Invalidate();
            return 0;
        case WM_MOUSEMOVE:
            if (m_tracker.active()) m_tracker.Move(Layout(), m_info, MousePoint(lParam));
            Invalidate();
            return 0;
        case WM_LBUTTONUP:
            if (!m_tracker.active()) return 0;
            m_tracker.End(Layout(), m_info, MousePoint(lParam));
            if (GetCapture() == m_hwnd) ReleaseCapture();
            Invalidate();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

int ScrollBarControl::SetInfo(const SCROLLINFO* info, bool redraw) {
    if (!info) return m_info.nPos;
    if (info->fMask & SIF_RANGE) {
        m_info.nMin = info->nMin;
        m_info.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) m_info.nPage = info->nPage;
    if (info->fMask & SIF_POS) m_info.nPos = info->nPos;
    m_info.nPage = std::min<UINT>(m_info.nPage, static_cast<UINT>(m_info.nMax - m_info.nMin + 1));
    m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, MaxScrollPos(m_info));
    if (redraw) Invalidate();
    return m_info.nPos;
}

// While the thumb is dragged it follows the stylus.
ScrollBarLayout ScrollBarControl::Layout() const {
    SCROLLINFO shown = m_info;
    if (m_tracker.draggingThumb()) shown.nPos = m_tracker.trackPos();
    return LayoutScrollBar(clientRect(), Vertical(), shown, enabled());
}

void ScrollBarControl::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    StylePainter(hdc, m_font).ScrollBar(Layout(), m_tracker.pressed());
    EndPaint(m_hwnd, &ps);
}

std::string ScrollBarControl::Describe() const {
    return " range=" + std::to_string(m_info.nMin) + ".." + std::to_string(m_info.nMax) +
           " page=" + std::to_string(m_info.nPage) + " pos=" + std::to_string(m_info.nPos);
}

}  // namespace quorvel::controls
