// CPostProcWizardDlg (template 15262, "综合后处理向导"): five pages, one
// shown at a time at (1, 1), 234 x 239 pixels, with "上一步" (1000),
// "下一步" (1001) and "取消" (2, "确定" on the last page).
//
// Steps: 0 the mode; 1 the parameter source (recompute mode only); 2 the
// control-point file (source 0 only); 3 the raw file; 4 the output page,
// which gets the earlier steps' values as it is entered. "下一步" on steps
// 2 and 3 refuses a path that names no file (no "." in it, or a folder).
#pragma once

#include "app/postproc/PostProcOutputDlg.h"
#include "app/postproc/PostProcPages.h"
#include "platform/framework/Afx.h"

class CPostProcWizardDlg : public CDialog {
  public:
    static constexpr int kMaxPages = 16;
    static constexpr int kLastStep = 4;

    explicit CPostProcWizardDlg(CWnd* pParent = nullptr);

    int m_nStep = 0;
    CPostProcModeDlg m_pageMode;
    CPostProcParamDlg m_pageParam;
    CPostProcCotFileDlg m_pageCotFile;
    CPostProcOrgFileDlg m_pageOrgFile;
    CPostProcOutputDlg m_pageOutput;

  protected:
    struct PageEntry {
        CDialog* pPage = nullptr;
        UINT nTemplate = 0;
    };

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter on a page does not end the wizard
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    DECLARE_MESSAGE_MAP()

    // FALSE once 16 pages are registered.
    BOOL RegisterPage(CDialog* pPage, UINT nTemplate);
    void ShowStep(int nStep);
    int NextStep() const;
    int PreviousStep() const;

    PageEntry m_pages[kMaxPages];
    int m_nPageCount = 0;
    int m_nShownPage = -1;
};
