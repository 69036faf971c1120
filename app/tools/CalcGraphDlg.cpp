#include "app/tools/CalcGraphDlg.h"

#include "app/tools/ToolSupport.h"
#include "res/resource.h"

namespace {
constexpr int kInset = 10;
constexpr UINT_PTR kRedrawTimer = 1;
const int kButtonIds[4] = {IDC_GRAPH_ZOOM_ALL, IDC_GRAPH_ZOOM_WINDOW, IDC_GRAPH_ZOOM_IN,
                           IDC_GRAPH_ZOOM_OUT};
const int kButtonIcons[4] = {IDI_ZOOM_ALL, IDI_ZOOM_WINDOW, IDI_ZOOM_IN, IDI_ZOOM_OUT};
}  // namespace

BEGIN_MESSAGE_MAP(CCalcGraphDlg, CDialog)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_BN_CLICKED(IDC_GRAPH_ZOOM_ALL, OnZoomAll)
ON_BN_CLICKED(IDC_GRAPH_ZOOM_WINDOW, OnZoomWindow)
ON_BN_CLICKED(IDC_GRAPH_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_GRAPH_ZOOM_OUT, OnZoomOut)
END_MESSAGE_MAP()

CCalcGraphDlg::CCalcGraphDlg(CWnd* pParent) : CDialog(IDD_CALC_GRAPH, pParent) {}

void CCalcGraphDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GRAPH_INFO, m_strInfo);
    DDX_Text(pDX, IDC_GRAPH_SCALE, m_strScale);
    for (int i = 0; i < 4; ++i) DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
}

BOOL CCalcGraphDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < 4; ++i) m_buttons[i].SetIcon(kButtonIcons[i], 32, 32);
    UpdateDrawingRect();
    return TRUE;
}

void CCalcGraphDlg::UpdateDrawingRect() {
    m_view.PlaceOn(*this, IDC_GRAPH_PLAN, kInset);
}

void CCalcGraphDlg::ClearPoints() {
    m_x.clear();
    m_y.clear();
    m_h.clear();
    m_names.clear();
    m_attrs.clear();
    m_screen.clear();
    m_nSelected = -1;
}

void CCalcGraphDlg::AddPoint(const CString& name, double x, double y) {
    m_x.push_back(x);
    m_y.push_back(y);
    m_h.push_back(0.0);
    m_names.push_back(name);
    m_attrs.push_back(CString());
}

void CCalcGraphDlg::StartTimer() {
    if (m_nTimer) {
        KillTimer(m_nTimer);
        m_nPaints = 0;
    }
    m_nTimer = SetTimer(kRedrawTimer, 100);
}

void CCalcGraphDlg::ZoomAll() {
    std::vector<tools::PlanePoint> points;
    for (size_t i = 0; i < m_x.size(); ++i) points.push_back({m_x[i], m_y[i]});
    if (GetSafeHwnd()) UpdateDrawingRect();
    m_view.ZoomAll(points);
    if (GetSafeHwnd()) Invalidate();
}

// The page may be hidden when its points arrive: the timer redraws it once
// it has been shown, unless it has painted often enough since.
void CCalcGraphDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRedrawTimer) return;
    if (m_nPaints < 4) {
        Invalidate(FALSE);
        m_nPaints = 0;
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
}

void CCalcGraphDlg::OnPaint() {
    CPaintDC dc(this);
    ++m_nPaints;
    m_drag.bWindowZoom = FALSE;
    m_square = CPoint(-1, -1);
    UpdateDrawingRect();
    m_screen.clear();
    for (size_t i = 0; i < m_x.size(); ++i) m_screen.push_back(m_view.ToScreen(m_x[i], m_y[i]));
    if (m_x.size() < 2) return;
    Draw(dc);
    DrawScaleBar(dc);
}

void CCalcGraphDlg::Draw(CDC& dc) {
    CWnd* plan = GetDlgItem(IDC_GRAPH_PLAN);
    CRect box;
    plan->GetWindowRect(&box);
    ScreenToClient(&box);
    dc.FillSolidRect(&box, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(m_screen[0].x, m_screen[0].y);
    dc.LineTo(m_screen[1].x, m_screen[1].y);
    if (m_screen.size() >= 4) {
        dc.MoveTo(m_screen[2].x, m_screen[2].y);
        dc.LineTo(m_screen[3].x, m_screen[3].y);
    }
    dc.SelectStockObject(NULL_BRUSH);
    for (size_t i = 0; i < m_screen.size(); ++i) {
        if (m_view.Shows(m_screen[i])) tools::DrawPointMark(dc, m_screen[i], m_names[i]);
    }
    dc.SelectObject(oldPen);
}

void CCalcGraphDlg::DrawScaleBar(CDC& dc) {
    CWnd* bar = GetDlgItem(IDC_GRAPH_SCALE_BAR);
    if (!bar) return;
    CRect r;
    bar->GetWindowRect(&r);
    ScreenToClient(&r);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&r);
    const int half = r.Width() / 2;
    dc.FillSolidRect(r.left, r.top, half, r.Height(), RGB(0, 0, 0));
    double length = half * m_view.scale;
    if (length < 0.1) length = 0.1;
    m_strScale.Format(length > 1.0 ? L"1:%.0f" : L"1:%.3f", length);
    SetDlgItemText(IDC_GRAPH_SCALE, m_strScale);
}

void CCalcGraphDlg::Select(int index) {
    CClientDC dc(this);
    if (m_square.x != -1) tools::DrawSelectionSquare(dc, m_square);
    m_square = CPoint(-1, -1);
    m_nSelected = index;
    if (index < 0) {
        m_strInfo.Empty();
    } else {
        m_square = m_screen[index];
        tools::DrawSelectionSquare(dc, m_square);
        CString attr;
        attr.LoadString(IDS_STRING61236);
        m_strInfo.Format(L"%s:X:%12.4f,Y:%12.4f\r\nH:%.4f,%s:%s", m_names[index].GetString(),
                         m_x[index], m_y[index], m_h[index], attr.GetString(),
                         m_attrs[index].GetString());
    }
    SetDlgItemText(IDC_GRAPH_INFO, m_strInfo);
}

// A press selects in window-zoom mode too; it is also where the band starts.
void CCalcGraphDlg::OnLButtonDown(UINT, CPoint point) {
    m_drag.Down(point);
    SetCapture();
    Select(tools::HitPoint(m_screen, point));
}

void CCalcGraphDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_drag.Move(*this, m_view, nFlags, point)) Invalidate();
}

void CCalcGraphDlg::OnLButtonUp(UINT, CPoint point) {
    ReleaseCapture();
    if (m_drag.Up(m_view, point)) Invalidate();
}

void CCalcGraphDlg::OnZoomAll() {
    ZoomAll();
}

void CCalcGraphDlg::OnZoomWindow() {
    m_drag.bWindowZoom = TRUE;
}

void CCalcGraphDlg::OnZoomIn() {
    m_view.Zoom(0.75);
    Invalidate();
}

void CCalcGraphDlg::OnZoomOut() {
    m_view.Zoom(1.25);
    Invalidate();
}

void CCalcGraphDlg::OnCancel() {
    tools::CancelTool(this);
}
