#include "app/setup/DataConvertModeDlg.h"

#include "res/resource.h"

CDataConvertModeDlg::CDataConvertModeDlg(CWnd* pParent) : CDialog(IDD_DATA_CONVERT_MODE, pParent) {}

BOOL CDataConvertModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void CDataConvertModeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CONVERT_FORMAT, m_nMode);
}
