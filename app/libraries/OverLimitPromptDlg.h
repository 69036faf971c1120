// COverLimitPromptDlg: asks whether a control-point file whose residuals
// exceed their limits is used all the same (template 15242). The caller
// puts the list of points over the limits into m_strText.
#pragma once

#include "platform/framework/Afx.h"

class COverLimitPromptDlg : public CDialog {
  public:
    explicit COverLimitPromptDlg(CWnd* pParent = nullptr);

    CString m_strText;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
