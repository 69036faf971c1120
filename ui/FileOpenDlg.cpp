#include "ui/FileOpenDlg.h"

#include "res/resource.h"
#include "ui/FileDialogRoot.h"

BEGIN_MESSAGE_MAP(CFileOpenDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, IDC_FILE_TREE, OnSelChangedTree)
END_MESSAGE_MAP()

CFileOpenDlg::CFileOpenDlg(CWnd* pParent)
    : CDialog(IDD_FILE_OPEN, pParent),
      m_strInitialPath(GetFileDialogRoot()),
      m_strRootFolder(GetFileDialogRoot()) {}

// The tree starts with "*.*" and lets the first pattern replace it.
void CFileOpenDlg::AddFilter(const CString& strPattern) {
    m_arFilters.Add(strPattern);
}

void CFileOpenDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_TREE, m_tree);
    DDX_Text(pDX, IDC_FILE_OPEN_PATH, m_strPathName);
}

BOOL CFileOpenDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    for (INT_PTR i = 0; i < m_arFilters.GetSize(); ++i) m_tree.SetFileFilter(m_arFilters[i]);
    m_tree.ShowTree(m_strRootFolder, TRUE);
    m_tree.SelectPath(m_strInitialPath);
    return TRUE;
}

void CFileOpenDlg::OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    m_strPathName = m_tree.GetItemPath(pTree->itemNew.hItem);
    SetDlgItemText(IDC_FILE_OPEN_PATH, m_strPathName);
    *pResult = 0;
}

// A path without "." is a folder; so is a folder whose name holds one
// ("road.1"), which must not pass for a file either.
void CFileOpenDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_strPathName.Find(L'.') < 0 || CFolderTreeCtrl::IsDirectory(m_strPathName)) {
        AfxMessageBox(IDS_STRING61601);
        return;
    }
    EndDialog(IDOK);
}
