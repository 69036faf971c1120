// The point-measuring screen's drawing: the read-outs straight into their
// controls, the plan incrementally on each fix, and the full repaint.
#include <algorithm>

#include "app/screens/DialogViewSavePoint.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

namespace {

// Each read-out first clears its control with these blanks.
const wchar_t kBlanks[] = L"                                                ";
static_assert(sizeof kBlanks / sizeof kBlanks[0] == 49);

CString Fixed3(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

}  // namespace

void CDialogViewSavePoint::FormatReadouts() {
    CVendropDoc* doc = Doc();
    const SystemParams& p = doc->m_sysParams;
    if (doc->m_nCoordDisplay == 0) {
        m_strX = Fixed3(m_fix.dX);
        m_strY = Fixed3(m_fix.dY);
        m_strH = Fixed3(p.nUseAntHgt ? m_fix.dGridH - p.szdRoverAntH : m_fix.dGridH);
    } else {
        CCoordTransform::FormatAngleDMS(m_strX, m_fix.dLat * 0.01745329251994278);
        CCoordTransform::FormatAngleDMS(m_strY, m_fix.dLon * 0.01745329251994278);
        m_strH = Fixed3(m_fix.dHeight);
    }
    if (doc->m_strPointName.IsEmpty()) doc->m_strPointName = L"PT1";
    m_strName = doc->m_strPointName;
    const CMainFrame* frame = GetMainFrame();
    m_strRms = Fixed3(frame ? frame->m_fBinSigma : 0.0f);
    m_strPdop = Fixed3(m_fix.dDop);
    m_strStatus.Format(L"(%d)%s", m_fix.nSatsUsed, m_fix.strStatus.GetString());
}

void CDialogViewSavePoint::DrawReadout(int id, const CString& text, int width, bool rightAligned) {
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (!control) return;
    HDC hdc = ::GetDC(control);
    if (!hdc) return;
    RECT rc;
    ::GetClientRect(control, &rc);
    HGDIOBJ oldFont = ::SelectObject(hdc, m_fonts.Bold());
    const COLORREF oldBk = ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
    const int oldMode = ::SetBkMode(hdc, OPAQUE);
    RECT clear = rc;
    ::DrawText(hdc, kBlanks, -1, &clear, DT_SINGLELINE | DT_VCENTER);
    RECT box = rc;
    box.right = rc.left + static_cast<int>(7.7 * width);
    // A text wider than its box would lose digits (at the left when
    // right-aligned) and a box wider than the control pushes right-aligned
    // text past its edge: the box grows to the text, within the control.
    SIZE extent{};
    ::GetTextExtentPoint32(hdc, text, text.GetLength(), &extent);
    box.right = std::min(rc.right, std::max(box.right, rc.left + extent.cx));
    ::DrawText(hdc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | (rightAligned ? DT_RIGHT : 0));
    ::SetBkMode(hdc, oldMode);
    ::SetBkColor(hdc, oldBk);
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(control, hdc);
}

void CDialogViewSavePoint::DrawLiveReadouts() {
    const bool plane = Doc()->m_nCoordDisplay == 0;
    const int c = plane ? std::max(m_strX.GetLength(), m_strY.GetLength()) + 1 : 15;
    DrawReadout(IDC_SP_X, m_strX, c, true);
    DrawReadout(IDC_SP_Y, m_strY, c, true);
    DrawReadout(IDC_SP_H, m_strH, 15, false);
    DrawReadout(IDC_SP_NAME, m_strName, 15, false);
    DrawReadout(IDC_SP_RMS, m_strRms, 15, false);
    DrawReadout(IDC_SP_PDOP, m_strPdop, 15, false);
    DrawReadout(IDC_SP_STATUS, m_strStatus, 15, false);
}

void CDialogViewSavePoint::DrawStatusReadout() {
    DrawReadout(IDC_SP_STATUS, m_strStatus, 15, false);
}

void CDialogViewSavePoint::DrawLink(HDC hdc, bool bars) {
    screens::DrawLinkIndicator(hdc, m_rcDraw, m_fix.nAux, bars, screens::LinkLetter(Doc()),
                               {m_fonts.Bold(), false});
}

void CDialogViewSavePoint::DrawNoDataIndicator() {
    if (!m_plan.GetSafeHwnd()) return;
    HDC hdc = ::GetDC(m_plan.m_hWnd);
    DrawLink(hdc, false);
    ::ReleaseDC(m_plan.m_hWnd, hdc);
}

void CDialogViewSavePoint::DrawPlanFix() {
    if (!m_plan.GetSafeHwnd()) return;
    HDC hdc = ::GetDC(m_plan.m_hWnd);
    if (!hdc) return;
    screens::DrawScaleBar(hdc, m_rcDraw, m_dScale, m_fonts.Small());
    const double n = m_fix.dX;
    const double e = m_fix.dY;
    screens::PlanMapping map = Mapping();
    if (screens::OutsideHalfPlan(map, m_rcDraw, n, e)) {
        m_dCentreN = n;
        m_dCentreE = e;
        map = Mapping();
    }
    if (!m_bPrevSet) {
        m_dPrevN = n;
        m_dPrevE = e;
        m_bPrevSet = 1;
    }
    screens::MoveMarker(hdc, map, n, e, screens::IsSingleStatus(m_fix.strStatus), m_dPrevN,
                        m_dPrevE, m_marker);
    m_bBlink = !m_bBlink;
    DrawLink(hdc, m_bBlink != 0);
    screens::DrawNorthArrow(hdc, m_rcDraw, m_fonts.Bold());
    screens::DrawFixTime(hdc, m_rcDraw, m_fix, m_fonts.Small());
    ::ReleaseDC(m_plan.m_hWnd, hdc);
}

void CDialogViewSavePoint::DrawStoredPoint(const PointRecord& point) {
    if (!m_plan.GetSafeHwnd()) return;
    HDC hdc = ::GetDC(m_plan.m_hWnd);
    const CPoint p = Mapping().ToScreen(point.dX, point.dY);
    screens::DrawPointLabel(hdc, p.x, p.y, point.strName, m_fonts.Small());
    ::ReleaseDC(m_plan.m_hWnd, hdc);
}

void CDialogViewSavePoint::DrawBand(CPoint from, CPoint to) {
    HDC hdc = ::GetDC(m_plan.m_hWnd);
    HPEN dashed = ::CreatePen(PS_DASH, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(hdc, dashed);
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    const int oldRop = ::SetROP2(hdc, R2_NOT);
    ::Rectangle(hdc, from.x, from.y, to.x, to.y);
    ::SetROP2(hdc, oldRop);
    ::SelectObject(hdc, oldBrush);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(dashed);
    ::ReleaseDC(m_plan.m_hWnd, hdc);
}

void CDialogViewSavePoint::OnPaint() {
    CPaintDC paint(this);
    m_marker.RemoveAll();
    m_bZoomWindow = 0;
    m_ptBand = CPoint(-1, -1);
    const CVendropDoc* doc = Doc();
    if (!doc || !m_plan.GetSafeHwnd()) return;
    const SystemParams& p = doc->m_sysParams;
    const int count = static_cast<int>(m_points.GetSize());
    const int shown = p.nShowSurveyPoint < 0 ? count : std::min(p.nShowSurveyPoint, count);
    const screens::PlanMapping map = Mapping();
    m_screenPoints.SetSize(shown);
    for (int i = 0; i < shown; ++i) {
        const PointRecord& point = m_points[count - shown + i];
        const CPoint at = map.ToScreen(point.dX, point.dY);
        ScreenPointRecord& record = m_screenPoints[i];
        record.m_strName = point.strName;
        record.m_nX = at.x;
        record.m_nY = at.y;
        record.m_strCode = point.strCode;
    }
    HDC hdc = ::GetDC(m_plan.m_hWnd);
    const CRect plan = PlanClient();
    ::FillRect(hdc, &plan, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    {
        screens::PointLabeller labeller(hdc, m_fonts.Small());
        for (int i = 0; i < m_screenPoints.GetSize(); ++i) {
            const ScreenPointRecord& point = m_screenPoints[i];
            if (!plan.PtInRect(CPoint(point.m_nX, point.m_nY))) continue;
            labeller.Draw(point.m_nX, point.m_nY,
                          p.nDisplayType != 0 ? point.m_strCode : point.m_strName);
        }
    }
    screens::DrawNorthArrow(hdc, m_rcDraw, m_fonts.Bold());
    DrawLink(hdc, false);
    screens::DrawScaleBar(hdc, m_rcDraw, m_dScale, m_fonts.Small());
    ::ReleaseDC(m_plan.m_hWnd, hdc);
    const bool plane = doc->m_nCoordDisplay == 0;
    DrawReadout(IDC_SP_NAME, m_strName, 15, false);
    DrawReadout(IDC_SP_X, m_strX, 15, !plane);
    DrawReadout(IDC_SP_Y, m_strY, 15, !plane);
    DrawReadout(IDC_SP_H, m_strH, 15, false);
    DrawReadout(IDC_SP_STATUS, m_strStatus, 15, false);
}
