// CCorrectionParamDlg (dialog 176 "校正参数"): the job's three
// corrections, shown to the millimetre. The correction command takes the
// members over after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class CCorrectionParamDlg : public CDialog {
  public:
    explicit CCorrectionParamDlg(CWnd* pParent = nullptr);

    double m_dCorrectionX = 0.0;
    double m_dCorrectionY = 0.0;
    double m_dCorrectionH = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
