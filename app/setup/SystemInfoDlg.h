// CSystemInfoDlg: the handheld's program memory and storage, total, used
// and free, in KB (template 206).
#pragma once

#include "platform/framework/Afx.h"

class CSystemInfoDlg : public CDialog {
  public:
    explicit CSystemInfoDlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;

  private:
    void ShowKb(int nID, long kb);
};
