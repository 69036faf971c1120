// CEditMeasurePointDlg (dialog 15244 "编辑测量点"): a measured point's name,
// code and antenna height, asked once more before OK.
#pragma once

#include "platform/framework/Afx.h"

class CEditMeasurePointDlg : public CDialog {
  public:
    explicit CEditMeasurePointDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strCode;
    double m_dAntHeight = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
