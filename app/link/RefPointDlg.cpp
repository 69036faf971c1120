#include "app/link/RefPointDlg.h"

#include <cwchar>

#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CRefPointDlg, CDialog)
ON_BN_CLICKED(IDC_REF_LIBRARY, OnFromLibrary)
ON_BN_CLICKED(IDC_REF_PICK, OnFromPlan)
END_MESSAGE_MAP()

CRefPointDlg::CRefPointDlg(CWnd* pParent) : CDialog(IDD_REF_POINT, pParent) {}

void CRefPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REF_LIBRARY, m_btnLibrary);
    DDX_Control(pDX, IDC_REF_PICK, m_btnPick);
    DDX_Text(pDX, IDC_REF_NAME, m_strName);
    DDX_Text(pDX, IDC_REF_NORTH, m_dNorth);
    DDX_Text(pDX, IDC_REF_EAST, m_dEast);
    DDX_Text(pDX, IDC_REF_HEIGHT, m_dHeight);
}

BOOL CRefPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnLibrary.SetIcon(IDI_COORD_LIBRARY, 16, 16);
    m_btnPick.SetIcon(IDI_PICK_PLAN, 16, 16);
    CenterWindow();
    return TRUE;
}

void CRefPointDlg::OnFromLibrary() {
    CCoordLibDlg dlg(this);
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strName = dlg.m_strPickName;
    m_dNorth = wcstod(dlg.m_strPickNorth, nullptr);
    m_dEast = wcstod(dlg.m_strPickEast, nullptr);
    m_dHeight = wcstod(dlg.m_strPickHeight, nullptr);
    UpdateData(FALSE);
}

void CRefPointDlg::OnFromPlan() {
    CPickPointDlg dlg(this);
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
    m_strName = point.strName;
    m_dNorth = point.dX;
    m_dEast = point.dY;
    m_dHeight = point.dH;
    UpdateData(FALSE);
}
