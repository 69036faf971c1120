// CMeasurePointLibDlg: the measured-point library (template 15163), run
// modally without a parent; nothing is read back. Until the point
// libraries bring the whole dialog it lists the names of the job's
// measured-point file, newest first.
#pragma once

#include "platform/framework/Afx.h"

class CMeasurePointLibDlg : public CDialog {
  public:
    explicit CMeasurePointLibDlg(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
};
