#include "app/stakeout/StakeoutDraw.h"

#include <cmath>

#include "app/shell/VendropDoc.h"
#include "graphics/DrawCircle.h"
#include "receiver/SurveyRecord.h"

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

void DrawScaleBar(CDC* dc, const RECT& frame, double scale) {
    const int R = frame.right, B = frame.bottom;
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(WHITE_BRUSH));
    dc->Rectangle(R - 50, B - 4, R - 2, B + 2);
    CBrush black;
    black.CreateSolidBrush(RGB(0, 0, 0));
    CRect half(R - 50, B - 4, R - 26, B + 2);
    dc->FillRect(&half, &black);
    dc->SelectObject(oldBrush);
    CRect label(R - 50, B - 16, R - 2, B - 6);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(RGB(255, 255, 255));
    dc->DrawText(ScaleBarLabel(scale), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawNorthArrow(CDC* dc, const RECT& frame) {
    const int R = frame.right;
    CBrush fill;
    fill.CreateSolidBrush(RGB(0, 128, 128));
    HGDIOBJ oldBrush = dc->SelectObject(fill.GetSafeHandle());
    const POINT right[3] = {{R - 6, 2}, {R, 20}, {R - 6, 14}};
    dc->Polygon(right, 3);
    dc->SelectObject(oldBrush);
    const POINT left[3] = {{R - 6, 2}, {R - 12, 20}, {R - 6, 14}};
    dc->Polygon(left, 3);
    HGDIOBJ oldFont = dc->SelectObject(SystemFont());
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(RGB(255, 255, 255));
    dc->TextOut(R - 10, frame.top + 16, CString(L"北"));
    dc->SelectObject(oldFont);
}

int LinkLevel(int diffAge) {
    if (diffAge >= 1 && diffAge <= 3) return 10;
    if (diffAge >= 4 && diffAge <= 8) return 10 - diffAge;
    return 0;
}

CString LinkLetter(const CVendropDoc* doc) {
    if (doc == nullptr) return L" ";
    switch (doc->m_sysParams.GSMMODE) {
        case 0:
            if (doc->m_nRadioChannel >= 1 && doc->m_nRadioChannel <= 4) {
                CString text;
                text.Format(L"%d", doc->m_nRadioChannel);
                return text;
            }
            return L" ";
        case 1:
            return doc->m_bLinkFlagM ? L"M" : L" ";
        case 2:
            return doc->m_bLinkFlagR ? L"R" : L" ";
        default:
            return L" ";
    }
}

void DrawLinkIndicator(CDC* dc, const RECT& frame, bool bars, int diffAge, const CString& letter) {
    const int L = frame.left, T = frame.top;
    CPen none;
    none.CreatePen(PS_NULL, 0, RGB(255, 255, 255));
    HGDIOBJ oldPen = dc->SelectObject(none.GetSafeHandle());
    HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(WHITE_BRUSH));
    dc->Rectangle(L + 4, T - 4, L + 48, T + 8);
    dc->SelectObject(oldPen);
    dc->MoveTo(L + 8, T + 8);
    dc->LineTo(L + 8, T - 4);
    dc->MoveTo(L + 4, T - 4);
    dc->LineTo(L + 12, T - 4);
    dc->MoveTo(L + 4, T - 4);
    dc->LineTo(L + 8, T + 2);
    dc->MoveTo(L + 12, T - 4);
    dc->LineTo(L + 8, T + 2);
    if (bars) {
        CBrush black;
        black.CreateSolidBrush(RGB(0, 0, 0));
        dc->SelectObject(black.GetSafeHandle());
        const int count = static_cast<int>(LinkLevel(diffAge) * 0.8);
        for (int i = 1; i <= count; ++i)
            dc->Rectangle(12 + 4 * i, static_cast<int>(T + 8 - 1.2 * i), 14 + 4 * i, T + 8);
    }
    dc->SelectObject(oldBrush);
    CRect box(L - 4, T - 4, L + 4, T + 8);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(RGB(255, 255, 255));
    dc->DrawText(letter, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void DrawFixTime(CDC* dc, const RECT& frame, const SurveyRecord& fix) {
    CString text;
    text.Format(L"%02d:%02d:%02.0f", fix.nHour, fix.nMinute, fix.dSecond);
    CRect box(frame.left, frame.bottom - 10, frame.left + 50, frame.bottom);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(RGB(255, 255, 255));
    dc->DrawText(text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
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
