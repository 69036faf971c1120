#include "app/setup/BaseAutoStartDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CBaseAutoStartDlg::CBaseAutoStartDlg(CWnd* pParent) : CDialog(IDD_BASE_AUTO_START, pParent) {}

BOOL CBaseAutoStartDlg::OnInitDialog() {
    m_nInterval = 1;
    if (g_pDoc) m_nFormat = g_pDoc->m_sysParams.nRadioFormat;
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CBaseAutoStartDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AUTO_INTERVAL, m_nInterval);
    DDX_CBIndex(pDX, IDC_AUTO_FORMAT, m_nFormat);
    DDX_Text(pDX, IDC_AUTO_CUTOFF, m_nCutoff);
    DDX_Text(pDX, IDC_AUTO_PDOP, m_dPdop);
}
