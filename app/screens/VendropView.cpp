#include "app/screens/VendropView.h"

#include <algorithm>

#include "app/FrameMessages.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/screens/ScreenStore.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"

IMPLEMENT_DYNCREATE(CVendropView, CView)

BEGIN_MESSAGE_MAP(CVendropView, CView)
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CVendropDoc* CVendropView::Doc() {
    return g_pDoc;
}

void CVendropView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = GetMainFrame()) frame->SetViewWnd(m_hWnd);
    m_dCentreE = m_dCentreN = 0.0;
    m_bZoomWindow = 0;
    TakeClientRect();
    SetTimer(kTimerId, 1000, nullptr);
}

void CVendropView::TakeClientRect() {
    GetClientRect(&m_rcClient);
    m_rcDraw = m_rcClient;
    m_rcDraw.DeflateRect(6, 6);
    const int side = std::min(m_rcDraw.Width(), m_rcDraw.Height());
    if (!m_bScaleSet && side > 0) {
        m_dScale = 50.0 / side;
        m_bScaleSet = 1;
    }
}

void CVendropView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    TakeClientRect();
}

void CVendropView::OnTimer(UINT_PTR nIDEvent) {
    CView::OnTimer(nIDEvent);
}

void CVendropView::OnDestroy() {
    KillTimer(kTimerId);
    CView::OnDestroy();
}

void CVendropView::OnDraw(CDC*) {
    // The erased window shows nothing of the plan: the marker drawn before
    // is gone with it.
    m_marker.RemoveAll();
}

screens::PlanMapping CVendropView::Mapping() const {
    screens::PlanMapping map;
    map.dCentreN = m_dCentreN;
    map.dCentreE = m_dCentreE;
    map.dScale = m_dScale;
    map.nOriginX = m_rcClient.left;
    map.nOriginY = m_rcClient.bottom;
    return map;
}

LRESULT CVendropView::OnPositionUpdate(WPARAM wParam, LPARAM) {
    if (wParam == 0 || Doc() == nullptr) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    const CString& status = m_fix.strStatus;
    if (status == L"NODATA") {
        m_bHaveFix = 0;
        return 0;
    }
    // Status words carry an emptied position: nothing to draw or collect.
    if (status == L"FINDRADIO" || status == L"FIND") return 0;
    m_bHaveFix = 1;
    CClientDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    screens::DrawScaleBar(hdc, m_rcDraw, m_dScale, m_fonts.Small());
    const double n = m_fix.dX;
    const double e = m_fix.dY;
    if (screens::OutsideHalfPlan(Mapping(), m_rcDraw, n, e)) {
        m_dCentreN = n;
        m_dCentreE = e;
    }
    if (!m_bPrevSet) {
        m_dPrevN = n;
        m_dPrevE = e;
        m_bPrevSet = 1;
    }
    screens::MoveMarker(hdc, Mapping(), n, e, screens::IsSingleStatus(status), m_dPrevN, m_dPrevE,
                        m_marker);
    screens::DrawNorthArrow(hdc, m_rcDraw, m_fonts.Bold());
    screens::DrawFixTime(hdc, m_rcDraw, m_fix, m_fonts.Small());
    screens::CollectAutomatically(*Doc(), m_fix, nullptr);
    return 0;
}

int CVendropView::MapNavigationKey(WPARAM virtualKey) {
    switch (virtualKey) {
        case 'A':
        case VK_DELETE:
        case VK_LEFT:
            return 'A';
        case 'B':
        case VK_PRIOR:
        case VK_UP:
            return 'B';
        default:
            return 0;
    }
}

void CVendropView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (MapNavigationKey(nChar)) {
        case 'A':
            // The store tells the surveyor of every outcome itself.
            (void)screens::StorePoint(*Doc(), this, screens::StoreRoad::kNavigationA, m_bHaveFix,
                                      m_fix, nullptr);
            break;
        case 'B':
            if (screens::IsSecondBPress(m_nKeyMinute, m_nKeySecond)) {
                CMeasurePointLibDlg dialog;
                dialog.DoModal();
            }
            break;
        default:
            break;
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CVendropView::OnLButtonDown(UINT nFlags, CPoint point) {
    m_ptLast = point;
    CView::OnLButtonDown(nFlags, point);
}

void CVendropView::OnMouseMove(UINT nFlags, CPoint point) {
    if ((nFlags & MK_LBUTTON) && m_ptLast != CPoint(-1, -1)) {
        m_dCentreN += (point.y - m_ptLast.y) * m_dScale;
        m_dCentreE -= (point.x - m_ptLast.x) * m_dScale;
        m_ptLast = point;
        Invalidate();
    }
    CView::OnMouseMove(nFlags, point);
}

void CVendropView::OnLButtonUp(UINT nFlags, CPoint point) {
    CView::OnLButtonUp(nFlags, point);
}
