// CParamWizardDlg (dialog 15137 "参数设置向导"): the five parameter pages
// of a new job one after the other (ellipsoid, projection, four, seven
// parameters, height fit) with "上一步" (1000) and "下一步" (1001). The
// pages start from the document's m_coordParams2; after IDOK the new-job
// command reads their members. OK refuses a value that does not read or an
// impossible ellipsoid or projection scale, showing the page concerned.
#pragma once

#include "app/coordsys/WizardPages.h"
#include "platform/framework/Afx.h"

class CParamWizardDlg : public CDialog {
  public:
    static constexpr int kMaxPages = 16;

    explicit CParamWizardDlg(CWnd* pParent = nullptr);

    int m_nCurPage = 0;
    CWizEllipsoidPage m_pageEllipsoid;
    CWizProjectionPage m_pageProjection;
    CWizFourParamPage m_pageFour;
    CWizSevenParamPage m_pageSeven;
    CWizHeightFitPage m_pageHeightFit;

  protected:
    struct PageEntry {
        CDialog* pPage = nullptr;
        UINT nTemplate = 0;
    };

    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    DECLARE_MESSAGE_MAP()

    // FALSE once 16 pages are registered.
    BOOL RegisterPage(CDialog* pPage, UINT nTemplate);
    void ShowPage(int nIndex);
    // Shows page `nIndex` as the navigation would, with its buttons.
    void GoToPage(int nIndex);
    void UpdateButtons();

    PageEntry m_pages[kMaxPages];
    int m_nPageCount = 0;
    int m_nShownPage = -1;
};
