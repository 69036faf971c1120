#include "app/setup/FileOpenModeDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFileOpenModeDlg, CDialog)
ON_BN_CLICKED(IDC_OPEN_MODE_OVERWRITE, OnOverwrite)
ON_BN_CLICKED(IDC_OPEN_MODE_APPEND, OnAppend)
END_MESSAGE_MAP()

CFileOpenModeDlg::CFileOpenModeDlg(CWnd* pParent) : CDialog(IDD_FILE_OPEN_MODE, pParent) {}

BOOL CFileOpenModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CFileOpenModeDlg::OnOverwrite() {
    m_nResult = 0;
    EndDialog(IDOK);
}

void CFileOpenModeDlg::OnAppend() {
    m_nResult = 1;
    EndDialog(IDOK);
}

void CFileOpenModeDlg::OnCancel() {
    m_nResult = 2;
    CDialog::OnCancel();
}
