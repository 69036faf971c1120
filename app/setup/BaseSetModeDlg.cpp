#include "app/setup/BaseSetModeDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CBaseSetModeDlg, CDialog)
ON_BN_CLICKED(IDC_BASE_MODE_AUTO, OnAutoStart)
ON_BN_CLICKED(IDC_BASE_MODE_MANUAL, OnManual)
END_MESSAGE_MAP()

CBaseSetModeDlg::CBaseSetModeDlg(CWnd* pParent) : CDialog(IDD_BASE_SET_MODE, pParent) {}

BOOL CBaseSetModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CBaseSetModeDlg::OnAutoStart() {
    m_nResult = 0;
    EndDialog(IDOK);
}

void CBaseSetModeDlg::OnManual() {
    m_nResult = 1;
    EndDialog(IDOK);
}
