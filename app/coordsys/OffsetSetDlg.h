// COffsetSetDlg (dialog 252 "偏移设置"): the two offsets of the measured
// point, as texts: the main frame puts them in formatted "%.3f" and parses
// them back after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class COffsetSetDlg : public CDialog {
  public:
    explicit COffsetSetDlg(CWnd* pParent = nullptr);

    CString m_strOffsetX;
    CString m_strOffsetY;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
