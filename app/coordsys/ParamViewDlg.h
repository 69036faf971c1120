// CParamViewDlg (dialog 15165 "参数查看"): the job's current parameters,
// read-only, on four tab pages ("投影", "转换", "拟合", "七参") of a tab
// sheet on tab control 1026. Nothing is read back.
#pragma once

#include "app/coordsys/ParamViewPages.h"
#include "platform/framework/Afx.h"
#include "ui/TabSheet.h"

class CParamViewDlg : public CDialog {
  public:
    explicit CParamViewDlg(CWnd* pParent = nullptr);

    CParamViewProjPage m_pageProj;
    CParamViewFourPage m_pageFour;
    CParamViewFitPage m_pageFit;
    CParamViewSevenPage m_pageSeven;
    CTabSheet m_tabSheet;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The tab sheet keeps the titles by pointer.
    CString m_strTitles[4];
};
