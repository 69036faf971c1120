// CAboutDlg: the About box (dialog 100): the job folder, the program's
// version and its software date.
#pragma once

#include "platform/framework/Afx.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
    BOOL OnInitDialog() override;
};
