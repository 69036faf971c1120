#include "app/stakeout/StakeoutDraw.h"

#include <cmath>

#include "graphics/DrawCircle.h"

namespace stakeout {
namespace {

// The screens' two fonts, made once: a position update draws a dozen texts.
HGDIOBJ SystemFont() {
    static CFont* font = [] {
        auto* f = new CFont;  // kept to the end of the process
        f->CreateFont(14, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, L"System");
        return f;
    }();
    return font->GetSafeHandle();
}

HGDIOBJ LabelFont(CDC* dc) {
    static CFont* font = [dc] {
        auto* f = new CFont;
        f->CreatePointFont(80, L"宋体", dc);
        return f;
    }();
    return font->GetSafeHandle();
}

}  // namespace

HFONT NorthFont() {
    return static_cast<HFONT>(SystemFont());
}

void DrawLink(CDC* dc, const CRect& frame, int diffAge, bool bars, const CVendropDoc* doc) {
    screens::DrawLinkIndicator(*dc, frame, diffAge, bars, screens::LinkLetter(doc), kLinkLettering);
}

void DrawReadout(CWnd* control, const CString& text) {
    if (control == nullptr || control->GetSafeHwnd() == nullptr) return;
    control->UpdateWindow();
    CDC* dc = control->GetDC();
    if (dc == nullptr) return;
    HGDIOBJ oldFont = dc->SelectObject(SystemFont());
    dc->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    dc->SetBkMode(OPAQUE);
    CRect client;
    control->GetClientRect(&client);
    dc->DrawText(CString(L' ', 32), &client, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    CRect box(client.left, client.top, client.left + static_cast<int>(7.7 * 20), client.bottom);
    dc->DrawText(text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(oldFont);
    control->ReleaseDC(dc);
}

void DrawLabel(CDC* dc, int x, int y, int right, const CString& text) {
    HGDIOBJ oldFont = dc->SelectObject(LabelFont(dc));
    dc->SetBkMode(TRANSPARENT);
    CRect box(x + 5, y - 5, x + right, y + 5);
    dc->DrawText(text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(oldFont);
}

void DrawDashedLine(CDC* dc, POINT a, POINT b) {
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length >= 3.0)) return;
    const double ux = dx / length * 3.0, uy = dy / length * 3.0;
    // Dash and gap of 3 pixels each; at most the plan's worth of dashes.
    const int steps = static_cast<int>(std::fmin(length / 3.0, 4000.0));
    for (int i = 0; i + 1 <= steps; i += 2) {
        dc->MoveTo(static_cast<int>(a.x + ux * i), static_cast<int>(a.y + uy * i));
        dc->LineTo(static_cast<int>(a.x + ux * (i + 1)), static_cast<int>(a.y + uy * (i + 1)));
    }
}

void DrawMarker(CDC* dc, const MarkerShape& shape) {
    if (shape.count == 0) return;
    const int oldRop = dc->SetROP2(R2_NOT);
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    const POINT c = shape.pts[0];
    if (shape.count == 1) {
        DrawCircle(dc, c.x, c.y, 8);
        DrawCircle(dc, c.x, c.y, 2);
    } else {
        dc->Ellipse(c.x - 2, c.y - 2, c.x + 2, c.y + 2);
        const POINT tri[4] = {shape.pts[1], shape.pts[2], shape.pts[3], shape.pts[1]};
        dc->Polyline(tri, 4);
    }
    dc->SelectObject(oldBrush);
    dc->SetROP2(oldRop);
}

void DrawRubberBand(CDC* dc, POINT anchor, POINT corner) {
    if (corner.x == -1 || anchor.x == -1) return;
    const int oldRop = dc->SetROP2(R2_NOT);
    CPen pen;
    pen.CreatePen(PS_DASH, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = dc->SelectObject(pen.GetSafeHandle());
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    dc->Rectangle(anchor.x, anchor.y, corner.x, corner.y);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    dc->SetROP2(oldRop);
}

}  // namespace stakeout
