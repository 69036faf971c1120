// CRoverSetDlg: the rover settings (template 158): the solution precision
// level, the differential format and the two RMS limits of SystemParams.
#pragma once

#include "platform/framework/Afx.h"

class CRoverSetDlg : public CDialog {
  public:
    explicit CRoverSetDlg(CWnd* pParent = nullptr);

    int m_nFixLevel = -1;     // 0 high, 1 common
    int m_nRadioFormat = -1;  // 0 RTCA, 1 RTCM, 2 CMR, 3 RTCM3
    double m_dRmshLimit = 0.0;
    double m_dRmsvLimit = 0.0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
