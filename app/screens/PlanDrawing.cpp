#include "app/screens/PlanDrawing.h"

#include <cmath>

#include "app/shell/VendropDoc.h"
#include "graphics/DrawCircle.h"
#include "graphics/GridMapping.h"
#include "res/resource.h"

namespace screens {

int ToPixel(double value) {
    if (!std::isfinite(value)) return static_cast<int>(-kPixelLimit);
    if (value > kPixelLimit) return static_cast<int>(kPixelLimit);
    if (value < -kPixelLimit) return static_cast<int>(-kPixelLimit);
    return static_cast<int>(value);
}

CPoint PlanMapping::ToScreen(double n, double e) const {
    return CPoint(ToPixel((e - dCentreE) / dScale + nOriginX),
                  ToPixel(nOriginY - (n - dCentreN) / dScale));
}

PlanFonts::PlanFonts() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    m_hSmall = ::CreateFont(-(8 * dpi + 36) / 72, 0, 0, 0, 400, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                            L"宋体");
    m_hBold = ::CreateFont(14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"system");
}

PlanFonts::~PlanFonts() {
    if (m_hSmall) ::DeleteObject(m_hSmall);
    if (m_hBold) ::DeleteObject(m_hBold);
}

namespace {

void Line(HDC hdc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(hdc, x1, y1, nullptr);
    ::LineTo(hdc, x2, y2);
}

void SmallEllipse(HDC hdc, int x, int y) {
    ::Ellipse(hdc, x - 2, y - 2, x + 2, y + 2);
}

void DrawMarkerShapes(HDC hdc, const Marker& marker) {
    if (marker.GetSize() == 1) {
        DrawCircle(hdc, marker[0].x, marker[0].y, 8);
        DrawCircle(hdc, marker[0].x, marker[0].y, 2);
    } else if (marker.GetSize() == 4) {
        SmallEllipse(hdc, marker[0].x, marker[0].y);
        POINT triangle[3] = {marker[1], marker[2], marker[3]};
        ::Polygon(hdc, triangle, 3);
    }
}

// Text on the plan in `font` (null: the context's own), on white unless
// `transparent`; the context's font and background are kept.
void DrawLetters(HDC hdc, const CString& text, RECT box, UINT format, HFONT font,
                 bool transparent) {
    HGDIOBJ oldFont = font ? ::SelectObject(hdc, font) : nullptr;
    const COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    const int oldMode = ::SetBkMode(hdc, transparent ? TRANSPARENT : OPAQUE);
    ::DrawText(hdc, text, -1, &box, format);
    ::SetBkMode(hdc, oldMode);
    ::SetBkColor(hdc, oldBk);
    if (oldFont) ::SelectObject(hdc, oldFont);
}

}  // namespace

void InvertMarker(HDC hdc, const Marker& marker) {
    const int oldRop = ::SetROP2(hdc, R2_NOT);
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    DrawMarkerShapes(hdc, marker);
    ::SelectObject(hdc, oldBrush);
    ::SetROP2(hdc, oldRop);
}

bool IsSingleStatus(const CString& status) {
    return status == L"SINGLE" || status == L"单点解";
}

void MoveMarker(HDC hdc, const PlanMapping& map, double n, double e, bool stationaryStatus,
                double& prevN, double& prevE, Marker& marker) {
    const double dN = n - prevN;
    const double dE = e - prevE;
    // A still receiver keeps its marker; one that shows none (the first fix,
    // or after a repaint cleared the plan) gets the stationary one.
    if (std::fabs(dN) < 1e-6 && std::fabs(dE) < 1e-6 && marker.GetSize() > 0) return;
    const double d = std::hypot(dN, dE);
    InvertMarker(hdc, marker);
    marker.RemoveAll();
    const CPoint p = map.ToScreen(n, e);
    if ((stationaryStatus && d < 0.1) || d < 0.02) {
        marker.Add(p);
    } else {
        const double a = std::atan2(dN, dE) + 3.14159265358979323846;
        const double ahead = 15.0 * map.dScale / d;
        const CPoint tip = map.ToScreen(n + dN * ahead, e + dE * ahead);
        const CPoint wing1(tip.x + static_cast<int>(25 * std::cos(a - 0.25)),
                           tip.y + static_cast<int>(-25 * std::sin(a - 0.25)));
        const CPoint wing2(tip.x + static_cast<int>(25 * std::cos(a + 0.25)),
                           tip.y + static_cast<int>(-25 * std::sin(a + 0.25)));
        marker.Add(p);
        marker.Add(tip);
        marker.Add(wing1);
        marker.Add(wing2);
    }
    InvertMarker(hdc, marker);
    prevN = n;
    prevE = e;
}

bool OutsideHalfPlan(const PlanMapping& map, const CRect& draw, double n, double e) {
    return std::fabs(n - map.dCentreN) > draw.Height() * map.dScale * 0.5 ||
           std::fabs(e - map.dCentreE) > draw.Width() * map.dScale * 0.5;
}

int LinkLevel(int age) {
    if (age >= 1 && age <= 3) return 10;
    if (age >= 4 && age <= 8) return 10 - age;
    return 0;
}

CString LinkLetter(const CVendropDoc* doc) {
    if (doc == nullptr) return L" ";
    CString letter = L" ";
    switch (doc->m_sysParams.GSMMODE) {
        case 0:
            if (doc->m_nRadioChannel >= 1 && doc->m_nRadioChannel <= 4)
                letter.Format(L"%d", doc->m_nRadioChannel);
            break;
        case 1:
            if (doc->m_bLinkFlagM) letter = L"M";
            break;
        case 2:
            if (doc->m_bLinkFlagR) letter = L"R";
            break;
        default:
            break;
    }
    return letter;
}

void DrawLinkIndicator(HDC hdc, const CRect& draw, int diffAge, bool bars, const CString& letter,
                       const LinkLettering& lettering) {
    const int left = draw.left;
    const int top = draw.top;
    RECT clear = {left + 4, top - 4, left + 48, top + 8};
    ::FillRect(hdc, &clear, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    Line(hdc, left + 8, top + 8, left + 8, top - 4);
    Line(hdc, left + 4, top - 4, left + 12, top - 4);
    Line(hdc, left + 4, top - 4, left + 8, top + 2);
    Line(hdc, left + 12, top - 4, left + 8, top + 2);
    const int count = bars ? static_cast<int>(LinkLevel(diffAge) * 0.8) : 0;
    const int y0 = top + 8;
    HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    for (int k = 1; k <= count; ++k) {
        RECT bar = {12 + 4 * k, static_cast<int>(y0 - 1.2 * k), 14 + 4 * k, y0};
        ::FillRect(hdc, &bar, black);
    }
    ::SelectObject(hdc, oldPen);
    RECT box = {left - 4, top - 4, left + 4, top + 8};
    DrawLetters(hdc, letter, box, DT_SINGLELINE | DT_VCENTER | (lettering.boxed ? 0 : DT_NOCLIP),
                lettering.font, !lettering.boxed);
}

void DrawNorthArrow(HDC hdc, const CRect& draw, HFONT bold) {
    const int r = draw.right;
    const int t = draw.top;
    HBRUSH teal = ::CreateSolidBrush(RGB(0, 128, 128));
    HGDIOBJ oldBrush = ::SelectObject(hdc, teal);
    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    POINT east[3] = {{r - 6, 2}, {r, 20}, {r - 6, 14}};
    ::Polygon(hdc, east, 3);
    CString north;
    north.LoadString(IDS_STRING61339);
    HGDIOBJ oldFont = ::SelectObject(hdc, bold);
    const int oldMode = ::SetBkMode(hdc, OPAQUE);
    const COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    ::TextOut(hdc, r - 10, t + 16, north, north.GetLength());
    ::SetBkColor(hdc, oldBk);
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldFont);
    ::SelectObject(hdc, oldBrush);
    POINT west[3] = {{r - 6, 2}, {r - 6, 14}, {r - 12, 20}};
    ::Polygon(hdc, west, 3);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(teal);
}

CString ScaleLabel(double metres) {
    CString unit;
    unit.LoadString(IDS_STRING61254);
    return ScaleBarLabel(metres) + unit;
}

void DrawScaleBar(HDC hdc, const CRect& draw, double scale, HFONT font) {
    const int r = draw.right;
    const int y = draw.bottom - 4;
    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(WHITE_BRUSH));
    ::Rectangle(hdc, r - 50, y, r - 2, y + 6);
    RECT half = {r - 50, y, r - 26, y + 6};
    ::FillRect(hdc, &half, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SelectObject(hdc, oldBrush);
    ::SelectObject(hdc, oldPen);
    RECT box = {r - 50, y - 12, r - 2, y - 2};
    // The box is shorter than the faces: the label may stand a row beyond
    // it, still above the bar, rather than lose its head or its foot.
    DrawLetters(hdc, ScaleLabel(24.0 * scale), box,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOCLIP, font, false);
}

void DrawFixTime(HDC hdc, const CRect& draw, const SurveyRecord& fix, HFONT font) {
    CString text;
    text.Format(L"%02d:%02d:%02.0f", fix.nHour, fix.nMinute, fix.dSecond);
    RECT box = {draw.left, draw.bottom - 10, draw.left + 50, draw.bottom};
    DrawLetters(hdc, text, box, DT_SINGLELINE | DT_VCENTER, font, false);
}

PointLabeller::PointLabeller(HDC hdc, HFONT font) : m_hdc(hdc) {
    m_oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    m_oldBrush = ::SelectObject(hdc, ::GetStockObject(WHITE_BRUSH));
    m_oldFont = ::SelectObject(hdc, font);
    m_oldMode = ::SetBkMode(hdc, TRANSPARENT);
    TEXTMETRIC metrics{};
    ::GetTextMetrics(hdc, &metrics);
    m_nTextHeight = metrics.tmHeight;
    TakeCircleRuns();
}

// The circle of radius 2 is the same few pixels at every point: drawn
// once off the screen, it is kept as runs of outline and interior pixels
// that each point then fills, which gives the ellipse's very pixels at a
// fraction of its cost when thousands of points are shown.
void PointLabeller::TakeCircleRuns() {
    constexpr int kSize = 9;
    constexpr int kCentre = 4;
    constexpr COLORREF kBack = RGB(1, 2, 3);
    HDC memory = ::CreateCompatibleDC(m_hdc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(m_hdc, kSize, kSize);
    if (!memory || !bitmap) {
        if (bitmap) ::DeleteObject(bitmap);
        if (memory) ::DeleteDC(memory);
        return;
    }
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    HBRUSH back = ::CreateSolidBrush(kBack);
    RECT all = {0, 0, kSize, kSize};
    ::FillRect(memory, &all, back);
    ::DeleteObject(back);
    HGDIOBJ oldPen = ::SelectObject(memory, ::GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = ::SelectObject(memory, ::GetStockObject(WHITE_BRUSH));
    SmallEllipse(memory, kCentre, kCentre);
    bool exact = true;
    for (int y = 0; y < kSize && exact; ++y) {
        for (int x = 0; x < kSize;) {
            const COLORREF c = ::GetPixel(memory, x, y);
            if (c == kBack) {
                ++x;
                continue;
            }
            if (c != RGB(0, 0, 0) && c != RGB(255, 255, 255)) {
                exact = false;
                break;
            }
            int end = x + 1;
            while (end < kSize && ::GetPixel(memory, end, y) == c) ++end;
            m_circleRuns.push_back({y - kCentre, x - kCentre, end - kCentre, c == RGB(0, 0, 0)});
            x = end;
        }
    }
    if (!exact) m_circleRuns.clear();
    m_bCircleRuns = exact && !m_circleRuns.empty();
    ::SelectObject(memory, oldBrush);
    ::SelectObject(memory, oldPen);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

PointLabeller::~PointLabeller() {
    ::SetBkMode(m_hdc, m_oldMode);
    ::SelectObject(m_hdc, m_oldFont);
    ::SelectObject(m_hdc, m_oldBrush);
    ::SelectObject(m_hdc, m_oldPen);
}

// The label in (x + 5, y - 5, x + 45, y + 5), on one line, vertically
// centred and clipped to that box.
void PointLabeller::Draw(int x, int y, const CString& label) {
    if (m_bCircleRuns) {
        HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        for (const CircleRun& run : m_circleRuns) {
            RECT r = {x + run.x0, y + run.dy, x + run.x1, y + run.dy + 1};
            ::FillRect(m_hdc, &r, run.outline ? black : white);
        }
    } else {
        SmallEllipse(m_hdc, x, y);
    }
    RECT box = {x + 5, y - 5, x + 45, y + 5};
    ::ExtTextOut(m_hdc, box.left, y - m_nTextHeight / 2, ETO_CLIPPED, &box, label,
                 static_cast<UINT>(label.GetLength()), nullptr);
}

void DrawPointLabel(HDC hdc, int x, int y, const CString& label, HFONT font) {
    PointLabeller labeller(hdc, font);
    labeller.Draw(x, y, label);
}

double ZoomedIn(double scale) {
    return scale * 70.0 > 0.01 ? scale * 0.875 : scale;
}

double ZoomedOut(double scale) {
    const double doubled = scale * 2.0;
    return std::isfinite(doubled) && doubled < 1.0e12 ? doubled : scale;
}

}  // namespace screens
