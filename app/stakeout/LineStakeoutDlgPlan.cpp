// The plan of the line stake-out screen, drawn into the plan control's own
// device context. The marker and the rubber band are drawn inverting, so
// drawing them again removes them; guide lines stay until the next full
// redraw.
#include <cmath>

#include "app/shell/VendropDoc.h"
#include "app/stakeout/LineStakeoutDlg.h"
#include "app/stakeout/StakeoutDraw.h"
#include "app/stakeout/StakeoutScreen.h"
#include "graphics/DrawCircle.h"
#include "res/resource.h"

using namespace stakeout;

POINT CLineStakeoutDlg::ToPlan(CPoint dialogPoint) const {
    POINT p = {dialogPoint.x, dialogPoint.y};
    if (m_plan.GetSafeHwnd()) ::MapWindowPoints(m_hWnd, m_plan.GetSafeHwnd(), &p, 1);
    return p;
}

void CLineStakeoutDlg::ZoomToExtent() {
    if (m_starts.empty() && m_recorded.empty()) return;
    std::vector<std::pair<double, double>> points;
    for (const PointRecord& p : m_starts) points.emplace_back(p.dX, p.dY);
    for (const PointRecord& p : m_ends) points.emplace_back(p.dX, p.dY);
    for (const PointRecord& p : m_recorded) points.emplace_back(p.dX, p.dY);
    m_view.ZoomToExtent(points);
    if (m_hWnd) Invalidate(TRUE);
}

void CLineStakeoutDlg::OnZoomIn() {
    m_view.ZoomIn();
    Invalidate(TRUE);
}

void CLineStakeoutDlg::OnZoomOut() {
    m_view.ZoomOut();
    Invalidate(TRUE);
}

void CLineStakeoutDlg::OnZoomWindow() {
    m_bZoomArmed = TRUE;
}

void CLineStakeoutDlg::OnZoomAll() {
    ZoomToExtent();
}

void CLineStakeoutDlg::DrawPositionMarker(CDC* dc, double n, double e) {
    double tn = 0.0, te = 0.0;
    if (m_bCurrentLine) {
        const Foot f =
            PerpendicularFoot(m_line.start.dX, m_line.start.dY, m_line.end.dX, m_line.end.dY, n, e);
        tn = f.inside ? f.x : (m_line.start.dX + m_line.end.dX) / 2.0;
        te = f.inside ? f.y : (m_line.start.dY + m_line.end.dY) / 2.0;
    }
    if (AutoPanLine(m_view, n, e, m_bCurrentLine != 0, tn, te)) {
        // The whole plan is redrawn: the old marker goes with it.
        Invalidate(TRUE);
        m_marker.count = 0;
    }
    StepMarker(dc, m_view, n, e, m_fix.strStatus == CString(L"SINGLE"), m_marker, m_dPrevN,
               m_dPrevE, m_bHasPrevious);
}

void CLineStakeoutDlg::DrawGuideLines(CDC* dc) {
    const double sn = m_line.start.dX, se = m_line.start.dY;
    const double en = m_line.end.dX, ee = m_line.end.dY;
    const std::vector<double> offsets =
        GuideLineOffsets(m_view, sn, se, en, ee, m_settings.minPrompt, m_settings.maxPrompt);
    if (offsets.empty()) return;
    const double a = std::atan2(ee - se, en - sn);
    CPen pen;
    pen.CreatePen(PS_DASH, 0, RGB(0, 0, 0));
    HGDIOBJ oldPen = dc->SelectObject(pen.GetSafeHandle());
    for (const double side : {a - 1.57079632679485, a + 1.57079632679485}) {
        const double un = std::cos(side), ue = std::sin(side);
        for (const double off : offsets) {
            const POINT p1 = m_view.ToScreen(sn + un * off, se + ue * off);
            const POINT p2 = m_view.ToScreen(en + un * off, ee + ue * off);
            dc->MoveTo(p1);
            dc->LineTo(p2);
        }
    }
    dc->SelectObject(oldPen);
}

void CLineStakeoutDlg::OnPaint() {
    CPaintDC paint(this);
    ++m_nPaints;
    m_bZoomArmed = FALSE;
    m_band = {-1, -1};
    m_marker.count = 0;
    m_startScreen.clear();
    m_endScreen.clear();
    m_recordedScreen.clear();
    if (!m_plan.GetSafeHwnd()) return;
    m_plan.UpdateWindow();
    CDC* dc = m_plan.GetDC();
    const RECT rect = m_view.rect;
    dc->FillSolidRect(&rect, RGB(255, 255, 255));
    const CVendropDoc* doc = g_pDoc;
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    if (!m_settings.showAllLayoutLine) {
        if (m_bCurrentLine) {
            const POINT s = m_view.ToScreen(m_line.start.dX, m_line.start.dY);
            const POINT e = m_view.ToScreen(m_line.end.dX, m_line.end.dY);
            dc->MoveTo(s);
            dc->LineTo(e);
            dc->Rectangle(s.x - 3, s.y - 3, s.x + 3, s.y + 3);
            dc->Rectangle(e.x - 3, e.y - 3, e.x + 3, e.y + 3);
            DrawLabel(dc, s.x, s.y, 40, m_line.start.strName);
            DrawLabel(dc, e.x, e.y, 40, m_line.end.strName);
        }
    } else {
        const size_t count = std::min(m_starts.size(), m_ends.size());
        for (size_t i = 0; i < count; ++i) {
            const POINT s = m_view.ToScreen(m_starts[i].dX, m_starts[i].dY);
            const POINT e = m_view.ToScreen(m_ends[i].dX, m_ends[i].dY);
            m_startScreen.push_back({m_starts[i].strName, s.x, s.y, m_starts[i].strCode});
            m_endScreen.push_back({m_ends[i].strName, e.x, e.y, m_ends[i].strCode});
            dc->MoveTo(s);
            dc->LineTo(e);
            for (const auto& [pt, p] :
                 {std::make_pair(s, &m_starts[i]), std::make_pair(e, &m_ends[i])}) {
                if (!m_view.Contains(pt)) continue;
                dc->Ellipse(pt.x - 2, pt.y - 2, pt.x + 2, pt.y + 2);
                DrawLabel(dc, pt.x, pt.y, 40, p->strName);
            }
        }
    }
    if (m_settings.showRecordLayoutPoint) {
        const int count = static_cast<int>(m_recorded.size());
        const int first = m_settings.showSurveyPoint == -1
                              ? 0
                              : std::max(0, count - std::max(0, m_settings.showSurveyPoint));
        const bool byCode = doc != nullptr && doc->m_sysParams.nDisplayType != 0;
        for (int i = first; i < count; ++i) {
            const PointRecord& p = m_recorded[i];
            const POINT s = m_view.ToScreen(p.dX, p.dY);
            m_recordedScreen.push_back({p.strName, s.x, s.y, p.strCode});
            if (!m_view.Contains(s)) continue;
            dc->Rectangle(s.x - 3, s.y - 3, s.x + 3, s.y + 3);
            DrawLabel(dc, s.x, s.y, 40, byCode ? p.strCode : p.strName);
        }
    }
    dc->SelectObject(oldBrush);
    screens::DrawScaleBar(*dc, m_frame, m_view.scale, nullptr);
    DrawLink(dc, m_frame, m_fix.nAux, false, doc);
    screens::DrawNorthArrow(*dc, m_frame, NorthFont());
    m_plan.ReleaseDC(dc);
    static constexpr int ids[10] = {IDC_SO_LINE_NAME,    IDC_SO_STATUS,          IDC_SO_HRMS,
                                    IDC_SO_VRMS,         IDC_SO_LINE_CHAINAGE,   IDC_SO_LINE_OFFSET,
                                    IDC_SO_DX,           IDC_SO_LINE_START_DIST, IDC_SO_DY,
                                    IDC_SO_LINE_END_DIST};
    for (int i = 0; i < 10; ++i) {
        const CString& text = i == 0 ? m_strLineText : (i == 1 ? m_strStatusText : m_readouts[i]);
        DrawReadout(GetDlgItem(ids[i]), text);
    }
    // Buttons redrawn by this paint do not ask for another one.
    if (CWnd* settings = GetDlgItem(IDC_SO_SETTINGS)) settings->UpdateWindow();
    m_bPainting = FALSE;
}

void CLineStakeoutDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    const POINT p = ToPlan(point);
    if (m_bZoomArmed) m_press = p;
    m_lastDrag = p;
    CDialog::OnLButtonDown(nFlags, point);
}

void CLineStakeoutDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (nFlags & MK_LBUTTON) {
        if (DragPlan(m_plan, m_view, m_bZoomArmed != 0, m_press, m_band, m_lastDrag, ToPlan(point)))
            Invalidate(TRUE);
    }
    CDialog::OnMouseMove(nFlags, point);
}

void CLineStakeoutDlg::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bZoomArmed && m_press.x != -1) {
        m_view.ZoomWindow(m_press, ToPlan(point));
        m_bZoomArmed = FALSE;
        m_band = {-1, -1};
        m_press = {-1, -1};
        Invalidate(TRUE);
    }
    CDialog::OnLButtonUp(nFlags, point);
}
