// CGraphView: creation, painting through one memory bitmap, the scale bar,
// north arrow, link indicator and time, and the live drawing of each
// position straight onto the window.
#include "app/plan/GraphView.h"

#include <cmath>

#include "app/FrameMessages.h"
#include "app/screens/PlanDrawing.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "graphics/DrawCircle.h"
#include "graphics/DrawingFiles.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CGraphView, CView)

BEGIN_MESSAGE_MAP(CGraphView, CView)
ON_MESSAGE(WM_GRAPH_COMMAND, OnGraphCommand)
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_MESSAGE(WM_SOUNDER_DEPTH, OnSounderDepth)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_COMMAND(ID_LAYOUT_AREA, OnAreaLayout)
ON_COMMAND(ID_LAYOUT_CHANNEL, OnChannelLayout)
ON_COMMAND(ID_LAYOUT_PARALLEL, OnParallelLayout)
ON_COMMAND(ID_LAYOUT_PERPENDICULAR, OnPerpLayout)
END_MESSAGE_MAP()

namespace {

constexpr double kPi = 3.1415926535897;
constexpr double kTwoPi = 6.2831853071794;

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CGraphView::CGraphView() {
    auto layer = std::make_unique<CGraphLayer>();
    layer->m_strName = L"作图层";
    m_layers.push_back(std::move(layer));
}

CGraphView::~CGraphView() = default;

CVendropDoc* CGraphView::Doc() const {
    return g_pDoc;
}

GridMapping CGraphView::Mapping() const {
    GridMapping map;
    map.m_dOriginN = m_dOriginN;
    map.m_dOriginE = m_dOriginE;
    map.m_dScale = m_dScale;
    map.m_rcDraw = m_rcDraw;
    return map;
}

void CGraphView::CopyWindowToFrame() {
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_dGraphX = m_dOriginN;
        frame->m_dGraphY = m_dOriginE;
        frame->m_dGraphScale = m_dScale;
    }
}

void CGraphView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_hGraphView = m_hWnd;
        frame->AddNotifyWnd(m_hWnd);
    }
    GetClientRect(&m_rcDraw);
    m_rcDraw.DeflateRect(6, 6);
    m_dOriginE = m_dOriginN = 0.0;
    m_dScale = 1.0;
    m_bHaveData = FALSE;
    m_bBlink = TRUE;
    m_glyph.clear();
    m_dPrevN = m_dPrevE = 0.0;
    m_bZoomWindow = FALSE;
    m_bAreaDelete = 0;
    m_nTool = 0;
    m_ptBand = CPoint(-1, -1);
    m_ptDrag = CPoint(-1, -1);
    m_nKeyMinute = -1;
    m_nKeySecond = 0;
}

void CGraphView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    GetClientRect(&m_rcDraw);
    m_rcDraw.DeflateRect(6, 6);
}

void CGraphView::OnDraw(CDC* pDC) {
    m_glyph.clear();  // the bitmap paints over it
    CRect client;
    GetClientRect(&client);
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    CGdiObject* oldBrush = mem.SelectStockObject(WHITE_BRUSH);
    CGdiObject* oldPen = mem.SelectStockObject(NULL_PEN);
    mem.Rectangle(client.left, client.top, client.right + 2, client.bottom + 2);
    mem.SelectObject(oldPen);
    DrawScaleBar(&mem);
    DrawNorthArrow(&mem);
    DrawLinkIndicator(&mem, FALSE);
    const GridMapping map = Mapping();
    for (auto& layer : m_layers) ProjectLayer(*layer, map, client);
    for (auto& layer : m_layers) layer->Draw(&mem);
    pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(oldBrush);
    mem.SelectObject(oldBitmap);
}

void CGraphView::DrawScaleBar(CDC* pDC) {
    const int r = m_rcDraw.right, b = m_rcDraw.bottom, l = m_rcDraw.left;
    CPen black;
    black.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&black);
    pDC->Rectangle(r - 50, b - 4, r - 2, b + 2);
    CBrush fill;
    fill.CreateSolidBrush(RGB(0, 0, 0));
    CBrush* oldBrush = pDC->SelectObject(&fill);
    pDC->Rectangle(r - 50, b - 4, r - 26, b + 2);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    CRect label(r - 50, b - 16, r - 2, b - 6);
    pDC->DrawText(ScaleBarLabel(24 * m_dScale) + LoadText(IDS_STRING61254), &label,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    CString text;
    text.Format(L"%.3f", m_dOriginE);
    CRect east(l, b - 10, l + 75, b);
    pDC->DrawText(text, &east, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    text.Format(L"%.3f", m_dOriginN);
    CRect north(l, b - 22, l + 75, b - 12);
    pDC->DrawText(text, &north, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void CGraphView::DrawNorthArrow(CDC* pDC) {
    const int r = m_rcDraw.right, t = m_rcDraw.top;
    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"system");
    CFont* oldFont = pDC->SelectObject(&font);
    CBrush teal;
    teal.CreateSolidBrush(0x808000);
    CBrush* oldBrush = pDC->SelectObject(&teal);
    // The triangles' y values are from the window's top, not from t.
    const POINT dark[] = {{r - 6, 2}, {r, 20}, {r - 6, 14}};
    pDC->Polygon(dark, 3);
    pDC->TextOut(r - 10, t + 16, LoadText(IDS_STRING61339));
    pDC->SelectObject(oldBrush);
    const POINT light[] = {{r - 6, 2}, {r - 6, 14}, {r - 12, 20}};
    pDC->Polygon(light, 3);
    pDC->SelectObject(oldFont);
}

void CGraphView::DrawLinkIndicator(CDC* pDC, BOOL bBars) {
    const int l = m_rcDraw.left, t = m_rcDraw.top;
    const int age = m_fix.nAux;
    const int bars = bBars ? static_cast<int>(screens::LinkLevel(age) * 0.8) : 0;
    // One row taller than the bars reach: a rectangle without outline stops
    // a row short, which would leave the bars' bottom row behind when the
    // level drops.
    CGdiObject* oldPen = pDC->SelectStockObject(NULL_PEN);
    pDC->Rectangle(l + 4, t - 4, l + 48, t + 10);
    pDC->SelectObject(oldPen);
    pDC->MoveTo(l + 8, t + 8);
    pDC->LineTo(l + 8, t - 4);
    pDC->MoveTo(l + 4, t - 4);
    pDC->LineTo(l + 12, t - 4);
    pDC->MoveTo(l + 4, t - 4);
    pDC->LineTo(l + 8, t + 2);
    pDC->MoveTo(l + 12, t - 4);
    pDC->LineTo(l + 8, t + 2);
    // The bars' x values are from the window's left, not from l.
    for (int k = 1; k <= bars; ++k)
        pDC->Rectangle(12 + 4 * k, static_cast<int>(t + 8 - 1.2 * k), 14 + 4 * k, t + 8);
    CString letter;
    const CVendropDoc* doc = Doc();
    if (doc != nullptr) {
        switch (doc->m_sysParams.GSMMODE) {
            case 1:
                letter = doc->m_bLinkFlagM ? L"M" : L" ";
                break;
            case 0:
                if (doc->m_nRadioChannel >= 1 && doc->m_nRadioChannel <= 4)
                    letter.Format(L"%d", doc->m_nRadioChannel);
                else
                    letter = L" ";
                break;
            case 2:
                letter = doc->m_bLinkFlagR ? L"R" : L" ";
                break;
            default:
                break;
        }
    }
    CRect box(l - 4, t - 4, l + 4, t + 8);
    pDC->DrawText(letter, &box, DT_VCENTER | DT_SINGLELINE);
}

void CGraphView::DrawFixTime(CDC* pDC) {
    CString text;
    text.Format(L"%02d:%02d:%02.0f", m_fix.nHour, m_fix.nMinute, m_fix.dSecond);
    CRect box(m_rcDraw.right - 65, m_rcDraw.top, m_rcDraw.right - 15, m_rcDraw.top + 10);
    pDC->DrawText(text, &box, DT_VCENTER | DT_SINGLELINE);
}

void CGraphView::EnsureVisible(double north, double east, BOOL bRepaint) {
    const double h = m_rcDraw.Height() * m_dScale, w = m_rcDraw.Width() * m_dScale;
    if (std::fabs(north - m_dOriginN - h / 2) <= h / 2 &&
        std::fabs(east - m_dOriginE - w / 2) <= w / 2)
        return;
    if (!std::isfinite(north) || !std::isfinite(east)) return;
    m_dOriginN = north - h / 2;
    m_dOriginE = east - w / 2;
    if (bRepaint) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

LRESULT CGraphView::OnSounderDepth(WPARAM wParam, LPARAM) {
    if (wParam) m_depth = *reinterpret_cast<const SounderDepthBlock*>(wParam);
    return 0;
}

LRESULT CGraphView::OnPositionUpdate(WPARAM wParam, LPARAM) {
    if (wParam == 0) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    if (m_fix.strStatus == L"NODATA") {
        m_bHaveData = FALSE;
        return 0;
    }
    m_bHaveData = TRUE;
    EnsureVisible(m_fix.dX, m_fix.dY, TRUE);
    CClientDC dc(this);
    CVendropDoc* doc = Doc();
    CGraphLayer* layer = FirstLayer();
    // A paused run records no epoch: its last line is not a new point.
    if (doc != nullptr && doc->m_bMeasuring && !doc->m_bPaused && layer != nullptr) {
        const CStringRecord32& r = doc->m_lastRecord;
        CGraphPoint point;
        if (MakeTrackPoint(r[0], r[1], r[2], r[7], r[8], r[9], r[25], point)) {
            const POINT p = WorldToScreen(point.m_dX, point.m_dY);
            point.m_nScreenX = p.x;
            point.m_nScreenY = p.y;
            point.m_bOnScreen = TRUE;
            layer->m_points.m_items.push_back(point);
            DrawPointNow(&dc, point);
        }
    }
    DrawGlyph(&dc, m_fix.dX, m_fix.dY);
    m_dPrevN = m_fix.dX;
    m_dPrevE = m_fix.dY;
    m_bBlink = !m_bBlink;
    DrawLinkIndicator(&dc, m_bBlink);
    DrawFixTime(&dc);
    return 0;
}

void CGraphView::EraseGlyph(CDC* pDC) {
    if (m_glyph.size() == 1) {
        DrawCircle(pDC, m_glyph[0].x, m_glyph[0].y, 8);
        DrawCircle(pDC, m_glyph[0].x, m_glyph[0].y, 2);
    } else if (m_glyph.size() == 4) {
        const POINT& c = m_glyph[0];
        pDC->Ellipse(c.x - 2, c.y - 2, c.x + 2, c.y + 2);
        const POINT path[] = {m_glyph[1], m_glyph[2], m_glyph[3], m_glyph[1]};
        pDC->Polyline(path, 4);
    }
    m_glyph.clear();
}

// Drawn inverted, so that drawing a glyph again removes it.
void CGraphView::DrawGlyph(CDC* pDC, double north, double east) {
    const double dn = north - m_dPrevN, de = east - m_dPrevE;
    if (std::fabs(dn) < 1e-6 && std::fabs(de) < 1e-6) return;
    const double d = std::sqrt(dn * dn + de * de);
    const bool stationary = (m_fix.strStatus == L"SINGLE" && d < 0.1) || d < 0.02;
    const int oldMode = pDC->SetROP2(R2_NOT);
    EraseGlyph(pDC);
    const POINT c = WorldToScreen(north, east);
    if (stationary) {
        DrawCircle(pDC, c.x, c.y, 8);
        DrawCircle(pDC, c.x, c.y, 2);
        m_glyph = {c};
    } else {
        double a = std::atan2(dn, de) + kPi;
        if (a < 0) a += kTwoPi;
        const POINT tip =
            WorldToScreen(north + m_dScale * 15 * dn / d, east + m_dScale * 15 * de / d);
        const POINT w1{tip.x + static_cast<int>(25 * std::cos(a - 0.25)),
                       tip.y - static_cast<int>(25 * std::sin(a - 0.25))};
        const POINT w2{tip.x + static_cast<int>(25 * std::cos(a + 0.25)),
                       tip.y - static_cast<int>(25 * std::sin(a + 0.25))};
        pDC->Ellipse(c.x - 2, c.y - 2, c.x + 2, c.y + 2);
        const POINT path[] = {tip, w1, w2, tip};
        pDC->Polyline(path, 4);
        m_glyph = {c, tip, w1, w2};
    }
    pDC->SetROP2(oldMode);
}
