#include "ui/FileSaveDlg.h"

#include <algorithm>

#include "platform/files/FileApi.h"
#include "res/resource.h"
#include "ui/FileDialogRoot.h"

namespace {

const wchar_t kCaption[] = L"信息提示";
// Characters the device's file names cannot hold; "\" and "/" would also
// move the file into another folder.
const wchar_t kForbidden[] = L"\\/:*?\"<>|";

}  // namespace

BEGIN_MESSAGE_MAP(CFileSaveDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, IDC_FILE_TREE, OnSelChangedTree)
ON_EN_CHANGE(IDC_FILE_SAVE_NAME, OnChangeFileName)
END_MESSAGE_MAP()

CFileSaveDlg::CFileSaveDlg(CWnd* pParent)
    : CDialog(IDD_FILE_SAVE, pParent),
      m_strInitialPath(GetFileDialogRoot()),
      m_strFilter(L"*.*"),
      m_strRootFolder(GetFileDialogRoot()) {}

void CFileSaveDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_TREE, m_tree);
    DDX_Text(pDX, IDC_FILE_SAVE_PATH, m_strPath);
    DDX_Text(pDX, IDC_FILE_SAVE_NAME, m_strFileName);
}

BOOL CFileSaveDlg::OnInitDialog() {
    m_bWritingEdits = TRUE;
    CDialog::OnInitDialog();
    m_bWritingEdits = FALSE;
    ShowWindow(SW_MAXIMIZE);
    m_tree.SetFileFilter(m_strFilter);
    m_tree.ShowTree(m_strRootFolder, TRUE);
    m_tree.SelectPath(m_strInitialPath);
    return TRUE;
}

// The filter from its first "." on: ".dat" of "*.dat".
CString CFileSaveDlg::Extension() const {
    const int nDot = m_strFilter.Find(L'.');
    return nDot < 0 ? CString() : m_strFilter.Mid(nDot);
}

BOOL CFileSaveDlg::PathHoldsExtension() const {
    const CString strExt = Extension();
    if (strExt.IsEmpty() || m_strPath.GetLength() < strExt.GetLength()) return FALSE;
    return m_strPath.Right(strExt.GetLength()).CompareNoCase(strExt) == 0;
}

// The path becomes the folder, "\", the name up to its first "." and the
// extension; a path that ends in a file of the filter stands for its folder.
void CFileSaveDlg::ApplyFileName() {
    const int nDot = m_strFileName.Find(L'.');
    const CString strStem = nDot < 0 ? m_strFileName : m_strFileName.Left(nDot);
    if (PathHoldsExtension()) m_strPath = m_strPath.Left(std::max(0, m_strPath.ReverseFind(L'\\')));
    m_strPath = m_strPath + L"\\" + strStem + Extension();
}

void CFileSaveDlg::ShowPathAndName() {
    m_bWritingEdits = TRUE;
    UpdateData(FALSE);
    m_bWritingEdits = FALSE;
}

// Choosing a file of the filter takes its name. On the device writing the
// name edit runs the name step as well, so choosing a folder after a name
// was typed gives the folder with that name: done here in one go.
void CFileSaveDlg::OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    *pResult = 0;
    m_strPath = m_tree.GetItemPath(pTree->itemNew.hItem);
    if (PathHoldsExtension()) m_strFileName = CFolderTreeCtrl::GetFileName(m_strPath);
    ApplyFileName();
    ShowPathAndName();
}

void CFileSaveDlg::OnChangeFileName() {
    if (m_bWritingEdits) return;
    if (!UpdateData(TRUE)) return;
    ApplyFileName();
    SetDlgItemText(IDC_FILE_SAVE_PATH, m_strPath);
}

void CFileSaveDlg::Refuse(LPCTSTR lpszText) {
    MessageBox(lpszText, kCaption, MB_ICONINFORMATION);
    GetDlgItem(IDC_FILE_SAVE_NAME)->SetFocus();
}

void CFileSaveDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    CString strName = m_strFileName;
    strName.Trim();
    if (strName.IsEmpty()) {
        Refuse(L"文件名不能为空，请重新输入!");
        return;
    }
    if (strName.FindOneOf(kForbidden) >= 0) {
        Refuse(L"文件名中含有非法字符,请重新输入!");
        return;
    }
    m_strFullPath = m_strPath;
    if (::GetFileAttributes(m_strFullPath) != INVALID_FILE_ATTRIBUTES &&
        MessageBox(L"该文件已存在，要覆盖此文件吗?", kCaption, MB_OKCANCEL) != IDOK) {
        GetDlgItem(IDC_FILE_SAVE_NAME)->SetFocus();
        return;
    }
    EndDialog(IDOK);
}
