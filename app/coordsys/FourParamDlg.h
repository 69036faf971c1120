// CFourParamDlg (dialog 147 "设置四参数"): the job's plane four
// parameters, the rotation as packed dd.mmssssss. It reads the document
// when it opens; the four-parameter command (and the four-parameter
// calculation) take the members over after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class CFourParamDlg : public CDialog {
  public:
    explicit CFourParamDlg(CWnd* pParent = nullptr);

    int m_nDifang = 0;   // check 1105
    double m_dCx = 0.0;  // shift of north, metres
    double m_dCy = 0.0;  // shift of east, metres
    double m_dCa = 0.0;  // rotation, packed dd.mmssssss
    double m_dCk = 0.0;  // scale

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
