#include "app/postproc/PostProcPages.h"

#include "platform/base/MessageBox.h"
#include "res/resource.h"

void CPostProcBoxes::Inform(LPCTSTR text) {
    MessageBox(Owner(), text, postproc::kCaption, MB_OK | MB_ICONINFORMATION);
}

BOOL CPostProcBoxes::AskYesNo(LPCTSTR text) {
    return MessageBox(Owner(), text, postproc::kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

HWND CPostProcBoxes::Owner() const {
    return m_pOwner != nullptr ? m_pOwner->GetSafeHwnd() : nullptr;
}

void CPostProcPage::OnCancel() {
    if (CWnd* pWizard = GetParent()) pWizard->SendMessage(WM_COMMAND, IDCANCEL);
}

void CPostProcModeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PP_MODE_CORRECT, m_nMode);
}

void CPostProcParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PP_SOURCE_COT, m_nSource);
}

void CPostProcFileDlg::SetFolders(const CString& strRoot, const CString& strInitial) {
    m_strRoot = strRoot;
    m_strInitial = strInitial;
}

void CPostProcFileDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(m_nTreeId), m_tree);
    DDX_Text(pDX, IDC_PP_PATH, m_strPath);
}

BOOL CPostProcFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_tree.SetFileFilter(m_strPattern);
    m_tree.ShowTree(m_strRoot, TRUE);
    m_tree.SelectPath(m_strInitial);
    return TRUE;
}

void CPostProcFileDlg::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    m_strPath = m_tree.GetItemPath(pTree->itemNew.hItem);
    SetDlgItemText(IDC_PP_PATH, m_strPath);
    *pResult = 0;
}

BEGIN_MESSAGE_MAP(CPostProcCotFileDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, IDC_PP_COT_TREE, OnTreeSelChanged)
END_MESSAGE_MAP()

CPostProcCotFileDlg::CPostProcCotFileDlg() : CPostProcFileDlg(IDC_PP_COT_TREE, L"*.cot") {}

BEGIN_MESSAGE_MAP(CPostProcOrgFileDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, IDC_PP_ORG_TREE, OnTreeSelChanged)
END_MESSAGE_MAP()

CPostProcOrgFileDlg::CPostProcOrgFileDlg() : CPostProcFileDlg(IDC_PP_ORG_TREE, L"*.org") {}
