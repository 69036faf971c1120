#include "app/tools/ToolPlan.h"

#include <algorithm>
#include <cmath>

namespace tools {

CPoint PlanView::ToScreen(double x, double y) const {
    const double sx = (y - originE) / scale + rect.left;
    const double sy = rect.bottom - (x - originN) / scale;
    // Far-off points are clamped so that no conversion overflows.
    auto clamp = [](double v) { return static_cast<int>(std::clamp(v, -1e6, 1e6)); };
    return CPoint(clamp(sx), clamp(sy));
}

bool PlanView::Shows(CPoint p) const {
    return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
}

void PlanView::ZoomAll(const std::vector<PlanePoint>& points) {
    if (points.empty()) return;
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const PlanePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double h = rect.Height() > 0 ? rect.Height() : 1;
    const double w = rect.Width() > 0 ? rect.Width() : 1;
    scale = std::max((maxX - minX) / h, (maxY - minY) / w);
    if (!(scale >= kMinPlanScale)) scale = kMinPlanScale;
    originN = minX;
    originE = minY;
}

void PlanView::Zoom(double factor) {
    // The centre stays: the origin moves by (1 - factor) / 2 of the view.
    const double share = (1.0 - factor) / 2.0;
    originE += share * rect.Width() * scale;
    originN += share * rect.Height() * scale;
    scale *= factor;
}

void PlanView::WindowZoom(CPoint press, CPoint release) {
    originN += (rect.bottom - std::max(press.y, release.y)) * scale;
    originE += (std::min(press.x, release.x) - rect.left) * scale;
    const double h = rect.Height() > 0 ? rect.Height() : 1;
    const double w = rect.Width() > 0 ? rect.Width() : 1;
    const double boxH = std::abs(press.y - release.y);
    const double boxW = std::abs(press.x - release.x);
    scale = std::max(boxH * scale / h, boxW * scale / w);
    if (!(scale >= kMinPlanScale)) scale = kMinPlanScale;
}

void PlanView::Pan(CPoint last, CPoint now) {
    originN -= (last.y - now.y) * scale;
    originE -= (now.x - last.x) * scale;
}

void PlanDrag::Down(CPoint point) {
    press = point;
    last = point;
    band = CPoint(-1, -1);
}

bool PlanDrag::Move(CWnd& wnd, PlanView& view, UINT nFlags, CPoint point) {
    if (!(nFlags & MK_LBUTTON) || press.x == -1) return false;
    if (bWindowZoom) {
        CClientDC dc(&wnd);
        if (band.x != -1) DrawRubberBand(dc, press, band);
        band = point;
        DrawRubberBand(dc, press, band);
        return false;
    }
    if (point == last) return false;
    view.Pan(last, point);
    last = point;
    return true;
}

bool PlanDrag::Up(PlanView& view, CPoint point) {
    const bool zoomed = bWindowZoom && press.x != -1;
    if (zoomed) {
        view.WindowZoom(press, point);
        bWindowZoom = FALSE;
    }
    press = CPoint(-1, -1);
    return zoomed;
}

void PlanView::PlaceOn(CWnd& dialog, int nId, int inset) {
    CWnd* plan = dialog.GetDlgItem(nId);
    if (!plan) return;
    CRect r;
    plan->GetWindowRect(&r);
    dialog.ScreenToClient(&r);
    r.DeflateRect(inset, inset);
    rect = r;
}

void PlanView::CentreOn(double x, double y) {
    originN = x - (rect.Height() / 2) * scale;
    originE = y - (rect.Width() / 2) * scale;
}

int HitPoint(const std::vector<CPoint>& screen, CPoint at) {
    for (size_t i = 0; i < screen.size(); ++i) {
        const double dx = screen[i].x - at.x;
        const double dy = screen[i].y - at.y;
        if (static_cast<long long>(std::sqrt(dx * dx + dy * dy)) < 5) return static_cast<int>(i);
    }
    return -1;
}

void DrawPointMark(CDC& dc, CPoint at, const CString& name) {
    dc.Ellipse(at.x - 2, at.y - 2, at.x + 2, at.y + 2);
    CFont font;
    font.CreatePointFont(80, L"宋体", &dc);
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    CRect box(at.x + 5, at.y - 5, at.x + 30, at.y + 5);
    dc.DrawText(name, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    dc.SelectObject(old);
}

void DrawSelectionSquare(CDC& dc, CPoint at) {
    CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    const int oldRop = dc.SetROP2(R2_NOT);
    dc.MoveTo(at.x - 4, at.y - 4);
    dc.LineTo(at.x + 4, at.y - 4);
    dc.LineTo(at.x + 4, at.y + 4);
    dc.LineTo(at.x - 4, at.y + 4);
    dc.LineTo(at.x - 4, at.y - 4);
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
}

void DrawRubberBand(CDC& dc, CPoint from, CPoint to) {
    CPen pen(PS_DASH, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    const int oldRop = dc.SetROP2(R2_NOT);
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, from.y);
    dc.LineTo(to.x, to.y);
    dc.LineTo(from.x, to.y);
    dc.LineTo(from.x, from.y);
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
}

}  // namespace tools
