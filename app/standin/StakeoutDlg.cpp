#include "app/standin/StakeoutDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

CStakeoutDlg::CStakeoutDlg(CWnd* pParent) : CDialog(IDD_STAKEOUT, pParent) {}

void CStakeoutDlg::OnOK() {
    if (g_pDoc) g_pDoc->m_nStakeMode = 0;
    CDialog::OnOK();
}

void CStakeoutDlg::OnCancel() {
    if (g_pDoc) g_pDoc->m_nStakeMode = 0;
    CDialog::OnCancel();
}
