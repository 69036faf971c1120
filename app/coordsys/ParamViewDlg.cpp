#include "app/coordsys/ParamViewDlg.h"

#include "res/resource.h"

CParamViewDlg::CParamViewDlg(CWnd* pParent) : CDialog(IDD_PARAM_VIEW, pParent) {}

void CParamViewDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PARAM_VIEW_TAB, m_tabSheet);
}

BOOL CParamViewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    const UINT titleIds[4] = {IDS_TAB_PROJECTION, IDS_TAB_TRANSFORM, IDS_TAB_HEIGHT_FIT,
                              IDS_TAB_SEVEN_PARAM};
    CDialog* pages[4] = {&m_pageProj, &m_pageFour, &m_pageFit, &m_pageSeven};
    const UINT pageIds[4] = {IDD_PARAM_VIEW_PROJ_PAGE, IDD_PARAM_VIEW_FOUR_PAGE,
                             IDD_PARAM_VIEW_FIT_PAGE, IDD_PARAM_VIEW_SEVEN_PAGE};
    for (int i = 0; i < 4; ++i) {
        m_strTitles[i].LoadString(titleIds[i]);
        m_tabSheet.AddPage(m_strTitles[i], pages[i], pageIds[i]);
    }
    m_tabSheet.CreatePages();
    return TRUE;
}
