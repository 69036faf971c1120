// CCtrlLibSetDlg (dialog 15241 "控制点坐标库设置"): the fewest known
// points of the plane and the curved height fit. The members are the
// combo indexes (0 or 1), as the settings store them, not the numbers
// shown; the control-point library stores them back after IDOK.
#pragma once

#include "platform/framework/Afx.h"

class CCtrlLibSetDlg : public CDialog {
  public:
    explicit CCtrlLibSetDlg(CWnd* pParent = nullptr);

    int m_nPlaneNihe = 0;
    int m_nCurveNihe = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
