// CCalibWizardPromptDlg (dialog 15206 "校正向导提示"): the last question
// before a calibration, with the mode as its first line. OK calibrates;
// anything else stops the finish.
#pragma once

#include "platform/framework/Afx.h"

class CCalibWizardPromptDlg : public CDialog {
  public:
    explicit CCalibWizardPromptDlg(CWnd* pParent = nullptr);

    CString m_strMode;  // "基准站架设在已知点上" or "基准站架设在未知点上"

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
