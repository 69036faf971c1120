// CCalibModeDlg (dialog 191 "校正模式选择"): the first step of the
// calibration wizard, the choice whether the base station stands on a known
// point (index 0) or on an unknown point (index 1). Without base-station
// coordinates from the receiver the known-point choice and OK stay disabled
// until the unknown-point choice is clicked.
#pragma once

#include "platform/framework/Afx.h"

class CCalibModeDlg : public CDialog {
  public:
    explicit CCalibModeDlg(CWnd* pParent = nullptr);

    int m_nMode = 0;  // 0 known point, 1 unknown point

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnUnknownPoint();
    DECLARE_MESSAGE_MAP()
};
