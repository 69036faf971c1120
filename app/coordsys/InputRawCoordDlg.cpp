#include "app/coordsys/InputRawCoordDlg.h"

#include "app/InputRules.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CInputRawCoordDlg::CInputRawCoordDlg(CWnd* pParent) : CDialog(IDD_INPUT_RAW_COORD, pParent) {}

void CInputRawCoordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RAW_X, m_strX);
    DDX_Text(pDX, IDC_RAW_Y, m_strY);
    DDX_Text(pDX, IDC_RAW_H, m_dH);
    DDX_Text(pDX, IDC_RAW_ANT_HEIGHT, m_dAntHeight);
    DDX_Radio(pDX, IDC_RAW_VERTICAL, m_nHeightType);
}

BOOL CInputRawCoordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A library point or a typed position carries no antenna.
    if (m_nSrcKind == 0 || m_nSrcKind == 3) {
        GetDlgItem(IDC_RAW_ANT_HEIGHT)->EnableWindow(FALSE);
        GetDlgItem(IDC_RAW_VERTICAL)->EnableWindow(FALSE);
        GetDlgItem(IDC_RAW_SLANT)->EnableWindow(FALSE);
    }
    CenterWindow();
    return TRUE;
}

void CInputRawCoordDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nHeightType == 1) {
        if (RefuseSlantHeight(this, m_dAntHeight)) return;
        m_dAntHeight = SlantToVertical(m_dAntHeight, g_pDoc ? g_pDoc->m_dAntennaConst : 0.0);
    }
    UpdateData(FALSE);
    EndDialog(IDOK);
}
