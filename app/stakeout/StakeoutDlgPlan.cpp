// The plan of the point stake-out screen: drawn into the plan control's
// own device context. Moving figures (marker, dashed line, selection
// square, rubber band) are drawn inverting, so drawing them again removes
// them; everything else waits for the next full redraw.
#include <cmath>

#include "app/shell/VendropDoc.h"
#include "app/stakeout/StakeoutDlg.h"
#include "app/stakeout/StakeoutDraw.h"
#include "app/stakeout/StakeoutScreen.h"
#include "graphics/DrawCircle.h"
#include "res/resource.h"

using namespace stakeout;

RECT CStakeoutDlg::PlanRect() const {
    return m_view.rect;
}

POINT CStakeoutDlg::ToPlan(CPoint dialogPoint) const {
    POINT p = {dialogPoint.x, dialogPoint.y};
    if (m_plan.GetSafeHwnd()) ::MapWindowPoints(m_hWnd, m_plan.GetSafeHwnd(), &p, 1);
    return p;
}

void CStakeoutDlg::ZoomAll() {
    std::vector<std::pair<double, double>> points;
    points.reserve(m_stakePoints.size());
    for (const PointRecord& p : m_stakePoints) points.emplace_back(p.dX, p.dY);
    if (m_view.ZoomToExtent(points) && m_hWnd) Invalidate();
}

void CStakeoutDlg::OnZoomIn() {
    m_view.ZoomIn();
    Invalidate();
}

void CStakeoutDlg::OnZoomOut() {
    m_view.ZoomOut();
    Invalidate();
}

void CStakeoutDlg::OnWindowZoom() {
    m_bWindowZoom = TRUE;
    m_zoomAnchor = {-1, -1};
    m_bandCorner = {-1, -1};
}

void CStakeoutDlg::OnZoomAll() {
    ZoomAll();
}

void CStakeoutDlg::MoveMarker(CDC* dc, double n, double e) {
    if (AutoPanPoint(m_view, n, e, m_bTargetSet != 0, m_target.dX, m_target.dY)) {
        // The whole plan is redrawn: nothing of the old figures stays.
        Invalidate();
        m_marker.count = 0;
        m_bLastDrawn = 0;
    }
    if (StepMarker(dc, m_view, n, e, m_fix.strStatus == CString(L"SINGLE"), m_marker, m_dPrevN,
                   m_dPrevE, m_bHasPrevious)) {
        if (m_bTargetSet) {
            const int oldRop = dc->SetROP2(R2_NOT);
            const POINT t = m_view.ToScreen(m_target.dX, m_target.dY);
            if (m_bLastDrawn) DrawDashedLine(dc, t, m_view.ToScreen(m_dLastN, m_dLastE));
            DrawDashedLine(dc, t, m_view.ToScreen(n, e));
            dc->SetROP2(oldRop);
            if (!m_bLastDrawn) DrawTarget(dc);
            m_dLastN = n;
            m_dLastE = e;
            m_bLastDrawn = 1;
        }
    }
}

void CStakeoutDlg::DrawTarget(CDC* dc) {
    if (!m_bTargetSet) return;
    const POINT t = m_view.ToScreen(m_target.dX, m_target.dY);
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    DrawCircle(dc, t.x, t.y, 8);
    dc->MoveTo(t.x - 5, t.y - 5);
    dc->LineTo(t.x + 5, t.y + 5);
    dc->MoveTo(t.x + 5, t.y - 5);
    dc->LineTo(t.x - 5, t.y + 5);
    dc->SelectObject(oldBrush);
    DrawLabel(dc, t.x + 5, t.y, 45, m_target.strName);
}

void CStakeoutDlg::DrawPromptRings(CDC* dc) {
    const POINT t = m_view.ToScreen(m_target.dX, m_target.dY);
    for (int r : PromptRingRadii(m_view, t, m_settings.minLayoutPrompt, m_settings.maxLayoutPrompt))
        DrawCircle(dc, t.x, t.y, r);
}

void CStakeoutDlg::DrawSelection(CDC* dc) {
    if (m_selection.left == -1) return;
    const int oldRop = dc->SetROP2(R2_NOT);
    CPen pen;
    pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ oldPen = dc->SelectObject(pen.GetSafeHandle());
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    dc->Rectangle(&m_selection);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    dc->SetROP2(oldRop);
}

void CStakeoutDlg::OnPaint() {
    CPaintDC paint(this);
    m_bWindowZoom = FALSE;
    m_selection = {-1, -1, -1, -1};
    m_bLastDrawn = 0;
    m_marker.count = 0;
    if (!m_plan.GetSafeHwnd()) return;
    m_plan.UpdateWindow();
    CDC* dc = m_plan.GetDC();
    const RECT rect = PlanRect();
    dc->FillSolidRect(&rect, RGB(255, 255, 255));
    const CVendropDoc* doc = g_pDoc;
    const bool byCode = doc != nullptr && doc->m_sysParams.nDisplayType != 0;
    m_stakeScreen.clear();
    if (m_settings.showAllLayoutPoint) {
        CBrush black;
        black.CreateSolidBrush(RGB(0, 0, 0));
        HGDIOBJ oldBrush = dc->SelectObject(black.GetSafeHandle());
        for (size_t i = 0; i < m_stakePoints.size(); ++i) {
            const PointRecord& p = m_stakePoints[i];
            const POINT s = m_view.ToScreen(p.dX, p.dY);
            m_stakeScreen.push_back({p.strName, s.x, s.y, p.strCode});
            if (!m_view.Contains(s)) continue;
            if (m_bTargetSet && static_cast<int>(i) == m_nTargetIndex) continue;
            dc->Ellipse(s.x - 2, s.y - 2, s.x + 2, s.y + 2);
            DrawLabel(dc, s.x, s.y, 45, byCode ? p.strCode : p.strName);
        }
        dc->SelectObject(oldBrush);
    }
    m_recordedScreen.clear();
    if (m_settings.showRecordLayoutPoint) {
        const int count = static_cast<int>(m_recorded.size());
        const int first =
            m_settings.showSurveyPoint == -1 ? 0 : std::max(0, count - m_settings.showSurveyPoint);
        HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
        for (int i = std::min(first, count); i < count; ++i) {
            const PointRecord& p = m_recorded[i];
            const POINT s = m_view.ToScreen(p.dX, p.dY);
            m_recordedScreen.push_back({p.strName, s.x, s.y, p.strCode});
            if (!m_view.Contains(s)) continue;
            dc->Rectangle(s.x - 3, s.y - 3, s.x + 3, s.y + 3);
            DrawLabel(dc, s.x, s.y, 40, byCode ? p.strCode : p.strName);
        }
        dc->SelectObject(oldBrush);
    }
    DrawTarget(dc);
    screens::DrawScaleBar(*dc, m_frame, m_view.scale, nullptr);
    screens::DrawNorthArrow(*dc, m_frame, NorthFont());
    DrawLink(dc, m_frame, m_fix.nAux, false, doc);
    m_plan.ReleaseDC(dc);
    for (int i = 0; i < 9; ++i) {
        static constexpr int ids[9] = {IDC_SO_NAME, IDC_SO_STATUS,  IDC_SO_HRMS,
                                       IDC_SO_VRMS, IDC_SO_DX,      IDC_SO_DY,
                                       IDC_SO_DH,   IDC_SO_AZIMUTH, IDC_SO_DISTANCE};
        const CString& text = i == 0 ? m_strNameText : (i == 1 ? m_strStatusText : m_readouts[i]);
        DrawReadout(GetDlgItem(ids[i]), text);
    }
}

void CStakeoutDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    const POINT p = ToPlan(point);
    if (m_bWindowZoom) {
        m_zoomAnchor = p;
        m_bandCorner = {-1, -1};
    } else {
        m_panAnchor = p;
        CDC* dc = m_plan.GetDC();
        DrawSelection(dc);  // the old square goes
        m_selection = {-1, -1, -1, -1};
        m_nSelected = -1;
        for (size_t i = 0; i < m_stakeScreen.size(); ++i) {
            const ScreenPointRecord& s = m_stakeScreen[i];
            const double dx = s.m_nX - p.x, dy = s.m_nY - p.y;
            if (static_cast<int>(std::sqrt(dx * dx + dy * dy)) > 5) continue;
            m_nSelected = static_cast<int>(i);
            m_selection = {s.m_nX - 4, s.m_nY - 4, s.m_nX + 4, s.m_nY + 4};
            DrawSelection(dc);
            m_strNameText = s.m_strName;
            Readout(IDC_SO_NAME, m_strNameText);
            break;
        }
        m_plan.ReleaseDC(dc);
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CStakeoutDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (nFlags & MK_LBUTTON) {
        if (DragPlan(m_plan, m_view, m_bWindowZoom != 0, m_zoomAnchor, m_bandCorner, m_panAnchor,
                     ToPlan(point)))
            Invalidate();
    }
    CDialog::OnMouseMove(nFlags, point);
}

void CStakeoutDlg::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bWindowZoom && m_zoomAnchor.x != -1) {
        const POINT p = ToPlan(point);
        m_view.ZoomWindow(m_zoomAnchor, p);
        m_bWindowZoom = FALSE;
        m_bandCorner = {-1, -1};
        m_zoomAnchor = {-1, -1};
        Invalidate();
    }
    m_panAnchor = {-1, -1};
    CDialog::OnLButtonUp(nFlags, point);
}
