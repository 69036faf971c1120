#include "app/postproc/PostProcWizardDlg.h"

#include "app/shell/VendropDoc.h"
#include "platform/base/MessageBox.h"
#include "res/resource.h"

namespace {

constexpr int kPageLeft = 1;
constexpr int kPageTop = 1;
constexpr int kPageWidth = 234;
constexpr int kPageHeight = 239;

enum Step { kMode = 0, kParam = 1, kCotFile = 2, kOrgFile = 3, kOutput = 4 };
constexpr int kModeRecompute = 1;
constexpr int kSourceJob = 1;

// A file page's path must name a file: a "." in it, and no folder.
bool NamesAFile(const CString& path) {
    return path.Find(L'.') >= 0 && !CFolderTreeCtrl::IsDirectory(path);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPostProcWizardDlg, CDialog)
ON_BN_CLICKED(IDC_WIZ_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_WIZ_NEXT, OnNext)
END_MESSAGE_MAP()

CPostProcWizardDlg::CPostProcWizardDlg(CWnd* pParent) : CDialog(IDD_POST_PROC_WIZARD, pParent) {}

BOOL CPostProcWizardDlg::RegisterPage(CDialog* pPage, UINT nTemplate) {
    if (m_nPageCount >= kMaxPages) return FALSE;
    m_pages[m_nPageCount].pPage = pPage;
    m_pages[m_nPageCount].nTemplate = nTemplate;
    ++m_nPageCount;
    return TRUE;
}

BOOL CPostProcWizardDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    if (g_pDoc != nullptr) {
        m_pageCotFile.SetFolders(g_pDoc->m_strJobDir, g_pDoc->m_strJobDir);
        m_pageOrgFile.SetFolders(g_pDoc->m_strJobDir, g_pDoc->m_strDataDir);
    }
    RegisterPage(&m_pageMode, IDD_POST_PROC_MODE);
    RegisterPage(&m_pageParam, IDD_POST_PROC_PARAM);
    RegisterPage(&m_pageCotFile, IDD_POST_PROC_COT_FILE);
    RegisterPage(&m_pageOrgFile, IDD_POST_PROC_ORG_FILE);
    RegisterPage(&m_pageOutput, IDD_POST_PROC_OUTPUT);
    for (int i = 0; i < m_nPageCount; ++i) {
        CDialog* pPage = m_pages[i].pPage;
        pPage->Create(m_pages[i].nTemplate, this);
        pPage->SetWindowPos(i == 0 ? &CWnd::wndTop : nullptr, kPageLeft, kPageTop, kPageWidth,
                            kPageHeight, i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOZORDER);
    }
    m_nShownPage = 0;
    m_nStep = kMode;
    GetDlgItem(IDC_WIZ_PREVIOUS)->EnableWindow(FALSE);
    return TRUE;
}

int CPostProcWizardDlg::NextStep() const {
    switch (m_nStep) {
        case kMode:
            return m_pageMode.m_nMode == kModeRecompute ? kParam : kOrgFile;
        case kParam:
            return m_pageParam.m_nSource == kSourceJob ? kOrgFile : kCotFile;
        default:
            return m_nStep + 1;
    }
}

int CPostProcWizardDlg::PreviousStep() const {
    if (m_nStep != kOrgFile) return m_nStep - 1;
    if (m_pageMode.m_nMode != kModeRecompute) return kMode;
    return m_pageParam.m_nSource == kSourceJob ? kParam : kCotFile;
}

void CPostProcWizardDlg::ShowStep(int nStep) {
    m_nStep = nStep;
    if (nStep != m_nShownPage) {
        m_pages[m_nShownPage].pPage->ShowWindow(SW_HIDE);
        m_pages[nStep].pPage->ShowWindow(SW_SHOW);
        m_nShownPage = nStep;
    }
    GetDlgItem(IDC_WIZ_PREVIOUS)->EnableWindow(nStep != kMode);
    GetDlgItem(IDC_WIZ_NEXT)->EnableWindow(nStep != kLastStep);
    SetDlgItemText(IDCANCEL, nStep == kLastStep ? L"确定" : L"取消");
}

void CPostProcWizardDlg::OnNext() {
    if (m_nStep == kLastStep) return;
    if (!m_pages[m_nStep].pPage->UpdateData(TRUE)) return;
    if ((m_nStep == kCotFile && !NamesAFile(m_pageCotFile.m_strPath)) ||
        (m_nStep == kOrgFile && !NamesAFile(m_pageOrgFile.m_strPath))) {
        AfxMessageBox(IDS_STRING61601);
        return;
    }
    const int next = NextStep();
    if (next == kOutput) {
        m_pageOutput.TakeSteps(m_pageMode.m_nMode, m_pageParam.m_nSource, m_pageCotFile.m_strPath,
                               m_pageOrgFile.m_strPath);
    }
    ShowStep(next);
}

void CPostProcWizardDlg::OnPrevious() {
    if (m_nStep == kMode) return;
    if (!m_pages[m_nStep].pPage->UpdateData(TRUE)) return;
    ShowStep(PreviousStep());
}
