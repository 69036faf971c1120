#include "app/coordsys/AddCtrlPointDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAddCtrlPointDlg, CDialog)
ON_BN_CLICKED(IDC_CTRL_LIBRARY, OnPickFromLibrary)
ON_BN_CLICKED(IDC_CTRL_PLAN, OnPickFromPlan)
END_MESSAGE_MAP()

CAddCtrlPointDlg::CAddCtrlPointDlg(CWnd* pParent) : CDialog(IDD_ADD_CTRL_POINT, pParent) {}

void CAddCtrlPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CTRL_LIBRARY, m_btnLibrary);
    DDX_Control(pDX, IDC_CTRL_PLAN, m_btnPlan);
    DDX_Text(pDX, IDC_CTRL_NAME, m_strName);
    DDX_Text(pDX, IDC_CTRL_X, m_strX);
    DDX_Text(pDX, IDC_CTRL_Y, m_strY);
    DDX_Text(pDX, IDC_CTRL_H, m_strH);
}

BOOL CAddCtrlPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPlan, this, IDI_PICK_PLAN);
    CenterWindow();
    return TRUE;
}

void CAddCtrlPointDlg::OnPickFromLibrary() {
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strName = dlg.m_strPickName;
    m_strX = dlg.m_strPickNorth;
    m_strY = dlg.m_strPickEast;
    m_strH = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CAddCtrlPointDlg::OnPickFromPlan() {
    UpdateData(TRUE);
    CPickPointDlg dlg;
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
    m_strName = point.strName;
    m_strX.Format(L"%.4f", point.dX);
    m_strY.Format(L"%.4f", point.dY);
    m_strH.Format(L"%.4f", point.dH);
    UpdateData(FALSE);
}

void CAddCtrlPointDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strX, &m_strY, &m_strH})) return;
    EndDialog(IDOK);
}
