// CDataCollectSetDlg: when survey epochs are recorded (template 15265): the
// solution they need, by time, by distance or by hand, the two intervals,
// and the interval of depth-only recording. The interval edit that does not
// apply to the chosen mode is greyed.
#pragma once

#include "platform/framework/Afx.h"

class CDataCollectSetDlg : public CDialog {
  public:
    explicit CDataCollectSetDlg(CWnd* pParent = nullptr);

    int m_nCollectStatus = 0;  // 0 single, 1 RTD, 2 RTK
    int m_nCollectMode = 0;    // 0 by time, 1 by distance, 2 by hand
    double m_dCollectTime = 0.0;
    double m_dCollectDis = 0.0;
    double m_dDeepInterTime = 0.0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnByTime();
    afx_msg void OnByDistance();
    afx_msg void OnManual();
    DECLARE_MESSAGE_MAP()

  private:
    void EnableIntervals(BOOL bTime, BOOL bDistance);
};
