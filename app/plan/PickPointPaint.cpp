// CPickPointDlg: the plan's painting, the pick, the window zoom and the
// drag.
#include <algorithm>
#include <cmath>

#include "app/plan/PickPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

// Drawing goes to the plan control's surface, shifted so that dialog
// coordinates land where they belong.
void CPickPointDlg::PrepareOnPlan(CDC& dc) const {
    const CRect control = PlanControlRect();
    dc.SetViewportOrg(-control.left, -control.top);
}

void CPickPointDlg::OnPaint() {
    CPaintDC paint(this);
    m_bZoomWindow = 0;
    m_rcSelection = RECT{-1, -1, -1, -1};
    ComputeScreenPoints();
    CWnd* plan = GetDlgItem(IDC_PICK_PLAN);
    if (plan == nullptr) return;
    plan->UpdateWindow();
    CClientDC dc(plan);
    PrepareOnPlan(dc);
    const CRect control = PlanControlRect();
    dc.FillSolidRect(&control, RGB(255, 255, 255));
    CFont font;
    font.CreatePointFont(80, L"宋体", &dc);
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    const bool codes = g_pDoc != nullptr && g_pDoc->m_sysParams.nDisplayType != 0;
    for (size_t i = 0; i < m_screen.size(); ++i) {
        const POINT p = m_screen[i];
        if (!control.PtInRect(p)) continue;
        dc.Ellipse(p.x - 2, p.y - 2, p.x + 2, p.y + 2);
        CRect label(p.x + 5, p.y - 5, p.x + 30, p.y + 5);
        dc.DrawText(codes ? m_codes[i] : m_names[i], &label, DT_SINGLELINE | DT_VCENTER);
    }
    dc.SelectObject(oldFont);
    if (CWnd* bar = GetDlgItem(IDC_PICK_SCALE_BAR)) {
        bar->UpdateWindow();
        CClientDC barDc(bar);
        CRect r;
        bar->GetClientRect(&r);
        barDc.Rectangle(r.left, r.bottom - 6, r.right, r.bottom);
        CBrush black;
        black.CreateSolidBrush(RGB(0, 0, 0));
        CRect half(r.left, r.bottom - 6, r.left + r.Width() / 2, r.bottom);
        barDc.FillRect(&half, &black);
        const double width = r.Width() * m_dScale;
        m_strScale.Format(width > 1.0 ? L"%.0f%s" : L"%.3f%s", width, LoadText(IDS_STRING61430));
        SetDlgItemText(IDC_PICK_SCALE_TEXT, m_strScale);
    }
}

void CPickPointDlg::DrawSelection(CDC& dc, const RECT& s) {
    const POINT path[] = {{s.left, s.top},
                          {s.right, s.top},
                          {s.right, s.bottom},
                          {s.left, s.bottom},
                          {s.left, s.top}};
    dc.Polyline(path, 5);
}

void CPickPointDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bZoomWindow) m_ptDown = point;
    m_ptDrag = point;
    m_nPickedIndex = -1;
    // The first point within 5 pixels in file order, not the nearest.
    for (size_t i = 0; i < m_screen.size(); ++i) {
        const double dx = m_screen[i].x - point.x, dy = m_screen[i].y - point.y;
        if (static_cast<long long>(std::sqrt(dx * dx + dy * dy)) < 5) {
            m_nPickedIndex = static_cast<int>(i);
            break;
        }
    }
    CWnd* plan = GetDlgItem(IDC_PICK_PLAN);
    if (plan != nullptr) {
        CClientDC dc(plan);
        PrepareOnPlan(dc);
        const int oldMode = dc.SetROP2(R2_NOT);
        CPen pen;
        pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
        CPen* oldPen = dc.SelectObject(&pen);
        if (m_rcSelection.left != -1) DrawSelection(dc, m_rcSelection);
        m_rcSelection = RECT{-1, -1, -1, -1};
        if (m_nPickedIndex >= 0) {
            const POINT p = m_screen[static_cast<size_t>(m_nPickedIndex)];
            m_rcSelection = RECT{p.x - 4, p.y - 4, p.x + 4, p.y + 4};
            DrawSelection(dc, m_rcSelection);
        }
        dc.SelectObject(oldPen);
        dc.SetROP2(oldMode);
    }
    if (m_nPickedIndex >= 0) {
        const auto i = static_cast<size_t>(m_nPickedIndex);
        m_strInfo.Format(L"%s:%s:%12.4f,%s:%12.4f\r\n%s:%.4f,%s:%s", m_names[i],
                         LoadText(IDS_STRING61424), m_north[i], LoadText(IDS_STRING61425),
                         m_east[i], LoadText(IDS_STRING61426), m_height[i],
                         LoadText(IDS_STRING61427), m_codes[i]);
    } else {
        m_strInfo.Empty();
    }
    SetDlgItemText(IDC_PICK_INFO, m_strInfo);
    CDialog::OnLButtonDown(nFlags, point);
}

void CPickPointDlg::DrawBand(CDC& dc, CPoint corner) {
    const POINT path[] = {
        m_ptDown, {m_ptDown.x, corner.y}, corner, {corner.x, m_ptDown.y}, m_ptDown};
    dc.Polyline(path, 5);
}

void CPickPointDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (!(nFlags & MK_LBUTTON)) {
        CDialog::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bZoomWindow && m_ptDown.x != -1) {
        if (CWnd* plan = GetDlgItem(IDC_PICK_PLAN)) {
            CClientDC dc(plan);
            PrepareOnPlan(dc);
            const int oldMode = dc.SetROP2(R2_NOT);
            CPen dashed;
            dashed.CreatePen(PS_DASH, 0, RGB(0, 0, 0));
            CPen* oldPen = dc.SelectObject(&dashed);
            if (m_ptBand.x != -1) DrawBand(dc, m_ptBand);
            DrawBand(dc, point);
            m_ptBand = point;
            dc.SelectObject(oldPen);
            dc.SetROP2(oldMode);
        }
    } else if (!m_bZoomWindow && m_ptDrag.x != -1) {
        m_dN0 -= (m_ptDrag.y - point.y) * m_dScale;
        m_dE0 -= (point.x - m_ptDrag.x) * m_dScale;
        m_ptDrag = point;
        ComputeScreenPoints();
        Invalidate(TRUE);
    }
    CDialog::OnMouseMove(nFlags, point);
}

void CPickPointDlg::OnLButtonUp(UINT nFlags, CPoint point) {
    m_ptUp = point;
    if (m_bZoomWindow && m_ptDown.x != -1) {
        const CRect band(std::min(m_ptDown.x, point.x), std::min(m_ptDown.y, point.y),
                         std::max(m_ptDown.x, point.x), std::max(m_ptDown.y, point.y));
        double scale = std::max(band.Height() * m_dScale / std::max(1, m_rcPlan.Height()),
                                band.Width() * m_dScale / std::max(1, m_rcPlan.Width()));
        // A tap without movement would make the scale 0.
        if (!(scale >= kMinWindowScale)) scale = kMinWindowScale;
        m_dE0 += (band.left - m_rcPlan.left) * m_dScale;
        m_dN0 += (m_rcPlan.bottom - band.bottom) * m_dScale;
        m_dScale = scale;
        m_bZoomWindow = 0;
        m_ptBand = m_ptDown = CPoint(-1, -1);
        ComputeScreenPoints();
        Invalidate(TRUE);
    }
    CDialog::OnLButtonUp(nFlags, point);
}

// The zoom-in button drawn means the plan may have been drawn over: the
// plan alone is drawn again, so the button is not, and no paint follows
// from this one.
void CPickPointDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl == IDC_PICK_ZOOM_IN) {
        const CRect plan = PlanControlRect();
        InvalidateRect(&plan, FALSE);
    }
    CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}
