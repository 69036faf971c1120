#include "app/coordsys/ParamSelectDlg.h"

#include "res/resource.h"

CParamSelectDlg::CParamSelectDlg(CWnd* pParent) : CDialog(IDD_PARAM_SELECT, pParent) {}

void CParamSelectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PARAM_FROM_COT, m_nParamSource);
}

BOOL CParamSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_SHOW);
    CenterWindow();
    return TRUE;
}
