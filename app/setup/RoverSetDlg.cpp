#include "app/setup/RoverSetDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CRoverSetDlg::CRoverSetDlg(CWnd* pParent) : CDialog(IDD_ROVER_SET, pParent) {}

BOOL CRoverSetDlg::OnInitDialog() {
    if (g_pDoc) {
        const SystemParams& p = g_pDoc->m_sysParams;
        m_nFixLevel = p.nFixLevel;
        m_nRadioFormat = p.nRadioFormat;
        m_dRmshLimit = p.dRmshLimit;
        m_dRmsvLimit = p.dRmsvLimit;
    }
    CDialog::OnInitDialog();
    CenterWindow();
    ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void CRoverSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ROVER_FIX_LEVEL, m_nFixLevel);
    DDX_CBIndex(pDX, IDC_ROVER_DIFF_FORMAT, m_nRadioFormat);
    DDX_Text(pDX, IDC_ROVER_RMSH, m_dRmshLimit);
    DDX_Text(pDX, IDC_ROVER_RMSV, m_dRmsvLimit);
}
