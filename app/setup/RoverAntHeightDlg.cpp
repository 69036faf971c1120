#include "app/setup/RoverAntHeightDlg.h"

#include "app/InputRules.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CRoverAntHeightDlg::CRoverAntHeightDlg(CWnd* pParent) : CDialog(IDD_ROVER_ANT_HEIGHT, pParent) {}

BOOL CRoverAntHeightDlg::OnInitDialog() {
    if (g_pDoc) {
        const SystemParams& p = g_pDoc->m_sysParams;
        m_szdSourceAntHgt = p.szdSourceAntHgt;
        m_nAntHgtType = p.nAntHgtType;
        m_nUseAntHgt = p.nUseAntHgt;
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CRoverAntHeightDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANT_HEIGHT, m_szdSourceAntHgt);
    DDX_Radio(pDX, IDC_ANT_VERTICAL, m_nAntHgtType);
    DDX_Check(pDX, IDC_ANT_SHOW_REAL, m_nUseAntHgt);
}

void CRoverAntHeightDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nAntHgtType == 1 && RefuseSlantHeight(this, m_szdSourceAntHgt)) {
        GotoDlgCtrl(GetDlgItem(IDC_ANT_HEIGHT));
        return;
    }
    EndDialog(IDOK);
}
