// CHeightFitDlg (dialog 15121 "设置高程拟合参数"): the job's height-fit
// coefficients and origin. The height-fit command takes the members over
// after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class CHeightFitDlg : public CDialog {
  public:
    explicit CHeightFitDlg(CWnd* pParent = nullptr);

    int m_nNiheMode = 0;  // check 1105
    double m_dA[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    double m_dX0 = 0.0;
    double m_dY0 = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
