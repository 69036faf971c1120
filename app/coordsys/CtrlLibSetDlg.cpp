#include "app/coordsys/CtrlLibSetDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CCtrlLibSetDlg::CCtrlLibSetDlg(CWnd* pParent) : CDialog(IDD_CTRL_LIB_SET, pParent) {}

void CCtrlLibSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PLANE_FIT_MINIMUM, m_nPlaneNihe);
    DDX_CBIndex(pDX, IDC_CURVE_FIT_MINIMUM, m_nCurveNihe);
}

BOOL CCtrlLibSetDlg::OnInitDialog() {
    if (g_pDoc) {
        m_nPlaneNihe = g_pDoc->m_sysParams.nPlaneNihe;
        m_nCurveNihe = g_pDoc->m_sysParams.nCurveNihe;
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
