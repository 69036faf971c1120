// CBaseAutoStartDlg: the parameters a base station starts with by itself
// at power-on (template 15199): broadcast interval (seconds), differential
// format (0 RTCA, 1 RTCM, 2 CMR, 3 RTCM3), cut-off angle (degrees) and the
// PDOP below which it starts.
#pragma once

#include "platform/framework/Afx.h"

class CBaseAutoStartDlg : public CDialog {
  public:
    explicit CBaseAutoStartDlg(CWnd* pParent = nullptr);

    int m_nInterval = 1;
    int m_nFormat = 0;
    int m_nCutoff = 10;
    double m_dPdop = 3.0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
