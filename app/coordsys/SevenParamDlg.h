// CSevenParamDlg (dialog 148 "设置七参数"): the job's seven datum
// parameters, rotations in arc-seconds and the scale in ppm. It reads the
// document when it opens; the seven-parameter command (and the
// seven-parameter calculation) take the members over after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class CSevenParamDlg : public CDialog {
  public:
    explicit CSevenParamDlg(CWnd* pParent = nullptr);

    int m_nSevenPar = 0;  // check 1035
    double m_dDx = 0.0;   // metres
    double m_dDy = 0.0;
    double m_dDz = 0.0;
    double m_dWx = 0.0;  // arc-seconds
    double m_dWy = 0.0;
    double m_dWz = 0.0;
    double m_dK = 0.0;  // ppm

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
