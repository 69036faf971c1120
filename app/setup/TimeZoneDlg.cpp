#include "app/setup/TimeZoneDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CTimeZoneDlg::CTimeZoneDlg(CWnd* pParent) : CDialog(IDD_TIME_ZONE, pParent) {}

BOOL CTimeZoneDlg::OnInitDialog() {
    if (g_pDoc) m_nTimeZone = g_pDoc->m_sysParams.nTimeZone;
    return CDialog::OnInitDialog();
}

void CTimeZoneDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TIME_ZONE, m_nTimeZone);
}
