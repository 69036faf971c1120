// CParamSelectDlg (dialog 15233 "参数选择"): where the result conversion
// after post-processing takes its parameters from: a control-point file
// (0) or the current job (1).
#pragma once

#include "platform/framework/Afx.h"

class CParamSelectDlg : public CDialog {
  public:
    explicit CParamSelectDlg(CWnd* pParent = nullptr);

    int m_nParamSource = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
