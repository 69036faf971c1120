#include "app/setup/SatMaskDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CSatMaskDlg::CSatMaskDlg(CWnd* pParent) : CDialog(IDD_SAT_MASK, pParent) {}

BOOL CSatMaskDlg::OnInitDialog() {
    if (g_pDoc) m_nGAngle = g_pDoc->m_sysParams.nGAngle;
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CSatMaskDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SAT_MASK_ANGLE, m_nGAngle);
}

void CSatMaskDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nGAngle < 0 || m_nGAngle > 89) {
        AfxMessageBox(IDS_STRING61329, MB_OK);
        return;
    }
    EndDialog(IDOK);
}
