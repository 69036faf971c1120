#include "app/screens/DialogViewSavePoint.h"

#include <algorithm>
#include <cmath>

#include "app/FrameMessages.h"
#include "app/coordsys/ParamViewDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/points/StoreTypeDlg.h"
#include "app/shell/KeyMap.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CDialogViewSavePoint, CFormView)

const int CDialogViewSavePoint::kButtonIds[kButtonCount] = {
    IDC_SP_STORE_TYPE,  IDC_SP_HELP,    IDC_SP_PARAMS,   IDC_SP_COORD_LIB, IDC_SP_EXIT,
    IDC_SP_ZOOM_WINDOW, IDC_SP_ZOOM_IN, IDC_SP_ZOOM_OUT, IDC_SP_ZOOM_ALL,  IDC_SP_STORE};
const int CDialogViewSavePoint::kButtonIcons[kButtonCount] = {
    IDI_STORE_TYPE,  IDI_HELP,    IDI_PARAMETERS, IDI_COORD_LIBRARY, IDI_EXIT,
    IDI_ZOOM_WINDOW, IDI_ZOOM_IN, IDI_ZOOM_OUT,   IDI_ZOOM_ALL,      IDI_STORE};

BEGIN_MESSAGE_MAP(CDialogViewSavePoint, CFormView)
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_WM_PAINT()
ON_WM_DRAWITEM()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_BN_CLICKED(IDC_SP_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_SP_ZOOM_OUT, OnZoomOut)
ON_BN_CLICKED(IDC_SP_ZOOM_WINDOW, OnZoomWindow)
ON_BN_CLICKED(IDC_SP_ZOOM_ALL, OnZoomAll)
ON_BN_CLICKED(IDC_SP_STORE_TYPE, OnStoreType)
ON_BN_CLICKED(IDC_SP_COORD_LIB, OnCoordLibrary)
ON_BN_CLICKED(IDC_SP_PARAMS, OnParameters)
ON_BN_CLICKED(IDC_SP_STORE, OnStoreButton)
ON_BN_CLICKED(IDC_SP_HELP, OnHelp)
ON_BN_CLICKED(IDC_SP_EXIT, OnExit)
END_MESSAGE_MAP()

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CDialogViewSavePoint::CDialogViewSavePoint() : CFormView(IDD_DIALOG_VIEW_SAVE_POINT) {}

CDialogViewSavePoint::~CDialogViewSavePoint() = default;

CVendropDoc* CDialogViewSavePoint::Doc() {
    return g_pDoc;
}

void CDialogViewSavePoint::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SP_STATUS, m_strStatusText);
}

void CDialogViewSavePoint::OnInitialUpdate() {
    m_plan.SubclassDlgItem(IDC_SP_PLAN, this);
    m_plan.SetBkColor(RGB(255, 255, 255));
    m_btnDefault.SubclassDlgItem(IDC_SP_DEFAULT, this);
    for (int i = 0; i < kButtonCount; ++i) {
        COwnerDrawButton& button = m_buttons[i];
        button.SubclassDlgItem(kButtonIds[i], this);
        button.SetFont(GetFont());
        button.SetIcon(kButtonIcons[i], 28, 28);
        button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN,
                        ::GetSysColor(COLOR_BTNFACE) + 1973790);
        button.SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        button.SetAlign(COwnerDrawButton::ST_ALIGN_HORIZ_RIGHT);
        button.SetFlat(FALSE);
    }
    m_hIcon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ResetPlan();
    CFormView::OnInitialUpdate();
    if (auto* frame = GetMainFrame()) frame->SetViewWnd(m_hWnd);
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::ResetPlan() {
    m_strStatusText.Empty();
    m_strName.Empty();
    m_strX.Empty();
    m_strY.Empty();
    m_strH.Empty();
    m_strStatus.Empty();
    m_strPdop.Empty();
    m_strRms.Empty();
    m_strLoadedFile.Empty();
    m_bPointsLoaded = 0;
    m_bBlink = 1;
    m_bHaveFix = 0;
    m_bPrevSet = 0;
    m_btnDefault.ShowWindow(SW_HIDE);
    m_rcDraw = PlanClient();
    m_rcDraw.DeflateRect(6, 6);
    m_bZoomWindow = 0;
    m_dScale = 1.0;
    m_dCentreN = m_dCentreE = 0.0;
    m_points.RemoveAll();
    m_marker.RemoveAll();
    m_ptBand = m_ptLast = CPoint(-1, -1);
    Invalidate();
}

CRect CDialogViewSavePoint::PlanClient() const {
    CRect rc(0, 0, 0, 0);
    if (m_plan.GetSafeHwnd()) m_plan.GetClientRect(&rc);
    return rc;
}

screens::PlanMapping CDialogViewSavePoint::Mapping() const {
    screens::PlanMapping map;
    map.dCentreN = m_dCentreN;
    map.dCentreE = m_dCentreE;
    map.dScale = m_dScale;
    map.nOriginX = m_rcDraw.Width() / 2 + 6;
    map.nOriginY = m_rcDraw.Height() / 2 + 6;
    return map;
}

void CDialogViewSavePoint::LoadPoints() {
    const CVendropDoc* doc = Doc();
    LoadScreenPoints(doc->m_strDataDir + doc->m_strDataFile, m_points);
}

void CDialogViewSavePoint::ZoomToAllPoints() {
    if (m_points.GetSize() == 0) return;
    double minX = m_points[0].dX, maxX = minX, minY = m_points[0].dY, maxY = minY;
    for (int i = 1; i < m_points.GetSize(); ++i) {
        minX = std::min(minX, m_points[i].dX);
        maxX = std::max(maxX, m_points[i].dX);
        minY = std::min(minY, m_points[i].dY);
        maxY = std::max(maxY, m_points[i].dY);
    }
    const double h = m_rcDraw.Height() > 0 ? m_rcDraw.Height() : 1;
    const double w = m_rcDraw.Width() > 0 ? m_rcDraw.Width() : 1;
    double scale = std::max((maxX - minX) / h, (maxY - minY) / w);
    if (!(scale > 0.01) || !std::isfinite(scale)) scale = std::isfinite(scale) ? 0.01 : 1.0e9;
    m_dScale = scale;
    m_dCentreN = (minX + maxX) / 2;
    m_dCentreE = (minY + maxY) / 2;
    Invalidate();
}

CString CDialogViewSavePoint::HelpText() const {
    const CVendropDoc* doc = Doc();
    return LoadText(IDS_STRING61401) + L"\n" + LoadText(IDS_STRING61356) + L"\n\n" +
           doc->m_strDataDir + doc->m_strDataFile + L"\n";
}

LRESULT CDialogViewSavePoint::OnPositionUpdate(WPARAM wParam, LPARAM) {
    if (wParam == 0 || Doc() == nullptr) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    CVendropDoc* doc = Doc();
    const CString& status = m_fix.strStatus;
    if (status == L"FINDRADIO") {
        m_strStatus = LoadText(IDS_STRING61398);
        DrawStatusReadout();
        return 0;
    }
    if (status == L"FIND") {
        m_strStatus = LoadText(IDS_STRING61399);
        DrawStatusReadout();
        Invalidate();
        return 0;
    }
    if (status == L"NODATA") {
        m_strStatus = LoadText(IDS_STRING61333);
        DrawStatusReadout();
        m_bHaveFix = 0;
        DrawNoDataIndicator();
        return 0;
    }
    if (!m_bPointsLoaded) {
        LoadPoints();
        ZoomToAllPoints();
        m_strLoadedFile = doc->m_strDataFile;
        m_bPointsLoaded = 1;
        Invalidate();
    } else if (m_strLoadedFile != doc->m_strDataFile) {
        // The job's data file changed: its points are read at the next fix.
        m_strLoadedFile.Empty();
        m_bPointsLoaded = 0;
    }
    m_bHaveFix = 1;
    doc->m_bGgaSeen = 1;
    FormatReadouts();
    DrawLiveReadouts();
    DrawPlanFix();
    PointRecord stored;
    if (screens::CollectAutomatically(*doc, m_fix, &stored)) {
        m_points.Add(stored);
        DrawStoredPoint(stored);
    }
    return 0;
}

void CDialogViewSavePoint::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl == IDC_SP_STORE_TYPE) InvalidateRect(nullptr, FALSE);
    CFormView::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

// ---- Keys ----

BOOL CDialogViewSavePoint::PreTranslateMessage(MSG* pMsg) {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return CFormView::PreTranslateMessage(pMsg);
    switch (MapKeyToCommand(pMsg->message, pMsg->wParam)) {
        case 'A':
            if (!Store(screens::StoreRoad::kKeyA)) return FALSE;
            break;
        case 'D':
            if (!Store(screens::StoreRoad::kKeyD)) return FALSE;
            break;
        case 'B':
            if (screens::IsSecondBPress(m_nKeyMinute, m_nKeySecond)) {
                CMeasurePointLibDlg dialog;
                dialog.DoModal();
            }
            break;
        case '5':
            doc->m_bPositionFeed = 1;
            doc->m_bStatusInChinese = 1;
            Invalidate();
            break;
        case '6':
            doc->m_nCoordDisplay = doc->m_nCoordDisplay == 0 ? 1 : 0;
            break;
        default:
            break;
    }
    return CFormView::PreTranslateMessage(pMsg);
}

// FALSE when a check of the road refused the action.
BOOL CDialogViewSavePoint::Store(screens::StoreRoad road) {
    PointRecord stored;
    const screens::StoreResult result =
        screens::StorePoint(*Doc(), this, road, m_bHaveFix, m_fix, &stored);
    if (result == screens::StoreResult::kRefused) return FALSE;
    if (result == screens::StoreResult::kStored) {
        m_points.Add(stored);
        UpdateData(FALSE);
    }
    return TRUE;
}

// ---- Buttons ----

void CDialogViewSavePoint::OnZoomIn() {
    m_dScale = screens::ZoomedIn(m_dScale);
    Invalidate();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnZoomOut() {
    m_dScale = screens::ZoomedOut(m_dScale);
    Invalidate();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnZoomWindow() {
    m_bZoomWindow = 1;
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnZoomAll() {
    ZoomToAllPoints();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnStoreType() {
    CStoreTypeDlg dialog(this);
    dialog.DoModal();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnCoordLibrary() {
    CCoordLibDlg dialog(this);
    dialog.SetMode(2);
    dialog.DoModal();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnParameters() {
    CParamViewDlg dialog(this);
    dialog.DoModal();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnStoreButton() {
    (void)Store(screens::StoreRoad::kStoreButton);  // a refusal has had its box
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnHelp() {
    CInfoDisplayDlg dialog(this);
    dialog.m_strOtherText = HelpText();
    dialog.DoModal();
    m_btnDefault.SetFocus();
}

void CDialogViewSavePoint::OnExit() {
    if (MessageBox(L"确定要退出Quorvel吗?", LoadText(IDS_STRING61468), MB_YESNO) == IDYES) {
        if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, ID_APP_EXIT);
        return;
    }
    m_btnDefault.SetFocus();
}

// ---- Stylus ----

void CDialogViewSavePoint::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!PlanClient().PtInRect(point)) {
        m_bZoomWindow = 0;
        CFormView::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_bZoomWindow) m_ptDown = point;
    m_ptLast = point;
    CFormView::OnLButtonDown(nFlags, point);
}

void CDialogViewSavePoint::OnMouseMove(UINT nFlags, CPoint point) {
    // A stylus moves only while it touches; a mouse passing over does not pan.
    if (!(nFlags & MK_LBUTTON) || !PlanClient().PtInRect(point)) {
        CFormView::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bZoomWindow) {
        if (m_ptBand != CPoint(-1, -1)) DrawBand(m_ptDown, m_ptBand);
        DrawBand(m_ptDown, point);
        m_ptBand = point;
    } else if (m_ptLast != CPoint(-1, -1)) {
        m_dCentreN += (point.y - m_ptLast.y) * m_dScale;
        m_dCentreE -= (point.x - m_ptLast.x) * m_dScale;
        m_ptLast = point;
        Invalidate();
    }
    CFormView::OnMouseMove(nFlags, point);
}

void CDialogViewSavePoint::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bZoomWindow && PlanClient().PtInRect(point)) {
        m_ptUp = point;
        m_ptBand = CPoint(-1, -1);
        m_bZoomWindow = 0;
        const int x1 = std::min(m_ptDown.x, m_ptUp.x), x2 = std::max(m_ptDown.x, m_ptUp.x);
        const int y1 = std::min(m_ptDown.y, m_ptUp.y), y2 = std::max(m_ptDown.y, m_ptUp.y);
        const CRect plan = PlanClient();
        m_dCentreE += ((x1 + x2) / 2 - plan.Width() / 2) * m_dScale;
        m_dCentreN -= ((y1 + y2) / 2 - plan.Height() / 2) * m_dScale;
        const double h = std::max(1, m_rcDraw.Height());
        const double w = std::max(1, m_rcDraw.Width());
        const double scale = std::max((y2 - y1) * m_dScale / h, (x2 - x1) * m_dScale / w);
        m_dScale = scale > 0.01 ? scale : 0.01;
        Invalidate();
    }
    CFormView::OnLButtonUp(nFlags, point);
}
