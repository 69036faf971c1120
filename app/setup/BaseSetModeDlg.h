// CBaseSetModeDlg: how the base station is set up (template 15198): 0 by
// its automatic-start parameters, 1 on coordinates typed in. Each choice
// ends the dialog with IDOK; Cancel leaves m_nResult at 0.
#pragma once

#include "platform/framework/Afx.h"

class CBaseSetModeDlg : public CDialog {
  public:
    explicit CBaseSetModeDlg(CWnd* pParent = nullptr);

    int m_nResult = 0;

  protected:
    BOOL OnInitDialog() override;

    afx_msg void OnAutoStart();
    afx_msg void OnManual();
    DECLARE_MESSAGE_MAP()
};
