#include "app/OffsetStoreDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

COffsetStoreDlg::COffsetStoreDlg(CWnd* pParent) : CDialog(IDD_OFFSET_STORE, pParent) {}

BOOL COffsetStoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bStored = 0;
    SetDlgItemText(IDC_OFFSET_STATUS, m_strStatus);
    if (const CVendropDoc* doc = g_pDoc) {
        SetDlgItemText(IDC_STORE_NAME, doc->m_strNextPointName);
        SetDlgItemText(IDC_STORE_CODE,
                       m_bCodeIsName ? doc->m_strNextPointName : doc->m_strPointCode);
    }
    CheckRadioButton(IDC_OFFSET_REF_NORTH, IDC_OFFSET_REF_POINT, IDC_OFFSET_REF_NORTH);
    CenterWindow();
    return TRUE;
}
