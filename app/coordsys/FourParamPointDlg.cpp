#include "app/coordsys/FourParamPointDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFourParamPointDlg, CDialog)
ON_BN_CLICKED(IDC_PAIR_LIBRARY_1, OnLibraryBefore)
ON_BN_CLICKED(IDC_PAIR_PLAN_1, OnPlanBefore)
ON_BN_CLICKED(IDC_PAIR_LIBRARY_2, OnLibraryAfter)
ON_BN_CLICKED(IDC_PAIR_PLAN_2, OnPlanAfter)
END_MESSAGE_MAP()

CFourParamPointDlg::CFourParamPointDlg(CWnd* pParent) : CDialog(IDD_FOUR_PARAM_POINT, pParent) {}

void CFourParamPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAIR_LIBRARY_1, m_btnLibraryBefore);
    DDX_Control(pDX, IDC_PAIR_PLAN_1, m_btnPlanBefore);
    DDX_Control(pDX, IDC_PAIR_LIBRARY_2, m_btnLibraryAfter);
    DDX_Control(pDX, IDC_PAIR_PLAN_2, m_btnPlanAfter);
    DDX_Text(pDX, IDC_FOUR_PAIR_NAME, m_strName);
    DDX_Text(pDX, IDC_FOUR_PAIR_NORTH_1, m_strNorthBefore);
    DDX_Text(pDX, IDC_FOUR_PAIR_EAST_1, m_strEastBefore);
    DDX_Text(pDX, IDC_FOUR_PAIR_NORTH_2, m_strNorthAfter);
    DDX_Text(pDX, IDC_FOUR_PAIR_EAST_2, m_strEastAfter);
}

BOOL CFourParamPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnLibraryBefore, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPlanBefore, this, IDI_PICK_PLAN);
    coordsys::SetUpPickButton(m_btnLibraryAfter, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPlanAfter, this, IDI_PICK_PLAN);
    CenterWindow();
    return TRUE;
}

BOOL CFourParamPointDlg::PickFromLibrary(CString& strName, CString& strNorth, CString& strEast) {
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return FALSE;
    strName = dlg.m_strPickName;
    strNorth = dlg.m_strPickNorth;
    strEast = dlg.m_strPickEast;
    return TRUE;
}

BOOL CFourParamPointDlg::PickFromPlan(CString& strName, CString& strNorth, CString& strEast) {
    UpdateData(TRUE);
    CPickPointDlg dlg;
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return FALSE;
    strName = point.strName;
    strNorth.Format(L"%.4f", point.dX);
    strEast.Format(L"%.4f", point.dY);
    return TRUE;
}

void CFourParamPointDlg::OnLibraryBefore() {
    if (PickFromLibrary(m_strName, m_strNorthBefore, m_strEastBefore)) UpdateData(FALSE);
}

void CFourParamPointDlg::OnPlanBefore() {
    if (PickFromPlan(m_strName, m_strNorthBefore, m_strEastBefore)) UpdateData(FALSE);
}

// The pair's name is the one of the point before: the target's is not taken.
void CFourParamPointDlg::OnLibraryAfter() {
    CString strName;
    if (PickFromLibrary(strName, m_strNorthAfter, m_strEastAfter)) UpdateData(FALSE);
}

void CFourParamPointDlg::OnPlanAfter() {
    CString strName;
    if (PickFromPlan(strName, m_strNorthAfter, m_strEastAfter)) UpdateData(FALSE);
}

void CFourParamPointDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strNorthBefore, &m_strEastBefore,
                                          &m_strNorthAfter, &m_strEastAfter}))
        return;
    EndDialog(IDOK);
}
