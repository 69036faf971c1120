#include "app/link/InfoSkyPlotDlg.h"

#include <cmath>

#include "app/shell/VendropDoc.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kSky = RGB(255, 255, 255);
constexpr COLORREF kLines = RGB(0, 0, 0);
constexpr COLORREF kArrow = RGB(0, 128, 128);
constexpr int kPrnBox = 15;

CFont* MakeFont(CFont& font, int height, int weight) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    wcscpy(lf.lfFaceName, L"System");
    font.CreateFontIndirect(&lf);
    return &font;
}

BOOL SameSky(const SatelliteInfo& a, const SatelliteInfo& b) {
    return a.nPrn == b.nPrn && a.nElevation == b.nElevation && a.nAzimuth == b.nAzimuth;
}

}  // namespace

BEGIN_MESSAGE_MAP(CInfoSkyPlotDlg, CInfoPage)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CInfoSkyPlotDlg::Refresh() {
    BOOL same = TRUE;
    for (int i = 0; i < SurveyRecord::kMaxSatellites; ++i)
        same = same && SameSky(m_drawn[i], m_record.sats[i]);
    if (same) return;
    for (int i = 0; i < SurveyRecord::kMaxSatellites; ++i) m_drawn[i] = m_record.sats[i];
    m_nDrawnInView = m_record.nSatsInView;
    Invalidate();
    UpdateWindow();
}

// Centred horizontally; the circle's top lies half of (20 - client top)
// below the client top.
CPoint CInfoSkyPlotDlg::Centre() const {
    CRect client;
    GetClientRect(&client);
    const int top = client.top + (20 - client.top) / 2;
    return CPoint(client.left + client.Width() / 2, top + kDiameter / 2);
}

void CInfoSkyPlotDlg::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CPoint centre = Centre();
    DrawFrame(dc, centre);
    DrawNorthArrow(dc, client);
    DrawSatellites(dc, centre);
}

void CInfoSkyPlotDlg::DrawFrame(CDC& dc, CPoint centre) {
    const int r = kDiameter / 2;
    CPen solid(PS_SOLID, 1, kLines);
    CBrush sky;
    sky.CreateSolidBrush(kSky);
    CPen* oldPen = dc.SelectObject(&solid);
    CBrush* oldBrush = dc.SelectObject(&sky);
    dc.Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    dc.SelectStockObject(NULL_BRUSH);
    const int r45 = static_cast<int>(r * std::sin(45.0 * CCoordTransform::kDeg));
    dc.Ellipse(centre.x - r45, centre.y - r45, centre.x + r45, centre.y + r45);
    const int mask = g_pDoc ? g_pDoc->m_sysParams.nGAngle : 0;
    if (mask > 0 && mask < 91) {
        CPen dashed(PS_DASH, 1, kLines);
        dc.SelectObject(&dashed);
        const int rm = static_cast<int>(r * std::cos(mask * CCoordTransform::kDeg));
        dc.Ellipse(centre.x - rm, centre.y - rm, centre.x + rm, centre.y + rm);
        dc.SelectObject(&solid);
    }
    dc.MoveTo(centre.x - r, centre.y);
    dc.LineTo(centre.x + r, centre.y);
    dc.MoveTo(centre.x, centre.y - r);
    dc.LineTo(centre.x, centre.y + r);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CInfoSkyPlotDlg::DrawNorthArrow(CDC& dc, const CRect& client) {
    const POINT left[3] = {{22, 10}, {14, 40}, {22, 30}};
    const POINT right[3] = {{22, 10}, {22, 30}, {30, 40}};
    CPen pen(PS_SOLID, 1, kLines);
    CBrush fill;
    fill.CreateSolidBrush(kArrow);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.Polygon(left, 3);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Polygon(right, 3);
    CFont font;
    CFont* oldFont = dc.SelectObject(MakeFont(font, 16, FW_BOLD));
    CString north;
    north.LoadString(IDS_STRING61339);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kLines);
    dc.TextOut(client.left + 4, client.top + 4, north);
    dc.SelectObject(oldFont);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CInfoSkyPlotDlg::DrawSatellites(CDC& dc, CPoint centre) {
    if (m_nDrawnInView >= 13) return;
    CBitmap withSignal;
    CBitmap noSignal;
    withSignal.LoadBitmap(IDB_SAT_SNR);
    noSignal.LoadBitmap(IDB_SAT_NO_SNR);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CFont font;
    CFont* oldFont = dc.SelectObject(MakeFont(font, 13, FW_NORMAL));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kLines);
    CBitmap* oldBitmap = nullptr;
    for (int i = 0; i < m_nDrawnInView; ++i) {
        const SatelliteInfo& sat = m_drawn[i];
        const double el = sat.nElevation * CCoordTransform::kDeg;
        const double az = sat.nAzimuth * CCoordTransform::kDeg;
        const double dx = kPlotRadius * std::cos(el) * std::sin(az);
        const double dy = -kPlotRadius * std::cos(el) * std::cos(az);
        if (std::sqrt(dx * dx + dy * dy) > kRimRadius) continue;
        CBitmap& mark = sat.nSnr == 0 ? noSignal : withSignal;
        const int size = sat.nSnr == 0 ? 16 : 20;
        const int x = centre.x + static_cast<int>(dx);
        const int y = centre.y + static_cast<int>(dy);
        CBitmap* previous = memory.SelectObject(&mark);
        if (!oldBitmap) oldBitmap = previous;
        dc.BitBlt(x - size / 2, y - size / 2, size, size, &memory, 0, 0, SRCCOPY);
        CString prn;
        prn.Format(L"%02d", sat.nPrn);
        CRect box(x + size / 2, y - size / 2, x + size / 2 + kPrnBox, y + size / 2);
        dc.DrawText(prn, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (oldBitmap) memory.SelectObject(oldBitmap);
    dc.SelectObject(oldFont);
}
