// CAreaCalcDlg's plan: drawing, zooming, panning and the taps that build
// the polygon.
#include "app/tools/AreaCalcDlg.h"
#include "res/resource.h"

namespace {
constexpr int kInset = 6;
}  // namespace

void CAreaCalcDlg::UpdatePlanRect() {
    m_view.PlaceOn(*this, IDC_AREA_PLAN, kInset);
}

void CAreaCalcDlg::ZoomAllPoints() {
    std::vector<tools::PlanePoint> points;
    for (size_t i = 0; i < m_ptX.size(); ++i) points.push_back({m_ptX[i], m_ptY[i]});
    UpdatePlanRect();
    m_view.ZoomAll(points);
}

void CAreaCalcDlg::OnZoomAll() {
    ZoomAllPoints();
    Invalidate();
}

void CAreaCalcDlg::OnZoomIn() {
    m_view.Zoom(0.75);
    Invalidate();
}

void CAreaCalcDlg::OnZoomOut() {
    m_view.Zoom(1.25);
    Invalidate();
}

void CAreaCalcDlg::OnZoomWindow() {
    m_drag.bWindowZoom = TRUE;
}

void CAreaCalcDlg::OnPaint() {
    CPaintDC dc(this);
    UpdatePlanRect();
    m_square = CPoint(-1, -1);
    m_screen.clear();
    for (size_t i = 0; i < m_ptX.size(); ++i)
        m_screen.push_back(m_view.ToScreen(m_ptX[i], m_ptY[i]));
    if (m_ptX.size() < 3) return;
    CRect box;
    GetDlgItem(IDC_AREA_PLAN)->GetWindowRect(&box);
    ScreenToClient(&box);
    dc.FillSolidRect(&box, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    for (size_t i = 0; i < m_polyX.size(); ++i) {
        const CPoint p = m_view.ToScreen(m_polyX[i], m_polyY[i]);
        if (i == 0) {
            dc.MoveTo(p.x, p.y);
        } else {
            dc.LineTo(p.x, p.y);
        }
    }
    dc.SelectStockObject(NULL_BRUSH);
    for (size_t i = 0; i < m_screen.size(); ++i) {
        if (m_view.Shows(m_screen[i])) tools::DrawPointMark(dc, m_screen[i], m_ptName[i]);
    }
    dc.SelectObject(oldPen);
}

void CAreaCalcDlg::DrawEdge(int nFrom, int nTo) {
    if (nFrom < 0 || nTo < 0) return;
    CClientDC dc(this);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    const CPoint a = m_view.ToScreen(m_polyX[nFrom], m_polyY[nFrom]);
    const CPoint b = m_view.ToScreen(m_polyX[nTo], m_polyY[nTo]);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    dc.SelectObject(oldPen);
}

void CAreaCalcDlg::OnLButtonDown(UINT, CPoint point) {
    m_drag.Down(point);
    SetCapture();
    if (m_drag.bWindowZoom) return;
    m_list.SetCurSel(-1);
    m_nListIndex = -1;
    const int hit = tools::HitPoint(m_screen, point);
    if (hit < 0) {
        if (m_square.x != -1) {
            CClientDC dc(this);
            tools::DrawSelectionSquare(dc, m_square);
        }
        m_square = CPoint(-1, -1);
        ShowResult(CString());
        return;
    }
    TapPoint(hit);
}

// A vertex of the same name is chosen in the list first: in insert mode
// the first tap so marks the vertex before which the second tap inserts.
void CAreaCalcDlg::TapPoint(int nPoint) {
    for (size_t i = 0; i < m_polyName.size(); ++i) {
        if (m_polyName[i] == m_ptName[nPoint]) {
            m_nListIndex = static_cast<int>(i);
            m_list.SetCurSel(m_nListIndex);
            break;
        }
    }
    if (m_bAppend) {
        AddVertex(nPoint, -1);
        const int last = static_cast<int>(m_polyX.size()) - 1;
        if (last > 0) DrawEdge(last - 1, last);
    } else if (m_bInsert && m_nInsertPos >= 0) {
        AddVertex(nPoint, m_nInsertPos);
        m_nInsertPos = -1;
        m_bInsert = FALSE;
        Invalidate();
        UpdateWindow();
    } else if (m_bInsert && m_nListIndex >= 0) {
        m_nInsertPos = m_nListIndex;
    }
    CClientDC dc(this);
    if (m_square.x != -1) tools::DrawSelectionSquare(dc, m_square);
    m_square = m_screen[nPoint];
    tools::DrawSelectionSquare(dc, m_square);
}

void CAreaCalcDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_drag.Move(*this, m_view, nFlags, point)) Invalidate();
}

void CAreaCalcDlg::OnLButtonUp(UINT, CPoint point) {
    ReleaseCapture();
    if (m_drag.Up(m_view, point)) Invalidate();
}
