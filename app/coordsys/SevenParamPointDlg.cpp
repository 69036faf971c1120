#include "app/coordsys/SevenParamPointDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSevenParamPointDlg, CDialog)
ON_BN_CLICKED(IDC_PAIR_LIBRARY_1, OnGeodeticLibrary)
ON_BN_CLICKED(IDC_PAIR_LIBRARY_2, OnGridLibrary)
ON_BN_CLICKED(IDC_PAIR_PLAN_2, OnGridPlan)
END_MESSAGE_MAP()

CSevenParamPointDlg::CSevenParamPointDlg(CWnd* pParent) : CDialog(IDD_SEVEN_PARAM_POINT, pParent) {}

void CSevenParamPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAIR_LIBRARY_1, m_btnGeodetic);
    DDX_Control(pDX, IDC_PAIR_LIBRARY_2, m_btnLibrary);
    DDX_Control(pDX, IDC_PAIR_PLAN_2, m_btnPlan);
    DDX_Text(pDX, IDC_SEVEN_PAIR_NAME, m_strName);
    DDX_Text(pDX, IDC_GEO_LAT, m_strLat);
    DDX_Text(pDX, IDC_GEO_LON, m_strLon);
    DDX_Text(pDX, IDC_GEO_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_CTRL_X, m_strX);
    DDX_Text(pDX, IDC_CTRL_Y, m_strY);
    DDX_Text(pDX, IDC_CTRL_H, m_strH);
}

BOOL CSevenParamPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnGeodetic, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPlan, this, IDI_PICK_PLAN);
    CenterWindow();
    return TRUE;
}

void CSevenParamPointDlg::OnGeodeticLibrary() {
    UpdateData(TRUE);
    CLatLonCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strName = dlg.m_strPickName;
    m_strLat = dlg.m_strPickLat;
    m_strLon = dlg.m_strPickLon;
    m_strHeight = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CSevenParamPointDlg::OnGridLibrary() {
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strX = dlg.m_strPickNorth;
    m_strY = dlg.m_strPickEast;
    m_strH = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CSevenParamPointDlg::OnGridPlan() {
    UpdateData(TRUE);
    CPickPointDlg dlg;
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
    m_strX.Format(L"%.4f", point.dX);
    m_strY.Format(L"%.4f", point.dY);
    m_strH.Format(L"%.4f", point.dH);
    UpdateData(FALSE);
}

void CSevenParamPointDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(
            this, {&m_strName, &m_strLat, &m_strLon, &m_strHeight, &m_strX, &m_strY, &m_strH}))
        return;
    EndDialog(IDOK);
}
