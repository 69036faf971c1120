// Window scroll state and the stylus on scroll bars.
#include "platform/controls/ScrollBars.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/controls/Control.h"

namespace quorvel::controls {
namespace {

struct Bars {
    SCROLLINFO bar[2]{};  // SB_HORZ, SB_VERT
    bool shown[2]{};
};

std::mutex g_mutex;
std::map<HWND, Bars>& AllBars() {
    static std::map<HWND, Bars> bars;
    return bars;
}

bool IsControlBar(HWND hwnd, int bar) {
    return bar == SB_CTL && IsWindow(hwnd);
}

}  // namespace

SCROLLINFO WindowScrollInfo(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (bar != SB_HORZ && bar != SB_VERT) return info;
    std::lock_guard lock(g_mutex);
    auto it = AllBars().find(hwnd);
    if (it != AllBars().end()) info = it->second.bar[bar];
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    return info;
}

bool WindowScrollBarShown(HWND hwnd, int bar) {
    if (bar != SB_HORZ && bar != SB_VERT) return false;
    std::lock_guard lock(g_mutex);
    auto it = AllBars().find(hwnd);
    return it != AllBars().end() && it->second.shown[bar];
}

void ForgetScrollBars(HWND hwnd) {
    std::lock_guard lock(g_mutex);
    AllBars().erase(hwnd);
}

void SetTrackPos(HWND hwnd, int bar, int pos) {
    if (bar != SB_HORZ && bar != SB_VERT) return;
    std::lock_guard lock(g_mutex);
    AllBars()[hwnd].bar[bar].nTrackPos = pos;
}

bool BarTracker::Begin(HWND target, HWND barWindow, int bar, bool vertical,
                       const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p) {
    const ScrollPart part = HitScrollBar(layout, p);
    if (part == ScrollPart::None) return Inside(layout.bar, p);  // greyed bar: swallow
    m_target = target;
    m_barWindow = barWindow;
    m_bar = bar;
    m_vertical = vertical;
    m_part = part;
    m_inside = true;
    switch (part) {
        case ScrollPart::LineBack:
            Send(SB_LINEUP, 0);
            break;
        case ScrollPart::LineForward:
            Send(SB_LINEDOWN, 0);
            break;
        case ScrollPart::PageBack:
            Send(SB_PAGEUP, 0);
            break;
        case ScrollPart::PageForward:
            Send(SB_PAGEDOWN, 0);
            break;
        case ScrollPart::Thumb:
            m_grab = (vertical ? p.y - layout.thumb.top : p.x - layout.thumb.left);
            m_trackPos = info.nPos;
            SetTrackPos(target, bar, info.nPos);
            break;
        case ScrollPart::None:
            break;
    }
    return true;
}

int BarTracker::ThumbPos(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p) const {
    const int start =
        m_vertical ? p.y - layout.track.top - m_grab : p.x - layout.track.left - m_grab;
    return ScrollPosAt(layout, info, start);
}

void BarTracker::Move(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p) {
    if (m_part == ScrollPart::Thumb) {
        const int pos = ThumbPos(layout, info, p);
        m_trackPos = pos;
        SetTrackPos(m_target, m_bar, pos);
        Send(SB_THUMBTRACK, pos);
        return;
    }
    m_inside = HitScrollBar(layout, p) == m_part;
}

void BarTracker::End(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p) {
    if (m_part == ScrollPart::None) return;
    const ScrollPart part = m_part;
    m_part = ScrollPart::None;
    m_inside = false;
    if (part == ScrollPart::Thumb) Send(SB_THUMBPOSITION, ThumbPos(layout, info, p));
    Send(SB_ENDSCROLL, 0);
}

void BarTracker::Send(int code, int pos) const {
    const UINT msg = m_vertical ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(m_target, msg, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(m_barWindow));
}

}  // namespace quorvel::controls

using namespace quorvel::controls;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!info) return 0;
    if (IsControlBar(hwnd, bar))
        return static_cast<int>(
            SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    if ((bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd)) return 0;
    int pos;
    {
        std::lock_guard lock(g_mutex);
        Bars& bars = AllBars()[hwnd];
        SCROLLINFO& s = bars.bar[bar];
        if (info->fMask & SIF_RANGE) {
            s.nMin = info->nMin;
            s.nMax = std::max(info->nMin, info->nMax);
        }
        if (info->fMask & SIF_PAGE) s.nPage = info->nPage;
        if (info->fMask & SIF_POS) s.nPos = info->nPos;
        const int range = s.nMax - s.nMin + 1;
        s.nPage = std::min<UINT>(s.nPage, static_cast<UINT>(range));
        s.nPos = std::clamp(s.nPos, s.nMin, MaxScrollPos(s));
        bars.shown[bar] = (info->fMask & SIF_DISABLENOSCROLL) ||
                          (static_cast<int>(s.nPage) < range && s.nMax > s.nMin);
        pos = s.nPos;
    }
    if (redraw) InvalidateRect(hwnd, nullptr, FALSE);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!info) return FALSE;
    if (IsControlBar(hwnd, bar))
        return SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
    if ((bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd)) return FALSE;
    const SCROLLINFO s = WindowScrollInfo(hwnd, bar);
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.nMin;
        info->nMax = s.nMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
    if (info->fMask & SIF_POS) info->nPos = s.nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.nTrackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    SCROLLINFO old{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &old);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old.nPos;
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return IsWindow(hwnd);
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!minPos || !maxPos || !GetScrollInfo(hwnd, bar, &info)) return FALSE;
    *minPos = info.nMin;
    *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
    std::lock_guard lock(g_mutex);
    Bars& bars = AllBars()[hwnd];
    if (bar == SB_HORZ || bar == SB_BOTH) bars.shown[SB_HORZ] = show != FALSE;
    if (bar == SB_VERT || bar == SB_BOTH) bars.shown[SB_VERT] = show != FALSE;
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (!IsWindow(hwnd)) return FALSE;
    if (bar == SB_CTL) return EnableWindow(hwnd, arrows != ESB_DISABLE_BOTH), TRUE;
    return TRUE;
}
