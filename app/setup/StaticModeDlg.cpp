#include "app/setup/StaticModeDlg.h"

#include "res/resource.h"

CStaticModeDlg::CStaticModeDlg(CWnd* pParent) : CDialog(IDD_STATIC_MODE, pParent) {}

BOOL CStaticModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CStaticModeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STATIC_CUTOFF, m_nCutoff);
    DDX_Text(pDX, IDC_STATIC_INTERVAL, m_nInterval);
    DDX_Text(pDX, IDC_STATIC_PDOP, m_dPdop);
}
