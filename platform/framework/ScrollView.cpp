#include "platform/framework/ScrollView.h"

#include <algorithm>

#include "platform/framework/Dc.h"
#include "platform/framework/MessageMap.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

constexpr UINT kVertBarId = 0xEA00;
constexpr UINT kHorzBarId = 0xEA10;

}  // namespace

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;
CScrollView::~CScrollView() {
    // The bars are the window's children and go with it; the members only
    // let go of their handles.
    m_barV.m_hWnd = nullptr;
    m_barH.m_hWnd = nullptr;
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine) {
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0) m_pageDev.cx = std::max<LONG>(sizeTotal.cx / 10, 1);
    if (m_pageDev.cy == 0) m_pageDev.cy = std::max<LONG>(sizeTotal.cy / 10, 1);
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0) m_lineDev.cx = std::max<LONG>(m_pageDev.cx / 10, 1);
    if (m_lineDev.cy == 0) m_lineDev.cy = std::max<LONG>(m_pageDev.cy / 10, 1);
    if (m_hWnd) UpdateBars();
}

// A bar is needed along an axis whose total does not fit; the other bar,
// once there, takes room from this axis too.
void CScrollView::UpdateBars() {
    if (m_bInUpdateBars || !m_hWnd) return;
    m_bInUpdateBars = TRUE;
    CRect client;
    GetClientRect(&client);
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    bool needV = m_totalLog.cy > client.Height(), needH = m_totalLog.cx > client.Width();
    if (needV && !needH) needH = m_totalLog.cx > client.Width() - cxBar;
    if (needH && !needV) needV = m_totalLog.cy > client.Height() - cyBar;
    m_visible = CSize(client.Width() - (needV ? cxBar : 0), client.Height() - (needH ? cyBar : 0));
    m_ptScroll.x =
        std::clamp<LONG>(m_ptScroll.x, 0, std::max<LONG>(m_totalLog.cx - m_visible.cx, 0));
    m_ptScroll.y =
        std::clamp<LONG>(m_ptScroll.y, 0, std::max<LONG>(m_totalLog.cy - m_visible.cy, 0));
    PlaceBar(m_barV, needV, CRect(m_visible.cx, 0, client.right, m_visible.cy), m_totalLog.cy,
             m_visible.cy, m_ptScroll.y);
    PlaceBar(m_barH, needH, CRect(0, m_visible.cy, m_visible.cx, client.bottom), m_totalLog.cx,
             m_visible.cx, m_ptScroll.x);
    m_bInUpdateBars = FALSE;
}

void CScrollView::PlaceBar(CScrollBar& bar, bool show, const CRect& rect, int total, int page,
                           int pos) {
    const bool vertical = &bar == &m_barV;
    if (!bar.m_hWnd && show) {
        const HWND h = ::CreateWindowEx(
            0, L"ScrollBar", L"", WS_CHILD | (vertical ? SBS_VERT : SBS_HORZ), rect.left, rect.top,
            rect.Width(), rect.Height(), m_hWnd,
            reinterpret_cast<HMENU>(static_cast<uintptr_t>(vertical ? kVertBarId : kHorzBarId)),
            nullptr, nullptr);
        if (h) bar.m_hWnd = h;  // reached by handle only: the view handles the scrolling
    }
    if (!bar.m_hWnd) return;
    if (show) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, total - 1, static_cast<UINT>(page), pos, 0};
        ::SetScrollInfo(bar.m_hWnd, SB_CTL, &info, TRUE);
        ::SetWindowPos(bar.m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(bar.m_hWnd, SW_HIDE);
    }
}

void CScrollView::ScrollToPosition(POINT pt) {
    const CPoint old = m_ptScroll;
    m_ptScroll = pt;
    UpdateBars();
    if (m_ptScroll != old) Invalidate(TRUE);
}

void CScrollView::OnPrepareDC(CDC* pDC) {
    CView::OnPrepareDC(pDC);
    ::SetViewportOrgEx(pDC->m_hDC, -m_ptScroll.x, -m_ptScroll.y, nullptr);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

int CScrollView::Scrolled(UINT code, int pos, int current, int page, int line) const {
    switch (code) {
        case SB_LINEUP:
            return current - line;
        case SB_LINEDOWN:
            return current + line;
        case SB_PAGEUP:
            return current - page;
        case SB_PAGEDOWN:
            return current + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return pos;
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return INT32_MAX / 2;
        default:
            return current;
    }
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    const int x =
        Scrolled(nSBCode, static_cast<int>(nPos), m_ptScroll.x, m_pageDev.cx, m_lineDev.cx);
    ScrollToPosition(CPoint(x, m_ptScroll.y));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    const int y =
        Scrolled(nSBCode, static_cast<int>(nPos), m_ptScroll.y, m_pageDev.cy, m_lineDev.cy);
    ScrollToPosition(CPoint(m_ptScroll.x, y));
}
