#include "app/libraries/PointEntryDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CPointEntryDlg, CDialog)
ON_BN_CLICKED(IDC_PT_LIBRARY, OnFromLibrary)
ON_BN_CLICKED(IDC_PT_PLAN, OnFromPlan)
END_MESSAGE_MAP()

CPointEntryDlg::CPointEntryDlg(UINT nIDTemplate, CWnd* pParent, BOOL bMaximised)
    : CDialog(nIDTemplate, pParent), m_bMaximised(bMaximised) {}

CAddPointDlg::CAddPointDlg(CWnd* pParent) : CPointEntryDlg(IDD_ADD_POINT, pParent, TRUE) {
    m_strName = L"PT";
    m_strNorth = m_strEast = m_strHeight = L"0";
    m_strCode = L"00000000";
}

CEditPointDlg::CEditPointDlg(CWnd* pParent) : CPointEntryDlg(IDD_EDIT_POINT, pParent, FALSE) {}

void CPointEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_LIBRARY, m_btnLibrary);
    DDX_Control(pDX, IDC_PT_PLAN, m_btnPlan);
    DDX_Text(pDX, IDC_PT_NAME, m_strName);
    DDX_Text(pDX, IDC_PT_NORTH, m_strNorth);
    DDX_Text(pDX, IDC_PT_EAST, m_strEast);
    DDX_Text(pDX, IDC_PT_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_PT_CODE, m_strCode);
}

BOOL CPointEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPlan, this, IDI_PICK_PLAN);
    if (g_pDoc && g_pDoc->m_nDlgContext == kContextLibrary) {
        m_btnLibrary.ShowWindow(SW_HIDE);
        m_btnPlan.ShowWindow(SW_HIDE);
    }
    if (m_bMaximised) ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    return TRUE;
}

void CPointEntryDlg::OnFromLibrary() {
    CCoordLibDlg dlg(this);
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strName = dlg.m_strPickName;
    m_strNorth = dlg.m_strPickNorth;
    m_strEast = dlg.m_strPickEast;
    m_strHeight = dlg.m_strPickHeight;
    m_strCode = dlg.m_strPickCode;
    UpdateData(FALSE);
}

void CPointEntryDlg::OnFromPlan() {
    UpdateData(TRUE);
    CPickPointDlg dlg(this);
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
    m_strName.Format(L"%s", (LPCTSTR)point.strName);
    m_strCode.Format(L"%s", (LPCTSTR)point.strCode);
    m_strNorth.Format(L"%.4f", point.dX);
    m_strEast.Format(L"%.4f", point.dY);
    m_strHeight.Format(L"%.4f", point.dH);
    UpdateData(FALSE);
}

void CPointEntryDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this,
                                   {&m_strName, &m_strNorth, &m_strEast, &m_strHeight, &m_strCode}))
        return;
    EndDialog(IDOK);
}
