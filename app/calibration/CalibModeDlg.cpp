#include "app/calibration/CalibModeDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCalibModeDlg, CDialog)
ON_BN_CLICKED(IDC_CALIB_MODE_UNKNOWN, OnUnknownPoint)
END_MESSAGE_MAP()

CCalibModeDlg::CCalibModeDlg(CWnd* pParent) : CDialog(IDD_CALIB_MODE, pParent) {}

void CCalibModeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CALIB_MODE_KNOWN, m_nMode);
}

BOOL CCalibModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (g_pDoc == nullptr || !g_pDoc->m_bBaseChanged) {
        GetDlgItem(IDC_CALIB_MODE_KNOWN)->EnableWindow(FALSE);
        GetDlgItem(IDOK)->EnableWindow(FALSE);
    }
    return TRUE;
}

void CCalibModeDlg::OnUnknownPoint() {
    GetDlgItem(IDOK)->EnableWindow(TRUE);
}
