#include "app/standin/CtrlPointLibDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

CCtrlPointLibDlg::CCtrlPointLibDlg(CWnd* pParent) : CDialog(IDD_CTRL_POINT_LIB, pParent) {}

BOOL CCtrlPointLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (g_pDoc) {
        g_pDoc->m_bStatusInChinese = 0;
        m_strFileName = g_pDoc->m_coordParams.szConF;
    }
    CenterWindow();
    return TRUE;
}

void CCtrlPointLibDlg::OnCancel() {
    if (g_pDoc) g_pDoc->m_nFitKind = g_pDoc->m_nFitState = 0;
    CDialog::OnCancel();
}
