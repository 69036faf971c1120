#include "app/MeasurePointStoreDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

CMeasurePointStoreDlg::CMeasurePointStoreDlg(CWnd* pParent)
    : CDialog(IDD_MEASURE_POINT_STORE, pParent) {}

BOOL CMeasurePointStoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (const CVendropDoc* doc = g_pDoc) {
        m_strName = doc->m_strNextPointName;
        m_strCode = doc->m_strPointCode;
        m_dAntHeight = doc->m_sysParams.szdSourceAntHgt;
    }
    if (m_bCodeIsName) m_strCode = m_strName;
    SetDlgItemText(IDC_STORE_STATUS, m_strStatus);
    UpdateData(FALSE);
    CenterWindow();
    return TRUE;
}

void CMeasurePointStoreDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STORE_NAME, m_strName);
    DDX_Text(pDX, IDC_STORE_CODE, m_strCode);
    DDX_Text(pDX, IDC_STORE_ANT_HEIGHT, m_dAntHeight);
}

void CMeasurePointStoreDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_bCodeIsName) m_strCode = m_strName;
    EndDialog(IDOK);
}
