#include "app/coordsys/ParamWizardDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

// Where every page sits in the wizard, in pixels.
constexpr int kPageLeft = 5;
constexpr int kPageTop = 5;
constexpr int kPageWidth = 220;
constexpr int kPageHeight = 235;

}  // namespace

BEGIN_MESSAGE_MAP(CParamWizardDlg, CDialog)
ON_BN_CLICKED(IDC_WIZ_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_WIZ_NEXT, OnNext)
END_MESSAGE_MAP()

CParamWizardDlg::CParamWizardDlg(CWnd* pParent) : CDialog(IDD_PARAM_WIZARD, pParent) {}

BOOL CParamWizardDlg::RegisterPage(CDialog* pPage, UINT nTemplate) {
    if (m_nPageCount >= kMaxPages) return FALSE;
    m_pages[m_nPageCount].pPage = pPage;
    m_pages[m_nPageCount].nTemplate = nTemplate;
    ++m_nPageCount;
    return TRUE;
}

BOOL CParamWizardDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    if (g_pDoc) {
        const CoordSysParams& p = g_pDoc->m_coordParams2;
        m_pageEllipsoid.LoadFrom(p);
        m_pageProjection.LoadFrom(p);
        m_pageFour.LoadFrom(p);
        m_pageSeven.LoadFrom(p);
        m_pageHeightFit.LoadFrom(p);
    }
    RegisterPage(&m_pageEllipsoid, IDD_WIZ_ELLIPSOID_PAGE);
    RegisterPage(&m_pageProjection, IDD_WIZ_PROJECTION_PAGE);
    RegisterPage(&m_pageFour, IDD_WIZ_FOUR_PARAM_PAGE);
    RegisterPage(&m_pageSeven, IDD_WIZ_SEVEN_PARAM_PAGE);
    RegisterPage(&m_pageHeightFit, IDD_WIZ_HEIGHT_FIT_PAGE);
    for (int i = 0; i < m_nPageCount; ++i) {
        CDialog* pPage = m_pages[i].pPage;
        pPage->Create(m_pages[i].nTemplate, this);
        pPage->SetWindowPos(i == 0 ? &CWnd::wndTop : nullptr, kPageLeft, kPageTop, kPageWidth,
                            kPageHeight, i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOZORDER);
    }
    m_nShownPage = 0;
    m_nCurPage = 0;
    UpdateButtons();
    return TRUE;
}

void CParamWizardDlg::UpdateButtons() {
    GetDlgItem(IDC_WIZ_PREVIOUS)->EnableWindow(m_nCurPage != 0);
    GetDlgItem(IDC_WIZ_NEXT)->EnableWindow(m_nCurPage != m_nPageCount - 1);
}

void CParamWizardDlg::ShowPage(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nPageCount || nIndex == m_nShownPage) return;
    if (m_nShownPage >= 0) m_pages[m_nShownPage].pPage->ShowWindow(SW_HIDE);
    CDialog* pPage = m_pages[nIndex].pPage;
    pPage->ShowWindow(SW_SHOW);
    pPage->SetFocus();
    m_nShownPage = nIndex;
}

void CParamWizardDlg::GoToPage(int nIndex) {
    m_nCurPage = nIndex;
    ShowPage(nIndex);
    UpdateButtons();
}

void CParamWizardDlg::OnNext() {
    if (m_nCurPage < m_nPageCount - 1) GoToPage(m_nCurPage + 1);
}

void CParamWizardDlg::OnPrevious() {
    if (m_nCurPage > 0) GoToPage(m_nCurPage - 1);
}

// Each page is shown before it is read, so that a refusal's prompt stands
// over the page that holds the value.
void CParamWizardDlg::OnOK() {
    const int nWasShown = m_nCurPage;
    for (int i = 0; i < m_nPageCount; ++i) {
        GoToPage(i);
        if (!m_pages[i].pPage->UpdateData(TRUE)) return;
    }
    if (!coordsys::IsPositive(m_pageEllipsoid.m_dA) ||
        !coordsys::IsPositive(m_pageEllipsoid.m_dInvF)) {
        GoToPage(0);
        coordsys::RefuseEllipsoid(this, m_pageEllipsoid.m_dA, m_pageEllipsoid.m_dInvF);
        return;
    }
    if (!coordsys::IsPositive(m_pageProjection.m_dTk)) {
        GoToPage(1);
        coordsys::RefuseProjectionScale(this, m_pageProjection.m_dTk);
        return;
    }
    GoToPage(nWasShown);
    EndDialog(IDOK);
}
