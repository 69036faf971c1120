// CStakeoutDlg: the point stake-out screen (dialog 15148), run by the
// document's command with m_nStakeMode set to 1, which it puts back to 0
// when it closes. Until the full screen lands it is a plain dialog of its
// template with OK and Cancel.
#pragma once

#include "platform/framework/Afx.h"

class CStakeoutDlg : public CDialog {
  public:
    explicit CStakeoutDlg(CWnd* pParent = nullptr);

  protected:
    void OnOK() override;
    void OnCancel() override;
};
