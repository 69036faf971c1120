#include "app/shell/AboutDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (g_pDoc) SetDlgItemText(IDC_ABOUT_JOB_DIR, g_pDoc->m_strJobDir);
    CString version;
    version.LoadString(IDS_STRING61643);
    SetDlgItemText(IDC_ABOUT_VERSION, version);
    if (g_pDoc) SetDlgItemText(IDC_ABOUT_DATE, g_pDoc->m_strSoftwareDate);
    CenterWindow();
    return TRUE;
}
